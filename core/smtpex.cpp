#include "core/smtpex.h"

#include "core/netlimits.h"

#include "core/httpclient_curl.h"

#include <QUrl>
#include <algorithm>
#include <cmath>

namespace ov {

namespace {

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

// The login options for an authentication type. SASL takes the strongest mechanism both sides
// know, challenge-response before the plain ones.
const char* loginOptions(TIdSMTPAuthenticationType type) {
    return type == satSASL ? "AUTH=CRAM-MD5;AUTH=LOGIN;AUTH=PLAIN" : "AUTH=LOGIN";
}

// Control characters in an envelope address would end the SMTP command early and let the rest
// of the text be read as further commands.
bool hasControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

Slist recipientList(const QList<QList<MailAddress>>& lists) {
    curl_slist* list = nullptr;
    for (const auto& addresses : lists) {
        for (const MailAddress& a : addresses) {
            if (hasControlCharacter(a.address)) {
                curl_slist_free_all(list);
                throw SmtpError(QStringLiteral("Invalid recipient address"));
            }
            const QByteArray rcpt = '<' + a.address.trimmed().toUtf8() + '>';
            list = curl_slist_append(list, rcpt.constData());
        }
    }
    return Slist(list);
}

std::size_t readMessage(char* buffer, std::size_t size, std::size_t count, void* message) {
    const qint64 n = static_cast<MailMessageSource*>(message)->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : std::size_t(n);
}

// Watches the commands the transfer sends: the first login or envelope command means the
// connection stands (greeting, EHLO and STARTTLS are done), and the sending starts.
struct SendStart {
    std::function<void()> onStart;
    bool started = false;
};

int watchCommands(CURL*, curl_infotype type, char* data, std::size_t size, void* start) {
    auto* s = static_cast<SendStart*>(start);
    if (s->started || type != CURLINFO_HEADER_OUT || size < 5) return 0;
    const QByteArray command = QByteArray(data, 5).toUpper();
    if (command == "AUTH " || command == "MAIL ") {
        s->started = true;
        s->onStart();
    }
    return 0;
}

QString noStartTlsMessage(THS_Language language) {
    return language == HSL_CN
               ? QStringLiteral("SMTP服务器不支持STARTTLS安全连接，登录信息未发送")
               : QStringLiteral(
                     "The SMTP server does not offer STARTTLS; the login was not sent over an "
                     "unencrypted connection");
}

}  // namespace

TSmtpEx::TSmtpEx() {
    SetLanguage(HSL_NONE);
}

void TSmtpEx::SetLanguage(THS_Language value) {
    FLanguage = value;
    const bool cn = value == HSL_CN;
    WLS_Init = cn ? QStringLiteral("参数初始化") : QStringLiteral("Parameter initialization");
    WLS_Connect = cn ? QStringLiteral("开始连接SMTP服务器, 请等候...")
                     : QStringLiteral("Connecting SMTP server...");
    WLS_StartSendMail = cn ? QStringLiteral("开始发送邮件") : QStringLiteral("Start sending");
    WLS_SendOver = cn ? QStringLiteral("完成邮件发送") : QStringLiteral("Sent successfully");
}

void TSmtpEx::SetSmtpSrvParams(const TSmtpParams& value) {
    m_authType = TIdSMTPAuthenticationType(value.AuthType);
    m_host = value.Host.trimmed();
    m_port = value.Port;
    m_username = value.Username.trimmed();
    m_password = value.PassWord;
    FDisplayName = value.FromDisplayName;
}

void TSmtpEx::DoSmtpLog(const QString& msg) {
    if (FOnSmtpLog) FOnSmtpLog(this, msg);
}

bool TSmtpEx::SendEx(const QString& recipients, const QString& cc, const QString& bcc,
                     const QString& title, const QString& body) {
    return SSLSend(recipients, cc, bcc, title, body, QString());
}

bool TSmtpEx::SSLSend(const QString& recipients, const QString& cc, const QString& bcc,
                      const QString& title, const QString& body, const QString& attachment) {
    DoSmtpLog(WLS_Init);
    DoSmtpLog(QStringLiteral("Host=%1 Port=%2 Account=%3").arg(m_host).arg(m_port).arg(m_username));
    checkSettings(recipients);
    const QList<MailAddress> to = ParseAddressList(recipients);
    if (to.isEmpty()) throw SmtpError(QStringLiteral("Recipient can not be empty"));
    const QString subject = title.trimmed().isEmpty() ? QStringLiteral("Title") : title;
    return transfer(to, ParseAddressList(cc), ParseAddressList(bcc), subject, body, attachment);
}

void TSmtpEx::checkSettings(const QString& recipients) const {
    if (m_host.isEmpty()) throw SmtpError(QStringLiteral("Incorrect SMPT host"));
    // Ports beyond the 16-bit range cannot be reached either.
    if (m_port <= 0 || m_port > 65535) throw SmtpError(QStringLiteral("Incorrect SMPT port"));
    if (m_username.isEmpty() || hasControlCharacter(m_username))
        throw SmtpError(QStringLiteral("SMPT Email is Error"));
    if (recipients.trimmed().isEmpty())
        throw SmtpError(QStringLiteral("Recipient can not be empty"));
}

bool TSmtpEx::transfer(const QList<MailAddress>& to, const QList<MailAddress>& cc,
                       const QList<MailAddress>& bcc, const QString& title, const QString& body,
                       const QString& attachment) {
    MailMessageSource message({m_username, FDisplayName, to, cc, title, body, attachment});
    const Slist rcpt = recipientList({to, cc, bcc});
    QUrl url;
    url.setScheme(QStringLiteral("smtp"));
    url.setHost(m_host);
    url.setPort(m_port);

    char errorBuffer[CURL_ERROR_SIZE];
    curl::Easy easy = curl::makeEasy();
    CURL* h = easy.get();
    curl::setCommonOptions(h, "smtp", errorBuffer);
    curl_easy_setopt(h, CURLOPT_URL, url.toEncoded().constData());
    const long seconds = long(std::ceil(m_readTimeoutMs / 1000.0));
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, long(m_readTimeoutMs));
    curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, seconds);
    // A server that stops taking the message is silence as well.
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, seconds);
    // A server that trickles its replies ends with the request's overall limit.
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, long(TransferLimits().requestMs));
    const QByteArray from = '<' + m_username.toUtf8() + '>';
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &readMessage);
    curl_easy_setopt(h, CURLOPT_READDATA, &message);
    SendStart start{[this] { DoSmtpLog(WLS_StartSendMail); }};
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, &watchCommands);
    curl_easy_setopt(h, CURLOPT_DEBUGDATA, &start);
    curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);  // only feeds watchCommands, writes nothing
    const QByteArray user = m_username.toUtf8(), password = m_password.toUtf8();
    if (m_authType != satNone) {
        curl_easy_setopt(h, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(h, CURLOPT_LOGIN_OPTIONS, loginOptions(m_authType));
    }
    curl::CertificatePolicy policy(m_host, quint16(m_port));
    if (m_authType == satSASL) {
        // Without STARTTLS the login would travel in clear text: such a server is refused.
        curl_easy_setopt(h, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        policy.install(h);
    }
    DoSmtpLog(WLS_Connect);
    const CURLcode rc = curl_easy_perform(h);
    if (rc == CURLE_OK) {
        DoSmtpLog(WLS_SendOver);
        return true;
    }
    if (rc == CURLE_USE_SSL_FAILED) throw SmtpError(noStartTlsMessage(FLanguage));
    const QString refusal = policy.refusalMessage(FLanguage);
    if (!refusal.isEmpty()) throw SmtpError(refusal);
    throw SmtpError(errorBuffer[0] ? QString::fromUtf8(errorBuffer)
                                   : QString::fromUtf8(curl_easy_strerror(rc)));
}

}  // namespace ov
