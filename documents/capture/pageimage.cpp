#include "documents/capture/pageimage.h"

#include <QTransform>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

void blendAt(QImage& page, const QImage& mark, int left, int top, QRgb clear) {
    for (int y = 0; y < mark.height(); ++y) {
        const int py = top + y;
        if (py < 0 || py >= page.height()) continue;
        const uchar* m = mark.constScanLine(y);
        uchar* p = page.scanLine(py);
        for (int x = 0; x < mark.width(); ++x) {
            const int px = left + x;
            const uchar* mp = m + 3 * x;
            if (px < 0 || px >= page.width() || qRgb(mp[0], mp[1], mp[2]) == clear) continue;
            for (int c = 0; c < 3; ++c)
                p[3 * px + c] = uchar(std::clamp((90 * p[3 * px + c] + 10 * mp[c]) / 100, 0, 255));
        }
    }
}

}  // namespace

QImage RotatePage(const QImage& page, bool left) {
    return page.convertToFormat(QImage::Format_RGB888)
        .transformed(QTransform().rotate(left ? -90 : 90));
}

QImage AddWatermark(const QImage& page, const QImage& mark) {
    QImage out = page.convertToFormat(QImage::Format_RGB888);
    const QImage m = mark.convertToFormat(QImage::Format_RGB888);
    if (m.isNull() || out.isNull()) return out;
    const QRgb clear = m.pixel(0, 0) | 0xff000000u;
    const int dw = out.width() - m.width(), dh = out.height() - m.height();
    blendAt(out, m, 50, 50, clear);
    blendAt(out, m, int(std::trunc(dw / 2.0)), int(std::trunc(dh / 2.0)), clear);
    blendAt(out, m, dw - 50, dh - 50, clear);
    return out;
}

std::optional<QString> UploadBaseName(const QString& typed, int index, int count) {
    if (typed.trimmed().isEmpty() || typed.contains(u'/') || typed.contains(u'\\') ||
        typed.contains(QChar(0)))
        return std::nullopt;
    QString base = typed;
    const qsizetype jpg = typed.indexOf(u".jpg"_s, 0, Qt::CaseInsensitive);
    if (jpg >= 0) base = typed.left(jpg);
    if (base.isEmpty()) return std::nullopt;
    if (count > 1) {
        const int digits = int(std::nearbyint(std::log10(double(count)))) + 1;
        base += u'_' + QString::number(index + 1).rightJustified(digits, u'0');
    }
    return base;
}

}  // namespace ov
