#include "ui/heats/frm_qel_championship_points.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "core/io/text_file.h"
#include "setup_dialog_support.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

const std::string kTenEightSix = "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,1\r\n";

class FrmQelChampionshipPointsTest : public ::testing::Test {
  protected:
    FrmQelChampionshipPoints& dialog(int laneCount = 8) {
        if (!dialog_) {
            dialog_ = std::make_unique<FrmQelChampionshipPoints>(app, points, tables, prompter,
                                                                 laneCount);
        }
        return *dialog_;
    }
    template <typename Object>
    Object* find(const QString& name) {
        return test_support::child<Object>(dialog(), name);
    }
    QComboBox* list(int place) { return find<QComboBox>("cmbPoints_" + QString::number(place)); }
    std::string fileText() { return readBinaryFile(app.dataFile(kPointSystemFileName)); }
    bool fileExists() { return std::filesystem::exists(app.dataFile(kPointSystemFileName)); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    PointSystem points;
    HeatTables tables;
    test::ScriptedPrompter prompter;
    std::unique_ptr<FrmQelChampionshipPoints> dialog_;
};

TEST_F(FrmQelChampionshipPointsTest, CaptionsNamesAndLists) {
    EXPECT_EQ(dialog().objectName(), "frmQelChampionshipPoints");
    EXPECT_EQ(dialog().windowTitle(), "Championship Point System");
    EXPECT_FALSE(dialog().isModal());
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Placement  /");
    EXPECT_EQ(find<QLabel>("Label2")->text(), "Points");
    EXPECT_EQ(find<QMenu>("mnuFile")->title(), "&File");
    EXPECT_EQ(find<QAction>("mnuSaveExit")->text(), "&Save && Exit");
    const char* places[] = {"First", "Second", "Third",   "Fourth",
                            "Fifth", "Sixth",  "Seventh", "Eighth"};
    for (int place = 1; place <= 8; ++place) {
        SCOPED_TRACE(place);
        EXPECT_EQ(find<QLabel>("lblPlacment_" + QString::number(place))->text(), places[place - 1]);
        ASSERT_EQ(list(place)->count(), 17);
        EXPECT_EQ(list(place)->itemText(0), "16");
        EXPECT_EQ(list(place)->itemText(6), "10");
        EXPECT_EQ(list(place)->itemText(16), "0");
    }
}

TEST_F(FrmQelChampionshipPointsTest, OnlyThePlacesOfTheTrackShow) {
    for (int lanes = 1; lanes <= 8; ++lanes) {
        SCOPED_TRACE(lanes);
        dialog_.reset();
        dialog(lanes).load();
        const int expected = (pointSystemDialogHeight(lanes) * dialog().logicalDpiY() + 720) / 1440;
        EXPECT_EQ(dialog().height(), expected);
        EXPECT_EQ(dialog().minimumHeight(), expected);
        for (int place = 1; place <= 8; ++place) {
            EXPECT_EQ(list(place)->isHidden(), place > lanes) << place;
            EXPECT_EQ(find<QLabel>("lblPlacment_" + QString::number(place))->isHidden(),
                      place > lanes)
                << place;
        }
    }
    // Fewer lanes, fewer places: a shorter dialog.
    EXPECT_EQ(pointSystemDialogHeight(2) - pointSystemDialogHeight(1), 432);
}

TEST_F(FrmQelChampionshipPointsTest, LoadShowsTheSavedPoints) {
    folder.write("QelDat/QelPointSystem.dat", kTenEightSix);
    dialog().load();
    const char* shown[] = {"10", "8", "6", "5", "4", "3", "2", "1"};
    for (int place = 1; place <= 8; ++place)
        EXPECT_EQ(list(place)->currentText(), shown[place - 1]) << place;
    EXPECT_EQ(points.pointsForPlace, (LaneTable<int16_t>{0, 10, 8, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(tables.pointsForPlace, points.pointsForPlace);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(FrmQelChampionshipPointsTest, MissingFileStartsFromNoPointsQuietly) {
    dialog().load();
    EXPECT_TRUE(prompter.messages().empty());
    for (int place = 1; place <= 8; ++place)
        EXPECT_EQ(list(place)->currentText(), "0") << place;
    EXPECT_FALSE(fileExists());
}

TEST_F(FrmQelChampionshipPointsTest, DamagedFileIsReportedAndPointsStay) {
    points.pointsForPlace = {0, 9, 7, 5, 3, 1, 0, 0, 0};
    folder.write("QelDat/QelPointSystem.dat", "1,2,x\r\n");
    dialog().load();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Championship Point System");
    EXPECT_EQ(points.pointsForPlace, (LaneTable<int16_t>{0, 9, 7, 5, 3, 1, 0, 0, 0}));
    EXPECT_EQ(list(1)->currentText(), "9");
}

TEST_F(FrmQelChampionshipPointsTest, EveryWayOfClosingStoresAndWritesThePoints) {
    const std::pair<const char*, std::function<void(FrmQelChampionshipPoints&)>> ways[] = {
        {"Save & Exit",
         [](FrmQelChampionshipPoints& d) { d.findChild<QAction*>("mnuSaveExit")->trigger(); }},
        {"close box", [](FrmQelChampionshipPoints& d) { d.close(); }},
        {"Esc", [](FrmQelChampionshipPoints& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const auto& [way, closeIt] : ways) {
        SCOPED_TRACE(way);
        dialog_.reset();
        folder.write("QelDat/QelPointSystem.dat", kTenEightSix);
        dialog(4).load();
        dialog().show();
        list(1)->setCurrentIndex(4);   // 12 points
        list(8)->setCurrentIndex(16);  // 0 points, a place the track does not have
        closeIt(dialog());
        EXPECT_FALSE(dialog().isVisible());
        PointSystem expected;
        expected.pointsListIndex = {0, 4, 8, 10, 11, 12, 13, 14, 16};
        expected.pointsForPlace = {0, 12, 8, 6, 5, 4, 3, 2, 0};
        EXPECT_EQ(points, expected);
        EXPECT_EQ(tables.pointsForPlace, expected.pointsForPlace);
        EXPECT_EQ(fileText(), pointSystemFileText(expected));
        EXPECT_EQ(fileText(), "4,8,10,11,12,13,14,16,12,8,6,5,4,3,2,0\r\n");
    }
}

TEST_F(FrmQelChampionshipPointsTest, ClosingWithoutAFileWritesAllZeroPoints) {
    dialog().load();
    dialog().show();
    dialog().close();
    EXPECT_EQ(fileText(), "16,16,16,16,16,16,16,16,0,0,0,0,0,0,0,0\r\n");
}

}  // namespace
}  // namespace qel::ui
