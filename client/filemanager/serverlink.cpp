#include "client/filemanager/serverlink.h"

#include "core/globalconfig.h"
#include "core/robottcpclient.h"

namespace ov {

TServerLink TServerLink::FromSettings() {
    const auto config = GlobalConfig();
    return {config->ServerHost(), config->ServerPort(), config->IsSSL(), config->EncryptUserID(),
            config->SysLanguage()};
}

std::unique_ptr<TRobotTcpClient> TServerLink::Client(int readTimeoutMs) const {
    auto client = std::make_unique<TRobotTcpClient>(SSL);
    client->SetHost(Host);
    client->SetPort(quint16(Port));
    client->SetUserEncryptId(Token);
    client->SetLanguage(Language);
    client->SetConnectTimeout(kRequestTimeoutMs);
    client->SetReadTimeout(readTimeoutMs > 0 ? readTimeoutMs : kRequestTimeoutMs);
    return client;
}

}  // namespace ov
