#define ZX_USE_UTF8 1
#include "control/qrcode/codereader.h"

#include <ZXing/ReadBarcode.h>

#include <QImageReader>

namespace ov::control {

QString ReadCodeFromImage(const QImage& image) {
    if (image.isNull()) return {};
    QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    if (qint64{gray.width()} * gray.height() > kMaxCodePixels)
        gray = gray.scaled(4000, 4000, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setTryHarder(true).setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? QString::fromStdString(result.text()) : QString();
}

QString ReadCodeFromFile(const QString& fileName) {
    QImageReader reader(fileName);
    const QSize size = reader.size();
    if (size.isValid() && qint64{size.width()} * size.height() > 4 * kMaxCodePixels) return {};
    return ReadCodeFromImage(reader.read());
}

}  // namespace ov::control
