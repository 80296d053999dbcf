#pragma once
// The championship point system: how many points finishing first to eighth
// in a heat is worth. However the dialog is closed, what it shows becomes the
// points in force and is kept in QelPointSystem.dat.
#include <QDialog>
#include <array>

#include "core/heats/point_system.h"
#include "core/seams/prompter.h"
#include "core/state/heat_tables.h"

class QComboBox;
class QLabel;

namespace qel::ui {

class FrmQelChampionshipPoints : public QDialog {
    Q_OBJECT

  public:
    // tables.pointsForPlace are the points heats are scored with; they follow
    // the point system whenever it is read or stored.
    FrmQelChampionshipPoints(const AppFolder& folder, PointSystem& points, HeatTables& tables,
                             Prompter& prompter, int laneCount, QWidget* parent = nullptr);

    // LoadPointSystem: reads the file and shows it. A missing file leaves the
    // points as they were (all 0 on a first run) and the dialog still opens.
    void load();

    void done(int result) override;

  private:
    void store();

    const AppFolder& folder_;
    PointSystem& points_;
    HeatTables& tables_;
    Prompter& prompter_;
    int laneCount_;
    std::array<QLabel*, kMaxLanes + 1> lblPlacment_{};
    std::array<QComboBox*, kMaxLanes + 1> cmbPoints_{};
};

}  // namespace qel::ui
