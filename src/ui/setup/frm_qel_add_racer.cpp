#include "ui/setup/frm_qel_add_racer.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

using setup::named;
using setup::toQt;

FrmQelAddRacer::FrmQelAddRacer(const AppFolder& folder, Prompter& prompter, AddRacerHooks hooks,
                               QWidget* parent)
    : QDialog(parent), roster_(folder, prompter), hooks_(std::move(hooks)) {
    requireHooks("frmQelAddRacer", {{"loadRacerLists", bool(hooks_.loadRacerLists)}});
    setObjectName("frmQelAddRacer");
    setWindowTitle("  Kestrova - Racers");
    setModal(true);

    auto* picture = named(new QLabel(this), "Picture1");
    picture->setFrameShape(QFrame::Panel);
    picture->setMinimumSize(48, 48);
    lstRacers_ = named(new QListWidget(this), "lstRacers");
    // The roster keeps its own order; the widget must not re-sort it.
    lstRacers_->setSortingEnabled(false);
    lstRacers_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lblQty_ = named(new QLabel(this), "lblQty");

    auto* addButton = named(new QPushButton("&Add", this), "cmdAdd");
    addButton->setToolTip("Add new racer");
    auto* modifyButton = named(new QPushButton("&Modify", this), "cmdModify");
    modifyButton->setToolTip("Select racer from list to modify");
    auto* deleteButton = named(new QPushButton("&Delete", this), "cmdDelete");
    deleteButton->setToolTip("Select racer from list to delete");
    auto* okButton = named(new QPushButton("&OK", this), "cmdOk");
    okButton->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(picture);
    buttons->addWidget(addButton);
    buttons->addWidget(modifyButton);
    buttons->addWidget(deleteButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);

    auto* layout = new QGridLayout(this);
    layout->addWidget(lstRacers_, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->addWidget(lblQty_, 1, 0, 1, 2);

    connect(addButton, &QPushButton::clicked, this, [this] {
        roster_.Add();
        showRoster();
    });
    connect(modifyButton, &QPushButton::clicked, this, [this] {
        const auto selected = selectedPositions();
        roster_.Modify(selected);
        showRoster();
        // The renamed entry stays where it was, and stays picked.
        if (!selected.empty()) {
            const auto first = *std::min_element(selected.begin(), selected.end());
            if (first < static_cast<std::size_t>(lstRacers_->count()))
                lstRacers_->item(static_cast<int>(first))->setSelected(true);
        }
    });
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        roster_.Delete(selectedPositions());
        showRoster();
    });
    connect(okButton, &QPushButton::clicked, this, &FrmQelAddRacer::ok);
    load();
}

void FrmQelAddRacer::load() {
    roster_.Load();
    showRoster();
}

void FrmQelAddRacer::showRoster() {
    lstRacers_->clear();
    for (const std::string& name : roster_.names())
        lstRacers_->addItem(toQt(name));
    lblQty_->setText(toQt(roster_.countText()));
}

std::vector<std::size_t> FrmQelAddRacer::selectedPositions() const {
    std::vector<std::size_t> positions;
    for (int row = 0; row < lstRacers_->count(); ++row) {
        if (lstRacers_->item(row)->isSelected()) positions.push_back(static_cast<std::size_t>(row));
    }
    return positions;
}

void FrmQelAddRacer::ok() {
    hooks_.loadRacerLists();
    if (hooks_.refillPlacementRacers) hooks_.refillPlacementRacers();
    accept();
}

}  // namespace qel::ui
