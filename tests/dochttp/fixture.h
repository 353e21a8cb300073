#pragma once
// The HTTP side of the test server with its demo content over real loopback sockets; each test
// runs once in plain TCP and once under TLS. Requests go out as raw bytes through a blocking
// socket, so that malformed requests can be sent as well.

#include "support/temphome.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/httpside.h"

#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ov::test {

struct HttpReply {
    int status = 0;  // 0: no status line arrived
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QByteArray header(const QByteArray& name) const;
    QString text() const { return QString::fromUtf8(body); }
};

// Sends the bytes and reads until the server closes (or the time-out passes).
HttpReply Exchange(bool tls, quint16 port, const QByteArray& request, int timeoutMs = 10000);

// The one-time page token as the desktop program builds it.
QString ClientToken(const QString& userToken);
// A query value as the program's URI encoder writes it.
QString Encoded(const QString& value);

class DocHttpTest : public ::testing::TestWithParam<bool> {
protected:
    DocHttpTest() : server(DocServer::Options{GetParam()}) {
        demo::LoadDemo(model);
        http.install(server);
    }

    HttpReply get(const QString& target) const {
        return Exchange(GetParam(), server.port(),
                        "GET " + target.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    }
    HttpReply raw(const QByteArray& request) const {
        return Exchange(GetParam(), server.port(), request);
    }
    // Reads or changes the model as the server does, under its lock.
    template <typename F>
    auto inModel(F f) {
        std::lock_guard lock(model.mutex);
        return f(model);
    }

    TempHome home;
    DocModel model;
    DocHttp http{model};
    DocServer server;
};

inline std::string TlsName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Tls" : "Plain";
}

}  // namespace ov::test
