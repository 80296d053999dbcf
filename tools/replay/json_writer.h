#pragma once
// Just enough JSON for the replay's report: objects, arrays, strings, numbers.
#include <cstdio>
#include <string>
#include <string_view>

namespace qel::replay {

inline std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

// A Single as the program shows it: at most 7 significant digits.
inline std::string jsonSingle(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return buf;
}

}  // namespace qel::replay
