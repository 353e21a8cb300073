#include "platform/camera/framesize.h"

namespace ov::platform {

namespace {

std::optional<int> dimension(QStringView text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value <= 0 || value > 65535) return std::nullopt;
    return value;
}

}  // namespace

QString frameSizeText(const QSize& size) {
    return QString::number(size.width()) + u'*' + QString::number(size.height());
}

std::optional<QSize> parseFrameSize(QStringView text) {
    const qsizetype star = text.indexOf(u'*');
    if (star < 0) return std::nullopt;
    const auto width = dimension(text.left(star));
    const auto height = dimension(text.mid(star + 1));
    if (!width || !height) return std::nullopt;
    return QSize(*width, *height);
}

}  // namespace ov::platform
