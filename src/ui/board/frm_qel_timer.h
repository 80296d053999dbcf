#pragma once
// The race director's main window: the race board, the Start and Abort
// buttons, the keys, and the menu that leads to every other window.
#include <QMainWindow>
#include <functional>

#include "core/engine/race_engine.h"
#include "core/engine/start_sequences.h"
#include "core/seams/shell.h"
#include "core/shell/user_settings.h"
#include "ui/board/main_menu.h"

class QLabel;

namespace qel::ui {

class RaceBoardView;

// What the main window's menu needs beyond the race engine.
struct MainWindowServices {
    Shell& shell;
    UserSettings& userSettings;
};

class FrmQelTimer : public QMainWindow, public RaceControlWindows {
    Q_OBJECT
  public:
    FrmQelTimer(RaceEngine& engine, MainWindowServices services, QWidget* parent = nullptr);
    ~FrmQelTimer() override;

    // The board as the engine left it: cells, captions, title, menus, pointer.
    void render();
    // Height of the board for a lane count, stored for the next start.
    void SetFormHeight(int laneCount);
    // Installation, straight (the race director answered the port question
    // by asking for another port).
    void showInstallation();

    const MainMenu& mainMenu() const { return menu_; }
    RaceBoardView& raceBoard() { return *view_; }
    RaceEngine& engine() { return engine_; }

    // RaceControlWindows
    void boardChanged() override;
    void showStartCountdown(std::function<void()> then) override;
    void showDragTree() override;
    void showFormula1() override;
    void showRaceFormatForLength() override;
    bool showAbortChoice() override;
    void refreshNextHeat() override;
    void closeNextHeat() override;
    void stopRotateDelay() override;

  signals:
    // The program's end: the main window has closed and written its files.
    void programEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void wireBoard();
    void wireKeys();
    void wireMenu();
    void onMenu(const char* name, std::function<void()> action);
    // Every board action runs through here: the board is shown afterwards,
    // and a failure is shown rather than lost.
    void act(const std::function<void()>& action);
    StartSequenceServices startServices();
    StartSequenceHooks startHooks();
    void renderMenus();

    void mnuRace_Click(bool focusTimeList);
    void mnuAddRacer_Click();
    void mnuSound_Click();
    void mnuOptions_Click();
    void mnuInstallation_Click();
    void showChangePassword();
    void mnuHelpContent_Click();
    void mnuDiagnostic_Click();
    void mnuWebSite_Click();
    void mnuAbout_Click();

    RaceEngine& engine_;
    MainWindowServices services_;
    MainMenu menu_;
    RaceBoardView* view_ = nullptr;
    QLabel* status_ = nullptr;
    bool busyShown_ = false;
    bool exitAnswered_ = false;
    bool unloaded_ = false;
};

}  // namespace qel::ui
