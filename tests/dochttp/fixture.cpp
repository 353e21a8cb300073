#include "fixture.h"

#include "core/cipher.h"

#include <QElapsedTimer>
#include <QSslSocket>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

HttpReply parseReply(const QByteArray& bytes) {
    HttpReply reply;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0) return reply;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    const QList<QByteArray> status = lines.first().trimmed().split(' ');
    reply.status = status.size() >= 2 ? status[1].toInt() : 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            reply.headers.append(
                {lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    reply.body = bytes.mid(end + 4);
    return reply;
}

}  // namespace

QByteArray HttpReply::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
    return QByteArray();
}

HttpReply Exchange(bool tls, quint16 port, const QByteArray& request, int timeoutMs) {
    QSslSocket socket;
    socket.setPeerVerifyMode(QSslSocket::VerifyNone);
    if (tls) {
        socket.connectToHostEncrypted(u"127.0.0.1"_s, port);
        if (!socket.waitForEncrypted(timeoutMs)) return {};
    } else {
        socket.connectToHost(u"127.0.0.1"_s, port);
        if (!socket.waitForConnected(timeoutMs)) return {};
    }
    socket.write(request);
    socket.flush();
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (socket.state() == QAbstractSocket::ConnectedState && clock.elapsed() < timeoutMs) {
        socket.waitForReadyRead(100);
        bytes += socket.readAll();
    }
    bytes += socket.readAll();
    return parseReply(bytes);
}

QString ClientToken(const QString& userToken) {
    return EncryptString(u"[R]417[/R][U]"_s + userToken + u"[/U][Dt]2026-12-10 09:30:00[/Dt]"_s, 1);
}

QString Encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

}  // namespace ov::test
