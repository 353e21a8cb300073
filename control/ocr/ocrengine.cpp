#include "control/ocr/ocrengine.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>

#include <QFile>
#include <functional>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr const char* kLanguages = "chi_sim+eng";

QByteArray ReadBounded(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > OcrDocument::kMaxFileSize)
        throw OcrError(u"Cannot read the picture "_s + fileName);
    return file.read(OcrDocument::kMaxFileSize);
}

bool IsTiff(const QByteArray& data) {
    return data.startsWith("II*\0") || data.startsWith("MM\0*");
}

struct Api {
    tesseract::TessBaseAPI api;
    bool ready = false;
    explicit Api(const char* languages) { ready = api.Init(nullptr, languages) == 0; }
    ~Api() { api.End(); }
};

// The page turned upright (when the orientation data can tell) and straightened.
Pix* Upright(Pix* page, Api& osd) {
    int degrees = 0;
    float confidence = 0, scriptConfidence = 0;
    const char* script = nullptr;
    Pix* turned = nullptr;
    if (osd.ready) {
        osd.api.SetImage(page);
        if (osd.api.DetectOrientationScript(&degrees, &confidence, &script, &scriptConfidence) &&
            degrees % 360 != 0 && confidence > 1.0f)
            turned = pixRotateOrth(page, (4 - degrees / 90) % 4);
    }
    Pix* straight = pixDeskew(turned ? turned : page, 0);
    if (turned) pixDestroy(&turned);
    return straight;
}

QString PageText(Pix* page, Api& osd, Api& reader) {
    Pix* upright = Upright(page, osd);
    reader.api.SetImage(upright ? upright : page);
    char* text = reader.api.GetUTF8Text();
    QString result = text ? QString::fromUtf8(text).trimmed() : QString();
    delete[] text;
    if (upright) pixDestroy(&upright);
    return result.replace(u"\n"_s, u"\r\n"_s);
}

}  // namespace

void OcrDocument::PixFree::operator()(Pix* pix) const {
    pixDestroy(&pix);
}

QString OcrDocument::EngineVersion() {
    Api probe(kLanguages);
    return probe.ready ? QString::fromLatin1(tesseract::TessBaseAPI::Version()) : QString();
}

OcrDocument::OcrDocument(const QString& fileName) {
    const QByteArray data = ReadBounded(fileName);
    const auto* bytes = reinterpret_cast<const l_uint8*>(data.constData());
    const auto size = static_cast<size_t>(data.size());
    if (IsTiff(data)) {
        size_t offset = 0;
        do {
            Pix* page = pixReadMemFromMultipageTiff(bytes, size, &offset);
            if (!page) break;
            m_pages.emplace_back(page);
        } while (offset != 0 && PageCount() < kMaxPages);
    } else if (Pix* page = pixReadMem(bytes, size)) {
        m_pages.emplace_back(page);
    }
    if (m_pages.empty()) throw OcrError(u"The file holds no picture: "_s + fileName);
}

OcrDocument::~OcrDocument() = default;

QImage OcrDocument::PageImage(int page) const {
    l_uint8* png = nullptr;
    size_t size = 0;
    if (page < 0 || page >= PageCount() ||
        pixWriteMemPng(&png, &size, m_pages[static_cast<size_t>(page)].get(), 0) != 0)
        return {};
    QImage image = QImage::fromData(png, static_cast<int>(size), "PNG");
    lept_free(png);
    return image;
}

void OcrDocument::Recognise(const std::atomic_bool& cancel,
                            const std::function<void(const QString&)>& done) const {
    Api osd("osd");
    Api reader(kLanguages);
    if (!reader.ready) throw OcrError(u"The OCR engine or its language data is not installed"_s);
    reader.api.SetPageSegMode(tesseract::PSM_AUTO);
    osd.api.SetPageSegMode(tesseract::PSM_OSD_ONLY);
    for (const auto& page : m_pages) {
        if (cancel.load()) return;
        done(PageText(page.get(), osd, reader));
    }
}

}  // namespace ov::control
