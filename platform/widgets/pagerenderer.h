#pragma once
// Renders the pages of an open document on a worker thread and keeps the last few page images,
// so the viewer never waits for a big page on the user-interface thread. Every call on the
// poppler document, on any thread, goes through the document's lock.

#include <QFile>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <list>
#include <memory>
#include <mutex>

namespace Poppler {
class Document;
}

namespace ov::platform {

// An open document with the lock that every use of it takes, and the file it reads from (kept
// open, and gone only after the document).
struct SharedDocument {
    std::mutex lock;
    std::unique_ptr<QFile> file;
    std::unique_ptr<Poppler::Document> document;
};

// One page image: page index, resolution in dots per inch and rotation in degrees.
struct PageImageKey {
    int page = -1;
    int dpi = 0;
    int rotation = 0;
    bool operator==(const PageImageKey&) const = default;
};

class PageRenderer : public QObject {
    Q_OBJECT
public:
    explicit PageRenderer(QObject* parent = nullptr);
    ~PageRenderer() override;

    void setDocument(std::shared_ptr<SharedDocument> document);
    // The image when it is ready; otherwise a null image, and the page is rendered (once) in the
    // background; `rendered` follows when it is ready.
    QImage image(const PageImageKey& key);
    // Drops the requests not yet started (the view has moved on).
    void cancelPending();
    // Waits until no rendering is running or queued (tests, and before the document goes).
    void waitForIdle();
    bool isBusy() const { return !m_pending.isEmpty(); }

    static constexpr int kCacheSize = 6;

signals:
    void rendered(int page);

private:
    void start(const PageImageKey& key);
    void store(const PageImageKey& key, const QImage& image);

    std::shared_ptr<SharedDocument> m_document;
    std::list<std::pair<PageImageKey, QImage>> m_cache;  // most recent first
    QList<PageImageKey> m_pending;
    QThreadPool m_pool;
    quint64 m_generation = 0;  // results of an older document or a cancelled request are dropped
};

// Renders one page synchronously (printing, and the worker itself).
QImage renderPage(SharedDocument& document, const PageImageKey& key);

}  // namespace ov::platform
