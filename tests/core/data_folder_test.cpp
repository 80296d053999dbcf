#include "core/io/data_folder.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace qel {
namespace {

TEST(AppFolder, NamesAreMatchedWithoutRegardToCase) {
    const test::TempFolder root;
    root.write("QelDat/FormHeight.dat", "1");
    root.write("qelsound/Lap.wav", "RIFF");
    root.write("Stats/Archive/Old Race.txt", "x");
    const AppFolder folder(root.path());
    struct Case {
        std::filesystem::path resolved;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {folder.dataFile("formheight.dat"), root.path() / "QelDat/FormHeight.dat"},
        {folder.dataFile("FORMHEIGHT.DAT"), root.path() / "QelDat/FormHeight.dat"},
        {folder.soundFile("LAP.WAV"), root.path() / "qelsound/Lap.wav"},
        {folder.soundFolder(), root.path() / "qelsound"},
        {folder.resolve("stats/ARCHIVE/old race.TXT"), root.path() / "Stats/Archive/Old Race.txt"},
        // Missing names keep the spelling given, below whatever part exists.
        {folder.dataFile("RaceLag.dat"), root.path() / "QelDat/RaceLag.dat"},
        {folder.resolve("stats/New/Heat.txt"), root.path() / "Stats/New/Heat.txt"},
        {folder.imageFile("racer.ico"), root.path() / "Images/racer.ico"},
        {folder.resolve("./QELDAT//formheight.dat"), root.path() / "QelDat/FormHeight.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.resolved, c.expected);
}

TEST(AppFolder, AnExactSpellingWinsOverAnotherCase) {
    const test::TempFolder root;
    root.write("QelDat/racers.dat", "a");
    root.write("QelDat/Racers.dat", "b");
    const AppFolder folder(root.path());
    EXPECT_EQ(folder.dataFile("Racers.dat"), root.path() / "QelDat/Racers.dat");
    EXPECT_EQ(folder.dataFile("racers.dat"), root.path() / "QelDat/racers.dat");
}

TEST(AppFolder, AMissingApplicationFolderStillGivesPaths) {
    const AppFolder folder("/nonexistent/qeltimer");
    EXPECT_EQ(folder.dataFile("QelOptions.dat"),
              std::filesystem::path("/nonexistent/qeltimer/QelDat/QelOptions.dat"));
}

}  // namespace
}  // namespace qel
