#pragma once
// The two lists of names the racer placement reads: RoundRobinChamp.dat, the
// racers of the last heat race (so a series can be run again with the same
// field), and a qualifiers file the race director picks, whose every field is
// a name. Both come from outside the program's control (an edited file, a
// file from another track, or something that is not a list of names at all),
// so every reader is bounded and refuses damage whole: a list is either read
// completely or not at all, and nothing is placed half.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/data_folder.h"
#include "core/state/heat_tables.h"

namespace qel {

inline constexpr std::string_view kRoundRobinChampFileName = "RoundRobinChamp.dat";

// The racer table holds 200 racers; a longer list is not a field of racers.
inline constexpr std::size_t kMaxListedNames = kMaxRacers;
// No racer's name comes near this; a longer field is not a name.
inline constexpr std::size_t kMaxListedNameLength = 64;
// Two hundred quoted names of that length are some 13 KB; a qualifiers list
// may carry other columns, times or laps, beside the names.
inline constexpr std::size_t kMaxRoundRobinChampBytes = 64 * 1024;
inline constexpr std::size_t kMaxQualifiersFileBytes = 1024 * 1024;

// The names of a list in file order, read field by field (commas or line
// ends between fields, a quoted field may hold commas, blanks around a field
// dropped). Blank fields are skipped. bytes are the file's Windows-1252 text;
// the names come back in UTF-8, as the files can store them again. Throws
// QelError naming source when the text holds control characters (a binary
// file), a name longer than kMaxListedNameLength, or more than
// kMaxListedNames names.
std::vector<std::string> parseNameList(std::string_view bytes, const std::string& source);

// The names of the last heat race. Throws QelError naming the file when it is
// missing, too large or damaged.
std::vector<std::string> readRoundRobinChamp(const AppFolder& folder);
// Names of heatRacers 1..racerCount, each quoted on its own line.
std::string roundRobinChampText(const HeatTables& tables);
// Replaces the file atomically with roundRobinChampText.
void writeRoundRobinChamp(const AppFolder& folder, const HeatTables& tables);

// Every name of the qualifiers file at path. Throws QelError naming the file
// when it is missing, too large or not a list of names.
std::vector<std::string> readQualifiersFile(const std::filesystem::path& path);

}  // namespace qel
