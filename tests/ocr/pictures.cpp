#include "pictures.h"

#include <leptonica/allheaders.h>

#include <QBuffer>
#include <QPainter>
#include <QTransform>

using namespace Qt::StringLiterals;

namespace ov::test {

QImage TextPicture(const QStringList& lines, bool turned) {
    QImage image(1400, 160 + 110 * static_cast<int>(lines.size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setFont(QFont(u"WenQuanYi Micro Hei"_s, 40));
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(80, 140 + 110 * static_cast<int>(i), lines[i]);
    painter.end();
    return turned ? image.transformed(QTransform().rotate(90)) : image;
}

bool WritePng(const QImage& image, const QString& fileName) {
    return image.save(fileName, "PNG");
}

bool WriteTiffPages(const QList<QImage>& pages, const QString& fileName) {
    const QByteArray name = fileName.toLocal8Bit();
    for (qsizetype i = 0; i < pages.size(); ++i) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        pages[i].convertToFormat(QImage::Format_Grayscale8).save(&buffer, "PNG");
        Pix* pix = pixReadMem(reinterpret_cast<const l_uint8*>(png.constData()),
                              static_cast<size_t>(png.size()));
        if (!pix) return false;
        const l_int32 failed = pixWriteTiff(name.constData(), pix, IFF_TIFF_ZIP, i == 0 ? "w" : "a");
        pixDestroy(&pix);
        if (failed) return false;
    }
    return true;
}

}  // namespace ov::test
