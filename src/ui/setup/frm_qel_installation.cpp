#include "ui/setup/frm_qel_installation.h"
#include "ui/widgets/busy_cursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "core/io/number_text.h"
#include "core/setup/installation_file.h"
#include "core/setup/port_map.h"
#include "core/setup/roster.h"
#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

using setup::fillList;
using setup::fromQt;
using setup::indexed;
using setup::named;
using setup::selectListed;
using setup::toQt;

FrmQelInstallation::FrmQelInstallation(const AppFolder& folder, InstallationSettings& settings,
                                       RaceState& state, Prompter& prompter,
                                       InstallationHooks hooks, QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      settings_(settings),
      state_(state),
      prompter_(prompter),
      hooks_(std::move(hooks)) {
    const InstallationHooks& h = hooks_;
    requireHooks("frmQelInstallation", {{"resetLaneSequence", bool(h.resetLaneSequence)},
                                        {"refreshRacerNames", bool(h.refreshRacerNames)},
                                        {"laneRacerNames", bool(h.laneRacerNames)},
                                        {"resetRace", bool(h.resetRace)},
                                        {"loadRacerLists", bool(h.loadRacerLists)},
                                        {"openTimingPort", bool(h.openTimingPort)},
                                        {"sendSensorType", bool(h.sendSensorType)},
                                        {"resetSoldTime", bool(h.resetSoldTime)},
                                        {"restoreMainWindow", bool(h.restoreMainWindow)},
                                        {"setFormHeight", bool(h.setFormHeight)},
                                        {"endProgram", bool(h.endProgram)},
                                        {"showHelp", bool(h.showHelp)}});
    setObjectName("frmQelInstallation");
    setWindowTitle("  Installations Settings");
    setModal(true);
    buildControls();
    load();
}

void FrmQelInstallation::buildControls() {
    auto* okButton = named(new QPushButton("&OK", this), "cmdOk");
    auto* cancelButton = named(new QPushButton("&Cancel", this), "cmdCancel");
    auto* helpButton = named(new QPushButton("&Help", this), "cmdHelp");
    okButton->setDefault(true);

    auto* lanes = new QHBoxLayout;
    lanes->addWidget(buildLaneColorFrame(), 0, Qt::AlignTop);
    lanes->addWidget(buildTrackLengthFrame(), 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);

    auto* right = new QVBoxLayout;
    right->addLayout(lanes);
    right->addStretch(1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    // The window's height follows the lane count, below what the layout would ask.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(buildTrackFrame(), 0, Qt::AlignTop);
    layout->addLayout(right, 1);

    connect(okButton, &QPushButton::clicked, this, [this] { ok(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { hooks_.showHelp(); });
}

QWidget* FrmQelInstallation::buildTrackFrame() {
    auto* frame = named(new QGroupBox("Track", this), "fraTrack");
    auto* grid = new QGridLayout(frame);
    int row = 0;
    const auto addRow = [&](const QString& labelName, const QString& caption, QWidget* control) {
        grid->addWidget(named(new QLabel(caption, frame), labelName), row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    };

    txtTrackName_ = named(new QLineEdit("Enter Name of Track", frame), "txtTrackName");
    addRow("lblTrackName", "Track Name:", txtTrackName_);
    chkSellTime_ = named(new QCheckBox("Sell Time by Lane", frame), "chkSellTime");
    grid->addWidget(chkSellTime_, row++, 1);

    cmbCommPort_ = named(new QComboBox(frame), "cmbCommPort");
    cmbCommPort_->setToolTip("Kestrova Hardware is connected to this port");
    fillList(cmbCommPort_, kCommPortEntries);
    addRow("lblKestrovaConnectedToComm", "Kestrova Connected to Comm Port:", cmbCommPort_);
    // The port number stands for a device of this machine; show which.
    lblCommPortDevice_ = named(new QLabel(frame), "lblCommPortDevice");
    grid->addWidget(lblCommPortDevice_, row++, 1);
    connect(cmbCommPort_, &QComboBox::currentIndexChanged, this, [this] { showPortDevice(); });

    cmbRelay_ = named(new QComboBox(frame), "cmbRelay");
    fillList(cmbRelay_, kRelayEntries);
    addRow("lblRelay", "Relay:", cmbRelay_);
    cmbSensorType_ = named(new QComboBox(frame), "cmbSensorType");
    fillList(cmbSensorType_, kSensorTypeEntries);
    addRow("lblSensorType", "Sensor Type:", cmbSensorType_);
    cmbScale_ = named(new QComboBox(frame), "cmbScale");
    fillList(cmbScale_, kScaleEntries);
    addRow("lblScale", "Scale - MPH:", cmbScale_);
    cmbNoOfLanes_ = named(new QComboBox(frame), "cmbNoOfLanes");
    cmbNoOfLanes_->setToolTip("Quantity of Lanes");
    fillList(cmbNoOfLanes_, kLaneCountEntries);
    addRow("lblNoOfLanes", "Number of Lanes:", cmbNoOfLanes_);
    connect(cmbNoOfLanes_, &QComboBox::currentIndexChanged, this,
            [this](int index) { laneCountChosen(index); });
    grid->setRowStretch(row, 1);
    return frame;
}

QWidget* FrmQelInstallation::buildLaneColorFrame() {
    fraLaneColor_ = named(new QGroupBox("Lane Color", this), "fraLaneColor");
    auto* grid = new QGridLayout(fraLaneColor_);
    grid->setAlignment(Qt::AlignTop);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const QString number = QString::number(lane);
        lblLaneNumber_[lane] =
            named(new QLabel(number, fraLaneColor_), indexed("lblLaneNumber", lane));
        txtTrack_[lane] =
            named(new QLineEdit("Lane " + number, fraLaneColor_), indexed("txtTrack", lane));
        txtTrack_[lane]->setReadOnly(true);
        txtTrack_[lane]->setFocusPolicy(Qt::NoFocus);
        cmbLane_[lane] = named(new QComboBox(fraLaneColor_), indexed("cmbLane", lane));
        cmbLane_[lane]->setToolTip("Select color for Lane " + number);
        for (const LaneColourEntry& colour : kLaneColours)
            cmbLane_[lane]->addItem(toQt(colour.name));
        cmbLane_[lane]->setCurrentIndex(-1);
        chkDisable_[lane] =
            named(new QCheckBox("Disable", fraLaneColor_), indexed("chkDisable", lane));
        chkDisable_[lane]->setToolTip("Disable Lane " + number);

        grid->addWidget(lblLaneNumber_[lane], lane, 0);
        grid->addWidget(txtTrack_[lane], lane, 1);
        grid->addWidget(cmbLane_[lane], lane, 2);
        grid->addWidget(chkDisable_[lane], lane, 3);

        connect(cmbLane_[lane], &QComboBox::currentIndexChanged, this,
                [this, lane] { laneColourChosen(lane); });
        connect(chkDisable_[lane], &QCheckBox::clicked, this,
                [this, lane] { disableClicked(lane); });
    }
    return fraLaneColor_;
}

QWidget* FrmQelInstallation::buildTrackLengthFrame() {
    fraTrackLength_ = named(new QGroupBox("Track Length, feet", this), "fraTrackLength");
    auto* column = new QVBoxLayout(fraTrackLength_);
    column->setAlignment(Qt::AlignTop);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        txtTrackLength_[lane] =
            named(new QLineEdit("30", fraTrackLength_), indexed("txtTrackLength", lane));
        txtTrackLength_[lane]->setToolTip("Length of lane " + QString::number(lane) +
                                          " in decimal feet, e.g.: 25.3");
        setup::selectAllOnEntry(txtTrackLength_[lane]);
        column->addWidget(txtTrackLength_[lane]);
    }
    return fraTrackLength_;
}

void FrmQelInstallation::load() {
    lanesChangeArmed_ = false;
    try {
        readInstallationFile(folder_, settings_);
    } catch (const std::exception& e) {
        prompter_.inform(e.what());
        lanesChangeArmed_ = true;
        return;
    }
    if (selectListed(cmbNoOfLanes_, settings_.laneCountIndex))
        settings_.laneCount = static_cast<int16_t>(settings_.laneCountIndex + 2);
    lanesChangeArmed_ = true;

    selectListed(cmbScale_, settings_.scaleIndex);
    selectListed(cmbRelay_, settings_.relayIndex);
    selectListed(cmbSensorType_, settings_.sensorTypeIndex);
    chkSellTime_->setChecked(settings_.sellTimeEnabled != 0);
    txtTrackName_->setText(toQt(settings_.trackName));

    const bool portListed = settings_.commPortIndex >= 0 &&
                            settings_.commPortIndex < static_cast<int>(kCommPortEntries.size());
    cmbCommPort_->setCurrentIndex(portListed ? settings_.commPortIndex : 0);
    showPortDevice();

    sizeToLaneCount(settings_.laneCount);

    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        selectListed(cmbLane_[lane], settings_.laneColorIndex[lane]);
        swatchColour_[lane] = settings_.laneColor[lane];
        setup::paintBackground(txtTrack_[lane], swatchColour_[lane]);
        chkDisable_[lane]->setChecked(settings_.laneDisabled[lane] != 0);
        txtTrackLength_[lane]->setText(toQt(singleText(settings_.trackLength[lane])));
    }
    // The colour lists follow the Disable boxes as they are on disk.
    const int lanes = std::clamp<int>(settings_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane)
        cmbLane_[lane]->setEnabled(!chkDisable_[lane]->isChecked());
}

void FrmQelInstallation::sizeToLaneCount(int laneCount) {
    const int lanes = std::clamp(laneCount, 2, kMaxLanes);
    const InstallationWindowSize size = installationWindowSize(lanes);
    const int laneFrameHeight = twipsToPixelsY(*this, size.laneFrameHeight);
    fraLaneColor_->setFixedHeight(laneFrameHeight);
    fraTrackLength_->setFixedHeight(laneFrameHeight);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const bool shown = lane <= lanes;
        for (QWidget* control :
             std::array<QWidget*, 5>{lblLaneNumber_[lane], txtTrack_[lane], cmbLane_[lane],
                                     chkDisable_[lane], txtTrackLength_[lane]})
            control->setVisible(shown);
    }
    resize(width(), twipsToPixelsY(*this, size.windowHeight));
}

void FrmQelInstallation::showPortDevice() {
    const int port = cmbCommPort_->currentIndex() + 1;
    lblCommPortDevice_->setText(toQt(PortMap::load(folder_).devicePath(port)));
}

void FrmQelInstallation::laneColourChosen(int lane) {
    const int index = cmbLane_[lane]->currentIndex();
    if (index < 0 || index >= static_cast<int>(kLaneColours.size())) return;
    swatchColour_[lane] = kLaneColours[static_cast<std::size_t>(index)].value();
    setup::paintBackground(txtTrack_[lane], swatchColour_[lane]);
}

void FrmQelInstallation::disableClicked(int clicked) {
    const int lanes = std::clamp<int>(settings_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane)
        cmbLane_[lane]->setEnabled(!chkDisable_[lane]->isChecked());
    // Only the lane taken back into use starts again from nothing sold: the
    // other lanes keep the time their racers paid for.
    if (clicked <= lanes && !chkDisable_[clicked]->isChecked()) hooks_.resetSoldTime(clicked);
}

void FrmQelInstallation::laneCountChosen(int index) {
    if (!lanesChangeArmed_ || index < 0) return;
    hooks_.restoreMainWindow();
    const int16_t remembered = settings_.laneCount;
    settings_.laneCount = static_cast<int16_t>(index + 2);
    const MessageAnswer answer =
        prompter_.message(std::string(kLaneCountChangeMessage), std::string(kLaneCountChangeTitle),
                          MessageIcon::Critical, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) {
        settings_.laneCount = remembered;
        lanesChangeArmed_ = false;
        selectListed(cmbNoOfLanes_, settings_.laneCountIndex);
        lanesChangeArmed_ = true;
        return;
    }
    // The main window takes the new height only when the new count was
    // stored, so it never disagrees with the installation at the next start.
    if (ok()) hooks_.setFormHeight(settings_.laneCount);
    hooks_.endProgram();
}

bool FrmQelInstallation::ok() {
    LaneTable<std::string> lengthTexts{};
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        lengthTexts[lane] = fromQt(txtTrackLength_[lane]->text());
    const int lanes = std::clamp<int>(settings_.laneCount, 0, kMaxLanes);
    if (const auto bad = firstNonNumericTrackLength(lengthTexts, lanes)) {
        QLineEdit* box = txtTrackLength_[*bad];
        box->setFocus();
        prompter_.message(std::string(kTrackLengthMessage), std::string(kTrackLengthTitle),
                          MessageIcon::Information, MessageButtons::Ok);
        box->selectAll();
        return false;
    }

    // Compared with what is stored rather than the lane count in memory,
    // which a confirmed lane-count change has already moved.
    if (cmbNoOfLanes_->currentIndex() != settings_.laneCountIndex) hooks_.resetLaneSequence();

    portRetry_ = false;
    BusyCursor busy;
    try {
        hooks_.refreshRacerNames();

        settings_.laneCountIndex = static_cast<int16_t>(std::max(cmbNoOfLanes_->currentIndex(), 0));
        settings_.scaleIndex = static_cast<int16_t>(std::max(cmbScale_->currentIndex(), 0));
        settings_.relayIndex = static_cast<int16_t>(std::max(cmbRelay_->currentIndex(), 0));
        settings_.sensorTypeIndex =
            static_cast<int16_t>(std::max(cmbSensorType_->currentIndex(), 0));
        settings_.commPortIndex = static_cast<int16_t>(std::max(cmbCommPort_->currentIndex(), 0));
        settings_.sellTimeEnabled = chkSellTime_->isChecked() ? 1 : 0;
        settings_.trackName = fromQt(txtTrackName_->text());
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            settings_.laneColorIndex[lane] =
                static_cast<int16_t>(std::max(cmbLane_[lane]->currentIndex(), 0));
            settings_.laneColor[lane] = swatchColour_[lane];
            settings_.laneDisabled[lane] = chkDisable_[lane]->isChecked() ? 1 : 0;
        }

        storeInstallation(folder_, settings_, lengthTexts);
        applyInstallation(settings_, state_);
        writeLaneRacerNames(folder_, hooks_.laneRacerNames());

        hooks_.resetRace();
        hooks_.loadRacerLists();

        portRetry_ = hooks_.openTimingPort(settings_.commPort);
        if (portRetry_) {
            busy.restore();
            cmbCommPort_->setFocus();
            return true;
        }
        hooks_.sendSensorType();
    } catch (const std::exception& e) {
        busy.restore();
        prompter_.inform(e.what());
        return false;
    }
    busy.restore();
    accept();
    return true;
}

}  // namespace qel::ui
