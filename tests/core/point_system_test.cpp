#include "core/heats/point_system.h"

#include <gtest/gtest.h>

#include <string>

#include "core/io/text_file.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

PointSystem tenEightSix() {
    PointSystem p;
    p.pointsListIndex = {0, 6, 8, 10, 11, 12, 13, 14, 15};
    p.pointsForPlace = {0, 10, 8, 6, 5, 4, 3, 2, 1};
    return p;
}

TEST(PointSystem, ListEntriesRunFromSixteenDownToZero) {
    const auto& entries = pointListEntries();
    EXPECT_EQ(entries.front(), "16");
    EXPECT_EQ(entries[6], "10");
    EXPECT_EQ(entries.back(), "0");
    EXPECT_EQ(pointsAtListPosition(6), 10);
    EXPECT_EQ(pointsAtListPosition(16), 0);
    EXPECT_EQ(pointsAtListPosition(-1), 0);
    EXPECT_EQ(pointsAtListPosition(17), 0);
}

TEST(PointSystem, FileLineMatchesTheKnownExample) {
    EXPECT_EQ(pointSystemFileText(tenEightSix()), "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,1\r\n");
    PointSystem read;
    parsePointSystemFile("6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,1\r\n", "f", read);
    EXPECT_EQ(read, tenEightSix());
}

TEST(PointSystem, DamagedFilesChangeNothing) {
    const char* damaged[] = {
        "",
        "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2\r\n",  // fifteen numbers
        "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,x\r\n",
        "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,99999\r\n",
    };
    for (const char* text : damaged) {
        SCOPED_TRACE(text);
        PointSystem points = tenEightSix();
        EXPECT_NE(test::errorOf([&] { parsePointSystemFile(text, "QelDat/x", points); }),
                  "no error");
        EXPECT_EQ(points, tenEightSix());
    }
}

TEST(PointSystem, LoadingAMissingFileLeavesThePointsAndDoesNotThrow) {
    test::TempFolder folder;
    PointSystem points;
    const std::string reason = LoadPointSystem(AppFolder(folder.path()), points);
    EXPECT_NE(reason.find("QelPointSystem.dat"), std::string::npos) << reason;
    EXPECT_EQ(points, PointSystem{});
    // The lists show the 0 points in force, so closing the dialog keeps them.
    for (int place = 1; place <= 8; ++place)
        EXPECT_EQ(shownListPosition(points, place), 16);
}

TEST(PointSystem, LoadsWhateverTheCaseOfTheName) {
    test::TempFolder folder;
    folder.write("qeldat/qelpointsystem.DAT", "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,1\r\n");
    PointSystem points;
    EXPECT_EQ(LoadPointSystem(AppFolder(folder.path()), points), "");
    EXPECT_EQ(points, tenEightSix());
}

TEST(PointSystem, ClosingTheDialogStoresTheChosenPointsAndTheFile) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    PointSystem points;
    // Places 7 and 8 were never chosen (a missing file leaves no selection).
    const LaneTable<int> chosen{0, 6, 8, 10, 11, 12, 13, -1, 40};
    storePointSystem(app, chosen, points);
    EXPECT_EQ(points.pointsForPlace, (LaneTable<int16_t>{0, 10, 8, 6, 5, 4, 3, 0, 0}));
    EXPECT_EQ(points.pointsListIndex, (LaneTable<int16_t>{0, 6, 8, 10, 11, 12, 13, -1, -1}));
    EXPECT_EQ(readBinaryFile(app.dataFile("QelPointSystem.dat")),
              "6,8,10,11,12,13,-1,-1,10,8,6,5,4,3,0,0\r\n");

    PointSystem reloaded;
    EXPECT_EQ(LoadPointSystem(app, reloaded), "");
    EXPECT_EQ(reloaded, points);
    EXPECT_EQ(shownListPosition(reloaded, 1), 6);
    EXPECT_EQ(shownListPosition(reloaded, 7), 16);
    reloaded.pointsForPlace[2] = 40;  // hand-edited beyond the list
    EXPECT_EQ(shownListPosition(reloaded, 2), -1);
}

TEST(PointSystem, DialogShowsOnlyThePlacesOfTheTrack) {
    EXPECT_EQ(pointSystemDialogHeight(4), 4 * 432 + 1200);
    EXPECT_EQ(pointSystemDialogHeight(8), 8 * 432 + 1200);
}

}  // namespace
}  // namespace qel
