#include "core/sound/sound_table_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/io/text_file.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

using test::errorOf;

const std::string kWritten =
    "1\r\n0\r\n1\r\n"
    "\"Overall Best.wav\"\r\n\"Each Lap.wav\"\r\n\"Café Noël.wav\"\r\n"
    "#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n"
    "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n";

// The same text in the files' code page, as it lies on disk.
std::string onDisk(std::string text) {
    if (const auto at = text.find("Café Noël"); at != std::string::npos)
        text.replace(at, 11, "Caf\xE9 No\xEBl");
    return text;
}

SoundTable sampleTable() {
    SoundTable table;
    table.lapSoundEnabled = {1, 0, 1};
    table.lapSoundFile = {"Overall Best.wav", "Each Lap.wav", "Café Noël.wav"};
    table.raceSoundEnabled.fill(true);
    table.raceSoundEnabled[kSoundRaceStarts40Sec] = false;
    table.raceSoundEnabled[kSoundGetReady] = false;
    table.raceSoundEnabled[kSoundCheckeredFlag] = false;
    return table;
}

bool sameTable(const SoundTable& a, const SoundTable& b) {
    return a.lapSoundEnabled == b.lapSoundEnabled && a.lapSoundFile == b.lapSoundFile &&
           a.raceSoundEnabled == b.raceSoundEnabled;
}

TEST(SoundTableFile, WritesNineteenLinesThatReadBackTheSame) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    const auto path = soundTablePath(app);
    writeSoundTable(path, sampleTable());
    EXPECT_EQ(readBinaryFile(path), onDisk(kWritten));

    SoundTable back;
    readSoundTable(path, back);
    EXPECT_TRUE(sameTable(back, sampleTable()));

    // A rewrite of what was read changes nothing.
    writeSoundTable(path, back);
    EXPECT_EQ(readTextFile(path), kWritten);
}

// A missing or damaged QelSounds.dat leaves the program's own defaults in
// force; they must play what a fresh installation's file says.
TEST(SoundTableFile, DefaultsAreTheShippedFile) {
    const std::string shipped = readBinaryFile(std::filesystem::path(QEL_SOURCE_DIR) /
                                               "data/QelSound" / kSoundTableFileName);
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(soundTableText(defaultSoundTable()), shipped);

    test::TempFolder folder;
    folder.write(std::string("QelSound/") + kSoundTableFileName, shipped);
    SoundTable read;
    readSoundTable(soundTablePath(AppFolder(folder.path())), read);
    EXPECT_TRUE(sameTable(read, defaultSoundTable()));
}

TEST(SoundTableFile, TheFileIsFoundWhateverItsLetterCase) {
    test::TempFolder folder;
    folder.write("qelsound/qelsounds.DAT", onDisk(kWritten));
    SoundTable table;
    readSoundTable(soundTablePath(AppFolder(folder.path())), table);
    EXPECT_TRUE(sameTable(table, sampleTable()));
}

// Half a table would mix sounds from two files: a damaged file changes
// nothing, and the start-up puts the defaults in its place.
TEST(SoundTableFile, ADamagedFileLeavesTheTableAsItWas) {
    const struct {
        const char* name;
        std::string text;
        const char* error;
    } cases[] = {
        {"cut after the names", kWritten.substr(0, kWritten.find("#TRUE#")), "past end"},
        {"word for a switch", "1\r\n1\r\n1\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n#TRUE#\r\nyes\r\n",
         "#TRUE# or #FALSE#"},
        {"text for a number", "on\r\n", "whole number"},
        {"empty", "", "past end"},
        {"huge", std::string(100 * 1024, '1'), "too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const auto path = folder.write("QelSound/QelSounds.dat", onDisk(c.text));
        SoundTable table;  // all off, as at start-up
        const std::string error = errorOf([&] { readSoundTable(path, table); });
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_NE(error.find("QelSounds.dat"), std::string::npos) << error;
        EXPECT_TRUE(sameTable(table, SoundTable{}));

        SoundTable earlier = sampleTable();  // what the last good read left
        errorOf([&] { readSoundTable(path, earlier); });
        EXPECT_TRUE(sameTable(earlier, sampleTable()));
    }

    // Missing: a later load leaves the table as the last good read left it.
    test::TempFolder empty;
    SoundTable table = sampleTable();
    const std::string error =
        errorOf([&] { readSoundTable(soundTablePath(AppFolder(empty.path())), table); });
    EXPECT_NE(error.find("QelSounds.dat"), std::string::npos) << error;
    EXPECT_TRUE(sameTable(table, sampleTable()));
}

}  // namespace
}  // namespace qel
