#pragma once
// Runs the loopback SMTP server script for one test and reads back what it recorded.

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace ov::test {

class SmtpServerProcess {
public:
    struct Options {
        bool tls = false;   // offer STARTTLS with a new self-signed certificate
        QString auth;       // "user:password": offer AUTH LOGIN and PLAIN
        bool cram = false;  // offer CRAM-MD5 as well
    };
    SmtpServerProcess(const QString& folder, const Options& options);
    ~SmtpServerProcess();

    int port() const { return m_port; }
    // Every recorded entry of the given event ("auth", "message").
    QList<QJsonObject> events(const QString& kind) const;

private:
    QProcess m_process;
    QString m_out;
    int m_port = 0;
};

}  // namespace ov::test
