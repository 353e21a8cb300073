#include "platform/desktopopen.h"

#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace ov::platform {

void openWithDesktop(const QString& target, QObject* context, std::function<void(bool)> done,
                     int patienceMs) {
    auto* opener = new QProcess(context);
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({target});
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    auto report = std::make_shared<std::function<void(bool)>>(std::move(done));
    // Reports once, then lets the opener run on by itself.
    auto finish = [report](bool ok) {
        if (!*report) return;
        const auto callback = std::exchange(*report, nullptr);
        callback(ok);
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener, [finish, opener](auto error) {
        if (error == QProcess::FailedToStart) {
            finish(false);
            opener->deleteLater();
        }
    });
    QObject::connect(opener, &QProcess::finished, opener,
                     [finish, opener](int code, QProcess::ExitStatus status) {
                         finish(status == QProcess::NormalExit && code == 0);
                         opener->deleteLater();
                     });
    QTimer::singleShot(patienceMs, opener, [finish] { finish(true); });
    opener->start();
}

}  // namespace ov::platform
