#pragma once
// `TLDAPObject`: the directory client. It normalises its connection parameters, tests a bind,
// checks a user's login by one of five strategies or by a search, reads an entry's attributes,
// lists units, groups and persons, imports a unit tree through the caller's callbacks and runs
// free searches. Every operation opens its own connection and closes it again; nothing is
// kept between calls but the parameters and the paths. Open and bind failures raise AdsError;
// searches that cannot run give empty lists.

#include <QSet>
#include <atomic>
#include <memory>

#include "control/ldap/adsconnection.h"
#include "control/ldap/ldapparams.h"

namespace ov::control {

class TLDAPObject {
public:
    // Most units and most persons one listing reads; most members read from one group.
    static constexpr int kMaxListed = 2048;
    static constexpr int kMaxGroupMembers = 1024;

    TLDAPObject();

    const TLdapParams& Params() const { return FParams; }
    void SetParams(const TLdapParams& params);
    const QString& RootLdapStr() const { return FLdapStr; }
    const QString& LogFile() const { return FLogFile; }
    // 1 stops an enumeration import between two entries (any thread may set it).
    std::atomic<int> IsBreak{0};

    bool ConnectionTestEx(QString& Error);
    QString RootName();
    void GetTopOrganizationalUnit(const QString& Father, TAdsUtilInfoArray& SubGroups,
                                  TAdsUtilInfoArray& Persons);
    void GetOuUnit(const QString& InAdsPath, TAdsUtilInfoArray& SubGroups,
                   TAdsUtilInfoArray& Persons);
    TAdsPropertyValArrayEx GetOuUnitDesc(const QString& InAdsPath);
    bool LoginValidate(const QString& UserAccountName, QString& DisplayName);
    bool LoginValidate2(const QString& AdsPath, const QString& UserAccountName,
                        QString& DisplayName, QString& ErrorTxt);
    QString ExecuteSearch(const QString& AdsPath, const QString& SearchFilter,
                          const QString& AttributeNames, int Rows);
    void ImportGroup(const TImportGroupInfo& Info, const TOnAddGroup& DoAddGroup,
                     const TOnAddUser& DoAddUser);
    void ImportGroup2(const TImportGroupInfo& Info, const TOnAddUser& DoAddUser);

private:
    struct Import;
    struct Listing {
        TAdsUtilInfoArray units;
        TAdsUtilInfoArray persons;
    };

    std::unique_ptr<AdsConnection> Open(const QString& path) const;
    void BuildPaths();
    void Bind(const QString& path);
    bool LoginByAccount(const QString& account, bool lookUpUnit);
    QString LookUpUnit();
    bool LoginSearch(AdsConnection& connection, const QString& account, QString& DisplayName);
    TAdsUtilInfoArray DirectorySearch(const QString& path, const TLdapSearchParameters& search);
    void LogReadFailure(const QString& message) const;

    // Listing (ldaplisting.cpp).
    QString ClassOf(const AdsEntry& entry) const;
    bool SummarisePerson(AdsConnection& connection, const AdsEntry& entry,
                         TAdsUtilInfo& person) const;
    Listing Enumerate(AdsConnection& connection, int maxEach, bool withPersons = true,
                      bool withUnits = true);
    Listing SearchListing(const QString& path, const TLdapSearchParameters& units);
    QString FindUnitNamed(AdsConnection& connection, const QString& dn, const QString& name,
                          int depth);

    TLdapParams FParams;
    QString FLogFile;
    QString FLogFile2;
    QString FLdapBase;
    QString FLdapStr;
};

}  // namespace ov::control
