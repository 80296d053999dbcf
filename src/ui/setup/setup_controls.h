#pragma once
// Small helpers the set-up windows share: text between core and Qt, named
// controls, lists filled from core, lane colours, and boxes that select their
// text on entry.
#include <QColor>
#include <QComboBox>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "qt/qt_text.h"

class QLineEdit;
class QWidget;

namespace qel::ui::setup {

using qel::colourOf;
using qel::fromQt;
using qel::toQt;

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// "name_index", as control arrays are named.
inline QString indexed(const char* name, int index) {
    return toQt(name) + '_' + QString::number(index);
}

// Fills a list with the entries core gives for it, replacing what it held.
template <typename Entries>
void fillList(QComboBox* list, const Entries& entries) {
    list->clear();
    for (const auto& entry : entries)
        list->addItem(toQt(entry));
}

// Selects a stored list position, or nothing when the list does not hold it
// (a damaged file); false in that case.
inline bool selectListed(QComboBox* list, int position) {
    const bool listed = position >= 0 && position < list->count();
    list->setCurrentIndex(listed ? position : -1);
    return listed;
}

// Paints a control's background (and its text box base) in a lane colour.
void paintBackground(QWidget* widget, int32_t colour);

// Entering the box selects its whole text, so typing replaces it.
void selectAllOnEntry(QLineEdit* edit);

}  // namespace qel::ui::setup
