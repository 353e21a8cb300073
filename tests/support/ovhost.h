#pragma once
// Runs ovctrl-host (OV_HOST_EXE) with the arguments and returns what it printed; `exitCode` is
// its exit code, or -1 when it crashed or had to be killed after `timeoutMs`.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace ov::test {

inline QString RunOvHost(
    const QStringList& args, int* exitCode, int timeoutMs = 240000,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    if (!process.waitForFinished(timeoutMs)) process.kill();
    process.waitForFinished();
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

}  // namespace ov::test
