#pragma once
// The Time window: the time sold to each lane and the time it has left, and,
// behind the access password, the controls that sell it. It only draws the
// time selling's lanes and forwards the race director's clicks; closing it
// only hides it, so the lane clocks keep running.
#include <QDialog>
#include <functional>

#include "core/state/race_state.h"
#include "core/timesell/time_selling.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace qel::ui {

// Every hook is needed.
struct TimeHooks {
    // "Sell Time": the access password, which unlocks the selling controls
    // while this window shows.
    std::function<void()> sellTime;
    std::function<void()> showHelp;
};

class FrmTime : public QDialog {
    Q_OBJECT

  public:
    FrmTime(TimeSelling& selling, const RaceState& state, TimeHooks hooks,
            QWidget* parent = nullptr);

    // The lanes, the mode and the size as the time selling has them now.
    void refresh();

  public slots:
    // The close box (and Escape): back to display mode and hidden, never closed.
    void reject() override;

  private:
    void buildControls();
    void placeControls();
    // Forwards a click to the time selling, then shows what it changed.
    void act(const std::function<void()>& action);

    TimeSelling& selling_;
    const RaceState& state_;
    TimeHooks hooks_;
    QGroupBox* fraLaneTime_ = nullptr;
    QGroupBox* fraTrackLength_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QPushButton* cmdSellTime_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QComboBox* cmbTimeIncrement_ = nullptr;
    QLabel* picture1_ = nullptr;
    LaneTable<QLabel*> lblLaneNumber_{};
    LaneTable<QCheckBox*> chkSelect_{};
    LaneTable<QLabel*> lblTimeSold_{};
    LaneTable<QLabel*> lblTimeRemaining_{};
};

}  // namespace qel::ui
