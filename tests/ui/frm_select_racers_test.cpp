// The Select Racers window over the placement: every control by its name and
// caption, the lanes and pages it shows, and what OK, Cancel and Esc leave
// behind.
#include "ui/heats/frm_select_racers.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/io/text_file.h"
#include "core/setup/roster.h"
#include "support/placement_bench.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

QString nameOf(const char* name, int index) {
    return QString::fromLatin1(name) + '_' + QString::number(index);
}

class FrmSelectRacersTest : public ::testing::Test, protected test::PlacementBench {
  protected:
    FrmSelectRacersTest() {
        for (int lane = 1; lane <= kMaxLanes; ++lane)
            installation.laneColor[lane] = 20 * lane;
        useFormat(kRoundRobin);
        hooks.showRoster = [this] {
            ++rosterOpened;
            writeRosterNames(app, {"Zed"});
        };
    }

    FrmSelectRacers& window() {
        if (!window_) {
            window_ = std::make_unique<FrmSelectRacers>(
                context(), PlacementHooks{[this] { ++titleUpdates; }, [] {}}, hooks);
        }
        return *window_;
    }
    template <typename Widget>
    Widget* find(const QString& name) {
        auto* widget = window().findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* button(const QString& name) { return find<QPushButton>(name); }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    QStringList rows(const char* list) {
        QStringList shown;
        auto* widget = find<QListWidget>(list);
        for (int row = 0; row < widget->count(); ++row)
            shown << widget->item(row)->text();
        return shown;
    }
    bool shown(const QString& name) { return find<QWidget>(name)->isVisibleTo(&window()); }
    bool dataFileExists(const char* name) { return std::filesystem::exists(app.dataFile(name)); }

    SelectRacersHooks hooks;
    std::unique_ptr<FrmSelectRacers> window_;
    int titleUpdates = 0;
    int rosterOpened = 0;
};

TEST_F(FrmSelectRacersTest, EveryControlCarriesItsNameAndCaption) {
    previousRacers({"Eve"});
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdAddRacer", "Add Racer To List"},
        {"cmdAdd", ">"},
        {"cmdAddAll", "> >"},
        {"cmdRemove", "<"},
        {"cmdRemoveAll", "< <"},
        {"cmdRandom", "Place Random"},
        {"cmdClear", "Clear all Racers && Sit-Outs"},
        {"cmdNext", "Next Sit-outs"},
        {"cmdPrevious", "Clear all Sit-Out"},
        {"CommandOK", "&OK"},
        {"cmdCancel", "&Cancel"},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(button(name)->text(), caption) << name;
    const std::pair<const char*, const char*> tips[] = {
        {"cmdAdd", "Add checked racers to Rotation"},
        {"cmdAddAll", "Select all racers for rotation "},
        {"cmdRemove", "Remove highlited racer from rotation list"},
        {"cmdRemoveAll", "Remove all racers for rotation "},
        {"lblColor_1", "Go to Settings to change color"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(find<QWidget>(name)->toolTip(), tip) << name;
    const std::pair<const char*, const char*> frames[] = {
        {"fraSelectNames", "Select Racers"},
        {"fraRaces", "Selected Racers"},
        {"fraLaneRacers", "Racers in lanes"},
    };
    for (const auto& [name, title] : frames)
        EXPECT_EQ(find<QGroupBox>(name)->title(), title) << name;
    EXPECT_EQ(find<QMenu>("mnuFile")->title(), "&File");
    EXPECT_EQ(find<QAction>("mnuLoadQualifiers")->text(), "&Load Qualifiers");
    EXPECT_TRUE(find<QAction>("mnuLoadSep")->isSeparator());
    EXPECT_EQ(find<QAction>("mnuExit")->text(), "&Exit");
    EXPECT_EQ(find<QListWidget>("lstRacers")->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_EQ(find<QListWidget>("lstRace")->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(text("lblRacersSitOut_3"), "Sit-Out 25-30");
    EXPECT_EQ(text("lblRacersSitOut_7"), "Sit-Out 56-60");
    EXPECT_EQ(text("lblRacersSitOut_11"), "Sit-Out 85-90");
    EXPECT_EQ(window().windowTitle(), "Select Racers for Round Robin");

    EXPECT_EQ(text("lblNameSitOut_1"), "Eve");
    EXPECT_EQ(button("cmdSitOut_1")->text(), "< 1");
    EXPECT_EQ(button("cmdSitOut_90")->text(), "> 90");
    EXPECT_FALSE(button("cmdSitOut_2")->isEnabled());
    EXPECT_EQ(find<QLabel>("lblColor_3")->palette().color(QPalette::Window), QColor(60, 0, 0));
}

TEST_F(FrmSelectRacersTest, ShowsTheTracksLanesAndOneSitOutPage) {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        for (const char* control : {"lblName", "lblColor", "cmdOk"})
            EXPECT_EQ(shown(nameOf(control, lane)), lane <= 4) << control << lane;
    }
    EXPECT_TRUE(shown("fraSitout_0"));
    EXPECT_FALSE(shown("fraSitout_1"));
    EXPECT_FALSE(shown("fraSitout_2"));
    EXPECT_TRUE(shown("cmdSitOut_30"));
    EXPECT_FALSE(shown("cmdSitOut_31"));
}

TEST_F(FrmSelectRacersTest, PlacingSixRacersOnFourLanesCommitsOnlyWhenAllArePlaced) {
    writeRosterNames(app, {"Ann", "Bob", "Cy", "Dee", "Eve", "Fay"});
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    FrmSelectRacers& w = window();
    w.show();
    prompter.clear();
    EXPECT_EQ(rows("lstRacers"), (QStringList{"Eve", "Fay"}));
    auto* roster = find<QListWidget>("lstRacers");
    roster->item(0)->setSelected(true);
    roster->item(1)->setSelected(true);
    button("cmdAdd")->click();
    EXPECT_EQ(rows("lstRace"), (QStringList{"Eve", "Fay"}));
    EXPECT_TRUE(button("cmdSitOut_2")->isEnabled());
    EXPECT_FALSE(button("cmdSitOut_3")->isEnabled());

    find<QListWidget>("lstRace")->setCurrentRow(1);
    button("cmdSitOut_1")->click();
    EXPECT_EQ(text("lblNameSitOut_1"), "Fay");
    EXPECT_EQ(find<QLabel>("lblNameSitOut_2")->palette().color(QPalette::Window),
              QColor(255, 255, 255));
    button("CommandOK")->click();
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompter.messageTexts(),
              std::vector<std::string>{"Place Eve or  remove from Selected Racers"});
    EXPECT_FALSE(dataFileExists("Racers.dat"));

    button("cmdSitOut_2")->click();
    button("CommandOK")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(tables.racerCount, 6);
    EXPECT_EQ(tables.heatRacers[5].name, "Fay");
    EXPECT_EQ(titleUpdates, 1);
    EXPECT_EQ(readBinaryFile(app.dataFile("RoundRobinChamp.dat")),
              "\"Ann\"\r\n\"Bob\"\r\n\"Cy\"\r\n\"Dee\"\r\n\"Fay\"\r\n\"Eve\"\r\n");
}

TEST_F(FrmSelectRacersTest, LaneButtonsPlaceAndTakeOutAndTheBoardFollows) {
    useFormat(kLapRace);
    writeRosterNames(app, {"Ann"});
    window().show();
    find<QListWidget>("lstRacers")->item(0)->setSelected(true);
    button("cmdAdd")->click();
    button("cmdOk_3")->click();
    EXPECT_EQ(text("lblName_3"), "Ann");
    EXPECT_EQ(button("cmdOk_3")->text(), "< 3");
    EXPECT_EQ(board.rows[3].name.text, "Ann ");
    button("cmdOk_3")->click();
    EXPECT_EQ(text("lblName_3"), "");
    EXPECT_EQ(button("cmdOk_3")->text(), "> 3");
    EXPECT_EQ(rows("lstRace"), (QStringList{"Ann"}));
    EXPECT_EQ(button("cmdClear")->text(), "Clear Racers in Lanes");
    EXPECT_FALSE(button("cmdNext")->isEnabled());
}

TEST_F(FrmSelectRacersTest, FortySitOutsPageOverToTheSecondPage) {
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    std::vector<std::string> field;
    for (int i = 1; i <= 40; ++i)
        field.push_back("Racer " + std::to_string(i));
    previousRacers(field);
    window().show();
    EXPECT_EQ(button("cmdNext")->text(), "Sit-Out 31-60");
    EXPECT_TRUE(button("cmdNext")->isEnabled());
    button("cmdNext")->click();
    EXPECT_FALSE(shown("fraSitout_0"));
    EXPECT_TRUE(shown("fraSitout_1"));
    EXPECT_FALSE(shown("fraSitout_2"));
    EXPECT_EQ(text("lblNameSitOut_40"), "Racer 40");
    EXPECT_EQ(button("cmdPrevious")->text(), "Sit-Out 1-30");
    EXPECT_EQ(button("cmdNext")->text(), "Sit-Out 61-90");
    EXPECT_FALSE(button("cmdNext")->isEnabled());
    button("cmdPrevious")->click();
    EXPECT_TRUE(shown("fraSitout_0"));
    EXPECT_EQ(button("cmdPrevious")->text(), "Clear all Sit-Out");

    prompter.answer(MessageAnswer::No);
    button("cmdPrevious")->click();
    EXPECT_EQ(prompter.messages().back().text, "Are you sure you want to clear all Sit-Outs?");
    EXPECT_EQ(text("lblNameSitOut_1"), "Racer 1");
}

TEST_F(FrmSelectRacersTest, EscClosesWithoutCommittingAndCancelPutsTheLaneNamesBack) {
    useFormat(kLapRace);
    writeLaneRacerNames(app, {"", "Ann", "", "", "", "", "", "", ""});
    onBoard({"Ann"});
    {
        FrmSelectRacers& w = window();
        w.show();
        button("cmdOk_1")->click();
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_EQ(board.rows[1].name.text, "");
        EXPECT_EQ(readBinaryFile(app.dataFile("Racers.dat")),
                  "\"Ann\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
        EXPECT_EQ(titleUpdates, 0);
    }
    writeLaneRacerNames(app, {"", "Ann", "", "", "", "", "", "", ""});
    onBoard({"Ann"});
    window_.reset();
    FrmSelectRacers& w = window();
    w.show();
    button("cmdOk_1")->click();
    button("cmdCancel")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(board.rows[1].name.text, "Ann ");
}

TEST_F(FrmSelectRacersTest, ExitIsOkAndLoadQualifiersReadsThePickedFile) {
    useFormat(kLapRace);
    onBoard({"Ann"});
    const auto list = folder.write("heat.qal", "\"Bob\",\"Cy\"\r\n");
    files.choose(list.string());
    FrmSelectRacers& w = window();
    w.show();
    find<QAction>("mnuLoadQualifiers")->trigger();
    EXPECT_EQ(rows("lstRace"), (QStringList{"Bob", "Cy"}));
    EXPECT_EQ(text("lblName_1"), "");
    find<QAction>("mnuExit")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(board.rows[1].name.text, "");
}

TEST_F(FrmSelectRacersTest, AddRacerOpensTheRosterAndReadsItAgain) {
    useFormat(kLapRace);
    window().show();
    button("cmdAddRacer")->click();
    EXPECT_EQ(rosterOpened, 1);
    EXPECT_EQ(rows("lstRacers"), (QStringList{"Zed"}));
}

TEST_F(FrmSelectRacersTest, RefusesToBeMadeWithoutTheRosterHook) {
    hooks.showRoster = nullptr;
    try {
        window();
        ADD_FAILURE() << "made without showRoster";
    } catch (const std::logic_error& e) {
        EXPECT_NE(std::string(e.what()).find("showRoster"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace qel::ui
