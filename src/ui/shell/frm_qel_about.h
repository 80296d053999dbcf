#pragma once
// About Kestrova Qel Timer: the version, what the program is, and the
// notice; OK, Enter or Esc closes it.
#include <QDialog>
#include <string>

namespace qel::ui {

class FrmQelAbout : public QDialog {
    Q_OBJECT

  public:
    // journal: where the race journal is and how big; empty shows no such line.
    explicit FrmQelAbout(QWidget* parent = nullptr, const std::string& journal = {});
};

}  // namespace qel::ui
