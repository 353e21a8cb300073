#include "platform/officegroup.h"

#include "platform/officeprocess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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
// How much of the end of the output is read for the last words.
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

CStrings argumentsOf(const OfficeSpawn& spawn) {
    CStrings argv;
    argv.add(QFile::encodeName(spawn.program));
    for (const QString& argument : spawn.arguments)
        argv.add(argument.toUtf8());
    return argv;
}

bool startsWith(const char* entry, const char* name) {
    return qstrncmp(entry, name, qstrlen(name)) == 0;
}

bool isUtf8(const QByteArray& locale) {
    const QByteArray name = locale.toLower();
    return name.contains("utf-8") || name.contains("utf8");
}

// Qt writes file names in UTF-8, and the office and its Python bridge turn file URLs into names
// with the character set of their locale: a caller whose character type is not UTF-8 would
// have every Chinese name refused. Such a caller's LC_CTYPE becomes "C.UTF-8"; an LC_ALL, which
// would override it, is handed down as LANG instead, so that the other categories stay as they
// were.
struct LocaleFix {
    bool needed = false;
    QByteArray all;

    LocaleFix() {
        all = qgetenv("LC_ALL");
        const QByteArray ctype = qgetenv("LC_CTYPE");
        needed = !isUtf8(!all.isEmpty() ? all : !ctype.isEmpty() ? ctype : qgetenv("LANG"));
    }
    bool replaces(const char* entry) const {
        if (!needed) return false;
        if (startsWith(entry, "LC_ALL=") || startsWith(entry, "LC_CTYPE=")) return true;
        return !all.isEmpty() && (startsWith(entry, "LANG=") || startsWith(entry, "LC_"));
    }
    void add(CStrings& envp) const {
        if (!needed) return;
        if (!all.isEmpty()) envp.add("LANG=" + all);
        envp.add("LC_CTYPE=C.UTF-8");
    }
};

// The caller's environment with TMPDIR moved into the job's folder and a UTF-8 character type.
CStrings environmentOf(const OfficeSpawn& spawn) {
    const LocaleFix locale;
    CStrings envp;
    for (char** entry = environ; entry && *entry; ++entry) {
        if (!startsWith(*entry, "TMPDIR=") && !locale.replaces(*entry))
            envp.add(QByteArray(*entry));
    }
    envp.add("TMPDIR=" + QFile::encodeName(spawn.workFolder + u"tmp"_s));
    locale.add(envp);
    return envp;
}

class SpawnSetup {
public:
    SpawnSetup(const QByteArray& logFile, int ioSocket) {
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
        posix_spawn_file_actions_addopen(&m_actions, 2, logFile.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (ioSocket >= 0) {
            posix_spawn_file_actions_adddup2(&m_actions, ioSocket, 0);
            posix_spawn_file_actions_adddup2(&m_actions, ioSocket, 1);
        } else {
            posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0);
            posix_spawn_file_actions_adddup2(&m_actions, 2, 1);
        }
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

}  // namespace

pid_t spawnOfficeGroup(const OfficeSpawn& spawn, QString& error) {
    QDir().mkpath(spawn.workFolder + u"tmp"_s);
    SpawnSetup setup(QFile::encodeName(spawn.workFolder + u"log"_s), spawn.ioSocket);
    CStrings argv = argumentsOf(spawn);
    CStrings envp = environmentOf(spawn);
    const QByteArray program = QFile::encodeName(spawn.program);
    pid_t pid = 0;
    const int failed =
        posix_spawn(&pid, program.constData(), setup.actions(), setup.attr(), argv.get(), envp.get());
    if (failed == 0) return pid;
    error = u"the office could not be started: "_s + QString::fromLocal8Bit(strerror(failed));
    return -1;
}

bool officeLeaderExited(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

void stopOfficeGroup(pid_t group) {
    ::kill(-group, SIGKILL);
    const auto deadline = std::chrono::steady_clock::now() + kGroupExit;
    while (groupAlive(group) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPoll);
}

int reapOfficeLeader(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

void removeOfficeSockets(const QStringList& profileUrls, const QStringList& pipeNames) {
    for (const QString& url : profileUrls)
        removeSocket(officeInstancePipeName(url));
    for (const QString& name : pipeNames)
        removeSocket(name);
}

QString officeLogLastWords(const QString& workFolder) {
    QFile file(workFolder + u"log"_s);
    if (!file.open(QIODevice::ReadOnly)) return {};
    file.seek(qMax<qint64>(0, file.size() - kLogTail));
    const QStringList lines = QString::fromUtf8(file.read(kLogTail)).split(u'\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString text = line->trimmed();
        // Office warnings about Java say nothing about the job.
        if (!text.isEmpty() && !text.startsWith(u"Warning: failed to launch javaldx"_s))
            return text;
    }
    return {};
}

}  // namespace ov::platform
