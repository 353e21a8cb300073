// The scanner layer against SANE's "test" device: the source list, a clear error for a device
// that is not there, the settings, one page from the flat bed and page after page from the
// feeder until it is empty, each page of the size the resolution gives.
#include "platform/scanner/scanner.h"

#include <gtest/gtest.h>
#include <QtGlobal>

using namespace Qt::StringLiterals;
using ov::platform::Scanner;

namespace {

class ScannerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("SANE_CONFIG_DIR", OV_SANE_CONFIG); }
};

}  // namespace

TEST_F(ScannerTest, ListsTheTestDevicesAndRefusesOneThatIsNotThere) {
    const auto sources = Scanner::sources();
    ASSERT_FALSE(sources.empty());
    EXPECT_EQ(sources.front().name.left(5), u"test:"_s);
    EXPECT_FALSE(sources.front().label.isEmpty());
    Scanner scanner;
    EXPECT_FALSE(scanner.open(u"test:99"_s));
    EXPECT_TRUE(scanner.errorText().contains(u"test:99"_s));
    EXPECT_FALSE(scanner.acquire([](const QImage&) {}).has_value());
}

TEST_F(ScannerTest, FlatBedGivesOnePageAndTheFeederPagesUntilEmpty) {
    Scanner scanner;
    ASSERT_TRUE(scanner.open(u"test:0"_s)) << scanner.errorText().toStdString();
    EXPECT_TRUE(scanner.modes().contains(u"Color"_s));
    EXPECT_TRUE(scanner.feedSources().contains(u"Automatic Document Feeder"_s));
    EXPECT_FALSE(scanner.resolutions().empty());
    ASSERT_TRUE(scanner.apply({25, u"Color"_s, u"Flatbed"_s}));
    EXPECT_EQ(scanner.current().resolution, 25);
    std::vector<QImage> pages;
    auto keep = [&pages](const QImage& page) { pages.push_back(page); };
    EXPECT_EQ(scanner.acquire(keep), 1);
    ASSERT_EQ(pages.size(), 1u);
    // The test device scans 80 mm x 100 mm unless told otherwise.
    EXPECT_NEAR(pages[0].width(), 80 / 25.4 * 25, 1.5);
    EXPECT_NEAR(pages[0].height(), 100 / 25.4 * 25, 1.5);
    EXPECT_EQ(pages[0].format(), QImage::Format_RGB888);

    pages.clear();
    ASSERT_TRUE(scanner.apply({25, u"Gray"_s, u"Automatic Document Feeder"_s}));
    const auto count = scanner.acquire(keep);
    ASSERT_TRUE(count.has_value()) << scanner.errorText().toStdString();
    EXPECT_GT(*count, 1);
    EXPECT_EQ(size_t(*count), pages.size());
    EXPECT_EQ(pages.back().format(), QImage::Format_Grayscale8);
}

TEST_F(ScannerTest, CancelStopsTheFeeder) {
    Scanner scanner;
    ASSERT_TRUE(scanner.open(u"test:0"_s));
    ASSERT_TRUE(scanner.apply({25, u"Gray"_s, u"Automatic Document Feeder"_s}));
    std::atomic<bool> cancel{false};
    int pages = 0;
    const auto count = scanner.acquire(
        [&](const QImage&) {
            if (++pages == 2) cancel = true;
        },
        &cancel);
    EXPECT_EQ(count, 2);
}
