#include "ui/widgets/menu_bar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "qt/qt_text.h"

namespace qel::ui {

WindowMenu buildMenuBar(QMainWindow& window, std::initializer_list<MenuSpec> specs) {
    WindowMenu result;
    addMenus(window, result, specs);
    return result;
}

void addMenus(QMainWindow& window, WindowMenu& result, std::initializer_list<MenuSpec> specs) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("menuBar");
    for (const auto& spec : specs) {
        QMenu* menu = bar->addMenu(toQt(spec.caption));
        menu->setObjectName(spec.name);
        menu->menuAction()->setObjectName(spec.name);
        result.menus.insert(spec.name, menu);
        for (const auto& item : spec.items) {
            QAction* action =
                item.caption ? menu->addAction(toQt(item.caption)) : menu->addSeparator();
            action->setObjectName(item.name);
            result.actions.insert(item.name, action);
        }
    }
}

}  // namespace qel::ui
