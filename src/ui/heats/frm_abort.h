#pragma once
// frmAbort: the Abort button's choice during a paused heat race: run the
// heat again, abandon the race, or leave the heat paused. Shown modally.
#include <QDialog>
#include <functional>

class QPushButton;

namespace qel::ui {

struct AbortHooks {
    std::function<void()> restartHeat;  // "&Restart Heat": HeatAbort::restartHeat
    std::function<void()> abortRace;    // "&Abort Race": HeatAbort::abortRace
};

class FrmAbort : public QDialog {
    Q_OBJECT

  public:
    // The dialog's result: which button closed it (the close box is Cancel).
    enum Choice { Cancelled = QDialog::Rejected, RestartedHeat = 2, AbortedRace = 3 };

    explicit FrmAbort(AbortHooks hooks, QWidget* parent = nullptr);

  private:
    AbortHooks hooks_;
};

}  // namespace qel::ui
