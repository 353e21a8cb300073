#pragma once
// Small pictures of the HTTP side, built in code: PNG logos, a 24-bit BMP watermark and a JFIF
// page image.

#include <QByteArray>
#include <functional>

namespace ov::test {

// CRC-32 as ZIP and PNG use it.
quint32 crc32(const QByteArray& bytes);

// A colour as 0xRRGGBB.
using PixelAt = std::function<quint32(int x, int y)>;

// A truecolour PNG (8 bits per channel, no interlace).
QByteArray makePng(int width, int height, const PixelAt& pixel);
// A bottom-up 24-bit BMP with rows padded to four bytes.
QByteArray makeBmp24(int width, int height, const PixelAt& pixel);
// A 64 x 48 JPEG page image whose JFIF header gives 96 dots per inch.
QByteArray pageJpeg();
// The same picture with another JFIF density: unit 1 dots per inch, 2 dots per centimetre.
QByteArray pageJpegAt(int unit, int density);

}  // namespace ov::test
