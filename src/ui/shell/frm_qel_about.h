#pragma once
// About Kestrova Qel Timer: the version, what the program is, and the
// notice; OK, Enter or Esc closes it.
#include <QDialog>

namespace qel::ui {

class FrmQelAbout : public QDialog {
    Q_OBJECT

  public:
    explicit FrmQelAbout(QWidget* parent = nullptr);
};

}  // namespace qel::ui
