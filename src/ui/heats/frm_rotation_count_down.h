#pragma once
// frmRotationCountDown: the seconds to the next heat in large digits, with
// Pause and Skip for the race director. The count is the between-heat
// delay's; the window only shows it, and closing it by hand does not stop
// it (the next second brings the window back).
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/heats/between_heats.h"

class QLabel;
class QPushButton;

namespace qel::ui {

struct RotationCountDownHooks {
    // The window was closed (by hand or by the count): where it stood, so
    // its next load puts it back there. The window goes with it; whoever
    // made it lets it go.
    std::function<void(QPoint)> closed;
};

class FrmRotationCountDown : public QWidget {
    Q_OBJECT

  public:
    // Form_Load: at the place remembered from the last time it was closed,
    // when one with a top other than 0 was remembered.
    FrmRotationCountDown(BetweenHeats& delay, RotationCountDownHooks hooks,
                         std::optional<QPoint> remembered, QWidget* parent = nullptr);

    // Shows the count and the pause caption as they stand.
    void render();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    BetweenHeats& delay_;
    RotationCountDownHooks hooks_;
    QLabel* lblCountDown_ = nullptr;
    QPushButton* cmdPause_ = nullptr;
    QPushButton* cmdSkip_ = nullptr;
};

}  // namespace qel::ui
