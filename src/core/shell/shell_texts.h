#pragma once
// What the splash and the About window say about the program.
#include <string>
#include <string_view>

#include "core/shell/program_version.h"

namespace qel {

inline constexpr std::string_view kProductName = "Slot Car Racing Software";
inline constexpr std::string_view kAboutCaption = "About Kestrova Qel Timer";
inline constexpr std::string_view kAboutDescription = "Slot Car racing software.";
inline constexpr std::string_view kAboutCredits =
    "Lap timing and race management for slot-car tracks of 2 to 8 lanes: practice, lap and "
    "timed races, heats with lane rotation, championship points and time sold by the lane.";
inline constexpr std::string_view kAboutContact =
    "Runs with the timing box on a serial port, or without it in Demo Mode. "
    "Help, Help opens the guide to every window.";
inline constexpr std::string_view kAboutWarning =
    "Warning: this program is provided as is, without any warranty. Check the lap counts "
    "before prizes or points are awarded; the race director's decision is final.";

// "Version 5.1.0"
std::string splashVersionCaption(const ProgramVersion& version = kProgramVersion);
// "Kestrova Qel Timer Version  5.1.0", two blanks before the number.
std::string aboutVersionCaption(const ProgramVersion& version = kProgramVersion);

}  // namespace qel
