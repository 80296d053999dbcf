#pragma once
// The replay's report in the program's own JSON: quoted texts as the live
// board writes them, and numbers as the program shows a Single.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/io/json_writer.h"

namespace qel::replay {

inline std::string jsonString(std::string_view text) {
    return jsonQuoted(text);
}

// A Single as the program shows it: at most 7 significant digits.
inline std::string jsonSingle(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return buf;
}

}  // namespace qel::replay
