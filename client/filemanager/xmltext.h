#pragma once
// Server XML read into a document: bounded in size; false (and an empty document) when the
// text is empty, too large, malformed or has no document element.

#include <QString>

class QDomDocument;

namespace ov {

inline constexpr qsizetype kMaxXmlChars = 16 * 1024 * 1024;

bool LoadXmlText(QDomDocument& doc, const QString& text);

}  // namespace ov
