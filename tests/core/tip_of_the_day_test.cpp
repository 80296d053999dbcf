#include "core/shell/tip_of_the_day.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/io/data_folder.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

using Lines = std::vector<std::string>;

TEST(TipLines, SplitsLinesWholeAndSkipsBlankOnes) {
    struct Case {
        const char* name;
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"no end on the last line", "one\r\ntwo", {"one", "two"}},
        {"LF only", "one\ntwo\n", {"one", "two"}},
        {"CR only", "one\rtwo\r", {"one", "two"}},
        {"commas and quotes stay",
         "Press \"W\", then F4, then 1\r\n",
         {"Press \"W\", then F4, then 1"}},
        {"blank lines between and after", "one\r\n\r\n   \r\ntwo\r\n\r\n", {"one", "two"}},
        {"leading blanks kept", "  indented tip\r\n", {"  indented tip"}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tipLines(c.text), c.lines) << c.name;
}

TEST(TipsNotFoundText, IsTheExplanationWordForWord) {
    EXPECT_EQ(tipsNotFoundText(),
              "That the TIPOFDAY.TXT file was not found? \r\n\r\n"
              "Create a text file named TIPOFDAY.TXT using NotePad with 1 tip per line. "
              "Then place it in the same directory as the application. ");
}

class TipOfTheDayTest : public ::testing::Test {
  protected:
    std::filesystem::path writeTips(const std::string& bytes) {
        return folder.write("QelDat/TIPOFDAY.TXT", bytes);
    }

    test::TempFolder folder;
    test::ScriptedRandom random{{0.0}};
    TipOfTheDay tips{random};
};

TEST_F(TipOfTheDayTest, HoldsTheTipsInFileOrder) {
    ASSERT_TRUE(tips.LoadTips(writeTips("first\r\nsecond\r\nthird\r\n")));
    EXPECT_EQ(tips.tips(), (Lines{"first", "second", "third"}));
}

TEST_F(TipOfTheDayTest, FirstTipIsTheRandomDrawScaledToTheTips) {
    struct Case {
        double draw;
        int tip;
    };
    // Four tips: [0, .25) is the first, [.75, 1) the last.
    const Case cases[] = {{0.0, 1}, {0.2499, 1}, {0.25, 2}, {0.5, 3}, {0.75, 4}, {0.999999, 4}};
    const auto path = writeTips("a\r\nb\r\nc\r\nd\r\n");
    for (const Case& c : cases) {
        random.script({c.draw});
        ASSERT_TRUE(tips.LoadTips(path));
        EXPECT_EQ(tips.currentTip(), c.tip) << c.draw;
        EXPECT_EQ(tips.tipText(), tips.tips()[c.tip - 1]) << c.draw;
    }
}

TEST_F(TipOfTheDayTest, ADrawOfOneStillLandsOnTheLastTip) {
    random.script({1.0});
    ASSERT_TRUE(tips.LoadTips(writeTips("a\r\nb\r\n")));
    EXPECT_EQ(tips.currentTip(), 2);
    EXPECT_EQ(tips.tipText(), "b");
}

TEST_F(TipOfTheDayTest, NextTipDrawsAgainAndMayRepeat) {
    random.script({0.1, 0.9, 0.9, 0.4});
    ASSERT_TRUE(tips.LoadTips(writeTips("a\r\nb\r\nc\r\n")));
    std::vector<std::string> shown{tips.tipText()};
    for (int i = 0; i < 3; ++i) {
        tips.ShowRandomTip();
        shown.push_back(tips.tipText());
    }
    EXPECT_EQ(shown, (Lines{"a", "c", "c", "b"}));
    EXPECT_EQ(random.draws(), 4);
}

TEST_F(TipOfTheDayTest, NextTipStaysInsideTheListForEveryDraw) {
    ASSERT_TRUE(tips.LoadTips(writeTips("a\r\nb\r\nc\r\n")));
    for (double draw = 0.0; draw < 1.0; draw += 0.01) {
        random.script({draw});
        tips.ShowRandomTip();
        EXPECT_GE(tips.currentTip(), 1) << draw;
        EXPECT_LE(tips.currentTip(), 3) << draw;
    }
}

TEST_F(TipOfTheDayTest, AOneLineFileAlwaysShowsThatLine) {
    ASSERT_TRUE(tips.LoadTips(writeTips("The only tip, with a comma.\r\n")));
    for (double draw : {0.0, 0.3, 0.7, 0.999}) {
        random.script({draw});
        tips.ShowRandomTip();
        EXPECT_EQ(tips.tipText(), "The only tip, with a comma.") << draw;
    }
}

TEST_F(TipOfTheDayTest, MissingFileOrEmptyPathReadsNothing) {
    EXPECT_FALSE(tips.LoadTips(folder.path() / "QelDat" / "TIPOFDAY.TXT"));
    EXPECT_FALSE(tips.LoadTips({}));
    EXPECT_FALSE(tips.LoadTips(folder.path()));  // a folder is no tips file
    EXPECT_TRUE(tips.tips().empty());
    EXPECT_EQ(tips.tipText(), "");
    EXPECT_EQ(random.draws(), 0);
}

TEST_F(TipOfTheDayTest, AnEmptyFileIsReadButShowsNoTip) {
    EXPECT_TRUE(tips.LoadTips(writeTips("")));
    EXPECT_TRUE(tips.tips().empty());
    EXPECT_EQ(tips.tipText(), "");
}

TEST_F(TipOfTheDayTest, TipsAreDecodedFromWindows1252) {
    ASSERT_TRUE(tips.LoadTips(writeTips("Caf\xE9 racers \x96 fast\r\n")));
    EXPECT_EQ(tips.tipText(), "Caf\xC3\xA9 racers \xE2\x80\x93 fast");
}

TEST(ShippedTips, EveryLineOfTheDefaultFileIsATip) {
    test::ScriptedRandom random{{0.0}};
    TipOfTheDay tips(random);
    const AppFolder defaults(std::filesystem::path(QEL_SOURCE_DIR) / "data");
    ASSERT_TRUE(tips.LoadTips(defaults.dataFile(kTipsFileName)));
    EXPECT_EQ(tips.tips().size(), 24u);
    for (const std::string& tip : tips.tips())
        EXPECT_EQ(tip.find('\r'), std::string::npos);
}

}  // namespace
}  // namespace qel
