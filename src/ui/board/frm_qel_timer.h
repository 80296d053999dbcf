#pragma once
// The race director's main window: the race board with the main menu.
#include <QMainWindow>

#include "ui/board/main_menu.h"

namespace qel::ui {

class FrmQelTimer : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmQelTimer(QWidget* parent = nullptr);

    const MainMenu& mainMenu() const { return menu_; }

private:
    MainMenu menu_;
};

}  // namespace qel::ui
