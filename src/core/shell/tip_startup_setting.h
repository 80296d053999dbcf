#pragma once
// "Show Tips at Startup": whether this race director wants the tip of the day.
#include <optional>
#include <string>
#include <string_view>

#include "core/shell/user_settings.h"

namespace qel {

inline constexpr std::string_view kUserOptionsSection = "Options";
inline constexpr std::string_view kShowTipsKey = "Show Tips at Startup";

// The stored text read as a number: 0 is off, any other number on. Nothing
// stored, or a text that is no number (edited by hand), counts as on.
bool showTipsFromText(const std::optional<std::string>& stored);

bool readShowTipsAtStartup(const UserSettings& settings);
// Stores "1" or "0".
void storeShowTipsAtStartup(UserSettings& settings, bool show);

}  // namespace qel
