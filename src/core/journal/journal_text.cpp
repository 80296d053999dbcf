#include "core/journal/journal_text.h"

#include "core/io/format.h"

namespace qel {

std::string journalAboutText(const std::string& location, std::optional<std::uintmax_t> bytes) {
    std::string size;
    if (!bytes) {
        size = "no race kept yet";
    } else if (*bytes < 1024 * 1024) {
        size = formatNumber(static_cast<double>(*bytes) / 1024.0, "0") + " kB";
    } else {
        size = formatNumber(static_cast<double>(*bytes) / (1024.0 * 1024.0), "0.0") + " MB";
    }
    return "Race journal: " + location + " (" + size + ")";
}

}  // namespace qel
