#pragma once
// The server connection of the file manager's models and dialogs: host, port, TLS choice, user
// token and language, read from the settings when the model or dialog is created. Every
// request uses a fresh client with bounded connect and read times.

#include <QString>
#include <memory>

#include "core/types.h"

namespace ov {

class TRobotTcpClient;

struct TServerLink {
    QString Host;
    int Port = 0;
    bool SSL = false;
    QString Token;
    THS_Language Language = HSL_CN;

    static TServerLink FromSettings();
    // A client for one request; readTimeoutMs 0 keeps the client's default.
    std::unique_ptr<TRobotTcpClient> Client(int readTimeoutMs = 0) const;
};

inline constexpr int kRequestTimeoutMs = 6000;
inline constexpr int kTransferTimeoutMs = 120000;

}  // namespace ov
