#pragma once
// Font names that forms ask for but this system does not have are replaced by faces that it
// has, so that Chinese texts render as characters and not as boxes: "宋体" (and its Latin
// name) by WenQuanYi Micro Hei, Tahoma and Arial by the default sans-serif face.

#include <QString>
#include <QStringList>

namespace ov::platform {

// The face Chinese texts are drawn with.
QString chineseFontFamily();

// The substitutes installed for a family name, in order of preference; empty for a family
// that is left to the font system.
QStringList fontSubstitutes(const QString& family);

// Installs the substitutions for the process (needs a QGuiApplication).
void installFontSubstitutions();

}  // namespace ov::platform
