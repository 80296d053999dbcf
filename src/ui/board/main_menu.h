#pragma once
// The main window's menu bar, by control name.
#include "ui/widgets/menu_bar.h"

namespace qel::ui {

using MainMenu = WindowMenu;

// Builds the full menu bar of the race board on window.
MainMenu buildMainMenu(QMainWindow& window);

}  // namespace qel::ui
