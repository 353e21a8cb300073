// The control-channel client against the test server over real loopback sockets, plain and TLS:
// the exact request bytes, how replies are read, and every failure reaching the client.

#include "core/pipetcpclient.h"
#include "support/ports.h"
#include "support/temphome.h"
#include "testing/docserver/server.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ov;
using namespace ov::test;

namespace {

const QString ConnectionFailed = QStringLiteral("Network connection failed");
const QString TransmissionError = QStringLiteral("An error occurred during transmission");

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray utf16le(const QString& text) {
    QByteArray out;
    for (QChar c : text)
        out += bytes({c.unicode() & 0xFF, c.unicode() >> 8});
    return out;
}

// A reply frame written out by hand: L, header with the state byte, optional m and payload,
// trailer.
QByteArray replyFrame(qint32 length, int state, std::optional<qint32> payloadSize,
                      const QByteArray& payload, quint32 trailer = 0xFFEE) {
    QByteArray out;
    auto be = [&out](quint32 v) {
        out += bytes({int(v >> 24), int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v & 0xFF)});
    };
    be(quint32(length));
    out += bytes({2, 0, state, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    if (payloadSize) be(quint32(*payloadSize));
    out += payload;
    be(trailer);
    return out;
}

class PipeClientTest : public ::testing::TestWithParam<bool> {
protected:
    PipeClientTest() : server(DocServer::Options{GetParam()}) {
        client.SetHost(server.host());
        client.SetPort(server.port());
        client.SetUseTls(GetParam());
    }

    void replyWith(const QByteArray& raw) {
        server.setControlHandler([raw](const ControlRequest&) {
            ControlReply reply;
            reply.rawFrame = raw;
            return reply;
        });
    }

    TempHome home;  // the TLS runs pin the test certificate here
    DocServer server;
    TPipeTcpClient client;
};

TEST_P(PipeClientTest, RequestFramesAreExact) {
    const QByteArray greeting = "VESKO /TCP/1.0\r\n";
    // No payload: L = 20, header, end mark; the numeric arguments travel little-endian.
    client.Tcp_GetText(TT_GetFileList, 0x01020304, -2);
    // A text request keeps the arguments of the request before it; 'abc' is 6 bytes, L = 26.
    client.Tcp_GetText(TT_GetLogs, QStringLiteral("abc"));
    client.Tcp_GetText(TT_GetLogs, QString());

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    const QByteArray head = bytes({4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
    EXPECT_EQ(requests[0].raw,
              greeting + bytes({0, 0, 0, 20, 2, 0, 35, 0}) + head + bytes({0, 0, 0xFF, 0xEE}));
    EXPECT_EQ(requests[1].raw.size(), greeting.size() + 34);
    EXPECT_EQ(requests[1].raw, greeting + bytes({0, 0, 0, 26, 2, 0, 36, 0}) + head +
                                   bytes({0, 0, 0, 6, 'a', 0, 'b', 0, 'c', 0, 0, 0, 0xFF, 0xEE}));
    EXPECT_EQ(requests[2].raw.size(), greeting.size() + 24);
    EXPECT_EQ(requests[2].length, 20);
}

TEST_P(PipeClientTest, RepliesAreReadAsTheirOwnLengthSays) {
    struct Case {
        const char* name;
        QByteArray frame;
        QString text;
    };
    const QByteArray abc = utf16le(QStringLiteral("abc"));
    const Case cases[] = {
        {"header only", replyFrame(20, 'P', std::nullopt, {}), QString()},
        {"payload text", replyFrame(26, 'P', 6, abc), QStringLiteral("abc")},
        {"L larger than the payload", replyFrame(500, 'P', 6, abc), QStringLiteral("abc")},
        {"L smaller than the payload", replyFrame(21, 'P', 6, abc), QStringLiteral("abc")},
        {"odd payload size", replyFrame(27, 'P', 7, abc + 'x'), QStringLiteral("abc")},
        {"Chinese text", replyFrame(24, 'P', 4, utf16le(QStringLiteral("文件"))),
         QStringLiteral("文件")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        replyWith(c.frame);
        EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, 0, 0), c.text);
    }
    EXPECT_EQ(client.GetLastError(), QString());
}

TEST_P(PipeClientTest, WrongTrailerKeepsTheReplyAndTheErrorText) {
    replyWith(replyFrame(26, 'P', 6, utf16le(QStringLiteral("abc")), 0x12345678));
    EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, 0, 0), QStringLiteral("abc"));
    EXPECT_EQ(client.GetLastError(), TransmissionError);

    server.setControlHandler({});  // a plain, correct reply; the old text stays
    EXPECT_TRUE(client.Tcp_Post(TT_GetLogs, 0, 0));
    EXPECT_EQ(client.GetLastError(), TransmissionError);
}

TEST_P(PipeClientTest, ImpossiblePayloadSizesAreTransmissionErrors) {
    for (qint32 size : {TPipeTcpClient::MaxReplyPayload + 1, qint32(0x7FFFFFFF), qint32(-1)}) {
        SCOPED_TRACE(size);
        replyWith(replyFrame(26, 'P', size, utf16le(QStringLiteral("abc"))));
        EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, QStringLiteral("x")), QString());
        EXPECT_EQ(client.Tcp_GetStream(TT_GetLogs, 0, 0), nullptr);
        EXPECT_EQ(client.GetLastError(), TransmissionError);
    }
}

TEST_P(PipeClientTest, PrimitivesReturnTheReply) {
    server.setControlHandler([](const ControlRequest& request) {
        return ControlReply::withText('<', request.text() + QStringLiteral("!"));
    });
    EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, QStringLiteral("ping")), QStringLiteral("ping!"));
    QBuffer* stream = client.Tcp_GetStream(TT_GetLogs, 1, 2);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream, client.RecStream());
    EXPECT_EQ(stream->pos(), 0);
    EXPECT_EQ(stream->readAll(), utf16le(QStringLiteral("!")));
    EXPECT_TRUE(client.IP_Test());
    EXPECT_EQ(client.GetServerStatus(), '<');
    EXPECT_EQ(server.requests().back().head.TranType, TT_GetServerStatus);
    EXPECT_EQ(client.GetLastError(), QString());
}

TEST_P(PipeClientTest, EveryFaultReachesTheFailureHandling) {
    struct Case {
        const char* name;
        Fault fault;
        int bytes;
    };
    const Case cases[] = {
        {"refused", Fault::Refuse, 0},
        {"closed inside the length", Fault::CloseAfterBytes, 2},
        {"closed inside the header", Fault::CloseAfterBytes, 10},
        {"closed inside the payload", Fault::CloseAfterBytes, 27},
        {"closed inside the trailer", Fault::CloseAfterBytes, 36},
        {"stalled", Fault::Stall, 0},
    };
    server.setControlHandler(
        [](const ControlRequest&) { return ControlReply::withText('P', QStringLiteral("reply")); });
    client.SetReadTimeout(300);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.setFault(c.fault, c.bytes);
        EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, QStringLiteral("q")), QString());
        EXPECT_EQ(client.Tcp_GetStream(TT_GetLogs, 0, 0), nullptr);
        EXPECT_FALSE(client.IP_Test());
        EXPECT_EQ(client.GetServerStatus(), 20);
        EXPECT_EQ(client.GetLastError(), ConnectionFailed);
    }
    client.SetReadTimeout(NetStream::DefaultReadTimeoutMs);
    server.setFault(Fault::WrongTrailer);
    EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, QStringLiteral("q")), QStringLiteral("reply"));
    EXPECT_EQ(client.GetLastError(), TransmissionError);
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, PipeClientTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

TEST(PipeClient, UnreachableServersFailWithTheConnectionText) {
    TPipeTcpClient client;
    for (const QString& host :
         {QStringLiteral("127.0.0.1"), QStringLiteral("no-such-host.invalid")}) {
        SCOPED_TRACE(host.toStdString());
        client.SetHost(host);
        client.SetPort(ov::test::closedPort());
        EXPECT_EQ(client.GetServerStatus(), 20);
        EXPECT_EQ(client.GetLastError(), ConnectionFailed);
        EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, QStringLiteral("x")), QString());
    }
}

TEST(PipeClient, AnUnsentRequestDoesNotGoOutWithTheNextOne) {
    DocServer server;
    TPipeTcpClient client;
    client.SetHost(server.host());
    client.SetPort(ov::test::closedPort());
    EXPECT_EQ(client.Tcp_GetText(TT_GetLogs, QStringLiteral("stale")), QString());

    client.SetPort(server.port());
    EXPECT_TRUE(client.Tcp_Post(TT_GetFileList, 1, 2));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].length, 20);
    EXPECT_TRUE(server.requests()[0].payload.isEmpty());
}

}  // namespace
