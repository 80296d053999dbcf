#pragma once
// The wave files the race director can pick a lap sound from, and how a
// picked name is written into the sound table.
#include <filesystem>
#include <string>
#include <vector>

namespace qel {

// Bare names of the files in folder whose extension is ".wav" in any letter
// case, sorted without regard to case. A missing folder gives an empty list.
std::vector<std::string> listWaveFiles(const std::filesystem::path& folder);

// Proper case: a word's first letter upper case, every other letter lower
// case; words are split by blanks, tabs, line ends and NUL only, so a dot
// starts no word ("add lap.WAV" -> "Add Lap.wav").
std::string properCase(const std::string& text);

}  // namespace qel
