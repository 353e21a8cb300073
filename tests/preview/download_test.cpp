// The preview download against the test server, plain and over TLS: what the request carries,
// which statuses count as success, and that a failed download leaves no copy behind.

#include "core/filechannel.h"
#include "core/resultcode.h"
#include "documents/preview/previewdownload.h"
#include "platform/tempfiles.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <thread>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray Pattern(qint64 size) {
    QByteArray data(size, Qt::Uninitialized);
    quint32 x = 12345;
    for (qint64 i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        data[i] = char(x >> 16);
    }
    return data;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PreviewDownload : public ::testing::TestWithParam<bool> {
protected:
    PreviewDownload() : server(DocServer::Options{GetParam()}) {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        files.setContent(demo::ReportFile, content);
    }

    // A request for a fresh preview copy, as the form makes it.
    PreviewDownloadRequest Request(std::int64_t key = demo::ReportFile) {
        PreviewDownloadRequest r;
        r.host = server.host();
        r.port = server.port();
        r.isSsl = server.isTls();
        r.userIdStr = demo::DemoToken();
        r.language = HSL_ENG;
        r.fileKey = key;
        r.destPath = platform::createPreviewFile(folder(), u"pdf"_s).value_or(QString());
        return r;
    }

    QString folder() const { return home.file(u"previews/"_s); }
    QStringList filesInFolder() const {
        return QDir(folder()).entryList(QDir::Files | QDir::Hidden);
    }

    // The server records a transfer after its last word.
    std::vector<FileTransferRecord> Transfers() const {
        for (int i = 0; i < 200 && files.transfers().empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return files.transfers();
    }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    const QByteArray content = Pattern(3 * FileChunkSize + 77);
};

TEST_P(PreviewDownload, RequestCarriesTheDocumentOptionsAndTheCopyArrivesWhole) {
    struct Case {
        int fileVer;
        QString hashPs;
        QString tail;
    };
    const QString fixed = u"[IsPreView]True[/IsPreView][IsReplace]True[/IsReplace]"_s;
    const Case cases[] = {
        {-1, QString(), u"[HashPs][/HashPs]"_s + fixed},
        {0, QString(), u"[HashPs][/HashPs]"_s + fixed + u"[Versionid]0[/Versionid]"_s},
        {3, u"a1B2"_s, u"[HashPs]a1B2[/HashPs]"_s + fixed + u"[Versionid]3[/Versionid]"_s},
        // A value from the page cannot close its tag and bring tags of its own.
        {-1, u"x[/HashPs][IsPreView]False[/IsPreView][Versionid]1[/Versionid]"_s,
         u"[HashPs]x/HashPsIsPreViewFalse/IsPreViewVersionid1/Versionid[/HashPs]"_s + fixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileVer);
        files.clearTransfers();
        PreviewDownloadRequest request = Request();
        request.fileVer = c.fileVer;
        request.hashPs = c.hashPs;
        const PreviewDownloadResult result = RunPreviewDownload(request);
        EXPECT_TRUE(result.ok) << result.errorStr.toStdString();
        EXPECT_EQ(result.code, RC_CanDownload);
        const auto transfers = Transfers();
        ASSERT_EQ(transfers.size(), 1u);
        EXPECT_EQ(transfers[0].command, FC_DownloadFile);
        EXPECT_EQ(transfers[0].params, u"[EncryptCode]"_s + demo::DemoToken() +
                                           u"[/EncryptCode][FileKey]2001[/FileKey]"_s +
                                           u"[language]1[/language]"_s + c.tail);
        EXPECT_EQ(ReadAll(request.destPath), content);
        // The empty placeholder that reserved the name leaves no backup behind.
        EXPECT_EQ(filesInFolder(), QStringList{QFileInfo(request.destPath).fileName()});
        QFile::remove(request.destPath);
    }
}

TEST_P(PreviewDownload, EveryOtherOutcomeFailsAndLeavesNoCopy) {
    struct Case {
        const char* what;
        std::int64_t key;
        std::optional<qint32> status;
        FileFault fault;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"no right", demo::PriceFile, std::nullopt, {}, RC_NoPower},
        {"preview audit", demo::ReportFile, RC_PreviewAudit, {}, RC_PreviewAudit},
        {"connection trouble", demo::ReportFile, RC_TimeOut, {}, RC_TimeOut},
        {"dropped connection",
         demo::ReportFile,
         std::nullopt,
         {FileFault::Kind::Cut, FileChunkSize + 100},
         RC_TimeOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NextTransfer next;
        next.status = c.status;
        next.fault = c.fault;
        files.setNext(next);
        const PreviewDownloadRequest request = Request(c.key);
        ASSERT_TRUE(QFileInfo::exists(request.destPath));
        const PreviewDownloadResult result = RunPreviewDownload(request);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.code, c.code);
        EXPECT_FALSE(result.errorStr.isEmpty());
        EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(u' ').toStdString();
    }
}

TEST_P(PreviewDownload, StoppedDownloadCountsAsFailed) {
    std::atomic<bool> cancel{true};
    const PreviewDownloadResult result = RunPreviewDownload(Request(), &cancel);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(filesInFolder().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, PreviewDownload, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

TEST(PreviewCopy, RemovalTakesTheTransfersBackupsButNothingElse) {
    TempHome home;
    const QString dir = home.file(u"t/"_s);
    QDir().mkpath(dir);
    const QStringList names = {
        u"2312091512305.pdf"_s,       u"2312091512305.pdf_231209_151230.bak"_s,
        u"2312091512305.pdf_x.bak"_s, u"23120915123050.pdf"_s,
        u"2312091512306"_s,           u"2312091512306.tmp"_s};
    for (const QString& name : names) {
        QFile f(dir + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    RemovePreviewCopy(dir + names[0]);
    RemovePreviewCopy(dir + names[4]);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files, QDir::Name),
              (QStringList{u"2312091512305.pdf_x.bak"_s, u"23120915123050.pdf"_s}));
}

}  // namespace
