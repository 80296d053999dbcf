#include "core/shell/tip_startup_setting.h"

#include "core/io/number_text.h"

namespace qel {

bool showTipsFromText(const std::optional<std::string>& stored) {
    if (!stored) return true;
    const std::string& text = *stored;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return true;
    const std::size_t last = text.find_last_not_of(" \t");
    const std::optional<double> value =
        parseNumberText(std::string_view(text).substr(first, last - first + 1));
    return !value || *value != 0.0;
}

bool readShowTipsAtStartup(const UserSettings& settings) {
    return showTipsFromText(settings.value(kUserOptionsSection, kShowTipsKey));
}

void storeShowTipsAtStartup(UserSettings& settings, bool show) {
    settings.setValue(kUserOptionsSection, kShowTipsKey, show ? "1" : "0");
}

}  // namespace qel
