#include "ui/timesell/frm_time.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/timesell/time_increments.h"
#include "core/timesell/time_window_layout.h"
#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

using setup::indexed;
using setup::named;
using setup::toQt;

namespace {

// Across, in twips: the window, the two lane frames side by side, and below
// them the selling frames with OK and Help to their right.
constexpr int kWindowWidth = 7590;
constexpr int kLaneTimeLeft = 120;
constexpr int kLaneTimeWidth = 4080;
constexpr int kRemainingLeft = 4320;
constexpr int kRemainingWidth = 3150;
constexpr int kFrameTop = 120;
// The first lane's row inside a lane frame.
constexpr int kFirstRowTop = 300;
constexpr int kRowHeight = 420;
constexpr int kSellFrameHeight = 870;
constexpr int kButtonHeight = 495;

}  // namespace

FrmTime::FrmTime(TimeSelling& selling, const RaceState& state, TimeHooks hooks, QWidget* parent)
    : QDialog(parent), selling_(selling), state_(state), hooks_(std::move(hooks)) {
    requireHooks("frmTime",
                 {{"sellTime", bool(hooks_.sellTime)}, {"showHelp", bool(hooks_.showHelp)}});
    setObjectName("frmTime");
    setWindowTitle("Time");
    buildControls();
    refresh();
}

void FrmTime::buildControls() {
    fraLaneTime_ = named(new QGroupBox("Time Sold per Lane  H:M", this), "fraLaneTime");
    fraTrackLength_ = named(new QGroupBox("Time Remaining H:M:S", this), "fraTrackLength");
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        lblLaneNumber_[lane] =
            named(new QLabel(QString::number(lane), fraLaneTime_), indexed("lblLaneNumber", lane));
        chkSelect_[lane] =
            named(new QCheckBox("Select Lane", fraLaneTime_), indexed("chkSelect", lane));
        lblTimeSold_[lane] = named(new QLabel("00:00", fraLaneTime_), indexed("lblTimeSold", lane));
        lblTimeRemaining_[lane] =
            named(new QLabel("0:00:00", fraTrackLength_), indexed("lblTimeRemaining", lane));
        for (QLabel* display : {lblTimeSold_[lane], lblTimeRemaining_[lane]})
            display->setAlignment(Qt::AlignCenter);
        connect(chkSelect_[lane], &QCheckBox::clicked, this, [this, lane](bool ticked) {
            act([this, lane, ticked] { selling_.chkSelect_Click(lane, ticked); });
        });
    }

    frame1_ = named(new QGroupBox(this), "Frame1");
    auto* increase = named(new QPushButton("Increase", frame1_), "cmdIncrease");
    auto* decrease = named(new QPushButton("Decrease", frame1_), "cmdDecrease");
    named(new QLabel("By:", frame1_), "lblTimeIncrement");
    cmbTimeIncrement_ = named(new QComboBox(frame1_), "cmbTimeIncrement");
    setup::fillList(cmbTimeIncrement_, kTimeIncrementEntries);

    frame2_ = named(new QGroupBox(this), "Frame2");
    auto* selectAll = named(new QPushButton("Select All", frame2_), "cmdSelectAll");
    auto* deselectAll = named(new QPushButton("DeSelect All", frame2_), "cmdDeSelectAll");
    auto* reset = named(new QPushButton("&Reset", frame2_), "cmdReset");

    cmdSellTime_ = named(new QPushButton("Sell Time", this), "cmdSellTime");
    cmdOk_ = named(new QPushButton("&OK", this), "cmdOk");
    cmdHelp_ = named(new QPushButton("&Help", this), "cmdHelp");
    picture1_ = named(new QLabel(this), "Picture1");

    connect(increase, &QPushButton::clicked, this,
            [this] { act([this] { selling_.cmdIncrease_Click(); }); });
    connect(decrease, &QPushButton::clicked, this,
            [this] { act([this] { selling_.cmdDecrease_Click(); }); });
    connect(cmbTimeIncrement_, &QComboBox::currentIndexChanged, this,
            [this](int index) { act([this, index] { selling_.cmbTimeIncrement_Click(index); }); });
    connect(selectAll, &QPushButton::clicked, this,
            [this] { act([this] { selling_.cmdSelectAll_Click(); }); });
    connect(deselectAll, &QPushButton::clicked, this,
            [this] { act([this] { selling_.cmdDeSelectAll_Click(); }); });
    connect(reset, &QPushButton::clicked, this,
            [this] { act([this] { selling_.cmdReset_Click(); }); });
    connect(cmdSellTime_, &QPushButton::clicked, this, [this] { act(hooks_.sellTime); });
    connect(cmdOk_, &QPushButton::clicked, this, [this] {
        act([this] { selling_.cmdOk_Click(); });
        QDialog::accept();
    });
    connect(cmdHelp_, &QPushButton::clicked, this, [this] { hooks_.showHelp(); });
}

void FrmTime::act(const std::function<void()>& action) {
    action();
    refresh();
}

void FrmTime::reject() {
    selling_.HideSell();
    refresh();
    QDialog::reject();
}

void FrmTime::refresh() {
    const int lanes = selling_.laneCount();
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const bool shown = lane <= lanes;
        for (QWidget* control :
             {static_cast<QWidget*>(lblLaneNumber_[lane]), static_cast<QWidget*>(chkSelect_[lane]),
              static_cast<QWidget*>(lblTimeSold_[lane]),
              static_cast<QWidget*>(lblTimeRemaining_[lane])})
            control->setVisible(shown);
        if (!shown) continue;
        lblTimeSold_[lane]->setText(toQt(selling_.soldText(lane)));
        lblTimeRemaining_[lane]->setText(toQt(selling_.remainingText(lane)));
        setup::paintBackground(lblTimeSold_[lane], state_.laneColor[lane]);
        setup::paintBackground(lblTimeRemaining_[lane], state_.laneColor[lane]);
        chkSelect_[lane]->setChecked(selling_.selected(lane));
        chkSelect_[lane]->setEnabled(selling_.selectEnabled(lane));
    }
    const bool selling = selling_.sellingMode();
    frame1_->setVisible(selling);
    frame2_->setVisible(selling);
    cmdSellTime_->setVisible(!selling);
    {
        const QSignalBlocker quiet(cmbTimeIncrement_);
        cmbTimeIncrement_->setCurrentIndex(selling_.incrementIndex());
    }
    placeControls();
}

void FrmTime::placeControls() {
    const int lanes = selling_.laneCount();
    const TimeWindowLayout layout = timeWindowLayout(lanes, selling_.sellingMode());
    const auto place = [this](QWidget* widget, int left, int top, int width, int height) {
        widget->setGeometry(twipsToPixelsX(*this, left), twipsToPixelsY(*this, top),
                            twipsToPixelsX(*this, width), twipsToPixelsY(*this, height));
    };
    place(fraLaneTime_, kLaneTimeLeft, kFrameTop, kLaneTimeWidth, layout.laneFrameHeight);
    place(fraTrackLength_, kRemainingLeft, kFrameTop, kRemainingWidth, layout.laneFrameHeight);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const int top = kFirstRowTop + kTimeLaneRowTwips * (lane - 1);
        place(lblLaneNumber_[lane], 120, top, 360, kRowHeight);
        place(chkSelect_[lane], 540, top, 1620, kRowHeight);
        place(lblTimeSold_[lane], 2280, top, 1680, kRowHeight);
        place(lblTimeRemaining_[lane], 240, top, 2670, kRowHeight);
    }

    place(frame1_, 120, layout.sellFrameTop, 2880, kSellFrameHeight);
    place(frame1_->findChild<QPushButton*>("cmdIncrease"), 120, 210, 1080, 300);
    place(frame1_->findChild<QPushButton*>("cmdDecrease"), 120, 540, 1080, 300);
    place(frame1_->findChild<QLabel*>("lblTimeIncrement"), 1320, 210, 1440, 300);
    place(cmbTimeIncrement_, 1320, 510, 1440, 330);
    place(frame2_, 3120, layout.sellFrameTop, 2040, kSellFrameHeight);
    place(frame2_->findChild<QPushButton*>("cmdSelectAll"), 120, 210, 900, 300);
    place(frame2_->findChild<QPushButton*>("cmdDeSelectAll"), 1020, 210, 900, 300);
    place(frame2_->findChild<QPushButton*>("cmdReset"), 120, 540, 900, 300);

    place(cmdSellTime_, 120, layout.buttonTop, 1455, kButtonHeight);
    place(cmdOk_, 5280, layout.buttonTop, 1035, kButtonHeight);
    place(cmdHelp_, 6435, layout.buttonTop, 1035, kButtonHeight);
    place(picture1_, 120, layout.pictureTop, 7350, 300);

    setFixedSize(twipsToPixelsX(*this, kWindowWidth), twipsToPixelsY(*this, layout.windowHeight));
}

}  // namespace qel::ui
