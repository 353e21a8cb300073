#pragma once
// What the HTTP client and the mail sender share on top of libcurl: one-time library set-up,
// easy handles that never take a proxy from the environment, the certificate policy (system
// trust store, else the server's certificate pinned on first use and refused when it changes),
// and a time-out for silence on the connection.

#include "core/certpins.h"
#include "core/netlimits.h"
#include "core/types.h"

#include <curl/curl.h>
#include <QString>
#include <functional>
#include <memory>

namespace ov::curl {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// A new easy handle: no proxy, no signals, no redirects, no TLS session reuse, given protocols.
Easy makeEasy();

// The options every transfer of ours sets; call before each transfer on a handle.
void setCommonOptions(CURL* easy, const char* protocols, char* errorBuffer);

// One transfer's certificate check. Once installed on a handle, every TLS handshake of it
// verifies the server against the trust store (or the trusted CA file) and the host name, and
// falls back to the certificate pins. The object must outlive the transfer.
class CertificatePolicy {
public:
    CertificatePolicy(QString host, quint16 port) : m_host(std::move(host)), m_port(port) {}
    void install(CURL* easy);
    // The last decision (SystemTrusted when no handshake ran).
    PinCheck result() const { return m_result; }
    // The user's message for a refused certificate, else "".
    QString refusalMessage(THS_Language language) const;

    // For the TLS library's callbacks.
    void prepareContext(void* sslContext);
    int verify(void* storeContext);

private:
    QString m_host;
    quint16 m_port;
    PinCheck m_result = PinCheck::SystemTrusted;
};

// Ends a transfer that has neither sent nor received a byte for `silenceMs` (0: never), or
// that moved fewer than the limits' minimum bytes within one of their rate windows, and
// reports download progress. The object must outlive the transfer.
class TransferWatch {
public:
    using Progress = std::function<void(qint64 received, qint64 total)>;
    void install(CURL* easy, int silenceMs, Progress progress,
                 const TransferLimits& limits = TransferLimits());
    bool timedOut() const { return m_timedOut; }
    bool tooSlow() const { return m_tooSlow; }
    int onProgress(curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulNow);

private:
    bool checkRate(qint64 now, curl_off_t moved);
    bool connecting() const;

    CURL* m_easy = nullptr;
    bool m_connected = false;
    qint64 m_lastActivity = 0;
    curl_off_t m_lastDown = -1;
    curl_off_t m_lastUp = -1;
    int m_silenceMs = 0;
    bool m_timedOut = false;
    bool m_tooSlow = false;
    TransferLimits m_limits;
    qint64 m_windowStart = 0;
    curl_off_t m_windowFrom = 0;  // bytes moved in both directions when the window began
    Progress m_progress;
};

// Milliseconds of a monotonic clock.
qint64 monotonicMs();

}  // namespace ov::curl
