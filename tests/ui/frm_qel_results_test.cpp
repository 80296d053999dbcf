// The heat results window on its own, offscreen: menus by control name with
// their shortcuts, the caption and menu states from the model, clicks on the
// grid reaching the corrections, the sizes that follow the grid and the
// window, and where it stood when it closed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/heats/heat_results.h"
#include "core/heats/rotation.h"
#include "core/setup/options_file.h"
#include "support/heat_results_bench.h"
#include "support/race_end_fakes.h"
#include "ui/heats/frm_qel_results.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

// Four lanes, four racers, one heat run: Ann 10, Bea 1, Cid 12, Dot 8 laps.
struct ResultsBench : test::HeatResultsBench {
    ResultsBench() {
        options = defaultOptions();
        raceSettings.raceFormat = kRoundRobin;
        raceSettings.raceFormatName = "Round Robin";
        race->laneCount = 4;
        race->raceTitle = "Club Night";
        const std::array<const char*, 5> names{"", "Ann", "Bea", "Cid", "Dot"};
        const std::array<int16_t, 5> laps{0, 10, 1, 12, 8};
        for (int racer = 1; racer <= 4; ++racer) {
            HeatRacer& r = heats.heatRacers[racer];
            r.name = names[racer];
            r.startLane = static_cast<int16_t>(racer);
            r.bestLap.fill(kNoBestLap);
            r.lapsInLane[racer] = laps[racer];
            race->lapCount[racer] = laps[racer];
        }
        heats.racerCount = 4;
        std::string sequence = "1234";
        BuildRotation(heats, 4, sequence);
        heats.currentHeat = 1;
        race->raceOverHandled = -1;
    }

    ResultsHooks hooks() {
        return {
            [this] { calls.push_back("summary"); },
            [this] { calls.push_back(window && window->isVisible() ? "laps while open" : "laps"); },
            [this] {
                calls.push_back("results");
                results.FillResultsGrid();
            },
            [this] { calls.push_back("print"); },
            [this] { calls.push_back("excel"); },
            [this] { calls.push_back("board"); },
            [this] { calls.push_back("corrected"); }};
    }

    std::vector<std::string> calls;
    FrmQelResults* window = nullptr;
};

QAction* item(QMainWindow& window, const char* name) {
    return window.findChild<QAction*>(name);
}

TEST(ResultsWindow, MenusByControlNameWithTheirShortcuts) {
    ResultsBench bench;
    FrmQelResults window(bench.results, bench.hooks());
    EXPECT_EQ(window.objectName(), "frmQelResults");
    ASSERT_NE(window.findChild<FlexGrid*>("grdRR"), nullptr);
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"mnuFile", "&File", ""},
        {"mnuSaveToExcel", "&Save to Excel", "Ctrl+S"},
        {"mnuPrint", "&Print", "Ctrl+P"},
        {"mnuExit", "&Exit", "Ctrl+Q"},
        {"mnuEdit", "&Edit", ""},
        {"mnuAdjustLaps", "Adjust &Laps", ""},
        {"mnuAdjustPoints", "Adjust &Points", ""},
        {"mnuView", "&View", ""},
        {"mnuSummary", "Summary", "Ctrl+U"},
        {"mnuLaps", "Laps", "Ctrl+L"},
        {"mnuBestLaps", "Best Laps", "Ctrl+B"},
        {"mnuRaceResults", "&Race Results", ""},
    };
    for (const Item& i : items) {
        QAction* action = item(window, i.name);
        ASSERT_NE(action, nullptr) << i.name;
        EXPECT_EQ(action->text(), i.caption) << i.name;
        EXPECT_EQ(action->shortcut(), QKeySequence(i.shortcut)) << i.name;
    }

    item(window, "mnuSaveToExcel")->trigger();
    item(window, "mnuPrint")->trigger();
    item(window, "mnuSummary")->trigger();
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"excel", "print", "summary"}));
}

TEST(ResultsWindow, CaptionTooltipAndMenusFollowTheModel) {
    ResultsBench bench;
    FrmQelResults window(bench.results, bench.hooks());
    bench.results.FillResultsGrid();
    FlexGrid& grid = window.grid();
    EXPECT_EQ(window.windowTitle(), "Race Results    Club Night");
    EXPECT_EQ(grid.toolTip(), kAdjustLapsTip);
    EXPECT_TRUE(item(window, "mnuAdjustLaps")->isEnabled());
    EXPECT_FALSE(item(window, "mnuAdjustPoints")->isEnabled());
    EXPECT_FALSE(item(window, "mnuRaceResults")->isEnabled());

    item(window, "mnuAdjustLaps")->trigger();
    EXPECT_EQ(grid.toolTip(), kCorrectionTip);
    item(window, "mnuBestLaps")->trigger();
    EXPECT_EQ(window.windowTitle(), "Best Lap Times    Club Night");
    ASSERT_TRUE(item(window, "mnuRaceResults")->isEnabled());
    item(window, "mnuRaceResults")->trigger();
    EXPECT_EQ(window.windowTitle(), "Race Results    Club Night");
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"results"}));

    // A championship corrects points, not laps.
    bench.raceSettings.raceFormat = kChampionship;
    bench.raceSettings.raceFormatName = "Championship";
    FrmQelResults championship(bench.results, bench.hooks());
    EXPECT_FALSE(item(championship, "mnuAdjustLaps")->isEnabled());
    EXPECT_TRUE(item(championship, "mnuAdjustPoints")->isEnabled());
    EXPECT_FALSE(item(championship, "mnuRaceResults")->isEnabled());
    EXPECT_EQ(championship.grid().toolTip(), kAdjustPointsTip);
}

TEST(ResultsWindow, ClicksOnTheGridCorrectLaps) {
    ResultsBench bench;
    FrmQelResults window(bench.results, bench.hooks());
    bench.results.FillResultsGrid();
    window.show();
    QApplication::processEvents();
    FlexGrid& grid = window.grid();
    const GridModel& model = bench.results.grdRR();
    // Cid 12, Ann 10, Dot 8, Bea 1: Bea is in row 4, her laps in lane 2.
    ASSERT_EQ(model.textMatrix(4, 1), "Bea");
    const auto click = [&](Qt::MouseButton button, int row, int col) {
        QTest::mouseClick(grid.viewport(), button, {}, grid.cellRect(row, col).center());
    };

    click(Qt::RightButton, 4, 3);  // not in correction mode yet
    EXPECT_EQ(model.textMatrix(4, 3), "1");
    item(window, "mnuAdjustLaps")->trigger();
    click(Qt::LeftButton, 4, 2);  // a "0" cell
    EXPECT_TRUE(bench.calls.empty());

    click(Qt::RightButton, 4, 3);
    EXPECT_EQ(model.textMatrix(4, 3), "0");
    EXPECT_EQ(model.textMatrix(4, 6), "0");
    EXPECT_EQ(bench.race->lapCount[2], 0);
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"corrected", "board"}));
    EXPECT_EQ(bench.player.played, (std::vector<std::string>{"Remove Lap.wav"}));
    click(Qt::LeftButton, 1, 4);
    EXPECT_EQ(model.textMatrix(1, 4), "13");
    EXPECT_EQ(bench.player.played.back(), "Add Lap.wav");
}

TEST(ResultsWindow, SizedToItsGridAndTheGridFollowsTheWindow) {
    ResultsBench bench;
    FrmQelResults window(bench.results, bench.hooks());
    // Four racers and the header, with room: (4 + 2) rows and the frame.
    EXPECT_EQ(window.height(), twipsToPixelsY(window, 240 * 6 + 680));
    bench.results.FillResultsGrid();
    EXPECT_EQ(window.width(), twipsToPixelsX(window, 750 * 4 + 3450 + 200));

    window.show();
    window.resize(window.width(), twipsToPixelsY(window, 4000));
    QApplication::processEvents();
    EXPECT_EQ(bench.results.grdRR().height(), pixelsToTwipsY(window, window.height()) - 800);
    const int followed = bench.results.grdRR().height();
    window.resize(window.width(), twipsToPixelsY(window, 1200));
    QApplication::processEvents();
    EXPECT_EQ(bench.results.grdRR().height(), followed);  // too low to follow
}

TEST(ResultsWindow, OpensWhereItStoodAndTellsWhereItWasWhenClosed) {
    ResultsBench bench;
    FrmQelResults window(bench.results, bench.hooks());
    bench.results.FillResultsGrid();
    const int width = window.width();
    window.place(QRect(60, 70, 999, 333));
    EXPECT_EQ(window.pos(), QPoint(60, 70));
    EXPECT_EQ(window.height(), 333);
    EXPECT_EQ(window.width(), width);  // the width is the grid's

    window.show();
    QApplication::processEvents();
    QSignalSpy closed(&window, &FrmQelResults::closedAt);
    bench.window = &window;
    item(window, "mnuLaps")->trigger();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(closed.count(), 1);
    EXPECT_EQ(closed.at(0).at(0).toRect().size(), window.size());
    // The window is gone before the lap times show.
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"laps"}));

    FrmQelResults minimised(bench.results, bench.hooks());
    minimised.showMinimized();
    QApplication::processEvents();
    QSignalSpy notTold(&minimised, &FrmQelResults::closedAt);
    QSignalSpy gone(&minimised, &FrmQelResults::closed);
    item(minimised, "mnuExit")->trigger();
    EXPECT_EQ(notTold.count(), 0);
    EXPECT_EQ(gone.count(), 1);
}

TEST(ResultsWindow, RefusesAnUnwiredHook) {
    ResultsBench bench;
    for (int missing = 0; missing < 7; ++missing) {
        ResultsHooks hooks = bench.hooks();
        std::array<std::function<void()>*, 7> all{
            &hooks.showSummary, &hooks.showLapTimes, &hooks.showRaceResults, &hooks.print,
            &hooks.saveToExcel, &hooks.boardChanged, &hooks.corrected};
        *all[missing] = nullptr;
        EXPECT_THROW(FrmQelResults(bench.results, hooks), std::logic_error) << missing;
    }
}

}  // namespace
}  // namespace qel::ui
