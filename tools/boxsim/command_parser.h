#pragma once
// Splits the byte stream the program sends to the box into commands. The
// program writes some commands as several separate writes ("A", "4", LF), so
// the parser keeps a half-received command across reads.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel::boxsim {

struct BoxCommand {
    enum class Kind {
        Start,           // "S"
        Pause,           // "P"
        Version,         // "V"
        CarriageReturn,  // CR, sent before the start-up "P"
        LaneCount,       // "A" n LF
        SensorType,      // "C" n LF
        DValue,          // "D" n LF
        RelayE,          // "E"
        RelayR,          // "R"
        Unknown,         // a byte that starts no command
        Malformed,       // a valued command without a usable value or its LF
    };
    Kind kind;
    std::optional<long> value;  // valued commands only, when the digits fit
    std::string text;           // how the command reads in the log

    bool operator==(const BoxCommand&) const = default;
};

class CommandParser {
  public:
    // Every command completed by these bytes, in order.
    std::vector<BoxCommand> feed(std::string_view bytes);

  private:
    void feedByte(char byte, std::vector<BoxCommand>& out);
    void finishValued(std::vector<BoxCommand>& out);
    void abandonValued(std::vector<BoxCommand>& out);

    char pendingLetter_ = 0;  // 'A', 'C' or 'D' while its digits arrive
    std::string digits_;
    bool tooLong_ = false;
};

}  // namespace qel::boxsim
