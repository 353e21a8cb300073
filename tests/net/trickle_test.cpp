// A server that sends one byte every few milliseconds never trips a read time-out; the request
// limit and the minimum rate end such exchanges on the control channel, the file channel and
// HTTP, while data that keeps moving may take longer than a request.

#include "core/httpclient.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "support/temphome.h"
#include "support/trickleserver.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray be32(quint32 v) {
    QByteArray out(4, Qt::Uninitialized);
    for (int i = 0; i < 4; ++i)
        out[i] = char(v >> (24 - 8 * i));
    return out;
}

QByteArray be64(quint64 v) {
    return be32(quint32(v >> 32)) + be32(quint32(v));
}

// A control reply that announces a payload of a million bytes and then trickles it.
QByteArray endlessControlReply() {
    QByteArray head(16, '\0');
    head[0] = 2;
    head[2] = 'V';
    return be32(1000024) + head + be32(1000000) + QByteArray(4000, 'x');
}
constexpr int ControlBurst = 24;

// A download reply: status 10, the time line, start 0 and `count`, then the data and end mark.
QByteArray downloadReply(qint64 count, const QByteArray& data) {
    return be32(10) + "46000000000000\r\n" + be64(0) + be64(quint64(count)) + data +
           be32(0xFFF0);
}
constexpr int DownloadBurst = 4 + 16 + 16;

struct Case {
    const char* name;
    TransferLimits limits;
    int minMs;  // the exchange must not end before this (the limit is what ends it)
    int maxMs;
};

// Rate: about 50 bytes arrive per 400 ms window. Overall: no rate window ends before the
// request's limit. The upper bounds leave room for a loaded machine: without the limits these
// exchanges would take more than 30 s.
const Case ControlCases[] = {
    {"too slow", {20000, 1024, 400}, 350, 15000},
    {"too long", {800, 1, 20000}, 750, 15000},
};

TEST(Trickle, ControlRequestsEndAtTheirLimits) {
    TrickleServer server(endlessControlReply(), ControlBurst, 8);
    for (const Case& c : ControlCases) {
        SCOPED_TRACE(c.name);
        TRobotTcpClient client;
        client.SetHost(u"127.0.0.1"_s);
        client.SetPort(server.port());
        client.SetLimits(c.limits);
        QString id, name;
        std::int32_t id2 = 0;
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(client.Login(u"demo"_s, u"demo123"_s, {}, {}, {}, id, name, id2), 0);
        EXPECT_GE(clock.elapsed(), c.minMs);
        EXPECT_LT(clock.elapsed(), c.maxMs);
        EXPECT_EQ(client.GetLastError(), u"Network connection failed"_s);
    }
}

TEST(Trickle, ADownloadTooSlowFailsAfterItsResumeAttempt) {
    TempHome home;
    TrickleServer server(downloadReply(1000000, QByteArray(4000, 'd')), DownloadBurst, 8);
    TRobotTcpClient client;
    client.SetHost(u"127.0.0.1"_s);
    client.SetPort(server.port());
    client.SetLanguage(HSL_ENG);
    client.SetLimits({20000, 1024, 400});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(client.DownloadFile(home.file(u"big.bin"_s), {}, 7), RC_TimeOut);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(client.GetLastError(), u" File transfer timeout! "_s);
    EXPECT_EQ(server.connections(), 2);  // the one resume attempt
}

TEST(Trickle, DataThatKeepsMovingMayOutlastTheRequestLimit) {
    TempHome home;
    const QByteArray data(100, 'd');
    TrickleServer server(downloadReply(data.size(), data), DownloadBurst, 8);
    TRobotTcpClient client;
    client.SetHost(u"127.0.0.1"_s);
    client.SetPort(server.port());
    client.SetLimits({300, 1, 20000});
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(client.DownloadFile(home.file(u"small.bin"_s), {}, 7), RC_CanDownload);
    EXPECT_GT(clock.elapsed(), 300);
    QFile file(home.file(u"small.bin"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), data);
}

TEST(Trickle, HttpBodiesEndAtTheirLimits) {
    const QByteArray reply =
        "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + QByteArray(4000, 'h');
    TrickleServer server(reply, 40, 8);
    const Case cases[] = {
        {"too slow", {20000, 1024, 600}, 550, 15000},
        {"too long", {800, 1, 20000}, 750, 15000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSSLHttp http;
        http.setLimits(c.limits);
        QElapsedTimer clock;
        clock.start();
        try {
            http.GetBytes(u"http://127.0.0.1:%1/page"_s.arg(server.port()));
            ADD_FAILURE() << "no failure";
        } catch (const HttpError& e) {
            EXPECT_EQ(e.kind(), HttpError::Kind::TimeOut) << e.message().toStdString();
        }
        EXPECT_GE(clock.elapsed(), c.minMs);
        EXPECT_LT(clock.elapsed(), c.maxMs);
    }
}

}  // namespace
