#pragma once
// Whether the live board is on the club's network, and on which port: the
// Options dialog's Live Board page, kept in QelDat/LiveBoard.dat. A new
// installation has it off: nothing listens on the network until the race
// director switches it on.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/io/data_folder.h"

namespace qel {

inline constexpr std::string_view kLiveBoardFileName = "LiveBoard.dat";
inline constexpr int32_t kDefaultLiveBoardPort = 8080;
inline constexpr int32_t kFirstLiveBoardPort = 1;
inline constexpr int32_t kLastLiveBoardPort = 65535;

struct LiveBoardSettings {
    bool enabled = false;
    int32_t port = kDefaultLiveBoardPort;

    bool operator==(const LiveBoardSettings&) const = default;
};

// One line: the switch, then the port: "#TRUE#,8080".
std::string liveBoardFileText(const LiveBoardSettings& settings);
// A short or damaged file, or a port outside 1..65535, throws QelError naming
// the file and leaves settings as they were.
void parseLiveBoardFile(const std::string& text, const std::string& source,
                        LiveBoardSettings& settings);
// False, and settings untouched, when the file is missing: the board stays off.
bool readLiveBoardFile(const AppFolder& folder, LiveBoardSettings& settings);
void writeLiveBoardFile(const AppFolder& folder, const LiveBoardSettings& settings);

}  // namespace qel
