// The worksheet export byte for byte: each kind of record, a whole four-lane
// summary against a file laid out by hand, and the export as the summary and
// lap-time windows run it (the proposed name, the dialog, the unsaved flags,
// a file that cannot be written).
#include "core/records/spreadsheet_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/io/dates.h"
#include "core/io/errors.h"
#include "core/io/text_file.h"
#include "core/records/excel_file_v2.h"
#include "core/records/race_records.h"
#include "core/records/summary_grid.h"
#include "core/seams/virtual_time.h"
#include "support/recording_shell.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompter.h"
#include "support/summary_race.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::string hex(const std::string& bytes) {
    std::string out;
    char byte[4];
    for (const unsigned char b : bytes) {
        std::snprintf(byte, sizeof byte, out.empty() ? "%02X" : " %02X", b);
        out += byte;
    }
    return out;
}

// A hex fixture: bytes as pairs of hex digits, "#" to the line end a comment.
std::string bytesOfHexFixture(const std::string& text) {
    std::string bytes;
    std::string digits;
    bool comment = false;
    for (const char c : text) {
        if (c == '\n') comment = false;
        if (comment || c == '#') {
            comment = true;
            continue;
        }
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
        if (digits.size() == 2) {
            bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
            digits.clear();
        }
    }
    return bytes;
}

constexpr const char* kBegin = "09 00 04 00 02 00 0A 00";
constexpr const char* kEnd = "0A 00 00 00";

TEST(ExcelFileV2, RecordsAreWrittenPackedByteForByte) {
    struct Case {
        const char* what;
        void (*write)(ExcelFileV2&);
        const char* record;
    };
    const std::vector<Case> cases{
        {"an empty cell", [](ExcelFileV2& f) { f.EWriteString(3, 2, ""); },
         "04 00 08 00 02 00 01 00 00 00 00 00"},
        {"Red at row 0, column 2", [](ExcelFileV2& f) { f.EWriteString(1, 3, "Red"); },
         "04 00 0B 00 00 00 02 00 00 00 00 03 52 65 64"},
        {"a number 5.4", [](ExcelFileV2& f) { f.EWriteDouble(3, 2, 5.4); },
         "03 00 0F 00 02 00 01 00 00 00 00 9A 99 99 99 99 99 15 40"},
        {"a whole number -2", [](ExcelFileV2& f) { f.EWriteInteger(1, 1, -2); },
         "02 00 09 00 00 00 00 00 00 00 00 FE FF"},
        {"Windows-1252 text", [](ExcelFileV2& f) { f.EWriteString(2, 1, "José"); },
         "04 00 0C 00 01 00 00 00 00 00 00 04 4A 6F 73 E9"},
    };
    for (const Case& c : cases) {
        ExcelFileV2 file;
        file.OpenFile("unused.xls");
        c.write(file);
        EXPECT_EQ(hex(file.bytes()), std::string(kBegin) + " " + c.record) << c.what;
    }
}

TEST(ExcelFileV2, ATextOf256CharactersOrMoreKeeps255WithItsLength) {
    for (const std::size_t length : {255u, 256u, 300u}) {
        ExcelFileV2 file;
        file.OpenFile("unused.xls");
        file.EWriteString(1, 1, std::string(length, 'x'));
        const std::string& bytes = file.bytes();
        ASSERT_EQ(bytes.size(), 8u + 12u + 255u) << length;
        const int dataLength = static_cast<unsigned char>(bytes[8 + 2]) +
                               256 * static_cast<unsigned char>(bytes[8 + 3]);
        EXPECT_EQ(dataLength, 255 + 8);
        EXPECT_EQ(static_cast<unsigned char>(bytes[8 + 11]), 255) << "text length";
    }
}

TEST(ExcelFileV2, ACellOutsideTheSheetIsRefusedNotWrappedOntoAnother) {
    ExcelFileV2 file;
    file.OpenFile("far.xls");
    EXPECT_THROW(file.EWriteString(ExcelFileV2::kMaxRow + 1, 1, "x"), QelError);
    EXPECT_THROW(file.EWriteDouble(1, ExcelFileV2::kMaxCol + 1, 1.0), QelError);
    EXPECT_THROW(file.EWriteInteger(0, 1, 1), QelError);
}

// The summary grid of a four-lane race as its window shows it.
GridModel fourLaneSummary() {
    GridModel grid = makeSummaryGrid();
    const std::vector<std::vector<std::string>> rows{
        {"", "", "Lane", "Total", "Total", "Lag", "Lag", "Best", "Best", "Avg", "", "", ""},
        {"Pos ", "Name", "Color", "Laps", "Time", "First", "Behind", "MPH", "Lap", "Time", "Med",
         "Crash", "Crh %"},
        {"1", "Jo Smith", "Red", "10", "1:15.042", "", "", "41.6", "5.400", "7.50", "7.45", "0",
         "0"},
        {"2", "Al Brown", "Blue", "9", "1:14.990", "1 Lap", "1 Lap", "40.2", "5.588", "8.33",
         "8.20", "1", "11"},
        {"3", "Sam Lee", "Green", "9", "1:16.300", "1 Lap", "1.310", "39.0", "5.760", "8.48",
         "8.40", "2", "22"},
        {"4", "Kim Park", "Yellow", "", "Insufficent", "Data", "", "", "", "", "", "", ""},
    };
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < kSummaryCols; ++c)
            grid.setTextMatrix(r, c, rows[r][c]);
    }
    return grid;
}

TEST(SpreadsheetExport, AFourLaneSummaryIsEveryCellOfTheGridInOrder) {
    test::TempFolder folder;
    const fs::path path = folder.path() / "Summary.xls";
    writeGridSpreadsheet(fourLaneSummary(), path);
    const std::string expected =
        bytesOfHexFixture(test::recordFixture("four_lane_summary.xls.hex"));
    // 10 rows of 13 cells between the begin and end records.
    ASSERT_EQ(expected.size() > 12, true);
    EXPECT_EQ(hex(readBinaryFile(path)), hex(expected));
}

TEST(SpreadsheetExport, NumbersOnlyInDataCellsOutsideTheFixedColumns) {
    test::TempFolder folder;
    GridModel grid(3, 3, 1, 1);
    grid.setTextMatrix(0, 1, "12");  // a header row: text
    grid.setTextMatrix(1, 0, "5");   // a fixed column (the lap labels): text
    grid.setTextMatrix(1, 1, "5.400");
    grid.setTextMatrix(1, 2, "1:15.042");
    grid.setTextMatrix(2, 0, "RT");
    grid.setTextMatrix(2, 1, " 7 ");
    const fs::path path = folder.path() / "laps.xls";
    writeGridSpreadsheet(grid, path);
    const std::string bytes = readBinaryFile(path);
    // Records by their type, in file order.
    std::vector<int> types;
    for (std::size_t at = 8; at + 4 <= bytes.size();) {
        const int type = static_cast<unsigned char>(bytes[at]);
        const int length = static_cast<unsigned char>(bytes[at + 2]);
        types.push_back(type);
        at += 4 + static_cast<std::size_t>(length);
    }
    EXPECT_EQ(types, (std::vector<int>{4, 4, 4, 4, 3, 4, 4, 3, 4, 0x0A}));
}

TEST(SpreadsheetExport, AnExportOverALongerFileLeavesNothingOfItBehind) {
    test::TempFolder folder;
    const fs::path path = folder.write("Laps.xls", std::string(5000, 'Z'));
    GridModel grid(1, 1, 1, 0);
    writeGridSpreadsheet(grid, path);
    EXPECT_EQ(hex(readBinaryFile(path)),
              std::string(kBegin) + " 04 00 08 00 00 00 00 00 00 00 00 00 " + kEnd);
}

class WindowExport : public ::testing::Test {
  protected:
    WindowExport() {
        race.state->laneCount = 4;
        race.state->summaryUnsaved = true;
        race.state->lapsUnsaved = true;
        race.state->raceStamp = "Mar-05, 20-15";
    }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    test::SummaryRace race;
    HeatTables heats;
    test::ScriptedFileDialog dialog;
    test::ScriptedPrompter prompter;
    test::RecordingShell shell;
    VirtualScheduler time{dateSerial(2026, 3, 5) + timeSerial(20, 15, 42)};
    RaceRecords records{race.sources(), heats, {app, dialog, prompter, shell, time}};
};

TEST_F(WindowExport, ProposesStatsWithTheExportStampAndWritesTheChosenFile) {
    const fs::path chosen = folder.path() / "Stats" / "night.xls";
    dialog.choose(chosen.string());
    EXPECT_TRUE(records.exportSummary());

    EXPECT_EQ(race.state->raceStamp, "2026 03 05, 20-15");
    ASSERT_EQ(dialog.shown().size(), 1u);
    const FileDialogRequest& asked = dialog.shown()[0].request;
    EXPECT_TRUE(dialog.shown()[0].save);
    EXPECT_EQ(asked.title, "Save Race Data");
    EXPECT_EQ(asked.filter, "Excel Files (*.xls)|*.xls|");
    EXPECT_EQ(asked.flags, kReadOnlyChecked | kOverwritePrompt) << "a new file can be named";
    const std::string proposed = (app.statsFolder() / "Summary 2026 03 05, 20-15").string();
    EXPECT_EQ(asked.fileName, proposed) << "no extension is added";
    EXPECT_EQ(race.records.exportPath, proposed);
    EXPECT_FALSE(race.state->summaryUnsaved);
    EXPECT_TRUE(race.state->lapsUnsaved);
    EXPECT_EQ(readBinaryFile(chosen).substr(0, 8), bytesOfHexFixture(kBegin));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(WindowExport, CancelWritesNothingAndKeepsTheFlag) {
    dialog.choose(std::nullopt);
    EXPECT_FALSE(records.exportLaps());
    EXPECT_TRUE(race.state->lapsUnsaved);
    EXPECT_EQ(fs::path(dialog.shown()[0].request.fileName).filename().string(),
              "Laps 2026 03 05, 20-15");
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(WindowExport, AFileThatCannotBeWrittenIsNamedAndTheFlagStays) {
    // A plain file where the folder should be: nothing can be written below it.
    const fs::path blocked = folder.write("blocked", "a file, not a folder");
    const std::string chosen = (blocked / "Laps.xls").string();
    dialog.choose(chosen);
    EXPECT_FALSE(records.exportLaps());
    EXPECT_TRUE(race.state->lapsUnsaved);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find(chosen), std::string::npos)
        << prompter.messages()[0].text;
}

TEST(SpreadsheetExport, ABackupPathIsWrittenWithoutADialog) {
    test::TempFolder folder;
    test::ScriptedFileDialog dialog;
    const std::string path = (folder.path() / "BackUpRX7700 heat 3.xls").string();
    EXPECT_TRUE(ExportGridToSpreadsheet(GridModel(2, 2, 1, 1), path, dialog));
    EXPECT_TRUE(dialog.shown().empty());
    EXPECT_TRUE(fs::is_regular_file(path));
}

}  // namespace
}  // namespace qel
