#pragma once
// The browser window: address, back, forward, reload, print, and the page view in which the
// server's pages drive the control. Downloads go to the user's Downloads folder.

#include <QMainWindow>

#include "control/hosts/ovbrowser/trust.h"

class QLineEdit;
class QWebEngineDownloadRequest;
class QWebEngineView;

namespace ov::ovbrowser {

class BrowserPage;

class BrowserWindow : public QMainWindow {
    Q_OBJECT
public:
    BrowserWindow(const QUrl& startUrl, const QString& downloadFolder);
    ~BrowserWindow() override;

    BrowserPage& page() { return *m_page; }
    QWebEngineView& view() { return *m_view; }

private:
    void buildToolBar();
    void download(QWebEngineDownloadRequest* request);
    void print();

    QString m_downloadFolder;
    QWebEngineView* m_view;
    BrowserPage* m_page;
    QLineEdit* m_address;
};

// A name that a page suggests for a download, reduced to a plain file name ("download" when
// nothing usable is left).
QString SafeDownloadName(const QString& suggested);

}  // namespace ov::ovbrowser
