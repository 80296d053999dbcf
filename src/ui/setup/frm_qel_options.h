#pragma once
// The Options dialog: how a race is run (start method and delay, track power
// timing, minimum lap time, first lap, coast time, the between-heat
// automation, the saves after every race and the tip of the day) and whether
// the live board is on the club's network. OK writes QelOptions.dat, the Save
// page's QelAutoSave.dat and the Live Board page's LiveBoard.dat; the Automate
// values go to the race format, which saves them with itself.
#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/heats/race_format_settings.h"
#include "core/heats/race_formats.h"
#include "core/io/data_folder.h"
#include "core/liveboard/live_board_settings.h"
#include "core/seams/prompter.h"
#include "core/setup/auto_save_file.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/shell/user_settings.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabBar;

namespace qel::ui {

// Every hook is needed; the dialog refuses to be made with one left empty.
struct OptionsHooks {
    // UpdateRaceTitle: the race screen shows the new values.
    std::function<void()> updateRaceTitle;
    // The Help button: the help pages, as the main window's Help menu opens them.
    std::function<void()> showHelp;
    // The Live Board page's OK: the server follows the setting now in force.
    std::function<void()> applyLiveBoard;
};

class FrmQelOptions : public QDialog {
    Q_OBJECT

  public:
    // Opens loaded. "Show Tip of the Day at Start-Up" is the race director's
    // own setting, the same one the tip window's tick changes.
    FrmQelOptions(const AppFolder& folder, OptionsSettings& options, AutoSaveSettings& autoSave,
                  RaceFormatSettings& raceSettings, const InstallationSettings& installation,
                  LiveBoardSettings& liveBoard, UserSettings& userSettings, Prompter& prompter,
                  OptionsHooks hooks, QWidget* parent = nullptr);

    // Form_Load: fills the lists, reads QelOptions.dat and puts the stored
    // values into the controls; the Automate ticks the race format in force
    // cannot use are greyed out. Each step that fails is reported and the
    // load goes on.
    void load();

    // The race format greys out the Automate ticks its format can't use.
    void setHeatOptionsAllowed(const HeatOptionsAllowed& allowed);
    // Instant start and the delay lists follow the Auto-Delay tick.
    void AutoDelay();

  private:
    void buildControls();
    QFrame* buildStartMethodPage();
    QFrame* buildTrackPowerPage();
    QFrame* buildSavePage();
    QFrame* buildAutomatePage();
    QFrame* buildSettingsPage();
    QFrame* buildLiveBoardPage();
    QFrame* newPage(int index);
    void showPage(int tab);
    // The Automate delay lists and their labels, which share tip and state.
    std::array<QWidget*, 4> delayListControls() const;
    // A delay list's position saved with the race format; one its list does
    // not hold is told of, naming the list.
    void selectStored(QComboBox* list, int position, const char* listName);
    void report(const std::vector<std::string>& messages);
    void ok();
    void takeLiveBoard();
    void showLiveBoardPort();

    const AppFolder& folder_;
    OptionsSettings& options_;
    AutoSaveSettings& autoSave_;
    RaceFormatSettings& raceSettings_;
    const InstallationSettings& installation_;
    LiveBoardSettings& liveBoard_;
    UserSettings& userSettings_;
    Prompter& prompter_;
    OptionsHooks hooks_;

    QTabBar* tabStrip_ = nullptr;
    std::array<QFrame*, 7> pages_{};  // Frame1_1..Frame1_6
    int shownPage_ = 1;
    std::array<QRadioButton*, 3> optStartMethod_{};
    QComboBox* cmbDelay_ = nullptr;
    QRadioButton* optWithGreen_ = nullptr;
    QRadioButton* optBeforeGreen_ = nullptr;
    std::array<QCheckBox*, 3> chkAutoSave_{};
    QCheckBox* chkAutoDelay_ = nullptr;
    QCheckBox* chkAutoPrint_ = nullptr;
    QCheckBox* chkAutoDisplayResults_ = nullptr;
    QLabel* lblDelayView_ = nullptr;
    QComboBox* cmbDelayView_ = nullptr;
    QLabel* lblDelayRotate_ = nullptr;
    QComboBox* cmbDelayRotate_ = nullptr;
    QComboBox* cmbMinLapTime_ = nullptr;
    QComboBox* cmbFirstLap_ = nullptr;
    QComboBox* cmbCoastTime_ = nullptr;
    QCheckBox* chkShowTips_ = nullptr;
    QCheckBox* chkLiveBoard_ = nullptr;
    QLabel* lblLiveBoardPort_ = nullptr;
    QSpinBox* txtLiveBoardPort_ = nullptr;
};

}  // namespace qel::ui
