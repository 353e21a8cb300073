// Login, messages, groups and the desktop program's own version.

#include "core/robottcpclient.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

std::uint8_t TRobotTcpClient::Login(const QString& Name, const QString& PassWord,
                                    const QString& Mac, const QString& BindingIp,
                                    const QString& BindingPort, QString& UserId, QString& UserName,
                                    std::int32_t& UserId2) {
    // The login is the one request that carries no token: it is what hands one out.
    const QString request = RequestTag(u"Name"_s, Name) + RequestTag(u"PassWord"_s, PassWord) +
                            RequestTag(u"Mac"_s, Mac) + RequestTag(u"BindingIp"_s, BindingIp) +
                            RequestTag(u"BindingPort"_s, BindingPort);
    const QString reply = TextRequest(TT_Login, request);
    const auto state = std::uint8_t(ReceiveHead.TranType);
    if (state == RS_LoginOk) {
        UserName = ReadTagValue(reply, u"UserName"_s);
        UserId = ReadTagValue(reply, u"UserId"_s);
        UserId2 = TextToIntDef0(ReadTagValue(reply, u"UserId2"_s));
    } else if (state == RS_Refused || state == RS_Refused2) {
        FErrorTxt = reply;
    }
    return state;
}

std::uint8_t TRobotTcpClient::GetUserMsg(const QString& url, QString& text) {
    try {
        return Direct(TT_GetUserMsg, FUserEncryptStr + RequestTag(u"url"_s, url) + LanguageTag(),
                      text);
    } catch (...) {
        return 0;
    }
}

int TRobotTcpClient::GetMsgSpace() {
    bool isNumber = false;
    const int space =
        ReadTagValue(TextRequest(TT_GetMsgSpace, QString()), u"Space"_s).toInt(&isNumber);
    return isNumber ? space : 60;
}

void TRobotTcpClient::GetUserGroup(QString& text) {
    text = TextRequest(TT_GetUserGroup, FUserEncryptStr);
}

std::uint8_t TRobotTcpClient::GetMyGroups(QString& text) {
    return Direct(TT_GetMyGroups, FUserEncryptStr, text);
}

QString TRobotTcpClient::GetClientVer() {
    return Tcp_GetText(TT_GetClientVer, 0, 0);
}

QBuffer* TRobotTcpClient::GetClientFile() {
    return Tcp_GetStream(TT_GetClientFile, 0, 0);
}

}  // namespace ov
