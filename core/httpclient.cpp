#include "core/httpclient.h"

#include "platform/codepage.h"
#include "platform/sysinfo.h"

#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>

namespace ov {

namespace {

bool isSuccess(long code) {
    return code >= 200 && code < 300;
}

// The charset parameter of a Content-Type value, lower-case; "" when there is none.
QByteArray charsetOf(const QByteArray& contentType) {
    for (QByteArray part : contentType.split(';')) {
        part = part.trimmed();
        if (part.toLower().startsWith("charset="))
            return part.mid(8).trimmed().replace('"', QByteArray()).toLower();
    }
    return {};
}

}  // namespace

TSSLHttp::TSSLHttp(bool isSSL, TIdSSLVersion sslVer)
    : m_easy(curl::makeEasy()), m_isSSL(isSSL), m_sslVersion(sslVer) {}

TSSLHttp::~TSSLHttp() = default;

QString TSSLHttp::Get(const QString& url) {
    return decodeText(GetBytes(url));
}

QByteArray TSSLHttp::GetBytes(const QString& url) {
    QByteArray body;
    perform(
        url,
        [&](const char* data, qsizetype size) {
            if (body.size() + size > m_maxBodySize) return false;
            body.append(data, size);
            return true;
        },
        HttpError::Kind::TooLarge, true);
    return body;
}

void TSSLHttp::Get(const QString& url, QIODevice& out) {
    perform(
        url, [&](const char* data, qsizetype size) { return out.write(data, size) == size; },
        HttpError::Kind::Write, false);
}

void TSSLHttp::GetToFile(const QString& url, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw HttpError(HttpError::Kind::Write, 0,
                        QStringLiteral("Cannot create the file %1").arg(fileName));
    Get(url, file);
    if (!file.commit())
        throw HttpError(HttpError::Kind::Write, 0,
                        QStringLiteral("Cannot write the file %1").arg(fileName));
}

void TSSLHttp::perform(const QString& url, const Sink& sink, HttpError::Kind sinkFailure,
                       bool inMemory) {
    const QUrl parsed(url);
    const quint16 defaultPort = parsed.scheme().compare(u"https", Qt::CaseInsensitive) ? 80 : 443;
    curl::CertificatePolicy policy(parsed.host(), quint16(parsed.port(defaultPort)));
    curl::TransferWatch watch;
    configure(url, policy, watch, inMemory);
    m_sink = &sink;
    m_sinkFailure = sinkFailure;
    m_rejected = m_sinkFailed = false;
    m_responseCode = 0;
    m_statusLine.clear();
    m_contentType.clear();
    const CURLcode rc = curl_easy_perform(m_easy.get());
    m_sink = nullptr;
    long code = 0;
    curl_easy_getinfo(m_easy.get(), CURLINFO_RESPONSE_CODE, &code);
    m_responseCode = int(code);
    if (rc != CURLE_OK || m_rejected || !isSuccess(code)) raise(rc, policy, watch);
}

void TSSLHttp::configure(const QString& url, curl::CertificatePolicy& policy,
                         curl::TransferWatch& watch, bool inMemory) {
    CURL* easy = m_easy.get();
    curl::setCommonOptions(easy, m_isSSL ? "http,https" : "http", m_errorBuffer);
    curl_easy_setopt(easy, CURLOPT_URL, url.toUtf8().constData());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(m_connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS,
                     inMemory && m_limits.requestMs > 0 ? long(m_limits.requestMs) : 0L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TSSLHttp::writeCallback);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &TSSLHttp::headerCallback);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_SSLVERSION,
                     m_sslVersion == sslvTLSv1_2
                         ? long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2)
                         : long(CURL_SSLVERSION_DEFAULT));
    policy.install(easy);
    watch.install(easy, m_readTimeoutMs, m_progress, m_limits);
}

void TSSLHttp::raise(int code, const curl::CertificatePolicy& policy,
                     const curl::TransferWatch& watch) const {
    using Kind = HttpError::Kind;
    if (m_rejected || (code == CURLE_OK && !isSuccess(m_responseCode))) {
        const QString line = m_statusLine.isEmpty() ? QStringLiteral("HTTP %1").arg(m_responseCode)
                                                    : QString::fromLatin1(m_statusLine);
        throw HttpError(Kind::Status, m_responseCode, line);
    }
    if (m_sinkFailed) {
        throw HttpError(m_sinkFailure, 0,
                        m_sinkFailure == Kind::TooLarge
                            ? QStringLiteral("The response is too large.")
                            : QStringLiteral("The response could not be written."));
    }
    if (watch.tooSlow())
        throw HttpError(Kind::TimeOut, 0,
                        QStringLiteral("Fewer than %1 bytes moved in %2 ms.")
                            .arg(m_limits.minBytes)
                            .arg(m_limits.windowMs));
    if (watch.timedOut()) throw HttpError(Kind::TimeOut, 0, QStringLiteral("Read timed out."));
    if (code == CURLE_OPERATION_TIMEDOUT)  // the connect time-out or the request's limit
        throw HttpError(Kind::TimeOut, 0,
                        m_errorBuffer[0] ? QString::fromUtf8(m_errorBuffer)
                                         : QStringLiteral("The request timed out."));
    const QString refusal = policy.refusalMessage(m_language);
    if (!refusal.isEmpty()) {
        const bool changed = policy.result() == PinCheck::Changed;
        throw HttpError(changed ? Kind::CertificateChanged : Kind::Connection, 0, refusal);
    }
    const QString text = m_errorBuffer[0] ? QString::fromUtf8(m_errorBuffer)
                                          : QString::fromUtf8(curl_easy_strerror(CURLcode(code)));
    throw HttpError(Kind::Connection, 0, text);
}

QString TSSLHttp::decodeText(const QByteArray& body) const {
    const QByteArray charset = charsetOf(m_contentType);
    if (charset.isEmpty() || charset == "utf-8" || charset == "utf8")
        return QString::fromUtf8(body);
    QStringDecoder decoder(charset.constData());
    if (decoder.isValid()) return decoder.decode(body);
    // Chinese servers name their code page (gbk, gb2312): the system code page reads it.
    return platform::fromSystemCodePage(body);
}

std::size_t TSSLHttp::writeCallback(char* data, std::size_t, std::size_t size, void* self) {
    auto* client = static_cast<TSSLHttp*>(self);
    long code = 0;
    curl_easy_getinfo(client->m_easy.get(), CURLINFO_RESPONSE_CODE, &code);
    if (!isSuccess(code)) {
        client->m_rejected = true;  // an error page is never handed to the caller
        return 0;
    }
    if (!(*client->m_sink)(data, qsizetype(size))) {
        client->m_sinkFailed = true;
        return 0;
    }
    return size;
}

std::size_t TSSLHttp::headerCallback(char* data, std::size_t, std::size_t size, void* self) {
    auto* client = static_cast<TSSLHttp*>(self);
    const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
    if (line.startsWith("HTTP/")) {
        client->m_statusLine = line.left(512);
        client->m_contentType.clear();
    } else if (line.toLower().startsWith("content-type:")) {
        client->m_contentType = line.mid(13).trimmed().left(512);
    }
    return size;
}

bool IsWow64() {
    return platform::is32BitProcessOn64BitSystem();
}

}  // namespace ov
