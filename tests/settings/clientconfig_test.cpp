#include "core/clientconfig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "core/cipher.h"
#include "core/datetime.h"
#include "core/errors.h"
#include "core/fileversion.h"
#include "core/macaddress.h"
#include "settingsfixture.h"

using namespace ov;
using ov::test::SettingsTest;

namespace {

THS_Language systemLanguage() {
    return GetSystemLanguageName().contains(QStringLiteral("中文")) ? HSL_CN : HSL_ENG;
}

}  // namespace

TEST_F(SettingsTest, FreshMachineDefaults) {
    TClientConfigX config;
    const QString documents = GetPersonalPath();
    EXPECT_EQ(config.ConfigPath(), home->path() + QStringLiteral(".local/share/Ov/"));
    EXPECT_TRUE(QFileInfo(config.ConfigPath()).isDir());
    EXPECT_EQ(config.ServerHost(), QString());
    EXPECT_EQ(config.ServerPort(), 8088);
    EXPECT_EQ(config.ServerUrl(), QStringLiteral("http://:8088"));
    EXPECT_FALSE(config.IsSSL());
    EXPECT_EQ(config.WebSocketPort(), 13100);
    EXPECT_TRUE(config.ShowBackupTask());
    EXPECT_FALSE(config.IsCreateShortcut());
    EXPECT_FALSE(config.AutoLogin());
    EXPECT_EQ(config.StartStyle(), SS_NONE);
    EXPECT_EQ(config.EncryptUserID(), QString());
    EXPECT_EQ(config.LoginPassword(), QString());
    EXPECT_EQ(config.UserId(), 0);
    EXPECT_EQ(config.PreviewRect(), QRect(100, 100, 800, 680));
    EXPECT_NEAR(config.LastTimeOfViewMsg(), Now() - 365, 1.0 / 24);
    EXPECT_EQ(config.SysLanguage(), systemLanguage());
    EXPECT_TRUE(config.DisplayEditGuide());
    EXPECT_TRUE(config.IsIncludeRoot());
    EXPECT_EQ(config.LastUploadPath(), QString());
    EXPECT_EQ(config.WorkRoot(), documents + QStringLiteral("OV/work/"));
    EXPECT_TRUE(QFileInfo(documents + QStringLiteral("OV/work/")).isDir());
    EXPECT_EQ(config.LastCheckoutPath(), documents + QStringLiteral("OV/"));
    EXPECT_EQ(config.DownloadRoot(), documents);
    EXPECT_EQ(config.MsgRoot(), config.ConfigPath() + QStringLiteral("msg/"));
    EXPECT_TRUE(QFileInfo(config.MsgRoot()).isDir());
    // Nothing was changed, so there is nothing to write.
    EXPECT_FALSE(config.Save());
    EXPECT_FALSE(QFileInfo::exists(sysFile()));
}

TEST_F(SettingsTest, StoredValuesAndTheirConversionRules) {
    writeSys(QStringLiteral(
        "[ServerHost] docs.example [/ServerHost]\r\n[ServerPort]abc[/ServerPort]\r\n"
        "[WebSocketPort]0[/WebSocketPort]\r\n[IsSSL]1[/IsSSL]\r\n[AutoLogin]2[/AutoLogin]\r\n"
        "[ShowBackupTask]0[/ShowBackupTask]\r\n[IsCreateShortcut]yes[/IsCreateShortcut]\r\n"
        "[OwnerId2]42[/OwnerId2]\r\n[OwnerName]张三[/OwnerName]\r\n[StartStyle]9[/StartStyle]\r\n"
        "[PreviewRect]10,-3,900[/PreviewRect]\r\n[Language]7[/Language]\r\n"
        "[LastTimeOfViewMsg]2024-01-01 00:00:01[/LastTimeOfViewMsg]\r\n"
        "[HorizontalOfImagePrint]1[/HorizontalOfImagePrint]\r\n"));
    TClientConfigX config;
    EXPECT_EQ(config.ServerHost(), QStringLiteral("docs.example"));
    EXPECT_EQ(config.ServerPort(), 8088);  // not a number
    EXPECT_EQ(config.ServerUrl(), QStringLiteral("https://docs.example:8088"));
    EXPECT_EQ(config.WebSocketPort(), 0);  // an explicit 0 stays
    EXPECT_FALSE(config.AutoLogin());      // neither "1" nor "0": the default
    EXPECT_FALSE(config.ShowBackupTask());
    EXPECT_FALSE(config.IsCreateShortcut());
    EXPECT_TRUE(config.HorizontalOfImagePrint());
    EXPECT_EQ(config.UserId(), 42);
    EXPECT_EQ(config.UserName(), QStringLiteral("张三"));
    EXPECT_EQ(config.StartStyle(), SS_NONE);
    EXPECT_EQ(config.PreviewRect(), QRect(10, 100, 900, 680));
    EXPECT_EQ(config.SysLanguage(), HSL_CN);
    EXPECT_EQ(DateTimeToText(config.LastTimeOfViewMsg()), QStringLiteral("2024-01-01 00:00:01"));

    config.SetServerPort(0);
    EXPECT_EQ(config.ServerPort(), 8088);
    config.SetServerPort(9090);
    EXPECT_EQ(config.ServerUrl(), QStringLiteral("https://docs.example:9090"));
    config.SetPreviewRect(QRect(5, 6, 1024, 768));
    EXPECT_EQ(config.ReadString(QStringLiteral("PreviewRect")), QStringLiteral("5,6,1024,768"));
    EXPECT_EQ(config.PreviewRect(), QRect(5, 6, 1024, 768));
}

TEST_F(SettingsTest, PreviewRectFromStoredText) {
    struct Case {
        const char* stored;
        QRect expected;
    };
    const Case cases[] = {
        {"", QRect(100, 100, 800, 680)},
        {"50", QRect(50, 100, 800, 680)},
        {"x,20,1200,700,9", QRect(0, 20, 1200, 700)},
        {"-5,-5,799,679", QRect(100, 100, 800, 680)},
        // A damaged file: numbers beyond any screen must not wrap right and bottom around.
        {"2147483000,2147483000,2147483647,5000", QRect(32767, 32767, 32767, 5000)},
    };
    for (const Case& c : cases) {
        writeSys(QStringLiteral("[PreviewRect]%1[/PreviewRect]\r\n").arg(QLatin1String(c.stored)));
        EXPECT_EQ(TClientConfigX().PreviewRect(), c.expected) << c.stored;
    }
}

TEST_F(SettingsTest, LanguageRuleAndItsCache) {
    struct Case {
        const char* stored;
        THS_Language expected;
    };
    const Case cases[] = {
        {"1", HSL_ENG},           {"2", HSL_CN},          {"7", HSL_CN}, {"0", systemLanguage()},
        {"-1", systemLanguage()}, {"x", systemLanguage()}};
    for (const Case& c : cases) {
        writeSys(QStringLiteral("[Language]%1[/Language]\r\n").arg(QLatin1String(c.stored)));
        TClientConfigX config;
        EXPECT_EQ(config.SysLanguage(), c.expected) << c.stored;
    }
    // The setter stores the value for the next object; this one keeps its decision.
    writeSys(QStringLiteral("[Language]2[/Language]\r\n"));
    TClientConfigX config;
    EXPECT_EQ(config.SysLanguage(), HSL_CN);
    config.SetSysLanguage(HSL_ENG);
    EXPECT_EQ(config.SysLanguage(), HSL_CN);
    ASSERT_TRUE(config.Save());
    EXPECT_EQ(TClientConfigX().SysLanguage(), HSL_ENG);
}

TEST_F(SettingsTest, KeysInAnyCaseTakeThePropertySpellingWhenRewritten) {
    writeSys(
        QStringLiteral("[serverhost]old[/SERVERHOST]\r\n[ISSSL]1[/isssl]\r\n"
                       "[lastgroupid]12[/LastGroupID]\r\n"));
    TClientConfigX config;
    EXPECT_EQ(config.ServerHost(), QStringLiteral("old"));
    EXPECT_TRUE(config.IsSSL());
    EXPECT_EQ(config.LastGroupId(), 12);
    config.SetServerHost(QStringLiteral("new"));
    config.SetIsSSL(false);
    EXPECT_EQ(config.AllInfo(), QStringLiteral("[ServerHost]new[/ServerHost]\r\n"
                                               "[IsSSL]0[/IsSSL]\r\n"
                                               "[lastgroupid]12[/LastGroupID]\r\n"));
    config.SetValueEx(QStringLiteral("Custom"), QStringLiteral(" v "));
    EXPECT_EQ(config.GetValueEx(QStringLiteral("CUSTOM")), QStringLiteral("v"));
}

TEST_F(SettingsTest, SaveWritesTheExactFileFormat) {
    TClientConfigX config;
    config.SetServerHost(QStringLiteral("服务器"));
    config.SetServerPort(8443);
    config.SetAutoLogin(true);
    ASSERT_TRUE(config.Save());
    EXPECT_EQ(test::readBytes(sysFile()),
              test::utf16File(QStringLiteral("[ServerHost]服务器[/ServerHost]\r\n"
                                             "[ServerPort]8443[/ServerPort]\r\n"
                                             "[AutoLogin]1[/AutoLogin]\r\n")));
    TClientConfigX again;
    EXPECT_EQ(again.ServerHost(), QStringLiteral("服务器"));
    EXPECT_EQ(again.ServerPort(), 8443);
    EXPECT_TRUE(again.AutoLogin());
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(configPath).entryList(QDir::Files), QStringList{QStringLiteral("zvq.sys")});
}

TEST_F(SettingsTest, LastSaveOfTwoObjectsWins) {
    TClientConfigX first;
    TClientConfigX second;
    second.SetServerHost(QStringLiteral("second"));
    first.SetWorkRoot(home->file(QStringLiteral("work")));
    EXPECT_TRUE(QFileInfo(home->file(QStringLiteral("work"))).isDir());
    ASSERT_TRUE(first.Save());
    ASSERT_TRUE(second.Save());
    TClientConfigX third;
    EXPECT_EQ(third.ServerHost(), QStringLiteral("second"));
    EXPECT_EQ(third.ReadString(QStringLiteral("WorkRoot")), QString());
}

TEST_F(SettingsTest, FolderProperties) {
    TClientConfigX config;
    config.SetLastCheckoutPath(home->file(QStringLiteral("co\\sub")));
    EXPECT_EQ(config.LastCheckoutPath(), home->file(QStringLiteral("co/sub/")));
    EXPECT_TRUE(QFileInfo(home->file(QStringLiteral("co/sub"))).isDir());
    // A download folder is used as stored while it exists.
    config.SetDownloadRoot(home->file(QStringLiteral("dl.v2")));
    EXPECT_EQ(config.DownloadRoot(), home->file(QStringLiteral("dl.v2")));
    QDir(home->file(QStringLiteral("dl.v2"))).removeRecursively();
    EXPECT_EQ(config.DownloadRoot(), GetPersonalPath());
    config.SetMsgRoot(home->file(QStringLiteral("messages")));
    EXPECT_EQ(config.MsgRoot(), home->file(QStringLiteral("messages/")));
    EXPECT_TRUE(QFileInfo(config.MsgRoot()).isDir());
}

TEST_F(SettingsTest, ClearEmptiesTheIdentityOnlyAndSaves) {
    TClientConfigX config;
    config.SetLoginName(QStringLiteral("alice"));
    config.SetLoginPassword(QStringLiteral("密码word"));
    config.SetSaveLoginInfo(true);
    config.SetEncryptUserID(QStringLiteral("TOKEN-1"));
    config.SetUserId(7);
    config.SetUserName(QStringLiteral("Alice"));
    config.SetStartStyle(MODEL_EXE);
    config.Clear();
    TClientConfigX saved;
    EXPECT_EQ(saved.EncryptUserID(), QString());
    EXPECT_EQ(saved.UserId(), 0);
    EXPECT_EQ(saved.UserName(), QString());
    EXPECT_EQ(saved.StartStyle(), SS_NONE);
    EXPECT_EQ(saved.LoginName(), QStringLiteral("alice"));
    EXPECT_EQ(saved.LoginPassword(), QStringLiteral("密码word"));
    EXPECT_TRUE(saved.SaveLoginInfo());
}

TEST_F(SettingsTest, PasswordIsStoredEncipheredWithTheFixedKey) {
    TClientConfigX config;
    config.SetLoginPassword(QStringLiteral("abc"));
    EXPECT_EQ(config.ReadString(QStringLiteral("LoginPassword")),
              QStringLiteral("A90647B392298E733EA6518044902DBB"));
    EXPECT_EQ(config.LoginPassword(), QStringLiteral("abc"));
    config.WriteString(QStringLiteral("LoginPassword"), QStringLiteral("not hex"));
    EXPECT_EQ(config.LoginPassword(), QString());
}

TEST_F(SettingsTest, TokenFollowsTheAdapterList) {
    {
        TClientConfigX config;
        config.SetEncryptUserID(QStringLiteral("U123-token"));
        const QString stored = config.ReadString(QStringLiteral("EncryptId"));
        EXPECT_EQ(stored, EncryptStringByKey(QStringLiteral("U123-token"), GetMacList(), 3));
        EXPECT_EQ(config.EncryptUserID(), QStringLiteral("U123-token"));
        ASSERT_TRUE(config.Save());
    }
    EXPECT_EQ(TClientConfigX().EncryptUserID(), QStringLiteral("U123-token"));
    test::useAdapters(test::adaptersB());
    EXPECT_EQ(TClientConfigX().EncryptUserID(), QString());
    // With no readable adapter list the key is 32 zero bytes, and it still round-trips.
    platform::setAdapterSource([] { return std::optional<platform::AdapterList>(); });
    TClientConfigX noAdapters;
    noAdapters.SetEncryptUserID(QStringLiteral("T"));
    EXPECT_EQ(noAdapters.ReadString(QStringLiteral("EncryptId")),
              EncryptStringByKey(QStringLiteral("T"), QString(), 3));
    ASSERT_TRUE(noAdapters.Save());
    EXPECT_EQ(TClientConfigX().EncryptUserID(), QStringLiteral("T"));
}

TEST_F(SettingsTest, DscPropertiesLiveInTheirOwnFile) {
    TClientConfigX config;
    TClientConfigX other;
    config.SetDisplayEditGuide(false);
    config.SetLastUploadPath(QStringLiteral(" /data/上传 "));
    config.SetIsIncludeRoot(false);
    // Visible at once to every object, without Save, and never in "zvq.sys".
    EXPECT_FALSE(other.DisplayEditGuide());
    EXPECT_EQ(other.LastUploadPath(), QStringLiteral("/data/上传"));
    EXPECT_FALSE(other.IsIncludeRoot());
    EXPECT_EQ(config.AllInfo(), QString());
    EXPECT_FALSE(QFileInfo::exists(sysFile()));
    EXPECT_EQ(test::readBytes(dscFile()),
              test::utf16File(QStringLiteral("[NotShowEditGuide]1[/NotShowEditGuide]\r\n"
                                             "[LastUploadPath] /data/上传 [/LastUploadPath]\r\n"
                                             "[IsIncludeRoot]0[/IsIncludeRoot]\r\n")));
    config.SetDisplayEditGuide(true);
    EXPECT_TRUE(other.DisplayEditGuide());
    // Values other than the one that flips the default keep it.
    test::writeBytes(dscFile(), test::utf16File(QStringLiteral(
                                    "[notshoweditguide]x[/NOTSHOWEDITGUIDE][IsIncludeRoot] 1 "
                                    "[/IsIncludeRoot]")));
    EXPECT_TRUE(other.DisplayEditGuide());
    EXPECT_TRUE(other.IsIncludeRoot());
}

TEST_F(SettingsTest, DscWriteErrorsReachTheCaller) {
    QDir().mkpath(dscFile());  // a folder where the file should be
    TClientConfigX config;
    EXPECT_TRUE(config.DisplayEditGuide());
    EXPECT_THROW(config.SetDisplayEditGuide(false), FileError);
}

// The settings file exists but this user may not read it: the object starts empty, and its
// Save must not replace the file (that would throw away every setting in it).
TEST_F(SettingsTest, UnreadableFileIsNotOverwrittenBySave) {
    const QByteArray original =
        test::utf16File(QStringLiteral("[ServerHost]keep[/ServerHost]\r\n"));
    test::writeBytes(sysFile(), original);
    // Writable but not readable: nothing but our own check keeps Save from replacing it.
    ASSERT_EQ(chmod(sysFile().toLocal8Bit().constData(), 0222), 0);
    // Root reads any file, so under root the object runs in a child process as an unprivileged
    // user that owns the settings folder (and so could replace the file in it). Any other user
    // already owns the folder and cannot read the file.
    const uid_t nobody = 65534;
    if (geteuid() == 0) {
        for (const QString& dir : {home->path(), home->file(QStringLiteral(".local")),
                                   home->file(QStringLiteral(".local/share")), configPath})
            ASSERT_EQ(chown(dir.toLocal8Bit().constData(), nobody, nobody), 0);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(3);
        TClientConfigX config;
        if (!config.ServerHost().isEmpty()) _exit(4);
        config.SetServerHost(QStringLiteral("lost"));
        _exit(config.Save() ? 5 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(chmod(sysFile().toLocal8Bit().constData(), 0644), 0);
    EXPECT_EQ(test::readBytes(sysFile()), original);
}
