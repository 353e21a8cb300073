#include "core/robottcpclient.h"

#include "core/resultcode.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

QString RequestTag(const QString& tag, const QString& value) {
    return u'[' + tag + u']' + value + u"[/"_s + tag + u']';
}

QString RequestTagNum(const QString& tag, std::int64_t value) {
    return RequestTag(tag, QString::number(value));
}

QString RequestTagBool(const QString& tag, bool value) {
    return RequestTag(tag, value ? u"True"_s : u"False"_s);
}

TRobotTcpClient::TRobotTcpClient(bool isSSL) {
    SetUseTls(isSSL);
}

TRobotTcpClient::~TRobotTcpClient() = default;

void TRobotTcpClient::SetUserEncryptId(const QString& token) {
    FUserEncryptId = token;
    FUserEncryptStr = RequestTag(u"EncryptCode"_s, token);
}

void TRobotTcpClient::SetLanguage(THS_Language language) {
    FLanguage = language;
    SetMessageLanguage(language);
}

QString TRobotTcpClient::GetDesc(std::uint8_t code) const {
    QString text;
    GetResultCodeText(code, FLanguage, text);
    return text;
}

void TRobotTcpClient::EnsureConnected() {
    if (!Connected()) Connect();
}

QString TRobotTcpClient::TokenTag() const {
    return RequestTag(u"EncryptCode"_s, FUserEncryptId);
}

QString TRobotTcpClient::LanguageTag() const {
    return RequestTagNum(u"language"_s, int(FLanguage));
}

std::uint8_t TRobotTcpClient::Direct(TTranType code, const QString& request, QString& reply) {
    reply.clear();
    SetTranType(code);
    TextToStream(request, SendStream());
    try {
        EnsureConnected();
        Exchange();
    } catch (...) {
        Disconnect();
        throw;
    }
    reply = StreamToText(RecStream());
    Disconnect();
    return std::uint8_t(ReceiveHead.TranType);
}

std::uint8_t TRobotTcpClient::DirectWithHead(TTranType code, std::int32_t freeInt,
                                             std::int32_t freeInt2, const QString& request,
                                             QString& reply) {
    SendHead.FreeInt = freeInt;
    SendHead.FreeInt2 = freeInt2;
    return Direct(code, request, reply);
}

QString TRobotTcpClient::TextRequest(TTranType code, const QString& request, bool* ok) {
    bool done = false;
    QString reply;
    try {
        SetTranType(code);
        TextToStream(request, SendStream());
        done = DoRequest();
        if (done) reply = StreamToText(RecStream());
    } catch (...) {
        done = false;
    }
    if (ok) *ok = done;
    return reply;
}

std::uint8_t TRobotTcpClient::ApiPostText(TTranType code, const QString& text, QString& reply) {
    return Direct(code, text, reply);
}

bool TRobotTcpClient::ApiConnectTest() {
    bool result = true;
    try {
        EnsureConnected();
    } catch (...) {
        result = false;
    }
    Disconnect();
    return result;
}

}  // namespace ov
