#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "childprocess.h"
#include "support/temphome.h"

using namespace ov::platform;

namespace {

const QString kKey = QStringLiteral("Software\\Ov\\Client");

QByteArray hiveText(Hive hive = Hive::CurrentUser) {
    const QString name = hive == Hive::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER.txt")
                                                   : QStringLiteral("HKEY_LOCAL_MACHINE.txt");
    QFile file(Registry::storeFolder() + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Registry, StoreFolderFollowsXdgConfigHome) {
    ov::test::TempHome home;
    EXPECT_EQ(Registry::storeFolder(), home.file(QStringLiteral(".config/Ov/registry/")));
    EXPECT_FALSE(Registry::readString(Hive::CurrentUser, kKey).has_value());
    EXPECT_TRUE(Registry::writeString(Hive::CurrentUser, kKey, {}, QStringLiteral("x")));
    EXPECT_EQ(QFileInfo(Registry::storeFolder()).permissions() & 0x0077, 0);
}

TEST(Registry, KeysAndNamesIgnoreCaseAndKeepTheFirstSpelling) {
    ov::test::TempHome home;
    ASSERT_TRUE(Registry::writeDword(Hive::CurrentUser, kKey, QStringLiteral("Port"), 8088));
    ASSERT_TRUE(Registry::writeDword(Hive::CurrentUser, QStringLiteral("\\SOFTWARE\\ov\\client"),
                                     QStringLiteral("PORT"), 9000));
    EXPECT_EQ(Registry::readDword(Hive::CurrentUser, QStringLiteral("software\\OV\\Client"),
                                  QStringLiteral("port")),
              9000u);
    EXPECT_EQ(Registry::subKeyNames(Hive::CurrentUser, QStringLiteral("SOFTWARE")),
              QStringList{QStringLiteral("Ov")});
    EXPECT_EQ(Registry::valueNames(Hive::CurrentUser, kKey), QStringList{QStringLiteral("Port")});
    EXPECT_TRUE(Registry::keyExists(Hive::CurrentUser, QStringLiteral("software\\ov")));
    // Hives are separate.
    EXPECT_FALSE(Registry::keyExists(Hive::LocalMachine, QStringLiteral("software")));
}

TEST(Registry, DefaultAndNamedValuesOfBothKinds) {
    ov::test::TempHome home;
    ASSERT_TRUE(Registry::writeString(Hive::ClassesRoot, QStringLiteral("ovclient"), {},
                                      QStringLiteral("URL:OvClient Protocol")));
    ASSERT_TRUE(Registry::writeString(Hive::ClassesRoot, QStringLiteral("ovclient"),
                                      QStringLiteral("URL Protocol"), {}));
    ASSERT_TRUE(Registry::writeDword(Hive::ClassesRoot, QStringLiteral("ovclient"),
                                     QStringLiteral("Flags"), 0xFFFFFFFFu));
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, QStringLiteral("OVCLIENT")),
              QStringLiteral("URL:OvClient Protocol"));
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, QStringLiteral("ovclient"),
                                   QStringLiteral("url protocol")),
              QString());
    EXPECT_TRUE(Registry::valueExists(Hive::ClassesRoot, QStringLiteral("ovclient")));
    // A DWORD reads as decimal text; a string does not read as a DWORD.
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, QStringLiteral("ovclient"),
                                   QStringLiteral("Flags")),
              QStringLiteral("4294967295"));
    EXPECT_FALSE(Registry::readDword(Hive::ClassesRoot, QStringLiteral("ovclient")).has_value());
    EXPECT_FALSE(Registry::readString(Hive::ClassesRoot, QStringLiteral("ovclient"),
                                      QStringLiteral("Missing"))
                     .has_value());
}

TEST(Registry, AwkwardTextsSurviveTheFile) {
    ov::test::TempHome home;
    const QString key = QStringLiteral("Software\\[a] \"b\" 中文 ]");
    const QList<QString> texts = {
        QStringLiteral("C:\\Program Files\\Ov\\OvClient.exe \"%1\""),
        QStringLiteral("line1\nline2\r\n\ttab ; [x] @=\"y\""),
        QString(QChar(0)) + QStringLiteral("nul and \x7f"),
        QStringLiteral("中文 \U0001F600") + QChar(0xD800) + QStringLiteral("lone"),
        QStringLiteral("  padded  "),
    };
    for (int i = 0; i < texts.size(); ++i) {
        const QString name = QStringLiteral("v\"=\\%1").arg(i);
        ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, key, name, texts[i]));
    }
    for (int i = 0; i < texts.size(); ++i) {
        const QString name = QStringLiteral("v\"=\\%1").arg(i);
        EXPECT_EQ(Registry::readString(Hive::CurrentUser, key, name), texts[i]) << i;
    }
    EXPECT_EQ(Registry::subKeyNames(Hive::CurrentUser, QStringLiteral("software")),
              QStringList{QStringLiteral("[a] \"b\" 中文 ]")});
    // One line per value: nothing in a text can start a line of its own.
    EXPECT_EQ(hiveText().count('\n'), 3 + texts.size());
}

TEST(Registry, DeleteValueAndKeyWithEverythingBelow) {
    ov::test::TempHome home;
    ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, kKey + QStringLiteral("\\Sub\\Deep"),
                                      QStringLiteral("a"), QStringLiteral("1")));
    ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, kKey, QStringLiteral("b"), {}));
    ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, QStringLiteral("Software\\Other"), {},
                                      QStringLiteral("kept")));

    EXPECT_TRUE(Registry::deleteValue(Hive::CurrentUser, kKey, QStringLiteral("B")));
    EXPECT_FALSE(Registry::valueExists(Hive::CurrentUser, kKey, QStringLiteral("b")));
    EXPECT_TRUE(Registry::deleteValue(Hive::CurrentUser, kKey, QStringLiteral("b")));

    EXPECT_TRUE(Registry::deleteKey(Hive::CurrentUser, QStringLiteral("software\\OV")));
    EXPECT_FALSE(Registry::keyExists(Hive::CurrentUser, kKey + QStringLiteral("\\Sub\\Deep")));
    EXPECT_FALSE(Registry::keyExists(Hive::CurrentUser, QStringLiteral("Software\\Ov")));
    EXPECT_EQ(Registry::readString(Hive::CurrentUser, QStringLiteral("Software\\Other")),
              QStringLiteral("kept"));
    EXPECT_TRUE(Registry::deleteKey(Hive::CurrentUser, QStringLiteral("Software\\Ov")));
    EXPECT_FALSE(Registry::deleteKey(Hive::CurrentUser, QStringLiteral("\\")));
}

TEST(Registry, EmptyKeysPersistAndBadKeyNamesAreRefused) {
    ov::test::TempHome home;
    ASSERT_TRUE(Registry::createKey(Hive::LocalMachine, QStringLiteral("SOFTWARE\\Empty")));
    EXPECT_TRUE(Registry::keyExists(Hive::LocalMachine, QStringLiteral("software\\empty")));
    EXPECT_TRUE(
        Registry::valueNames(Hive::LocalMachine, QStringLiteral("software\\empty")).isEmpty());
    EXPECT_FALSE(Registry::createKey(Hive::LocalMachine, QStringLiteral("a\nb")));
    EXPECT_FALSE(Registry::writeString(Hive::LocalMachine, QStringLiteral("a\\b") + QChar(0xDC00),
                                       {}, QStringLiteral("x")));
    EXPECT_FALSE(Registry::keyExists(Hive::LocalMachine, QStringLiteral("a")));
}

TEST(Registry, HiveFileThatIsTooLargeIsNeitherReadNorReplaced) {
    ov::test::TempHome home;
    ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, kKey, {}, QStringLiteral("x")));
    QFile file(Registry::storeFolder() + QStringLiteral("HKEY_CURRENT_USER.txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_TRUE(file.resize(16 * 1024 * 1024 + 1));
    file.close();
    EXPECT_FALSE(Registry::readString(Hive::CurrentUser, kKey).has_value());
    EXPECT_FALSE(Registry::writeString(Hive::CurrentUser, kKey, {}, QStringLiteral("y")));
    EXPECT_EQ(QFileInfo(file.fileName()).size(), 16 * 1024 * 1024 + 1);
}

TEST(Registry, DamagedLinesAreSkipped) {
    ov::test::TempHome home;
    ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, kKey, {}, QStringLiteral("x")));
    QFile file(Registry::storeFolder() + QStringLiteral("HKEY_CURRENT_USER.txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\"half=\"open\n\"bad\"=dword:12\n\"esc\"=\"\\q\"\n\"ok\"=\"yes\"\r\n");
    file.close();
    EXPECT_EQ(Registry::valueNames(Hive::CurrentUser, kKey),
              (QStringList{QString(), QStringLiteral("ok")}));
}

// Run by the test below in child processes: once both writers are ready, writes many values of
// its own into one key.
TEST(RegistryWriterChild, WriteValues) {
    const QString tag = qEnvironmentVariable("OV_REGISTRY_WRITER");
    if (tag.isEmpty()) GTEST_SKIP() << "runs only as a child of the two-process test";
    const QString barrier = qEnvironmentVariable("OV_REGISTRY_BARRIER");
    ASSERT_TRUE(QFile(QDir(barrier).filePath(tag)).open(QIODevice::WriteOnly));
    const QDeadlineTimer deadline(60000);
    // A fresh QDir each round: QDir keeps the entries it has listed once.
    while (QDir(barrier).entryList(QDir::Files).size() < 2 && !deadline.hasExpired())
        QThread::msleep(1);
    const int count = qEnvironmentVariableIntValue("OV_REGISTRY_WRITES");
    for (int i = 0; i < count; ++i) {
        const QString name = tag + QString::number(i);
        ASSERT_TRUE(Registry::writeDword(Hive::CurrentUser, kKey, name, static_cast<quint32>(i)));
    }
}

TEST(Registry, TwoProcessesWritingAtOnceLoseNothing) {
    ov::test::TempHome home;
    constexpr int kWrites = 150;
    const QString barrier = home.file(QStringLiteral("ready"));
    ASSERT_TRUE(QDir().mkpath(barrier));
    std::vector<std::unique_ptr<QProcess>> children;
    for (const char* tag : {"a", "b"}) {
        children.push_back(ov::test::startChildTest(
            QStringLiteral("RegistryWriterChild.*"),
            {{QStringLiteral("OV_REGISTRY_WRITER"), QString::fromLatin1(tag)},
             {QStringLiteral("OV_REGISTRY_BARRIER"), barrier},
             {QStringLiteral("OV_REGISTRY_WRITES"), QString::number(kWrites)}}));
    }
    for (auto& child : children)
        EXPECT_TRUE(ov::test::childPassed(*child));
    const QStringList names = Registry::valueNames(Hive::CurrentUser, kKey);
    EXPECT_EQ(names.size(), 2 * kWrites);
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(Registry::readDword(Hive::CurrentUser, kKey, QStringLiteral("a%1").arg(i)),
                  static_cast<quint32>(i));
        EXPECT_EQ(Registry::readDword(Hive::CurrentUser, kKey, QStringLiteral("b%1").arg(i)),
                  static_cast<quint32>(i));
    }
}
