#include "ui/setup/frm_qel_diag.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

using setup::indexed;
using setup::named;
using setup::toQt;

FrmQelDiag::FrmQelDiag(TimingLink& link, TimerService& timers, const RaceState& state,
                       const InstallationSettings& installation, std::function<void()> showHelp,
                       QWidget* parent)
    : QDialog(parent),
      diagnostics_(link, timers, state, installation),
      showHelp_(std::move(showHelp)) {
    requireHooks("frmQelDiag", {{"showHelp", bool(showHelp_)}});
    setObjectName("frmQelDiag");
    setModal(true);

    auto* sensors = named(new QGroupBox("Sensor Diagnostic", this), "fraSensorDiagnostic");
    auto* sensorGrid = new QGridLayout(sensors);
    sensorGrid->addWidget(named(new QLabel("Lane", sensors), "lblFlag"), 0, 0);
    sensorGrid->addWidget(named(new QLabel("Hits", sensors), "Label1"), 0, 1);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        lblLaneNumber_[lane] = named(new QLabel(sensors), indexed("lblLaneNumber", lane));
        lblHit_[lane] = named(new QLabel("0", sensors), indexed("lblHit", lane));
        lblHit_[lane]->setToolTip("Will add at least 1 count when sensor is triggered");
        lblLaneNumber_[lane]->setAlignment(Qt::AlignCenter);
        lblHit_[lane]->setAlignment(Qt::AlignCenter);
        sensorGrid->addWidget(lblLaneNumber_[lane], lane, 0);
        sensorGrid->addWidget(lblHit_[lane], lane, 1);
    }
    auto* resetButton = named(new QPushButton("Reset", sensors), "cmdReset");
    resetButton->setToolTip("Reset number of Hits to 0");
    sensorGrid->addWidget(resetButton, kMaxLanes + 1, 0, 1, 2);

    auto* callFrame =
        named(new QGroupBox("Track Call Switch Status:", this), "fraTrackCallSwitchStatus");
    auto* callLayout = new QVBoxLayout(callFrame);
    lblTrackCallSwitchStatus_ = named(new QLabel("OFF", callFrame), "lblTrackCallSwitchStatus");
    callLayout->addWidget(lblTrackCallSwitchStatus_);

    fraTrackPower_ = named(new QGroupBox("Track Power", this), "fraTrackPower");
    auto* powerLayout = new QHBoxLayout(fraTrackPower_);
    optOn_ = named(new QRadioButton("On", fraTrackPower_), "optOn");
    optOff_ = named(new QRadioButton("Off", fraTrackPower_), "optOff");
    // Without a relay neither button may look chosen.
    optOn_->setAutoExclusive(false);
    optOff_->setAutoExclusive(false);
    powerLayout->addWidget(optOn_);
    powerLayout->addWidget(optOff_);

    txtDiag_ = named(new QPlainTextEdit(this), "txtDiag");
    txtDiag_->setReadOnly(true);

    auto* logo = named(new QLabel(this), "imgKestrova");
    logo->setMinimumSize(48, 48);
    auto* okButton = named(new QPushButton("&OK", this), "cmdOk");
    okButton->setToolTip("Return to main screen");
    okButton->setDefault(true);
    auto* helpButton = named(new QPushButton("&Help", this), "cmdHelp");

    auto* side = new QVBoxLayout;
    side->addWidget(callFrame);
    side->addWidget(fraTrackPower_);
    side->addWidget(txtDiag_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logo);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(helpButton);
    side->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(sensors);
    layout->addLayout(side, 1);

    connect(resetButton, &QPushButton::clicked, this, [this] {
        diagnostics_.Reset();
        refresh();
    });
    connect(optOn_, &QRadioButton::clicked, this, [this] { powerClicked(true); });
    connect(optOff_, &QRadioButton::clicked, this, [this] { powerClicked(false); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton, &QPushButton::clicked, this, [this] { showHelp_(); });
    diagnostics_.setAfterTick([this] { refresh(); });
    load();
}

void FrmQelDiag::load() {
    closed_ = false;
    diagnostics_.Load();
    setWindowTitle(toQt(diagnostics_.caption()));
    fraTrackPower_->setEnabled(diagnostics_.trackPowerEnabled());
    optOn_->setEnabled(diagnostics_.trackPowerEnabled());
    optOff_->setEnabled(diagnostics_.trackPowerEnabled());
    refresh();
}

void FrmQelDiag::refresh() {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        lblLaneNumber_[lane]->setText(toQt(diagnostics_.laneNumberText(lane)));
        lblHit_[lane]->setText(toQt(diagnostics_.hitText(lane)));
        setup::paintBackground(lblLaneNumber_[lane], diagnostics_.laneLabelColour(lane));
        setup::paintBackground(lblHit_[lane], diagnostics_.laneLabelColour(lane));
    }
    lblTrackCallSwitchStatus_->setText(toQt(diagnostics_.trackCallStatus()));
    // Without a relay the program never switches power, so neither state is shown.
    const bool switchable = diagnostics_.trackPowerEnabled();
    optOn_->setChecked(switchable && diagnostics_.powerButton() == PowerButton::On);
    optOff_->setChecked(switchable && diagnostics_.powerButton() == PowerButton::Off);
    QString report = toQt(diagnostics_.portReport());
    report.replace("\r\n", "\n");
    if (txtDiag_->toPlainText() != report) txtDiag_->setPlainText(report);
}

void FrmQelDiag::powerClicked(bool on) {
    diagnostics_.SelectPower(on);
    refresh();
}

void FrmQelDiag::done(int result) {
    if (!closed_) {
        closed_ = true;
        diagnostics_.Close();
    }
    QDialog::done(result);
}

}  // namespace qel::ui
