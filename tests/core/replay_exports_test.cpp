// qeltimer-replay's exports: the spreadsheets of a finished demo race written
// as "Save to Excel" writes them, without a dialog; a printout asked for
// without the real print adapter is refused, not skipped.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/io/errors.h"
#include "core/io/text_file.h"
#include "replay.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

TEST(ReplayExports, TheSpreadsheetsOfTheFinishedRaceGoToTheNamedFiles) {
    test::TempFolder folder;
    replay::ReplayOptions options;
    options.demo = true;
    options.seed = 3;
    options.laps = 5;
    options.exportSummary = (folder.path() / "summary.xls").string();
    options.exportLaps = (folder.path() / "laps.xls").string();
    const replay::ReplayResult result = replay::runReplay(options);
    const std::string begin("\x09\x00\x04\x00\x02\x00\x0A\x00", 8);
    const std::string end("\x0A\x00\x00\x00", 4);
    for (const char* name : {"summary.xls", "laps.xls"}) {
        const std::string bytes = readBinaryFile(folder.path() / name);
        EXPECT_EQ(bytes.substr(0, 8), begin) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 4), end) << name;
    }
    // The leader's name is in the summary sheet.
    const int leader = result.state->runningOrder[1];
    EXPECT_NE(
        readBinaryFile(folder.path() / "summary.xls").find(result.state->laneRacerName[leader]),
        std::string::npos);
}

TEST(ReplayExports, APrintoutWithoutPrintersIsAnError) {
    test::TempFolder folder;
    replay::ReplayOptions options;
    options.demo = true;
    options.laps = 3;
    options.printLaps = (folder.path() / "laps.pdf").string();
    EXPECT_THROW(replay::runReplay(options), QelError);
}

}  // namespace
}  // namespace qel
