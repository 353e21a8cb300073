#include "testing/docserver/codec/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov::test::wire {

namespace {

char16_t lowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Position of `what` in `text` from `from` on, the letters a to z matched in either case.
qsizetype find(const QString& text, const QString& what, qsizetype from) {
    for (qsizetype at = from; at + what.size() <= text.size(); ++at) {
        qsizetype i = 0;
        while (i < what.size() &&
               lowerAscii(text[at + i].unicode()) == lowerAscii(what[i].unicode()))
            ++i;
        if (i == what.size()) return at;
    }
    return -1;
}

QString trimmed(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

}  // namespace

QString tagValue(const QString& text, const QString& tag, bool trim) {
    const QString open = u'[' + tag + u']';
    const qsizetype start = find(text, open, 0);
    if (tag.isEmpty() || start < 0) return QString();
    const qsizetype from = start + open.size();
    const qsizetype stop = find(text, u"[/"_s + tag + u']', from);
    if (stop < 0) return QString();
    const QString value = text.mid(from, stop - from);
    return trim ? trimmed(value) : value;
}

std::int32_t intOr0(const QString& text) {
    bool ok = false;
    const std::int32_t value = trimmed(text).toInt(&ok, 10);
    return ok ? value : 0;
}

std::int64_t int64Or0(const QString& text) {
    bool ok = false;
    const std::int64_t value = trimmed(text).toLongLong(&ok, 10);
    return ok ? value : 0;
}

}  // namespace ov::test::wire
