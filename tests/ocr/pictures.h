#pragma once
// Pictures for the OCR tests, drawn with the CJK font: lines of text on white, optionally
// turned by 90 degrees, written as PNG or as one multi-page TIFF (through Leptonica).

#include <QImage>
#include <QString>
#include <QStringList>

namespace ov::test {

QImage TextPicture(const QStringList& lines, bool turned = false);
bool WritePng(const QImage& image, const QString& fileName);
bool WriteTiffPages(const QList<QImage>& pages, const QString& fileName);

}  // namespace ov::test
