#pragma once
// The race director's main window: the race board, the Start and Abort
// buttons, the keys, and the menu that leads to every other window.
#include <QMainWindow>
#include <functional>

#include "core/engine/race_engine.h"
#include "core/engine/start_sequences.h"
#include "ui/board/board_windows.h"
#include "ui/board/main_menu.h"

class QLabel;

namespace qel::ui {

class RaceBoardView;

class FrmQelTimer : public QMainWindow, public RaceControlWindows {
    Q_OBJECT
  public:
    // windows: what the menu opens, made by the program's composition.
    FrmQelTimer(RaceEngine& engine, BoardWindows& windows, QWidget* parent = nullptr);
    ~FrmQelTimer() override;

    // The board as the engine left it: cells, captions, title, menus, pointer.
    void render();
    // Height of the board for a lane count, stored for the next start.
    void SetFormHeight(int laneCount);
    // The program ends at once, without the closing steps (a new lane count).
    void endWithoutClosingSteps();

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
    // The board has been shown as it now stands (after every race tick and
    // every action of the race director), for whatever follows the board.
    void boardShown();

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

    RaceEngine& engine_;
    BoardWindows& windows_;
    MainMenu menu_;
    RaceBoardView* view_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* settingsNotice_ = nullptr;
    QLabel* recordsNotice_ = nullptr;
    QLabel* liveBoardNotice_ = nullptr;
    bool busyShown_ = false;
    // The seconds the start-delay countdown has left.
    int16_t countdownSeconds_ = 0;
    bool exitAnswered_ = false;
    bool unloaded_ = false;
};

}  // namespace qel::ui
