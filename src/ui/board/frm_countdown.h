#pragma once
// frmQelCountdown: the start delay counted down in large digits before the
// start lights. Shown modally; it closes by itself when the count runs out.
#include <QDialog>
#include <cstdint>

#include "core/engine/start_countdown.h"

class QLabel;
class QPushButton;

namespace qel::ui {

class FrmQelCountdown : public QDialog {
    Q_OBJECT

  public:
    // Loads at once: the Start button is held and the count begins.
    // startDelay is the race's count; optionsDelay the delay set in Options.
    FrmQelCountdown(TimerService& timers, RaceBoard& board, int16_t& startDelay,
                    int16_t optionsDelay, StartCountdownHooks hooks, QWidget* parent = nullptr);

    const StartCountdown& model() const { return model_; }

  public slots:
    // Closing the window by its frame counts as Skip.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    StartCountdownHooks withWindow(StartCountdownHooks hooks);
    void render();

    QLabel* lblCountDown_ = nullptr;
    QPushButton* cmdPauseDelay_ = nullptr;
    QPushButton* cmdSkip_ = nullptr;
    StartCountdown model_;
};

}  // namespace qel::ui
