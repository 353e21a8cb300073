#pragma once
// The OCR engine: the pages of a picture file (every page of a multi-page TIFF, one page of
// any other picture) and their text. Each page is turned upright by the engine's orientation
// detection and straightened before it is read in Simplified Chinese and English. A file is
// read up to kMaxFileSize bytes and kMaxPages pages. Recognition may run on any one thread at
// a time; the pages are only read there.

#include <QImage>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "core/errors.h"

struct Pix;

namespace ov::control {

class OcrError : public Error {
public:
    using Error::Error;
};

class OcrDocument {
public:
    static constexpr qint64 kMaxFileSize = qint64{256} * 1024 * 1024;
    static constexpr int kMaxPages = 1000;

    // The engine's version; "" when the engine or its language data is missing.
    static QString EngineVersion();

    // Reads the file's pages; raises OcrError when it holds no picture.
    explicit OcrDocument(const QString& fileName);
    ~OcrDocument();
    OcrDocument(const OcrDocument&) = delete;
    OcrDocument& operator=(const OcrDocument&) = delete;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    QImage PageImage(int page) const;

    // The text of each page in order; stops early (keeping what it has) when `cancel` is set.
    // Raises OcrError when the engine cannot start; `done` receives each page's text.
    void Recognise(const std::atomic_bool& cancel,
                   const std::function<void(const QString&)>& done) const;

private:
    struct PixFree {
        void operator()(Pix* pix) const;
    };
    std::vector<std::unique_ptr<Pix, PixFree>> m_pages;
};

}  // namespace ov::control
