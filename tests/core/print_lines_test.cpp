#include "core/records/print_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/io/errors.h"
#include "support/recording_print_surface.h"

namespace qel {
namespace {

using test::RecordingPrintSurface;

// At 12 points the bench printer's characters are 12 pixels wide and its lines
// 24 high; a page of 600 pixels holds 25 lines.
class PrintLinesTest : public ::testing::Test {
  protected:
    // "page/line/column text" for every text printed, line and column counted
    // in the size of the font it was printed in.
    std::vector<std::string> placed() const {
        std::vector<std::string> out;
        for (const auto& t : surface.texts()) {
            const int width = static_cast<int>(t.font.pointSize);
            out.push_back(std::to_string(t.page) + "/" + std::to_string(t.y / (2 * width)) + "/" +
                          std::to_string(t.x / width + 1) + " " + t.text);
        }
        return out;
    }

    RecordingPrintSurface surface{1000, 600};
    PrintLines lines{surface};
};

TEST_F(PrintLinesTest, TabPlacesTextAtCharacterColumnsAndWrapsWhenAlreadyPast) {
    lines.tab(6);
    lines.text("Pos");
    lines.tab(23);
    lines.text("Lane");
    lines.tab(26);  // "Lane" ends at column 27: past 26, so the next line
    lines.text("x");
    lines.tab(3);
    lines.text("ab");
    lines.tab(5);  // exactly where "ab" ended: same line
    lines.text("c");
    lines.tab(0);  // no column left of the first
    lines.text("d");
    lines.endLine();
    lines.text("e");

    EXPECT_EQ(placed(), (std::vector<std::string>{"1/0/6 Pos", "1/0/23 Lane", "1/1/26 x",
                                                  "1/2/3 ab", "1/2/5 c", "1/3/1 d", "1/4/1 e"}));
}

TEST_F(PrintLinesTest, NumbersStandBetweenBlanksWithTheSignInTheFirst) {
    lines.tab(6);
    lines.number(3);
    lines.text("Smith");
    lines.tab(31);
    lines.number(-2);
    lines.number(0.5f);
    lines.number(25.3f);
    lines.number(int64_t{1234567890123});

    EXPECT_EQ(placed(),
              (std::vector<std::string>{"1/0/6  3 ", "1/0/9 Smith", "1/0/31 -2 ", "1/0/34  .5 ",
                                        "1/0/38  25.3 ", "1/0/44  1234567890123 "}));
}

TEST_F(PrintLinesTest, EmptyLinesAndFontSizesMoveTheLinesAsTheSummaryHeadingDoes) {
    for (int i = 0; i < 3; ++i)
        lines.endLine();
    lines.setFontSize(20);
    lines.tab(10);
    lines.text("Maple Hollow Raceway");
    lines.endLine();
    lines.tab(10);
    lines.text("Summary,  Club Night");
    lines.endLine();
    lines.setFontSize(12);
    lines.tab(17);
    lines.text("Mar-05, 9:41");

    ASSERT_EQ(surface.texts().size(), 3u);
    const auto& t = surface.texts();
    EXPECT_EQ(t[0].y, 3 * 24);
    EXPECT_EQ(t[0].x, 9 * 20);
    EXPECT_EQ(t[0].font.pointSize, 20.0);
    EXPECT_EQ(t[1].y, 3 * 24 + 40);
    EXPECT_EQ(t[1].x, 9 * 20);
    // The heading's lines are as high as its 20-point font.
    EXPECT_EQ(t[2].y, 3 * 24 + 80);
    EXPECT_EQ(t[2].x, 16 * 12);
    EXPECT_EQ(t[2].font.pointSize, 12.0);
}

TEST_F(PrintLinesTest, ALineThatWouldPassTheFootStartsANewPage) {
    for (int i = 1; i <= 27; ++i) {
        lines.tab(7);
        lines.number(i);
        lines.endLine();
    }
    const auto& t = surface.texts();
    ASSERT_EQ(t.size(), 27u);
    EXPECT_EQ(t[24].page, 1);  // the 25th line ends exactly at the foot
    EXPECT_EQ(t[24].y, 576);
    EXPECT_EQ(t[25].page, 2);
    EXPECT_EQ(t[25].y, 0);
    EXPECT_EQ(t[25].text, " 26 ");
    EXPECT_EQ(t[26].y, 24);
    EXPECT_EQ(lines.page(), 2);
}

TEST_F(PrintLinesTest, BlankLinesAtTheFootLeaveNoEmptySheet) {
    lines.text("last");
    for (int i = 0; i < 40; ++i)
        lines.endLine();
    lines.endDoc();
    EXPECT_EQ(surface.page(), 1);
    EXPECT_EQ(surface.jobsEnded(), 1);
}

TEST_F(PrintLinesTest, TheJobStartsWithTheFirstOutputAndEndsAtEndDoc) {
    lines.endDoc();  // nothing printed: nothing to send
    EXPECT_EQ(surface.jobsBegun(), 0);

    lines.setLandscape(true);
    lines.text("Summary");
    EXPECT_TRUE(surface.isActive());
    EXPECT_TRUE(surface.lastJobLandscape());
    lines.newPage();
    lines.text("page two");
    lines.endDoc();
    EXPECT_FALSE(surface.isActive());
    EXPECT_EQ(surface.jobsEnded(), 1);
    EXPECT_EQ(placed(), (std::vector<std::string>{"1/0/1 Summary", "2/0/1 page two"}));

    // The next job starts at the top of its first page again.
    lines.setLandscape(false);
    lines.text("Laps");
    EXPECT_FALSE(surface.lastJobLandscape());
    EXPECT_EQ(surface.texts().back().page, 1);
    EXPECT_EQ(surface.texts().back().y, 0);
}

TEST_F(PrintLinesTest, APrinterThatFailsThrowsItsOwnReason) {
    surface.failBegin("The printer is out of paper.");
    try {
        lines.text("Summary");
        FAIL() << "no error";
    } catch (const QelError& e) {
        EXPECT_STREQ(e.what(), "The printer is out of paper.");
    }
    EXPECT_TRUE(surface.texts().empty());

    surface.failBegin("");
    surface.failEnd("The PDF file could not be written.");
    lines.text("Summary");
    EXPECT_THROW(lines.endDoc(), QelError);
    EXPECT_FALSE(surface.isActive());
}

}  // namespace
}  // namespace qel
