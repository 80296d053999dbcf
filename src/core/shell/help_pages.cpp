#include "core/shell/help_pages.h"

namespace qel {

namespace {

std::filesystem::path helpFile(const AppFolder& folder, std::string_view page) {
    return folder.resolve(std::string(kHelpFolder) + "/" + std::string(page));
}

}  // namespace

std::filesystem::path helpTopicsPath(const AppFolder& folder) {
    return helpFile(folder, kHelpTopicsPage);
}

std::filesystem::path webSitePath(const AppFolder& folder) {
    return helpFile(folder, kWebSitePage);
}

std::string helpMissingText(const std::filesystem::path& topicsPage) {
    return "The help pages were not found.\n\nThe help topics should be in the file " +
           topicsPage.generic_string() +
           ". Copy the Help folder of the installation back beside the program's QelDat "
           "folder and open Help again.";
}

std::string pageMissingText(std::string_view address) {
    return "The page " + std::string(address) +
           " could not be opened.\n\nCheck the address in the box above and press Enter.";
}

}  // namespace qel
