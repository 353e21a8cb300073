// The auto-start value with its autostart entry, and desktop shortcuts.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "client/desktop/autorun.h"
#include "client/desktop/programpath.h"
#include "client/desktop/shortcut.h"
#include "platform/registry.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov;
using ov::platform::Hive;
using ov::platform::Registry;

namespace {

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(AutoRun, ValueAndEntryFollowTheChoice) {
    test::TempHome home;
    const QString program = ProgramPath();
    const QString entry = home.path() + u".config/autostart/"_s + kAutostartId + u".desktop"_s;
    EXPECT_FALSE(IsAutoRunSet(program));
    SetAutoRun(true, program);
    EXPECT_TRUE(IsAutoRunSet(program));
    EXPECT_TRUE(readFile(entry).contains("Exec=" + program.toUtf8() + '\n'));
    // An entry removed behind our back comes back, though the value is unchanged.
    QFile::remove(entry);
    SetAutoRun(true, program);
    EXPECT_TRUE(QFile::exists(entry));
    // Another program's value is replaced.
    Registry::writeString(Hive::CurrentUser, kRunKey, kRunValueName, u"/opt/other"_s);
    EXPECT_FALSE(IsAutoRunSet(program));
    SetAutoRun(true, program);
    EXPECT_EQ(Registry::readString(Hive::CurrentUser, kRunKey, kRunValueName), program);
    SetAutoRun(false, program);
    EXPECT_FALSE(Registry::valueExists(Hive::CurrentUser, kRunKey, kRunValueName));
    EXPECT_FALSE(QFile::exists(entry));
}

TEST(Shortcut, WhereItGoesAndWhenItFails) {
    test::TempHome home;
    const QString program = ProgramPath();
    const QString desktop = home.path() + u"Desktop/"_s;
    const QString own = home.path() + u"links/"_s;
    QDir().mkpath(own);
    const QString base = QFileInfo(program).completeBaseName();
    struct Case {
        QString path, name, folder;
        int special;
        QString file;  // "" when nothing may be made
    } cases[] = {
        {program, u"Orvane Client"_s, QString(), -1, desktop + u"Orvane Client.desktop"_s},
        {program, QString(), QString(), 0, desktop + base + u".desktop"_s},
        {program, u"a"_s, own + u"/"_s, -1, own + u"a.desktop"_s},
        {program, u"b"_s, home.path() + u"missing"_s, -1, QString()},
        {home.path() + u"no-program"_s, u"c"_s, QString(), -1, QString()},
        {program, u"../escape"_s, own, -1, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(CreateShortcut(c.path, c.name, c.folder, c.special), !c.file.isEmpty());
        if (c.file.isEmpty()) continue;
        const QByteArray text = readFile(c.file);
        EXPECT_TRUE(text.contains("Exec=" + program.toUtf8() + '\n'));
        EXPECT_TRUE(text.contains("Path=" + QFileInfo(program).absolutePath().toUtf8() + '\n'));
        EXPECT_TRUE(QFileInfo(c.file).isExecutable());
    }
    EXPECT_FALSE(QFile::exists(home.path() + u"escape.desktop"_s));
}
