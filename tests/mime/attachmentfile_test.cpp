#include "platform/mime/attachmentfile.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using ov::platform::attachmentFileName;
using ov::platform::saveAttachment;

namespace {

TEST(AttachmentFileTest, KeepsOnlyTheLastNameComponent) {
    const std::pair<QString, QString> cases[] = {
        {u"report.pdf"_s, u"report.pdf"_s},
        {u"../../x"_s, u"x"_s},
        {u"..\\..\\windows\\x.ini"_s, u"x.ini"_s},
        {u"/etc/passwd"_s, u"passwd"_s},
        {u"a/b\\c.txt"_s, u"c.txt"_s},
        {u"bad\u0001\nname.txt"_s, u"badname.txt"_s},
        {u".."_s, {}},
        {u"."_s, {}},
        {u"dir/.."_s, {}},
        {u"dir/"_s, {}},
        {u"   "_s, {}},
    };
    for (const auto& [mail, kept] : cases) {
        SCOPED_TRACE(mail.toStdString());
        EXPECT_EQ(attachmentFileName(mail), kept);
    }
    EXPECT_LE(attachmentFileName(QString(500, u'a') + u".txt"_s).size(), 120);
    EXPECT_TRUE(attachmentFileName(QString(500, u'a') + u".txt"_s).endsWith(u".txt"_s));
}

// "../../x" lands inside the folder; a second one with that name gets a number; a link put in
// the place of a name is never written through.
TEST(AttachmentFileTest, SavesInsideTheFolderUnderAFreeName) {
    QTemporaryDir root;
    const QString folder = root.filePath(u"private/a/"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString first = saveAttachment(folder, u"../../x"_s, "one");
    EXPECT_EQ(first, folder + u"x"_s);
    EXPECT_FALSE(QFile::exists(root.filePath(u"x"_s)));
    const QString outside = root.filePath(u"victim.txt"_s);
    ASSERT_TRUE(QFile::link(outside, folder + u"x (2)"_s));
    const QString second = saveAttachment(folder, u"..\\x"_s, "two");
    EXPECT_EQ(second, folder + u"x (3)"_s);
    EXPECT_FALSE(QFile::exists(outside));
    QFile file(second);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "two");
    EXPECT_EQ(QFile::permissions(second) & (QFile::ReadOther | QFile::ReadGroup), 0);
}

TEST(AttachmentFileTest, RefusesUnusableNamesAndMissingFolders) {
    QTemporaryDir root;
    QString error;
    EXPECT_TRUE(saveAttachment(root.path() + u'/', u".."_s, "x", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_TRUE(saveAttachment(root.filePath(u"none/"_s), u"a.txt"_s, "x", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
