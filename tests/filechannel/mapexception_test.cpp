// How an exception caught by a transfer becomes a result code and a text, in both languages:
// by exact type (a subclass is "anything else"), and by the kind of a network failure.

#include "core/filechannel.h"
#include "core/netstream.h"
#include "core/resultcode.h"

#include <gtest/gtest.h>

using namespace ov;

namespace {

class DerivedOpenError : public LocalFileOpenError {
public:
    using LocalFileOpenError::LocalFileOpenError;
};

TEST(MapExceptionTest, CodesAndTextsInBothLanguages) {
    using K = NetError::Kind;
    const QString msg = QStringLiteral("own message");
    struct Case {
        std::function<void()> raise;
        std::uint8_t code;
        QString chinese;
        QString english;
    };
    const Case cases[] = {
        {[&] { throw NetError(K::Closed, msg); }, RC_TimeOut,
         QStringLiteral("网络原因导致服务器链接中断! "),
         QStringLiteral("Connection closed gracefully! ")},
        {[&] { throw NetError(K::Refused, msg); }, RC_TimeOut,
         QStringLiteral("传输文件中连接服务器发生错误！"),
         QStringLiteral(" Server connection error while transferring file!")},
        {[&] { throw NetError(K::TimeOut, msg); }, RC_TimeOut, QStringLiteral("传输文件中超时！"),
         QStringLiteral(" File transfer timeout! ")},
        {[&] { throw NetError(K::Protocol, msg); }, RC_TimeOut, msg, msg},
        {[&] { throw NetError(K::Tls, msg); }, RC_Exception, msg, msg},
        {[&] { throw LocalFileOpenError(msg); }, RC_OpenFileErr,
         QStringLiteral("打开本地文件时发生错误！"),
         QStringLiteral(" Error occurred while opening local files! ")},
        {[&] { throw LocalFileWriteError(msg); }, RC_CreateFileErr,
         QStringLiteral("写本地文件时发生错误！"),
         QStringLiteral(" Error occurred while writting local files! ")},
        {[&] { throw DerivedOpenError(msg); }, RC_Exception, msg, msg},
        {[&] { throw FileError(msg); }, RC_Exception, msg, msg},
        {[&] { throw std::runtime_error("plain"); }, RC_Exception, QStringLiteral("plain"),
         QStringLiteral("plain")},
    };
    for (const Case& k : cases) {
        try {
            k.raise();
        } catch (const std::exception& e) {
            SCOPED_TRACE(k.english.toStdString());
            for (const auto& [language, expected] :
                 {std::pair{HSL_CN, k.chinese}, std::pair{HSL_ENG, k.english}}) {
                std::uint8_t code = 0;
                QString text = QStringLiteral("old");
                MapException(e, language, code, text);
                EXPECT_EQ(code, k.code);
                EXPECT_EQ(text, expected);
            }
            std::uint8_t code = 0;
            QString text;
            MapException(e, HSL_NONE, code, text);
            const bool fixed = k.chinese != k.english;
            EXPECT_EQ(text.isEmpty(), fixed) << "fixed texts are empty without a language";
        }
    }
}

}  // namespace

namespace {

TEST(BackupNameTest, LocalDateAndTimeAfterTheWholeName) {
    const QDateTime at(QDate(2024, 1, 15), QTime(9, 30, 12));
    EXPECT_EQ(BackupFileName(QStringLiteral("/w/report.docx"), at),
              QStringLiteral("/w/report.docx_240115_093012.bak"));
}

}  // namespace
