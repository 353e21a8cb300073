// The directory client against a real slapd on loopback: parameters, binds by strategy, the
// login search, listings, the import through recording callbacks, attribute types and the
// free search.

#include <gtest/gtest.h>

#include <QUrl>

#include "control/ldap/adsvalues.h"
#include "control/ldap/ldapobject.h"
#include "platform/sysinfo.h"
#include "slapd.h"
#include "support/ports.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace {

TEST(LdapParams, Normalises) {
    struct Case {
        bool domain;
        QString base, principal;
        bool notBase;
        QString wantBase, wantPrincipal;
    } cases[] = {
        {true, u"corp.example.com"_s, u"admin"_s, false, u"dc=corp,dc=example,dc=com"_s,
         u"admin@corp.example.com"_s},
        {true, u"dc=a,dc=b"_s, u"x@a.b"_s, true, u"dc=a,dc=b"_s, u"x@a.b"_s},
        {false, u"dc=example,dc=com"_s, u" cn=admin "_s, false, u"dc=example,dc=com"_s,
         u"cn=admin,dc=example,dc=com"_s},
        {false, u"dc=example,dc=com"_s, u"cn=admin,DC=Example,dc=com"_s, false,
         u"dc=example,dc=com"_s, u"cn=admin,DC=Example,dc=com"_s},
        {false, u"o=My Org"_s, u"cn=admin"_s, true, u"o=My%20Org"_s, u"cn=admin"_s},
    };
    for (const Case& c : cases) {
        TLdapParams in;
        in.IsWinntDomain = c.domain;
        in.BaseDN = c.base;
        in.Principal = c.principal;
        in.Password = u"pw"_s;
        in.NotBaseDNOfPrincipal = c.notBase;
        const TLdapParams out = NormaliseLdapParams(in);
        EXPECT_EQ(out.BaseDN, c.wantBase) << c.base.toStdString();
        EXPECT_EQ(out.Principal, c.wantPrincipal) << c.principal.toStdString();
        EXPECT_EQ(out.UserFieldName, c.domain ? u"sAMAccountName"_s : u"uid"_s);
    }
    TLdapParams anonymous;
    anonymous.Password = u"pw"_s;
    EXPECT_TRUE(NormaliseLdapParams(anonymous).Password.isEmpty());
    EXPECT_EQ(LdapPercentEncode(u"café-1"_s), u"caf%C3%A9-1"_s);
}

TEST(LdapParams, EscapesAndValueTexts) {
    EXPECT_EQ(LdapAssertion(u"*)(uid=*"_s, u"uid"_s), u"uid=\\2a\\29\\28uid=\\2a"_s);
    EXPECT_EQ(LdapAssertion(u"cn=a*b"_s, u"uid"_s), u"cn=a\\2ab"_s);
    EXPECT_EQ(LdapAssertion(u"a)(b=c"_s, u"uid"_s), u"uid=a\\29\\28b=c"_s);
    EXPECT_EQ(LdapEscapeDnValue(u"a,b+c"_s), u"a\\,b\\+c"_s);
    const QByteArray guid = QByteArray::fromHex("33221100554477668899aabbccddeeff");
    EXPECT_EQ(GuidText(guid), u"{00112233-4455-6677-8899-AABBCCDDEEFF}"_s);
    const QByteArray sid = QByteArray::fromHex("010500000000000515000000010000000200000003000000e9030000");
    EXPECT_EQ(SidText(sid), u"S-1-5-21-1-2-3-1001"_s);
    EXPECT_EQ(SidText(sid.left(12)), QString());
    EXPECT_EQ(AdsValueText(u"x"_s, 11, {}), u"Value of type Provider Specific"_s);
    EXPECT_EQ(AdsValueText(u"x"_s, 4, {}), u"Unhandled ADSTYPE for property value: 4 "_s);
}

class Directory : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new ov::test::Slapd(ov::test::DirectoryFixture(ov::platform::currentUserName()));
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(server->running()) << server->error().toStdString(); }

    TLdapParams Params(const QString& principal = u"cn=admin"_s,
                       const QString& password = u"secret"_s) const {
        TLdapParams params;
        params.Host = u"127.0.0.1"_s;
        params.Port = server->port();
        params.BaseDN = u"dc=example,dc=com"_s;
        params.Principal = principal;
        params.Password = password;
        return params;
    }

    ov::test::TempHome home;
    TLDAPObject directory;
    static ov::test::Slapd* server;
};
ov::test::Slapd* Directory::server = nullptr;

TEST_F(Directory, BindsByStrategy) {
    struct Case {
        int strategy;
        QString principal, password, account;
        int want;  // 1 true, 0 false, -1 raises
    } cases[] = {
        {2, u"cn=admin"_s, u"secret"_s, {}, 1},
        {2, u"cn=admin"_s, u"wrong"_s, {}, -1},
        {2, u"cn=admin"_s, {}, {}, -1},  // no password: no unauthenticated bind
        {1, u"uid=zhangsan,ou=dev"_s, u"pw-zhangsan"_s, u"uid=zhangsan,ou=dev"_s, 1},
        {3, u"lisi"_s, u"pw-lisi"_s, u"lisi"_s, 1},
        {3, u"nobody"_s, u"pw-lisi"_s, u"nobody"_s, 0},
        {3, u"lisi"_s, u"bad"_s, u"lisi"_s, -1},
        {4, u"zhangsan"_s, u"pw-zhangsan"_s, u"uid=zhangsan,ou=dev"_s, -1},  // bound as typed
        {4, u"zhangsan"_s, u"pw-zhangsan"_s, u"zhangsan"_s, -1},  // not directly below the base
    };
    for (const Case& c : cases) {
        TLdapParams params = Params(c.principal, c.password);
        params.LoginADsDirectorySearch = c.strategy;
        params.Admin = u"cn=admin"_s;
        params.AdminPs = u"secret"_s;
        TLDAPObject object;
        object.SetParams(params);
        QString display = u"old"_s;
        int got = -1;
        try {
            got = object.LoginValidate(c.account, display) ? 1 : 0;
        } catch (const AdsError&) {
        }
        EXPECT_EQ(got, c.want) << c.strategy << " " << c.account.toStdString();
        if (got == 1) {
            EXPECT_TRUE(display.isEmpty());
        }
    }
    QString error;
    directory.SetParams(Params(u"cn=admin"_s, u"wrong"_s));
    EXPECT_FALSE(directory.ConnectionTestEx(error));
    EXPECT_TRUE(error.contains(u"Invalid credentials"_s)) << error.toStdString();
    directory.SetParams(Params());
    EXPECT_TRUE(directory.ConnectionTestEx(error));
    EXPECT_EQ(directory.RootName(), u"example"_s);
}

TEST_F(Directory, LoginSearchMatchesOnlyTheAccount) {
    directory.SetParams(Params());
    QString display;
    EXPECT_TRUE(directory.LoginValidate(u"zhangsan"_s, display));
    for (const QString& account : {u"*"_s, u"*)(uid=*"_s, u"zhangsan)(|(uid=*"_s, u"nobody"_s}) {
        display.clear();
        EXPECT_FALSE(directory.LoginValidate(account, display)) << account.toStdString();
    }
    QString error;
    TLDAPObject fresh;
    EXPECT_TRUE(fresh.LoginValidate2(server->path(u"dc=example,dc=com"_s), u"lisi"_s, display,
                                     error));
    EXPECT_EQ(display, u"李四"_s);
    EXPECT_FALSE(fresh.LoginValidate2(server->path(u"dc=example,dc=com"_s), u"*"_s, display,
                                      error));
    const QString closed = u"LDAP://127.0.0.1:%1/dc=example,dc=com"_s.arg(ov::test::closedPort());
    EXPECT_FALSE(fresh.LoginValidate2(closed, u"lisi"_s, display, error));
    EXPECT_EQ(error, u"ADs GetObject error"_s);
}

TEST_F(Directory, ListsUnitsAndPersons) {
    directory.SetParams(Params());
    TAdsUtilInfoArray units, persons;
    directory.GetTopOrganizationalUnit({}, units, persons);
    QStringList names;
    for (const TAdsUtilInfo& unit : units) names << unit.AccountName;
    names.sort();
    EXPECT_EQ(names, QStringList({u"dev"_s, u"sales"_s}));
    EXPECT_TRUE(persons.isEmpty());

    directory.GetTopOrganizationalUnit(u"WEB"_s, units, persons);  // found below dev
    ASSERT_EQ(persons.size(), 1);
    EXPECT_EQ(persons[0].AccountName, u"lisi"_s);
    EXPECT_EQ(persons[0].Alise, u"李四"_s);
    EXPECT_EQ(persons[0].AdsPathUrl, server->path(u"uid=lisi,ou=web,ou=dev,dc=example,dc=com"_s));

    directory.GetOuUnit(server->path(u"ou=dev,dc=example,dc=com"_s), units, persons);
    ASSERT_EQ(units.size(), 1);
    EXPECT_EQ(units[0].AccountName, u"web"_s);
    ASSERT_EQ(persons.size(), 1);
    EXPECT_TRUE(persons[0].ExtText.contains(u"uidNumber=1001\r\n"_s));
}

TEST_F(Directory, SearchesLeaveOutTheSearchedEntry) {
    TLdapParams params = Params();
    params.SubUnitParam.SearchFilter = u"(objectClass=organizationalUnit)"_s;
    params.SubUnitParam.OuName = u"ou"_s;
    params.SubUnitParam.AttributeNames = {u"ou"_s, u"AdsPath"_s};
    params.PersonUnitParam.SearchFilter = u"(objectClass=inetOrgPerson)"_s;
    params.PersonUnitParam.OuName = u"uid"_s;
    params.PersonUnitParam.AttributeNames = {u"uid"_s, u"cn"_s};
    params.PersonUnitParam.PartIllegalName = u"zhao"_s;
    directory.SetParams(params);
    TAdsUtilInfoArray units, persons;
    directory.GetOuUnit(server->path(u"ou=dev,dc=example,dc=com"_s), units, persons);
    ASSERT_EQ(units.size(), 1);  // web, not dev itself
    EXPECT_EQ(units[0].ExtText, u"ou = web\r\nAdsPath = "_s +
                                    server->path(u"ou=web,ou=dev,dc=example,dc=com"_s) + u"\r\n"_s);
    EXPECT_EQ(persons.size(), 2);

    const QString text = directory.ExecuteSearch({}, u"(uid=zh*)"_s, u"uid,cn"_s, 0);
    EXPECT_EQ(text, u"uid = zhangsan<br>cn = 张三<br> <br>uid = zhaoliu<br>cn = 赵六<br> <br>"_s)
        << text.toStdString();
    EXPECT_EQ(directory.ExecuteSearch({}, u"(uid=*)"_s, u"uid"_s, 2).count(u"<br> <br>"_s), 2);
    EXPECT_EQ(directory.ExecuteSearch({}, u"(uid=*"_s, u"uid"_s, 0), QString());
}

TEST_F(Directory, ReadsAttributesWithTheirTypes) {
    directory.SetParams(Params());
    const TAdsPropertyValArrayEx all =
        directory.GetOuUnitDesc(server->path(u"uid=zhangsan,ou=dev,dc=example,dc=com"_s));
    QMap<QString, TAdsPropertyVal> byName;
    for (const TAdsPropertyValArray& values : all)
        if (!values.isEmpty()) byName.insert(values[0].Name, values[0]);
    EXPECT_EQ(byName.value(u"cn"_s).PvType, 3);
    EXPECT_EQ(byName.value(u"cn"_s).Value, u"张三"_s);
    EXPECT_EQ(byName.value(u"uidNumber"_s).PvType, 7);
    EXPECT_EQ(byName.value(u"uidNumber"_s).Value, u"1001"_s);
    const TAdsPropertyValArrayEx group =
        directory.GetOuUnitDesc(server->path(u"cn=managers,ou=dev,dc=example,dc=com"_s));
    bool sawMember = false;
    for (const TAdsPropertyValArray& values : group)
        if (!values.isEmpty() && values[0].Name == u"member"_s) {
            sawMember = true;
            EXPECT_EQ(values.size(), 2);
            EXPECT_EQ(values[0].PvType, 1);
        }
    EXPECT_TRUE(sawMember);
}

struct Recorder {
    QStringList calls;
    int next = 100;
    TOnAddGroup group() {
        return [this](const QString& name, int father, int, bool display, QObject*) {
            calls << u"group %1 under %2%3"_s.arg(name).arg(father).arg(display ? u" shown"_s : u""_s);
            return ++next;
        };
    }
    TOnAddUser user() {
        return [this](const TAdsUtilInfoArray& users, const TImportGroupInfo&, int id, QObject*) {
            QStringList names;
            for (const TAdsUtilInfo& u : users) names << u.AccountName + u'/' + u.Alise;
            calls << u"users %1 in %2"_s.arg(names.join(u',')).arg(id);
        };
    }
};

TEST_F(Directory, ImportsTheTreeThroughTheCallbacks) {
    directory.SetParams(Params());
    TImportGroupInfo info;
    info.AdsPath = server->path(u"ou=dev,dc=example,dc=com"_s);
    info.DestId = 7;
    info.IsIncludSub = info.IsIncludUsers = info.DisplayInDoc = true;
    Recorder byWalk;
    directory.ImportGroup(info, byWalk.group(), byWalk.user());
    EXPECT_EQ(byWalk.calls, QStringList({u"group dev under 7 shown"_s, u"users zhangsan/张三 in 101"_s,
                                         u"group web under 101 shown"_s,
                                         u"users lisi/李四 in 102"_s}));

    TLdapParams params = Params();
    params.TopUnitParam = {u"(objectClass=organizationalUnit)"_s, u"ou"_s, {}, {u"ou"_s}, 0};
    params.SubUnitParam = params.TopUnitParam;
    params.PersonUnitParam = {u"(objectClass=inetOrgPerson)"_s, u"uid"_s, {}, {u"uid"_s}, 0};
    directory.SetParams(params);
    info.FilterUtils = u"lisi(李四)"_s;
    info.DisplayInDoc = false;
    Recorder bySearch;
    directory.ImportGroup(info, bySearch.group(), bySearch.user());
    EXPECT_EQ(bySearch.calls, QStringList({u"group dev under 7"_s, u"users zhangsan/ in 101"_s,
                                           u"group web under 101"_s}));

    info.FilterAds = QString::fromLatin1(
        QUrl::toPercentEncoding(server->path(u"uid=lisi,ou=web,ou=dev,dc=example,dc=com"_s)));
    Recorder listed;
    directory.SetParams(Params());
    directory.ImportGroup2(info, listed.user());
    EXPECT_EQ(listed.calls, QStringList({u"users lisi/李四 in 7"_s}));
}

}  // namespace
