// A client process for the crash tests: the batch window of this home's task file, started as
// after a login, against the server given on the command line; it ends when no task is left
// to run.
//   ov-batch-probe HOST PORT TOKEN

#include "client/batch/batchwindow.h"

#include <QApplication>
#include <QTimer>

using namespace ov;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) return 2;
    TBatchWindowServices services;
    services.Server = [&args] {
        TWorkerServer s;
        s.Host = args[1];
        s.Port = args[2].toInt();
        s.UserId = args[3];
        s.Language = HSL_ENG;
        return s;
    };
    services.Message = [](const QString& text, bool) { qWarning("%s", qPrintable(text)); };
    TBatchFileDealMainFrm window(HSL_ENG, services);
    window.UMRobotStartAll();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (window.UnOverTaskNum() == 0) app.quit();
    });
    poll.start(50);
    return app.exec();
}
