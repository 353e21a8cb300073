// The page operations with exact pixel values: turning both ways, the watermark blend with its
// transparent colour and its clipping at the page's edges, and the upload names of the pages.
#include "documents/capture/pageimage.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

}  // namespace

TEST(PageImage, TurnsAQuarterEachWayAndBackAfterFour) {
    QImage page = Filled(3, 2, qRgb(0, 0, 0));
    page.setPixel(0, 0, qRgb(255, 0, 0));  // top-left red
    const QImage right = RotatePage(page, false);
    ASSERT_EQ(right.size(), QSize(2, 3));
    EXPECT_EQ(right.pixel(1, 0), qRgb(255, 0, 0)) << "clockwise: top-left goes top-right";
    const QImage left = RotatePage(page, true);
    EXPECT_EQ(left.pixel(0, 2), qRgb(255, 0, 0)) << "counter-clockwise: goes bottom-left";
    QImage turned = page;
    for (int i = 0; i < 4; ++i) turned = RotatePage(turned, false);
    EXPECT_EQ(turned, page.convertToFormat(QImage::Format_RGB888));
}

TEST(PageImage, WatermarkMixesTenPercentAndKeepsTheTransparentColour) {
    // A 2 x 1 mark: its first pixel (white) is transparent, the second is blue.
    QImage mark = Filled(2, 1, qRgb(255, 255, 255));
    mark.setPixel(1, 0, qRgb(0, 0, 200));
    const QImage page = Filled(120, 100, qRgb(100, 150, 251));
    const QImage out = AddWatermark(page, mark);
    const QRgb mixed = qRgb(90, 135, (90 * 251 + 10 * 200) / 100);  // 245 (integer division)
    EXPECT_EQ(out.pixel(51, 50), mixed) << "first copy at (50, 50)";
    EXPECT_EQ(out.pixel(50, 50), page.pixel(50, 50)) << "transparent pixel";
    EXPECT_EQ(out.pixel(60, 49), mixed) << "centred copy at (59, 49)";
    EXPECT_EQ(out.pixel(69, 49), mixed) << "last copy at (68, 49)";
    EXPECT_EQ(out.pixel(0, 0), page.pixel(0, 0));
    // A mark larger than the page: only what falls inside is blended, nothing crashes.
    const QImage small = AddWatermark(Filled(10, 10, qRgb(0, 0, 0)), Filled(80, 80, qRgb(1, 1, 1)));
    EXPECT_EQ(small.size(), QSize(10, 10));
}

TEST(PageImage, UploadNames) {
    const struct {
        QString typed;
        int index, count;
        std::optional<QString> base;
    } cases[] = {
        {u"Invoice.JPG"_s, 0, 3, u"Invoice_1"_s},
        {u"Invoice.JPG"_s, 2, 3, u"Invoice_3"_s},
        {u"Invoice.jpg"_s, 0, 1, u"Invoice"_s},
        {u"scan"_s, 4, 5, u"scan_05"_s},
        {u"scan"_s, 11, 12, u"scan_12"_s},
        {u"  lead"_s, 0, 1, u"  lead"_s},
        {u"a.jpg.b"_s, 0, 1, u"a"_s},
        {u"   "_s, 0, 1, std::nullopt},
        {u"../up"_s, 0, 1, std::nullopt},
        {u"dir\\x"_s, 0, 1, std::nullopt},
        {u".jpg"_s, 0, 1, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UploadBaseName(c.typed, c.index, c.count), c.base) << c.typed.toStdString();
}
