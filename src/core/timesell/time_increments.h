#pragma once
// The steps by which the race director adds or takes away sold time.
#include <array>
#include <string_view>

namespace qel {

// The increment list ("By:"), in its order.
inline constexpr std::array<std::string_view, 6> kTimeIncrementEntries = {
    "1 minute", "5 minutes", "10 minutes", "15 minutes", "30 minutes", "60 minutes"};

// The number an entry starts with: the text before its first "m", less the
// blank in front of it. An entry without a number counts as 0 minutes.
int incrementMinutes(std::string_view entry);

// A list position the list holds; any other (a damaged RaceLag.dat) is the first entry.
int listedIncrementIndex(int index);

}  // namespace qel
