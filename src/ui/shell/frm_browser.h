#pragma once
// The web page window: the program's own page in an embedded browser, with
// an address box, "Working..." in the caption while a page loads, and the
// browser's status text at the foot.
#include <QDialog>
#include <string>

#include "core/seams/shell.h"
#include "core/seams/timer_service.h"
#include "core/shell/web_page_window.h"

class QComboBox;
class QStatusBar;

namespace qel::ui {

class PageBrowser;

class FrmBrowser : public QDialog {
    Q_OBJECT

  public:
    // startingAddress: a local page or file URL; internet addresses go to
    // the desktop's browser through shell.
    FrmBrowser(TimerService& timers, Shell& shell, std::string startingAddress,
               QWidget* parent = nullptr);

    const std::string& StartingAddress() const { return startingAddress_; }
    const WebPageWindow& model() const { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void render();

    std::string startingAddress_;
    QComboBox* cboAddress_ = nullptr;
    PageBrowser* brwWebBrowser_ = nullptr;
    QStatusBar* statusBar1_ = nullptr;
    WebPageWindow model_;
};

}  // namespace qel::ui
