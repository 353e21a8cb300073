// OvBrowser: the desktop window in which the document server's pages create and drive the
// control. The start page comes from the command line, else the settings' ServerUrl + "/index".

#include <QApplication>
#include <QStandardPaths>
#include <QUrl>

#include "control/hosts/ovbrowser/browserwindow.h"
#include "core/clientconfig.h"

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"OvBrowser"_s);
    const QStringList args = app.arguments();
    const QUrl start = args.size() > 1 ? QUrl::fromUserInput(args.at(1))
                                       : QUrl(ov::TClientConfigX().ServerUrl() + u"/index"_s);
    ov::ovbrowser::BrowserWindow window(
        start, QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    window.show();
    return app.exec();
}
