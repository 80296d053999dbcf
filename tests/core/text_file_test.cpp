#include "core/io/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/io/errors.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

using test::errorOf;

TEST(TextFile, AtomicReplaceKeepsLineEndsAndLeavesNoTemporaryFile) {
    const test::TempFolder folder;
    const auto path = folder.path() / "QelDat" / "QelOptions.dat";
    writeTextFileAtomic(path, "1,2,3\r\nCafé\r\n");
    writeTextFileAtomic(path, "4,5\r\nlast line without end");
    EXPECT_EQ(readBinaryFile(path), "4,5\r\nlast line without end");
    EXPECT_EQ(readTextFile(path), "4,5\r\nlast line without end");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(path.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

// A save cut short by a crash left its temporary file behind; the next save,
// or a second copy of the program saving at the same moment, is not disturbed
// by it and does not take it for its own.
TEST(TextFile, SavesNeverShareATemporaryFile) {
    const test::TempFolder folder;
    const auto path = folder.path() / "QelInstallation.dat";
    folder.write("QelInstallation.dat.tmp", "half a file");
    writeTextFileAtomic(path, "2,9\r\n");
    EXPECT_EQ(readBinaryFile(path), "2,9\r\n");
    EXPECT_EQ(readBinaryFile(folder.path() / "QelInstallation.dat.tmp"), "half a file");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::others_read, fs::perms::others_read);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
}

TEST(TextFile, TextIsStoredInTheCodePage) {
    const test::TempFolder folder;
    const auto path = folder.path() / "Racers.dat";
    writeTextFileAtomic(path, "\"José\"\r\n\"日\"\r\n");
    EXPECT_EQ(readBinaryFile(path), "\"Jos\xE9\"\r\n\"?\"\r\n");
    EXPECT_EQ(readTextFile(path), "\"José\"\r\n\"?\"\r\n");
}

TEST(TextFile, AppendAddsToTheEndAndCreatesWhatIsMissing) {
    const test::TempFolder folder;
    const auto path = folder.path() / "Stats" / "DefaultRaceFile.txt";
    appendTextFile(path, "Heat 1\r\n");
    appendTextFile(path, "Heat 2 – Noël\r\n");
    EXPECT_EQ(readBinaryFile(path), "Heat 1\r\nHeat 2 \x96 No\xEBl\r\n");
}

TEST(TextFile, FailuresNameTheFile) {
    const test::TempFolder folder;
    const auto missing = folder.path() / "QelDat" / "QelPsd.dat";
    EXPECT_EQ(errorOf([&] { readTextFile(missing); }), "File not found: QelDat/QelPsd.dat");

    const auto big = folder.write("Stats/big.txt", std::string(2000, 'x'));
    EXPECT_EQ(errorOf([&] { readTextFile(big, 1000); }),
              "File is too large to be valid: Stats/big.txt");
    EXPECT_EQ(readTextFile(big, 2000).size(), 2000u);

    // A folder where the file should be: nothing to read, and nothing can replace it.
    fs::create_directories(folder.path() / "QelDat" / "Blocked.dat");
    EXPECT_NE(errorOf([&] {
                  readTextFile(folder.path() / "QelDat" / "Blocked.dat");
              }).find("QelDat/Blocked.dat"),
              std::string::npos);
    EXPECT_NE(errorOf([&] {
                  writeTextFileAtomic(folder.path() / "QelDat" / "Blocked.dat", "x");
              }).find("QelDat/Blocked.dat"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path() / "QelDat" / "Blocked.dat.tmp"));
}

TEST(TextFile, BinaryRecordsAreKeptByteForByte) {
    const test::TempFolder folder;
    const auto path = folder.path() / "QelRaceFormatSettings.dat";
    const std::string record("\x00\x01\xFF\r\n\x80", 6);
    writeBinaryFileAtomic(path, record);
    EXPECT_EQ(readBinaryFile(path), record);
}

}  // namespace
}  // namespace qel
