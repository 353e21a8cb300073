#include "core/split.h"

#include "core/tagtext.h"

namespace ov {

namespace {

// The pieces between delimiters after one delimiter at the very end is dropped.
QStringList cutAt(const QString& text, QChar delimiter) {
    if (text.isEmpty()) return {};
    const QString body = text.endsWith(delimiter) ? text.chopped(1) : text;
    return body.split(delimiter, Qt::KeepEmptyParts);
}

template <typename Int, typename Convert>
QVector<Int> splitToNumbers(const QString& text, QChar delimiter, Convert convert) {
    QVector<Int> result;
    for (const QString& piece : cutAt(text, delimiter))
        result.append(convert(piece));
    return result;
}

}  // namespace

QStringList SplitToStrArray(const QString& text, QChar delimiter) {
    QStringList result;
    for (const QString& piece : cutAt(text, delimiter)) {
        QString item = TrimBlanks(piece);
        if (!item.isEmpty()) result.append(std::move(item));
    }
    return result;
}

QVector<std::int32_t> SplitToIntArray(const QString& text, QChar delimiter) {
    return splitToNumbers<std::int32_t>(text, delimiter, TextToIntDef0);
}

QVector<std::int64_t> SplitToInt64Array(const QString& text, QChar delimiter) {
    return splitToNumbers<std::int64_t>(text, delimiter, TextToInt64Def0);
}

QStringList SplitByString(const QString& text, const QString& separator) {
    if (text.isEmpty()) return {};
    if (separator.isEmpty()) return {text};
    QStringList result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, from)) {
        result.append(text.mid(from, at - from));
        from = at + separator.size();
    }
    if (from < text.size()) result.append(text.mid(from));
    return result;
}

std::int32_t TextToIntDef0(const QString& text) {
    bool ok = false;
    const int value = TrimBlanks(text).toInt(&ok, 10);
    return ok ? value : 0;
}

std::int64_t TextToInt64Def0(const QString& text) {
    bool ok = false;
    const qlonglong value = TrimBlanks(text).toLongLong(&ok, 10);
    return ok ? value : 0;
}

}  // namespace ov
