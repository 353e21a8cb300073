#include "control/ovcom/guid.h"

using namespace Qt::StringLiterals;

namespace ov::ovcom {

namespace {

QString hex(std::uint32_t value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

bool readHex(QStringView text, std::uint32_t& value) {
    bool ok = false;
    value = text.toUInt(&ok, 16);
    return ok && !text.startsWith(u'+') && !text.startsWith(u'-');
}

}  // namespace

QString Guid::toString() const {
    QString text = u"{"_s + hex(data1, 8) + u'-' + hex(data2, 4) + u'-' + hex(data3, 4) + u'-';
    for (std::size_t i = 0; i < data4.size(); ++i) {
        if (i == 2) text += u'-';
        text += hex(data4[i], 2);
    }
    return text + u'}';
}

std::optional<Guid> Guid::fromString(const QString& text) {
    QStringView view(text);
    if (view.startsWith(u'{') && view.endsWith(u'}')) view = view.mid(1, view.size() - 2);
    if (view.size() != 36) return std::nullopt;
    for (int dash : {8, 13, 18, 23})
        if (view[dash] != u'-') return std::nullopt;
    Guid guid;
    std::uint32_t part = 0;
    if (!readHex(view.mid(0, 8), guid.data1)) return std::nullopt;
    if (!readHex(view.mid(9, 4), part)) return std::nullopt;
    guid.data2 = static_cast<std::uint16_t>(part);
    if (!readHex(view.mid(14, 4), part)) return std::nullopt;
    guid.data3 = static_cast<std::uint16_t>(part);
    const int offsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!readHex(view.mid(offsets[i], 2), part)) return std::nullopt;
        guid.data4[i] = static_cast<std::uint8_t>(part);
    }
    return guid;
}

}  // namespace ov::ovcom
