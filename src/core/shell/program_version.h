#pragma once
// The release the splash and the About window name.
#include <string>

namespace qel {

struct ProgramVersion {
    int major = 5;
    int minor = 1;
    int revision = 0;
};

inline constexpr ProgramVersion kProgramVersion{};

// "5.1.0": the three numbers joined by points, no blanks.
std::string versionText(const ProgramVersion& version = kProgramVersion);

}  // namespace qel
