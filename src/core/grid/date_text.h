#pragma once
// Whether a cell's text reads as a date or a time of day, which general
// alignment puts to the right like a figure: "3/5/2026", "2026-03-05",
// "20:15", "8:15:30 PM", "3/5/2026 20:15".
#include <string_view>

namespace qel {

bool isDateText(std::string_view text);

}  // namespace qel
