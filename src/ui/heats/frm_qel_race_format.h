#pragma once
// The Race Format dialog: how the next race is run (format, length, lane
// sequence of the heats, demo mode). OK makes it the race in force, saves it
// and rebuilds the heat rotation; Cancel leaves the saved set-up alone.
#include <QDialog>
#include <array>
#include <functional>

#include "core/heats/race_formats.h"
#include "core/seams/prompter.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qel::ui {

// What the dialog asks of the rest of the program. Every hook is needed; the
// dialog refuses to be made with one left empty.
struct RaceFormatHooks {
    // UpdateRaceTitle: the main window rebuilds its title and captions.
    std::function<void()> updateRaceTitle;
    // The set-up now in force left demo mode (wasDemoMode) or not: the race
    // engine takes the box into use.
    std::function<void(bool wasDemoMode)> raceFormatConfirmed;
    // "Championship Point System": the point-system dialog, not modal.
    std::function<void()> showPointSystem;
    // The racers of the set-up now in force, numbered from the placement as
    // it stands: the board's lane names and, for the formats that keep them,
    // the previous heat race's sit-out racers.
    std::function<void()> defineRacers;
    // "Select Racers": the racer placement dialog, modal.
    std::function<void()> showSelectRacers;
};

class FrmQelRaceFormat : public QDialog {
    Q_OBJECT

  public:
    // settings: the race set-up in force, which the race reads. The dialog
    // opens on it and works on a copy; only OK puts the copy in force (and
    // saves it), so Cancel leaves the race exactly as it was.
    FrmQelRaceFormat(const AppFolder& folder, RaceFormatSettings& settings, RaceState& state,
                     HeatTables& tables, RaceBoard& board, Prompter& prompter, int laneCount,
                     RaceFormatHooks hooks, QWidget* parent = nullptr);

    // Form_Load: shows the set-up in force. Runs as the dialog is made.
    void load();

    // Refreshes activeSequence from the chosen sequence; the racer placement
    // calls it as well.
    void Sequence();

    // True when the last OK was refused and the dialog stayed open.
    bool okCancelled() const { return okCancelled_; }

  private:
    void buildControls();
    void formatChanged(int raceFormat);
    void sequenceOptionChanged();
    int chosenSequenceOption() const;
    void ok();
    // "Select Racers": OK, then the placement of the racers.
    void selectRacers();
    void openPointSystem();
    bool customChosenAndEnabled() const;

    const AppFolder& folder_;
    RaceFormatSettings& settings_;
    // What the controls show, put in force by OK.
    RaceFormatSettings draft_;
    RaceState& state_;
    HeatTables& tables_;
    RaceBoard& board_;
    Prompter& prompter_;
    int laneCount_;
    RaceFormatHooks hooks_;

    bool okCancelled_ = false;
    bool loading_ = false;

    QComboBox* cmbRaceFormat_ = nullptr;
    QLabel* lblLapOrTimeFormat_ = nullptr;
    QComboBox* cmbTime_ = nullptr;
    QComboBox* cmbLaps_ = nullptr;
    QGroupBox* fraRotation_ = nullptr;
    std::array<QRadioButton*, 3> optSeq_{};
    std::array<QLabel*, 2> lblSequence_{};
    QLineEdit* txtSequence_ = nullptr;
    QCheckBox* chkDemo_ = nullptr;
    QPushButton* cmdSelectRacers_ = nullptr;
    QPushButton* cmdPoints_ = nullptr;
};

}  // namespace qel::ui
