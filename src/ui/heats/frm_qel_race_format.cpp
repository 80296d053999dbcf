#include "ui/heats/frm_qel_race_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/heats/rotation.h"
#include "core/io/errors.h"
#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

using setup::fillList;
using setup::fromQt;
using setup::indexed;
using setup::named;
using setup::toQt;

namespace {

const std::string kErrorTitle = "Race Format";

std::string trimmed(const QString& text) {
    return fromQt(text.trimmed());
}

}  // namespace

FrmQelRaceFormat::FrmQelRaceFormat(const AppFolder& folder, RaceFormatSettings& settings,
                                   RaceState& state, HeatTables& tables, RaceBoard& board,
                                   Prompter& prompter, int laneCount, RaceFormatHooks hooks,
                                   QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      settings_(settings),
      draft_(settings),
      state_(state),
      tables_(tables),
      board_(board),
      prompter_(prompter),
      laneCount_(std::clamp(laneCount, 1, kMaxLanes)),
      hooks_(std::move(hooks)) {
    requireHooks("frmQelRaceFormat", {{"updateRaceTitle", bool(hooks_.updateRaceTitle)},
                                      {"raceFormatConfirmed", bool(hooks_.raceFormatConfirmed)},
                                      {"showPointSystem", bool(hooks_.showPointSystem)},
                                      {"defineRacers", bool(hooks_.defineRacers)},
                                      {"showSelectRacers", bool(hooks_.showSelectRacers)}});
    setObjectName("frmQelRaceFormat");
    setWindowTitle("  Race Format");
    setModal(true);
    buildControls();
    load();
}

void FrmQelRaceFormat::buildControls() {
    cmbRaceFormat_ = named(new QComboBox(this), "cmbRaceFormat");
    for (const RaceFormatRule& rule : kRaceFormats)
        cmbRaceFormat_->addItem(toQt(rule.text));

    lblLapOrTimeFormat_ = named(new QLabel(toQt(kMinutesCaption), this), "lblLapOrTimeFormat");
    cmbTime_ = named(new QComboBox(this), "cmbTime");
    cmbTime_->setToolTip("Select time in minutes");
    fillList(cmbTime_, minutesEntries());
    cmbLaps_ = named(new QComboBox(this), "cmbLaps");
    cmbLaps_->setToolTip("Select No of Laps");
    fillList(cmbLaps_, lapsEntries());
    cmbLaps_->hide();

    fraRotation_ = named(new QGroupBox("Rotation Sequence", this), "fraRotation");
    auto* rotation = new QGridLayout(fraRotation_);
    const char* optionCaptions[] = {"Straight:", "European:", "Custom:"};
    for (int i = 0; i < 3; ++i) {
        optSeq_[i] = named(new QRadioButton(optionCaptions[i], fraRotation_), indexed("optSeq", i));
        rotation->addWidget(optSeq_[i], i, 0);
        connect(optSeq_[i], &QRadioButton::toggled, this, [this] { sequenceOptionChanged(); });
    }
    for (int i = 0; i < 2; ++i) {
        lblSequence_[i] = named(new QLabel(fraRotation_), indexed("lblSequence", i));
        rotation->addWidget(lblSequence_[i], i, 1);
    }
    txtSequence_ = named(new QLineEdit(fraRotation_), "txtSequence");
    rotation->addWidget(txtSequence_, 2, 1);

    chkDemo_ = named(new QCheckBox("Demo Mode", this), "chkDemo");
    chkDemo_->setToolTip("Will generate lap times automatically");

    cmdSelectRacers_ = named(new QPushButton("Select Racers", this), "cmdSelectRacers");
    cmdPoints_ = named(new QPushButton("Championship Point System", this), "cmdPoints");
    auto* okButton = named(new QPushButton("&OK", this), "cmdOk");
    auto* cancelButton = named(new QPushButton("&Cancel", this), "cmdCancel");
    okButton->setDefault(true);

    auto* lengthGrid = new QGridLayout;
    lengthGrid->addWidget(named(new QLabel("Race Format:", this), "Label1"), 0, 0);
    lengthGrid->addWidget(cmbRaceFormat_, 0, 1);
    lengthGrid->addWidget(lblLapOrTimeFormat_, 1, 0);
    auto* lengthLists = new QHBoxLayout;
    lengthLists->addWidget(cmbTime_);
    lengthLists->addWidget(cmbLaps_);
    lengthGrid->addLayout(lengthLists, 1, 1);

    auto* sideButtons = new QVBoxLayout;
    sideButtons->addWidget(chkDemo_);
    sideButtons->addWidget(cmdSelectRacers_);
    sideButtons->addWidget(cmdPoints_);
    sideButtons->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(fraRotation_, 1);
    middle->addLayout(sideButtons);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lengthGrid);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    connect(cmbRaceFormat_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!loading_ && index >= 0) formatChanged(index);
    });
    connect(okButton, &QPushButton::clicked, this, &FrmQelRaceFormat::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdPoints_, &QPushButton::clicked, this, &FrmQelRaceFormat::openPointSystem);
    connect(cmdSelectRacers_, &QPushButton::clicked, this, &FrmQelRaceFormat::selectRacers);
}

void FrmQelRaceFormat::load() {
    loading_ = true;
    const SequenceLabels labels = SetSequenceLabels(laneCount_);
    lblSequence_[0]->setText(toQt(labels.straight));
    lblSequence_[1]->setText(toQt(labels.european));
    // The set-up in force, read from its file at start-up and by every OK.
    draft_ = settings_;
    cmbLaps_->setCurrentIndex(clampedLapsIndex(draft_.lapsListIndex));
    cmbTime_->setCurrentIndex(clampedMinutesIndex(draft_.timeListIndex));
    // A format number no list holds (a damaged file) is shown as Practice.
    const int format =
        draft_.raceFormat >= 0 && draft_.raceFormat < kRaceFormatCount ? draft_.raceFormat : 0;
    cmbRaceFormat_->setCurrentIndex(format);
    formatChanged(format);
    if (draft_.raceLimitKind == kMinutesCaption || draft_.raceLimitKind == kLapsCaption)
        lblLapOrTimeFormat_->setText(toQt(draft_.raceLimitKind));
    chkDemo_->setChecked(draft_.demoMode != 0);
    txtSequence_->setText(toQt(draft_.sequenceText[2]));
    optSeq_[std::clamp<int>(draft_.sequenceOption, 0, 2)]->setChecked(true);
    sequenceOptionChanged();
    loading_ = false;
}

void FrmQelRaceFormat::formatChanged(int raceFormat) {
    const RaceFormatControls shown = chooseRaceFormat(raceFormat, chosenSequenceOption(), draft_);

    if (shown.shownList) {
        cmbTime_->setVisible(*shown.shownList == RaceLength::Minutes);
        cmbLaps_->setVisible(*shown.shownList == RaceLength::Laps);
    }
    lblLapOrTimeFormat_->setEnabled(shown.lengthEnabled);
    cmbTime_->setEnabled(shown.lengthEnabled);
    cmbLaps_->setEnabled(shown.lengthEnabled);
    if (shown.lengthCaption) lblLapOrTimeFormat_->setText(toQt(*shown.lengthCaption));

    // The sequence choices live in the frame, so they follow its state.
    fraRotation_->setEnabled(shown.rotationEnabled);
    txtSequence_->setEnabled(shown.customTextEnabled);
    cmdPoints_->setEnabled(shown.pointSystemEnabled);
}

void FrmQelRaceFormat::sequenceOptionChanged() {
    txtSequence_->setEnabled(optSeq_[2]->isChecked());
}

int FrmQelRaceFormat::chosenSequenceOption() const {
    for (int i = 0; i < 3; ++i) {
        if (optSeq_[i]->isChecked()) return i;
    }
    return 0;
}

bool FrmQelRaceFormat::customChosenAndEnabled() const {
    return optSeq_[2]->isChecked() && optSeq_[2]->isEnabled();
}

void FrmQelRaceFormat::Sequence() {
    // Only the heat formats run a lane sequence.
    if (!optSeq_[2]->isEnabled()) return;
    const int option = chosenSequenceOption();
    const std::string custom = trimmed(txtSequence_->text());
    tables_.activeSequence = chosenSequence(option, trimmed(lblSequence_[0]->text()),
                                            trimmed(lblSequence_[1]->text()), custom);
    if (option != 2) return;
    for (int lane : lanesOutsideSequence(custom, laneCount_))
        board_.rows[lane].name.text.clear();
}

void FrmQelRaceFormat::ok() {
    okCancelled_ = false;
    // Built aside so a refused OK leaves the set-up in force untouched.
    RaceFormatSettings record = draft_;
    record.raceFormat = static_cast<int16_t>(std::max(0, cmbRaceFormat_->currentIndex()));
    record.raceLimitKind = fromQt(lblLapOrTimeFormat_->text());
    record.timeListIndex = static_cast<int16_t>(clampedMinutesIndex(cmbTime_->currentIndex()));
    record.raceMinutes = minutesAt(record.timeListIndex);
    record.lapsListIndex = static_cast<int16_t>(clampedLapsIndex(cmbLaps_->currentIndex()));
    record.raceLaps = lapsAt(record.lapsListIndex);
    record.sequenceOption = static_cast<int16_t>(chosenSequenceOption());
    record.sequenceText[0] = trimmed(lblSequence_[0]->text());
    record.sequenceText[1] = trimmed(lblSequence_[1]->text());
    record.sequenceText[2] = trimmed(txtSequence_->text());
    record.demoMode = chkDemo_->isChecked() ? 1 : 0;
    record.raceFormatName = fromQt(cmbRaceFormat_->currentText());

    if (customChosenAndEnabled()) {
        if (const auto problem = customSequenceProblem(record.sequenceText[2], laneCount_)) {
            prompter_.inform(std::string(*problem), std::string(kCustomSequenceTitle));
            txtSequence_->setFocus();
            txtSequence_->selectAll();
            okCancelled_ = true;
            return;
        }
    }

    try {
        WriteRaceFormatFile(raceFormatFilePath(folder_), record);
    } catch (const QelError& e) {
        prompter_.inform(e.what(), kErrorTitle, MessageIcon::Critical);
        okCancelled_ = true;
        return;
    }
    const bool wasDemoMode = settings_.demoMode == 1;
    settings_ = record;
    draft_ = record;
    const RaceFormatRule& rule = raceFormatRule(settings_.raceFormat);
    // The rotation formats race one racer per lane.
    if (rule.racerCountIsLaneCount) tables_.racerCount = static_cast<int16_t>(laneCount_);
    board_.lapHeader = "Lap";
    Sequence();

    hooks_.defineRacers();
    hooks_.updateRaceTitle();
    if (rule.heatRotation) {
        Sequence();
        BuildRotation(tables_, tables_.racerCount, tables_.activeSequence);
        hooks_.updateRaceTitle();
    }
    hooks_.raceFormatConfirmed(wasDemoMode);
    accept();
}

void FrmQelRaceFormat::selectRacers() {
    Sequence();
    ok();
    if (okCancelled_) return;
    hooks_.showSelectRacers();
}

void FrmQelRaceFormat::openPointSystem() {
    ok();
    if (okCancelled_) return;
    hooks_.showPointSystem();
}

}  // namespace qel::ui
