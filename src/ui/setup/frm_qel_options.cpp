#include "ui/setup/frm_qel_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <exception>

#include "core/shell/tip_startup_setting.h"
#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

using setup::fillList;
using setup::indexed;
using setup::named;
using setup::selectListed;

namespace {

const QString kStartDelayTip = "Delay in seconds before \"Formula1 Starts\"";
const QString kDelayListTip = "Select time in seconds";

std::optional<int> selectionOf(const QComboBox* list) {
    if (list->currentIndex() < 0) return std::nullopt;
    return list->currentIndex();
}

}  // namespace

FrmQelOptions::FrmQelOptions(const AppFolder& folder, OptionsSettings& options,
                             AutoSaveSettings& autoSave, RaceFormatSettings& raceSettings,
                             const InstallationSettings& installation, LiveBoardSettings& liveBoard,
                             UserSettings& userSettings, Prompter& prompter, OptionsHooks hooks,
                             QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      options_(options),
      autoSave_(autoSave),
      raceSettings_(raceSettings),
      installation_(installation),
      liveBoard_(liveBoard),
      userSettings_(userSettings),
      prompter_(prompter),
      hooks_(std::move(hooks)) {
    requireHooks("frmQelOptions", {{"updateRaceTitle", bool(hooks_.updateRaceTitle)},
                                   {"showHelp", bool(hooks_.showHelp)},
                                   {"applyLiveBoard", bool(hooks_.applyLiveBoard)}});
    setObjectName("frmQelOptions");
    setWindowTitle("Options");
    setModal(true);
    buildControls();
    load();
}

void FrmQelOptions::buildControls() {
    tabStrip_ = named(new QTabBar(this), "TabStrip1");
    for (const char* caption :
         {"Start Method", "Track Power", "Save", "Automate", "Settings", "Live Board"})
        tabStrip_->addTab(caption);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabStrip_);
    layout->addWidget(buildStartMethodPage());
    layout->addWidget(buildTrackPowerPage());
    layout->addWidget(buildSavePage());
    layout->addWidget(buildAutomatePage());
    layout->addWidget(buildSettingsPage());
    layout->addWidget(buildLiveBoardPage());
    layout->addStretch(1);

    // The doubled quotation marks are what the race director has always seen.
    chkShowTips_ =
        named(new QCheckBox("Show \"\"Tip of the Day\"\" at Start-Up", this), "chkShowTips");
    layout->addWidget(chkShowTips_);

    auto* okButton = named(new QPushButton("&OK", this), "cmdOk");
    auto* cancelButton = named(new QPushButton("&Cancel", this), "cmdCancel");
    auto* helpButton = named(new QPushButton("&Help", this), "cmdHelp");
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);
    layout->addLayout(buttons);

    for (int page = 2; page <= 6; ++page)
        pages_[page]->hide();

    connect(tabStrip_, &QTabBar::currentChanged, this, [this](int tab) { showPage(tab + 1); });
    connect(chkAutoDelay_, &QCheckBox::toggled, this, [this] { AutoDelay(); });
    connect(chkShowTips_, &QCheckBox::clicked, this,
            [this](bool checked) { storeShowTipsAtStartup(userSettings_, checked); });
    connect(okButton, &QPushButton::clicked, this, &FrmQelOptions::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { hooks_.showHelp(); });
}

QFrame* FrmQelOptions::newPage(int index) {
    pages_[index] = named(new QFrame(this), indexed("Frame1", index));
    return pages_[index];
}

QFrame* FrmQelOptions::buildStartMethodPage() {
    QFrame* page = newPage(1);
    auto* grid = new QGridLayout(page);
    const char* captions[] = {"Instant", "Drag Racing", "Formula 1"};
    for (int i = 0; i < 3; ++i) {
        optStartMethod_[i] =
            named(new QRadioButton(captions[i], page), indexed("optStartMethod", i));
        grid->addWidget(optStartMethod_[i], i, 0);
    }
    auto* label = named(new QLabel("Start Delay, Seconds:", page), "lblStartDelay");
    label->setToolTip(kStartDelayTip);
    cmbDelay_ = named(new QComboBox(page), "cmbDelay");
    cmbDelay_->setToolTip(kStartDelayTip);
    grid->addWidget(label, 3, 0);
    grid->addWidget(cmbDelay_, 3, 1);
    return page;
}

QFrame* FrmQelOptions::buildTrackPowerPage() {
    QFrame* page = newPage(2);
    auto* column = new QVBoxLayout(page);
    optWithGreen_ = named(new QRadioButton("With Green Light", page), "optWithGreen");
    optBeforeGreen_ = named(new QRadioButton("Before Green Light", page), "optBeforeGreen");
    column->addWidget(optWithGreen_);
    column->addWidget(optBeforeGreen_);
    return page;
}

QFrame* FrmQelOptions::buildSavePage() {
    QFrame* page = newPage(3);
    auto* column = new QVBoxLayout(page);
    const char* captions[] = {"Auto Save to Exel .xls", "Auto Save to .txt File",
                              "Auto Save to HTML"};
    for (int i = 0; i < 3; ++i) {
        chkAutoSave_[i] = named(new QCheckBox(captions[i], page), indexed("chkAutoSave", i));
        column->addWidget(chkAutoSave_[i]);
    }
    return page;
}

QFrame* FrmQelOptions::buildAutomatePage() {
    QFrame* page = newPage(4);
    auto* grid = new QGridLayout(page);
    chkAutoDelay_ = named(new QCheckBox("Auto-Delay between Heats", page), "chkAutoDelay");
    chkAutoPrint_ = named(new QCheckBox("Auto-Print after each Heat", page), "chkAutoPrint");
    chkAutoDisplayResults_ =
        named(new QCheckBox("Auto-Display Results", page), "chkAutoDisplayResults");
    lblDelayView_ = named(new QLabel("Delay View, sec.", page), "lblDelayView");
    cmbDelayView_ = named(new QComboBox(page), "cmbDelayView");
    lblDelayRotate_ = named(new QLabel("Delay Rotate, sec.", page), "lblDelayRotate");
    cmbDelayRotate_ = named(new QComboBox(page), "cmbDelayRotate");
    for (QWidget* control : delayListControls())
        control->setToolTip(kDelayListTip);
    grid->addWidget(chkAutoDelay_, 0, 0, 1, 2);
    grid->addWidget(chkAutoPrint_, 1, 0, 1, 2);
    grid->addWidget(chkAutoDisplayResults_, 2, 0, 1, 2);
    grid->addWidget(lblDelayView_, 3, 0);
    grid->addWidget(cmbDelayView_, 3, 1);
    grid->addWidget(lblDelayRotate_, 4, 0);
    grid->addWidget(cmbDelayRotate_, 4, 1);
    return page;
}

QFrame* FrmQelOptions::buildSettingsPage() {
    QFrame* page = newPage(5);
    auto* grid = new QGridLayout(page);
    auto* lblMinLapTime = named(new QLabel("Minimum Lap Time, Seconds:", page), "lblMinLapTime");
    cmbMinLapTime_ = named(new QComboBox(page), "cmbMinLapTime");
    lblMinLapTime->setToolTip("Lap will not count if under this time");
    cmbMinLapTime_->setToolTip("Lap will not count if under this time");
    auto* lblFirstLap = named(new QLabel("Race Begins With Lap:", page), "lblFirstLap");
    cmbFirstLap_ = named(new QComboBox(page), "cmbFirstLap");
    lblFirstLap->setToolTip("Car before sensor,select 0. Car after sensor select 1.");
    cmbFirstLap_->setToolTip("Car before sensor,select 0. Car after sensor select 1.");
    auto* lblCoastTime = named(new QLabel("Coast Time, Seconds:", page), "lblCoastTime");
    cmbCoastTime_ = named(new QComboBox(page), "cmbCoastTime");
    cmbCoastTime_->setToolTip("Lap will count if car crosses finish line within Coast Time");
    grid->addWidget(lblMinLapTime, 0, 0);
    grid->addWidget(cmbMinLapTime_, 0, 1);
    grid->addWidget(lblFirstLap, 1, 0);
    grid->addWidget(cmbFirstLap_, 1, 1);
    grid->addWidget(lblCoastTime, 2, 0);
    grid->addWidget(cmbCoastTime_, 2, 1);
    return page;
}

QFrame* FrmQelOptions::buildLiveBoardPage() {
    QFrame* page = newPage(6);
    auto* grid = new QGridLayout(page);
    chkLiveBoard_ =
        named(new QCheckBox("Show the live board on the club's network", page), "chkLiveBoard");
    lblLiveBoardPort_ = named(new QLabel("Port:", page), "lblLiveBoardPort");
    txtLiveBoardPort_ = named(new QSpinBox(page), "txtLiveBoardPort");
    txtLiveBoardPort_->setRange(kFirstLiveBoardPort, kLastLiveBoardPort);
    const QString portTip = "Spectators open http://<this PC>:<port>/ in a browser";
    lblLiveBoardPort_->setToolTip(portTip);
    txtLiveBoardPort_->setToolTip(portTip);
    auto* about = named(new QLabel("Phones, a TV by the track and video-stream overlays show the "
                                   "race board read-only. The status line shows the address.",
                                   page),
                        "lblLiveBoardAbout");
    about->setWordWrap(true);
    grid->addWidget(chkLiveBoard_, 0, 0, 1, 2);
    grid->addWidget(lblLiveBoardPort_, 1, 0);
    grid->addWidget(txtLiveBoardPort_, 1, 1);
    grid->addWidget(about, 2, 0, 1, 2);
    connect(chkLiveBoard_, &QCheckBox::toggled, this, [this] { showLiveBoardPort(); });
    return page;
}

void FrmQelOptions::showLiveBoardPort() {
    // The port is only asked for while the board is to be shown.
    const bool shown = chkLiveBoard_->isChecked();
    txtLiveBoardPort_->setEnabled(shown);
    lblLiveBoardPort_->setEnabled(shown);
}

void FrmQelOptions::showPage(int page) {
    if (page == shownPage_ || page < 1 || page > 6) return;
    pages_[page]->show();
    pages_[shownPage_]->hide();
    shownPage_ = page;
}

void FrmQelOptions::report(const std::vector<std::string>& messages) {
    for (const std::string& message : messages)
        prompter_.inform(message, "Options");
}

std::array<QWidget*, 4> FrmQelOptions::delayListControls() const {
    return {lblDelayView_, cmbDelayView_, lblDelayRotate_, cmbDelayRotate_};
}

void FrmQelOptions::selectStored(QComboBox* list, int position, const char* listName) {
    if (!selectListed(list, position)) {
        prompter_.inform(std::string("The ") + listName + " saved with the race format (entry " +
                             std::to_string(position + 1) +
                             ") is not in its list: choose one in Options.",
                         "Options");
    }
}

void FrmQelOptions::load() {
    fillList(cmbDelayView_, automateDelayEntries());
    fillList(cmbDelayRotate_, automateDelayEntries());

    const bool powerSwitchable = trackPowerPageEnabled(installation_.relayIndex);
    pages_[2]->setEnabled(powerSwitchable);
    optWithGreen_->setEnabled(powerSwitchable);
    optBeforeGreen_->setEnabled(powerSwitchable);

    fillList(cmbMinLapTime_, minLapTimeEntries());
    fillList(cmbDelay_, startDelayEntries());
    fillList(cmbCoastTime_, coastTimeEntries());
    fillList(cmbFirstLap_, firstLapEntries());

    try {
        readOptionsFile(folder_, options_);
    } catch (const std::exception& e) {
        prompter_.inform(e.what());
    }

    // applyStoredOptions tells of a position its list does not hold.
    selectListed(cmbMinLapTime_, options_.minLapTimeIndex);
    selectListed(cmbDelay_, options_.startDelayIndex);
    selectListed(cmbFirstLap_, options_.firstLapIndex);
    selectListed(cmbCoastTime_, options_.coastTimeIndex);
    optStartMethod_[static_cast<int>(startMethodOf(options_))]->setChecked(true);
    if (options_.powerWithGreen != 0) optWithGreen_->setChecked(true);
    if (options_.powerBeforeGreen != 0) optBeforeGreen_->setChecked(true);
    report(storedOptionsProblems(options_));

    // The Save page shows the ticks as stored; they are put in force by OK.
    AutoSaveSettings autoSave = autoSave_;
    try {
        readAutoSaveFile(folder_, autoSave);
    } catch (const std::exception& e) {
        prompter_.inform(e.what());
    }
    chkAutoSave_[0]->setChecked(autoSave.spreadsheets);
    chkAutoSave_[1]->setChecked(autoSave.textFiles);
    chkAutoSave_[2]->setChecked(autoSave.webPage);

    // The live board as it is in force; OK puts the page's choice in force.
    chkLiveBoard_->setChecked(liveBoard_.enabled);
    txtLiveBoardPort_->setValue(liveBoard_.port);
    showLiveBoardPort();

    chkShowTips_->setChecked(readShowTipsAtStartup(userSettings_));
    chkAutoDelay_->setChecked(raceSettings_.autoDelay != 0);
    chkAutoDisplayResults_->setChecked(raceSettings_.autoDisplayResults != 0);
    chkAutoPrint_->setChecked(raceSettings_.autoPrint != 0);
    selectStored(cmbDelayView_, raceSettings_.viewDelayListIndex, "Delay View");
    selectStored(cmbDelayRotate_, raceSettings_.rotateDelayListIndex, "Delay Rotate");
    setHeatOptionsAllowed(raceFormatRule(raceSettings_.raceFormat).options);

    tabStrip_->setCurrentIndex(0);
    showPage(1);
}

void FrmQelOptions::setHeatOptionsAllowed(const HeatOptionsAllowed& allowed) {
    chkAutoDelay_->setEnabled(allowed.autoDelay);
    chkAutoPrint_->setEnabled(allowed.autoPrint);
    chkAutoDisplayResults_->setEnabled(allowed.autoDisplayResults);
    AutoDelay();
}

void FrmQelOptions::AutoDelay() {
    const AutoDelayControls controls =
        qel::AutoDelay(chkAutoDelay_->isEnabled(), chkAutoDelay_->isChecked());
    optStartMethod_[0]->setEnabled(controls.instantEnabled);
    for (QWidget* control : delayListControls())
        control->setEnabled(controls.delayListsEnabled);
}

void FrmQelOptions::ok() {
    OptionsSelection selection;
    selection.startDelayIndex = selectionOf(cmbDelay_);
    selection.firstLapIndex = selectionOf(cmbFirstLap_);
    selection.minLapTimeIndex = selectionOf(cmbMinLapTime_);
    selection.coastTimeIndex = selectionOf(cmbCoastTime_);
    selection.startMethod = optStartMethod_[2]->isChecked()   ? StartMethod::Formula1
                            : optStartMethod_[1]->isChecked() ? StartMethod::DragRacing
                                                              : StartMethod::Instant;
    selection.powerBeforeGreen = optBeforeGreen_->isChecked();
    selection.showTipsAtStart = chkShowTips_->isChecked();
    report(takeOptions(selection, options_));

    AutomateSelection automate;
    automate.autoDelay = chkAutoDelay_->isChecked();
    automate.autoPrint = chkAutoPrint_->isChecked();
    automate.autoPrintEnabled = chkAutoPrint_->isEnabled();
    automate.autoDisplayResults = chkAutoDisplayResults_->isChecked();
    automate.viewDelayIndex = selectionOf(cmbDelayView_);
    automate.rotateDelayIndex = selectionOf(cmbDelayRotate_);
    report(takeAutomate(automate, raceSettings_));

    try {
        writeOptionsFile(folder_, options_);
    } catch (const std::exception& e) {
        prompter_.inform(e.what());
    }
    autoSave_ = {chkAutoSave_[0]->isChecked(), chkAutoSave_[1]->isChecked(),
                 chkAutoSave_[2]->isChecked()};
    try {
        writeAutoSaveFile(folder_, autoSave_);
    } catch (const std::exception& e) {
        prompter_.inform(e.what());
    }
    // The Automate values are kept with the race format: they are saved now,
    // so they are there at the next start of the program too.
    try {
        WriteRaceFormatFile(raceFormatFilePath(folder_), raceSettings_);
    } catch (const std::exception& e) {
        prompter_.inform(e.what());
    }
    takeLiveBoard();
    hooks_.updateRaceTitle();
    accept();
}

void FrmQelOptions::takeLiveBoard() {
    const LiveBoardSettings chosen{chkLiveBoard_->isChecked(),
                                   static_cast<int32_t>(txtLiveBoardPort_->value())};
    if (chosen != liveBoard_) {
        liveBoard_ = chosen;
        try {
            writeLiveBoardFile(folder_, liveBoard_);
        } catch (const std::exception& e) {
            prompter_.inform(e.what());
        }
    }
    // Also unchanged: a port that would not open is tried again.
    hooks_.applyLiveBoard();
}

}  // namespace qel::ui
