// Uploads and downloads cut by the server at the start, in the middle, in the last chunk and
// exactly at a chunk boundary: the next attempt resumes, only the missing part travels again,
// and the result is byte for byte the source. Plain and TLS.

#include "fixture.h"

#include <QBuffer>

using namespace ov;
using namespace ov::test;

namespace {

constexpr qint64 Size = 3 * FileChunkSize + 1000;

struct Cut {
    const char* where;
    qint64 after;
};

const Cut Cuts[] = {{"start", 0},
                    {"middle", 50001},
                    {"last chunk", 3 * FileChunkSize + 500},
                    {"chunk boundary", 2 * FileChunkSize}};

class ResumeTest : public FileChannelTest, public ::testing::WithParamInterface<bool> {
protected:
    ResumeTest() : FileChannelTest(GetParam()) {}

    void CutNext(qint64 after) {
        NextTransfer next;
        next.fault = {FileFault::Kind::Cut, after};
        files.setNext(next);
    }
};

TEST_P(ResumeTest, DownloadResumesAfterEveryCut) {
    const QByteArray data = Pattern(Size);
    const auto key = ServerFile(data);
    for (const Cut& cut : Cuts) {
        SCOPED_TRACE(cut.where);
        const QString target = Local(QStringLiteral("down-%1.bin").arg(cut.after));
        files.clearTransfers();
        CutNext(cut.after);
        auto c = Client();
        EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_TimeOut);
        EXPECT_EQ(ReadFile(target), data.left(cut.after)) << "what arrived is kept";
        EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_CanDownload)
            << c->GetLastError().toStdString();
        EXPECT_EQ(ReadFile(target), data);
        const auto t = Transfers(2);
        ASSERT_EQ(t.size(), 2u);
        EXPECT_EQ(t[1].start, ResumeOffset(cut.after));
        EXPECT_EQ(t[1].moved, Size - ResumeOffset(cut.after));
    }
}

TEST_P(ResumeTest, UploadResumesAfterEveryCut) {
    for (const Cut& cut : Cuts) {
        SCOPED_TRACE(cut.where);
        const QByteArray data = Pattern(Size, int(cut.after));
        const TTidyFile file = LocalUpload(QStringLiteral("up-%1.bin").arg(cut.after), data);
        files.clearTransfers();
        CutNext(cut.after);
        auto c = Client();
        std::int64_t key = 0;
        EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
                  RC_TimeOut);
        EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
                  RC_CanUpload)
            << c->GetLastError().toStdString();
        ASSERT_NE(key, 0);
        EXPECT_EQ(files.content(key), data);
        const auto t = Transfers(2);
        ASSERT_EQ(t.size(), 2u);
        EXPECT_EQ(t[1].offer, ResumeOffset(cut.after));
        EXPECT_EQ(t[1].start, ResumeOffset(cut.after));
        EXPECT_EQ(t[1].moved, Size - ResumeOffset(cut.after));
    }
}

TEST_P(ResumeTest, StreamAndVersionUploadsArrive) {
    const QByteArray image = Pattern(FileChunkSize + 77, 3);
    QBuffer stream;
    stream.setData(image);
    stream.open(QIODevice::ReadOnly);
    CutNext(FileChunkSize + 16);
    auto c = Client();
    std::uint8_t status = 0;
    EXPECT_EQ(c->UploadKmItemFile(QStringLiteral("png"), stream, demo::ReportFile, status), 0);
    EXPECT_EQ(status, RC_TimeOut);
    EXPECT_EQ(c->UploadKmItemFile(QStringLiteral("png"), stream, demo::ReportFile, status), RC_Ok);
    EXPECT_EQ(status, RC_CanUpload);
    EXPECT_EQ(files.content(demo::ReportFile), image);
    EXPECT_EQ(Transfers(2).at(1).start, FileChunkSize + 16);

    const QByteArray version = Pattern(5000, 4);
    WriteFile(Local(QStringLiteral("v2.docx")), version);
    {
        std::lock_guard lock(model.mutex);  // a check-in needs the user's check-out
        model.files.at(demo::ReportFile).lockedBy = demo::DemoUser;
    }
    EXPECT_EQ(c->UploadFile2(Local(QStringLiteral("v2.docx")),
                             QStringLiteral("[IsCheckin]True[/IsCheckin]"), demo::ReportFile),
              RC_CanUpload);
    EXPECT_EQ(files.content(demo::ReportFile), version);
    EXPECT_TRUE(Transfers(3).at(2).params.endsWith(QStringLiteral("[IsCheckin]True[/IsCheckin]")));
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, ResumeTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

}  // namespace
