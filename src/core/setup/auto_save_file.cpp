#include "core/setup/auto_save_file.h"

#include <filesystem>

#include "core/io/fields.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

// Three small numbers and a line end; anything larger is damage.
constexpr std::size_t kMaxAutoSaveFileBytes = 4096;

}  // namespace

std::string autoSaveFileText(const AutoSaveSettings& settings) {
    FieldWriter out;
    out.writeInteger(settings.spreadsheets ? 1 : 0)
        .writeInteger(settings.textFiles ? 1 : 0)
        .writeInteger(settings.webPage ? 1 : 0)
        .endLine();
    return out.text();
}

void parseAutoSaveFile(const std::string& text, const std::string& source,
                       AutoSaveSettings& settings) {
    FieldReader in(text, source);
    AutoSaveSettings read;
    read.spreadsheets = in.readInteger() != 0;
    read.textFiles = in.readInteger() != 0;
    read.webPage = in.readInteger() != 0;
    settings = read;
}

void readAutoSaveFile(const AppFolder& folder, AutoSaveSettings& settings) {
    const auto path = folder.dataFile(kAutoSaveFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        settings = AutoSaveSettings{};
        return;
    }
    parseAutoSaveFile(readTextFile(path, kMaxAutoSaveFileBytes), shownFileName(path), settings);
}

void writeAutoSaveFile(const AppFolder& folder, const AutoSaveSettings& settings) {
    writeTextFileAtomic(folder.dataFile(kAutoSaveFileName), autoSaveFileText(settings));
}

}  // namespace qel
