#include "ui/heats/frm_qel_championship_points.h"
#include "qt/qt_text.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/io/errors.h"
#include "ui/setup/setup_controls.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

using setup::indexed;
using setup::named;

namespace {

const QString kTitle = "Championship Point System";

}  // namespace

FrmQelChampionshipPoints::FrmQelChampionshipPoints(const AppFolder& folder, PointSystem& points,
                                                   HeatTables& tables, Prompter& prompter,
                                                   int laneCount, QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      points_(points),
      tables_(tables),
      prompter_(prompter),
      laneCount_(std::clamp(laneCount, 1, kMaxLanes)) {
    setObjectName("frmQelChampionshipPoints");
    setWindowTitle(kTitle);
    setModal(false);

    auto* menuBar = named(new QMenuBar(this), "menuBar");
    auto* fileMenu = named(menuBar->addMenu("&File"), "mnuFile");
    auto* saveExit = named(fileMenu->addAction("&Save && Exit"), "mnuSaveExit");
    connect(saveExit, &QAction::triggered, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(named(new QLabel("Placement  /", this), "Label1"), 0, 0);
    grid->addWidget(named(new QLabel("Points", this), "Label2"), 0, 1);
    QStringList entries;
    for (const std::string& entry : pointListEntries())
        entries << toQt(entry);
    for (int place = 1; place <= kMaxLanes; ++place) {
        lblPlacment_[place] =
            named(new QLabel(toQt(kPlaceCaptions[place]), this), indexed("lblPlacment", place));
        cmbPoints_[place] = named(new QComboBox(this), indexed("cmbPoints", place));
        cmbPoints_[place]->addItems(entries);
        grid->addWidget(lblPlacment_[place], place, 0);
        grid->addWidget(cmbPoints_[place], place, 1);
        // A track with fewer lanes never has those places.
        lblPlacment_[place]->setHidden(place > laneCount_);
        cmbPoints_[place]->setHidden(place > laneCount_);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(grid);
    layout->addStretch(1);

    const int twips = pointSystemDialogHeight(laneCount_);
    setFixedHeight(twipsToPixelsY(*this, twips));
}

void FrmQelChampionshipPoints::load() {
    const std::filesystem::path path = folder_.dataFile(kPointSystemFileName);
    const std::string problem = LoadPointSystem(folder_, points_);
    std::error_code ec;
    // No file yet is the normal first run; a file that cannot be read is worth telling.
    if (!problem.empty() && std::filesystem::exists(path, ec)) {
        prompter_.inform(problem, fromQt(kTitle), MessageIcon::Exclamation);
    }
    tables_.pointsForPlace = points_.pointsForPlace;
    for (int place = 1; place <= kMaxLanes; ++place)
        cmbPoints_[place]->setCurrentIndex(shownListPosition(points_, place));
}

void FrmQelChampionshipPoints::done(int result) {
    store();
    QDialog::done(result);
}

void FrmQelChampionshipPoints::store() {
    LaneTable<int> chosen{};
    for (int place = 1; place <= kMaxLanes; ++place)
        chosen[place] = cmbPoints_[place]->currentIndex();
    try {
        storePointSystem(folder_, chosen, points_);
    } catch (const QelError& e) {
        prompter_.inform(e.what(), fromQt(kTitle), MessageIcon::Exclamation);
    }
    tables_.pointsForPlace = points_.pointsForPlace;
}

}  // namespace qel::ui
