#pragma once
// The main window's menu bar. Every item carries its control name as its
// objectName so that the engine's menu states and the tests can find it.
#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace qel::ui {

struct MainMenu {
    QHash<QString, QMenu*> menus;      // mnuFile, mnuRaceFormat, ...
    QHash<QString, QAction*> actions;  // mnuOpen, mnuExit, ...

    QAction* action(const QString& name) const { return actions.value(name); }
    QMenu* menu(const QString& name) const { return menus.value(name); }
};

// Builds the full menu bar of the race board on window.
MainMenu buildMainMenu(QMainWindow& window);

}  // namespace qel::ui
