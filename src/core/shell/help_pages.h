#pragma once
// Where the help pages and the program's own web page live: the Help folder
// of the application folder, beside QelDat.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/io/data_folder.h"

namespace qel {

inline constexpr std::string_view kHelpFolder = "Help";
inline constexpr std::string_view kHelpTopicsPage = "index.html";
inline constexpr std::string_view kWebSitePage = "website.html";

std::filesystem::path helpTopicsPath(const AppFolder& folder);
std::filesystem::path webSitePath(const AppFolder& folder);

// Shown in the help window when the topics page is not there.
std::string helpMissingText(const std::filesystem::path& topicsPage);
// The page the web window shows when an address leads nowhere.
std::string pageMissingText(std::string_view address);

}  // namespace qel
