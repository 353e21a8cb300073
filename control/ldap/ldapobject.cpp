#include "control/ldap/ldapobject.h"

#include <QUrl>

#include "control/ldap/adsvalues.h"
#include "core/datetime.h"
#include "core/paths.h"
#include "core/textfile.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr int kMaxAttributes = 128;

QString LogFolder() {
    const QString root = GetServerDataRoot();
    return (root.isEmpty() ? GetUserDataPath() : root) + u"Dt/LDAP/"_s;
}

// The unit part of an account "uid=x,ou=a,ou=b": "ou=a,ou=b," (at most 128 characters + ",").
QString UnitPartOf(const QString& account) {
    const qsizetype at = account.indexOf(u",ou="_s, 0, Qt::CaseInsensitive);
    if (at < 0) return {};
    return account.mid(at + 1, 128) + u',';
}

// The "ou=…," part of a person's path between its first ",ou=" and the "," before "dc=".
QString UnitOfPath(const QString& path) {
    const qsizetype ou = path.indexOf(u",ou="_s, 0, Qt::CaseInsensitive);
    const qsizetype dc = path.indexOf(u",dc="_s, 0, Qt::CaseInsensitive);
    if (ou < 0 || dc < 0 || ou > dc) return {};
    return path.mid(ou + 1, dc - ou);
}

// The attribute a login search matches the account against, and the one it reads back.
struct LoginSearchSpec {
    QString filter;
    QString attribute;
};

}  // namespace

TLDAPObject::TLDAPObject() {
    const QString folder = LogFolder();
    ForceFolder(folder, true);
    FLogFile = folder + u"Ads.log"_s;
    FLogFile2 = folder + u"Ads2.log"_s;
    BuildPaths();
}

void TLDAPObject::SetParams(const TLdapParams& params) {
    FParams = NormaliseLdapParams(params);
    BuildPaths();
}

void TLDAPObject::BuildPaths() {
    FLdapBase = u"LDAP://"_s + FParams.Host + u':' + QString::number(FParams.Port);
    FLdapStr = FParams.BaseDN.isEmpty() ? FLdapBase : FLdapBase + u'/' + FParams.BaseDN;
}

std::unique_ptr<AdsConnection> TLDAPObject::Open(const QString& path) const {
    return AdsConnection::Open(path, {FParams.Principal, FParams.Password, FParams.SSL, false});
}

void TLDAPObject::Bind(const QString& path) {
    Open(path);
}

bool TLDAPObject::ConnectionTestEx(QString& Error) {
    try {
        Open(FLdapStr);
        return true;
    } catch (const std::exception& e) {
        Error = QString::fromUtf8(e.what());
        return false;
    }
}

QString TLDAPObject::RootName() {
    const QString name = LdapRdnValue(Open(FLdapStr)->dn());
    return name.isEmpty() ? u"LDAP Root"_s : name;
}

bool TLDAPObject::LoginValidate(const QString& UserAccountName, QString& DisplayName) {
    switch (FParams.LoginADsDirectorySearch) {
        case 1: {
            QString unit = UnitPartOf(UserAccountName);
            if (FParams.Utf8Ou) unit = LdapPercentEncode(unit);
            FLdapStr = FLdapBase + u'/' + unit + FParams.BaseDN;
            Bind(FLdapStr);
            break;
        }
        case 2: Bind(FLdapStr); break;
        case 3:
        case 4:
            if (!LoginByAccount(UserAccountName, FParams.LoginADsDirectorySearch == 3))
                return false;
            break;
        default: {
            const auto connection = Open(FLdapStr);
            return LoginSearch(*connection, UserAccountName, DisplayName);
        }
    }
    DisplayName.clear();
    return true;
}

bool TLDAPObject::LoginByAccount(const QString& account, bool lookUpUnit) {
    const QString base = FParams.BaseDN;
    if (account.contains(u"ou="_s, Qt::CaseInsensitive)) {
        FLdapStr = FLdapBase + u'/' + (FParams.Utf8Ou ? LdapPercentEncode(account) : account) +
                   u',' + base;
        Bind(FLdapStr);
        return true;
    }
    const bool named = account.contains(u'=');
    FParams.Principal = named ? account : u"uid="_s + LdapEscapeDnValue(account);
    if (FParams.Utf8Account) FParams.Principal = LdapPercentEncode(FParams.Principal);
    const QString unit = lookUpUnit ? LookUpUnit() : QString();
    if (lookUpUnit && unit.isEmpty() && !named) return false;
    FLdapStr = FLdapBase + u'/' + FParams.Principal + u',' + unit + base;
    FParams.Principal += u',' + unit + base;
    Bind(FLdapStr);
    return true;
}

// The unit of the person named by the principal, looked up as the administrator.
QString TLDAPObject::LookUpUnit() {
    const QString base = FParams.BaseDN;
    const auto connection = AdsConnection::Open(
        FLdapBase + u'/' + base, {FParams.Admin + u',' + base, FParams.AdminPs, FParams.SSL, false});
    const QString principal = QUrl::fromPercentEncoding(FParams.Principal.toUtf8());
    const QString filter = u"(&("_s + LdapAssertion(principal, u"uid"_s) +
                           u")(objectClass=inetOrgPerson))"_s;
    for (const AdsEntry& entry :
         connection->search(connection->dn(), AdsScope::Subtree, filter, {u"uid"_s}, 1)) {
        const QString unit = UnitOfPath(connection->pathOf(entry.dn));
        if (!unit.isEmpty()) return FParams.Utf8Ou ? LdapPercentEncode(unit) : unit;
    }
    return {};
}

bool TLDAPObject::LoginValidate2(const QString& AdsPath, const QString& UserAccountName,
                                 QString& DisplayName, QString& ErrorTxt) {
    std::unique_ptr<AdsConnection> connection;
    try {
        connection = AdsConnection::Open(AdsPath, {{}, {}, false, true});
    } catch (const AdsError&) {
        ErrorTxt = u"ADs GetObject error"_s;
        return false;
    }
    return LoginSearch(*connection, UserAccountName, DisplayName);
}

// True only when an entry matching the account came back. A fresh object (no account
// attribute set) matches "uid" and reads the display name.
bool TLDAPObject::LoginSearch(AdsConnection& connection, const QString& account,
                              QString& DisplayName) {
    if (!FParams.IsWinntDomain && FParams.NotCheckLogin) return true;
    const QString field = FParams.UserFieldName.isEmpty() ? u"uid"_s : FParams.UserFieldName;
    LoginSearchSpec spec;
    if (FParams.IsWinntDomain) {
        const QString value = LdapEscapeFilterValue(account);
        spec = {u"(&(cn=*)(|(sAMAccountName=%1)(userPrincipalName=%1)))"_s.arg(value),
                u"displayName"_s};
    } else if (!FParams.PersonUnitParam.OuName.isEmpty() &&
               !FParams.PersonUnitParam.SearchFilter.isEmpty()) {
        spec = {u"(&"_s + FParams.PersonUnitParam.SearchFilter + u'(' +
                    LdapAssertion(account, field) + u"))"_s,
                FParams.PersonUnitParam.OuName};
    } else {
        spec = {u"(&(|(objectClass=user)(objectClass=inetOrgPerson))("_s +
                    LdapAssertion(account, field) + u"))"_s,
                FParams.UserFieldName.isEmpty() ? u"displayName"_s : FParams.UserFieldName};
    }
    QList<AdsEntry> rows;
    try {
        rows = connection.search(connection.dn(), AdsScope::Subtree, spec.filter,
                                 {spec.attribute});
    } catch (const AdsError&) {
        return false;
    }
    for (const AdsEntry& row : rows)
        if (row.find(spec.attribute)) DisplayName = row.first(spec.attribute);
    if (!FParams.IsWinntDomain && DisplayName == account) DisplayName.clear();
    return !rows.isEmpty();
}

TAdsUtilInfoArray TLDAPObject::DirectorySearch(const QString& path,
                                               const TLdapSearchParameters& search) {
    const auto connection = Open(path);
    const QStringList names = search.AttributeNames.mid(0, kMaxAttributes);
    QStringList asked;
    for (const QString& name : names)
        if (name.compare(u"AdsPath"_s, Qt::CaseInsensitive) != 0) asked << name;
    if (asked.isEmpty()) asked << u"1.1"_s;
    const int keep = search.MaxMemberCount > 0 ? search.MaxMemberCount : AdsConnection::kMaxRows;
    QList<AdsEntry> rows;
    try {
        rows = connection->search(connection->dn(), AdsScope::Subtree, search.SearchFilter, asked,
                                  keep + 1);
    } catch (const AdsError&) {
        return {};
    }
    TAdsUtilInfoArray items;
    for (const AdsEntry& row : rows) {
        if (items.size() >= keep) break;
        TAdsUtilInfo item;
        item.AdsPathUrl = connection->pathOf(row.dn);
        if (SameAdsPath(item.AdsPathUrl, path)) continue;
        for (const QString& name : names) {
            const bool isPath = name.compare(u"AdsPath"_s, Qt::CaseInsensitive) == 0;
            const AdsAttribute* attribute = isPath ? nullptr : row.find(name);
            if (!isPath && (!attribute || attribute->values.isEmpty())) continue;
            const QString value =
                isPath ? item.AdsPathUrl
                       : AdsValueText(name, connection->attributeType(name), attribute->values[0]);
            item.ExtText += name + u" = "_s + value + u"\r\n"_s;
            if (!search.OuName.isEmpty() && name.compare(search.OuName, Qt::CaseInsensitive) == 0)
                item.AccountName = value;
        }
        if (item.AccountName.isEmpty()) item.AccountName = u"Unknown"_s;
        items << item;
    }
    if (!search.PartIllegalName.isEmpty())
        items.removeIf([&](const TAdsUtilInfo& item) {
            return item.AccountName.contains(search.PartIllegalName);
        });
    return items;
}

TAdsPropertyValArrayEx TLDAPObject::GetOuUnitDesc(const QString& InAdsPath) {
    const auto connection = Open(InAdsPath);
    TAdsPropertyValArrayEx result;
    try {
        const QList<AdsEntry> rows =
            connection->search(connection->dn(), AdsScope::Base, {}, {u"*"_s}, 1);
        if (rows.isEmpty()) return result;
        for (const AdsAttribute& attribute : rows.first().attributes) {
            const int type = connection->attributeType(attribute.name);
            TAdsPropertyValArray values;
            for (const QByteArray& value : attribute.values.mid(0, kMaxAttributes))
                values << TAdsPropertyVal{attribute.name, type,
                                          AdsValueText(attribute.name, type, value)};
            result << values;
        }
    } catch (const std::exception& e) {
        LogReadFailure(QString::fromUtf8(e.what()));
    }
    return result;
}

void TLDAPObject::LogReadFailure(const QString& message) const {
    AppendOrSaveUnicodeText(FLogFile, DateTimeToText(Now()) +
                                          u" TLDAPObject.GetAllProperties E="_s + message +
                                          u"\r\n"_s);
}

QString TLDAPObject::ExecuteSearch(const QString& AdsPath, const QString& SearchFilter,
                                   const QString& AttributeNames, int Rows) {
    TLdapSearchParameters search;
    search.SearchFilter = SearchFilter;
    search.AttributeNames = AttributeNames.split(u',', Qt::SkipEmptyParts);
    search.MaxMemberCount = Rows;
    QString text;
    for (const TAdsUtilInfo& item : DirectorySearch(AdsPath.isEmpty() ? FLdapStr : AdsPath, search))
        text += item.ExtText + u" \r\n"_s;
    return text.replace(u"\r\n"_s, u"<br>"_s);
}

}  // namespace ov::control
