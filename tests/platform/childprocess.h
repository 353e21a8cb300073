#pragma once
// Runs tests of this same test program in a child process: the test named by the filter runs
// there with extra environment variables (and the parent's HOME and XDG folders).

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <map>
#include <memory>

namespace ov::test {

inline std::unique_ptr<QProcess> startChildTest(const QString& filter,
                                                const std::map<QString, QString>& variables) {
    auto child = std::make_unique<QProcess>();
    auto env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : variables)
        env.insert(name, value);
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::ForwardedChannels);
    child->start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--gtest_filter=") + filter});
    return child;
}

// Whether the child ran to the end and all its tests passed.
inline bool childPassed(QProcess& child, int timeoutMs = 120000) {
    return child.waitForFinished(timeoutMs) && child.exitStatus() == QProcess::NormalExit &&
           child.exitCode() == 0;
}

}  // namespace ov::test
