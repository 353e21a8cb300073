#include "platform/mime/mimemessage.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace Qt::StringLiterals;
using ov::platform::MimeMessage;
using ov::platform::readMimeBytes;
using ov::platform::readMimeFile;

namespace {

QString fixture(const char* name) {
    return QStringLiteral(OV_MIME_FIXTURES) + QString::fromUtf8(name);
}

MimeMessage read(const char* name, const QString& fallback = {}) {
    QString error;
    auto message = readMimeFile(fixture(name), fallback, &error);
    EXPECT_TRUE(message) << error.toStdString();
    return message ? *message : MimeMessage{};
}

// A mail written in GB2312: encoded subject, a raw 8-bit sender name, two recipients, a copy,
// an HTML body with an inline picture, and two attachments (one named to climb folders).
TEST(MimeMessageTest, ReadsAGb2312MailWithPartsAndAttachments) {
    const MimeMessage mail = read("gb2312.eml", u"GB2312"_s);
    EXPECT_EQ(mail.subject, u"季度报告 第一版"_s);
    EXPECT_EQ(mail.from, u"张三 <zhang@example.com>"_s);
    EXPECT_EQ(mail.to, QStringList({u"lisi@example.com"_s, u"wang@example.com"_s}));
    EXPECT_EQ(mail.cc, QStringList({u"chen@example.com"_s}));
    EXPECT_EQ(mail.date.toUTC(), QDateTime(QDate(2024, 3, 5), QTime(1, 30), Qt::UTC));
    ASSERT_NE(mail.body(), nullptr);
    EXPECT_EQ(mail.body()->contentType, u"text/html"_s);
    EXPECT_TRUE(mail.body()->text().contains(u"你好，世界"_s));
    const auto* picture = mail.resource(u"cid:logo@ov"_s);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->data.startsWith("\x89PNG"));
    EXPECT_EQ(mail.resource(u"cid:other@ov"_s), nullptr);
    const auto attachments = mail.attachments();
    ASSERT_EQ(attachments.size(), 2u);
    EXPECT_EQ(attachments[0]->fileName, u"../../x.txt"_s);  // as written; saving makes it safe
    EXPECT_EQ(attachments[0]->data, "climb");
    EXPECT_EQ(attachments[1]->fileName, u"报告.txt"_s);
    EXPECT_EQ(attachments[1]->text(), u"报告内容"_s);
}

TEST(MimeMessageTest, ReadsAUtf8MailAndOneWithoutAddresses) {
    const MimeMessage utf8 = read("utf8.eml");
    EXPECT_EQ(utf8.subject, u"季度报告 第一版"_s);
    EXPECT_EQ(utf8.from, u"Wang Wu <wangwu@example.com>"_s);
    EXPECT_TRUE(utf8.cc.isEmpty());
    ASSERT_NE(utf8.body(), nullptr);
    EXPECT_EQ(utf8.body()->text().trimmed(), u"正文：一切顺利"_s);
    EXPECT_TRUE(utf8.attachments().empty());

    const MimeMessage bare = read("bare.eml");
    EXPECT_TRUE(bare.from.isEmpty());
    EXPECT_TRUE(bare.to.isEmpty());
    EXPECT_TRUE(bare.cc.isEmpty());
    EXPECT_TRUE(bare.date.isValid());
}

// A saved web page: the picture is found by its location relative to the page's own.
TEST(MimeMessageTest, FindsTheResourcesOfAWebArchiveByLocation) {
    const MimeMessage page = read("page.mht");
    ASSERT_NE(page.body(), nullptr);
    EXPECT_TRUE(page.body()->text().contains(u"Webarchive"_s));
    EXPECT_NE(page.resource(u"pic.png"_s), nullptr);
    EXPECT_NE(page.resource(u"http://example.com/page/pic.png"_s), nullptr);
    EXPECT_EQ(page.resource(u"http://example.org/far.png"_s), nullptr);
}

TEST(MimeMessageTest, RefusesWhatIsNoRegularMessageFile) {
    QString error;
    EXPECT_FALSE(readMimeFile(fixture("none.eml"), {}, &error));
    EXPECT_FALSE(readMimeFile(QStringLiteral(OV_MIME_FIXTURES), {}, &error));  // a folder
    EXPECT_FALSE(error.isEmpty());
    // Not even a header: GMime still makes a message of it, with no parts worth showing.
    const auto junk = readMimeBytes(QByteArray(100, '\0'), {});
    if (junk) {
        EXPECT_EQ(junk->body(), nullptr);
    }
}

}  // namespace
