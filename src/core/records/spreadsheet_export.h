#pragma once
// "Save to Excel": a grid written as a worksheet, cell for cell, so the sheet
// keeps the grid's shape. Header cells and the fixed columns are text; a data
// cell that reads as a number (a lap time "5.400", a position "3") is a
// number the spreadsheet can add up, any other text ("1:15.042", "RT") stays
// text. Empty cells are written too, as empty text.
#include <filesystem>
#include <optional>
#include <string>

#include "core/grid/grid_model.h"
#include "core/seams/file_dialog.h"

namespace qel {

// A proposed path holding this marker is a backup the program writes by
// itself: no dialog is shown, the path is used as it stands.
inline constexpr const char* kBackupMarker = "BackUpRX7700";
inline constexpr const char* kSpreadsheetFilter = "Excel Files (*.xls)|*.xls|";

// The stamp an export puts into the race's file names: "2026 03 05, 20-15".
std::string ExportStamp(double now);

// Writes the whole grid to path. Throws QelError naming the file when it
// cannot be written.
void writeGridSpreadsheet(const GridModel& grid, const std::filesystem::path& path);

// The file an export goes to: the race director's choice in the save dialog
// (proposed name as given, no extension added), or the proposed path itself
// when it carries the backup marker. nullopt when the dialog was cancelled.
std::optional<std::string> chooseSpreadsheetFile(const std::string& proposedPath,
                                                 FileDialog& dialog);

// The window's export: the file chosen, then the grid written to it. False
// when cancelled; a write that fails throws QelError naming the file.
bool ExportGridToSpreadsheet(const GridModel& grid, const std::string& proposedPath,
                             FileDialog& dialog);

}  // namespace qel
