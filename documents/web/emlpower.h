#pragma once
// Whether the user may download the mail's attachments: the server's permission text for the
// file ("/getPower"), permission 34. Asked on a thread of its own with a read time-out of 4 s;
// any failure (refused connection, an error status, a time-out) counts as no right.

#include <QObject>
#include <QString>
#include <cstdint>
#include <thread>

namespace ov {

inline constexpr int kDownloadPower = 34;
inline constexpr int kPowerTimeoutMs = 4000;

// The query's URL: ServerUrl + "/getPower?filekey=" + key + "&uid=" + the enciphered user id.
QString PowerQueryUrl(const QString& serverUrl, std::int64_t fileKey, const QString& userId);
// Blocking: the answer to one query (false on any failure).
bool QueryDownloadPower(const QString& url, bool isSSL, int timeoutMs = kPowerTimeoutMs);

class PowerQuery : public QObject {
    Q_OBJECT
public:
    explicit PowerQuery(QObject* parent = nullptr) : QObject(parent) {}
    ~PowerQuery() override;  // waits for a query in flight (bounded by its time-outs)

    void start(const QString& url, bool isSSL, int timeoutMs = kPowerTimeoutMs);
    bool isRunning() const { return m_running; }

signals:
    void answered(bool allowed);

private:
    bool m_running = false;
    std::jthread m_thread;
};

}  // namespace ov
