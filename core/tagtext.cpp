#include "core/tagtext.h"

namespace ov {

namespace {

// Tags compare with an ASCII-only case rule, so folding keeps every position in place.
QString asciiUpper(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 0x20);
    }
    return result;
}

// The 1-based positions of the first opening tag and of the first closing tag at or after it.
struct TagPair {
    qsizetype open = 0;
    qsizetype close = 0;
    qsizetype openLength = 0;
    qsizetype closeLength = 0;
    bool found() const { return open > 0 && close > open; }
};

TagPair findTagPair(const QString& text, const QString& tag) {
    const QString upperText = asciiUpper(text);
    const QString openTag = asciiUpper(u'[' + tag + u']');
    const QString closeTag = asciiUpper(QStringLiteral("[/") + tag + u']');
    TagPair pair;
    pair.openLength = openTag.size();
    pair.closeLength = closeTag.size();
    pair.open = PosFrom(openTag, upperText, 1);
    pair.close = PosFrom(closeTag, upperText, pair.open);
    return pair;
}

QString tagged(const QString& key, const QString& value) {
    return u'[' + key + u']' + value + QStringLiteral("[/") + key + u']';
}

}  // namespace

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString ReadTagValue(const QString& text, const QString& tag, bool doTrim) {
    const TagPair pair = findTagPair(text, tag);
    if (!pair.found()) return {};
    const qsizetype start = pair.open - 1 + pair.openLength;
    const qsizetype length = pair.close - 1 - start;
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
    const qsizetype after = pair.close - 1 + pair.closeLength;
    text = text.left(pair.open - 1) + tagged(key, value) + text.mid(after);
}

qsizetype PosFrom(const QString& subText, const QString& text, qsizetype offset) {
    if (subText.isEmpty() || text.isEmpty()) return 0;
    const qsizetype from = offset < 1 ? 0 : offset - 1;
    if (from >= text.size()) return 0;
    return text.indexOf(subText, from, Qt::CaseSensitive) + 1;
}

QString ReplaceAllText(const QString& text, const QString& oldPattern, const QString& newPattern) {
    if (oldPattern.isEmpty() || text.isEmpty()) return text;
    const QString upperText = asciiUpper(text);
    const QString upperOld = asciiUpper(oldPattern);
    QString result;
    qsizetype from = 0;
    for (qsizetype at = upperText.indexOf(upperOld); at >= 0;
         at = upperText.indexOf(upperOld, from)) {
        result += QStringView(text).mid(from, at - from);
        result += newPattern;
        from = at + upperOld.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

}  // namespace ov
