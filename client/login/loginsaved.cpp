#include "client/login/loginsaved.h"

#include "core/clientconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString serverText(const TLoginServer& server) {
    return server.host.trimmed().toLower() + u'#' + QString::number(server.port) + u'#' +
           (server.ssl ? u"1"_s : u"0"_s);
}

}  // namespace

TLoginServer ConfiguredServer(const TClientConfigX& config) {
    return {config.ServerHost(), config.ServerPort(), config.IsSSL()};
}

bool SavedPasswordFits(const TClientConfigX& config, const TLoginServer& server) {
    const QString saved = config.ReadString(kLoginServerKey);
    return !saved.isEmpty() && saved == serverText(server);
}

bool HasHandedOverIdentity(const TClientConfigX& config) {
    return config.StartStyle() == SS_ACTIVTX && config.UserId() > 0 &&
           !config.EncryptUserID().isEmpty() && !config.UserName().isEmpty();
}

void StoreIdentity(TClientConfigX& config, const TLoginReply& reply) {
    config.SetUserName(reply.userName);
    config.SetUserId(reply.userId);
    config.SetEncryptUserID(reply.encryptId);
}

void StoreServer(TClientConfigX& config, const TLoginServer& server) {
    config.SetServerHost(server.host);
    config.SetServerPort(server.port);
    config.SetIsSSL(server.ssl);
}

void StoreDialogLogin(TClientConfigX& config, const TLoginServer& server, const QString& name,
                      const QString& password, const TLoginReply& reply) {
    config.SetStartStyle(SS_NONE);
    StoreIdentity(config, reply);
    StoreServer(config, server);
    const bool keep = config.SaveLoginInfo();
    config.SetAutoLogin(keep);
    config.SetLoginName(keep ? name : QString());
    config.SetLoginPassword(keep ? password : QString());
    config.WriteString(kLoginServerKey, keep ? serverText(server) : QString());
    config.Save();
}

}  // namespace ov
