#pragma once
// What the main window fetches over HTTP(S) after every login: the user's security levels
// ("/user"), the client configuration ("/linkX") and the logo picture of the language.

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/types.h"

namespace ov {

struct TServerConfigRequest {
    QString ServerUrl;  // "http(s)://host:port"
    bool SSL = false;
    int UserId = 0;
    THS_Language Language = HSL_NONE;
};

// The fetched parts, in request order; the fetch stops at its first failure, so a part that
// is missing was not reached or failed, and the ones after it are missing too.
struct TServerConfig {
    std::optional<TScInfoArray> ScInfos;
    std::optional<QString> FileExtInfo;
    QByteArray Logo;  // empty: none fetched, or the server sent no bytes
};

// Longest text reply and largest logo taken from the server.
inline constexpr qint64 kMaxServerConfigText = 1024 * 1024;
inline constexpr qint64 kMaxLogoSize = 8 * 1024 * 1024;
// The read time-out of the three requests.
inline constexpr int kServerConfigTimeoutMs = 16000;

// The three GETs, blocking. Never raises.
TServerConfig FetchServerConfig(const TServerConfigRequest& request);

// The logo's address below the server: "/static/clientLogo2.png" in Chinese,
// "/static/clientLogo_ENG2.png" otherwise.
QString LogoUrlPath(THS_Language language);

}  // namespace ov
