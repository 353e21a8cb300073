#pragma once
// A client that speaks to the test server in bytes written out by hand, and the helpers to
// write them: hexadecimal with blanks, parameter lines and the demo user's token prefix.

#include "core/netstream.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>

namespace ov::test {

// "00 00 FF F0" as its four bytes (blanks are skipped).
inline QByteArray Hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced));
}

inline QByteArray ParamLine(const QString& text) {
    return "%_" + text.toUtf8().toHex().toUpper() + "_%\r\n";
}

inline QString TokenPrefix() {
    return QStringLiteral("[EncryptCode]") + demo::DemoToken() + QStringLiteral("[/EncryptCode]");
}

class RawPeerTest : public ::testing::Test {
protected:
    RawPeerTest() {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
    }

    void Connect(NetStream& stream) {
        stream.setReadTimeout(3000);
        stream.connectTo(server.host(), server.port(), false);
    }

    // Everything the server sends until it closes the connection.
    static QByteArray ReadToClose(NetStream& stream) {
        QByteArray got;
        char buffer[4096];
        try {
            for (;;)
                got.append(buffer, stream.readSome(buffer, sizeof buffer));
        } catch (const NetError& e) {
            if (e.kind() != NetError::Kind::Closed) throw;
        }
        return got;
    }

    // One file-channel connection: the greeting, then `sent`; the server's every byte back.
    QByteArray FileExchange(const QByteArray& sent) {
        NetStream stream;
        Connect(stream);
        stream.write("VESKO_FILE /TCP/1.0\r\n" + sent);
        return ReadToClose(stream);
    }

    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

}  // namespace ov::test
