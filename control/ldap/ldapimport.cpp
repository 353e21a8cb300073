// The import of a directory unit tree into the caller's organisation model: groups through
// DoAddGroup, their persons through DoAddUser. A unit reached twice (a group that is its own
// member, directly or through others) is imported once.

#include <QUrl>

#include "control/ldap/ldapobject.h"
#include "core/hash.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr int kMaxImportDepth = 64;

QSet<QString> AccountFilter(const QString& list) {
    QSet<QString> accounts;
    for (const QString& item : list.split(u',', Qt::SkipEmptyParts)) {
        const QString account = item.section(u'(', 0, 0).trimmed();
        if (!account.isEmpty()) accounts.insert(account.toLower());
    }
    return accounts;
}

// "CN=a,OU=x;CN=b,OU=y;" gives "a;b;".
QString GroupNames(const QString& memberOf) {
    QString names;
    for (const QString& group : memberOf.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype cn = group.indexOf(u"CN="_s, 0, Qt::CaseInsensitive);
        if (cn >= 0) names += group.mid(cn + 3).section(u',', 0, 0) + u';';
    }
    return names;
}

}  // namespace

struct TLDAPObject::Import {
    TLDAPObject& owner;
    const TImportGroupInfo& info;
    const TOnAddGroup& addGroup;
    const TOnAddUser& addUser;
    QSet<QString> skipped = AccountFilter(info.FilterUtils);
    QSet<QString> visited;

    bool Keeps(const TAdsUtilInfo& person) const {
        return !person.AccountName.isEmpty() && !skipped.contains(person.AccountName.toLower());
    }
    bool FirstVisit(const QString& path) {
        const AdsPathParts parts = SplitAdsPath(path);
        const QString key = parts.server.toLower() + u'/' + parts.dn.toLower().remove(u' ');
        if (visited.contains(key)) return false;
        visited.insert(key);
        return true;
    }
    int AddGroup(const QString& name, int parentId, const QString& path) const {
        return addGroup ? addGroup(name, parentId, HashText32(path), info.DisplayInDoc, info.Obj)
                        : 0;
    }
    void AddUsers(const TAdsUtilInfoArray& persons, int groupId) const {
        if (addUser) addUser(persons, info, groupId, info.Obj);
    }

    void BySearch(const QString& path, int parentId, const TLdapSearchParameters& search,
                  int depth);
    void ByEnumeration(const QString& path, int parentId, int depth);
    void GroupMembers(AdsConnection& connection, TLDAPObject::Listing& listing);
};

void TLDAPObject::Import::BySearch(const QString& path, int parentId,
                                   const TLdapSearchParameters& search, int depth) {
    if (depth > kMaxImportDepth || !FirstVisit(path) || owner.IsBreak.load() == 1) return;
    const bool subUnits =
        owner.FParams.SubUnitParam.SearchFilter.compare(u"none"_s, Qt::CaseInsensitive) != 0;
    const TAdsUtilInfoArray units =
        info.IsIncludSub && subUnits ? owner.DirectorySearch(path, search) : TAdsUtilInfoArray{};
    TAdsUtilInfoArray persons;
    if (info.IsIncludUsers)
        for (const TAdsUtilInfo& person : owner.DirectorySearch(path, owner.FParams.PersonUnitParam))
            if (Keeps(person)) persons << person;
    const QString name = LdapRdnValue(SplitAdsPath(path).dn);
    if (name.isEmpty()) return;
    const int newId = AddGroup(name, parentId, path);
    if (newId <= 0) return;
    if (!persons.isEmpty()) AddUsers(persons, newId);
    for (const TAdsUtilInfo& unit : units) {
        TLdapSearchParameters below = owner.FParams.SubUnitParam;
        below.SearchFilter.replace(u"%s"_s, LdapEscapeFilterValue(unit.AccountName));
        BySearch(unit.AdsPathUrl, newId, below, depth + 1);
    }
}

void TLDAPObject::Import::ByEnumeration(const QString& path, int parentId, int depth) {
    if (depth > kMaxImportDepth || !FirstVisit(path) || owner.IsBreak.load() == 1) return;
    const auto connection = owner.Open(path);
    const int newId = AddGroup(LdapRdnValue(connection->dn()), parentId, path);
    TLDAPObject::Listing listing =
        owner.Enumerate(*connection, kMaxListed, info.IsIncludUsers, info.IsIncludSub);
    listing.persons.removeIf([this](const TAdsUtilInfo& person) { return !Keeps(person); });
    if (listing.persons.isEmpty() && listing.units.isEmpty()) GroupMembers(*connection, listing);
    if (owner.IsBreak.load() == 1 || newId <= 0) return;
    AddUsers(listing.persons, newId);
    for (const TAdsUtilInfo& unit : listing.units) ByEnumeration(unit.AdsPathUrl, newId, depth + 1);
}

// A group's "member" values: persons when they are user objects, sub-units otherwise.
void TLDAPObject::Import::GroupMembers(AdsConnection& connection, TLDAPObject::Listing& listing) {
    const QList<AdsEntry> self = connection.search(connection.dn(), AdsScope::Base, {},
                                                   {u"member"_s, u"objectClass"_s,
                                                    u"structuralObjectClass"_s}, 1);
    if (self.isEmpty() || !IsUnitOrGroupClass(owner.FParams, owner.ClassOf(self.first()))) return;
    for (const QString& member : self.first().texts(u"member"_s).mid(0, kMaxGroupMembers)) {
        if (owner.IsBreak.load() == 1) return;
        const qsizetype cn = member.indexOf(u"cn="_s, 0, Qt::CaseInsensitive);
        if (cn < 0) continue;
        const QString dn = member.mid(cn);
        QList<AdsEntry> found;
        try {
            found = connection.search(dn, AdsScope::Base, {}, {u"*"_s, u"structuralObjectClass"_s}, 1);
        } catch (const AdsError&) {
            continue;  // a member that no longer exists
        }
        TAdsUtilInfo person;
        if (found.isEmpty()) continue;
        if (IsUserClass(owner.FParams, owner.ClassOf(found.first()))) {
            if (info.IsIncludUsers && owner.SummarisePerson(connection, found.first(), person) &&
                Keeps(person))
                listing.persons << person;
        } else if (info.IsIncludSub) {
            listing.units << TAdsUtilInfo{owner.FLdapBase + u'/' + dn,
                                          dn.mid(3).section(u',', 0, 0), {}};
        }
    }
}

void TLDAPObject::ImportGroup(const TImportGroupInfo& Info, const TOnAddGroup& DoAddGroup,
                              const TOnAddUser& DoAddUser) {
    Import import{*this, Info, DoAddGroup, DoAddUser};
    if (FParams.SubUnitParam.SearchFilter.isEmpty())
        import.ByEnumeration(Info.AdsPath, Info.DestId, 0);
    else
        import.BySearch(Info.AdsPath, Info.DestId, FParams.TopUnitParam, 0);
}

void TLDAPObject::ImportGroup2(const TImportGroupInfo& Info, const TOnAddUser& DoAddUser) {
    TAdsUtilInfoArray persons;
    for (const QString& item : Info.FilterAds.split(u';', Qt::SkipEmptyParts)) {
        const auto connection = Open(QUrl::fromPercentEncoding(item.toUtf8()));
        const QList<AdsEntry> found = connection->search(
            connection->dn(), AdsScope::Base, {}, {u"*"_s, u"structuralObjectClass"_s}, 1);
        TAdsUtilInfo person;
        if (!found.isEmpty() && IsUserClass(FParams, ClassOf(found.first())) &&
            SummarisePerson(*connection, found.first(), person))
            persons << person;
    }
    if (Info.MemberOfGroup)
        for (TAdsUtilInfo& person : persons) person.MemberOf = GroupNames(person.MemberOf);
    if (DoAddUser) DoAddUser(persons, Info, Info.DestId, Info.Obj);
}

}  // namespace ov::control
