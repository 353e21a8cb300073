#include "control/printimages/placement.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

int Word(const QByteArray& b, int at) {
    return (quint8(b[at]) << 8) | quint8(b[at + 1]);
}

}  // namespace

int JfifDensity(const QByteArray& jpeg) {
    constexpr int Fallback = 90;
    // SOI, then APP0 "JFIF\0": unit at 13, horizontal density at 14, vertical at 16.
    if (jpeg.size() < 18 || !jpeg.startsWith("\xFF\xD8\xFF\xE0") ||
        jpeg.mid(6, 5) != QByteArray("JFIF\0", 5))
        return Fallback;
    const int unit = quint8(jpeg[13]);
    const int density = std::max(Word(jpeg, 14), Word(jpeg, 16));
    int dpi = 0;
    if (unit == 1) dpi = density;
    if (unit == 2) dpi = int(std::lround(density * 2.54));
    return dpi < 60 ? Fallback : dpi;
}

double MarginCm(const QString& text) {
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok) value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && value >= 0 && std::isfinite(value) ? value : 1.27;
}

QRect PlacePicture(const TPagePlacement& p) {
    if (p.Resolution <= 0 || p.Picture.isEmpty() || p.Density <= 0) return {};
    const double s = double(p.Resolution) / p.Density;
    const int mx = int(p.Resolution * p.MarginXCm / 2.54);
    const int my = int(p.Resolution * p.MarginYCm / 2.54);
    const int areaW = p.Page.width() - 2 * mx;
    const int areaH = p.Page.height() - 2 * my;
    if (areaW <= 0 || areaH <= 0) return {};
    double w = p.Picture.width() * s;
    double h = p.Picture.height() * s;
    // Too large: shrunk by one factor for both sides, so the picture keeps its proportions.
    const double shrink = std::max(w / areaW, h / areaH);
    if (shrink > 1) {
        w /= shrink;
        h /= shrink;
    }
    return QRect(mx, my, std::max(1, int(w)), std::max(1, int(h)));
}

}  // namespace ov::control
