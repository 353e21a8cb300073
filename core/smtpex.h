#pragma once
// The mail sender: one SMTP send with the settings of a tagged parameter text, plain, with the
// plain login, or after STARTTLS with SASL, reporting its progress as short log lines. An
// object serves one send: make it, set language, settings and log handler, send, drop it.

#include "core/errors.h"
#include "core/smtpmessage.h"
#include "core/smtpparams.h"
#include "core/types.h"

#include <QString>
#include <functional>

namespace ov {

class TSmtpEx;

// A refused setting, a refused login or recipient, a network failure or a time-out.
class SmtpError : public Error {
public:
    using Error::Error;
};

// Progress report of a sender.
using TSmptLog = std::function<void(TSmtpEx* sender, const QString& msg)>;

class TSmtpEx {
public:
    static constexpr int DefaultReadTimeoutMs = 30000;

    TSmtpEx();

    THS_Language Language() const { return FLanguage; }
    void SetLanguage(THS_Language value);
    void SetSmtpSrvParams(const TSmtpParams& value);
    void SetOnSmtpMsg(TSmptLog handler) { FOnSmtpLog = std::move(handler); }
    // Kept for callers that name a character set; headers and body are always sent in UTF-8.
    void SetCharset(const QString& value) { FCharset = value; }
    // Longest wait for a server reply, in milliseconds.
    void setReadTimeout(int ms) { m_readTimeoutMs = ms; }
    int readTimeout() const { return m_readTimeoutMs; }

    static TSmtpParams StrToSmtpParams(const QString& txt, bool passwordIsEncrypt) {
        return ov::StrToSmtpParams(txt, passwordIsEncrypt);
    }
    static QString EmailFormat(const QString& addressTxt) { return ov::EmailFormat(addressTxt); }

    // SSLSend without an attachment.
    bool SendEx(const QString& recipients, const QString& cc, const QString& bcc,
                const QString& title, const QString& body);
    // Checks the settings, connects, logs in as the authentication type says and hands the
    // message over; true when the server took it. Raises SmtpError.
    bool SSLSend(const QString& recipients, const QString& cc, const QString& bcc,
                 const QString& title, const QString& body, const QString& attachment);
    void DoSmtpLog(const QString& msg);

    // The settings in force.
    const QString& host() const { return m_host; }
    int port() const { return m_port; }
    const QString& username() const { return m_username; }
    TIdSMTPAuthenticationType authType() const { return m_authType; }

private:
    void checkSettings(const QString& recipients) const;
    bool transfer(const QList<MailAddress>& to, const QList<MailAddress>& cc,
                  const QList<MailAddress>& bcc, const QString& title, const QString& body,
                  const QString& attachment);

    THS_Language FLanguage = HSL_NONE;
    TSmptLog FOnSmtpLog;
    QString FDisplayName;
    QString FCharset;
    QString WLS_Init, WLS_Connect, WLS_StartSendMail, WLS_SendOver;

    TIdSMTPAuthenticationType m_authType = satNone;
    QString m_host, m_username, m_password;
    int m_port = 25;
    int m_readTimeoutMs = DefaultReadTimeoutMs;
};

}  // namespace ov
