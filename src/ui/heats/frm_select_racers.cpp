#include "ui/heats/frm_select_racers.h"
#include "ui/widgets/busy_cursor.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

using setup::indexed;
using setup::named;
using setup::paintBackground;
using setup::toQt;

namespace {

// The column headings of each sit-out page, as the window has always shown them.
constexpr std::array<std::array<const char*, 4>, kSitOutPages> kSitOutHeadings{{
    {"Sit-Out 1-8", "Sit-Out 9-16", "Sit-Out 17-24", "Sit-Out 25-30"},
    {"Sit-Out 31-38", "Sit-Out 39-46", "Sit-Out 47-54", "Sit-Out 56-60"},
    {"Sit-Out 61-68", "Sit-Out 69-76", "Sit-Out 77-84", "Sit-Out 85-90"},
}};
// Slots per column of a page: 8, 8, 8, 6.
constexpr int kSlotsPerColumn = 8;

const SelectRacersHooks& checked(const SelectRacersHooks& hooks) {
    requireHooks("frmSelectRacers", {{"showRoster", bool(hooks.showRoster)}});
    return hooks;
}

}  // namespace

FrmSelectRacers::FrmSelectRacers(PlacementContext context, PlacementHooks placementHooks,
                                 SelectRacersHooks hooks, QWidget* parent)
    : QDialog(parent), hooks_(checked(hooks)), placement_(context, std::move(placementHooks)) {
    setObjectName("frmSelectRacers");
    buildControls();
    render();
}

void FrmSelectRacers::buildControls() {
    auto* menuBar = named(new QMenuBar(this), "menuBar");
    auto* fileMenu = named(menuBar->addMenu("&File"), "mnuFile");
    fileMenu->menuAction()->setObjectName("mnuFile");
    auto* loadQualifiers = named(fileMenu->addAction("&Load Qualifiers"), "mnuLoadQualifiers");
    named(fileMenu->addSeparator(), "mnuLoadSep");
    auto* exitAction = named(fileMenu->addAction("&Exit"), "mnuExit");

    // The roster.
    auto* fraSelectNames = named(new QGroupBox("Select Racers", this), "fraSelectNames");
    lstRacers_ = named(new QListWidget(fraSelectNames), "lstRacers");
    lstRacers_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* cmdAddRacer = named(new QPushButton("Add Racer To List", fraSelectNames), "cmdAddRacer");
    auto* rosterLayout = new QVBoxLayout(fraSelectNames);
    rosterLayout->addWidget(lstRacers_, 1);
    rosterLayout->addWidget(cmdAddRacer);

    auto* cmdAdd = named(new QPushButton(">", this), "cmdAdd");
    cmdAdd->setToolTip("Add checked racers to Rotation");
    auto* cmdAddAll = named(new QPushButton("> >", this), "cmdAddAll");
    cmdAddAll->setToolTip("Select all racers for rotation ");
    auto* cmdRemove = named(new QPushButton("<", this), "cmdRemove");
    cmdRemove->setToolTip("Remove highlited racer from rotation list");
    auto* cmdRemoveAll = named(new QPushButton("< <", this), "cmdRemoveAll");
    cmdRemoveAll->setToolTip("Remove all racers for rotation ");
    auto* moveButtons = new QVBoxLayout;
    moveButtons->addStretch(1);
    for (QPushButton* button : {cmdAdd, cmdAddAll, cmdRemove, cmdRemoveAll})
        moveButtons->addWidget(button);
    moveButtons->addStretch(1);

    // The racers chosen but not yet placed.
    auto* fraRaces = named(new QGroupBox("Selected Racers", this), "fraRaces");
    lstRace_ = named(new QListWidget(fraRaces), "lstRace");
    lstRace_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* cmdRandom = named(new QPushButton("Place Random", fraRaces), "cmdRandom");
    auto* raceLayout = new QVBoxLayout(fraRaces);
    raceLayout->addWidget(lstRace_, 1);
    raceLayout->addWidget(cmdRandom);

    // The lanes.
    auto* fraLaneRacers = named(new QGroupBox("Racers in lanes", this), "fraLaneRacers");
    auto* laneGrid = new QGridLayout(fraLaneRacers);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        lblColor_[lane] = named(new QLabel(fraLaneRacers), indexed("lblColor", lane));
        lblColor_[lane]->setToolTip("Go to Settings to change color");
        lblColor_[lane]->setMinimumWidth(24);
        lblName_[lane] = named(new QLabel(fraLaneRacers), indexed("lblName", lane));
        lblName_[lane]->setFrameShape(QFrame::Panel);
        lblName_[lane]->setMinimumWidth(140);
        cmdOk_[lane] = named(new QPushButton(">", fraLaneRacers), indexed("cmdOk", lane));
        laneGrid->addWidget(lblColor_[lane], lane, 0);
        laneGrid->addWidget(lblName_[lane], lane, 1);
        laneGrid->addWidget(cmdOk_[lane], lane, 2);
        connect(cmdOk_[lane], &QPushButton::clicked, this,
                [this, lane] { act([this, lane] { placement_.cmdOk_Click(lane); }); });
    }

    auto* top = new QHBoxLayout;
    top->addWidget(fraSelectNames, 1);
    top->addLayout(moveButtons);
    top->addWidget(fraRaces, 1);
    top->addWidget(fraLaneRacers, 1);

    // The sit-out pages, one shown at a time.
    auto* pages = new QVBoxLayout;
    for (int page = 1; page <= kSitOutPages; ++page)
        pages->addWidget(buildSitOutPage(page));

    cmdClear_ = named(new QPushButton(this), "cmdClear");
    cmdPrevious_ = named(new QPushButton("Clear all Sit-Out", this), "cmdPrevious");
    cmdNext_ = named(new QPushButton("Next Sit-outs", this), "cmdNext");
    auto* commandOk = named(new QPushButton("&OK", this), "CommandOK");
    auto* cmdCancel = named(new QPushButton("&Cancel", this), "cmdCancel");
    commandOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear_);
    buttons->addWidget(cmdPrevious_);
    buttons->addWidget(cmdNext_);
    buttons->addStretch(1);
    buttons->addWidget(commandOk);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top, 1);
    layout->addLayout(pages);
    layout->addLayout(buttons);

    connect(loadQualifiers, &QAction::triggered, this,
            [this] { act([this] { placement_.loadQualifiers(); }); });
    connect(exitAction, &QAction::triggered, this, &FrmSelectRacers::ok);
    connect(cmdAddRacer, &QPushButton::clicked, this, [this] {
        hooks_.showRoster();
        act([this] { placement_.refreshRoster(); });
    });
    connect(cmdAdd, &QPushButton::clicked, this, [this] {
        const auto rows = rosterSelection();
        act([this, rows] { placement_.add(rows); });
    });
    connect(cmdAddAll, &QPushButton::clicked, this,
            [this] { act([this] { placement_.addAll(); }); });
    connect(cmdRemove, &QPushButton::clicked, this,
            [this] { act([this] { placement_.remove(); }); });
    connect(cmdRemoveAll, &QPushButton::clicked, this,
            [this] { act([this] { placement_.removeAll(); }); });
    connect(cmdRandom, &QPushButton::clicked, this, [this] {
        BusyCursor busy;
        act([this] { placement_.placeRandom(); });
    });
    connect(cmdClear_, &QPushButton::clicked, this,
            [this] { act([this] { placement_.clear(); }); });
    connect(cmdNext_, &QPushButton::clicked, this,
            [this] { act([this] { placement_.cmdNext_Click(); }); });
    connect(cmdPrevious_, &QPushButton::clicked, this,
            [this] { act([this] { placement_.cmdPrevious_Click(); }); });
    connect(commandOk, &QPushButton::clicked, this, &FrmSelectRacers::ok);
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        placement_.cmdCancel_Click();
        reject();
    });
    connect(lstRace_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_) placement_.selectRace(row);
    });
}

QWidget* FrmSelectRacers::buildSitOutPage(int page) {
    auto* frame = named(new QGroupBox(this), indexed("fraSitout", page - 1));
    fraSitout_[static_cast<std::size_t>(page - 1)] = frame;
    auto* grid = new QGridLayout(frame);
    const int first = (page - 1) * kSitOutsPerPage + 1;
    for (int column = 0; column < 4; ++column) {
        const int heading = (page - 1) * 4 + column;
        auto* label = named(new QLabel(kSitOutHeadings[page - 1][column], frame),
                            indexed("lblRacersSitOut", heading));
        grid->addWidget(label, 0, column * 2, 1, 2);
    }
    for (int offset = 0; offset < kSitOutsPerPage; ++offset) {
        const int slot = first + offset;
        const int column = offset / kSlotsPerColumn;
        const int row = offset % kSlotsPerColumn + 1;
        lblNameSitOut_[slot] = named(new QLabel(frame), indexed("lblNameSitOut", slot));
        lblNameSitOut_[slot]->setFrameShape(QFrame::Panel);
        lblNameSitOut_[slot]->setMinimumWidth(110);
        cmdSitOut_[slot] = named(new QPushButton(frame), indexed("cmdSitOut", slot));
        grid->addWidget(lblNameSitOut_[slot], row, column * 2);
        grid->addWidget(cmdSitOut_[slot], row, column * 2 + 1);
        connect(cmdSitOut_[slot], &QPushButton::clicked, this,
                [this, slot] { act([this, slot] { placement_.cmdSitOut_Click(slot); }); });
    }
    return frame;
}

void FrmSelectRacers::act(const std::function<void()>& operation) {
    operation();
    render();
}

void FrmSelectRacers::ok() {
    bool accepted = false;
    {
        BusyCursor busy;
        accepted = placement_.CommandOK_Click();
    }
    render();
    if (accepted) accept();
}

std::vector<std::size_t> FrmSelectRacers::rosterSelection() const {
    std::vector<std::size_t> rows;
    for (int row = 0; row < lstRacers_->count(); ++row) {
        if (lstRacers_->item(row)->isSelected()) rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
}

void FrmSelectRacers::render() {
    rendering_ = true;
    const RacerPlacement& p = placement_;
    setWindowTitle(toQt(p.caption()));

    lstRacers_->clear();
    for (const std::string& name : p.lstRacers())
        lstRacers_->addItem(toQt(name));
    {
        const QSignalBlocker block(lstRace_);
        lstRace_->clear();
        for (const std::string& name : p.lstRace())
            lstRace_->addItem(toQt(name));
        lstRace_->setCurrentRow(p.raceSelection());
    }

    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const LaneSlot& slot = p.lane(lane);
        lblColor_[lane]->setVisible(slot.visible);
        lblName_[lane]->setVisible(slot.visible);
        cmdOk_[lane]->setVisible(slot.visible);
        paintBackground(lblColor_[lane], p.laneColor(lane));
        lblName_[lane]->setText(toQt(slot.name));
        cmdOk_[lane]->setText(toQt(slot.button.caption));
        cmdOk_[lane]->setEnabled(slot.button.enabled);
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        const SitOutSlot& s = p.sitOut(slot);
        lblNameSitOut_[slot]->setText(toQt(s.name));
        paintBackground(lblNameSitOut_[slot], s.labelColor);
        cmdSitOut_[slot]->setText(toQt(s.button.caption));
        cmdSitOut_[slot]->setEnabled(s.button.enabled);
    }
    for (int page = 1; page <= kSitOutPages; ++page)
        fraSitout_[static_cast<std::size_t>(page - 1)]->setVisible(page == p.page());

    cmdClear_->setText(toQt(p.cmdClearCaption()));
    cmdNext_->setText(toQt(p.cmdNext().caption));
    cmdNext_->setEnabled(p.cmdNext().enabled);
    cmdPrevious_->setText(toQt(p.cmdPrevious().caption));
    cmdPrevious_->setEnabled(p.cmdPrevious().enabled);
    rendering_ = false;
}

}  // namespace qel::ui
