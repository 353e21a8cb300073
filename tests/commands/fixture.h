#pragma once
// The document-server client against the test server with its demo content, over real loopback
// sockets; each test runs once in plain TCP and once under TLS.

#include "core/robottcpclient.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ov::test {

class CommandsTest : public ::testing::TestWithParam<bool> {
protected:
    CommandsTest() : server(DocServer::Options{GetParam()}) {
        demo::LoadDemo(model);
        commands.install(server);
    }

    // A fresh client as every caller makes one: host, port, TLS, language and token.
    std::unique_ptr<TRobotTcpClient> client(const QString& token = demo::DemoToken(),
                                            THS_Language language = HSL_ENG) {
        auto c = std::make_unique<TRobotTcpClient>(GetParam());
        c->SetHost(server.host());
        c->SetPort(server.port());
        c->SetLanguage(language);
        if (!token.isEmpty()) c->SetUserEncryptId(token);
        return c;
    }

    ControlRequest lastRequest() const {
        const auto requests = server.requests();
        return requests.empty() ? ControlRequest{} : requests.back();
    }

    static QString P(const QString& token = demo::DemoToken()) {
        return QStringLiteral("[EncryptCode]") + token + QStringLiteral("[/EncryptCode]");
    }

    TempHome home;  // the TLS runs pin the test certificate here
    DocModel model;
    DocCommands commands{model};
    DocServer server;
};

inline std::string TlsName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Tls" : "Plain";
}

}  // namespace ov::test
