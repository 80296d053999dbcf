#include "core/timesell/time_increments.h"

#include <charconv>

namespace qel {

int incrementMinutes(std::string_view entry) {
    const std::size_t m = entry.find('m');
    std::string_view number = entry.substr(0, m == std::string_view::npos ? entry.size() : m);
    if (!number.empty()) number.remove_suffix(1);
    int minutes = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), minutes);
    if (error != std::errc() || end != number.data() + number.size()) return 0;
    return minutes;
}

int listedIncrementIndex(int index) {
    return index >= 0 && index < static_cast<int>(kTimeIncrementEntries.size()) ? index : 0;
}

}  // namespace qel
