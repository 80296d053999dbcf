#include "core/seams/file_dialog.h"

namespace qel {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<FileFilterEntry> parseFileFilter(const std::string& filter) {
    std::vector<FileFilterEntry> entries;
    if (filter.empty()) return entries;
    const auto parts = split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilterEntry entry;
        entry.description = parts[i];
        for (auto& mask : split(parts[i + 1], ';')) {
            if (!mask.empty()) entry.masks.push_back(mask);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace qel
