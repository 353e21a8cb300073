// The test server's file channel answering a client whose every byte is written out by hand:
// statuses, the server time line, resume offers with their tail checks, start and count, the
// data, the end marks 0xFFF0 and 0xFFEE, error lines and the closing Int64 or Int32.

#include "rawpeer.h"

using namespace ov;
using namespace ov::test;

namespace {

const QByteArray Content = "0123456789ABCDEFGHIJ";  // 20 bytes
const QByteArray Zero8 = Hex("00 00 00 00 00 00 00 00");
const QByteArray OverMark = Hex("00 00 FF F0");

class ServerFileWireTest : public RawPeerTest {
protected:
    ServerFileWireTest() {
        files.setContent(demo::ReportFile, Content);
        std::lock_guard lock(model.mutex);
        model.file(demo::ReportFile)->modified = 45000.5;  // 45000500000000 on the wire
    }
};

TEST_F(ServerFileWireTest, DownloadAnswersTheOffer) {
    struct Case {
        const char* what;
        QByteArray offer;  // offset and check as the client sends them
        QByteArray reply;  // after the status and the time line
    };
    const Case cases[] = {
        {"resumed at 16: the check is bytes 8..15 in reverse order",
         Hex("00 00 00 00 00 00 00 10") + "FEDCBA98",
         Hex("00 00 00 00 00 00 00 10 00 00 00 00 00 00 00 04") + "GHIJ" + OverMark},
        {"a check in reading order does not hold", Hex("00 00 00 00 00 00 00 10") + "89ABCDEF",
         Zero8 + Hex("00 00 00 00 00 00 00 14") + Content + OverMark},
        {"nothing held", Zero8 + Zero8,
         Zero8 + Hex("00 00 00 00 00 00 00 14") + Content + OverMark},
        {"an offer past the size", Hex("00 00 00 00 00 00 00 20") + "FEDCBA98",
         Zero8 + Hex("00 00 00 00 00 00 00 14") + Content + OverMark},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const QByteArray got = FileExchange(
            Hex("00 00 00 02") +
            ParamLine(TokenPrefix() + QStringLiteral("[FileKey]2001[/FileKey]")) + k.offer);
        EXPECT_EQ(got.toHex(' '), (Hex("00 00 00 0A") + "45000500000000\r\n" + k.reply).toHex(' '));
    }
}

TEST_F(ServerFileWireTest, ReceiveByParameterTextEndsWithAnInt64) {
    const QByteArray opening =
        Hex("00 00 00 08") + ParamLine(TokenPrefix() + QStringLiteral("[FileKey]2001[/FileKey]"));
    EXPECT_EQ(
        FileExchange(opening + Zero8 + Zero8).toHex(' '),
        (Hex("00 00 00 0A") + Zero8 + Hex("00 00 00 00 00 00 00 14") + Content + OverMark + Zero8)
            .toHex(' '))
        << "no time line";
    NextTransfer next;
    next.errorLine = QStringLiteral("gone");
    files.setNext(next);
    EXPECT_EQ(FileExchange(Hex("00 00 00 08") +
                           ParamLine(TokenPrefix() + QStringLiteral("[FileKey]9999[/FileKey]")))
                  .toHex(' '),
              (Hex("00 00 00 08") + "gone\r\n" + Zero8).toHex(' '))
        << "status 8, the error line as it stands, an Int64";
}

TEST_F(ServerFileWireTest, RefusalsSayOnlyWhatTheCommandPromises) {
    struct Case {
        const char* what;
        QByteArray sent;
        QByteArray reply;
    };
    const QString folder =
        QStringLiteral("[DestOwnerId]100001[/DestOwnerId][DestFolderId]20[/DestFolderId]");
    const Case cases[] = {
        {"download of an unknown key: the status alone",
         Hex("00 00 00 02") + ParamLine(TokenPrefix() + QStringLiteral("[FileKey]9999[/FileKey]")),
         Hex("00 00 00 08")},
        {"upload without a token: status 7 and no key",
         Hex("00 00 00 01") +
             ParamLine(folder + QStringLiteral("[PathAndName]a.txt[/PathAndName]")),
         Hex("00 00 00 07") + Zero8},
        {"version without a token: the status alone",
         Hex("00 00 00 03") + ParamLine(QStringLiteral("[Key]2001[/Key]")), Hex("00 00 00 07")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(FileExchange(k.sent).toHex(' '), k.reply.toHex(' '));
    }
}

TEST_F(ServerFileWireTest, NameTakenGivesStatus100AndAnEncodedLine) {
    NextTransfer next;
    next.errorLine = QStringLiteral("同名");
    files.setNext(next);
    const QByteArray got = FileExchange(
        Hex("00 00 00 01") +
        ParamLine(TokenPrefix() +
                  QStringLiteral("[DestOwnerId]100001[/DestOwnerId][DestFolderId]20[/DestFolderId]"
                                 "[PathAndName]D:\\周报.xlsx[/PathAndName]")));
    EXPECT_EQ(got.toHex(' '), (Hex("00 00 00 64") + "%_E5908CE5908D_%\r\n" + Zero8).toHex(' '));
}

// A cut after 40 of 50 bytes leaves a part; the next upload of the same file is offered 32 with
// bytes 24..31 reversed, takes the rest and answers with the new key.
TEST_F(ServerFileWireTest, NewFileUploadResumesWhatACutLeft) {
    const QByteArray data = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWX";  // 50 bytes
    const QByteArray opening =
        Hex("00 00 00 01") +
        ParamLine(TokenPrefix() +
                  QStringLiteral("[DestOwnerId]100001[/DestOwnerId][DestFolderId]20[/DestFolderId]"
                                 "[PathAndName]new.txt[/PathAndName][Size]50[/Size]"
                                 "[ModifyDate]45000500000000[/ModifyDate]"));
    NextTransfer cut;
    cut.fault = {FileFault::Kind::Cut, 40, 0};
    files.setNext(cut);
    EXPECT_EQ(
        FileExchange(opening + Zero8 + Hex("00 00 00 00 00 00 00 32") + data.left(40)).toHex(' '),
        (Hex("00 00 00 03") + Zero8 + Zero8).toHex(' '))
        << "a fresh upload is offered 0 with check 0";
    {
        std::lock_guard lock(model.mutex);
        ASSERT_EQ(model.files.rbegin()->first, demo::PriceFile) << "the demo's last key";
    }
    EXPECT_EQ(
        FileExchange(opening + Hex("00 00 00 00 00 00 00 20 00 00 00 00 00 00 00 12") +
                     data.mid(32) + OverMark)
            .toHex(' '),
        (Hex("00 00 00 03 00 00 00 00 00 00 00 20") + "FEDCBAzy" + Hex("00 00 00 00 00 00 0B BA"))
            .toHex(' '));
    EXPECT_EQ(files.content(3002), data);
}

TEST_F(ServerFileWireTest, VersionAndStreamUploadsEndWithAnInt32) {
    struct Case {
        const char* what;
        QByteArray opening;
        QByteArray offer;  // what the server offers after the status 3
        QByteArray end;    // the end mark the client sends
        QByteArray final;  // the server's last word
    };
    const QString key = QStringLiteral("[Key]2001[/Key]");
    const QByteArray version = Hex("00 00 00 03") + ParamLine(TokenPrefix() + key);
    const QByteArray stream =
        Hex("00 00 00 05") + ParamLine(TokenPrefix() + key + QStringLiteral("[Ext]png[/Ext]"));
    const Case cases[] = {
        {"version, complete", version, Zero8 + Zero8, OverMark, Hex("00 00 00 03")},
        {"version, marked as stopped early", version, Zero8 + Zero8, Hex("00 00 FF EE"),
         Hex("00 00 00 15")},
        {"stream, complete", stream, Zero8 + Zero8, OverMark, Hex("00 00 00 01")},
        {"stream, marked as stopped early", stream, Zero8 + Zero8, Hex("00 00 FF EE"),
         Hex("00 00 00 15")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const QByteArray got =
            FileExchange(k.opening + Zero8 + Hex("00 00 00 00 00 00 00 03") + "PNG" + k.end);
        EXPECT_EQ(got.toHex(' '), (Hex("00 00 00 03") + k.offer + k.final).toHex(' '));
    }
    EXPECT_EQ(files.content(demo::ReportFile), "PNG");
}

TEST_F(ServerFileWireTest, MalformedParameterLinesEndTheConnection) {
    for (const char* line : {"[FileKey]2001[/FileKey]\r\n", "%_5B46_\r\n", "%_5G_%\r\n"}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(FileExchange(Hex("00 00 00 02") + line), QByteArray());
    }
}

}  // namespace
