#include "platform/officeprocess.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>
#include <QtEndian>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

extern char** environ;

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace ov::platform {

namespace {

constexpr auto kPoll = 20ms;
// How long the processes of a killed group may take to go away.
constexpr auto kGroupExit = 5s;
// How much of the end of the output is kept for the failure message.
constexpr qint64 kLogTail = 2000;

// Arguments or environment as the NUL-terminated array that exec wants. The byte arrays own
// the texts; the pointer array points into them.
class CStrings {
public:
    void add(const QByteArray& text) { m_texts.push_back(text); }
    char** get() {
        m_pointers.clear();
        for (QByteArray& text : m_texts)
            m_pointers.push_back(text.data());
        m_pointers.push_back(nullptr);
        return m_pointers.data();
    }

private:
    std::vector<QByteArray> m_texts;
    std::vector<char*> m_pointers;
};

CStrings argumentsOf(const OfficeProcess& run) {
    CStrings argv;
    argv.add(QFile::encodeName(run.program));
    for (const QString& argument : run.arguments)
        argv.add(argument.toUtf8());
    return argv;
}

// The caller's environment with TMPDIR moved into the job's folder.
CStrings environmentOf(const OfficeProcess& run) {
    CStrings envp;
    for (char** entry = environ; entry && *entry; ++entry) {
        if (qstrncmp(*entry, "TMPDIR=", 7) != 0) envp.add(QByteArray(*entry));
    }
    envp.add("TMPDIR=" + QFile::encodeName(run.workFolder + u"tmp"_s));
    return envp;
}

class SpawnSetup {
public:
    explicit SpawnSetup(const QByteArray& logFile) {
        posix_spawnattr_init(&m_attr);
        posix_spawn_file_actions_init(&m_actions);
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        for (int sig : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD, SIGQUIT})
            sigaddset(&defaults, sig);
        posix_spawnattr_setflags(
            &m_attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawnattr_setpgroup(&m_attr, 0);  // a group of its own, led by the child
        posix_spawnattr_setsigmask(&m_attr, &none);
        posix_spawnattr_setsigdefault(&m_attr, &defaults);
        posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&m_actions, 1, logFile.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&m_actions, 1, 2);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    const posix_spawnattr_t* attr() const { return &m_attr; }
    const posix_spawn_file_actions_t* actions() const { return &m_actions; }

private:
    posix_spawnattr_t m_attr;
    posix_spawn_file_actions_t m_actions;
};

// Whether the leader has exited, without reaping it: while it is a zombie its process id, and
// with it the group id, cannot be taken by another process.
bool leaderExited(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

// Whether a live (not zombie) process of the group is left, from /proc.
bool groupAlive(pid_t group) {
    const QStringList ids = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& id : ids) {
        QFile stat(u"/proc/"_s + id + u"/stat"_s);
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray line = stat.read(1024);
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[2].toInt() == group && fields[0] != "Z" && fields[0] != "X")
            return true;
    }
    return false;
}

void stopGroup(pid_t group) {
    ::kill(-group, SIGKILL);
    const auto deadline = std::chrono::steady_clock::now() + kGroupExit;
    while (groupAlive(group) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPoll);
}

int reap(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

void removeSocket(const QString& name) {
    const QString file = u"OSL_PIPE_"_s + QString::number(getuid()) + u'_' + name;
    for (const QString& folder : {u"/tmp/"_s, u"/var/tmp/"_s}) {
        const QByteArray path = QFile::encodeName(folder + file);
        struct stat info {};
        if (lstat(path.constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
            info.st_uid == getuid())
            ::unlink(path.constData());
    }
}

void removeSockets(const OfficeProcess& run) {
    for (const QString& url : run.profileUrls)
        removeSocket(officeInstancePipeName(url));
    for (const QString& name : run.pipeNames)
        removeSocket(name);
}

// The last line of the output that says something (office warnings about Java left out).
QString lastWords(const QString& logFile) {
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly)) return {};
    file.seek(qMax<qint64>(0, file.size() - kLogTail));
    const QStringList lines = QString::fromUtf8(file.read(kLogTail)).split(u'\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString text = line->trimmed();
        if (!text.isEmpty() && !text.startsWith(u"Warning: failed to launch javaldx"_s))
            return text;
    }
    return {};
}

OfficeResult failureOf(int status, const QString& logFile) {
    QString why = WIFEXITED(status)
                      ? u"the office process ended with code %1"_s.arg(WEXITSTATUS(status))
                      : u"the office process was ended by signal %1"_s.arg(WTERMSIG(status));
    const QString words = lastWords(logFile);
    if (!words.isEmpty()) why += u": "_s + words;
    return {OfficeStatus::Failed, why};
}

// Polls until the leader exits, the time is up or a stop is requested; says which.
OfficeStatus waitForLeader(pid_t pid, const OfficeProcess& run, std::stop_token stop,
                           const QElapsedTimer& clock) {
    while (!leaderExited(pid)) {
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
        return failureOf(exit, run.workFolder + u"log"_s);
    return {OfficeStatus::Ok, {}};
}

}  // namespace

QString officeProcessLastWords(const QString& workFolder) {
    return lastWords(workFolder + u"log"_s);
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
    QDir().mkpath(run.workFolder + u"tmp"_s);
    SpawnSetup setup(QFile::encodeName(run.workFolder + u"log"_s));
    CStrings argv = argumentsOf(run);
    CStrings envp = environmentOf(run);
    const QByteArray program = QFile::encodeName(run.program);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.constData(), setup.actions(), setup.attr(),
                                  argv.get(), envp.get());
    if (error != 0)
        return {OfficeStatus::Failed,
                u"the office could not be started: "_s + QString::fromLocal8Bit(strerror(error)),
                clock.elapsed()};
    const OfficeStatus waited = waitForLeader(pid, run, stop, clock);
    stopGroup(pid);  // also ends whatever the process left running
    const int exit = reap(pid);
    removeSockets(run);
    OfficeResult result = outcome(waited, exit, run);
    result.elapsedMs = clock.elapsed();
    return result;
}

}  // namespace ov::platform
