// The windows between heats on their own, offscreen: the rotate count-down
// over a real between-heat delay, the next-heat grid and the abort choice.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/heats/between_heats.h"
#include "core/heats/rotation.h"
#include "core/io/data_folder.h"
#include "core/seams/virtual_time.h"
#include "support/engine_bench.h"
#include "support/fake_timing_port.h"
#include "support/race_setup.h"
#include "support/recording_print_surface.h"
#include "support/recording_sound_device.h"
#include "support/recording_windows.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "ui/heats/frm_abort.h"
#include "ui/heats/frm_next_heat.h"
#include "ui/heats/frm_rotation_count_down.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

// The count-down's own window, driven by the delay as the program drives it.
class CountDownWindows : public BetweenHeatsWindows {
  public:
    bool optionsDialogVisible() override { return false; }
    void cancelOptionsDialog() override {}
    bool modalWindowOpen() override { return false; }
    void showCountDown() override {
        if (window) window->render();
    }
    void closeCountDown() override {}
    void boardChanged() override {}
    FrmRotationCountDown* window = nullptr;
};

// A demo championship of four racers after start-up, its first heat just over.
class BetweenHeatWindowsTest : public ::testing::Test, protected test::EngineBench {
  protected:
    BetweenHeatWindowsTest() {
        test::layOutApplicationFolder(folder);
        engine.attachWindows(&raceWindows);
        engine.Form_Load({[] {}});
        test::useStartMethod(app->options, StartMethod::Instant);
        RaceFormatSettings& settings = app->raceSettings;
        settings.raceFormat = kChampionship;
        settings.autoDelay = 1;
        settings.viewDelaySeconds = 5;
        settings.rotateDelaySeconds = 65;
        HeatTables& heats = app->heats;
        heats.racerCount = 3;
        const char* names[] = {"", "Ann", "Ben", "Cal"};
        for (int r = 1; r <= 3; ++r) {
            heats.heatRacers[r].name = names[r];
            heats.heatRacers[r].startLane = static_cast<int16_t>(r);
        }
        heats.activeSequence = "1234";
        heats.currentHeat = 1;
    }

    template <typename Widget>
    static Widget* find(QWidget& window, const QString& name) {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    test::RecordingWindows raceWindows;
    CountDownWindows countDownWindows;
    BetweenHeats delay{{app->board, engine.setup(), engine.control(), app->sounds,
                        engine.soundPlayer(), prompter, time, countDownWindows}};
};

class RotationCountDownTest : public BetweenHeatWindowsTest {
  protected:
    RotationCountDownTest() {
        countDownWindows.window = &window;
        BuildRotation(app->heats, 3, app->heats.activeSequence);
        app->board.startState = StartState::AutoDelay;
        delay.startBetweenHeatDelay();
        time.advance(5000);  // the view delay: the next heat is ready
    }
    QString count() { return find<QLabel>(window, "lblCountDown")->text(); }
    QPushButton* button(const char* name) { return find<QPushButton>(window, name); }

    std::vector<QPoint> closedAt;
    FrmRotationCountDown window{
        delay, {[this](QPoint at) { closedAt.push_back(at); }}, std::nullopt};
};

TEST_F(RotationCountDownTest, ControlsCarryTheirNamesCaptionsAndFonts) {
    EXPECT_EQ(window.objectName(), "frmRotationCountDown");
    EXPECT_EQ(window.windowTitle(), "Count Down");
    auto* label = find<QLabel>(window, "lblCountDown");
    EXPECT_EQ(label->font().family(), "Arial");
    EXPECT_EQ(label->font().pointSize(), 140);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(button("cmdPause")->text(), "&Pause");
    EXPECT_EQ(button("cmdSkip")->text(), "&Skip");
    for (const char* name : {"cmdPause", "cmdSkip"}) {
        EXPECT_DOUBLE_EQ(button(name)->font().pointSizeF(), 9.75) << name;
        EXPECT_TRUE(button(name)->font().bold()) << name;
    }
    EXPECT_EQ(window.size(), QSize(twipsToPixelsX(window, 5640), twipsToPixelsY(window, 2850)));
}

TEST_F(RotationCountDownTest, ShowsTheCountAsItRunsAndPausesIt) {
    EXPECT_EQ(count(), "65");
    time.advance(3000);
    EXPECT_EQ(count(), "63");

    QTest::mouseClick(button("cmdPause"), Qt::LeftButton);
    EXPECT_EQ(button("cmdPause")->text(), "&Continue");
    time.advance(5000);
    EXPECT_EQ(count(), "63");
    QTest::mouseClick(button("cmdPause"), Qt::LeftButton);
    EXPECT_EQ(button("cmdPause")->text(), "&Pause");
    time.advance(1000);
    EXPECT_EQ(count(), "62");

    QTest::mouseClick(button("cmdSkip"), Qt::LeftButton);
    time.advance(1000);
    EXPECT_EQ(count(), "0");
    EXPECT_EQ(app->board.startState, StartState::Pause);  // heat 2 under way
}

TEST_F(RotationCountDownTest, ClosingReportsWhereItStoodAndTheCountGoesOn) {
    window.show();
    window.move(140, 90);
    const QPoint at = window.pos();
    window.close();
    ASSERT_EQ(closedAt.size(), 1u);
    EXPECT_EQ(closedAt[0], at);
    time.advance(1000);
    EXPECT_TRUE(delay.tmrDelayRotate().enabled());
    EXPECT_EQ(delay.count(), 65);
}

TEST_F(BetweenHeatWindowsTest, CountDownGoesBackWhereItWasOnlyWhenATopWasRemembered) {
    const auto closed = [](QPoint) {};
    FrmRotationCountDown placed{delay, {closed}, QPoint(210, 130)};
    EXPECT_EQ(placed.pos(), QPoint(210, 130));
    FrmRotationCountDown atTopZero{delay, {closed}, QPoint(210, 0)};
    EXPECT_NE(atTopZero.pos(), QPoint(210, 0));
    EXPECT_THROW((FrmRotationCountDown{delay, {}, std::nullopt}), std::logic_error);
}

// --- The next-heat window ----------------------------------------------------------

class NextHeatWindowTest : public BetweenHeatWindowsTest {
  protected:
    FrmNextHeat* open() {
        window = std::make_unique<FrmNextHeat>(
            NextHeatSources{app->heats, app->race, app->installation}, time, prompter, printer,
            NextHeatHooks{[this] { ++closed; }});
        return window.get();
    }

    test::RecordingPrintSurface printer;
    std::unique_ptr<FrmNextHeat> window;
    int closed = 0;
};

TEST_F(NextHeatWindowTest, LoadBuildsTheRotationAndFillsTheGrid) {
    app->heats.heatCount = 0;  // the load rebuilds the rotation itself
    app->heats.currentHeat = 3;
    FrmNextHeat& w = *open();

    EXPECT_EQ(w.objectName(), "frmNextHeat");
    EXPECT_EQ(w.windowTitle(), "  Rotation Sequence");
    EXPECT_FALSE(w.isVisible());  // only the menu item shows it
    auto* grid = find<FlexGrid>(w, "grdgrid");
    ASSERT_NE(grid, nullptr);
    const GridModel& model = grid->model();
    EXPECT_EQ(app->heats.heatCount, 4);
    EXPECT_EQ(model.rows(), 6);
    EXPECT_EQ(model.textMatrix(3, 1), "Empty");
    EXPECT_EQ(model.textMatrix(5, 4), "Ann");
    EXPECT_EQ(model.cellBackColor(4, 2), kRunHeatYellow);  // heat 3 run
    EXPECT_NE(model.cellBackColor(5, 2), kRunHeatYellow);
    EXPECT_EQ(w.size(), QSize(twipsToPixelsX(w, 5150), twipsToPixelsY(w, 2150)));
    EXPECT_EQ(grid->size(), QSize(twipsToPixelsX(w, 5000), twipsToPixelsY(w, 1650)));
}

TEST_F(NextHeatWindowTest, APressOnPrintGridPrintsTheSequence) {
    FrmNextHeat& w = *open();
    w.show();
    FlexGrid& grid = w.grid();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(2, 1).center());
    EXPECT_EQ(printer.jobsBegun(), 0);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(0, 0).center());
    EXPECT_EQ(printer.jobsBegun(), 1);
    EXPECT_EQ(grid.model().textMatrix(0, 0), "Printing");
    time.advance(6000);
    EXPECT_EQ(grid.model().textMatrix(0, 0), "Print Grid");

    w.close();
    EXPECT_EQ(closed, 1);
}

// --- The abort window -----------------------------------------------------------------

struct AbortCase {
    const char* button;
    std::vector<std::string> calls;
    int result;
};

TEST(FrmAbortTest, EachButtonDoesItsPartAndCloses) {
    for (const AbortCase& c : {AbortCase{"cmdStartHeat", {"restartHeat"}, FrmAbort::RestartedHeat},
                               AbortCase{"cmdAbortRace", {"abortRace"}, FrmAbort::AbortedRace},
                               AbortCase{"cmdCancel", {}, FrmAbort::Cancelled}}) {
        SCOPED_TRACE(c.button);
        std::vector<std::string> calls;
        FrmAbort window{
            {[&] { calls.push_back("restartHeat"); }, [&] { calls.push_back("abortRace"); }}};
        EXPECT_EQ(window.objectName(), "frmAbort");
        EXPECT_EQ(window.windowTitle(), "Abort");
        EXPECT_TRUE(window.isModal());
        EXPECT_EQ(window.findChild<QPushButton*>("cmdStartHeat")->text(), "&Restart Heat");
        EXPECT_EQ(window.findChild<QPushButton*>("cmdAbortRace")->text(), "&Abort Race");
        EXPECT_EQ(window.findChild<QPushButton*>("cmdCancel")->text(), "&Cancel");
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>(c.button), Qt::LeftButton);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(window.result(), c.result);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(FrmAbortTest, UnwiredHooksAreRefused) {
    EXPECT_THROW((FrmAbort{{[] {}, {}}}), std::logic_error);
    EXPECT_THROW((FrmAbort{{{}, [] {}}}), std::logic_error);
}

}  // namespace
}  // namespace qel::ui
