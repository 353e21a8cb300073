#include "core/tagtext.h"

#include <algorithm>

namespace ov {

namespace {

// Tags compare with an ASCII-only case rule: a to z match A to Z, everything else exactly.
char16_t asciiUpper(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 0x20) : u;
}

bool matchesAt(QStringView text, qsizetype at, QStringView pattern) {
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        if (asciiUpper(text[at + k]) != asciiUpper(pattern[k])) return false;
    }
    return true;
}

// The 0-based index of the pattern at or after `from`, ignoring ASCII case; -1 when absent.
// Searching in place keeps big texts from being copied for every tag that is read.
qsizetype indexOfIgnoringAsciiCase(QStringView text, QStringView pattern, qsizetype from) {
    if (pattern.isEmpty()) return -1;
    const QChar first = pattern[0];
    // Tags start with "[", which only matches itself: jump from one to the next with the fast
    // search instead of comparing at every position.
    const char16_t u = first.unicode();
    const bool caseless = !((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'));
    for (qsizetype at = std::max<qsizetype>(from, 0); at + pattern.size() <= text.size(); ++at) {
        if (caseless) {
            at = text.indexOf(first, at);
            if (at < 0 || at + pattern.size() > text.size()) return -1;
        }
        if (matchesAt(text, at, pattern)) return at;
    }
    return -1;
}

// The 0-based indexes of the first opening tag and of the first closing tag at or after it.
struct TagPair {
    qsizetype open = -1;
    qsizetype close = -1;
    qsizetype openLength = 0;
    qsizetype closeLength = 0;
    bool found() const { return open >= 0 && close > open; }
};

TagPair findTagPair(const QString& text, const QString& tag) {
    const QString openTag = u'[' + tag + u']';
    const QString closeTag = QStringLiteral("[/") + tag + u']';
    TagPair pair;
    pair.openLength = openTag.size();
    pair.closeLength = closeTag.size();
    pair.open = indexOfIgnoringAsciiCase(text, openTag, 0);
    pair.close = indexOfIgnoringAsciiCase(text, closeTag, pair.open);
    return pair;
}

QString tagged(const QString& key, const QString& value) {
    return u'[' + key + u']' + value + QStringLiteral("[/") + key + u']';
}

}  // namespace

QStringView TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString TrimBlanks(const QString& text) {
    const QStringView view = TrimBlanks(QStringView(text));
    return view.size() == text.size() ? text : view.toString();
}

QString ReadTagValue(const QString& text, const QString& tag, bool doTrim) {
    const TagPair pair = findTagPair(text, tag);
    if (!pair.found()) return {};
    const qsizetype start = pair.open + pair.openLength;
    const qsizetype length = pair.close - start;
    // A closing tag that overlaps the opening one (only possible for odd tag names) is no value.
    if (length <= 0) return {};
    const QString value = text.mid(start, length);
    return doTrim ? TrimBlanks(value) : value;
}

void WriteTagValue(const QString& key, const QString& value, QString& text) {
    const TagPair pair = findTagPair(text, key);
    if (!pair.found()) {
        text += tagged(key, value) + QStringLiteral("\r\n");
        return;
    }
    const qsizetype after = pair.close + pair.closeLength;
    text = text.left(pair.open) + tagged(key, value) + text.mid(after);
}

qsizetype PosFrom(const QString& subText, const QString& text, qsizetype offset) {
    if (subText.isEmpty() || text.isEmpty()) return 0;
    const qsizetype from = offset < 1 ? 0 : offset - 1;
    if (from >= text.size()) return 0;
    return text.indexOf(subText, from, Qt::CaseSensitive) + 1;
}

QString ReplaceAllText(const QString& text, const QString& oldPattern, const QString& newPattern) {
    if (oldPattern.isEmpty() || text.isEmpty()) return text;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = indexOfIgnoringAsciiCase(text, oldPattern, 0); at >= 0;
         at = indexOfIgnoringAsciiCase(text, oldPattern, from)) {
        result += QStringView(text).mid(from, at - from);
        result += newPattern;
        from = at + oldPattern.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

}  // namespace ov
