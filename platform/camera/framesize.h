#pragma once
// Frame sizes as the windows show them: width, "*", height ("1280*720").

#include <QSize>
#include <QString>
#include <optional>

namespace ov::platform {

QString frameSizeText(const QSize& size);
// The size in a "W*H" text (blanks around the numbers allowed); nullopt unless both numbers
// are positive and at most 65535.
std::optional<QSize> parseFrameSize(QStringView text);

}  // namespace ov::platform
