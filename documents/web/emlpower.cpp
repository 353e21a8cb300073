#include "documents/web/emlpower.h"

#include "core/httpclient.h"
#include "core/powers.h"

#include <QMetaObject>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ov {

QString PowerQueryUrl(const QString& serverUrl, std::int64_t fileKey, const QString& userId) {
    return serverUrl + u"/getPower?filekey="_s + QString::number(fileKey) + u"&uid="_s +
           QString::fromLatin1(QUrl::toPercentEncoding(userId));
}

bool QueryDownloadPower(const QString& url, bool isSSL, int timeoutMs) {
    try {
        TSSLHttp http(isSSL, sslvSSLv23);
        http.setReadTimeout(timeoutMs);
        http.setConnectTimeout(timeoutMs);
        http.setMaxBodySize(64 * 1024);
        return ParseMemberPowers(http.Get(url)).test(kDownloadPower);
    } catch (...) {
        return false;
    }
}

PowerQuery::~PowerQuery() {
    if (m_thread.joinable()) m_thread.join();
}

void PowerQuery::start(const QString& url, bool isSSL, int timeoutMs) {
    if (m_running) return;
    if (m_thread.joinable()) m_thread.join();
    m_running = true;
    m_thread = std::jthread([this, url, isSSL, timeoutMs] {
        const bool allowed = QueryDownloadPower(url, isSSL, timeoutMs);
        QMetaObject::invokeMethod(
            this,
            [this, allowed] {
                m_running = false;
                emit answered(allowed);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace ov
