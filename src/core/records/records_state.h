#pragma once
// What the record views keep for the whole run, beside the race state: how
// the lap-time view sorts, where its last fill ended, and the title line the
// last file read carried (written into every later .sum and .lap file), and
// the path the last spreadsheet export proposed.
#include <string>

namespace qel {

struct RecordsState {
    bool lapsSortedByTime = false;
    // One past the last lap row written by the last lap-grid fill.
    int lapRowEnd = 2;
    std::string fileTitleLine;
    std::string exportPath;
};

}  // namespace qel
