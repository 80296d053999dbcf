#pragma once
// Small helpers the track set-up windows share: text between core and Qt,
// named controls, lane colours, and boxes that select their text on entry.
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace qel::ui::setup {

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// "name_index", as control arrays are named.
inline QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + '_' + QString::number(index);
}

// A stored colour is R + 256 G + 65536 B.
inline QColor colourOf(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Paints a control's background (and its text box base) in a lane colour.
void paintBackground(QWidget* widget, int32_t colour);

// Entering the box selects its whole text, so typing replaces it.
void selectAllOnEntry(QLineEdit* edit);

}  // namespace qel::ui::setup
