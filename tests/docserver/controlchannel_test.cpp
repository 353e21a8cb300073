// The test server's control channel read and answered in bytes written out by hand: the length
// field, the header with its little-endian arguments, the payload block only when there is a
// payload, UTF-16LE text and the trailer 0xFFEE.

#include "rawpeer.h"

using namespace ov;
using namespace ov::test;

namespace {

using ControlWireTest = RawPeerTest;

TEST_F(ControlWireTest, RequestsAreReadAndRepliesFramedByteForByte) {
    model.rules.clientVersion = QStringLiteral("1.2");
    NetStream stream;
    Connect(stream);
    // Server status (22): no payload, L = 20; the arguments arrive little-endian.
    stream.write(
        "VESKO /TCP/1.0\r\n" +
        Hex("00 00 00 14  02 00 16 00  04 03 02 01  FE FF FF FF  00 00 00 00  00 00 FF EE"));
    QByteArray reply(24, 0);
    stream.readExact(reply.data(), reply.size());
    EXPECT_EQ(reply.toHex(' '),
              Hex("00 00 00 14  02 00 50 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 FF EE")
                  .toHex(' '));
    const ControlRequest request = server.requests().at(0);
    EXPECT_EQ(request.head.TranType, 22);
    EXPECT_EQ(request.head.FreeInt, 0x01020304);
    EXPECT_EQ(request.head.FreeInt2, -2);
    EXPECT_TRUE(request.payload.isEmpty());

    // Client version (70) on the same connection: "1.2" comes back as six bytes of UTF-16LE.
    stream.write(
        "VESKO /TCP/1.0\r\n" +
        Hex("00 00 00 14  02 00 46 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 FF EE"));
    reply.resize(34);
    stream.readExact(reply.data(), reply.size());
    EXPECT_EQ(reply.toHex(' '),
              Hex("00 00 00 1A  02 00 50 00  00 00 00 00  00 00 00 00  00 00 00 00"
                  "00 00 00 06  31 00 2E 00  32 00  00 00 FF EE")
                  .toHex(' '));
}

TEST_F(ControlWireTest, RequestTextIsReadAsUtf16le) {
    NetStream stream;
    Connect(stream);
    // Login (84) with "[Name]x[/Name]": 14 characters, 28 bytes, L = 48.
    const QByteArray text =
        Hex("5B 00 4E 00 61 00 6D 00 65 00 5D 00 78 00"
            "5B 00 2F 00 4E 00 61 00 6D 00 65 00 5D 00");
    stream.write("VESKO /TCP/1.0\r\n" +
                 Hex("00 00 00 30  02 00 54 00  00 00 00 00  00 00 00 00"
                     "00 00 00 00  00 00 00 1C") +
                 text + Hex("00 00 FF EE"));
    QByteArray head(8, 0);
    stream.readExact(head.data(), head.size());
    EXPECT_EQ(head.toHex(' ').right(11), QByteArray("02 00 52 00")) << "refused: state 'R'";
    const ControlRequest request = server.requests().at(0);
    EXPECT_EQ(request.length, 48);
    EXPECT_EQ(request.text(), QStringLiteral("[Name]x[/Name]"));
    EXPECT_EQ(request.trailer, 0xFFEE);
}

}  // namespace
