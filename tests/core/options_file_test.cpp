// QelOptions.dat and the values a race takes from the Options lists: a wrong
// entry here counts bounces as laps, cuts the coast time or starts on the
// wrong lap.
#include "core/setup/options_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kCommittedOptions = fs::path(QEL_SOURCE_DIR) / "data/QelDat/QelOptions.dat";

TEST(OptionsFile, ListsHoldTheDialogsEntries) {
    const auto minLap = minLapTimeEntries();
    ASSERT_EQ(minLap.size(), 92u);
    EXPECT_EQ(minLap[0], "0");
    EXPECT_EQ(minLap[1], "0.25");
    EXPECT_EQ(minLap[2], "0.5");
    EXPECT_EQ(minLap[39], "9.75");
    EXPECT_EQ(minLap[40], "10");
    EXPECT_EQ(minLap[41], "11");
    EXPECT_EQ(minLap[91], "61");

    EXPECT_EQ(coastTimeEntries(),
              (std::vector<std::string>{"0", "0.5", "1", "1.5", "2", "2.5", "3"}));
    EXPECT_EQ(firstLapEntries(), (std::vector<std::string>{"0", "1"}));
    const auto delays = startDelayEntries();
    ASSERT_EQ(delays.size(), 31u);
    EXPECT_EQ(delays.back(), "30");
    const auto automate = automateDelayEntries();
    ASSERT_EQ(automate.size(), 60u);
    EXPECT_EQ(automate.front(), "5");
    EXPECT_EQ(automate[1], "10");
    EXPECT_EQ(automate.back(), "300");

    // Every value agrees with the text the race director picked.
    for (int i = 0; i < 92; ++i)
        EXPECT_EQ(*minLapTimeAt(i), std::stof(minLap[i])) << minLap[i];
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(*automateDelaySecondsAt(i), std::stoi(automate[i]));
}

TEST(OptionsFile, ListPositionsGiveTheRaceValues) {
    EXPECT_EQ(firstLapOffsetAt(0), -1);
    EXPECT_EQ(firstLapOffsetAt(1), 0);
    EXPECT_EQ(coastTimeMsAt(5), 2500);
    EXPECT_EQ(coastTimeMsAt(0), 0);
    EXPECT_EQ(startDelayAt(30), 30);
    EXPECT_EQ(minLapTimeAt(8), 2.0f);
    for (const int outside : {-1, 92, 32767})
        EXPECT_EQ(minLapTimeAt(outside), std::nullopt) << outside;
    EXPECT_EQ(coastTimeMsAt(7), std::nullopt);
    EXPECT_EQ(firstLapOffsetAt(2), std::nullopt);
    EXPECT_EQ(startDelayAt(31), std::nullopt);
    EXPECT_EQ(automateDelaySecondsAt(60), std::nullopt);
}

// The other way round, for tools that take a value: only what the list offers.
TEST(OptionsFile, ValuesFindTheirListPositions) {
    const struct {
        double seconds;
        std::optional<int16_t> minLap;
        std::optional<int16_t> coast;
    } cases[] = {
        {0, 0, 0},
        {0.5, 2, 1},
        {2, 8, 4},
        {2.5, 10, 5},
        {3, 12, 6},
        {9.75, 39, std::nullopt},
        {10, 40, std::nullopt},
        {61, 91, std::nullopt},
        {0.3, std::nullopt, std::nullopt},
        {10.5, std::nullopt, std::nullopt},
        {62, std::nullopt, std::nullopt},
        {-0.5, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(minLapTimePositionOf(c.seconds), c.minLap);
        EXPECT_EQ(coastTimePositionOf(c.seconds), c.coast);
        if (c.minLap) {
            EXPECT_EQ(*minLapTimeAt(*c.minLap), static_cast<float>(c.seconds));
        }
        if (c.coast) {
            EXPECT_EQ(*coastTimeMsAt(*c.coast), static_cast<int32_t>(c.seconds * 1000));
        }
    }
}

TEST(OptionsFile, CommittedFileLoadsAndWritesBackByteForByte) {
    test::TempFolder app;
    app.write("QelDat/qeloptions.dat", readBytes(kCommittedOptions));
    const AppFolder folder(app.path());
    OptionsSettings options;
    readOptionsFile(folder, options);
    EXPECT_TRUE(storedOptionsProblems(options).empty());
    EXPECT_EQ(startDelayOf(options), 3);
    EXPECT_EQ(firstLapOffsetOf(options), -1);
    EXPECT_EQ(minLapTimeOf(options), 2.0f);
    EXPECT_EQ(coastTimeMsOf(options), 2000);
    EXPECT_EQ(startMethodOf(options), StartMethod::Formula1);
    EXPECT_FALSE(powerBeforeGreen(options));
    EXPECT_EQ(options.showTipsAtStart, 1);

    writeOptionsFile(folder, options);
    EXPECT_EQ(readBytes(app.path() / "QelDat/qeloptions.dat"), readBytes(kCommittedOptions));
}

// A missing or damaged QelOptions.dat leaves the program's own defaults in
// force; they must race exactly as a fresh installation's file does.
TEST(OptionsFile, DefaultsAreTheShippedFile) {
    const std::string shipped = readBytes(kCommittedOptions);
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(optionsFileText(defaultOptions()), shipped);

    OptionsSettings read;
    parseOptionsFile(shipped, "QelOptions.dat", read);
    EXPECT_EQ(optionsFileText(read), optionsFileText(defaultOptions()));
}

// A position outside its list is named once and then races as the list's
// first entry: no minimum lap, no delay, lap 0 first, no coast.
TEST(OptionsFile, DamagedFileIsRefusedAndPositionsOutsideTheirListsChangeNothing) {
    OptionsSettings options;
    options.startDelayIndex = 7;
    for (const char* text : {"", "3,0,8,0,0,-1,-1,0,1\r\n", "3,0,eight,0,0,-1,-1,0,1,4\r\n",
                             "3,0,8,0,0,-1,-1,0,1,40000\r\n", "\"3\",0,8,0,0,-1,-1,0,1,4\r\n"}) {
        EXPECT_NE(test::errorOf([&] {
                      parseOptionsFile(text, "QelDat/QelOptions.dat", options);
                  }).find("QelDat/QelOptions.dat"),
                  std::string::npos)
            << text;
        EXPECT_EQ(options.startDelayIndex, 7);
    }

    parseOptionsFile("31,2,92,0,-1,0,0,-1,0,7\r\n", "f", options);
    const auto messages = storedOptionsProblems(options);
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "The Minimum Lap Time saved in QelOptions.dat (entry 93) is not in its list: "
                  "choose one in Options.",
                  "The Start Delay saved in QelOptions.dat (entry 32) is not in its list: choose "
                  "one in Options.",
                  "The Race Begins With Lap saved in QelOptions.dat (entry 3) is not in its "
                  "list: choose one in Options.",
                  "The Coast Time saved in QelOptions.dat (entry 8) is not in its list: choose "
                  "one in Options."}));
    EXPECT_EQ(minLapTimeOf(options), 0.0f);
    EXPECT_EQ(coastTimeMsOf(options), 0);
    EXPECT_EQ(firstLapOffsetOf(options), -1);
    EXPECT_EQ(startDelayOf(options), 0);
    EXPECT_EQ(startMethodOf(options), StartMethod::DragRacing);
    EXPECT_TRUE(powerBeforeGreen(options));
}

TEST(OptionsFile, OkStoresPositionsAndFlagsAndTheRaceValues) {
    test::TempFolder app;
    const AppFolder folder(app.path());
    OptionsSettings options;
    OptionsSelection chosen;
    chosen.startDelayIndex = 5;
    chosen.firstLapIndex = 1;
    chosen.minLapTimeIndex = 40;
    chosen.coastTimeIndex = 5;
    chosen.startMethod = StartMethod::DragRacing;
    chosen.powerBeforeGreen = true;
    chosen.showTipsAtStart = false;
    EXPECT_TRUE(takeOptions(chosen, options).empty());
    EXPECT_EQ(minLapTimeOf(options), 10.0f);
    EXPECT_EQ(startDelayOf(options), 5);
    EXPECT_EQ(firstLapOffsetOf(options), 0);
    EXPECT_EQ(coastTimeMsOf(options), 2500);
    writeOptionsFile(folder, options);
    EXPECT_EQ(readBytes(app.path() / "QelDat/QelOptions.dat"), "5,1,40,0,-1,0,0,-1,0,5\r\n");

    // Lap 0, a Formula 1 start with the power on the green, and tips.
    chosen.firstLapIndex = 0;
    chosen.startMethod = StartMethod::Formula1;
    chosen.powerBeforeGreen = false;
    chosen.showTipsAtStart = true;
    takeOptions(chosen, options);
    EXPECT_EQ(firstLapOffsetOf(options), -1);
    EXPECT_EQ(optionsFileText(options), "5,0,40,0,0,-1,-1,0,1,5\r\n");

    // A list with no selection (or one the dialog never filled) keeps what was there.
    chosen.minLapTimeIndex = std::nullopt;
    chosen.coastTimeIndex = 12;
    const auto messages = takeOptions(chosen, options);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "No Minimum Lap Time is selected: the previous one is kept.",
                            "No Coast Time is selected: the previous one is kept."}));
    EXPECT_EQ(minLapTimeOf(options), 10.0f);
    EXPECT_EQ(coastTimeMsOf(options), 2500);
    EXPECT_EQ(optionsFileText(options), "5,0,40,0,0,-1,-1,0,1,5\r\n");
}

TEST(OptionsFile, AutomateAndTheControlsItSwitches) {
    RaceFormatSettings values;
    values.rotateDelayListIndex = 2;
    values.rotateDelaySeconds = 15;
    AutomateSelection chosen;
    chosen.autoDelay = true;
    chosen.autoPrint = true;
    chosen.autoPrintEnabled = false;
    chosen.autoDisplayResults = true;
    chosen.viewDelayIndex = 59;
    const auto messages = takeAutomate(chosen, values);
    EXPECT_EQ(values.autoDelay, 1);
    EXPECT_EQ(values.autoPrint, 0) << "a greyed-out Auto-Print never prints";
    EXPECT_EQ(values.autoDisplayResults, 1);
    EXPECT_EQ(values.viewDelayListIndex, 59);
    EXPECT_EQ(values.viewDelaySeconds, 300);
    EXPECT_EQ(values.rotateDelaySeconds, 15);
    EXPECT_EQ(messages,
              (std::vector<std::string>{"No Delay Rotate is selected: the previous one is kept."}));

    struct Case {
        bool enabled, ticked, instant, lists;
    };
    for (const auto& c : {Case{true, true, false, true}, Case{true, false, true, false},
                          Case{false, true, true, false}, Case{false, false, true, false}}) {
        const auto controls = AutoDelay(c.enabled, c.ticked);
        EXPECT_EQ(controls.instantEnabled, c.instant);
        EXPECT_EQ(controls.delayListsEnabled, c.lists);
    }
    EXPECT_FALSE(trackPowerPageEnabled(0));
    EXPECT_TRUE(trackPowerPageEnabled(1));
    EXPECT_TRUE(trackPowerPageEnabled(2));
}

}  // namespace
}  // namespace qel
