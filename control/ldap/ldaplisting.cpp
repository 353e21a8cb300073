// Units and persons below a directory entry: by walking its children, or by the configured
// searches.

#include "control/ldap/adsvalues.h"
#include "control/ldap/ldapobject.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

const QStringList kEntryAttributes{u"*"_s, u"structuralObjectClass"_s};
constexpr int kMaxDepth = 64;

QString CutDisplayName(const QString& name) {
    qsizetype end = name.size();
    for (const QChar stop : {u',', u'/', u'\\'}) {
        const qsizetype at = name.indexOf(stop);
        if (at >= 0) end = std::min(end, at);
    }
    return name.left(end);
}

bool IsDisabledAccount(const AdsEntry& entry) {
    return (entry.first(u"userAccountControl"_s).toLongLong() & 2) != 0;
}

}  // namespace

// The entry's class: its structural class, else the last of its object classes.
QString TLDAPObject::ClassOf(const AdsEntry& entry) const {
    const QString structural = entry.first(u"structuralObjectClass"_s);
    if (!structural.isEmpty()) return structural;
    const QStringList classes = entry.texts(u"objectClass"_s);
    return classes.isEmpty() ? QString() : classes.last();
}

bool TLDAPObject::SummarisePerson(AdsConnection& connection, const AdsEntry& entry,
                                  TAdsUtilInfo& person) const {
    if (FParams.IsWinntDomain && IsDisabledAccount(entry)) return false;
    person.AdsPathUrl = connection.pathOf(entry.dn);
    person.ClsName = ClassOf(entry);
    QString display;
    for (const AdsAttribute& attribute : entry.attributes) {
        const QString& name = attribute.name;
        const int type = connection.attributeType(name);
        const QString value =
            attribute.values.isEmpty() ? QString() : AdsValueText(name, type, attribute.values[0]);
        if (!FParams.UserFieldName.isEmpty() &&
            name.compare(FParams.UserFieldName, Qt::CaseInsensitive) == 0)
            person.AccountName = value;
        else if (name.compare(u"displayName"_s, Qt::CaseInsensitive) == 0)
            display = CutDisplayName(value);
        else if (name.compare(u"memberOf"_s, Qt::CaseInsensitive) == 0)
            for (const QByteArray& group : attribute.values)
                person.MemberOf += QString::fromUtf8(group) + u';';
        else
            person.ExtText += name + u'=' + value + u"\r\n"_s;
    }
    if (display != person.AccountName) person.Alise = display;
    return !person.AccountName.isEmpty();
}

TLDAPObject::Listing TLDAPObject::Enumerate(AdsConnection& connection, int maxEach,
                                            bool withPersons, bool withUnits) {
    Listing listing;
    const QList<AdsEntry> children = connection.search(
        connection.dn(), AdsScope::OneLevel, {}, kEntryAttributes, 2 * maxEach + 1);
    for (const AdsEntry& child : children) {
        if (IsBreak.load() == 1) break;
        const QString cls = ClassOf(child);
        const bool user = IsUserClass(FParams, cls);
        const bool unit = FParams.IsWinntDomain
                              ? !user && IsUnitOrGroupClass(FParams, cls)
                              : cls.compare(u"organizationalUnit"_s, Qt::CaseInsensitive) == 0 ||
                                    cls.compare(u"posixGroup"_s, Qt::CaseInsensitive) == 0;
        TAdsUtilInfo item;
        if (unit && withUnits && listing.units.size() < maxEach) {
            listing.units << TAdsUtilInfo{connection.pathOf(child.dn), LdapRdnValue(child.dn), cls};
        } else if (!unit && user && withPersons && listing.persons.size() < maxEach &&
                   SummarisePerson(connection, child, item)) {
            listing.persons << item;
        }
    }
    return listing;
}

TLDAPObject::Listing TLDAPObject::SearchListing(const QString& path,
                                                const TLdapSearchParameters& units) {
    return {DirectorySearch(path, units), DirectorySearch(path, FParams.PersonUnitParam)};
}

// The path of the first unit named `name` below `dn`, depth first; "" when there is none.
QString TLDAPObject::FindUnitNamed(AdsConnection& connection, const QString& dn,
                                   const QString& name, int depth) {
    if (depth > kMaxDepth) return {};
    const QList<AdsEntry> children =
        connection.search(dn, AdsScope::OneLevel, {}, kEntryAttributes, kMaxListed);
    for (const AdsEntry& child : children) {
        if (!IsUnitOrGroupClass(FParams, ClassOf(child))) continue;
        if (LdapRdnValue(child.dn).compare(name, Qt::CaseInsensitive) == 0)
            return connection.pathOf(child.dn);
        const QString found = FindUnitNamed(connection, child.dn, name, depth + 1);
        if (!found.isEmpty()) return found;
    }
    return {};
}

void TLDAPObject::GetTopOrganizationalUnit(const QString& Father, TAdsUtilInfoArray& SubGroups,
                                           TAdsUtilInfoArray& Persons) {
    QString start = FLdapStr;
    if (!Father.isEmpty()) {
        const auto root = Open(FLdapStr);
        start = FindUnitNamed(*root, root->dn(), Father, 0);
        if (start.isEmpty()) return;
    }
    Listing listing;
    if (FParams.TopUnitParam.SearchFilter.isEmpty())
        listing = Enumerate(*Open(start), kMaxListed);
    else
        listing = SearchListing(start, FParams.TopUnitParam);
    SubGroups = listing.units;
    Persons = listing.persons;
}

void TLDAPObject::GetOuUnit(const QString& InAdsPath, TAdsUtilInfoArray& SubGroups,
                            TAdsUtilInfoArray& Persons) {
    const QString filter = FParams.SubUnitParam.SearchFilter;
    if (filter.compare(u"none"_s, Qt::CaseInsensitive) == 0) return;
    Listing listing;
    if (filter.isEmpty()) {
        listing = Enumerate(*Open(InAdsPath), kMaxListed);
    } else {
        TLdapSearchParameters units = FParams.SubUnitParam;
        units.SearchFilter.replace(u"%s"_s,
                                   LdapEscapeFilterValue(LdapRdnValue(SplitAdsPath(InAdsPath).dn)));
        listing = SearchListing(InAdsPath, units);
    }
    SubGroups = listing.units;
    Persons = listing.persons;
}

}  // namespace ov::control
