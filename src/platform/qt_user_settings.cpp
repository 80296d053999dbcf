#include "platform/qt_user_settings.h"

#include <QSettings>
#include <QString>

#include "qt/qt_text.h"

namespace qel::platform {

namespace {

QString keyOf(std::string_view section, std::string_view key) {
    return toQt(section) + "/" + toQt(key);
}

constexpr auto kOwner = "qeltimer";

}  // namespace

std::optional<std::string> QtUserSettings::value(std::string_view section,
                                                 std::string_view key) const {
    const QSettings store(QSettings::defaultFormat(), QSettings::UserScope, kOwner, kOwner);
    const QVariant stored = store.value(keyOf(section, key));
    if (!stored.isValid()) return std::nullopt;
    return fromQt(stored.toString());
}

void QtUserSettings::setValue(std::string_view section, std::string_view key,
                              std::string_view text) {
    QSettings store(QSettings::defaultFormat(), QSettings::UserScope, kOwner, kOwner);
    store.setValue(keyOf(section, key), toQt(text));
}

}  // namespace qel::platform
