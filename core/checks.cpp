#include "core/checks.h"

namespace ov {
namespace {

QStringView trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

// A decimal number, or 0 for anything that is not one.
int numberOrZero(QStringView part) {
    bool ok = false;
    const int value = part.toInt(&ok, 10);
    return ok ? value : 0;
}

bool isEmailChar(QChar ch) {
    const char16_t c = ch.unicode();
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
        return true;
    return QStringView(u"$%'+-./@_").contains(ch);
}

bool isValidLocalPart(QStringView local) {
    return !local.isEmpty() && local.size() <= 64 && !local.startsWith(u'.') &&
           !local.endsWith(u'.') && !local.contains(u"..");
}

// No second "@", no dot right after a dot, and no hyphen at either end of a label that ends at
// a dot; the last label is not checked for hyphens.
bool hasValidLabels(QStringView domain) {
    qsizetype labelStart = 0;
    for (qsizetype i = 0; i < domain.size(); ++i) {
        if (domain[i] == u'@') return false;
        if (domain[i] != u'.') continue;
        if (i + 1 < domain.size() && domain[i + 1] == u'.') return false;
        const QStringView label = domain.mid(labelStart, i - labelStart);
        if (label.startsWith(u'-') || label.endsWith(u'-')) return false;
        labelStart = i + 1;
    }
    return true;
}

bool isValidDomain(QStringView domain) {
    return !domain.isEmpty() && domain.size() <= 256 && !domain.startsWith(u'.') &&
           !domain.endsWith(u'.') && hasValidLabels(domain) && domain.contains(u'.');
}

}  // namespace

std::int32_t IPToInt(const QString& text) {
    QStringView rest = trimmed(text);
    std::uint32_t value = 0;
    int dots = 0;
    for (;;) {
        const qsizetype dot = rest.indexOf(u'.');
        const int part = numberOrZero(dot < 0 ? rest : rest.left(dot));
        if (part < 0 || part > 255) return 0;
        value = value * 256 + static_cast<std::uint32_t>(part);
        if (dot < 0) break;
        ++dots;
        rest = rest.mid(dot + 1).left(128);
    }
    return dots == 3 ? static_cast<std::int32_t>(value) : 0;
}

bool IsValidEmail(const QString& address) {
    if (address.isEmpty() || !address.contains(u'@')) return false;
    for (const QChar ch : address)
        if (!isEmailChar(ch)) return false;
    const qsizetype at = address.indexOf(u'@');
    return isValidLocalPart(QStringView(address).left(at)) &&
           isValidDomain(QStringView(address).mid(at + 1));
}

}  // namespace ov
