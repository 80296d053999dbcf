#pragma once
// The print preview: the pages of a printout on screen, one at a time, with
// the page number, buttons to turn the pages, and Print to send the
// printout to paper once it looks right.
#include <QDialog>
#include <functional>

#include "ui/records/print_preview_surface.h"

class QLabel;
class QPushButton;

namespace qel::ui {

struct PrintPreviewHooks {
    // The same printout, for real.
    std::function<void()> print;
};

class FrmPrintPreview : public QDialog {
    Q_OBJECT
  public:
    // The pages are those the surface holds; the window opens on the first.
    FrmPrintPreview(const PrintPreviewSurface& pages, PrintPreviewHooks hooks,
                    QWidget* parent = nullptr);

    int shownPage() const { return page_; }
    void showPage(int index);

  private:
    const PrintPreviewSurface& pages_;
    PrintPreviewHooks hooks_;
    int page_ = 0;
    QLabel* picture_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
};

}  // namespace qel::ui
