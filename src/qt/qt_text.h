#pragma once
// Text and colours between core and Qt, for the windows and the adapters
// alike: core keeps UTF-8 strings and colours as one number,
// red + 256 × green + 65536 × blue.
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace qel {

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

// Bits above blue, which no colour of core sets, are ignored.
inline QColor colourOf(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace qel
