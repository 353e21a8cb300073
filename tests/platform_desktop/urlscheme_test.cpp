#include "platform/urlscheme.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "platform/registry.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov::platform;

namespace {

QString readAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Points PATH at an empty folder for the object's life, so no outside program is found.
class NoToolsOnPath {
public:
    explicit NoToolsOnPath(const QString& folder) : m_saved(qgetenv("PATH")) {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~NoToolsOnPath() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

}  // namespace

TEST(UrlScheme, WritesTheClassesKeysAndAResolvableDesktopHandler) {
    ov::test::TempHome home;
    const QString program = u"/opt/Ov Client/OvClient"_s;
    const UrlSchemeResult result = registerUrlScheme(u"OvClient"_s, u"OvClientProtocol"_s, program);
    EXPECT_TRUE(result.registryKeys);
    EXPECT_TRUE(result.desktopEntry);
    EXPECT_TRUE(result.defaultHandler);

    const struct {
        QString key, name, data;
    } values[] = {
        {u"OvClient"_s, QString(), u"OvClientProtocol"_s},
        {u"OvClient"_s, u"URL Protocol"_s, QString()},
        {u"OvClient\\DefaultIcon"_s, QString(), program + u",1"_s},
        {u"OvClient\\shell"_s, QString(), QString()},
        {u"OvClient\\shell\\open"_s, QString(), QString()},
        {u"OvClient\\shell\\open\\command"_s, QString(), u"\"/opt/Ov Client/OvClient\" \"%1\""_s},
    };
    for (const auto& v : values) {
        EXPECT_EQ(Registry::readString(Hive::ClassesRoot, v.key, v.name), v.data)
            << v.key.toStdString() << " " << v.name.toStdString();
    }

    const QString entry = readAll(home.file(u".local/share/applications/ovclient.desktop"_s));
    EXPECT_TRUE(entry.contains(u"\nMimeType=x-scheme-handler/ovclient;\n"_s));
    EXPECT_TRUE(entry.contains(u"\nExec=\"/opt/Ov Client/OvClient\" %u\n"_s))
        << entry.toStdString();

    const QString xdgMime = QStandardPaths::findExecutable(u"xdg-mime"_s);
    if (xdgMime.isEmpty()) GTEST_SKIP() << "xdg-mime is not installed";
    QProcess query;
    query.start(xdgMime, {u"query"_s, u"default"_s, u"x-scheme-handler/ovclient"_s});
    ASSERT_TRUE(query.waitForFinished(15000));
    EXPECT_EQ(QString::fromUtf8(query.readAllStandardOutput()).trimmed(), u"ovclient.desktop"_s);
}

TEST(UrlScheme, WithoutXdgMimeTheUsersMimeAppsListIsEditedInPlace) {
    ov::test::TempHome home;
    const QString list = home.file(u".config/mimeapps.list"_s);
    {
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "[Default Applications]\ntext/html=browser.desktop\n"
            "x-scheme-handler/ovclient=old.desktop;\n\n[Removed Associations]\n"
            "image/png=viewer.desktop;\n");
    }
    NoToolsOnPath noTools(home.file(u"empty"_s));
    EXPECT_TRUE(registerUrlScheme(u"OvClient"_s, u"OvClientProtocol"_s, u"/opt/ov/OvClient"_s)
                    .defaultHandler);
    EXPECT_TRUE(writeDefaultHandler(u"x-scheme-handler/ovclient"_s, u"ovclient.desktop"_s));

    EXPECT_EQ(readAll(list),
              u"[Default Applications]\ntext/html=browser.desktop\n"
              "x-scheme-handler/ovclient=ovclient.desktop;\n\n[Removed Associations]\n"
              "image/png=viewer.desktop;\n\n[Added Associations]\n"
              "x-scheme-handler/ovclient=ovclient.desktop;\n"_s);
}
