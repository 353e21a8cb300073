#pragma once
// Where a page image goes on paper. The picture's density comes from its JFIF header (dots per
// inch, or per centimetre); the picture is scaled from that density to the printer's, and
// shrunk, keeping its proportions, when it does not fit between the margins.

#include <QByteArray>
#include <QRect>
#include <QString>

namespace ov::control {

// Dots per inch of a JFIF picture: the larger of the two densities, converted from dots per
// centimetre; 90 when the header gives no unit, is missing, or says less than 60.
int JfifDensity(const QByteArray& jpeg);

// A margin box in centimetres (a decimal number in `locale`, also with "."); 1.27 when it is
// not a number or is negative.
double MarginCm(const QString& text);

struct TPagePlacement {
    int Resolution = 0;  // the printer's dots per inch
    int Density = 90;    // the picture's dots per inch
    double MarginXCm = 1.27, MarginYCm = 1.27;
    QSize Picture;  // pixels
    QSize Page;     // printer pixels
};

// The rectangle in printer pixels (truncated toward zero); empty when nothing can be placed.
QRect PlacePicture(const TPagePlacement& p);

}  // namespace ov::control
