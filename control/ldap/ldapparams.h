#pragma once
// The directory client's records: connection and search parameters, found entries, attribute
// values, the import request and its two callbacks; and the rules that normalise parameters,
// escape filter values and tell units, groups and users apart by their object class.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace ov::control {

struct TLdapSearchParameters {
    QString SearchFilter;
    QString OuName;           // the attribute whose value names a found entry
    QString PartIllegalName;  // found entries whose name contains it are dropped
    QStringList AttributeNames;
    int MaxMemberCount = 0;  // most rows kept; 0 = no limit of the caller's
};

struct TLdapParams {
    QString Host;
    int Port = 0;
    QString BaseDN;
    QString OriginalDN;
    QString Principal;
    QString FormatPrincipal;
    QString Password;
    bool IsWinntDomain = false;
    bool SSL = false;
    bool Utf8Account = false;
    bool Utf8Ou = false;
    bool NotCheckLogin = false;
    QString GroupClsName;
    QString UserFieldName;
    QString UserClsName;
    bool NotBaseDNOfPrincipal = false;
    TLdapSearchParameters TopUnitParam;
    TLdapSearchParameters SubUnitParam;
    TLdapSearchParameters PersonUnitParam;
    int LoginADsDirectorySearch = 0;
    QString Admin;
    QString AdminPs;
};

struct TAdsUtilInfo {
    QString AdsPathUrl;
    QString AccountName;
    QString ClsName;
    QString Alise;     // the display name when it differs from the account
    QString MemberOf;  // ";"-terminated list
    QString ExtText;   // other attributes as lines
};
using TAdsUtilInfoArray = QList<TAdsUtilInfo>;

struct TAdsPropertyVal {
    QString Name;
    int PvType = 0;
    QString Value;
};
using TAdsPropertyValArray = QList<TAdsPropertyVal>;
using TAdsPropertyValArrayEx = QList<TAdsPropertyValArray>;

struct TImportGroupInfo {
    QString AdsPath;
    int DestId = 0;
    int OutId = 0;
    bool IsIncludSub = false;
    bool IsIncludUsers = false;
    bool DisplayInDoc = false;
    bool DelInvalidUser = false;
    bool AddExistedUserToGroup = false;
    bool MemberOfGroup = false;
    bool ReplaceOldPower = false;
    QObject* Obj = nullptr;
    QString FilterUtils;
    QString FilterAds;
    QString Ps;
};

// Creates a group in the caller's model and returns its id (<= 0 stops that branch).
using TOnAddGroup = std::function<int(const QString& GroupName, int FatherGroupId, int OutId,
                                      bool IsDisplay, QObject* Obj)>;
using TOnAddUser = std::function<void(const TAdsUtilInfoArray& UserInfos,
                                      const TImportGroupInfo& Params, int NewGroupId,
                                      QObject* Obj)>;

// The text's UTF-8 bytes; bytes below 0x80 stay characters, others become "%XX".
QString LdapPercentEncode(const QString& text);

// The parameters as the object keeps them: principal, base, domain name and password rules.
TLdapParams NormaliseLdapParams(TLdapParams params);

// Escapes a filter value: "*", "(", ")", "\" and NUL become "\XX".
QString LdapEscapeFilterValue(const QString& value);

// Escapes a value for a distinguished name: "," "+" " "\" "<" ">" ";" "=" and a leading "#" or
// blank, a trailing blank.
QString LdapEscapeDnValue(const QString& value);

// "attr=value" with the value escaped, or "attr=value" made from a plain account.
QString LdapAssertion(const QString& account, const QString& attribute);

// The value of a distinguished name's first part ("example" for "dc=example,dc=com").
QString LdapRdnValue(const QString& dn);

bool IsUnitOrGroupClass(const TLdapParams& params, const QString& cls);
bool IsUserClass(const TLdapParams& params, const QString& cls);

}  // namespace ov::control
