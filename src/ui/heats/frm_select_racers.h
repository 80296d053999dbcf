#pragma once
// The Select Racers window: where the race director builds the field of a
// race, picking names from the roster and placing them in lanes and, in the
// heat formats, in numbered sit-out slots over three pages of thirty. All of
// it is the placement in core; the window draws it again after every click.
// OK (or File, Exit) commits and closes only when the placement passes its
// checks; Cancel puts the lane names back; Esc just closes.
#include <QDialog>
#include <array>
#include <functional>

#include "core/heats/racer_placement.h"

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace qel::ui {

// What the window asks of the rest of the program. Every hook is needed; the
// window refuses to be made with one left empty.
struct SelectRacersHooks {
    // "Add Racer To List": the Racers Database dialog, modal, told it was
    // opened from here. When it returns the window reads the roster again.
    std::function<void()> showRoster;
};

class FrmSelectRacers : public QDialog {
    Q_OBJECT

  public:
    // Loads as it is made (the placement rebuilds itself from the board, the
    // roster and the last heat race). Modal or not is the opener's choice.
    FrmSelectRacers(PlacementContext context, PlacementHooks placementHooks,
                    SelectRacersHooks hooks, QWidget* parent = nullptr);

    const RacerPlacement& placement() const { return placement_; }

  private:
    void buildControls();
    QWidget* buildSitOutPage(int page);
    void render();
    // Runs an operation of the placement, then draws everything again.
    void act(const std::function<void()>& operation);
    void ok();
    std::vector<std::size_t> rosterSelection() const;

    SelectRacersHooks hooks_;
    RacerPlacement placement_;
    bool rendering_ = false;

    QListWidget* lstRacers_ = nullptr;
    QListWidget* lstRace_ = nullptr;
    std::array<QLabel*, kMaxLanes + 1> lblColor_{};
    std::array<QLabel*, kMaxLanes + 1> lblName_{};
    std::array<QPushButton*, kMaxLanes + 1> cmdOk_{};
    std::array<QGroupBox*, kSitOutPages> fraSitout_{};
    std::array<QLabel*, kMaxSitOuts + 1> lblNameSitOut_{};
    std::array<QPushButton*, kMaxSitOuts + 1> cmdSitOut_{};
    QPushButton* cmdClear_ = nullptr;
    QPushButton* cmdNext_ = nullptr;
    QPushButton* cmdPrevious_ = nullptr;
};

}  // namespace qel::ui
