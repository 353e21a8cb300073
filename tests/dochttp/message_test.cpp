// Reading requests and writing responses: query decoding, bodies, and the requests that are
// refused (each answered with its status, not with a dropped connection).

#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

TEST(HttpQuery, DecodesComponentsAsUtf8) {
    const auto pairs = decodeQuery("a=1&name=%E6%9C%BA%E6%A2%B0+A%2BB&&flag&bad=%zz%4&empty=");
    ASSERT_EQ(pairs.size(), 5);
    EXPECT_EQ(pairs[0], (QPair<QString, QString>{u"a"_s, u"1"_s}));
    EXPECT_EQ(pairs[1], (QPair<QString, QString>{u"name"_s, u"机械 A+B"_s}));
    EXPECT_EQ(pairs[2], (QPair<QString, QString>{u"flag"_s, QString()}));
    EXPECT_EQ(pairs[3], (QPair<QString, QString>{u"bad"_s, u"%zz%4"_s}));
    EXPECT_EQ(pairs[4], (QPair<QString, QString>{u"empty"_s, QString()}));
}

using MessageTest = DocHttpTest;

TEST_P(MessageTest, RefusedRequestsAreAnsweredWithTheirStatus) {
    const QByteArray longLine(9000, 'a');
    QByteArray manyHeaders;
    for (int i = 0; i < 120; ++i)
        manyHeaders += "X-" + QByteArray::number(i) + ": 1\r\n";
    const struct {
        const char* name;
        QByteArray request;
        int status;
    } cases[] = {
        {"long request line", "GET /" + longLine + " HTTP/1.1\r\n\r\n", 414},
        {"long header", "GET /doc HTTP/1.1\r\nX-Long: " + longLine + "\r\n\r\n", 431},
        {"too many headers", "GET /doc HTTP/1.1\r\n" + manyHeaders + "\r\n", 431},
        {"no version", "GET /doc\r\n\r\n", 400},
        {"other protocol", "GET /doc HTTP/2.0\r\n\r\n", 505},
        {"target not a path", "GET doc HTTP/1.1\r\n\r\n", 400},
        {"header without colon", "GET /doc HTTP/1.1\r\nBroken\r\n\r\n", 400},
        {"folded header", "GET /doc HTTP/1.1\r\nA: 1\r\n b\r\n\r\n", 400},
        {"bad length", "POST /doc HTTP/1.1\r\nContent-Length: 1x\r\n\r\n", 400},
        {"negative length", "POST /doc HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
        {"two lengths", "POST /doc HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab",
         400},
        {"chunked body", "POST /doc HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 411},
        {"body too large", "POST /doc HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n", 413},
        {"other method", "PUT /doc HTTP/1.1\r\nContent-Length: 0\r\n\r\n", 405},
        {"unknown path", "GET /nothing HTTP/1.1\r\n\r\n", 404},
        {"control greeting lookalike", "VESKO /TCP/9.9\r\n\r\n", 400},
    };
    for (const auto& c : cases) {
        const HttpReply reply = raw(c.request);
        EXPECT_EQ(reply.status, c.status) << c.name;
        EXPECT_EQ(reply.header("Connection"), "close") << c.name;
        EXPECT_EQ(reply.header("Content-Length").toInt(), reply.body.size()) << c.name;
    }
}

TEST_P(MessageTest, PostedFormAndAbsoluteTargetAreRead) {
    const QByteArray form = "opr=sc&userid=" + QByteArray::number(demo::DemoUser);
    const HttpReply posted =
        raw("POST /user HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
            "Content-Length: " +
            QByteArray::number(form.size()) + "\r\n\r\n" + form);
    EXPECT_EQ(posted.status, 200);
    EXPECT_EQ(posted.text(), http.content().scInfos);

    const HttpReply absolute = raw("GET http://127.0.0.1/doc HTTP/1.1\r\n\r\n");
    EXPECT_EQ(absolute.status, 200);
    const auto requests = http.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].body, form);
    EXPECT_EQ(requests[1].path, "/doc");
}

TEST_P(MessageTest, RequestThatNeverEndsTimesOutWithoutHoldingTheServer) {
    // A client that sends half a head and then nothing: the server answers 408 by itself.
    HttpLimits limits;
    limits.readTimeoutMs = 300;
    http.setLimits(limits);
    const HttpReply reply = raw("GET /doc HTTP/1.1\r\nHost: x\r\n");
    EXPECT_EQ(reply.status, 408);
}

INSTANTIATE_TEST_SUITE_P(Transports, MessageTest, ::testing::Bool(), TlsName);

}  // namespace

}  // namespace ov::test
