#include "ui/shell/frm_qel_help.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "support/click_link.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

class FrmQelHelpTest : public ::testing::Test {
  protected:
    FrmQelHelpTest() {
        help.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&help));
    }
    QTextBrowser* page() { return help.findChild<QTextBrowser*>("brwHelp"); }
    QPushButton* button(const char* name) { return help.findChild<QPushButton*>(name); }

    // The help pages as shipped.
    AppFolder app{std::filesystem::path(QEL_SOURCE_DIR) / "data"};
    FrmQelHelp help{app};
};

TEST_F(FrmQelHelpTest, OpensOnTheTopicsPage) {
    EXPECT_EQ(help.objectName(), "frmQelHelp");
    ASSERT_NE(page(), nullptr);
    EXPECT_EQ(page()->documentTitle(), "Help Topics");
    const std::pair<const char*, const char*> buttons[] = {{"cmdContents", "&Contents"},
                                                           {"cmdBack", "&Back"},
                                                           {"cmdForward", "&Forward"},
                                                           {"cmdClose", "Close"}};
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_EQ(button(name)->text(), caption) << name;
    }
    EXPECT_FALSE(button("cmdBack")->isEnabled());
}

TEST_F(FrmQelHelpTest, FollowsATopicAndComesBack) {
    ASSERT_TRUE(test::clickLink(page(), "The race board"));
    EXPECT_EQ(page()->documentTitle(), "The race board");
    EXPECT_TRUE(button("cmdBack")->isEnabled());

    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(page()->documentTitle(), "Help Topics");
    QTest::mouseClick(button("cmdForward"), Qt::LeftButton);
    EXPECT_EQ(page()->documentTitle(), "The race board");
    QTest::mouseClick(button("cmdContents"), Qt::LeftButton);
    EXPECT_EQ(page()->documentTitle(), "Help Topics");
}

TEST_F(FrmQelHelpTest, EveryTopicOpens) {
    const std::pair<const char*, const char*> topics[] = {
        {"Starting a race", "Starting a race"},           {"Races in heats", "Races in heats"},
        {"Setting up the track", "Setting up the track"}, {"The timing box", "The timing box"},
        {"The box simulator", "The box simulator"},
    };
    for (const auto& [link, title] : topics) {
        help.showTopics();
        ASSERT_TRUE(test::clickLink(page(), link)) << link;
        EXPECT_EQ(page()->documentTitle(), title) << link;
    }
}

TEST_F(FrmQelHelpTest, CloseHidesIt) {
    QTest::mouseClick(button("cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
}

TEST(FrmQelHelpMissing, SaysWhereThePagesShouldBe) {
    test::TempFolder empty;
    const AppFolder app(empty.path());
    FrmQelHelp help(app);
    auto* page = help.findChild<QTextBrowser*>("brwHelp");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->toPlainText().startsWith("The help pages were not found."));
    EXPECT_TRUE(page->toPlainText().contains("Help/index.html"));
}

}  // namespace
}  // namespace qel::ui
