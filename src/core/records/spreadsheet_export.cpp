#include "core/records/spreadsheet_export.h"

#include "core/grid/numeric_text.h"
#include "core/io/format.h"
#include "core/records/excel_file_v2.h"

namespace qel {

namespace {

// Read-only box ticked, overwrite prompt. No "file must exist": a save
// dialog with it admits only files that are already there, and an export
// names a new file.
constexpr int kExportFlags = kReadOnlyChecked | kOverwritePrompt;

bool isBackup(const std::string& path) {
    return path.find(kBackupMarker) != std::string::npos;
}

}  // namespace

std::string ExportStamp(double now) {
    return formatDate(now, "yyyy mm dd, H-MM");
}

void writeGridSpreadsheet(const GridModel& grid, const std::filesystem::path& path) {
    ExcelFileV2 file;
    file.OpenFile(path);
    const int rows = grid.rows();
    const int cols = grid.cols();
    const int fixedRows = grid.fixedRows();
    const int fixedCols = grid.fixedCols();
    for (int r = 1; r <= fixedRows; ++r) {
        for (int c = 1; c <= cols; ++c)
            file.EWriteString(r, c, grid.textMatrix(r - 1, c - 1));
    }
    for (int r = fixedRows + 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            const std::string& text = grid.textMatrix(r - 1, c - 1);
            const std::optional<double> number =
                c > fixedCols ? numericValue(text) : std::optional<double>();
            if (number) {
                file.EWriteDouble(r, c, *number);
            } else {
                file.EWriteString(r, c, text);
            }
        }
    }
    file.CloseFile();
}

std::optional<std::string> chooseSpreadsheetFile(const std::string& proposedPath,
                                                 FileDialog& dialog) {
    if (isBackup(proposedPath)) return proposedPath;
    FileDialogRequest request;
    request.title = "Save Race Data";
    request.filter = kSpreadsheetFilter;
    request.filterIndex = 1;
    request.flags = kExportFlags;
    request.fileName = proposedPath;
    request.initialDir = std::filesystem::path(proposedPath).parent_path().string();
    std::optional<std::string> chosen = dialog.showSave(request);
    if (chosen && chosen->empty()) return std::nullopt;
    return chosen;
}

bool ExportGridToSpreadsheet(const GridModel& grid, const std::string& proposedPath,
                             FileDialog& dialog) {
    const std::optional<std::string> path = chooseSpreadsheetFile(proposedPath, dialog);
    if (!path) return false;
    writeGridSpreadsheet(grid, *path);
    return true;
}

}  // namespace qel
