#pragma once
// The Installation Settings dialog: what the track is (lanes, port, relay,
// sensors, scale, lane colours and lengths, name, sold time). OK stores the
// two installation files and puts the track in force; changing the number
// of lanes needs a restart of the program.
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/setup/installation_settings.h"
#include "core/state/race_state.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qel::ui {

// What the dialog asks of the rest of the program. Every hook is needed; the
// dialog refuses to be made with one left empty.
struct InstallationHooks {
    // A new lane count makes the race format's lane sequence meaningless.
    std::function<void()> resetLaneSequence;
    // The racer names on the race screen: refreshed before storing, and
    // saved as the lane racer names (Racers.dat).
    std::function<void()> refreshRacerNames;
    std::function<LaneTable<std::string>()> laneRacerNames;
    // The race screen starts over with the new track and reloads the roster.
    std::function<void()> resetRace;
    std::function<void()> loadRacerLists;
    // OpenTimingPort with the port chosen; true when the race director
    // asked to pick another port, so the dialog stays open on the port list.
    std::function<bool(int portNumber)> openTimingPort;
    std::function<void()> sendSensorType;
    // A lane back in use starts its sold time from "00:00".
    std::function<void(int lane)> resetSoldTime;
    // The lane-count change: the main window leaves maximised, then takes
    // (and stores) its height and lane controls for the new count.
    std::function<void()> restoreMainWindow;
    std::function<void(int laneCount)> setFormHeight;
    // Ends the program at once, without the main window's closing steps.
    std::function<void()> endProgram;
    // The Help button: the help pages, as the main window's Help menu opens them.
    std::function<void()> showHelp;
};

class FrmQelInstallation : public QDialog {
    Q_OBJECT

  public:
    FrmQelInstallation(const AppFolder& folder, InstallationSettings& settings, RaceState& state,
                       Prompter& prompter, InstallationHooks hooks, QWidget* parent = nullptr);

    // Form_Load: reads QelInstallation.dat into the settings and the controls.
    // A damaged file is reported and the rest of the load skipped. Runs as
    // the dialog is made.
    void load();

    // True after an OK that had to leave the dialog open on the port list.
    bool portRetry() const { return portRetry_; }

  private:
    void buildControls();
    QWidget* buildTrackFrame();
    QWidget* buildLaneColorFrame();
    QWidget* buildTrackLengthFrame();
    void sizeToLaneCount(int laneCount);
    void showPortDevice();
    void laneColourChosen(int lane);
    void disableClicked(int lane);
    void laneCountChosen(int index);
    // cmdOk_Click; false when nothing was stored.
    bool ok();

    const AppFolder& folder_;
    InstallationSettings& settings_;
    RaceState& state_;
    Prompter& prompter_;
    InstallationHooks hooks_;

    // The lane-count question is asked only for a choice of the race director.
    bool lanesChangeArmed_ = false;
    bool portRetry_ = false;

    QLineEdit* txtTrackName_ = nullptr;
    QCheckBox* chkSellTime_ = nullptr;
    QComboBox* cmbCommPort_ = nullptr;
    QLabel* lblCommPortDevice_ = nullptr;
    QComboBox* cmbRelay_ = nullptr;
    QComboBox* cmbSensorType_ = nullptr;
    QComboBox* cmbScale_ = nullptr;
    QComboBox* cmbNoOfLanes_ = nullptr;
    QGroupBox* fraLaneColor_ = nullptr;
    QGroupBox* fraTrackLength_ = nullptr;
    std::array<QLabel*, kMaxLanes + 1> lblLaneNumber_{};
    std::array<QLineEdit*, kMaxLanes + 1> txtTrack_{};
    std::array<QComboBox*, kMaxLanes + 1> cmbLane_{};
    std::array<QCheckBox*, kMaxLanes + 1> chkDisable_{};
    std::array<QLineEdit*, kMaxLanes + 1> txtTrackLength_{};
    LaneTable<int32_t> swatchColour_{};
};

}  // namespace qel::ui
