// The client's side of the file channel in bytes written out by hand: a scripted server sends
// literal statuses, offers, starts and end values, and records what the client sends back.

#include "fixture.h"

#include <QByteArray>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

using namespace ov;
using namespace ov::test;

namespace {

QByteArray Hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced));
}

QByteArray Read(PeerStream& s, qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    s.readExact(bytes.data(), size);
    return bytes;
}

// The command and the parameter line, read as bytes.
void SkipOpening(PeerStream& s) {
    Read(s, 4);
    for (char c = 0; c != '\n';)
        s.readExact(&c, 1);
}

class ClientFileWireTest : public FileChannelTest {
protected:
    // The file channel runs `script` on the next connection; what it reads is kept for Seen().
    void Script(std::function<void(PeerStream&, QByteArray&)> script) {
        {
            std::lock_guard lock(mutex);
            seen.reset();
        }
        server.setStreamHandler("VESKO_FILE /TCP/1.0",
                                [this, script](PeerStream& s, const QByteArray&) {
                                    QByteArray got;
                                    SkipOpening(s);
                                    script(s, got);
                                    std::lock_guard lock(mutex);
                                    seen = got;
                                });
    }
    // What the script read, once it has finished (the client may return before that).
    QByteArray Seen() {
        for (int i = 0; i < 200; ++i) {
            {
                std::lock_guard lock(mutex);
                if (seen) return *seen;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ADD_FAILURE() << "the script did not finish";
        return QByteArray();
    }

    ~ClientFileWireTest() override { server.stop(); }  // before the members the script uses

    std::mutex mutex;
    std::optional<QByteArray> seen;
};

// 100 bytes held: the offer is 96 with bytes 88..95 as check, in reverse order on the wire; the
// end value 2 cuts two filler bytes off the data.
TEST_F(ClientFileWireTest, DownloadOffersWhatItHoldsAndObeysTheEndValue) {
    struct Case {
        const char* what;
        QByteArray held;
        QByteArray offer;   // expected from the client
        QByteArray answer;  // start, count, data, end value
        QByteArray result;
    };
    const QByteArray held = QByteArray(88, 'x') + "ABCDEFGH" + "tail";
    const Case cases[] = {
        {"resumed at 96, two filler bytes", held, Hex("00 00 00 00 00 00 00 60") + "HGFEDCBA",
         Hex("00 00 00 00 00 00 00 60 00 00 00 00 00 00 00 06") + "123456" + Hex("00 00 00 02"),
         held.left(96) + "1234"},
        {"10 bytes held: offer 0, check 0", "0123456789",
         Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"),
         Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03") + "abc" + Hex("00 00 FF F0"),
         "abc"},
    };
    int i = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const QString target = Local(QStringLiteral("held%1.bin").arg(i++));
        WriteFile(target, k.held);
        Script([&k](PeerStream& s, QByteArray& got) {
            s.write(Hex("00 00 00 0A") + "45000500000000\r\n");
            got = Read(s, 16);
            s.write(k.answer);
        });
        EXPECT_EQ(Client()->DownloadFile(target, QString(), demo::ReportFile), RC_CanDownload);
        EXPECT_EQ(Seen().toHex(' '), k.offer.toHex(' '));
        EXPECT_EQ(ReadFile(target), k.result);
    }
}

// The server offers 16 with a check; the client starts there only when the check is its own
// bytes 8..15 in reverse order, and ends complete data with 0xFFF0.
TEST_F(ClientFileWireTest, UploadStartsWhereTheOfferHolds) {
    const QByteArray data = "0123456789ABCDEFGHIJ";
    const TTidyFile file = LocalUpload(QStringLiteral("up.bin"), data);
    struct Case {
        const char* what;
        QByteArray offer;
        QByteArray sent;  // start, count, data, end mark
    };
    const Case cases[] = {
        {"the check holds", Hex("00 00 00 00 00 00 00 10") + "FEDCBA98",
         Hex("00 00 00 00 00 00 00 10 00 00 00 00 00 00 00 04") + "GHIJ" + Hex("00 00 FF F0")},
        {"the check in reading order", Hex("00 00 00 00 00 00 00 10") + "89ABCDEF",
         Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 14") + data + Hex("00 00 FF F0")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const qint64 size = k.sent.size();
        Script([&k, size](PeerStream& s, QByteArray& got) {
            s.write(Hex("00 00 00 03") + k.offer);
            got = Read(s, size);
            s.write(Hex("00 00 00 00 00 00 07 D1"));
        });
        std::int64_t key = 0;
        EXPECT_EQ(Client()->UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key),
                  RC_CanUpload);
        EXPECT_EQ(Seen().toHex(' '), k.sent.toHex(' '));
        EXPECT_EQ(key, 2001);
    }
}

// A version upload ignores the server's two values and sends from 0; a cancel seen after the
// second of three chunks ends the data with 0xFFEE, and no final status is awaited.
TEST_F(ClientFileWireTest, VersionUploadSendsWholeAndMarksACancel) {
    const QByteArray data = Pattern(3 * FileChunkSize);
    WriteFile(Local(QStringLiteral("v.bin")), data);
    std::atomic<bool> cancel{false};
    auto c = Client();
    c->PIsBreak = &cancel;
    c->OnWorkEx = [&](void*) { cancel = true; };
    Script([](PeerStream& s, QByteArray& got) {
        s.write(Hex("00 00 00 03 00 00 00 00 00 00 00 10") + "FEDCBA98");
        got = Read(s, 16 + 2 * FileChunkSize + 4);
    });
    EXPECT_EQ(c->UploadFile2(Local(QStringLiteral("v.bin")), QString(), demo::ReportFile), 0);
    const QByteArray sent = Seen();
    EXPECT_EQ(sent.left(16).toHex(' '),
              Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 01 80 00").toHex(' '));
    EXPECT_EQ(sent.mid(16, 2 * FileChunkSize), data.left(2 * FileChunkSize));
    EXPECT_EQ(sent.right(4).toHex(' '), Hex("00 00 FF EE").toHex(' '));
}

}  // namespace
