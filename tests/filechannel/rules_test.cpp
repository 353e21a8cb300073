// The resume offers and checks, the end values after the data, the status whose low byte
// counts, and a cancel in the last chunk, against the test server over loopback.

#include "fixture.h"
#include "testing/docserver/codec/stream.h"

#include "core/datetime.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <chrono>
#include <mutex>

using namespace ov;
using namespace ov::test;

namespace {

std::int64_t LittleEndianAt(const QByteArray& data, qint64 end) {
    return TailCheckValue(data.constData() + end - 8);
}

TEST_F(FileChannelTest, UploadStartsWhereTheServerOffersOnlyWhenTheCheckHolds) {
    const QByteArray data = Pattern(100);
    const TTidyFile file = LocalUpload(QStringLiteral("a.bin"), data);
    struct Case {
        const char* what;
        qint64 offset;
        std::int64_t check;
        qint64 start;
    };
    const Case cases[] = {
        {"below 8", 4, LittleEndianAt(data, 8), 0},
        {"zero", 0, 0, 0},
        {"past the size", 112, LittleEndianAt(data, 100), 0},
        {"wrong check", 96, LittleEndianAt(data, 96) ^ 1, 0},
        {"check in the server's order", 96, LittleEndianAt(data, 96), 96},
        {"lowest offset", 8, LittleEndianAt(data, 8), 8},
        {"whole size", 100, LittleEndianAt(data, 100), 100},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        files.clearTransfers();
        NextTransfer next;
        next.offer = {k.offset, k.check};
        files.setNext(next);
        std::int64_t key = 0;
        EXPECT_EQ(Client()->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
                  RC_CanUpload);
        const auto t = Transfers(1);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].start, k.start);
        EXPECT_EQ(t[0].count, 100 - k.start);
        EXPECT_EQ(t[0].end, FileOverMark);
        std::lock_guard lock(model.mutex);
        model.files.erase(key);  // the same name may come again
    }
}

TEST_F(FileChannelTest, DownloadOffersHeldSizeCutTo16WithTheBytesBefore) {
    const QByteArray data = Pattern(300);
    const auto key = ServerFile(data);
    WriteFile(Local(QStringLiteral("held.bin")), data.left(100));
    WriteFile(Local(QStringLiteral("small.bin")), data.left(10));
    auto c = Client();
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("held.bin")), QString(), key), RC_CanDownload);
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("small.bin")), QString(), key), RC_CanDownload);
    const auto t = Transfers(2);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].offer, 96);
    EXPECT_EQ(t[0].check, LittleEndianAt(data, 96));
    EXPECT_EQ(t[0].start, 96);
    EXPECT_EQ(t[1].offer, 0);
    EXPECT_EQ(t[1].check, 0);
    EXPECT_EQ(ReadFile(Local(QStringLiteral("held.bin"))), data);
    EXPECT_EQ(ReadFile(Local(QStringLiteral("small.bin"))), data);
    EXPECT_TRUE(QDir(home.path()).entryList({QStringLiteral("*.bak")}, QDir::Files).isEmpty())
        << "the backup of a refused offer goes once the download is complete";
}

TEST_F(FileChannelTest, EndValueDecidesWhetherTheDownloadIsComplete) {
    const QByteArray data = Pattern(70000);
    const auto key = ServerFile(data);
    struct Case {
        int filler;  // -1: none
        std::optional<qint32> wrongEnd;
        bool complete;
    };
    const Case cases[] = {{0, {}, true},   {5, {}, true},        {16, {}, true},
                          {-1, {}, true},  {-1, 17, false},      {-1, 0xFFEE, false},
                          {-1, -1, false}, {-1, 0x10FFF0, false}};
    int i = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << "filler " << k.filler << " end " << k.wrongEnd.value_or(0));
        const QString target = Local(QStringLiteral("end%1.bin").arg(i++));
        WriteFile(target, QByteArray("an older copy"));
        NextTransfer next;
        next.filler = k.filler;
        if (k.wrongEnd) next.fault = {FileFault::Kind::WrongEnd, 0, *k.wrongEnd};
        files.setNext(next);
        auto c = Client();
        const std::uint8_t result =
            c->DownloadFile(target, QStringLiteral("[IsReplace]True[/IsReplace]"), key);
        const auto backups =
            QDir(home.path())
                .entryList({QFileInfo(target).fileName() + QStringLiteral("_*.bak")}, QDir::Files);
        const TDateTime stamped = QDateTimeToDateTime(QFileInfo(target).lastModified());
        const TDateTime serverTime = ServerTime(key);
        EXPECT_EQ(ReadFile(target).size(), data.size()) << "filler cut, never stale bytes";
        if (k.complete) {
            EXPECT_EQ(result, RC_CanDownload);
            EXPECT_EQ(ReadFile(target), data);
            EXPECT_TRUE(backups.isEmpty());
            EXPECT_NEAR(stamped, serverTime, 1.0 / 86400);
        } else {
            EXPECT_EQ(result, RC_TimeOut) << "an incomplete download is no success";
            EXPECT_EQ(c->GetLastError(), IncompleteTransferText(HSL_ENG));
            EXPECT_EQ(backups.size(), 1) << "the old copy stays in its backup";
            EXPECT_GT(std::abs(stamped - serverTime), 1.0) << "no server time on a partial file";
            EXPECT_EQ(c->DownloadFile(target, QString(), key), RC_CanDownload);
            EXPECT_EQ(ReadFile(target), data) << "the next attempt resumes";
        }
    }
}

TEST_F(FileChannelTest, OnlyTheLowByteOfTheStatusCounts) {
    const QByteArray data = Pattern(1000);
    const auto key = ServerFile(data);
    auto c = Client();
    NextTransfer next;
    next.status = 0x10A;
    files.setNext(next);
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("x.bin")), QString(), key), RC_CanDownload);
    EXPECT_EQ(ReadFile(Local(QStringLiteral("x.bin"))), data);

    const TTidyFile file = LocalUpload(QStringLiteral("u.bin"), data);
    std::int64_t newKey = 0;
    next.status = 0x103;
    files.setNext(next);
    EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, newKey),
              RC_CanUpload);
    EXPECT_EQ(files.content(newKey), data);

    next.status = 0x20D;
    files.setNext(next);
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("y.bin")), QString(), key), RC_NoPower);
    EXPECT_EQ(c->GetLastError(), QStringLiteral("No privilege"));
    EXPECT_FALSE(QFileInfo::exists(Local(QStringLiteral("y.bin"))));
}

TEST_F(FileChannelTest, RefusalsLeaveTheirText) {
    auto c = Client();
    const TTidyFile file = LocalUpload(QStringLiteral("周报.xlsx"), Pattern(10));
    std::int64_t key = -1;
    EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
              RC_ErrorText);
    EXPECT_EQ(c->GetLastError(), QStringLiteral("A file of this name exists in the folder."));
    EXPECT_EQ(key, 0);
    EXPECT_EQ(c->UploadFile(0, QString(), demo::MyDocsFolder, file, key), 0);
    EXPECT_EQ(c->GetLastError(), QStringLiteral("group id is 0"));
    TTidyFile missing = file;
    missing.Path = Local(QStringLiteral("missing.bin"));
    EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, missing, key), 0);
    EXPECT_EQ(c->GetLastError(), QStringLiteral("file does not exist "));
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("p.xls")), QString(), demo::PriceFile),
              RC_NoPower);
    c->SetLanguage(HSL_CN);
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("n.xls")), QString(), 999999), RC_NoFile);
    EXPECT_EQ(c->GetLastError(), QStringLiteral("此文件已经不存在"));
}

TEST_F(FileChannelTest, CancelInTheLastChunk) {
    const QByteArray data = Pattern(3 * FileChunkSize);
    std::atomic<bool> cancel{false};
    std::vector<qint64> states;
    std::vector<qint64> overs;
    auto c = Client();
    c->PIsBreak = &cancel;
    c->OnTransmitState = [&](void*, qint64 all, qint64 done) {
        states.push_back(done);
        if (done == all - FileChunkSize) cancel = true;  // polled after the last chunk
    };
    c->OnTransmitOver = [&](void*, qint64, qint64 done) { overs.push_back(done); };

    const TTidyFile file = LocalUpload(QStringLiteral("c.bin"), data);
    std::int64_t key = 0;
    EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
              RC_CanUpload);
    EXPECT_EQ(Transfers(1).at(0).end, FileOverMark) << "all was sent: the end mark says so";
    EXPECT_EQ(files.content(key), data);
    EXPECT_EQ(overs, std::vector<qint64>{data.size()});

    cancel = false;
    states.clear();
    overs.clear();
    const auto serverKey = ServerFile(data);
    const QString target = Local(QStringLiteral("noext"));
    EXPECT_EQ(c->DownloadFile(target, QString(), serverKey), RC_CanDownload);
    EXPECT_EQ(states, (std::vector<qint64>{FileChunkSize, 2 * FileChunkSize}));
    EXPECT_TRUE(overs.empty()) << "a cancelled download ends without its over event";
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(ReadFile(target + QStringLiteral(".tmp")), data) << "kept under the .tmp name";

    cancel = false;
    EXPECT_EQ(c->DownloadFile(target, QString(), serverKey), RC_CanDownload);
    EXPECT_EQ(ReadFile(target), data) << "the .tmp file is resumed and moved";
    EXPECT_EQ(Transfers(3).at(2).start, data.size());
}

TEST_F(FileChannelTest, CancelledUploadStopsAtOnceAndResumesLater) {
    const QByteArray data = Pattern(3 * FileChunkSize);
    std::atomic<bool> cancel{false};
    qint64 over = -1;
    auto c = Client();
    c->PIsBreak = &cancel;
    c->OnWorkEx = [&](void*) { cancel = true; };
    c->OnTransmitOver = [&](void*, qint64, qint64 done) { over = done; };
    const TTidyFile file = LocalUpload(QStringLiteral("e.bin"), data);
    std::int64_t key = 0;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
              RC_CanUpload);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1500))
        << "no wait for a reply that cannot come";
    EXPECT_EQ(key, 0);
    EXPECT_EQ(over, 2 * FileChunkSize);
    EXPECT_EQ(Transfers(1).at(0).moved, 2 * FileChunkSize);

    // The next upload resumes after what the server holds.
    cancel = false;
    c->OnWorkEx = nullptr;
    EXPECT_EQ(c->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
              RC_CanUpload);
    EXPECT_EQ(files.content(key), data);
    EXPECT_EQ(Transfers(2).at(1).start, 2 * FileChunkSize);
}

}  // namespace

namespace {

// The opening of every exchange as the server reads it: the command, then the parameter text
// encoded as one line; the tags in the order and spelling the server expects.
TEST_F(FileChannelTest, OpeningCarriesTheCommandAndTheEncodedParameters) {
    struct Seen {
        qint32 command = 0;
        QByteArray line;
    };
    std::vector<Seen> seen;
    std::mutex mutex;
    server.setStreamHandler(FileGreeting, [&](PeerStream& s, const QByteArray&) {
        Seen one;
        one.command = wire::readInt32(s);
        one.line = wire::readLine(s, 1 << 20);
        {
            std::lock_guard lock(mutex);
            seen.push_back(one);
        }
        wire::writeInt32(s, RC_NoPower);
        if (one.command == FC_UploadFile) wire::writeInt64(s, 0);
    });
    const QString p =
        QStringLiteral("[EncryptCode]") + demo::DemoToken() + QStringLiteral("[/EncryptCode]");
    TTidyFile file = LocalUpload(QStringLiteral("t.dwg"), Pattern(10));
    file.NameHash = -5;
    file.Kind = 0x647767;
    file.Summary = QStringLiteral("摘要");
    file.FilePrt = QStringLiteral("a=1");
    file.SC = 2;
    file.DisplayName = QStringLiteral("D:\\图纸\\t.dwg");
    file.ModifyDT = 45000.5;
    auto c = Client();
    std::int64_t key = 0;
    EXPECT_EQ(c->UploadFile(7, QStringLiteral("sub"), 20, file, key), RC_NoPower);
    EXPECT_EQ(c->DownloadFile(Local(QStringLiteral("d.bin")),
                              QStringLiteral("[Versionid]-1[/Versionid]"), 1001),
              RC_NoPower);
    const QString expected[] = {
        p + QStringLiteral("[DestOwnerId]7[/DestOwnerId][DestFolderId]20[/DestFolderId]"
                           "[SubFolderName]sub[/SubFolderName][NameHash]-5[/NameHash]"
                           "[Size]10[/Size][Kind]6584167[/Kind]"
                           "[PathAndName]D:\\图纸\\t.dwg[/PathAndName][Summary]摘要[/Summary]"
                           "[ModifyDate]45000500000000[/ModifyDate][FielPrt]a=1[/FielPrt]"
                           "[SC]2[/SC][language]1[/language]"),
        p + QStringLiteral("[FileKey]1001[/FileKey][language]1[/language]"
                           "[Versionid]-1[/Versionid]"),
    };
    std::lock_guard lock(mutex);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].command, FC_UploadFile);
    EXPECT_EQ(seen[1].command, FC_DownloadFile);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(seen[i].line, "%_" + expected[i].toUtf8().toHex().toUpper() + "_%");
    }
}

}  // namespace
