#include "core/io/data_folder.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace qel {

namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The entry of folder whose name matches name ignoring case; an exact match wins.
std::filesystem::path matchEntry(const std::filesystem::path& folder, const std::string& name) {
    std::error_code ec;
    const auto exact = folder / name;
    if (std::filesystem::exists(exact, ec)) return exact;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (equalsIgnoringCase(it->path().filename().string(), name)) return it->path();
    }
    return exact;
}

}  // namespace

AppFolder::AppFolder(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path AppFolder::resolve(std::string_view relative) const {
    std::filesystem::path result = root_;
    for (const auto& part : std::filesystem::path(relative)) {
        const std::string name = part.string();
        if (name.empty() || name == "/" || name == ".") continue;
        result = matchEntry(result, name);
    }
    return result;
}

std::filesystem::path AppFolder::dataFile(std::string_view name) const {
    return resolve(std::string(kDataFolder) + "/" + std::string(name));
}
std::filesystem::path AppFolder::soundFile(std::string_view name) const {
    return resolve(std::string(kSoundFolder) + "/" + std::string(name));
}
std::filesystem::path AppFolder::statsFile(std::string_view name) const {
    return resolve(std::string(kStatsFolder) + "/" + std::string(name));
}
std::filesystem::path AppFolder::imageFile(std::string_view name) const {
    return resolve(std::string(kImagesFolder) + "/" + std::string(name));
}

}  // namespace qel
