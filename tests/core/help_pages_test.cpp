#include "core/shell/help_pages.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "core/io/text_file.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

const std::filesystem::path kShippedHelp = std::filesystem::path(QEL_SOURCE_DIR) / "data" / "Help";

std::set<std::string> linksOf(const std::string& page) {
    std::set<std::string> links;
    const std::regex href("href=\"([^\"]*)\"", std::regex::icase);
    for (auto it = std::sregex_iterator(page.begin(), page.end(), href);
         it != std::sregex_iterator(); ++it)
        links.insert((*it)[1]);
    return links;
}

TEST(HelpPages, AreFoundWhateverTheLetterCaseOnDisk) {
    test::TempFolder folder;
    folder.write("help/INDEX.HTML", "<html></html>");
    folder.write("help/WebSite.html", "<html></html>");
    const AppFolder app(folder.path());
    EXPECT_EQ(helpTopicsPath(app), folder.path() / "help" / "INDEX.HTML");
    EXPECT_EQ(webSitePath(app), folder.path() / "help" / "WebSite.html");
}

TEST(HelpPages, MissingPagesAreExplainedWithTheirPlace) {
    const std::string text = helpMissingText("/opt/qeltimer/Help/index.html");
    EXPECT_NE(text.find("/opt/qeltimer/Help/index.html"), std::string::npos);
    EXPECT_NE(pageMissingText("nowhere.html").find("nowhere.html"), std::string::npos);
}

TEST(ShippedHelp, TopicsPageLeadsToEveryTopic) {
    const std::string topics = readTextFile(kShippedHelp / "index.html");
    const std::set<std::string> expected = {"race-board.html", "starting-a-race.html",
                                            "heats.html",      "setup-dialogs.html",
                                            "timing-box.html", "simulator.html"};
    EXPECT_EQ(linksOf(topics), expected);
}

TEST(ShippedHelp, EveryPageHasATitleAndEveryLinkLeadsToAPage) {
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kShippedHelp)) {
        ++pages;
        const std::string name = entry.path().filename().string();
        const std::string page = readTextFile(entry.path());
        EXPECT_TRUE(std::regex_search(page, std::regex("<title>[^<]+</title>"))) << name;
        for (const std::string& link : linksOf(page))
            EXPECT_TRUE(std::filesystem::is_regular_file(kShippedHelp / link))
                << name << " links to " << link;
    }
    EXPECT_GT(pages, 0);
}

}  // namespace
}  // namespace qel
