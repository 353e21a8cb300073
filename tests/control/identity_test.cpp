// Server address, identity, document options, edition and language of the control.

#include <sys/stat.h>

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "controlfixture.h"
#include "core/cipher.h"
#include "core/clientconfig.h"
#include "platform/sharedmemory.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::control;
using ov::test::ControlTest;

namespace ov::control {
QString ClientInfoObjectName();
}

namespace {

QString settingsFile() {
    return GlobalConfig()->ConfigPath() + u"zvq.sys"_s;
}

TEST_F(ControlTest, ServerAddressIsSavedOnlyWhenItChanges) {
    struct Case {
        const char16_t* value;
        const char16_t* host;
        int port;
        bool tls;
        bool saved;
    } cases[] = {
        {u"srv#8443#1", u"srv", 8443, true, true},  {u"srv#8443#1", u"srv", 8443, true, false},
        {u"srv#8443#0", u"srv", 8443, false, true}, {u"srv#8443", u"srv", 8443, false, false},
        {u"srv#x#1", u"srv", 443, true, true},      {u"srv#x", u"srv", 80, false, true},
        {u"other", u"srv", 80, false, false},       {u"a#1#1#1", u"a", 1, false, true},
    };
    for (const Case& c : cases) {
        const QString value = QString::fromUtf16(c.value);
        QFile::remove(settingsFile());
        ASSERT_EQ(call(u"ServerIp"_s, ovcom::DISPATCH_PROPERTYPUT, {ovcom::Variant(value)}),
                  ovcom::S_OK);
        EXPECT_EQ(QFile::exists(settingsFile()), c.saved) << value.toStdString();
        ASSERT_EQ(call(u"ServerIp"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
        EXPECT_EQ(result.bstr(), QString::fromUtf16(c.host) + u'#' + QString::number(c.port))
            << value.toStdString();
        EXPECT_EQ(GlobalConfig()->IsSSL(), c.tls) << value.toStdString();
    }
    TClientConfigX reread;
    EXPECT_EQ(reread.ServerHost(), u"a"_s);
}

TEST_F(ControlTest, DocumentOptionsGrowAndZoneMapGoesToTheClipboard) {
    const QString key = u"qv7351_mxzt"_s;
    ASSERT_EQ(call(u"DocCommand"_s, ovcom::DISPATCH_PROPERTYPUT,
                   {ovcom::Variant(u"[ZoneMap] a [/ZoneMap]"_s)}),
              ovcom::S_OK);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"a"_s);
    EXPECT_EQ(form->FDocCmd, QString());
    for (const QString& option : {u"A"_s, u"B"_s})
        ASSERT_EQ(call(u"DocCommand"_s, ovcom::DISPATCH_PROPERTYPUT,
                       {ovcom::Variant(EncryptStringByKey(option, key, 3))}),
                  ovcom::S_OK);
    ASSERT_EQ(call(u"DocCommand"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
    EXPECT_EQ(result.bstr(), u",A,B"_s);
}

QString identity(int id, const QString& token, const QString& name) {
    return EncryptString(u"[UserId2]"_s + QString::number(id) + u"[/UserId2][UserId]"_s + token +
                             u"[/UserId][UserName]"_s + name + u"[/UserName]"_s,
                         1);
}

// What another process reads from the user's shared memory: the text up to the zeros.
QString readBackElsewhere(const QString& object) {
    QProcess cat;
    cat.start(u"cat"_s, {u"/dev/shm"_s + object});
    if (!cat.waitForFinished(5000)) return u"(no answer)"_s;
    const QByteArray bytes = cat.readAllStandardOutput();
    if (bytes.size() != 2048) return u"(size %1)"_s.arg(bytes.size());
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8);
        if (unit == 0) {
            // Everything after the text is zero: nothing of an older identity is left.
            if (bytes.mid(i).count('\0') != bytes.size() - i) return u"(garbage)"_s;
            break;
        }
        text += QChar(unit);
    }
    return text;
}

TEST_F(ControlTest, IdentityGoesToTheSettingsAndToTheUsersSharedMemory) {
    form->FServerHost = u"docs"_s;
    form->FServerPort = 8443;
    ASSERT_EQ(
        call(u"SaveUsrInfo2"_s, ovcom::DISPATCH_METHOD,
             {ovcom::Variant(identity(42, u"token-of-a-long-name"_s, u"李四-with-a-long-name"_s))}),
        ovcom::S_OK);
    EXPECT_EQ(GlobalConfig()->UserId(), 42);
    EXPECT_EQ(GlobalConfig()->StartStyle(), SS_ACTIVTX);
    const QString object = ClientInfoObjectName();
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(u"/dev/shm"_s + object).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    const QString first = DecryptString(readBackElsewhere(object), 1);
    EXPECT_EQ(first,
              u"[UserId]42[/UserId][EncryptId]token-of-a-long-name[/EncryptId]"
              u"[UserName]李四-with-a-long-name[/UserName][Host]docs[/Host][IsSSL]0[/IsSSL]"
              u"[Port]8443[/Port]"_s);
    // A later identity replaces the earlier one whole.
    ASSERT_EQ(call(u"SaveUsrInfo2"_s, ovcom::DISPATCH_METHOD,
                   {ovcom::Variant(identity(7, u"t"_s, u"w"_s))}),
              ovcom::S_OK);
    EXPECT_EQ(DecryptString(readBackElsewhere(object), 1),
              u"[UserId]7[/UserId][EncryptId]t[/EncryptId][UserName]w[/UserName][Host]docs"
              u"[/Host][IsSSL]0[/IsSSL][Port]8443[/Port]"_s);
    // Text that cannot be deciphered stores user 0, still handed over.
    ASSERT_EQ(call(u"SaveUsrInfo2"_s, ovcom::DISPATCH_METHOD, {ovcom::Variant(u"zz"_s)}),
              ovcom::S_OK);
    EXPECT_EQ(GlobalConfig()->UserId(), 0);
    EXPECT_EQ(GlobalConfig()->StartStyle(), SS_ACTIVTX);
}

TEST(SharedMemory, RefusesAnObjectOpenToOtherUsers) {
    const QString name = u"OvTestMapping"_s + QString::number(QCoreApplication::applicationPid());
    const QByteArray path = (u"/dev/shm"_s + platform::SharedMemory::objectName(name)).toUtf8();
    QFile planted(QString::fromUtf8(path));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.resize(2048);
    planted.close();
    chmod(path.constData(), 0666);
    EXPECT_EQ(platform::SharedMemory::create(name, 2048), nullptr);
    chmod(path.constData(), 0600);
    auto memory = platform::SharedMemory::create(name, 2048);
    ASSERT_NE(memory, nullptr);
    EXPECT_FALSE(memory->write(QByteArray(2049, 'x')));  // too long: left zero-filled
    EXPECT_EQ(memory->read(), QByteArray(2048, '\0'));
    memory->unlink();
}

TEST_F(ControlTest, EditionAndLanguage) {
    ASSERT_EQ(call(u"GetOcxEdition"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_EQ(result.bstr(), u"6.4.1.0"_s);
    const QString caption = form->WLS_Hint;
    struct Case {
        const char16_t* value;
        THS_Language language;
    } cases[] = {{u"1", HSL_ENG}, {u"English", HSL_CN}, {u"2", HSL_CN}};
    for (const Case& c : cases) {
        ASSERT_EQ(call(u"OcxSetLanguage"_s, ovcom::DISPATCH_METHOD,
                       {ovcom::Variant(QString::fromUtf16(c.value))}),
                  ovcom::S_OK);
        EXPECT_EQ(form->FLanguage, c.language);
        EXPECT_EQ(GlobalConfig()->SysLanguage(), c.language);  // a new settings object
        EXPECT_EQ(form->WLS_Hint, caption);
    }
}

}  // namespace
