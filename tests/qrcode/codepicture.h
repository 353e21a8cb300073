#pragma once
// Codes drawn by zxing-cpp itself, black on white, with a quiet zone.

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>

#include <QImage>
#include <QString>

namespace ov::test {

inline QImage CodePicture(const QString& text, ZXing::BarcodeFormat format, int width, int height) {
    ZXing::MultiFormatWriter writer(format);
    writer.setEncoding(ZXing::CharacterSet::UTF8).setMargin(10);
    const ZXing::BitMatrix matrix = writer.encode(text.toStdString(), width, height);
    QImage image(matrix.width(), matrix.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < matrix.height(); ++y)
        for (int x = 0; x < matrix.width(); ++x)
            image.setPixel(x, y, matrix.get(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

}  // namespace ov::test
