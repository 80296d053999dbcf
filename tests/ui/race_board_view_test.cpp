#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/io/data_folder.h"
#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/memory_user_settings.h"
#include "support/recording_shell.h"
#include "support/recording_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/board/race_board_view.h"

namespace qel::ui {
namespace {

QLabel* cell(const QWidget& view, const char* name, int row) {
    return view.findChild<QLabel*>(QString("%1_%2").arg(name).arg(row));
}

TEST(RaceBoardView, CarriesEveryControlByName) {
    RaceBoard board;
    RaceBoardView view(board);
    for (const char* name : {"lblLapNumber", "lblLag", "lblBestLap", "lblRaceFormat", "lblClock",
                             "lblRaceOver", "imgKestrova"})
        EXPECT_NE(view.findChild<QLabel*>(name), nullptr) << name;
    for (const char* name : {"lblName", "lblLapNum", "lblLapTime", "lblLagTime", "lblBest"})
        for (int row = 1; row <= 8; ++row)
            EXPECT_NE(cell(view, name, row), nullptr) << name << row;
    EXPECT_EQ(cell(view, "lblName", 9), nullptr);
    ASSERT_NE(view.findChild<QPushButton*>("cmdStart"), nullptr);
    ASSERT_NE(view.findChild<QPushButton*>("cmdAbort"), nullptr);

    // At rest: the board's own defaults.
    EXPECT_EQ(cell(view, "lblName", 1)->text(), " Select Name");
    EXPECT_EQ(view.findChild<QLabel*>("lblClock")->text(), "00:00");
    EXPECT_EQ(view.findChild<QLabel*>("lblLag")->text(), "Lag Behind");
    EXPECT_EQ(view.findChild<QPushButton*>("cmdStart")->text(), "Start");
    EXPECT_EQ(view.findChild<QPushButton*>("cmdAbort")->text(), "Abort");
    EXPECT_FALSE(view.findChild<QPushButton*>("cmdAbort")->isEnabled());
    bool fixedHeader = false;
    for (QLabel* label : view.findChildren<QLabel*>())
        fixedHeader |= label->text() == "Lap Time";
    EXPECT_TRUE(fixedHeader);
}

TEST(RaceBoardView, ShowsWhatTheEngineWroteAfterRender) {
    RaceBoard board;
    RaceBoardView view(board);
    view.show();

    board.rows[2].name = {"Ana ", kRed, 16777215, ""};
    board.rows[2].best = {" 4.321", 65280, 0, "click to reset"};
    board.rows[2].lapTime.text = "4.56";
    board.rows[7].visible = false;
    board.bestHeader = "MPH";
    board.raceDescription = "Heat 3 of 8";
    board.clock = "01:23";
    board.banner = "Race  Over";
    board.bannerColor = kRed;
    board.bannerVisible = true;
    board.flagPicture = kFlagCheckered;
    board.startState = StartState::Pause;
    board.startEnabled = false;
    board.abortEnabled = true;

    // Nothing moves until the redraw tick.
    EXPECT_EQ(cell(view, "lblName", 2)->text(), " Select Name");
    view.render();

    QLabel* name = cell(view, "lblName", 2);
    EXPECT_EQ(name->text(), "Ana ");
    EXPECT_EQ(name->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(cell(view, "lblBest", 2)->palette().color(QPalette::Window), QColor(Qt::green));
    EXPECT_EQ(cell(view, "lblBest", 2)->text(), " 4.321");
    EXPECT_EQ(cell(view, "lblBest", 2)->toolTip(), "click to reset");
    EXPECT_EQ(cell(view, "lblLapTime", 2)->text(), "4.56");
    EXPECT_EQ(cell(view, "lblName", 1)->palette().color(QPalette::Window), QColor(Qt::white));
    for (const char* column : {"lblName", "lblLapNum", "lblLapTime", "lblLagTime", "lblBest"}) {
        EXPECT_FALSE(cell(view, column, 7)->isVisible()) << column;
        EXPECT_TRUE(cell(view, column, 6)->isVisible()) << column;
    }
    EXPECT_EQ(view.findChild<QLabel*>("lblBestLap")->text(), "MPH");
    EXPECT_EQ(view.findChild<QLabel*>("lblRaceFormat")->text(), "Heat 3 of 8");
    EXPECT_EQ(view.findChild<QLabel*>("lblClock")->text(), "01:23");
    QLabel* banner = view.findChild<QLabel*>("lblRaceOver");
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->text(), "Race  Over");
    EXPECT_EQ(banner->palette().color(QPalette::WindowText), QColor(Qt::red));
    const QImage flag = view.findChild<QLabel*>("imgKestrova")->pixmap().toImage();
    EXPECT_NE(flag.pixelColor(4, 4), flag.pixelColor(4 + flag.height() / 4, 4));
    auto* start = view.findChild<QPushButton*>("cmdStart");
    EXPECT_EQ(start->text(), "Pause");
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(view.findChild<QPushButton*>("cmdAbort")->isEnabled());

    // Back at rest the row returns and the banner goes.
    board.rows[7].visible = true;
    board.bannerVisible = false;
    board.flagPicture = kFlagRed;
    view.render();
    EXPECT_TRUE(cell(view, "lblName", 7)->isVisible());
    EXPECT_FALSE(banner->isVisible());
    EXPECT_EQ(view.findChild<QLabel*>("imgKestrova")->pixmap().toImage().pixelColor(10, 10),
              QColor(Qt::red));
}

// A caption shows whole when the button's contents, inside its frame and
// margins, are as wide as the caption at the button's own font.
bool captionShowsWhole(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return contents.width() >= QFontMetrics(button.font()).horizontalAdvance(button.text());
}

TEST(RaceBoardView, EveryStartCaptionShowsWholeAtEveryCellFontSize) {
    const StartState states[] = {StartState::Start, StartState::Pause,  StartState::Continue,
                                 StartState::Reset, StartState::Rotate, StartState::AutoDelay};
    RaceBoard board;
    RaceBoardView view(board);
    view.resize(1024, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* start = view.findChild<QPushButton*>("cmdStart");
    for (int size = kSmallestCellFontSize; size <= kLargestCellFontSize; ++size) {
        board.cellFontSize = size;
        for (const StartState state : states) {
            board.startState = state;
            view.render();
            const std::string caption = startCaptionOf(state);
            EXPECT_EQ(start->text().toStdString(), caption);
            // As after Pause, when the board is painted while the cars coast and
            // no layout has run since the caption changed.
            EXPECT_TRUE(captionShowsWhole(*start)) << caption << " at " << size << " before layout";
            QCoreApplication::processEvents();
            EXPECT_TRUE(captionShowsWhole(*start)) << caption << " at " << size;
        }
    }
    // A larger font for the buttons (the desktop's, say) widens it to match.
    QFont larger = start->font();
    larger.setPointSize(larger.pointSize() * 2);
    start->setFont(larger);
    for (const StartState state : states) {
        board.startState = state;
        view.render();
        EXPECT_TRUE(captionShowsWhole(*start)) << startCaptionOf(state) << " at a larger font";
    }
}

TEST(RaceBoardView, ReportsClicksWithTheirRow) {
    RaceBoard board;
    board.abortEnabled = true;
    RaceBoardView view(board);
    view.show();

    QSignalSpy names(&view, &RaceBoardView::nameClicked);
    QSignalSpy bests(&view, &RaceBoardView::bestCellClicked);
    QSignalSpy lags(&view, &RaceBoardView::lagCellClicked);
    QTest::mouseClick(cell(view, "lblName", 3), Qt::LeftButton);
    QTest::mouseClick(cell(view, "lblBest", 5), Qt::LeftButton);
    QTest::mouseClick(cell(view, "lblLagTime", 8), Qt::LeftButton);
    QTest::mouseClick(cell(view, "lblLapTime", 4), Qt::LeftButton);
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(names[0][0].toInt(), 3);
    ASSERT_EQ(bests.size(), 1);
    EXPECT_EQ(bests[0][0].toInt(), 5);
    ASSERT_EQ(lags.size(), 1);
    EXPECT_EQ(lags[0][0].toInt(), 8);

    const std::pair<QWidget*, void (RaceBoardView::*)()> single[] = {
        {view.findChild<QLabel*>("lblLag"), &RaceBoardView::lagHeaderClicked},
        {view.findChild<QLabel*>("lblBestLap"), &RaceBoardView::bestHeaderClicked},
        {view.findChild<QLabel*>("lblLapNumber"), &RaceBoardView::lapHeaderClicked},
        {view.findChild<QLabel*>("lblRaceFormat"), &RaceBoardView::raceFormatClicked},
        {view.findChild<QLabel*>("imgKestrova"), &RaceBoardView::flagClicked},
        {view.findChild<QPushButton*>("cmdStart"), &RaceBoardView::startClicked},
        {view.findChild<QPushButton*>("cmdAbort"), &RaceBoardView::abortClicked},
    };
    for (const auto& [widget, signal] : single) {
        QSignalSpy spy(&view, signal);
        QTest::mouseClick(widget, Qt::LeftButton);
        EXPECT_EQ(spy.size(), 1) << widget->objectName().toStdString();
    }
}

TEST(RaceBoardView, IsTheMainWindowsCentralWidget) {
    // An engine over an empty folder, never loaded: the window shows the
    // board exactly as the engine holds it.
    test::TempFolder folder;
    const AppFolder appFolder{folder.path()};
    test::FakeTimingPort port;
    VirtualScheduler time;
    test::ScriptedRandom random;
    test::ScriptedPrompter prompter;
    test::RecordingSoundDevice device;
    const auto app = makeAppState();
    app->board.clock = "02:00";
    RaceEngine engine(*app, {appFolder, port, time, time, random, prompter, device});

    struct NoWindows : BoardWindows {
        void showRaceFormat(bool) override {}
        void showRacersDatabase() override {}
        void openSavedRace() override {}
        void showLapTimes() override {}
        void showSummary() override {}
        void showSound() override {}
        void showOptions() override {}
        void showInstallationLogin() override {}
        void showInstallation() override {}
        void showTime() override {}
        void showHelp() override {}
        void showDiagnostics() override {}
        void showWebSite() override {}
        void showAbout() override {}
        void showSelectRacers() override {}
        void showRotationSequence() override {}
        void showRaceResults() override {}
        void showHeatAbort() override {}
        void refreshNextHeat() override {}
        void closeNextHeat() override {}
        void stopRotateDelay() override {}
    } windows;
    FrmQelTimer window(engine, windows);
    auto* view = qobject_cast<RaceBoardView*>(window.centralWidget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(&window.raceBoard(), view);
    EXPECT_EQ(window.findChild<QLabel*>("lblClock")->text(), "02:00");
}

}  // namespace
}  // namespace qel::ui
