#include "core/shell/tip_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/shell/tip_startup_setting.h"
#include "support/memory_user_settings.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

TEST(ShowTipsSetting, ReadsTheStoredTextAsANumber) {
    struct Case {
        std::optional<std::string> stored;
        bool show;
    };
    const Case cases[] = {
        {std::nullopt, true}, {"1", true}, {"0", false}, {" 0 ", false}, {"0.0", false},
        {"-1", true},         {"2", true}, {"", true},   {"yes", true},  {"0x", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(showTipsFromText(c.stored), c.show) << c.stored.value_or("<nothing>");
}

TEST(ShowTipsSetting, IsStoredAsOneOrZeroInTheOptionsSection) {
    test::MemoryUserSettings settings;
    EXPECT_TRUE(readShowTipsAtStartup(settings));
    storeShowTipsAtStartup(settings, false);
    EXPECT_EQ(settings.value("Options", "Show Tips at Startup"), "0");
    EXPECT_FALSE(readShowTipsAtStartup(settings));
    storeShowTipsAtStartup(settings, true);
    EXPECT_EQ(settings.value("Options", "Show Tips at Startup"), "1");
    EXPECT_TRUE(readShowTipsAtStartup(settings));
}

// Counts the clock seedings, which the scripted random ignores.
class SeedCountingRandom : public test::ScriptedRandom {
  public:
    using ScriptedRandom::ScriptedRandom;
    void seedFromClock() override { ++clockSeeds; }
    int clockSeeds = 0;
};

// The window and the Options dialog's tip box show one per-user setting, so
// what the window's tick stores is what the Options dialog reads.
class TipWindowTest : public ::testing::Test {
  protected:
    TipWindow makeWindow() { return TipWindow(app, random, settings); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    SeedCountingRandom random{{0.6}};
    test::MemoryUserSettings settings;
};

TEST_F(TipWindowTest, LoadTicksTheBoxSeedsFromTheClockAndShowsATip) {
    folder.write("qeldat/tipofday.txt", "a\r\nb\r\nc\r\n");
    TipWindow window = makeWindow();
    ASSERT_TRUE(window.load());
    EXPECT_TRUE(window.showAtStartup());
    EXPECT_TRUE(readShowTipsAtStartup(settings));  // what the Options tip box shows
    EXPECT_EQ(random.clockSeeds, 1);
    EXPECT_EQ(window.text(), "b");
    EXPECT_EQ(settings.writes(), 0);
}

TEST_F(TipWindowTest, TurnedOffTheWindowGoesAtOnceAndReadsNothing) {
    folder.write("QelDat/TIPOFDAY.TXT", "a\r\n");
    settings.setValue("Options", "Show Tips at Startup", "0");
    TipWindow window = makeWindow();
    EXPECT_FALSE(window.load());
    EXPECT_FALSE(window.showAtStartup());
    EXPECT_EQ(settings.writes(), 1) << "only the test's own write: loading stores nothing";
    EXPECT_EQ(random.draws(), 0);
    EXPECT_TRUE(window.tips().tips().empty());
}

TEST_F(TipWindowTest, MissingTipsFileShowsTheExplanation) {
    TipWindow window = makeWindow();
    ASSERT_TRUE(window.load());
    EXPECT_EQ(window.text(), tipsNotFoundText());
}

TEST_F(TipWindowTest, NextTipShowsAnotherDraw) {
    folder.write("QelDat/TIPOFDAY.TXT", "a\r\nb\r\nc\r\n");
    random.script({0.0, 0.7});
    TipWindow window = makeWindow();
    ASSERT_TRUE(window.load());
    EXPECT_EQ(window.text(), "a");
    window.nextTip();
    EXPECT_EQ(window.text(), "c");
}

TEST_F(TipWindowTest, TheTickIsStoredWhereTheOptionsReadItOnEveryClick) {
    TipWindow window = makeWindow();
    ASSERT_TRUE(window.load());
    window.setShowAtStartup(false);
    EXPECT_EQ(settings.value("Options", "Show Tips at Startup"), "0");
    EXPECT_FALSE(window.showAtStartup());
    EXPECT_FALSE(readShowTipsAtStartup(settings));
    window.setShowAtStartup(true);
    EXPECT_EQ(settings.value("Options", "Show Tips at Startup"), "1");
    EXPECT_TRUE(readShowTipsAtStartup(settings));
    EXPECT_EQ(settings.writes(), 2);
    // The next opening goes by what was stored.
    window.setShowAtStartup(false);
    EXPECT_FALSE(makeWindow().load());
}

TEST_F(TipWindowTest, AnUntickInTheOptionsKeepsTheWindowAway) {
    TipWindow window = makeWindow();
    ASSERT_TRUE(window.load());
    storeShowTipsAtStartup(settings, false);  // the Options dialog's tip box
    EXPECT_FALSE(makeWindow().load());
    storeShowTipsAtStartup(settings, true);
    EXPECT_TRUE(makeWindow().load());
}

}  // namespace
}  // namespace qel
