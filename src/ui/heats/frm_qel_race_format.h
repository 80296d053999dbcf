#pragma once
// The Race Format dialog: how the next race is run (format, length, lane
// sequence of the heats, demo mode). OK makes it the race in force, saves it
// and rebuilds the heat rotation; Cancel leaves the saved set-up alone.
#include <QDialog>
#include <array>
#include <functional>

#include "core/engine/race_board.h"
#include "core/heats/define_racers.h"
#include "core/heats/point_system.h"
#include "core/heats/race_formats.h"
#include "core/seams/prompter.h"
#include "core/state/heat_tables.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qel::ui {

// What the dialog asks of the rest of the program. Every hook may be left
// empty; the dialog then does without it, or uses the core routine named.
struct RaceFormatHooks {
    // The racer placement's DefineRacers. Left empty, the racers are numbered
    // from the lane names on the race board alone.
    std::function<void()> defineRacers;
    // UpdateRaceTitle: the main window rebuilds its title and captions.
    std::function<void()> updateRaceTitle;
    // The Options dialog re-applies Auto-Delay with what the format allows.
    std::function<void(const HeatOptionsAllowed&)> autoDelay;
    // The main window's "Race Results" menu shows only for heat formats.
    std::function<void(bool visible)> raceResultsMenuVisible;
};

class FrmQelRaceFormat : public QDialog {
    Q_OBJECT

  public:
    FrmQelRaceFormat(const AppFolder& folder, RaceFormatSettings& settings, RaceState& state,
                     HeatTables& tables, RaceBoard& board, PointSystem& points, Prompter& prompter,
                     int laneCount, RaceFormatHooks hooks = {}, QWidget* parent = nullptr);

    // Form_Load: reads the saved set-up (creating the first-run one when
    // there is none) into the settings and shows it.
    void load();

    // Refreshes activeSequence from the chosen sequence; the racer placement
    // calls it as well.
    void Sequence();

    // True when the last OK was refused and the dialog stayed open.
    bool okCancelled() const { return okCancelled_; }
    // The heat options the Options dialog allows with the format shown.
    const HeatOptionsAllowed& heatOptionsAllowed() const { return optionsAllowed_; }
    bool raceResultsMenuVisible() const { return raceResultsMenuVisible_; }

  private:
    void buildControls();
    void formatChanged(int raceFormat);
    void sequenceOptionChanged();
    int chosenSequenceOption() const;
    void ok();
    void openPointSystem();
    bool customChosenAndEnabled() const;

    const AppFolder& folder_;
    RaceFormatSettings& settings_;
    RaceState& state_;
    HeatTables& tables_;
    RaceBoard& board_;
    PointSystem& points_;
    Prompter& prompter_;
    int laneCount_;
    RaceFormatHooks hooks_;

    bool okCancelled_ = false;
    bool loading_ = false;
    HeatOptionsAllowed optionsAllowed_{false, false, false};
    bool raceResultsMenuVisible_ = false;

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
