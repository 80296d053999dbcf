#pragma once
// The Diagnostic window: the race director checks each lane's sensor, the
// track call button, track power and which serial ports answer as a timing
// box, without running a race.
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "core/engine/diagnostics.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace qel::ui {

class FrmQelDiag : public QDialog {
    Q_OBJECT

  public:
    // showHelp: the Help button opens the help pages, as the main window's
    // Help menu does. Needed.
    FrmQelDiag(TimingLink& link, TimerService& timers, const RaceState& state,
               const InstallationSettings& installation, std::function<void()> showHelp,
               QWidget* parent = nullptr);

    // Opening: power on, the box's version in the caption, the port report,
    // the box's own port again and the 300 ms tick.
    void load();

    void done(int result) override;

  private:
    void refresh();
    void powerClicked(bool on);

    SensorDiagnostics diagnostics_;
    std::function<void()> showHelp_;
    bool closed_ = false;
    std::array<QLabel*, kMaxLanes + 1> lblLaneNumber_{};
    std::array<QLabel*, kMaxLanes + 1> lblHit_{};
    QLabel* lblTrackCallSwitchStatus_ = nullptr;
    QGroupBox* fraTrackPower_ = nullptr;
    QRadioButton* optOn_ = nullptr;
    QRadioButton* optOff_ = nullptr;
    QPlainTextEdit* txtDiag_ = nullptr;
};

}  // namespace qel::ui
