#include "core/shell/tip_of_the_day.h"

#include <algorithm>
#include <system_error>

#include "core/io/errors.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

// A tips file is a page of sentences; anything near this size is not one.
constexpr std::size_t kMaxTipsFileBytes = 1024 * 1024;

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

std::string tipsNotFoundText(std::string_view fileName) {
    const std::string name(fileName);
    return "That the " + name + " file was not found? \r\n\r\nCreate a text file named " + name +
           " using NotePad with 1 tip per line. Then place it in the same directory as the "
           "application. ";
}

std::vector<std::string> tipLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (!isBlank(line)) lines.emplace_back(line);
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return lines;
}

bool TipOfTheDay::LoadTips(const std::filesystem::path& path) {
    if (path.empty()) return false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    try {
        tips_ = tipLines(readTextFile(path, kMaxTipsFileBytes));
    } catch (const QelError&) {
        return false;
    }
    ShowRandomTip();
    return true;
}

void TipOfTheDay::ShowRandomTip() {
    const int count = static_cast<int>(tips_.size());
    // A draw of exactly 1 would point past the last tip.
    currentTip_ = std::min(static_cast<int>(random_.next() * count) + 1, std::max(count, 1));
    DisplayCurrentTip();
}

void TipOfTheDay::DisplayCurrentTip() {
    if (tips_.empty()) return;
    tipText_ = tips_[static_cast<std::size_t>(currentTip_ - 1)];
}

}  // namespace qel
