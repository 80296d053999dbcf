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
#include "ui/heats/frm_qel_championship_points.h"
#include "ui/setup/setup_controls.h"

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
                                   PointSystem& points, Prompter& prompter, int laneCount,
                                   RaceFormatHooks hooks, QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      settings_(settings),
      state_(state),
      tables_(tables),
      board_(board),
      points_(points),
      prompter_(prompter),
      laneCount_(std::clamp(laneCount, 1, kMaxLanes)),
      hooks_(std::move(hooks)) {
    setObjectName("frmQelRaceFormat");
    setWindowTitle("  Race Format");
    setModal(true);
    buildControls();
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
    // Racers are placed in a window of their own that this program does not offer yet.
    cmdSelectRacers_->setEnabled(false);
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
}

void FrmQelRaceFormat::load() {
    loading_ = true;
    const SequenceLabels labels = SetSequenceLabels(laneCount_);
    lblSequence_[0]->setText(toQt(labels.straight));
    lblSequence_[1]->setText(toQt(labels.european));
    try {
        loadRaceFormatSettings(folder_, settings_, laneCount_);
    } catch (const QelError& e) {
        loading_ = false;
        prompter_.inform(e.what(), kErrorTitle, MessageIcon::Critical);
        return;
    }
    cmbLaps_->setCurrentIndex(clampedLapsIndex(settings_.lapsListIndex));
    cmbTime_->setCurrentIndex(clampedMinutesIndex(settings_.timeListIndex));
    // A format number no list holds (a damaged file) is shown as Practice.
    const int format = settings_.raceFormat >= 0 && settings_.raceFormat < kRaceFormatCount
                           ? settings_.raceFormat
                           : 0;
    cmbRaceFormat_->setCurrentIndex(format);
    formatChanged(format);
    if (settings_.raceLimitKind == kMinutesCaption || settings_.raceLimitKind == kLapsCaption)
        lblLapOrTimeFormat_->setText(toQt(settings_.raceLimitKind));
    chkDemo_->setChecked(settings_.demoMode != 0);
    txtSequence_->setText(toQt(settings_.sequenceText[2]));
    optSeq_[std::clamp<int>(settings_.sequenceOption, 0, 2)]->setChecked(true);
    sequenceOptionChanged();
    loading_ = false;
}

void FrmQelRaceFormat::formatChanged(int raceFormat) {
    RaceFormatFlags flags{state_.practiceMode, tables_.racerCount};
    const RaceFormatControls shown =
        chooseRaceFormat(raceFormat, laneCount_, chosenSequenceOption(), settings_, flags);
    state_.practiceMode = flags.practiceMode;
    tables_.racerCount = flags.racerCount;

    if (shown.shownList) {
        cmbTime_->setVisible(*shown.shownList == RaceLength::Minutes);
        cmbLaps_->setVisible(*shown.shownList == RaceLength::Laps);
    }
    lblLapOrTimeFormat_->setEnabled(shown.lengthEnabled);
    cmbTime_->setEnabled(shown.lengthEnabled);
    cmbLaps_->setEnabled(shown.lengthEnabled);
    if (shown.lengthCaption) lblLapOrTimeFormat_->setText(toQt(*shown.lengthCaption));

    optionsAllowed_ = shown.options;
    // The sequence choices live in the frame, so they follow its state.
    fraRotation_->setEnabled(shown.rotationEnabled);
    txtSequence_->setEnabled(shown.customTextEnabled);
    raceResultsMenuVisible_ = shown.raceResultsMenuVisible;
    if (hooks_.raceResultsMenuVisible) hooks_.raceResultsMenuVisible(raceResultsMenuVisible_);
    cmdPoints_->setEnabled(shown.pointSystemEnabled);

    board_.lapHeader = "Lap";
    if (hooks_.autoDelay) hooks_.autoDelay(optionsAllowed_);
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
    RaceFormatSettings record = settings_;
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
    settings_ = record;
    Sequence();

    if (hooks_.defineRacers) {
        hooks_.defineRacers();
    } else {
        Placement placement;
        for (int lane = 1; lane <= laneCount_; ++lane)
            placement.laneNames[lane] = state_.laneRacerName[lane];
        DefineRacers(placement, laneCount_, settings_.heatRotation != 0, tables_, state_, board_);
    }
    if (hooks_.updateRaceTitle) hooks_.updateRaceTitle();
    if (settings_.heatRotation != 0) {
        Sequence();
        BuildRotation(tables_, tables_.racerCount, tables_.activeSequence);
        if (hooks_.updateRaceTitle) hooks_.updateRaceTitle();
    }
    accept();
}

void FrmQelRaceFormat::openPointSystem() {
    ok();
    if (okCancelled_) return;
    // Not modal, and it outlives this dialog: it belongs to the window behind.
    auto* dialog = new FrmQelChampionshipPoints(folder_, points_, tables_, prompter_, laneCount_,
                                                parentWidget());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->load();
    dialog->show();
}

}  // namespace qel::ui
