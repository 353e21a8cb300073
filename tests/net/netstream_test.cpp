// The blocking stream: its error kinds, bounded lines, and large transfers through a stream
// handler of the test server (the way the file channel runs), plain and TLS.

#include "core/netstream.h"
#include "support/ports.h"
#include "support/temphome.h"
#include "testing/docserver/codec/stream.h"
#include "testing/docserver/server.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ov;
using namespace ov::test;

namespace {

using Kind = NetError::Kind;

Kind kindOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const NetError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no NetError raised";
    return Kind::Other;
}

// Echoes a length-prefixed block back in pieces of odd sizes.
void echo(PeerStream& stream, const QByteArray&) {
    qint64 left = wire::readInt64(stream);
    char buffer[5000];
    while (left > 0) {
        const qint64 n = stream.readSome(buffer, std::min<qint64>(left, sizeof buffer));
        stream.write(buffer, n);
        left -= n;
    }
}

class StreamTest : public ::testing::TestWithParam<bool> {
protected:
    StreamTest() : server(DocServer::Options{GetParam()}) {}

    void connect(NetStream& stream) {
        stream.connectTo(QStringLiteral("localhost"), server.port(), GetParam());
    }

    TempHome home;
    DocServer server;
};

TEST_P(StreamTest, LargeBlocksArriveWholeInCallerBuffers) {
    server.setStreamHandler("ECHO", echo);
    QByteArray data(1024 * 1024 + 7, Qt::Uninitialized);
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = char((i * 7919) >> 3);

    NetStream stream;
    connect(stream);
    stream.write(QByteArray("ECHO\r\n"));
    stream.writeInt64(data.size());
    stream.write(data);
    QByteArray back(data.size(), Qt::Uninitialized);
    for (qsizetype done = 0; done < back.size(); done += 0x8000)
        stream.readExact(back.data() + done, std::min<qsizetype>(0x8000, back.size() - done));
    EXPECT_EQ(back, data);
}

TEST_P(StreamTest, UnknownFirstLinesGoToTheFallback) {
    server.setFallbackHandler(
        [](PeerStream& stream, const QByteArray& line) { stream.write(line + "|fallback\n"); });
    server.setStreamHandler("VESKO_FILE /TCP/1.0", [](PeerStream& stream, const QByteArray&) {
        wire::writeInt32(stream, -2);
        wire::writeInt64(stream, 0x0102030405060708);
    });
    NetStream file;
    connect(file);
    file.write(QByteArray("VESKO_FILE /TCP/1.0\r\n"));
    EXPECT_EQ(file.readInt32(), -2);
    EXPECT_EQ(file.readInt64(), 0x0102030405060708);

    NetStream http;
    connect(http);
    http.write(QByteArray("GET / HTTP/1.1\r\n"));
    EXPECT_EQ(http.readLine(), QByteArray("GET / HTTP/1.1|fallback"));
}

TEST_P(StreamTest, FailuresHaveTheirKinds) {
    server.setStreamHandler("SILENT", [](PeerStream& stream, const QByteArray&) {
        char byte;
        stream.readExact(&byte, 1);  // waits until the client gives up
    });
    server.setStreamHandler("CLOSE", [](PeerStream&, const QByteArray&) {});
    server.setStreamHandler("LONG", [](PeerStream& stream, const QByteArray&) {
        stream.write(QByteArray(100, 'x') + "\r\n");
    });
    NetStream stream;
    stream.setReadTimeout(200);
    const struct {
        const char* line;
        Kind kind;
    } cases[] = {{"SILENT", Kind::TimeOut}, {"CLOSE", Kind::Closed}, {"LONG", Kind::Protocol}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        connect(stream);
        stream.write(QByteArray(c.line) + "\r\n");
        EXPECT_EQ(kindOf([&] { stream.readLine(50); }), c.kind);
        stream.close();
    }
    EXPECT_EQ(kindOf([&] { stream.readInt32(); }), Kind::Closed);  // not connected
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, StreamTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

TEST(NetStream, ConnectFailuresHaveTheirKinds) {
    NetStream stream;
    EXPECT_EQ(kindOf([&] {
                  stream.connectTo(QStringLiteral("127.0.0.1"), ov::test::closedPort(), false);
              }),
              Kind::Refused);
    EXPECT_EQ(
        kindOf([&] { stream.connectTo(QStringLiteral("no-such-host.invalid"), 8090, false); }),
        Kind::HostNotFound);
    EXPECT_FALSE(stream.isOpen());
}

}  // namespace
