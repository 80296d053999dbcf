#pragma once
// The racers the track knows (QeRacers.dat, edited in the Racers Database
// dialog) and the name placed in each lane (Racers.dat).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr std::string_view kRosterFileName = "QeRacers.dat";
inline constexpr std::string_view kLaneRacersFileName = "Racers.dat";

// First letter of every word upper case, the other letters lower case
// ("jOHN  o'neil" -> "John  O'neil"). Words are separated by blanks and line
// ends only; letters of Windows-1252 beyond ASCII are converted as well.
std::string properCase(std::string_view name);

// The name as the files can hold it, so the list never shows a name that
// reads back differently: a double quote would end the quoted field and cut
// the name, so it becomes an apostrophe; a line break becomes a blank; a
// character the code page lacks becomes "?".
std::string storableName(std::string_view name);

// --- QeRacers.dat: one quoted name per line, read to the end ---------------

// Throws QelError naming the file when it is missing, unreadable or damaged.
std::vector<std::string> readRosterNames(const AppFolder& folder);
std::vector<std::string> parseRosterNames(const std::string& text, const std::string& source);
// Adds one name at the end, creating the file when there is none.
void appendRosterName(const AppFolder& folder, std::string_view name);
// Replaces the file with the names in the order given.
void writeRosterNames(const AppFolder& folder, const std::vector<std::string>& names);

// --- Racers.dat: the names of lanes 1..8, eight quoted strings on one line --

std::string laneRacerNamesText(const LaneTable<std::string>& names);
// Fewer than eight names throws QelError and leaves names as they were.
void parseLaneRacerNames(const std::string& text, const std::string& source,
                         LaneTable<std::string>& names);
void readLaneRacerNames(const AppFolder& folder, LaneTable<std::string>& names);
void writeLaneRacerNames(const AppFolder& folder, const LaneTable<std::string>& names);

// --- The Racers Database dialog ----------------------------------------------

// The dialog's sorted list and what Add, Modify and Delete do to it and to the
// file. Every change is written at once (there is no Cancel); the list changes
// only when the file took the change, so the two never disagree. Problems are
// shown through the prompter and end the operation.
class RosterList {
  public:
    RosterList(AppFolder folder, Prompter& prompter)
        : folder_(std::move(folder)), prompter_(prompter) {}

    // Clears the list and fills it from the file, each name in its sorted place.
    void Load();
    // Asks for a new name; trims it, proper-cases it, refuses an exact duplicate.
    void Add();
    // The first selected entry (smallest position) is renamed in place; no
    // trimming and no duplicate check. The file is rewritten in list order
    // even when the name stays.
    void Modify(const std::vector<std::size_t>& selected);
    // Only the first selected entry is removed.
    void Delete(const std::vector<std::size_t>& selected);

    const std::vector<std::string>& names() const { return names_; }
    // "Total number of Racers: " and the count.
    std::string countText() const;

  private:
    void insertSorted(std::string name);
    std::optional<std::size_t> firstSelected(const std::vector<std::size_t>& selected) const;

    AppFolder folder_;
    Prompter& prompter_;
    std::vector<std::string> names_;
};

// The order of the sorted list: letter case does not count.
bool rosterOrderBefore(std::string_view a, std::string_view b);

}  // namespace qel
