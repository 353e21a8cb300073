#include "client/login/loginrequest.h"

#include <algorithm>

#include "core/cipher.h"
#include "core/macaddress.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The settings are tagged text: a closing tag in a value would end its setting early and plant
// others after it.
bool isKeepableReply(const QString& text, qsizetype maxLength) {
    if (text.size() > maxLength || text.contains(u"[/"_s)) return false;
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

}  // namespace

TLoginServer ServerFromFields(const QString& host, const QString& portText, bool ssl) {
    bool isNumber = false;
    const int port = portText.trimmed().toInt(&isNumber);
    return {host.trimmed(), isNumber ? port : ssl ? 443 : 80, ssl};
}

bool IsUsableServer(const TLoginServer& server) {
    // A port above 65535 would be cut to another port by the socket: it is refused instead.
    return !server.host.isEmpty() && server.port > 0 && server.port <= 65535;
}

QString LoginMacValue() {
    return EncryptString(GetIPAndMacList(), 3);
}

TLoginReply DoLogin(const TLoginServer& server, const QString& name, const QString& password,
                    const QString& mac, THS_Language language, int readTimeoutMs) {
    TLoginReply reply;
    if (!IsUsableServer(server)) return reply;
    TRobotTcpClient client(server.ssl);
    client.SetHost(server.host);
    client.SetPort(quint16(server.port));
    client.SetLanguage(language);
    client.SetMessageLanguage(language);
    client.SetReadTimeout(readTimeoutMs);
    QString encryptId, userName;
    std::int32_t userId = 0;
    const std::uint8_t state =
        client.Login(name, password, mac, server.host, QString::number(server.port), encryptId,
                     userName, userId);
    if (state != RS_LoginOk) {
        reply.error = client.GetLastError();
        return reply;
    }
    if (!isKeepableReply(userName, kMaxUserNameLength) ||
        !isKeepableReply(encryptId, kMaxUserTokenLength)) {
        reply.error = language == HSL_ENG ? u"The server's answer holds an unusable user name."_s
                                          : u"服务器返回的用户信息无法使用。"_s;
        return reply;
    }
    reply.ok = true;
    reply.userName = userName;
    reply.encryptId = encryptId;
    reply.userId = userId;
    return reply;
}

}  // namespace ov
