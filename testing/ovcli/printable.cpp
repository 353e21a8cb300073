#include "testing/ovcli/ovcli.h"

using namespace Qt::StringLiterals;

namespace ov::cli {

QString Printable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            out += u"\\\\"_s;
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            out += u"\\x%1"_s.arg(uint(u), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

}  // namespace ov::cli
