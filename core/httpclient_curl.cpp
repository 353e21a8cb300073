#include "core/httpclient_curl.h"

#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <QFile>
#include <QHostAddress>
#include <chrono>
#include <mutex>

namespace ov::curl {

namespace {

void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURLcode contextCallback(CURL*, void* sslContext, void* policy) {
    static_cast<CertificatePolicy*>(policy)->prepareContext(sslContext);
    return CURLE_OK;
}

int verifyCallback(X509_STORE_CTX* store, void* policy) {
    return static_cast<CertificatePolicy*>(policy)->verify(store);
}

int progressCallback(void* watch, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t,
                     curl_off_t ulNow) {
    return static_cast<TransferWatch*>(watch)->onProgress(dlTotal, dlNow, ulNow);
}

QByteArray derSha256(X509* cert) {
    unsigned char* der = nullptr;
    const int length = i2d_X509(cert, &der);
    if (length <= 0) return {};
    const QByteArray sha =
        certificateSha256(QByteArray(reinterpret_cast<const char*>(der), length));
    OPENSSL_free(der);
    return sha;
}

}  // namespace

qint64 monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Easy makeEasy() {
    initLibrary();
    return Easy(curl_easy_init());
}

void setCommonOptions(CURL* easy, const char* protocols, char* errorBuffer) {
    errorBuffer[0] = '\0';
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");  // never a proxy from the environment
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(easy, CURLOPT_SSL_SESSIONID_CACHE, 0L);
    // Each handshake loads its own trust store (the trusted CA file may change).
    curl_easy_setopt(easy, CURLOPT_CA_CACHE_TIMEOUT, 0L);
}

void CertificatePolicy::install(CURL* easy) {
    // The library's own checks are off: the context callback installs ours, which decides
    // between the trust store and the pins.
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &contextCallback);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, this);
}

void CertificatePolicy::prepareContext(void* sslContext) {
    auto* ctx = static_cast<SSL_CTX*>(sslContext);
    const QString caFile = trustedCaFile();
    if (caFile.isEmpty())
        SSL_CTX_set_default_verify_paths(ctx);
    else
        SSL_CTX_load_verify_locations(ctx, QFile::encodeName(caFile).constData(), nullptr);
    X509_VERIFY_PARAM* param = SSL_CTX_get0_param(ctx);
    const QByteArray name = m_host.toUtf8();
    if (QHostAddress(m_host).isNull())
        X509_VERIFY_PARAM_set1_host(param, name.constData(), 0);
    else
        X509_VERIFY_PARAM_set1_ip_asc(param, name.constData());
    SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_cert_verify_callback(ctx, &verifyCallback, this);
}

int CertificatePolicy::verify(void* storeContext) {
    auto* store = static_cast<X509_STORE_CTX*>(storeContext);
    const bool trusted = X509_verify_cert(store) == 1;
    X509* leaf = X509_STORE_CTX_get0_cert(store);
    const QByteArray sha = leaf ? derSha256(leaf) : QByteArray();
    if (sha.isEmpty()) return 0;
    m_result = checkServerCertificate(m_host, m_port, sha, trusted);
    if (!isAccepted(m_result)) return 0;
    X509_STORE_CTX_set_error(store, X509_V_OK);
    return 1;
}

QString CertificatePolicy::refusalMessage(THS_Language language) const {
    if (m_result == PinCheck::Changed) return certificateChangedMessage(language, m_host, m_port);
    if (m_result == PinCheck::StoreFailed)
        return certificateStoreFailedMessage(language, m_host, m_port);
    return {};
}

void TransferWatch::install(CURL* easy, int silenceMs, Progress progress,
                            const TransferLimits& limits) {
    m_easy = easy;
    m_connected = false;
    m_silenceMs = silenceMs;
    m_progress = std::move(progress);
    m_timedOut = m_tooSlow = false;
    m_lastDown = m_lastUp = -1;
    m_lastActivity = m_windowStart = monotonicMs();
    m_limits = limits;
    m_windowFrom = 0;
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &progressCallback);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
}

// True when the window that just ended moved too little; a new window begins otherwise.
bool TransferWatch::checkRate(qint64 now, curl_off_t moved) {
    if (m_limits.minBytes <= 0 || m_limits.windowMs <= 0) return false;
    if (now - m_windowStart < m_limits.windowMs) return false;
    if (moved - m_windowFrom < m_limits.minBytes) return true;
    m_windowStart = now;
    m_windowFrom = moved;
    return false;
}

// True until the connection (with its TLS handshake) stands and the request is on its way;
// that phase is bounded by the connect time-out, the read time-out counts from its end.
bool TransferWatch::connecting() const {
    if (m_connected) return false;
    curl_off_t pretransfer = 0;
    return curl_easy_getinfo(m_easy, CURLINFO_PRETRANSFER_TIME_T, &pretransfer) == CURLE_OK &&
           pretransfer == 0;
}

int TransferWatch::onProgress(curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulNow) {
    const qint64 now = monotonicMs();
    if (connecting()) {
        m_lastActivity = m_windowStart = now;
        return 0;
    }
    m_connected = true;
    if (checkRate(now, dlNow + ulNow)) {
        m_tooSlow = m_timedOut = true;
        return 1;
    }
    if (dlNow != m_lastDown || ulNow != m_lastUp) {
        if (dlNow != m_lastDown && dlNow > 0 && m_progress)
            m_progress(qint64(dlNow), dlTotal > 0 ? qint64(dlTotal) : -1);
        m_lastDown = dlNow;
        m_lastUp = ulNow;
        m_lastActivity = now;
        return 0;
    }
    if (m_silenceMs > 0 && now - m_lastActivity > m_silenceMs) {
        m_timedOut = true;
        return 1;
    }
    return 0;
}

}  // namespace ov::curl
