#pragma once
// A window's menu bar built from a table of menus and items. Every menu and
// item carries its control name as its objectName, so the engine's menu
// states and the tests find them by name.
#include <QHash>
#include <QString>
#include <initializer_list>

class QAction;
class QMainWindow;
class QMenu;

namespace qel::ui {

struct MenuItemSpec {
    const char* name;
    const char* caption;  // nullptr: a separator
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::initializer_list<MenuItemSpec> items;
};

struct WindowMenu {
    QHash<QString, QMenu*> menus;      // mnuFile, ...
    QHash<QString, QAction*> actions;  // mnuOpen, mnuExit, ...

    QAction* action(const QString& name) const { return actions.value(name); }
    QMenu* menu(const QString& name) const { return menus.value(name); }
};

WindowMenu buildMenuBar(QMainWindow& window, std::initializer_list<MenuSpec> specs);
// More menus on the window's bar, after those it has.
void addMenus(QMainWindow& window, WindowMenu& menu, std::initializer_list<MenuSpec> specs);

}  // namespace qel::ui
