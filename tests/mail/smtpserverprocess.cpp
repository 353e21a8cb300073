#include "smtpserverprocess.h"

#include "testing/docserver/testcert.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

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
    QFile::remove(folder + QStringLiteral("smtp.port"));
    QStringList args{QStringLiteral(OV_SMTP_SERVER_SCRIPT), QStringLiteral("--out"), m_out,
                     QStringLiteral("--port-file"), folder + QStringLiteral("smtp.port")};
    if (options.tls) {
        const TestCertificate cert = makeSelfSignedCertificate();
        writeFile(folder + QStringLiteral("cert.pem"), cert.certificatePem);
        writeFile(folder + QStringLiteral("key.pem"), cert.privateKeyPem);
        args << QStringLiteral("--tls") << folder + QStringLiteral("cert.pem")
             << folder + QStringLiteral("key.pem");
    }
    if (!options.auth.isEmpty()) args << QStringLiteral("--auth") << options.auth;
    if (options.cram) args << QStringLiteral("--cram");
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(QStringLiteral("/usr/bin/python3"), args);
    // The port arrives in a file (reading a child's output needs an event loop here).
    QElapsedTimer timer;
    timer.start();
    QFile portFile(folder + QStringLiteral("smtp.port"));
    while (m_port == 0 && timer.elapsed() < 15000 && m_process.state() != QProcess::NotRunning) {
        if (portFile.open(QIODevice::ReadOnly)) {
            m_port = portFile.readAll().trimmed().toInt();
            portFile.close();
        }
        if (m_port == 0) QThread::msleep(20);
    }
    EXPECT_GT(m_port, 0) << "the SMTP server did not start: " << m_process.state() << " "
                         << m_process.errorString().toStdString();
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
