#include "control/hosts/ovbrowser/browserwindow.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "control/hosts/ovbrowser/browserpage.h"

using namespace Qt::StringLiterals;

namespace ov::ovbrowser {

QString SafeDownloadName(const QString& suggested) {
    QString name = suggested.section(u'/', -1).section(u'\\', -1);
    name.remove(QChar(0));
    name = name.trimmed();
    while (name.startsWith(u'.')) name.remove(0, 1);
    if (name.size() > 200) name = name.right(200);
    return name.isEmpty() ? u"download"_s : name;
}

BrowserWindow::BrowserWindow(const QUrl& startUrl, const QString& downloadFolder)
    : m_downloadFolder(downloadFolder), m_view(new QWebEngineView(this)) {
    setObjectName(u"OvBrowser"_s);
    setWindowTitle(u"OvBrowser"_s);
    m_page = new BrowserPage(QWebEngineProfile::defaultProfile(), m_view, SiteTrust(startUrl));
    m_view->setPage(m_page);
    setCentralWidget(m_view);
    buildToolBar();
    connect(m_view, &QWebEngineView::titleChanged, this, [this](const QString& title) {
        setWindowTitle(title.isEmpty() ? u"OvBrowser"_s : title + u" - OvBrowser"_s);
    });
    connect(m_view, &QWebEngineView::urlChanged, this,
            [this](const QUrl& url) { m_address->setText(url.toDisplayString()); });
    connect(QWebEngineProfile::defaultProfile(), &QWebEngineProfile::downloadRequested, this,
            &BrowserWindow::download);
    connect(m_view, &QWebEngineView::printRequested, this, &BrowserWindow::print);
    resize(1024, 768);
    m_view->load(startUrl);
}

BrowserWindow::~BrowserWindow() {
    // The controls' windows leave the view before it goes.
    m_page->bridge().releaseAll();
}

void BrowserWindow::buildToolBar() {
    QToolBar* bar = addToolBar(u"navigation"_s);
    bar->setObjectName(u"navigation"_s);
    bar->setMovable(false);
    bar->addAction(m_view->pageAction(QWebEnginePage::Back));
    bar->addAction(m_view->pageAction(QWebEnginePage::Forward));
    bar->addAction(m_view->pageAction(QWebEnginePage::Reload));
    m_address = new QLineEdit(bar);
    m_address->setObjectName(u"address"_s);
    bar->addWidget(m_address);
    connect(m_address, &QLineEdit::returnPressed, this, [this] {
        m_view->load(QUrl::fromUserInput(m_address->text()));
    });
    QAction* print = bar->addAction(tr("Print"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &BrowserWindow::print);
}

void BrowserWindow::download(QWebEngineDownloadRequest* request) {
    request->setDownloadDirectory(m_downloadFolder);
    request->setDownloadFileName(SafeDownloadName(request->suggestedFileName()));
    QDir().mkpath(m_downloadFolder);
    connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, request] {
        statusBar()->showMessage(request->state() == QWebEngineDownloadRequest::DownloadCompleted
                                     ? tr("Downloaded %1").arg(request->downloadFileName())
                                     : tr("Download failed: %1").arg(request->interruptReasonString()));
    });
    request->accept();
}

void BrowserWindow::print() {
    // The printer lives until the page has been printed.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    connect(m_view, &QWebEngineView::printFinished, this, [printer] {}, Qt::SingleShotConnection);
    m_view->print(printer.get());
}

}  // namespace ov::ovbrowser
