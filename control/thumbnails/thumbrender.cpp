#include "control/thumbnails/thumbrender.h"

#include "platform/officeconverter.h"
#include "platform/officesuite.h"
#include "platform/widgets/pagerenderer.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <poppler-qt6.h>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr qint64 MaxPictureBytes = qint64(256) << 20;

QImage Fitted(const QImage& page, int width) {
    QImage canvas(width, ThumbHeight, QImage::Format_RGB888);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const QImage scaled = page.scaledToWidth(width, Qt::SmoothTransformation);
    painter.drawImage(0, 0, scaled);
    return canvas;
}

QImage FirstPdfPage(const QString& path, int width, QString& error) {
    platform::SharedDocument doc;
    doc.file = std::make_unique<QFile>(path);
    if (doc.file->open(QIODevice::ReadOnly)) doc.document = Poppler::Document::load(doc.file.get());
    if (!doc.document || doc.document->isLocked() || doc.document->numPages() <= 0) {
        error = u"Not a readable PDF document"_s;
        return {};
    }
    doc.document->setRenderHint(Poppler::Document::Antialiasing);
    doc.document->setRenderHint(Poppler::Document::TextAntialiasing);
    QSizeF size;
    if (const auto page = doc.document->page(0)) size = page->pageSizeF();
    const int dpi = size.width() > 0 ? std::clamp(int(width * 72 / size.width()) + 1, 10, 600) : 96;
    const QImage page = platform::renderPage(doc, {0, dpi, 0});
    if (page.isNull()) error = u"The page cannot be rendered"_s;
    return page;
}

QImage Picture(const QString& path, QString& error) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (QFileInfo(path).size() > MaxPictureBytes || reader.size().width() * qint64(reader.size().height()) > 400'000'000) {
        error = u"The picture is too large"_s;
        return {};
    }
    const QImage image = reader.read();
    if (image.isNull()) error = reader.errorString();
    return image;
}

}  // namespace

TThumbRenderer ThumbRendererOf(const QString& ext) {
    static const QStringList office{u"doc"_s, u"docx"_s, u"rtf"_s, u"odt"_s, u"wps"_s,
                                    u"xls"_s, u"xlsx"_s, u"ods"_s, u"et"_s,  u"ppt"_s,
                                    u"pptx"_s, u"odp"_s, u"dps"_s, u"vsd"_s, u"vsdx"_s};
    const QString e = ext.toLower();
    if (e == u"pdf"_s) return TThumbRenderer::Pdf;
    if (office.contains(e)) return TThumbRenderer::Office;
    if (!e.isEmpty() && QImageReader::supportedImageFormats().contains(e.toLatin1()))
        return TThumbRenderer::Picture;
    return TThumbRenderer::None;
}

int ThumbWidth(const QString& ext) {
    const QString e = ext.toLower();
    return e == u"xls"_s || e == u"xlsx"_s || e == u"pdf"_s ? 1080 : 880;
}

TPdfConverter SessionPdfConverter() {
    return [](const QString& document, const QString& pdf) -> QString {
        const auto office = platform::findOfficeSuite(platform::OfficeSuite::LibreOffice);
        if (!office) return u"No LibreOffice is installed"_s;
        const platform::OfficeResult r =
            platform::sessionOfficeConverter(*office)->convert({document, pdf});
        return r.ok() ? QString() : (r.message.isEmpty() ? u"The conversion failed"_s : r.message);
    };
}

QImage RenderThumbnail(const QString& path, const TPdfConverter& convert, QString& error) {
    const QString ext = QFileInfo(path).suffix();
    const int width = ThumbWidth(ext);
    QImage page;
    switch (ThumbRendererOf(ext)) {
        case TThumbRenderer::Pdf: page = FirstPdfPage(path, width, error); break;
        case TThumbRenderer::Picture: page = Picture(path, error); break;
        case TThumbRenderer::Office: {
            // The office gets a plain name: the session's office does not read every name.
            QTemporaryDir dir;
            const QString copy = dir.filePath(u"document."_s + ext.toLower());
            const QString pdf = dir.filePath(u"page.pdf"_s);
            if (!QFile::copy(path, copy)) error = u"Cannot copy the document"_s;
            else error = convert ? convert(copy, pdf) : u"No converter"_s;
            if (error.isEmpty()) page = FirstPdfPage(pdf, width, error);
            break;
        }
        case TThumbRenderer::None: error = u"No renderer for this type"_s; break;
    }
    return page.isNull() ? QImage() : Fitted(page, width);
}

}  // namespace ov::control
