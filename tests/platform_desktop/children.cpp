#include "children.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>

using namespace Qt::StringLiterals;

namespace ov::test {

std::unique_ptr<QProcess> startChild(const QString& role) {
    auto child = std::make_unique<QProcess>();
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(u"OV_DESKTOP_CHILD"_s, role);
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(u"/proc/self/exe"_s, {u"--gtest_filter=Child.Role"_s});
    child->waitForStarted(10000);
    return child;
}

bool waitForLine(QProcess& child, const QString& line, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (child.canReadLine()) {
            if (QString::fromUtf8(child.readLine()).trimmed() == line) return true;
        }
        if (child.state() == QProcess::NotRunning) return false;
        child.waitForReadyRead(static_cast<int>(qMin<qint64>(deadline.remainingTime(), 200)));
    }
    return false;
}

int childExitCode(QProcess& child, int timeoutMs) {
    if (!child.waitForFinished(timeoutMs) || child.exitStatus() != QProcess::NormalExit) return -1;
    return child.exitCode();
}

}  // namespace ov::test

// ---- the parts a child plays ----

#include <gtest/gtest.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <cstdio>

#include "platform/singleinstance.h"
#include "platform/windowbus.h"

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Holds the lock until the parent closes our standard input.
int holdLock() {
    ov::platform::SingleInstance lock(u"OvTestLock"_s);
    if (lock.acquire() != ov::platform::SingleInstance::State::Owner) return 2;
    say("locked");
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) return 3;
    input.readAll();
    return 0;
}

// A window that answers: 0x500 gives wParam + lParam when run on the main thread; 0x10 is a
// slow handler; 0x13 gives the number of 0x46F posts seen; 0x12 ends with lParam as exit code.
int serveWindow() {
    int argc = 1;
    char name[] = "child";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ov::platform::BusWindow window(u"TestWndClass"_s);
    int posts = 0;
    window.setHandler([&](quint32 msg, qint64 wParam, qint64 lParam) -> qint64 {
        if (QThread::currentThread() != app.thread()) return -1;
        switch (msg) {
            case 0x500:
                return wParam + lParam;
            case 0x10:
                QThread::msleep(1500);
                return 7;
            case 0x46F:
                posts += lParam == 0x201 ? 1 : 0;
                return 0;
            case 0x13:
                return posts;
            case 0x12:
                QCoreApplication::exit(static_cast<int>(lParam));
                return 0;
            default:
                return 0;
        }
    });
    if (!window.listen()) return 2;
    say("ready");
    return app.exec();
}

}  // namespace

TEST(Child, Role) {
    const QString role = qEnvironmentVariable("OV_DESKTOP_CHILD");
    if (role.isEmpty()) GTEST_SKIP() << "played only in a child process";
    int code = 1;
    if (role == u"lock-hold"_s) code = holdLock();
    if (role == u"window"_s) code = serveWindow();
    ::_exit(code);  // the exit code is the child's result
}
