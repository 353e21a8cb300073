#pragma once
// Decoding of a QR code or bar code in a picture, in process. The text comes back exactly as
// the code holds it (UTF-8 codes keep every character); "" when the picture holds no code.
// Pictures larger than kMaxPixels are scaled down first, so a decode stays short.

#include <QImage>
#include <QString>

namespace ov::control {

inline constexpr qint64 kMaxCodePixels = qint64{40} * 1000 * 1000;

QString ReadCodeFromImage(const QImage& image);
QString ReadCodeFromFile(const QString& fileName);

}  // namespace ov::control
