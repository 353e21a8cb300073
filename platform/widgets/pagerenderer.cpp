#include "platform/widgets/pagerenderer.h"

#include <poppler-qt6.h>

#include <QMetaObject>
#include <QPointer>

#include "platform/handoff.h"

namespace ov::platform {

namespace {

Poppler::Page::Rotation popplerRotation(int degrees) {
    switch (((degrees % 360) + 360) % 360) {
        case 90:
            return Poppler::Page::Rotate90;
        case 180:
            return Poppler::Page::Rotate180;
        case 270:
            return Poppler::Page::Rotate270;
        default:
            return Poppler::Page::Rotate0;
    }
}

}  // namespace

QImage renderPage(SharedDocument& document, const PageImageKey& key) {
    std::lock_guard lock(document.lock);
    if (!document.document) return {};
    const std::unique_ptr<Poppler::Page> page = document.document->page(key.page);
    if (!page) return {};
    return page->renderToImage(key.dpi, key.dpi, -1, -1, -1, -1, popplerRotation(key.rotation));
}

PageRenderer::PageRenderer(QObject* parent) : QObject(parent) {
    m_pool.setMaxThreadCount(1);
}

PageRenderer::~PageRenderer() {
    waitForIdle();
}

void PageRenderer::setDocument(std::shared_ptr<SharedDocument> document) {
    cancelPending();
    m_pool.waitForDone();
    m_cache.clear();
    ++m_generation;
    m_document = std::move(document);
}

QImage PageRenderer::image(const PageImageKey& key) {
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->first == key) {
            m_cache.splice(m_cache.begin(), m_cache, it);
            return m_cache.front().second;
        }
    }
    if (m_document && !m_pending.contains(key)) start(key);
    return {};
}

void PageRenderer::cancelPending() {
    m_pool.clear();
    m_pending.clear();
    ++m_generation;
}

void PageRenderer::waitForIdle() {
    m_pool.waitForDone();
}

void PageRenderer::start(const PageImageKey& key) {
    m_pending.append(key);
    const std::shared_ptr<SharedDocument> document = m_document;
    const quint64 generation = m_generation;
    QPointer<PageRenderer> self(this);
    StartPooled(m_pool, [document, key, generation, self, this] {
        const QImage image = renderPage(*document, key);
        // The renderer waits for the pool before it goes, so `this` is alive here; the queued
        // call runs on the renderer's thread.
        QMetaObject::invokeMethod(
            this,
            [self, key, generation, image] {
                if (self && self->m_generation == generation) self->store(key, image);
            },
            Qt::QueuedConnection);
    });
}

void PageRenderer::store(const PageImageKey& key, const QImage& image) {
    m_pending.removeAll(key);
    if (image.isNull()) return;
    m_cache.emplace_front(key, image);
    while (m_cache.size() > static_cast<size_t>(kCacheSize))
        m_cache.pop_back();
    emit rendered(key.page);
}

}  // namespace ov::platform
