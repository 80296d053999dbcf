#include "ui/widgets/twips.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QWidget>
#include <cmath>
#include <limits>

namespace qel::ui {
namespace {

TEST(Twips, ToPixelsRoundsToTheNearestPixel) {
    struct Case {
        int twips;
        double dotsPerInch;
        int pixels;
    };
    const Case cases[] = {
        {1440, 96, 96},   {15, 96, 1},     {7, 96, 0},       {8, 96, 1},
        {22, 96, 1},      {23, 96, 2},     {500, 96, 33},    {500, 72, 25},
        {500, 144, 50},   {5370, 96, 358}, {3525, 120, 294},  // 293.75: truncating loses a pixel
        {3000, 110, 229}, {-8, 96, -1},    {-7, 96, 0},      {0, 96, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(twipsToPixels(c.twips, c.dotsPerInch), c.pixels)
            << c.twips << " twips at " << c.dotsPerInch << " dpi";
}

TEST(Twips, ToTwipsRoundsToTheNearestTwip) {
    struct Case {
        int pixels;
        double dotsPerInch;
        int twips;
    };
    const Case cases[] = {
        {96, 96, 1440},    {1, 96, 15},        {1, 72, 20},   {1, 120, 12},
        {1, 144, 10},      {1, 110, 13},       {7, 100, 101},  // 100.8: truncating loses a twip
        {1024, 96, 15360}, {1366, 110, 17882}, {-3, 96, -45}, {0, 120, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pixelsToTwips(c.pixels, c.dotsPerInch), c.twips)
            << c.pixels << " px at " << c.dotsPerInch << " dpi";
}

TEST(Twips, APixelSizeComesBackFromTwipsUnchanged) {
    // A twip is far finer than a pixel, so a window measured in pixels, kept in
    // twips and shown again keeps its size.
    for (double dotsPerInch : {72.0, 96.0, 110.0, 120.0, 144.0, 192.0, 288.0}) {
        for (int pixels = -200; pixels <= 4000; ++pixels) {
            ASSERT_EQ(twipsToPixels(pixelsToTwips(pixels, dotsPerInch), dotsPerInch), pixels)
                << pixels << " px at " << dotsPerInch << " dpi";
        }
    }
}

TEST(Twips, AScreenWithoutAResolutionCountsAsNinetySixDotsPerInch) {
    for (double unusable : {0.0, -96.0, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(twipsToPixels(1440, unusable), 96) << unusable;
        EXPECT_EQ(pixelsToTwips(96, unusable), 1440) << unusable;
    }
}

TEST(Twips, AWidgetConvertsAtItsScreensResolutionAcrossAndDown) {
    QWidget widget;
    const QScreen* screen = widget.screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_DOUBLE_EQ(dotsPerInchX(widget), screen->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(dotsPerInchY(widget), screen->logicalDotsPerInchY());
    const double across = screen->logicalDotsPerInchX();
    const double down = screen->logicalDotsPerInchY();
    EXPECT_EQ(twipsToPixelsX(widget, 2 * kTwipsPerInch), std::lround(2 * across));
    EXPECT_EQ(twipsToPixelsY(widget, kTwipsPerInch / 2), std::lround(down / 2));
    EXPECT_EQ(pixelsToTwipsX(widget, 300), std::lround(300 * kTwipsPerInch / across));
    EXPECT_EQ(pixelsToTwipsY(widget, 300), std::lround(300 * kTwipsPerInch / down));
}

}  // namespace
}  // namespace qel::ui
