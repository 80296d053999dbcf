#pragma once
// Core speaks UTF-8 std::string; Qt speaks QString.
#include <QString>
#include <string>
#include <string_view>

namespace qel::platform {

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace qel::platform
