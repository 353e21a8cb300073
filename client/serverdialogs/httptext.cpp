#include "client/serverdialogs/httptext.h"

#include "core/globalconfig.h"
#include "core/httpclient.h"

namespace ov {

namespace {

constexpr qint64 kMaxTextBytes = 1 << 20;

}  // namespace

QString HttpGetText(const QString& url, int readTimeoutMs) {
    try {
        TSSLHttp http(GlobalConfig()->IsSSL());
        http.setReadTimeout(readTimeoutMs);
        http.setConnectTimeout(readTimeoutMs);
        http.setLanguage(GlobalConfig()->SysLanguage());
        http.setMaxBodySize(kMaxTextBytes);
        return http.Get(url);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
}

}  // namespace ov
