#pragma once
// The help: the topics page of the bundled help and the pages it links to,
// with Contents, Back and Forward as in a help viewer.
#include <QDialog>

#include "core/io/data_folder.h"

class QTextBrowser;

namespace qel::ui {

class FrmQelHelp : public QDialog {
    Q_OBJECT

  public:
    explicit FrmQelHelp(const AppFolder& folder, QWidget* parent = nullptr);

    // Opens the topics page, or says where the help pages should be.
    void showTopics();

  private:
    const AppFolder& folder_;
    QTextBrowser* brwHelp_ = nullptr;
};

}  // namespace qel::ui
