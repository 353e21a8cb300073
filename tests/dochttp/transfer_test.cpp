// Program downloads below "/helper/", fetched by a real HTTP client (curl) as well as by raw
// requests, and the faults that the clients' failure handling is tested with.

#include "fixture.h"

#include "core/httpclient.h"

#include <minizip/unzip.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

struct CurlResult {
    int exitCode = -1;
    int status = 0;
    QByteArray body;
};

class TransferTest : public DocHttpTest {
protected:
    QString url(const QString& target) const {
        return (GetParam() ? u"https://127.0.0.1:"_s : u"http://127.0.0.1:"_s) +
               QString::number(server.port()) + target;
    }

    // curl as an outside client: no proxy, any certificate, the body into a file.
    CurlResult curl(const QString& target, const QStringList& extra = {}) const {
        const QString out = folder.filePath(u"curl.out"_s);
        QFile::remove(out);
        QProcess process;
        process.start(u"curl"_s,
                      QStringList{u"-sS"_s, u"-k"_s, u"--noproxy"_s, u"*"_s, u"--max-time"_s,
                                  u"20"_s, u"-o"_s, out, u"-w"_s, u"%{http_code}"_s} +
                          extra + QStringList{url(target)});
        CurlResult result;
        if (!process.waitForFinished(30000)) return result;
        result.exitCode = process.exitCode();
        result.status = process.readAllStandardOutput().toInt();
        QFile file(out);
        if (file.open(QIODevice::ReadOnly)) result.body = file.readAll();
        return result;
    }

    // A 3 MiB file of random bytes in the helper folder.
    QByteArray putBigHelper() {
        QByteArray bytes(3 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        QDir().mkpath(folder.filePath(u"helper"_s));
        QFile file(folder.filePath(u"helper/big.bin"_s));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        DocHttpContent content = http.content();
        content.helperFolder = folder.filePath(u"helper"_s);
        http.setContent(content);
        return bytes;
    }

    QTemporaryDir folder;
};

// Every entry of a ZIP archive with its bytes; reading checks each entry's CRC.
std::map<QByteArray, QByteArray> unzipAll(const QString& path) {
    std::map<QByteArray, QByteArray> entries;
    unzFile zip = unzOpen(QFile::encodeName(path).constData());
    if (!zip) return entries;
    for (int more = unzGoToFirstFile(zip); more == UNZ_OK; more = unzGoToNextFile(zip)) {
        char name[256];
        unz_file_info info;
        unzGetCurrentFileInfo(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        QByteArray data(qsizetype(info.uncompressed_size), Qt::Uninitialized);
        unzOpenCurrentFile(zip);
        const int read = unzReadCurrentFile(zip, data.data(), unsigned(data.size()));
        const bool sound = unzCloseCurrentFile(zip) == UNZ_OK && read == data.size();
        entries[name] = sound ? data : QByteArray("<damaged>");
    }
    unzClose(zip);
    return entries;
}

TEST_P(TransferTest, HelperProgramsAndArchive) {
    const CurlResult viewer = curl(u"/helper/OvExtViewer.exe"_s);
    EXPECT_EQ(viewer.exitCode, 0);
    EXPECT_EQ(viewer.body, http.content().helperFiles.at(u"OvExtViewer.exe"_s));
    EXPECT_EQ(get(u"/helper/OvCtrlUpdate.exe"_s).status, 200);

    const CurlResult archive = curl(u"/helper/qrreader.zip"_s);
    ASSERT_EQ(archive.status, 200);
    const auto entries = unzipAll(folder.filePath(u"curl.out"_s));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries.at("libzimgscan.exe")
                    .startsWith("\x7F"
                                "ELF"));
    EXPECT_TRUE(entries.at("readme.txt").startsWith("Code reader"));
}

TEST_P(TransferTest, HelperFolderIsStreamedAndCannotBeLeft) {
    const QByteArray bytes = putBigHelper();
    QFile outside(folder.filePath(u"secret.txt"_s));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly) && outside.write("secret") == 6);
    outside.close();
    QFile::link(outside.fileName(), folder.filePath(u"helper/link.txt"_s));

    const CurlResult big = curl(u"/helper/big.bin"_s);
    EXPECT_EQ(big.status, 200);
    EXPECT_TRUE(big.body == bytes);
    for (const QString& target :
         {u"/helper/..%2Fsecret.txt"_s, u"/helper/%2E%2E"_s, u"/helper/link.txt"_s, u"/helper/"_s,
          u"/helper/missing.exe"_s, u"/helper/..%5Csecret.txt"_s})
        EXPECT_EQ(get(target).status, 404) << target.toStdString();
}

TEST_P(TransferTest, CutAndStalledAnswers) {
    const QByteArray bytes = putBigHelper();
    http.setFault(HttpFault::CloseAfterBytes, 1000);
    const CurlResult cut = curl(u"/helper/big.bin"_s);
    EXPECT_EQ(cut.exitCode, 18);  // transfer closed with data outstanding
    EXPECT_EQ(cut.body, bytes.left(1000));

    http.setFault(HttpFault::Stall);
    const CurlResult stalled = curl(u"/user?opr=sc&userid=100001"_s, {u"--max-time"_s, u"1"_s});
    EXPECT_EQ(stalled.exitCode, 28);  // time-out
    http.setFault(HttpFault::None);
    EXPECT_EQ(curl(u"/user?opr=sc&userid=100001"_s).status, 200);
}

TEST_P(TransferTest, PostedFormWithContinueExpectation) {
    const QString form =
        u"opr=sc&userid="_s + QString::number(demo::DemoUser) + u"&pad="_s + QString(4000, u'x');
    const CurlResult posted =
        curl(u"/user"_s, {u"--data"_s, form, u"-H"_s, u"Expect: 100-continue"_s,
                          // curl sends the body only on the interim answer within the time.
                          u"--expect100-timeout"_s, u"30"_s, u"--max-time"_s, u"10"_s});
    EXPECT_EQ(posted.status, 200);
    EXPECT_EQ(QString::fromUtf8(posted.body), http.content().scInfos);
}

// The program's own HTTP client against the server: a streamed download with progress, a text,
// a refusal and a stalled answer.
TEST_P(TransferTest, TheProgramsHttpClient) {
    const QByteArray bytes = putBigHelper();
    TSSLHttp client(GetParam());
    client.setReadTimeout(10000);
    qint64 received = 0, total = 0;
    client.setOnProgress([&](qint64 done, qint64 size) { received = done, total = size; });
    const QString file = folder.filePath(u"big.bin"_s);
    client.GetToFile(url(u"/helper/big.bin"_s), file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll() == bytes);
    EXPECT_EQ(received, bytes.size());
    EXPECT_EQ(total, bytes.size());

    const QString levels = u"/user?opr=sc&userid="_s + QString::number(demo::DemoUser);
    EXPECT_EQ(client.Get(url(levels)), http.content().scInfos);
    try {
        client.Get(url(u"/user?opr=sc&userid=999999"_s));
        ADD_FAILURE() << "an unknown user was answered";
    } catch (const HttpError& e) {
        EXPECT_EQ(e.kind(), HttpError::Kind::Status);
        EXPECT_EQ(e.status(), 403);
    }

    http.setFault(HttpFault::Stall);
    client.setReadTimeout(500);
    try {
        client.Get(url(levels));
        ADD_FAILURE() << "a stalled answer did not time out";
    } catch (const HttpError& e) {
        EXPECT_EQ(e.kind(), HttpError::Kind::TimeOut);
    }
    http.setFault(HttpFault::None);
}

INSTANTIATE_TEST_SUITE_P(Transports, TransferTest, ::testing::Bool(), TlsName);

}  // namespace

}  // namespace ov::test
