#pragma once
// The web window's browser: shows the program's own local pages, hands
// addresses on the internet to the desktop's browser, and reports its busy
// state, the page title and a status text as a web browser does.
#include <QTextBrowser>
#include <QUrl>

#include "core/seams/shell.h"
#include "core/shell/web_page_window.h"

namespace qel::ui {

class PageBrowser : public QTextBrowser, public PageView {
    Q_OBJECT

  public:
    explicit PageBrowser(Shell& shell, QWidget* parent = nullptr);

    // The page loads on the next turn of the event loop; until then busy().
    void navigate(const std::string& address) override;
    bool busy() const override { return busy_; }
    std::string title() const override;

  signals:
    void statusTextChanged(const QString& text);
    void navigateComplete();
    // A link in the page was clicked; the window decides where to go.
    void linkRequested(const QString& address);

  private:
    Shell& shell_;
    bool busy_ = false;
    int pending_ = 0;
};

}  // namespace qel::ui
