#include "platform/widgets/documentviewer.h"

#include <poppler-qt6.h>
#include <poppler-version.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>

#include "platform/widgets/inputguard.h"
#include "platform/widgets/pagerenderer.h"

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

constexpr double kMinZoom = 10.0;
constexpr double kMaxZoom = 800.0;
constexpr int kMargin = 8;                  // pixels round the page
constexpr qint64 kMaxFileSize = 2LL << 30;  // larger files are not opened
constexpr double kMaxPagePixels = 40e6;     // bound on one rendered page image

// Maps points of the unrotated page (width w, height h) to points of the page turned clockwise.
QTransform rotationTransform(int degrees, const QSizeF& size) {
    const double w = size.width(), h = size.height();
    switch (degrees) {
        case 90:
            return QTransform(0, 1, -1, 0, h, 0);
        case 180:
            return QTransform(-1, 0, 0, -1, w, h);
        case 270:
            return QTransform(0, -1, 1, 0, 0, w);
        default:
            return {};
    }
}

void collectOutline(const QVector<Poppler::OutlineItem>& items,
                    std::vector<DocumentViewer::OutlineEntry>& out, int depth) {
    if (depth > 32) return;  // a damaged file may nest without end
    for (const Poppler::OutlineItem& item : items) {
        DocumentViewer::OutlineEntry entry;
        entry.title = item.name();
        if (const auto dest = item.destination()) entry.page = dest->pageNumber();
        if (item.hasChildren()) collectOutline(item.children(), entry.children, depth + 1);
        out.push_back(std::move(entry));
    }
}

}  // namespace

DocumentViewer::DocumentViewer(QWidget* parent)
    : QAbstractScrollArea(parent), m_renderer(new PageRenderer(this)) {
    setFocusPolicy(Qt::StrongFocus);
    // A vertical bar that comes and goes would change the width that a fit is made for.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    connect(m_renderer, &PageRenderer::rendered, viewport(), qOverload<>(&QWidget::update));
}

DocumentViewer::~DocumentViewer() {
    m_renderer->setDocument(nullptr);
}

bool DocumentViewer::loadFile(const QString& path) {
    closeDocument();
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        m_error = u"Cannot open the file: "_s + file->errorString();
        return false;
    }
    if (file->size() > kMaxFileSize) {
        m_error = u"The file is too large."_s;
        return false;
    }
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(file.get());
    if (!document || document->isLocked() || document->numPages() <= 0) {
        m_error = u"The file is not a readable PDF document."_s;
        return false;
    }
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    // Page sizes are read when a page is first needed: a big document opens at once.
    m_pageSizes.assign(static_cast<size_t>(document->numPages()), QSizeF());
    m_doc = std::make_shared<SharedDocument>();
    m_doc->file = std::move(file);
    m_doc->document = std::move(document);
    m_renderer->setDocument(m_doc);
    m_error.clear();
    applyFit();
    updateView();
    emit documentLoaded();
    emit currentPageChanged(currentPage());
    return true;
}

void DocumentViewer::closeDocument() {
    m_renderer->setDocument(nullptr);
    m_doc.reset();
    m_pageSizes.clear();
    m_page = 0;
    m_matchPage = -1;
    m_match = {};
    m_selection = {};
    viewport()->update();
}

bool DocumentViewer::isLoaded() const {
    return m_doc != nullptr;
}

int DocumentViewer::pageCount() const {
    return static_cast<int>(m_pageSizes.size());
}

bool DocumentViewer::setCurrentPage(int pageNumber) {
    if (pageNumber < 1 || pageNumber > pageCount()) return false;
    goToIndex(pageNumber - 1);
    return true;
}

void DocumentViewer::firstPage() {
    setCurrentPage(1);
}
void DocumentViewer::nextPage() {
    setCurrentPage(currentPage() + 1);
}
void DocumentViewer::previousPage() {
    setCurrentPage(currentPage() - 1);
}
void DocumentViewer::lastPage() {
    setCurrentPage(pageCount());
}

void DocumentViewer::goToIndex(int index) {
    if (index == m_page) return;
    m_page = index;
    m_selection = {};
    applyFit();
    updateView();
    verticalScrollBar()->setValue(0);
    emit currentPageChanged(currentPage());
}

void DocumentViewer::setZoom(double percent) {
    m_fit = FitMode::None;
    const double bounded = std::clamp(percent, kMinZoom, kMaxZoom);
    if (qFuzzyCompare(bounded, m_zoom)) return;
    m_zoom = bounded;
    updateView();
    emit zoomChanged(m_zoom);
}

void DocumentViewer::fitWidth() {
    m_fit = FitMode::Width;
    applyFit();
    updateView();
}

void DocumentViewer::fitHeight() {
    m_fit = FitMode::Height;
    applyFit();
    updateView();
}

// Sets the zoom that makes the current page fill the window's width or height.
void DocumentViewer::applyFit() {
    if (m_fit == FitMode::None || !isLoaded()) return;
    const QSizeF page = rotatedPageSize(m_page);
    const double screenPerPoint = logicalDpiX() / 72.0;
    const double room = m_fit == FitMode::Width ? viewport()->width() - 2 * kMargin
                                                : viewport()->height() - 2 * kMargin;
    const double extent = m_fit == FitMode::Width ? page.width() : page.height();
    if (room <= 0 || extent <= 0) return;
    const double zoom = std::clamp(100.0 * room / (extent * screenPerPoint), kMinZoom, kMaxZoom);
    if (qFuzzyCompare(zoom, m_zoom)) return;
    m_zoom = zoom;
    emit zoomChanged(m_zoom);
}

void DocumentViewer::rotateLeft() {
    m_rotation = (m_rotation + 270) % 360;
    applyFit();
    updateView();
}

void DocumentViewer::rotateRight() {
    m_rotation = (m_rotation + 90) % 360;
    applyFit();
    updateView();
}

QSizeF DocumentViewer::pageSizePoints(int index) const {
    if (index < 0 || index >= pageCount()) return {};
    QSizeF& size = m_pageSizes[static_cast<size_t>(index)];
    if (size.isValid()) return size;
    std::lock_guard lock(m_doc->lock);
    const std::unique_ptr<Poppler::Page> page = m_doc->document->page(index);
    size = page ? page->pageSizeF() : QSizeF();
    if (size.isEmpty()) size = QSizeF(595, 842);  // a damaged page shows as A4
    return size;
}

QSizeF DocumentViewer::rotatedPageSize(int index) const {
    const QSizeF size = pageSizePoints(index);
    return m_rotation % 180 == 0 ? size : size.transposed();
}

double DocumentViewer::pixelsPerPoint() const {
    return m_zoom / 100.0 * logicalDpiX() / 72.0;
}

// The resolution of the page image: the zoom on this screen, bounded so that one page image
// stays below kMaxPagePixels.
int DocumentViewer::renderDpi() const {
    const double dpi = pixelsPerPoint() * 72.0 * devicePixelRatioF();
    const QSizeF page = pageSizePoints(m_page);
    const double pixels = page.width() * page.height() * (dpi / 72.0) * (dpi / 72.0);
    const double bounded = pixels > kMaxPagePixels ? dpi * std::sqrt(kMaxPagePixels / pixels) : dpi;
    return std::max(1, static_cast<int>(bounded));
}

// Maps points of the unrotated current page to viewport pixels.
QTransform DocumentViewer::pageToView() const {
    const QSizeF rotated = rotatedPageSize(m_page) * pixelsPerPoint();
    const double x = std::max<double>(kMargin, (viewport()->width() - rotated.width()) / 2.0);
    const QTransform place = QTransform::fromTranslate(x - horizontalScrollBar()->value(),
                                                       kMargin - verticalScrollBar()->value());
    const double s = pixelsPerPoint();
    return rotationTransform(m_rotation, pageSizePoints(m_page)) * QTransform::fromScale(s, s) *
           place;
}

void DocumentViewer::updateView() {
    m_renderer->cancelPending();
    updateScrollBars();
    viewport()->update();
}

void DocumentViewer::updateScrollBars() {
    const QSizeF page = isLoaded() ? rotatedPageSize(m_page) * pixelsPerPoint() : QSizeF();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(page.width()) + 2 * kMargin - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(page.height()) + 2 * kMargin - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void DocumentViewer::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (isLoaded()) paintPage(painter);
}

void DocumentViewer::paintPage(QPainter& painter) {
    const QTransform toView = pageToView();
    const QRectF pageRect = toView.mapRect(QRectF(QPointF(0, 0), pageSizePoints(m_page)));
    const QImage image = m_renderer->image({m_page, renderDpi(), m_rotation});
    painter.fillRect(pageRect, Qt::white);
    if (!image.isNull()) painter.drawImage(pageRect, image);
    if (m_page + 1 < pageCount() && !image.isNull()) {
        // Renders the next page ahead, so paging on shows it at once.
        m_renderer->image({m_page + 1, renderDpi(), m_rotation});
    }
    if (m_matchPage == m_page && !m_match.isEmpty())
        painter.fillRect(toView.mapRect(m_match), QColor(255, 200, 0, 110));
    if (!m_selection.isEmpty())
        painter.fillRect(toView.mapRect(m_selection), QColor(0, 90, 200, 70));
}

void DocumentViewer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    applyFit();
    updateView();
}

void DocumentViewer::scrollContentsBy(int, int) {
    viewport()->update();
}

// The viewport also changes size when a scroll bar comes or goes.
bool DocumentViewer::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        applyFit();
        updateScrollBars();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool DocumentViewer::waitForRendering(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (isLoaded() && !m_renderer->image({m_page, renderDpi(), m_rotation}).isNull())
            return true;
        m_renderer->waitForIdle();
        QCoreApplication::processEvents();
    }
    return false;
}

bool DocumentViewer::find(const QString& text, bool caseSensitive) {
    if (!isLoaded() || text.isEmpty()) return false;
    // Goes on after the marked match while it is on the page shown, else from the page's top.
    const bool goOn = m_matchPage == m_page;
    const int start = m_page;
    const QRectF after = goOn ? m_match : QRectF();
    // The rest of the start page, every other page, then the start page from its top.
    if (searchPage(start, text, caseSensitive, after)) return true;
    for (int i = 1; i < pageCount(); ++i)
        if (searchPage((start + i) % pageCount(), text, caseSensitive, {})) return true;
    if (!after.isNull() && searchPage(start, text, caseSensitive, {})) return true;
    m_matchPage = -1;
    m_match = {};
    viewport()->update();
    return false;
}

// Looks for the text on one page; with `after` set, only matches that come after it count.
bool DocumentViewer::searchPage(int index, const QString& text, bool caseSensitive,
                                const QRectF& after) {
    QList<QRectF> hits;
    {
        std::lock_guard lock(m_doc->lock);
        const std::unique_ptr<Poppler::Page> page = m_doc->document->page(index);
        if (!page) return false;
        const auto flags = caseSensitive ? Poppler::Page::NoSearchFlags
                                         : Poppler::Page::SearchFlags(Poppler::Page::IgnoreCase);
        hits = page->search(text, flags);
    }
    bool passed = after.isNull();
    for (const QRectF& hit : hits) {
        if (!passed) {
            passed = hit == after;
            continue;
        }
        m_matchPage = index;
        m_match = hit;
        goToIndex(index);
        const QRectF shown = pageToView().mapRect(hit);
        verticalScrollBar()->setValue(verticalScrollBar()->value() + int(shown.top()) -
                                      viewport()->height() / 3);
        viewport()->update();
        return true;
    }
    return false;
}

std::vector<DocumentViewer::OutlineEntry> DocumentViewer::outline() const {
    std::vector<OutlineEntry> entries;
    if (!isLoaded()) return entries;
    std::lock_guard lock(m_doc->lock);
    collectOutline(m_doc->document->outline(), entries, 0);
    return entries;
}

void DocumentViewer::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    setContextMenuPolicy(readOnly ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    if (readOnly) {
        InputGuard::instance().guard(this);
        if (m_menu) m_menu->close();
    } else {
        InputGuard::instance().unguard(this);
    }
}

void DocumentViewer::setSelection(const QRectF& pageRect) {
    m_selection = pageRect.normalized() & QRectF(QPointF(0, 0), pageSizePoints(m_page));
    viewport()->update();
}

QString DocumentViewer::selectedText() const {
    if (!isLoaded() || m_selection.isEmpty()) return {};
    std::lock_guard lock(m_doc->lock);
    const std::unique_ptr<Poppler::Page> page = m_doc->document->page(m_page);
    return page ? page->text(m_selection) : QString();
}

bool DocumentViewer::canCopy() const {
    return isLoaded() && (!m_readOnly || InputGuard::allowCtrlC());
}

bool DocumentViewer::copySelection() {
    if (!canCopy()) return false;
    const QString text = selectedText();
    if (text.isEmpty()) return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

bool DocumentViewer::canSaveAs() const {
    return isLoaded() && !m_readOnly;
}

bool DocumentViewer::saveAs(const QString& path) {
    if (!canSaveAs()) return false;
    // The document reads from the same file on the render thread.
    std::lock_guard lock(m_doc->lock);
    if (!m_doc->file->seek(0)) return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    QByteArray chunk;
    while (!(chunk = m_doc->file->read(256 * 1024)).isEmpty())
        if (out.write(chunk) != chunk.size()) return false;
    return out.commit();
}

QString DocumentViewer::versionText() {
    return Poppler::Version::string();
}

void DocumentViewer::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    switch (event->key()) {
        case Qt::Key_PageDown:
            nextPage();
            return;
        case Qt::Key_PageUp:
            previousPage();
            return;
        case Qt::Key_Home:
            firstPage();
            return;
        case Qt::Key_End:
            lastPage();
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void DocumentViewer::contextMenuEvent(QContextMenuEvent* event) {
    if (m_readOnly || !isLoaded()) {
        event->accept();
        return;
    }
    buildContextMenu(event->globalPos());
}

void DocumentViewer::buildContextMenu(const QPoint& globalPos) {
    if (m_menu) m_menu->deleteLater();
    m_menu = new QMenu(this);
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = m_menu->addAction(tr("Copy"), this, &DocumentViewer::copySelection);
    copy->setEnabled(canCopy() && !m_selection.isEmpty());
    m_menu->addAction(tr("Save as..."), this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save as"));
        if (!path.isEmpty()) saveAs(path);
    });
    m_menu->addAction(tr("Print..."), this, [this] { print(true); });
    m_menu->popup(globalPos);
}

void DocumentViewer::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isLoaded()) return;
    m_dragStart = pageToView().inverted().map(event->position());
    m_dragging = true;
    m_selection = {};
    viewport()->update();
}

void DocumentViewer::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    setSelection(QRectF(m_dragStart, pageToView().inverted().map(event->position())));
}

void DocumentViewer::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_dragging = false;
}

}  // namespace ov::platform
