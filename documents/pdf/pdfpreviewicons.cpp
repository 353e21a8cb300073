#include "documents/pdf/pdfpreviewicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ov::pdficons {

namespace {

constexpr int kSize = 32;  // drawn at twice the button's 16 pixels, for sharp scaling
const QColor kInk(0x2f, 0x4f, 0x7f);

void drawPrinter(QPainter& p) {
    p.drawRect(QRectF(9, 4, 14, 8));  // paper in
    p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
    p.fillRect(QRectF(9, 20, 14, 9), Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));  // paper out
}

void drawRotate(QPainter& p, bool left) {
    QPainterPath arc;
    arc.arcMoveTo(QRectF(6, 6, 20, 20), left ? 60 : 120);
    arc.arcTo(QRectF(6, 6, 20, 20), left ? 60 : 120, left ? 250 : -250);
    p.drawPath(arc);
    const QPointF tip = left ? QPointF(11, 5) : QPointF(21, 5);
    const double dx = left ? 6 : -6;
    QPolygonF head{tip + QPointF(dx, -4), tip + QPointF(0, 2), tip + QPointF(dx, 6)};
    p.setBrush(kInk);
    p.drawPolygon(head);
}

void drawFit(QPainter& p, bool width) {
    p.drawRect(QRectF(6, 4, 20, 24));
    QTransform turn;
    if (!width) turn.translate(16, 16).rotate(90).translate(-16, -16);
    p.setTransform(turn, true);
    p.drawLine(QPointF(9, 16), QPointF(23, 16));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF{{8, 16}, {13, 12}, {13, 20}});
    p.drawPolygon(QPolygonF{{24, 16}, {19, 12}, {19, 20}});
}

void drawTriangle(QPainter& p, bool forward, bool bar) {
    p.setBrush(kInk);
    if (forward)
        p.drawPolygon(QPolygonF{{11, 6}, {25, 16}, {11, 26}});
    else
        p.drawPolygon(QPolygonF{{23, 6}, {9, 16}, {23, 26}});
    if (bar) p.drawLine(QPointF(6, 6), QPointF(6, 26));
}

void drawZoom(QPainter& p, bool in) {
    p.drawEllipse(QRectF(4, 4, 18, 18));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.drawLine(QPointF(8, 13), QPointF(18, 13));
    if (in) p.drawLine(QPointF(13, 8), QPointF(13, 18));
}

void draw(QPainter& p, Kind kind) {
    switch (kind) {
        case Kind::Print:
            return drawPrinter(p);
        case Kind::RotateLeft:
            return drawRotate(p, true);
        case Kind::RotateRight:
            return drawRotate(p, false);
        case Kind::FitWidth:
            return drawFit(p, true);
        case Kind::FitHeight:
            return drawFit(p, false);
        case Kind::FirstPage:
            return drawTriangle(p, false, true);
        case Kind::PreviousPage:
            return drawTriangle(p, false, false);
        case Kind::NextPage:
            return drawTriangle(p, true, false);
        case Kind::ZoomOut:
            return drawZoom(p, false);
        case Kind::ZoomIn:
            return drawZoom(p, true);
    }
}

}  // namespace

QIcon icon(Kind kind) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace ov::pdficons
