// The race's exports against the programs that read them: the worksheets
// opened by LibreOffice (converted to CSV, cell by cell), and the printouts
// through the real printer adapter into PDF files read back as laid-out text.
#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/heats/heat_results.h"
#include "core/heats/race_formats.h"
#include "core/heats/results_slip.h"
#include "core/heats/rotation.h"
#include "core/io/dates.h"
#include "core/io/text_file.h"
#include "core/records/lap_grid.h"
#include "core/records/race_printouts.h"
#include "core/records/spreadsheet_export.h"
#include "core/records/summary_grid.h"
#include "core/seams/virtual_time.h"
#include "platform/qt_print_surface.h"
#include "qt/qt_text.h"
#include "support/race_end_fakes.h"
#include "support/scripted_prompter.h"
#include "support/summary_race.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// A four-lane race run to its end: Jo leads Al, Sam and Kim.
struct FinishedRace : test::SummaryRace {
    FinishedRace() {
        installation.trackName = "Maple Hollow Raceway";
        state->laneCount = 4;
        state->raceTitle = "5 Lap Race";
        state->raceStamp = "Mar-05, 20-15";
        lane(1, "Jo Smith", test::kRedIndex, 255);
        lane(2, "Al Brown", test::kBlueIndex, 16711680);
        lane(3, "Sam Lee", test::kGreenIndex, 65280);
        lane(4, "Kim Park", test::kYellowIndex, 65535);
        laps(1, 1, {5.2f, 5.4f, 5.6f, 5.2f, 5.4f});
        laps(2, 1, {5.5f, 5.5f, 5.5f, 5.5f, 5.75f});
        laps(3, 1, {6.0f, 6.1f, 6.2f, 6.3f});
        laps(4, 1, {7.0f, 7.5f});
        state->runningOrder = {0, 1, 2, 3, 4};
        state->lagFirstText = {"", "", "0.35", "1 Lap", "3 Laps"};
    }
};

// Two heats of a Round Robin on the race's track: Jo, Al, Sam and Kim move
// one lane on after heat 1; Sam has the most laps over the two.
void twoHeatsRun(FinishedRace& race, HeatTables& heats) {
    race.raceSettings.raceFormat = kRoundRobin;
    race.raceSettings.raceFormatName = "Round Robin";
    race.state->trackName = race.installation.trackName;
    race.state->raceTitle = "Round Robin";
    const char* names[] = {"", "Jo Smith", "Al Brown", "Sam Lee", "Kim Park"};
    heats.racerCount = 4;
    for (int racer = 1; racer <= 4; ++racer) {
        heats.heatRacers[racer].name = names[racer];
        heats.heatRacers[racer].startLane = static_cast<int16_t>(racer);
    }
    heats.activeSequence = "1234";
    BuildRotation(heats, 4, heats.activeSequence);
    const int laps[5][3] = {{}, {0, 9, 8}, {0, 8, 8}, {0, 10, 11}, {0, 7, 6}};
    for (int racer = 1; racer <= 4; ++racer) {
        for (int heat = 1; heat <= 2; ++heat) {
            const int lane = heats.heatLane[racer][heat];
            heats.heatRacers[racer].lapsInLane[lane] = static_cast<int16_t>(laps[racer][heat]);
            heats.heatRacers[racer].bestLap[lane] = 5200 + racer * 100;
        }
    }
    heats.currentHeat = 2;
    race.state->raceOverHandled = 1;
}

class RecordExportsTest : public ::testing::Test {
  protected:
    // The worksheets converted to CSV by LibreOffice, into the test's folder;
    // false when it did not finish. A profile of its own, so a LibreOffice
    // someone has open does not take the job.
    bool convertToCsv(const QString& office, const std::vector<fs::path>& sheets,
                      std::string& errors) {
        QStringList arguments{
            "-env:UserInstallation=file://" + toQt((folder.path() / "lo").string()),
            "--headless",
            "--convert-to",
            "csv",
            "--outdir",
            toQt(folder.path().string())};
        for (const fs::path& sheet : sheets)
            arguments << toQt(sheet.string());
        QProcess process;
        process.start(office, arguments);
        const bool finished = process.waitForFinished(180000);
        errors = process.readAllStandardError().toStdString();
        return finished;
    }
    std::vector<std::vector<std::string>> csvRows(const char* name) {
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : split(readTextFile(folder.path() / name), '\n')) {
            if (!line.empty()) rows.push_back(split(line, ','));
        }
        return rows;
    }

    // The results window's grid after twoHeatsRun, as the window fills it.
    HeatResults& twoHeatsResults() {
        twoHeatsRun(race, heats);
        results_ = std::make_unique<HeatResults>(
            HeatResultsContext{*race.state, heats, RaceSetup{race.raceSettings, race.options},
                               race.installation, player_, appFolder_});
        results_->FillResultsGrid();
        return *results_;
    }

    FinishedRace race;
    HeatTables heats;
    test::ScriptedPrompter prompter;
    test::TempFolder folder;

  private:
    AppFolder appFolder_{folder.path()};
    test::RecordingPlayer player_;
    std::unique_ptr<HeatResults> results_;
};

TEST_F(RecordExportsTest, TheSpreadsheetsOpenInLibreOfficeWithTheGridsCells) {
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed (scripts/install-deps.sh)";
    GridModel summary = makeSummaryGrid();
    GridModel laps = makeLapGrid();
    ASSERT_TRUE(FillSummaryGrid(summary, race.sources(), prompter));
    ASSERT_TRUE(FillLapGrid(laps, race.sources(), prompter).filled);
    const fs::path summaryFile = folder.path() / "summary.xls";
    const fs::path lapFile = folder.path() / "laps.xls";
    writeGridSpreadsheet(summary, summaryFile);
    writeGridSpreadsheet(laps, lapFile);

    std::string errors;
    ASSERT_TRUE(convertToCsv(office, {summaryFile, lapFile}, errors))
        << "LibreOffice did not finish";

    const auto sheet = csvRows("summary.csv");
    ASSERT_GE(sheet.size(), 6u) << errors;
    EXPECT_EQ(sheet[1][0], "Pos ");
    EXPECT_EQ(sheet[1][12], "Crh %");
    EXPECT_EQ(sheet[2][0], "1");
    EXPECT_EQ(sheet[2][1], "Jo Smith");
    EXPECT_EQ(sheet[2][2], "Red");
    EXPECT_EQ(sheet[2][3], "5");
    EXPECT_EQ(sheet[2][4], "0:26.800");
    EXPECT_EQ(sheet[2][8], "5.2") << "a number: the sheet shows it as a number";
    EXPECT_EQ(sheet[5][1], "Kim Park");
    for (const auto& row : sheet)
        EXPECT_EQ(row.size(), 13u) << "every row has the grid's 13 columns";

    const auto lapSheet = csvRows("laps.csv");
    ASSERT_GE(lapSheet.size(), 7u);
    EXPECT_EQ(lapSheet[0][1], "Red");
    EXPECT_EQ(lapSheet[1][0], "Lap");
    EXPECT_EQ(lapSheet[1][2], "Al Brown");
    EXPECT_EQ(lapSheet[2][0], "1");
    EXPECT_EQ(lapSheet[2][1], "5.2");
    EXPECT_EQ(lapSheet[6][2], "5.75");
    EXPECT_EQ(lapSheet[6][4], "") << "Kim has no fifth lap";
}

TEST_F(RecordExportsTest, TheHeatResultsOpenInLibreOfficeRankedAsTheWindowShowsThem) {
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed (scripts/install-deps.sh)";
    HeatResults& results = twoHeatsResults();
    const fs::path file = folder.path() / "results.xls";
    writeGridSpreadsheet(results.grdRR(), file);
    std::string errors;
    ASSERT_TRUE(convertToCsv(office, {file}, errors)) << "LibreOffice did not finish";

    const auto sheet = csvRows("results.csv");
    ASSERT_EQ(sheet.size(), 5u) << errors;
    EXPECT_EQ(sheet[0], (std::vector<std::string>{"ID", "Racers", "Lane  1", "Lane  2", "Lane  3",
                                                  "Lane  4", " T- Laps", "Avg"}));
    EXPECT_EQ(sheet[1][0], "3");
    EXPECT_EQ(sheet[1][1], "Sam Lee");
    EXPECT_EQ(sheet[1][6], "21");
    EXPECT_EQ(sheet[1][7], "10.5");
    EXPECT_EQ(sheet[4][1], "Kim Park");
}

class PdfPrintouts : public RecordExportsTest {
  protected:
    // The lines of a PDF as the text tool lays them out, blank lines left out.
    std::vector<std::string> linesOf(const fs::path& pdf) {
        const QString tool = QStandardPaths::findExecutable("pdftotext");
        if (tool.isEmpty()) return {};
        QProcess process;
        process.start(tool, {"-layout", toQt(pdf.string()), "-"});
        EXPECT_TRUE(process.waitForFinished(30000));
        std::vector<std::string> lines;
        for (const std::string& line : split(process.readAllStandardOutput().toStdString(), '\n'))
            if (line.find_first_not_of(" \f") != std::string::npos) lines.push_back(line);
        return lines;
    }
    static std::size_t lineWith(const std::vector<std::string>& lines, const std::string& text) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(text) != std::string::npos) return i;
        ADD_FAILURE() << text << " not printed:\n" << testing::PrintToString(lines);
        return 0;
    }

    VirtualScheduler time{dateSerial(2026, 3, 5) + timeSerial(20, 16, 0)};
};

TEST_F(PdfPrintouts, TheSummaryPrintsItsLinesInColumns) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const fs::path pdf = folder.path() / "summary.pdf";
    platform::QtPrintSurface printer(platform::PdfFile{pdf.string()});
    RacePrintouts printouts(race.sources(), heats, {printer, prompter, time});
    ASSERT_TRUE(printouts.PrintSummary(true));
    EXPECT_TRUE(prompter.messages().size() <= 1u);

    const auto lines = linesOf(pdf);
    EXPECT_EQ(lines[lineWith(lines, "Maple Hollow Raceway")].find_first_not_of(' '),
              lines[lineWith(lines, "5 Lap Race")].find_first_not_of(' '));
    lineWith(lines, "Mar-05, 20:16");
    const std::string& header = lines[lineWith(lines, "Behind")];
    const std::string& jo = lines[lineWith(lines, "1 Jo Smith")];
    const std::string& sam = lines[lineWith(lines, "3 Sam Lee")];
    // Figures stand under their headings, line after line.
    EXPECT_LT(lineWith(lines, "1 Jo Smith"), lineWith(lines, "3 Sam Lee"));
    EXPECT_NE(jo.find("0:26.800"), std::string::npos) << jo;
    EXPECT_NE(jo.find("Red"), std::string::npos);
    EXPECT_EQ(jo.find("Red"), sam.find("Green"));
    EXPECT_NEAR(static_cast<double>(jo.find("0:26.800")), static_cast<double>(header.find("Time")),
                3);
    EXPECT_NEAR(static_cast<double>(sam.find("1 Lap")), static_cast<double>(header.find("First")),
                3);
}

TEST_F(PdfPrintouts, TheLapListPrintsAColumnPerPlace) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const fs::path pdf = folder.path() / "laps.pdf";
    platform::QtPrintSurface printer(platform::PdfFile{pdf.string()});
    RacePrintouts printouts(race.sources(), heats, {printer, prompter, time});
    ASSERT_TRUE(printouts.PrintLaps());

    const auto lines = linesOf(pdf);
    const std::string& places = lines[lineWith(lines, "First")];
    const std::string& lap5 = lines[lineWith(lines, "5.750")];
    ASSERT_NE(lap5.find("5.400"), std::string::npos) << "Jo's fifth lap on the same line";
    EXPECT_NE(places.find("Fourth"), std::string::npos);
    EXPECT_LT(lineWith(lines, "First"), lineWith(lines, "Jo Smith"));
    EXPECT_NEAR(static_cast<double>(lap5.find("5.400")), static_cast<double>(places.find("First")),
                2);
    EXPECT_NEAR(static_cast<double>(lap5.find("5.750")), static_cast<double>(places.find("Second")),
                2);
}

TEST_F(PdfPrintouts, TheResultsSlipPrintsARowPerRacerUnderItsHeadings) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    HeatResults& results = twoHeatsResults();
    const fs::path pdf = folder.path() / "results.pdf";
    platform::QtPrintSurface printer(platform::PdfFile{pdf.string()});
    RacePrintouts printouts(race.sources(), heats, {printer, prompter, time});
    printouts.setResultsSlip([&](PrintLines& lines, bool endDoc) {
        PrintResultsSlip(lines, results, time.now(), endDoc);
    });
    ASSERT_TRUE(printouts.PrintResults());

    const auto lines = linesOf(pdf);
    lineWith(lines, "Maple Hollow Raceway");
    lineWith(lines, "Race Results");
    lineWith(lines, "Mar. 05 2026, 20:16");
    const std::string& heading = lines[lineWith(lines, "Racers")];
    const std::string& sam = lines[lineWith(lines, "Sam Lee")];
    const std::string& kim = lines[lineWith(lines, "Kim Park")];
    // The best racer first, the figures under their headings.
    EXPECT_LT(lineWith(lines, "Sam Lee"), lineWith(lines, "Kim Park"));
    EXPECT_NE(sam.find("21"), std::string::npos) << sam;
    EXPECT_NEAR(static_cast<double>(sam.find("10.5")), static_cast<double>(heading.find("Avg")), 3);
    EXPECT_EQ(sam.find("Sam Lee"), kim.find("Kim Park"));
    EXPECT_NE(heading.find("Total"), std::string::npos);
}

TEST(PdfPrintoutFiles, WithoutAPrinterAPrintoutIsNamedAfterItselfAndTheRaceStamp) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this computer has a printer";
    test::TempFolder folder;
    platform::QtPrintSurface printer((folder.path() / "Stats").string());
    EXPECT_TRUE(printer.printsToFile());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(printer.begin({false, "Laps Mar-05, 20-15"})) << printer.lastError();
        printer.drawText(0, 0, "lap list");
        ASSERT_TRUE(printer.end());
    }
    EXPECT_TRUE(fs::is_regular_file(folder.path() / "Stats" / "Laps Mar-05, 20-15.pdf"));
    EXPECT_EQ(printer.destination(),
              (folder.path() / "Stats" / "Laps Mar-05, 20-15 (2).pdf").string());
    const PrintPage page = printer.pageFor(true);
    EXPECT_GT(page.width, page.height) << "landscape";
    EXPECT_GT(page.dotsPerInch, 0);
}

}  // namespace
}  // namespace qel
