#include "platform/officeprocess.h"

#include "platform/officegroup.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>
#include <QtEndian>

#include <sys/wait.h>

#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace ov::platform {

namespace {

constexpr auto kPoll = 20ms;

OfficeResult failureOf(int status, const QString& workFolder) {
    QString why = WIFEXITED(status)
                      ? u"the office process ended with code %1"_s.arg(WEXITSTATUS(status))
                      : u"the office process was ended by signal %1"_s.arg(WTERMSIG(status));
    const QString words = officeLogLastWords(workFolder);
    if (!words.isEmpty()) why += u": "_s + words;
    return {OfficeStatus::Failed, why};
}

// Polls until the leader exits, the time is up or a stop is requested; says which.
OfficeStatus waitForLeader(pid_t pid, const OfficeProcess& run, std::stop_token stop,
                           const QElapsedTimer& clock) {
    while (!officeLeaderExited(pid)) {
        if (stop.stop_requested()) return OfficeStatus::Cancelled;
        if (clock.elapsed() > run.timeLimit.count()) return OfficeStatus::TimedOut;
        std::this_thread::sleep_for(kPoll);
    }
    return OfficeStatus::Ok;
}

OfficeResult outcome(OfficeStatus waited, int exit, const OfficeProcess& run) {
    if (waited == OfficeStatus::Cancelled) return {waited, u"the office job was cancelled"_s};
    if (waited == OfficeStatus::TimedOut)
        return {waited, u"the office job took longer than %1 s"_s.arg(
                            static_cast<double>(run.timeLimit.count()) / 1000.0)};
    if (!WIFEXITED(exit) || WEXITSTATUS(exit) != 0)
        return failureOf(exit, run.workFolder);
    return {OfficeStatus::Ok, {}};
}

}  // namespace

QString officeProcessLastWords(const QString& workFolder) {
    return officeLogLastWords(workFolder);
}

QString officeProfileUrl(const QString& folder) {
    return QUrl::fromLocalFile(folder).toString(QUrl::FullyEncoded);
}

// The office names this socket after the MD5 of its user-installation URL in UTF-16LE, each
// byte in hexadecimal without a leading zero.
QString officeInstancePipeName(const QString& profileUrl) {
    QByteArray utf16le;
    utf16le.reserve(profileUrl.size() * 2);
    for (QChar c : profileUrl) {
        const char16_t unit = qToLittleEndian(c.unicode());
        utf16le.append(reinterpret_cast<const char*>(&unit), 2);
    }
    QString name = u"SingleOfficeIPC_"_s;
    for (char byte : QCryptographicHash::hash(utf16le, QCryptographicHash::Md5))
        name += QString::number(static_cast<unsigned char>(byte), 16);
    return name;
}

OfficeResult runOfficeProcess(const OfficeProcess& run, std::stop_token stop) {
    QElapsedTimer clock;
    clock.start();
    QString error;
    const pid_t pid = spawnOfficeGroup({run.program, run.arguments, run.workFolder}, error);
    if (pid < 0) return {OfficeStatus::Failed, error, clock.elapsed()};
    const OfficeStatus waited = waitForLeader(pid, run, stop, clock);
    stopOfficeGroup(pid);  // also ends whatever the process left running
    const int exit = reapOfficeLeader(pid);
    removeOfficeSockets(run.profileUrls, run.pipeNames);
    OfficeResult result = outcome(waited, exit, run);
    result.elapsedMs = clock.elapsed();
    return result;
}

}  // namespace ov::platform
