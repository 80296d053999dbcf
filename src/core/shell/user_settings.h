#pragma once
// The per-user settings store: small texts by section and key, kept apart
// from the track's own files so each race director keeps their own choices.
#include <optional>
#include <string>
#include <string_view>

namespace qel {

class UserSettings {
  public:
    virtual ~UserSettings() = default;
    // nullopt when nothing is stored under the key.
    virtual std::optional<std::string> value(std::string_view section,
                                             std::string_view key) const = 0;
    virtual void setValue(std::string_view section, std::string_view key,
                          std::string_view text) = 0;
};

}  // namespace qel
