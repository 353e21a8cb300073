#pragma once
// What the capture window does to a page, as pure functions on pictures and names.

#include <QImage>
#include <QString>
#include <optional>

namespace ov {

// The page turned by 90 degrees (counter-clockwise for left), as 24-bit pixels.
QImage RotatePage(const QImage& page, bool left);

// The watermark blended three times onto a 24-bit copy of the page: at (50, 50), centred, and
// 50 pixels from the bottom-right corner. The colour of the mark's top-left pixel is
// transparent; every other mark pixel inside the page mixes each channel as
// (90 * page + 10 * mark) / 100.
QImage AddWatermark(const QImage& page, const QImage& mark);

// The upload name (without ".jpg") of page `index` of `count`: the typed name up to its first
// ".jpg" (any case), with "_" and the page number zero-filled to Round(log10(count)) + 1
// digits when there are several pages. nullopt for a name that is blank or holds a path
// separator or NUL.
std::optional<QString> UploadBaseName(const QString& typed, int index, int count);

}  // namespace ov
