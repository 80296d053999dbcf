#pragma once
// The open and save dialogs. Callers pick a file format from the chosen name.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qel {

// Option bits the callers use.
enum FileDialogFlags : int {
    kReadOnlyChecked = 1,
    kOverwritePrompt = 2,
    kPathMustExist = 2048,
    kFileMustExist = 4096,
};

struct FileDialogRequest {
    // Pairs of description and pattern joined by "|", e.g.
    // "Lap Files (*.lap)|*.lap|Text Files(*.txt)|*.txt"; a pattern may hold masks joined by ";".
    std::string filter;
    int filterIndex = 1;  // 1-based
    int flags = 0;
    std::string title;
    std::string fileName;  // proposed name
    std::string initialDir;
};

struct FileFilterEntry {
    std::string description;
    std::vector<std::string> masks;  // "*.lap", "*.txt"
};

// Splits a "|" filter into its entries; a trailing lone description is dropped.
std::vector<FileFilterEntry> parseFileFilter(const std::string& filter);

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    // The full path chosen, or nullopt when cancelled (nothing else happens then).
    virtual std::optional<std::string> showSave(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> showOpen(const FileDialogRequest& request) = 0;
};

}  // namespace qel
