#pragma once
// The race director's main window: the race board with the main menu.
#include <QMainWindow>

#include "core/engine/race_board.h"
#include "ui/board/main_menu.h"

namespace qel::ui {

class RaceBoardView;

class FrmQelTimer : public QMainWindow {
    Q_OBJECT
  public:
    // Shows a board of its own, at rest, until an engine is attached.
    explicit FrmQelTimer(QWidget* parent = nullptr);
    // Shows the board the engine writes; it must outlive the window.
    explicit FrmQelTimer(const RaceBoard& board, QWidget* parent = nullptr);

    const MainMenu& mainMenu() const { return menu_; }
    RaceBoardView& raceBoard() { return *view_; }

  private:
    RaceBoard restingBoard_;
    MainMenu menu_;
    RaceBoardView* view_ = nullptr;
};

}  // namespace qel::ui
