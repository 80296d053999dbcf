#include "core/shell/web_page_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/seams/virtual_time.h"

namespace qel {
namespace {

// A browser whose loading the test finishes by hand.
class FakePage : public PageView {
  public:
    void navigate(const std::string& address) override {
        visited.push_back(address);
        loading = true;
    }
    bool busy() const override { return loading; }
    std::string title() const override { return pageTitle; }

    std::vector<std::string> visited;
    bool loading = false;
    std::string pageTitle;
};

class WebPageWindowTest : public ::testing::Test {
  protected:
    WebPageWindowTest() {
        window.setOnChanged([this] { ++changes; });
    }

    VirtualScheduler time;
    FakePage page;
    WebPageWindow window{time, page};
    int changes = 0;
};

TEST_F(WebPageWindowTest, LoadNavigatesToTheStartingAddressAndListsIt) {
    window.load("file:///app/Help/website.html");
    EXPECT_EQ(page.visited, std::vector<std::string>{"file:///app/Help/website.html"});
    EXPECT_EQ(window.address(), "file:///app/Help/website.html");
    EXPECT_EQ(window.addresses(), std::vector<std::string>{"file:///app/Help/website.html"});
    EXPECT_TRUE(window.polling());
}

TEST_F(WebPageWindowTest, CaptionSaysWorkingWhileBusyThenShowsTheTitle) {
    window.load("start.html");
    time.advance(kBrowserPollMs);
    EXPECT_EQ(window.caption(), "Working...");
    time.advance(kBrowserPollMs * 5);
    EXPECT_EQ(window.caption(), "Working...");
    page.pageTitle = "Kestrova Qel Timer";
    page.loading = false;
    time.advance(kBrowserPollMs);
    EXPECT_EQ(window.caption(), "Kestrova Qel Timer");
    EXPECT_FALSE(window.polling());
    // Once idle the caption is left alone.
    page.pageTitle = "changed";
    time.advance(kBrowserPollMs * 10);
    EXPECT_EQ(window.caption(), "Kestrova Qel Timer");
}

TEST_F(WebPageWindowTest, ACompletedNavigationSetsTheTitleAtOnce) {
    window.load("start.html");
    page.pageTitle = "Help Topics";
    page.loading = false;
    window.navigateComplete();
    EXPECT_EQ(window.caption(), "Help Topics");
}

TEST_F(WebPageWindowTest, ChoosingAnAddressRestartsTheTimerAndGoesThere) {
    window.load("start.html");
    page.loading = false;
    time.advance(kBrowserPollMs);
    ASSERT_FALSE(window.polling());
    window.addressChosen("other.html");
    EXPECT_TRUE(window.polling());
    EXPECT_EQ(page.visited, (std::vector<std::string>{"start.html", "other.html"}));
    time.advance(kBrowserPollMs);
    EXPECT_EQ(window.caption(), "Working...");
}

TEST_F(WebPageWindowTest, TheListHoldsEachAddressOnceAndBlankBoxesGoNowhere) {
    window.load("a.html");
    window.addressChosen("b.html");
    window.addressChosen("a.html");
    window.addressChosen("   ");
    window.addressChosen("");
    EXPECT_EQ(window.addresses(), (std::vector<std::string>{"a.html", "b.html"}));
    EXPECT_EQ(page.visited, (std::vector<std::string>{"a.html", "b.html", "a.html"}));
    EXPECT_EQ(window.address(), "a.html");
}

TEST_F(WebPageWindowTest, StatusTextIsShownAsTheBrowserReportsIt) {
    window.load("a.html");
    const int before = changes;
    window.statusTextChanged("Opening a.html...");
    EXPECT_EQ(window.statusText(), "Opening a.html...");
    window.statusTextChanged("Done");
    EXPECT_EQ(window.statusText(), "Done");
    EXPECT_EQ(changes, before + 2);
}

}  // namespace
}  // namespace qel
