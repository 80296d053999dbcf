#pragma once
// The operator's commands on standard input, one per line.
#include <string>
#include <string_view>

namespace qel::boxsim {

struct ConsoleCommand {
    enum class Kind {
        Empty,      // blank line
        TrackCall,  // "W": press the track-call button
        Send,       // "send <text>": arbitrary bytes on the wire
        Unplug,     // the cable is pulled: nothing in, nothing out
        Plug,
        Hangup,     // the device vanishes
        Reconnect,  // after a hang-up: the device is back, on a fresh line
        Quit,
        Invalid,
    };
    Kind kind = Kind::Empty;
    std::string bytes;  // Send: the decoded bytes
    std::string error;  // Invalid: why
};

ConsoleCommand parseConsoleLine(std::string_view line);

// Decodes \r, \n, \t, \\ and \xNN; false with a reason on a bad escape.
bool decodeEscapes(std::string_view text, std::string& bytes, std::string& error);

}  // namespace qel::boxsim
