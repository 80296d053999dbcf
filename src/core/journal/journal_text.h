#pragma once
// How the About window names the race journal: where it is and how big.
#include <cstdint>
#include <optional>
#include <string>

namespace qel {

// bytes: the journal's size on disk, or nullopt while there is no journal yet.
// "Race journal: /club/Stats/RaceJournal.sqlite (1.4 MB)".
std::string journalAboutText(const std::string& location, std::optional<std::uintmax_t> bytes);

}  // namespace qel
