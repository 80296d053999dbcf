#include "core/setup/port_map.h"

#include <string_view>

#include "core/io/errors.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The path a line names: the text between its first pair of quotes, or the
// whole line when someone typed the path without quotes.
std::string_view pathOfLine(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '"') return line;
    line.remove_prefix(1);
    const auto close = line.find('"');
    return trimmed(close == std::string_view::npos ? line : line.substr(0, close));
}

bool usablePath(std::string_view path) {
    if (path.empty() || path.size() > PortMap::kMaxPathLength) return false;
    for (const char c : path) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    }
    return true;
}

}  // namespace

PortMap::PortMap() {
    for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n)
        paths_[n] = defaultDevicePath(n);
}

std::string PortMap::defaultDevicePath(int portNumber) {
    switch (portNumber) {
        case 1:
            return "/dev/ttyUSB0";
        case 2:
            return "/dev/ttyUSB1";
        case 3:
            return "/dev/ttyACM0";
        case 4:
            return "/dev/ttyS0";
        default:
            break;
    }
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber) return "";
    return "/dev/ttyUSB" + std::to_string(portNumber - 3);
}

PortMap PortMap::parse(const std::string& text) {
    PortMap map;
    std::string_view rest = text;
    for (int n = kFirstPortNumber; n <= kLastPortNumber && !rest.empty(); ++n) {
        const auto end = rest.find('\n');
        const auto line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const auto path = pathOfLine(line);
        if (usablePath(path)) map.paths_[n] = std::string(path);
    }
    return map;
}

PortMap PortMap::load(const AppFolder& folder) {
    try {
        return parse(readTextFile(folder.dataFile(kFileName), kMaxFileBytes));
    } catch (const QelError&) {
        // No ports file is the usual case; the defaults name the usual devices.
        return PortMap{};
    }
}

const std::string& PortMap::devicePath(int portNumber) const {
    static const std::string none;
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber) return none;
    return paths_[portNumber];
}

}  // namespace qel
