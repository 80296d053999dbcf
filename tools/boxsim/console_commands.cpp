#include "boxsim/console_commands.h"

namespace qel::boxsim {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool decodeEscapes(std::string_view text, std::string& bytes, std::string& error) {
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (i + 1 >= text.size()) {
            error = "a lone \\ at the end";
            return false;
        }
        const char kind = text[++i];
        switch (kind) {
            case 'r':
                bytes += '\r';
                break;
            case 'n':
                bytes += '\n';
                break;
            case 't':
                bytes += '\t';
                break;
            case '\\':
                bytes += '\\';
                break;
            case 'x': {
                const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
                const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
                if (high < 0 || low < 0) {
                    error = "\\x needs two hex digits";
                    return false;
                }
                bytes += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                error = std::string("unknown escape \\") + kind;
                return false;
        }
    }
    return true;
}

ConsoleCommand parseConsoleLine(std::string_view line) {
    using Kind = ConsoleCommand::Kind;
    // Text to send keeps its inner and trailing spaces; only the line end goes.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto start = line.find_first_not_of(" \t");
    if (start != std::string_view::npos && line.substr(start).starts_with("send ")) {
        ConsoleCommand command{Kind::Send, {}, {}};
        if (!decodeEscapes(line.substr(start + 5), command.bytes, command.error)) {
            command.kind = Kind::Invalid;
            command.bytes.clear();
        }
        return command;
    }
    const std::string_view word = trimmed(line);
    if (word.empty()) return {Kind::Empty, {}, {}};
    if (word == "W") return {Kind::TrackCall, {}, {}};
    if (word == "unplug") return {Kind::Unplug, {}, {}};
    if (word == "plug") return {Kind::Plug, {}, {}};
    if (word == "hangup") return {Kind::Hangup, {}, {}};
    if (word == "reconnect") return {Kind::Reconnect, {}, {}};
    if (word == "quit") return {Kind::Quit, {}, {}};
    if (word == "send") return {Kind::Invalid, {}, "send needs text, e.g. send 12\\r"};
    return {Kind::Invalid,
            {},
            "unknown command \"" + std::string(word) +
                "\" (W, send <text>, unplug, plug, hangup, reconnect, quit)"};
}

}  // namespace qel::boxsim
