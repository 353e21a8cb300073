#include "platform/desktopentry.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>

#include "platform/folders.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov::platform;

namespace {

QString readAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

DesktopEntry entryFor(const QString& program, const QStringList& arguments = {}) {
    DesktopEntry entry;
    entry.name = u"Orvane Client"_s;
    entry.program = program;
    entry.arguments = arguments;
    return entry;
}

}  // namespace

TEST(DesktopEntry, ExecLineQuotesWhatTheDesktopWouldSplitOrExpand) {
    struct Case {
        QString program;
        QStringList arguments;
        QString exec;
    };
    const Case cases[] = {
        {u"/opt/ov/OvClient"_s, {}, u"/opt/ov/OvClient"_s},
        {u"/opt/my apps/OvClient"_s, {u"-l"_s, u"1"_s}, u"\"/opt/my apps/OvClient\" -l 1"_s},
        {u"/opt/a\"b$c`d\\e"_s, {}, u"\"/opt/a\\\"b\\$c\\`d\\\\e\""_s},
        {u"/opt/100%/x"_s, {u""_s}, u"/opt/100%%/x \"\""_s},
        {u"/opt/中文/OvClient"_s, {}, u"/opt/中文/OvClient"_s},
        {u"/opt/a\nb"_s, {}, QString()},
        {u"/opt/ok"_s, {u"bad\targ"_s}, QString()},
        {QString(), {}, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(desktopExecLine(entryFor(c.program, c.arguments)), c.exec)
            << c.program.toStdString();
    }
}

TEST(DesktopEntry, FileEscapesTheExecValueOnceMoreAndWritesTheFields) {
    DesktopEntry entry = entryFor(u"/opt/a\\b"_s);
    entry.fieldCode = u"%u"_s;
    entry.mimeTypes = {u"x-scheme-handler/ovclient"_s};
    entry.name = u"Orvane文档管理客户端"_s;
    const QString text = QString::fromUtf8(desktopEntryText(entry));
    EXPECT_TRUE(text.startsWith(u"[Desktop Entry]\n"_s));
    // Quoted "\\" for the Exec rules, each backslash doubled again as a string value.
    EXPECT_TRUE(text.contains(u"\nExec=\"/opt/a\\\\\\\\b\" %u\n"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"\nMimeType=x-scheme-handler/ovclient;\n"_s));
    EXPECT_TRUE(text.contains(u"\nName=Orvane文档管理客户端\n"_s));
    EXPECT_TRUE(desktopEntryText(entryFor(u"/x\ny"_s)).isEmpty());
}

TEST(DesktopEntry, AutostartEntryIsWrittenAndRemoved) {
    ov::test::TempHome home;
    const QString file = autostartEntryFile(u"ZRW"_s);
    EXPECT_EQ(file, home.file(u".config/autostart/ZRW.desktop"_s));
    EXPECT_TRUE(setAutostartEntry(u"ZRW"_s, entryFor(u"/opt/ov/OvClient"_s), true));
    EXPECT_TRUE(readAll(file).contains(u"\nExec=/opt/ov/OvClient\n"_s));
    EXPECT_TRUE(setAutostartEntry(u"ZRW"_s, entryFor(u"/opt/ov/OvClient"_s), false));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(setAutostartEntry(u"ZRW"_s, entryFor(u"/opt/ov/OvClient"_s), false));
    EXPECT_FALSE(setAutostartEntry(u"../ZRW"_s, entryFor(u"/opt/ov/OvClient"_s), true));
}

TEST(DesktopEntry, ShortcutNeedsAnExistingProgramAndIsExecutable) {
    ov::test::TempHome home;
    const QString program = home.file(u"OvClient"_s);
    const QString link = specialFolder(0) + u"Orvane Client"_s;
    EXPECT_FALSE(writeShortcut(link, entryFor(program)));  // program missing

    QFile(program).open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeShortcut(link, entryFor(program)));
    const QFileInfo info(link + u".desktop"_s);
    EXPECT_TRUE(info.isFile());
    EXPECT_TRUE(info.permission(QFile::ExeOwner));
    EXPECT_TRUE(readAll(info.filePath()).contains(u"Name=Orvane Client\n"_s));
}
