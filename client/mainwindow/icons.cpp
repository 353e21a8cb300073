#include "client/mainwindow/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace ov {

namespace {

constexpr int kSize = 30;
constexpr qreal kScale = 2;  // drawn at twice the size for screens that scale

void drawHome(QPainter& p) {
    p.drawPolyline(QPolygonF({{5, 15}, {15, 6}, {25, 15}}));
    p.drawPolyline(QPolygonF({{8, 13}, {8, 25}, {22, 25}, {22, 13}}));
    p.drawPolyline(QPolygonF({{13, 25}, {13, 19}, {17, 19}, {17, 25}}));
}

void drawTransfer(QPainter& p) {
    p.drawLine(QPointF(10, 24), QPointF(10, 6));
    p.drawPolyline(QPolygonF({{6, 10}, {10, 6}, {14, 10}}));
    p.drawLine(QPointF(20, 6), QPointF(20, 24));
    p.drawPolyline(QPolygonF({{16, 20}, {20, 24}, {24, 20}}));
}

void drawFiles(QPainter& p) {
    p.drawPolygon(QPolygonF({{5, 8}, {12, 8}, {14, 11}, {25, 11}, {25, 23}, {5, 23}}));
    p.drawLine(QPointF(5, 14), QPointF(25, 14));
}

void drawSettings(QPainter& p) {
    const QPointF centre(15, 15);
    p.drawEllipse(centre, 3.5, 3.5);
    p.drawEllipse(centre, 7.5, 7.5);
    for (int i = 0; i < 8; ++i) {
        const qreal angle = i * M_PI / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        p.drawLine(centre + direction * 7.5, centre + direction * 10.5);
    }
}

void drawExit(QPainter& p) {
    p.drawArc(QRectF(6, 7, 18, 18), 120 * 16, 300 * 16);  // open at the top
    p.drawLine(QPointF(15, 4), QPointF(15, 14));
}

void drawMinimise(QPainter& p) {
    p.drawLine(QPointF(10, 15), QPointF(20, 15));
}

void drawMaximise(QPainter& p) {
    p.drawRect(QRectF(10, 10, 10, 10));
}

void drawClose(QPainter& p) {
    p.drawLine(QPointF(10, 10), QPointF(20, 20));
    p.drawLine(QPointF(20, 10), QPointF(10, 20));
}

void draw(QPainter& p, TBarPicture picture) {
    switch (picture) {
        case TBarPicture::Home:
            return drawHome(p);
        case TBarPicture::Transfer:
            return drawTransfer(p);
        case TBarPicture::Files:
            return drawFiles(p);
        case TBarPicture::Settings:
            return drawSettings(p);
        case TBarPicture::Exit:
            return drawExit(p);
        case TBarPicture::Minimise:
            return drawMinimise(p);
        case TBarPicture::Maximise:
            return drawMaximise(p);
        case TBarPicture::Close:
            return drawClose(p);
    }
}

QPixmap picture(TBarPicture which, const QColor& colour) {
    QPixmap pixmap(QSize(kSize, kSize) * kScale);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(kScale);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    draw(painter, which);
    return pixmap;
}

}  // namespace

QIcon BarIcon(TBarPicture which, const QColor& normal, const QColor& hover) {
    QIcon icon;
    icon.addPixmap(picture(which, normal), QIcon::Normal);
    icon.addPixmap(picture(which, hover), QIcon::Active);
    return icon;
}

}  // namespace ov
