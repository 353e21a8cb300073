// Failures of a transfer that must never pass for success or spoil the user's file: stale bytes
// after a resume, the final move of a ".tmp" download, offsets and lengths the server names,
// the pause after a closed connection, the retry after a read time-out, the time check.

#include "fixture.h"

#include "core/datetime.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <chrono>

using namespace ov;
using namespace ov::test;

namespace {

TEST_F(FileChannelTest, ResumedDownloadEndsExactlyAtTheServersSize) {
    const QByteArray data = Pattern(1000);
    const auto key = ServerFile(data);
    const QString target = Local(QStringLiteral("stale.bin"));
    WriteFile(target, data + QByteArray("XY"));  // an older, longer copy
    auto c = Client();
    EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_CanDownload);
    EXPECT_EQ(Transfers(1).at(0).start, 992) << "the resume was taken";
    EXPECT_EQ(ReadFile(target), data);
}

TEST_F(FileChannelTest, TmpDownloadIsNotReportedWhenItCannotTakeItsName) {
    const QByteArray data = Pattern(500);
    const auto key = ServerFile(data);
    const QString target = Local(QStringLiteral("README"));
    WriteFile(target, QByteArray("the user's own file"));
    auto c = Client();
    EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_CreateFileErr);
    EXPECT_EQ(c->GetLastError(), QStringLiteral(" Error occurred while writting local files! "));
    EXPECT_EQ(ReadFile(target), QByteArray("the user's own file"));
    EXPECT_EQ(ReadFile(target + QStringLiteral(".tmp")), data);

    // Asked to replace, the finished download takes the name.
    EXPECT_EQ(c->DownloadFile(target, QStringLiteral("[IsReplace]True[/IsReplace]"), key),
              RC_CanDownload);
    EXPECT_EQ(ReadFile(target), data);
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".tmp")));
}

TEST_F(FileChannelTest, OffsetsAndLengthsOfTheServerAreChecked) {
    const QByteArray data = Pattern(300);
    const auto key = ServerFile(data);
    const QString target = Local(QStringLiteral("held.bin"));
    const QByteArray held = data.left(100);  // offered at 96
    const std::pair<qint64, qint64> bad[] = {{-16, 10}, {48, 252}, {112, 188}, {0, -5}};
    for (const auto& [start, count] : bad) {
        SCOPED_TRACE(testing::Message() << start << " " << count);
        WriteFile(target, held);
        NextTransfer next;
        next.startCount = {start, count};
        files.setNext(next);
        auto c = Client();
        EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_TimeOut);
        EXPECT_TRUE(c->GetLastError().startsWith(QStringLiteral("The server named an invalid")));
        EXPECT_EQ(ReadFile(target), held) << "the local file is untouched";
    }
}

TEST_F(FileChannelTest, ClosedConnectionCostsUploadsAShortPause) {
    WriteFile(Local(QStringLiteral("v.doc")), Pattern(3 * FileChunkSize));
    auto c = Client();
    c->SetReadTimeout(5000);
    for (int command = 0; command < 2; ++command) {
        NextTransfer next;
        next.fault = {FileFault::Kind::Cut, 1000};
        files.setNext(next);
        const auto started = std::chrono::steady_clock::now();
        int errors = 0;
        c->OnSocketError = [&](void* error) {
            ++errors;
            EXPECT_TRUE(IsClosedByPeer(*static_cast<std::exception*>(error)));
        };
        std::uint8_t result = 0;
        if (command == 0) {
            result = c->UploadFile2(Local(QStringLiteral("v.doc")), QString(), demo::ReportFile);
        } else {
            QFile stream(Local(QStringLiteral("v.doc")));
            stream.open(QIODevice::ReadOnly);
            c->UploadKmItemFile(QStringLiteral("doc"), stream, demo::ReportFile, result);
        }
        const auto took = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(result, RC_TimeOut);
        EXPECT_EQ(c->GetLastError(), QStringLiteral("Connection closed gracefully! "));
        EXPECT_EQ(errors, 1);
        EXPECT_GE(took, std::chrono::milliseconds(100));
        EXPECT_LT(took, std::chrono::milliseconds(2500)) << "not the whole read time-out";
    }
}

TEST_F(FileChannelTest, RetryAfterReadTimeOutResumesTheDownload) {
    const QByteArray data = Pattern(5 * FileChunkSize + 3);
    const auto key = ServerFile(data);
    NextTransfer next;
    next.fault = {FileFault::Kind::Stall, 2 * FileChunkSize + 40};
    files.setNext(next);
    auto c = Client();
    c->SetReadTimeout(300);
    int errors = 0;
    c->OnSocketError = [&](void* error) {
        ++errors;
        EXPECT_TRUE(IsReadTimeOut(*static_cast<std::exception*>(error)));
    };
    const QString target = Local(QStringLiteral("slow.bin"));
    EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_CanDownload);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(ReadFile(target), data);
    const auto t = Transfers(2);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].start, 2 * FileChunkSize + 32);
}

TEST_F(FileChannelTest, TimeCheckedDownloadKeepsANewerLocalCopy) {
    const QByteArray data = Pattern(2000);
    const auto key = ServerFile(data);
    const TDateTime server = ServerTime(key);
    const QString target = Local(QStringLiteral("checked.xlsx"));
    struct Case {
        double secondsNewer;
        std::uint8_t result;
    };
    for (const Case k :
         {Case{1.5, RC_CanDownload}, Case{-600, RC_CanDownload}, Case{3, RC_ServerOlder}}) {
        SCOPED_TRACE(k.secondsNewer);
        WriteFile(target, QByteArray("local edit"));
        SetFileModifyTime(target, server + k.secondsNewer / 86400);
        auto c = Client();
        EXPECT_EQ(c->DownloadFile2(target, key), k.result);
        const bool replaced = k.result == RC_CanDownload;
        EXPECT_EQ(ReadFile(target), replaced ? data : QByteArray("local edit"));
        if (!replaced) {
            EXPECT_EQ(c->GetLastError(), QStringLiteral("Server files for the old version"));
        }
    }
    EXPECT_TRUE(QDir(home.path()).entryList({QStringLiteral("*.bak")}, QDir::Files).isEmpty());
}

// A stream that claims more bytes than it gives, as a file that shrinks while it is sent.
class ShrunkStream : public QBuffer {
public:
    qint64 size() const override { return QBuffer::size() + 100; }
};

TEST_F(FileChannelTest, SourceThatGivesOutIsNoUpload) {
    const QByteArray before = files.content(demo::ReportFile);
    ShrunkStream stream;
    stream.setData(Pattern(FileChunkSize + 10));
    stream.open(QIODevice::ReadOnly);
    auto c = Client();
    std::uint8_t status = 0;
    EXPECT_EQ(c->UploadKmItemFile(QStringLiteral("png"), stream, demo::ReportFile, status), 0);
    EXPECT_EQ(status, RC_OpenFileErr);
    EXPECT_EQ(c->GetLastError(), QStringLiteral(" Error occurred while opening local files! "));
    EXPECT_EQ(files.content(demo::ReportFile), before) << "nothing was stored";
}

TEST_F(FileChannelTest, ReceiveByParameterText) {
    const QByteArray data = Pattern(40000);
    const auto key = ServerFile(data);
    auto c = Client();
    const QString params = QStringLiteral("[EncryptCode]%1[/EncryptCode][FileKey]%2[/FileKey]")
                               .arg(demo::DemoToken())
                               .arg(key);
    const QString target = Local(QStringLiteral("api.bin"));
    EXPECT_EQ(c->ApiReceiveFile(params, target, 45000.25), RC_CanDownload);
    EXPECT_EQ(ReadFile(target), data);
    EXPECT_NEAR(QDateTimeToDateTime(QFileInfo(target).lastModified()), 45000.25, 1e-5);

    NextTransfer next;
    next.status = RC_NoPower;
    next.errorLine = QStringLiteral("not yours");
    files.setNext(next);
    EXPECT_EQ(c->ApiReceiveFile(params, target, 0), RC_NoPower);
    EXPECT_EQ(c->GetLastError(), QStringLiteral("not yours"));

    server.setFault(Fault::Refuse);
    EXPECT_THROW(c->ApiReceiveFile(params, target, 0), NetError);
}

}  // namespace
