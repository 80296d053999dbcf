#pragma once
// The Options "Save" page's three ticks: after every race or heat, the
// summary and lap times saved by themselves as spreadsheets, as text
// reports, and as one web page. Kept in QelDat/QelAutoSave.dat, one line of
// three whole numbers (1 ticked, 0 not) in the page's order, closed by CR LF.
#include <string>
#include <string_view>

#include "core/io/data_folder.h"

namespace qel {

struct AutoSaveSettings {
    bool spreadsheets = false;  // "Auto Save to Exel .xls"
    bool textFiles = false;     // "Auto Save to .txt File"
    bool webPage = false;       // "Auto Save to HTML"
    bool operator==(const AutoSaveSettings&) const = default;
    bool any() const { return spreadsheets || textFiles || webPage; }
};

inline constexpr std::string_view kAutoSaveFileName = "QelAutoSave.dat";

std::string autoSaveFileText(const AutoSaveSettings& settings);
// Three whole numbers; a short or damaged file throws QelError naming the
// file and leaves settings as they were.
void parseAutoSaveFile(const std::string& text, const std::string& source,
                       AutoSaveSettings& settings);
// No file yet (an installation that never ticked them): nothing is saved by
// itself, and nothing is wrong.
void readAutoSaveFile(const AppFolder& folder, AutoSaveSettings& settings);
void writeAutoSaveFile(const AppFolder& folder, const AutoSaveSettings& settings);

}  // namespace qel
