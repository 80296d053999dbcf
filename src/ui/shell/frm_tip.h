#pragma once
// Tip of the Day: one tip from TIPOFDAY.TXT, another on "&Next Tip", and the
// race director's "&Show Tips at Startup" choice.
#include <QDialog>
#include <functional>

#include "core/shell/tip_window.h"

class QCheckBox;
class QLabel;

namespace qel::ui {

class FrmTip : public QDialog {
    Q_OBJECT

  public:
    FrmTip(const AppFolder& folder, Random& random, UserSettings& settings,
           QWidget* parent = nullptr);

    // Call before showing: false when the tips are turned off, and the
    // window is then not to be shown.
    bool load();

    const TipWindow& model() const { return model_; }

  private:
    void render();

    TipWindow model_;
    QLabel* lblTipText_ = nullptr;
    QCheckBox* chkLoadTipsAtStartup_ = nullptr;
};

}  // namespace qel::ui
