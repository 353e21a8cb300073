#include "smtpserverprocess.h"

#include "testing/docserver/testcert.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonDocument>

namespace ov::test {

namespace {

void writeFile(const QString& name, const QByteArray& content) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

}  // namespace

SmtpServerProcess::SmtpServerProcess(const QString& folder, const Options& options)
    : m_out(folder + QStringLiteral("smtp.jsonl")) {
    QStringList args{QStringLiteral(OV_SMTP_SERVER_SCRIPT), QStringLiteral("--out"), m_out};
    if (options.tls) {
        const TestCertificate cert = makeSelfSignedCertificate();
        writeFile(folder + QStringLiteral("cert.pem"), cert.certificatePem);
        writeFile(folder + QStringLiteral("key.pem"), cert.privateKeyPem);
        args << QStringLiteral("--tls") << folder + QStringLiteral("cert.pem")
             << folder + QStringLiteral("key.pem");
    }
    if (!options.auth.isEmpty()) args << QStringLiteral("--auth") << options.auth;
    if (options.cram) args << QStringLiteral("--cram");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("/usr/bin/python3"), args);
    while (m_process.waitForReadyRead(15000)) {
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT ")) {
            m_port = line.mid(5).toInt();
            break;
        }
    }
    EXPECT_GT(m_port, 0) << "the SMTP server did not start";
}

SmtpServerProcess::~SmtpServerProcess() {
    m_process.closeWriteChannel();  // the server ends when its input closes
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QList<QJsonObject> SmtpServerProcess::events(const QString& kind) const {
    QList<QJsonObject> list;
    QFile f(m_out);
    if (!f.open(QIODevice::ReadOnly)) return list;
    while (!f.atEnd()) {
        const QJsonObject entry = QJsonDocument::fromJson(f.readLine()).object();
        if (entry.value(QStringLiteral("event")).toString() == kind) list.append(entry);
    }
    return list;
}

}  // namespace ov::test
