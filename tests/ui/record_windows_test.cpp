// The summary and lap-time windows on their own, offscreen: menus by control
// name, the columns that follow the window, the Sort menu, the hooks.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProgressBar>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/records/lap_grid.h"
#include "core/records/summary_grid.h"
#include "ui/records/frm_qel_summary.h"
#include "ui/records/frm_qel_view_laps.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

struct Calls {
    std::vector<std::string> made;
    std::optional<QPoint> closedAt;
    RecordWindowHooks file() {
        RecordWindowHooks hooks;
        hooks.open = [this] { made.push_back("open"); };
        hooks.saveToTextFile = [this] { made.push_back("save"); };
        hooks.saveToExcel = [this] { made.push_back("excel"); };
        hooks.print = [this] { made.push_back("print"); };
        hooks.printPreview = [this] { made.push_back("preview"); };
        hooks.closed = [this](std::optional<QPoint> at) {
            made.push_back("closed");
            closedAt = at;
        };
        return hooks;
    }
};

QString caption(QMainWindow& window, const char* item) {
    auto* action = window.findChild<QAction*>(item);
    return action ? action->text() : "<none>";
}

TEST(SummaryWindow, MenusColumnsAndClose) {
    GridModel grid = makeSummaryGrid();
    Calls calls;
    FrmQelSummary window(grid,
                         {calls.file(), [&] { calls.made.push_back("laps"); },
                          [&] { calls.made.push_back("results"); }, false},
                         "Summary - 10 Lap Race   Dec-10, 8:15", QPoint(40, 50));
    EXPECT_EQ(window.objectName(), "frmQelSummary");
    EXPECT_EQ(window.windowTitle(), "Summary - 10 Lap Race   Dec-10, 8:15");
    EXPECT_NE(window.findChild<FlexGrid*>("grdSum"), nullptr);
    EXPECT_EQ(window.pos(), QPoint(40, 50));
    EXPECT_EQ(caption(window, "mnuOpen"), "Open");
    EXPECT_EQ(caption(window, "mnuSaveToTextFile"), "Save To TextFile");
    EXPECT_EQ(caption(window, "mnuSaveToExcel"), "&Save to Excel");
    EXPECT_EQ(caption(window, "mnuExit"), "E&xit");
    EXPECT_EQ(caption(window, "mnuViewHeats"), "&Race Results");
    EXPECT_EQ(caption(window, "mnuViewLaps"), "&Laps");
    EXPECT_EQ(caption(window, "mnuPrint"), "&Print");
    EXPECT_EQ(caption(window, "mnuPrintPreview"), "Print Pre&view");
    EXPECT_TRUE(window.findChild<QAction*>("mnuSepPrint")->isSeparator());

    // The columns share the width: the name column about twice the others.
    window.show();
    window.resize(1000, 300);
    QApplication::processEvents();
    const int available = pixelsToTwipsX(window, 1000) - 100;
    EXPECT_EQ(grid.colWidth(0), std::lround(available / 21.5));
    EXPECT_EQ(grid.colWidth(1), std::lround(available / 8.35));
    EXPECT_EQ(grid.colWidth(12), std::lround(available / 18.36));

    window.findChild<QAction*>("mnuOpen")->trigger();
    window.findChild<QAction*>("mnuSaveToTextFile")->trigger();
    for (const char* item : {"mnuSaveToExcel", "mnuPrint", "mnuPrintPreview"}) {
        ASSERT_TRUE(window.findChild<QAction*>(item)->isEnabled()) << item;
        window.findChild<QAction*>(item)->trigger();
    }
    // Race Results is there only in the heat formats.
    EXPECT_FALSE(window.findChild<QAction*>("mnuViewHeats")->isEnabled());
    window.findChild<QAction*>("mnuViewLaps")->trigger();
    EXPECT_EQ(calls.made, (std::vector<std::string>{"open", "save", "excel", "print", "preview",
                                                    "closed", "laps"}));
    EXPECT_TRUE(calls.closedAt.has_value());
}

// In a heat format both record windows close for the results window.
TEST(RecordWindows, RaceResultsCloseTheWindowForTheResults) {
    GridModel summaryGrid = makeSummaryGrid();
    Calls calls;
    FrmQelSummary summary(summaryGrid,
                          {calls.file(), [] {}, [&] { calls.made.push_back("results"); }, true}, "",
                          std::nullopt);
    summary.show();
    ASSERT_TRUE(summary.findChild<QAction*>("mnuViewHeats")->isEnabled());
    summary.findChild<QAction*>("mnuViewHeats")->trigger();
    EXPECT_FALSE(summary.isVisible());

    GridModel lapGrid = makeLapGrid();
    FrmQelViewLaps laps(
        lapGrid, {calls.file(), [] {}, [](bool) {}, [&] { calls.made.push_back("results"); }, true},
        4, std::nullopt);
    laps.show();
    ASSERT_TRUE(laps.findChild<QAction*>("mnuRaceResults")->isEnabled());
    laps.findChild<QAction*>("mnuRaceResults")->trigger();
    EXPECT_FALSE(laps.isVisible());
    EXPECT_EQ(calls.made, (std::vector<std::string>{"closed", "results", "closed", "results"}));
}

TEST(LapTimesWindow, SizedByLanesWithItsSortMenu) {
    GridModel grid = makeLapGrid();
    Calls calls;
    std::vector<bool> sorts;
    FrmQelViewLaps window(grid,
                          {calls.file(), [&] { calls.made.push_back("summary"); },
                           [&](bool byTime) { sorts.push_back(byTime); }, [] {}},
                          6, std::nullopt);
    EXPECT_EQ(window.objectName(), "frmQelViewLaps");
    EXPECT_NE(window.findChild<FlexGrid*>("grdLaps"), nullptr);
    EXPECT_NE(window.findChild<QProgressBar*>("PrgBar1"), nullptr);
    EXPECT_EQ(grid.cols(), 7);
    EXPECT_EQ(grid.colWidth(0), 510);
    EXPECT_EQ(grid.colWidth(6), 900);
    EXPECT_EQ(caption(window, "mnuExit"), "&Exit");
    EXPECT_EQ(caption(window, "mnuSortByLapTime"), " By Lap &Time");
    EXPECT_EQ(caption(window, "mnuSortByLap"), " By &Lap");
    EXPECT_EQ(caption(window, "mnuSummary"), "&Summary");

    window.setSortMenu(true, false);
    EXPECT_TRUE(window.findChild<QAction*>("mnuSortByLapTime")->isEnabled());
    EXPECT_FALSE(window.findChild<QAction*>("mnuSortByLap")->isEnabled());
    window.findChild<QAction*>("mnuSortByLapTime")->trigger();
    window.setSortMenu(true, true);
    window.findChild<QAction*>("mnuSortByLap")->trigger();
    EXPECT_EQ(sorts, (std::vector<bool>{true, false}));
    window.setSortMenu(false, true);
    EXPECT_FALSE(window.findChild<QMenu*>("mnuSort")->menuAction()->isEnabled());
}

TEST(RecordWindows, RefuseAnUnwiredHook) {
    GridModel grid = makeSummaryGrid();
    Calls calls;
    RecordWindowHooks file = calls.file();
    file.saveToTextFile = nullptr;
    EXPECT_THROW(FrmQelSummary(grid, {file, [] {}, [] {}}, "", std::nullopt), std::logic_error);
    file = calls.file();
    file.printPreview = nullptr;
    EXPECT_THROW(FrmQelSummary(grid, {file, [] {}, [] {}}, "", std::nullopt), std::logic_error);
    EXPECT_THROW(FrmQelSummary(grid, {calls.file(), [] {}, nullptr}, "", std::nullopt),
                 std::logic_error);
    EXPECT_THROW(FrmQelViewLaps(grid, {calls.file(), [] {}, nullptr, [] {}}, 4, std::nullopt),
                 std::logic_error);
    EXPECT_THROW(FrmQelViewLaps(grid, {calls.file(), [] {}, [](bool) {}, nullptr}, 4, std::nullopt),
                 std::logic_error);
}

}  // namespace
}  // namespace qel::ui
