#pragma once
// The command line of qelbox-sim.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "boxsim/box_model.h"

namespace qel::boxsim {

struct Options {
    std::string device;  // empty: a fresh pseudo-terminal
    std::string link;    // symlink to the pseudo-terminal's slave
    std::string logFile;
    std::string recordFile;
    std::string lapsLogFile;
    std::optional<std::uint64_t> seed;  // none: a fresh seed per run
    BoxSettings box;
};

struct ParsedOptions {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    Options options;
    std::string error;
};

// args excludes the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);
std::string usageText();

}  // namespace qel::boxsim
