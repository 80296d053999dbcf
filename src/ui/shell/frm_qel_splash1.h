#pragma once
// The start-up window: the logo and the version for a second, then the race
// screen. The owner builds the main window in showMainWindow and disposes of
// the splash later (deleteLater), never inside the callback.
#include <QRect>
#include <QWidget>
#include <functional>

#include "core/shell/splash.h"

class QFrame;
class QLabel;

namespace qel::ui {

class FrmQelSplash1 : public QWidget {
    Q_OBJECT

  public:
    // showMainWindow receives where the race screen goes: the whole screen
    // width, the screen height less a strip for the task bar, top left.
    FrmQelSplash1(TimerService& timers, std::function<void(const QRect&)> showMainWindow,
                  QWidget* parent = nullptr);

    bool ended() const { return splash_.ended(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void endSplash();
    QRect mainWindowRect() const;

    std::function<void(const QRect&)> showMainWindow_;
    Splash splash_;
};

}  // namespace qel::ui
