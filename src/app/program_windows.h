#pragma once
// Every window the main window's menu opens, made with all it needs and every
// hook wired. One place decides what each window may reach.
#include <QPointer>

#include "app/heat_windows.h"
#include "app/program.h"
#include "app/record_windows.h"
#include "core/timesell/time_selling.h"
#include "ui/board/board_windows.h"

namespace qel {
class LiveBoard;
}

namespace qel::ui {
class FrmTime;
}

namespace qel::app {

class ProgramWindows : public ui::BoardWindows {
  public:
    ProgramWindows(RaceEngine& engine, Shell& shell, UserSettings& userSettings,
                   RecordWindows& records, HeatWindows& heats, TimeSelling& timeSelling,
                   LiveBoard& liveBoard, JournalStore& journal);

    // The main window the others open over; until it is attached, asking for
    // a window is a fault of the composition and says so.
    void attach(ui::FrmQelTimer& mainWindow) { mainWindow_ = &mainWindow; }

    void showRaceFormat(bool focusTimeList) override;
    void showRacersDatabase() override;
    void openSavedRace() override;
    void showLapTimes() override;
    void showSummary() override;
    void showSound() override;
    void showOptions() override;
    void showInstallationLogin() override;
    void showInstallation() override;
    void showTime() override;
    void showHelp() override;
    void showDiagnostics() override;
    void showWebSite() override;
    void showAbout() override;
    void showSelectRacers() override { heats_.showSelectRacers(); }
    void showRotationSequence() override { heats_.showRotationSequence(); }
    void showRaceResults() override { heats_.showRaceResults(); }
    void showHeatAbort() override { heats_.showHeatAbort(); }
    void refreshNextHeat() override { heats_.refreshNextHeat(); }
    void closeNextHeat() override { heats_.closeNextHeat(); }
    void stopRotateDelay() override { heats_.stopRotateDelay(); }

    // An open Time window shows the time left after every tick of the countdown.
    void refreshTime();

  private:
    ui::FrmQelTimer& board();
    void showPointSystem();
    void showChangePassword();
    // The board shows what a dialog changed.
    void refreshBoard();

    RaceEngine& engine_;
    // The engine's outside components serve the windows too.
    const EngineSeams& seams_;
    Shell& shell_;
    UserSettings& userSettings_;
    RecordWindows& records_;
    HeatWindows& heats_;
    TimeSelling& timeSelling_;
    LiveBoard& liveBoard_;
    JournalStore& journal_;
    ui::FrmQelTimer* mainWindow_ = nullptr;
    // Made on first use and kept, hidden, for the run: closing it only hides it.
    QPointer<ui::FrmTime> time_;
};

}  // namespace qel::app
