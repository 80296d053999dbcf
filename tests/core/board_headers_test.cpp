#include "core/engine/board_headers.h"

#include <gtest/gtest.h>

#include "core/io/text_file.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

TEST(BoardHeaders, ClicksStepThroughTheChoicesOfTheMode) {
    struct Case {
        const char* header;
        const char* from;
        bool practice;
        int16_t sellTime;
        const char* to;
    };
    const Case cases[] = {
        {"lag", "Lag Behind", false, 0, "Lag First"},
        {"lag", "Lag First", false, 0, "Median"},
        {"lag", "Median", false, 0, "Lag Behind"},
        {"lag", "Best Lap", false, 0, "Lag Behind"},  // left from practice
        {"lag", "Median", true, 0, "Best Lap"},
        {"lag", "Lag Behind", true, 0, "Median"},
        {"best", "Best Lap", false, 0, "MPH"},
        {"best", "MPH", false, 0, "Median"},
        {"best", "Median", false, 0, "Best Lap"},
        {"best", "Median", false, 1, "Time Left"},
        {"best", "Time Left", false, 1, "Best Lap"},
        {"best", "Best Lap", true, 0, "MPH"},
        {"best", "MPH", true, 0, "Best Lap"},
        {"best", "MPH", true, 1, "Time Left"},
        {"best", "Median", true, 1, "Best Lap"},
        {"best", "nonsense", false, 0, "Best Lap"},
    };
    for (const auto& c : cases) {
        const std::string next = std::string(c.header) == "lag"
                                     ? nextLagCaption(c.from, c.practice)
                                     : nextBestLapCaption(c.from, c.practice, c.sellTime);
        EXPECT_EQ(next, c.to) << c.header << " from " << c.from
                              << (c.practice ? " in practice" : "");
    }
    EXPECT_EQ(nextLapCaption("Lap", 5), "T-Laps");
    EXPECT_EQ(nextLapCaption("T-Laps", 8), "Lap");
    EXPECT_EQ(nextLapCaption("odd", 7), "Lap");
    EXPECT_EQ(nextLapCaption("Lap", 2), "Lap");
}

TEST(BoardHeaders, HeaderChoiceAndWindowHeightFiles) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    writeRaceLagFile(app, {"", "", 3});
    EXPECT_EQ(readTextFile(app.dataFile("RaceLag.dat")), "\"Lag First\",\"Best Lap\",3\r\n");
    writeRaceLagFile(app, {"Median", "MPH", 0});
    const HeaderChoice read = readRaceLagFile(app);
    EXPECT_EQ(read.lagCaption, "Median");
    EXPECT_EQ(read.bestLapCaption, "MPH");

    EXPECT_EQ(formHeightFor(2, 0), 3525);
    EXPECT_EQ(formHeightFor(5, 0), 5370);
    EXPECT_EQ(formHeightFor(8, 0), 7215);
    EXPECT_EQ(formHeightFor(9, 4755), 4755);
    // An existing file in another letter case is the one rewritten.
    folder.write("QelDat/formheight.dat", "4755\r\n");
    writeFormHeightFile(app, 5370);
    EXPECT_EQ(readFormHeightFile(app), 5370);
    EXPECT_EQ(readTextFile(folder.path() / "QelDat" / "formheight.dat"), "5370\r\n");
}

}  // namespace
}  // namespace qel
