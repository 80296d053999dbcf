#pragma once
// The per-user settings store of the desktop: organisation and application
// "qeltimer", in the format QSettings is set to use by default.
#include "core/shell/user_settings.h"

namespace qel::platform {

class QtUserSettings : public UserSettings {
  public:
    std::optional<std::string> value(std::string_view section, std::string_view key) const override;
    void setValue(std::string_view section, std::string_view key, std::string_view text) override;
};

}  // namespace qel::platform
