#include "ui/setup/frm_qel_add_racer.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "core/setup/roster.h"
#include "setup_dialog_support.h"
#include "support/scripted_prompter.h"

namespace qel::ui {
namespace {

using test_support::child;

class FrmQelAddRacerTest : public ::testing::Test {
  protected:
    FrmQelAddRacerTest() {
        folder.write("QelDat/QeRacers.dat",
                     "\"Zoe Ward\"\r\n\"anna Fenwright\"\r\n\"Bruno Kettleby\"\r\n");
        hooks.loadRacerLists = [this] { ++racerListLoads; };
        hooks.refillPlacementRacers = [this] { ++placementRefills; };
    }

    FrmQelAddRacer& dialog() {
        if (!dialog_) dialog_ = std::make_unique<FrmQelAddRacer>(app, prompter, hooks);
        return *dialog_;
    }
    QListWidget* list() { return child<QListWidget>(dialog(), "lstRacers"); }
    QStringList shown() {
        QStringList names;
        for (int row = 0; row < list()->count(); ++row)
            names << list()->item(row)->text();
        return names;
    }
    void select(std::initializer_list<int> rows) {
        list()->clearSelection();
        for (int row : rows)
            list()->item(row)->setSelected(true);
    }
    void click(const char* name) { child<QPushButton>(dialog(), name)->click(); }
    QString count() { return child<QLabel>(dialog(), "lblQty")->text(); }
    std::string fileBytes() { return readBinaryFile(app.dataFile("QeRacers.dat")); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    test::ScriptedPrompter prompter;
    AddRacerHooks hooks;
    int racerListLoads = 0;
    int placementRefills = 0;
    std::unique_ptr<FrmQelAddRacer> dialog_;
};

TEST_F(FrmQelAddRacerTest, CaptionsNamesAndToolTips) {
    EXPECT_EQ(dialog().objectName(), "frmQelAddRacer");
    EXPECT_EQ(dialog().windowTitle(), "  Kestrova - Racers");
    const std::tuple<const char*, const char*, const char*> buttons[] = {
        {"cmdAdd", "&Add", "Add new racer"},
        {"cmdModify", "&Modify", "Select racer from list to modify"},
        {"cmdDelete", "&Delete", "Select racer from list to delete"},
        {"cmdOk", "&OK", ""}};
    for (const auto& [name, caption, tip] : buttons) {
        EXPECT_EQ(child<QPushButton>(dialog(), name)->text(), caption) << name;
        EXPECT_EQ(child<QPushButton>(dialog(), name)->toolTip(), tip) << name;
    }
    EXPECT_EQ(dialog().findChild<QPushButton*>("cmdCancel"), nullptr);
    child<QLabel>(dialog(), "Picture1");
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(FrmQelAddRacerTest, LoadShowsTheRosterSortedWithItsCount) {
    EXPECT_EQ(shown(), (QStringList{"anna Fenwright", "Bruno Kettleby", "Zoe Ward"}));
    EXPECT_EQ(count(), "Total number of Racers: 3");
}

TEST_F(FrmQelAddRacerTest, AddTrimsProperCasesAppendsAndSorts) {
    prompter.type("  cLARA   juniper ");
    click("cmdAdd");
    ASSERT_EQ(prompter.inputs().size(), 1u);
    EXPECT_EQ(prompter.inputs()[0].title, "Add Racer");
    EXPECT_EQ(prompter.inputs()[0].prompt, "Enter new Racer name");
    EXPECT_EQ(shown(),
              (QStringList{"anna Fenwright", "Bruno Kettleby", "Clara   Juniper", "Zoe Ward"}));
    EXPECT_EQ(count(), "Total number of Racers: 4");
    EXPECT_EQ(fileBytes(),
              "\"Zoe Ward\"\r\n\"anna Fenwright\"\r\n\"Bruno Kettleby\"\r\n\"Clara   "
              "Juniper\"\r\n");

    prompter.type("CLARA   JUNIPER");
    click("cmdAdd");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Clara   Juniper already exists");
    EXPECT_EQ(prompter.messages()[0].title, "Racer");
    EXPECT_EQ(count(), "Total number of Racers: 4");
}

TEST_F(FrmQelAddRacerTest, EmptyOrCancelledAddChangesNothing) {
    const std::string before = fileBytes();
    for (std::optional<std::string> answer :
         {std::optional<std::string>{}, std::optional<std::string>{""},
          std::optional<std::string>{"   "}}) {
        prompter.type(answer);
        click("cmdAdd");
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(list()->count(), 3);
    }
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(FrmQelAddRacerTest, ModifyAndDeleteWithNothingSelected) {
    for (const char* roster : {"", "\"Solo Racer\"\r\n", "\"A B\"\r\n\"C D\"\r\n"}) {
        folder.write("QelDat/QeRacers.dat", roster);
        dialog_.reset();
        prompter.clear();
        list()->clearSelection();
        click("cmdModify");
        click("cmdDelete");
        ASSERT_EQ(prompter.messages().size(), 2u) << roster;
        EXPECT_EQ(prompter.messages()[0].text, "Select name from list to modify");
        EXPECT_EQ(prompter.messages()[0].title, "Modify Racer");
        EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
        EXPECT_EQ(prompter.messages()[1].text, "Select name from list to delete");
        EXPECT_EQ(prompter.messages()[1].title, "Delete Racer");
        EXPECT_EQ(prompter.messages()[1].icon, MessageIcon::Information);
        EXPECT_EQ(fileBytes(), roster);
        EXPECT_TRUE(prompter.inputs().empty());
    }
}

TEST_F(FrmQelAddRacerTest, ModifyRenamesTheFirstSelectedInPlaceAndRewritesInListOrder) {
    select({2, 1});
    prompter.type("zed ward");
    click("cmdModify");
    ASSERT_EQ(prompter.inputs().size(), 1u);
    EXPECT_EQ(prompter.inputs()[0].title, "Modify Racer");
    EXPECT_EQ(prompter.inputs()[0].prompt, "Modify Racer name");
    EXPECT_EQ(prompter.inputs()[0].defaultText, "Bruno Kettleby");
    // A modified name may duplicate another; the entry keeps its place.
    EXPECT_EQ(shown(), (QStringList{"anna Fenwright", "Zed Ward", "Zoe Ward"}));
    EXPECT_EQ(fileBytes(), "\"anna Fenwright\"\r\n\"Zed Ward\"\r\n\"Zoe Ward\"\r\n");
    EXPECT_EQ(count(), "Total number of Racers: 3");
}

TEST_F(FrmQelAddRacerTest, ModifyAnsweredEmptyStillRewritesTheFile) {
    select({0});
    prompter.type("");
    click("cmdModify");
    EXPECT_EQ(shown(), (QStringList{"anna Fenwright", "Bruno Kettleby", "Zoe Ward"}));
    EXPECT_EQ(fileBytes(), "\"anna Fenwright\"\r\n\"Bruno Kettleby\"\r\n\"Zoe Ward\"\r\n");
}

TEST_F(FrmQelAddRacerTest, DeleteRemovesOnlyTheFirstSelected) {
    select({2, 0});
    click("cmdDelete");
    EXPECT_EQ(shown(), (QStringList{"Bruno Kettleby", "Zoe Ward"}));
    EXPECT_EQ(fileBytes(), "\"Bruno Kettleby\"\r\n\"Zoe Ward\"\r\n");
    EXPECT_EQ(count(), "Total number of Racers: 2");
}

TEST_F(FrmQelAddRacerTest, MissingRosterIsReportedAndAddCreatesIt) {
    std::filesystem::remove(app.dataFile("QeRacers.dat"));
    dialog();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QeRacers.dat"), std::string::npos);
    EXPECT_EQ(count(), "Total number of Racers: 0");
    prompter.type("new racer");
    click("cmdAdd");
    EXPECT_EQ(fileBytes(), "\"New Racer\"\r\n");
}

TEST_F(FrmQelAddRacerTest, OkRefreshesTheRacerListsAndCloses) {
    click("cmdOk");
    EXPECT_EQ(racerListLoads, 1);
    EXPECT_EQ(placementRefills, 1);
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qel::ui
