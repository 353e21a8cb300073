#include "client/filemanager/xmltext.h"

#include <QDomDocument>

namespace ov {

bool LoadXmlText(QDomDocument& doc, const QString& text) {
    doc = QDomDocument();
    if (text.isEmpty() || text.size() > kMaxXmlChars) return false;
    if (!doc.setContent(text)) {
        doc = QDomDocument();
        return false;
    }
    return !doc.documentElement().isNull();
}

}  // namespace ov
