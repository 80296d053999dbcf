#pragma once
// The Racers Database dialog: the roster of racer names the track knows.
// Every Add, Modify and Delete is written to QeRacers.dat at once, so the
// dialog has no Cancel.
#include <QDialog>
#include <functional>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/setup/roster.h"

class QLabel;
class QListWidget;

namespace qel::ui {

struct AddRacerHooks {
    // LoadRacerLists: the race screen's name lists take the new roster. Needed.
    std::function<void()> loadRacerLists;
    // Only when the dialog is opened from the racer placement window: that
    // window's racer list is refilled from the roster as well.
    std::function<void()> refillPlacementRacers;
};

class FrmQelAddRacer : public QDialog {
    Q_OBJECT

  public:
    FrmQelAddRacer(const AppFolder& folder, Prompter& prompter, AddRacerHooks hooks,
                   QWidget* parent = nullptr);

    // Fills the list from QeRacers.dat; runs as the dialog is made, so the
    // roster is on screen before anything can change the file.
    void load();

  private:
    void showRoster();
    std::vector<std::size_t> selectedPositions() const;
    void ok();

    RosterList roster_;
    AddRacerHooks hooks_;
    QListWidget* lstRacers_ = nullptr;
    QLabel* lblQty_ = nullptr;
};

}  // namespace qel::ui
