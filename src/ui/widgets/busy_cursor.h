#pragma once
// The hourglass while a longer command runs, restored on every way out (or
// earlier, when the command hands the race director a message box).
#include <QApplication>

namespace qel::ui {

class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { restore(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void restore() {
        if (active_) QApplication::restoreOverrideCursor();
        active_ = false;
    }

  private:
    bool active_ = true;
};

}  // namespace qel::ui
