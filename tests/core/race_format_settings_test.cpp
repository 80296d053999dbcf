#include "core/heats/race_format_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/io/text_file.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

std::string le16(int value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string stored(std::string_view bytes) {
    return le16(static_cast<int>(bytes.size())) + std::string(bytes);
}

RaceFormatSettings championshipRecord() {
    RaceFormatSettings r;
    r.raceFormat = 4;
    r.raceLimitKind = "Number of Laps";
    r.timeListIndex = 7;
    r.raceMinutes = 1.75f;
    r.lapsListIndex = 17;
    r.raceLaps = 25;
    r.sequenceOption = 2;
    r.sequenceText = {"1234", "1342", "1203"};
    r.autoDelay = 1;
    r.viewDelayListIndex = 3;
    r.demoMode = 0;
    r.raceFormatName = "Championship";
    r.viewDelaySeconds = 10;
    r.rotateDelaySeconds = -2;
    r.heatRotation = -1;
    r.autoPrint = 0;
    r.autoDisplayResults = 1;
    r.rotateDelayListIndex = 5;
    return r;
}

// Written out by hand from the field table, so the layout is checked against
// the file other installations already hold, not against our own writer.
std::string championshipBytes() {
    return le16(4) + stored("Number of Laps") + le16(7) + std::string("\x00\x00\xE0\x3F", 4) +
           le16(17) + le16(25) + le16(2) + stored("1234") + stored("1342") + stored("1203") +
           le16(1) + le16(3) + le16(0) + stored("Championship") + le16(10) + le16(-2) + le16(-1) +
           le16(0) + le16(1) + le16(5);
}

TEST(RaceFormatRecord, LaysOutEveryFieldLittleEndianWithoutPadding) {
    EXPECT_EQ(raceFormatRecordBytes(championshipRecord()), championshipBytes());
    EXPECT_EQ(parseRaceFormatRecord(championshipBytes(), "f"), championshipRecord());
}

TEST(RaceFormatRecord, NamesAreStoredInTheFilesCodePage) {
    RaceFormatSettings r;
    r.raceFormatName = "Zürich Cup";
    const std::string bytes = raceFormatRecordBytes(r);
    EXPECT_NE(bytes.find(stored("Z\xFCrich Cup")), std::string::npos);
    EXPECT_EQ(parseRaceFormatRecord(bytes, "f").raceFormatName, "Zürich Cup");
}

TEST(RaceFormatFile, AShorterRecordOverALongerFileKeepsTheTailAndReadsBack) {
    test::TempFolder folder;
    const auto path = folder.path() / "QelDat" / "QelRaceFormatSettings.dat";
    RaceFormatSettings longer = championshipRecord();
    longer.raceFormatName = "A very long name for a championship race";
    WriteRaceFormatFile(path, longer);
    const std::string before = readBinaryFile(path);

    const RaceFormatSettings shorter = championshipRecord();
    WriteRaceFormatFile(path, shorter);
    const std::string after = readBinaryFile(path);

    const std::string record = raceFormatRecordBytes(shorter);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, record.size()), record);
    EXPECT_EQ(after.substr(record.size()), before.substr(record.size()));

    RaceFormatSettings read;
    ReadRaceFormatFile(path, read);
    EXPECT_EQ(read, shorter);
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
}

TEST(RaceFormatFile, DamagedFilesAreRefusedAndTheLastGoodValuesStay) {
    const std::string good = championshipBytes();
    // The raceLimitKind length field claims more bytes than the file holds.
    const std::string overrun = le16(4) + le16(500) + "Number of Laps";
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"one byte", "\x04"},
        {"cut inside a string", good.substr(0, 10)},
        {"cut inside the float", good.substr(0, 20)},
        {"last field half there", good.substr(0, good.size() - 1)},
        {"length past the end", overrun},
        {"largest length, nothing after", le16(4) + le16(0xFFFF)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        const auto path = folder.write("QelDat/QelRaceFormatSettings.dat", c.bytes);
        RaceFormatSettings record = championshipRecord();
        const std::string message = test::errorOf([&] { ReadRaceFormatFile(path, record); });
        EXPECT_NE(message.find("QelDat/QelRaceFormatSettings.dat"), std::string::npos) << message;
        EXPECT_NE(message.find("damaged"), std::string::npos) << message;
        EXPECT_EQ(record, championshipRecord());
    }
}

TEST(RaceFormatFile, MissingFileIsAnErrorThatChangesNothing) {
    test::TempFolder folder;
    RaceFormatSettings record = championshipRecord();
    EXPECT_NE(test::errorOf([&] { ReadRaceFormatFile(folder.path() / "none.dat", record); }),
              "no error");
    EXPECT_EQ(record, championshipRecord());
}

TEST(RaceFormatFile, FirstRunCreatesTheDefaults) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    RaceFormatSettings record;
    loadRaceFormatSettings(app, record, 8);

    EXPECT_EQ(record.raceFormat, 0);
    EXPECT_EQ(record.raceLimitKind, "Number of Minutes");
    EXPECT_EQ(record.timeListIndex, 4);
    EXPECT_EQ(record.lapsListIndex, 4);
    EXPECT_EQ(record.sequenceOption, 0);
    EXPECT_EQ(record.sequenceText[2], "87654321");
    EXPECT_EQ(record.demoMode, 1);
    EXPECT_EQ(record.viewDelayListIndex, 2);
    EXPECT_EQ(record.rotateDelayListIndex, 2);
    EXPECT_EQ(record.autoDelay, 0);
    EXPECT_EQ(record.autoPrint, 0);
    EXPECT_EQ(record.autoDisplayResults, 0);
    // Fields without a default stay as the zeroed record had them.
    EXPECT_EQ(record.raceMinutes, 0.0f);
    EXPECT_EQ(record.raceFormatName, "");
    EXPECT_EQ(record.sequenceText[0], "");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "QelDat" / "QelRaceFormatSettings.dat"));
}

TEST(RaceFormatFile, DefaultsKeepFieldsTheyDoNotListAndExtendTheCustomText) {
    RaceFormatSettings record = championshipRecord();
    applyRaceFormatDefaults(record, 4);
    EXPECT_EQ(record.sequenceText[2], "12034321");
    EXPECT_EQ(record.raceMinutes, 1.75f);
    EXPECT_EQ(record.raceLaps, 25);
    EXPECT_EQ(record.raceFormatName, "Championship");
    EXPECT_EQ(record.heatRotation, -1);
    EXPECT_EQ(record.viewDelaySeconds, 10);
}

TEST(RaceFormatFile, AnEmptyFileIsReplacedButASavedOneIsRead) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    folder.write("QelDat/QelRaceFormatSettings.dat", "");
    RaceFormatSettings record;
    loadRaceFormatSettings(app, record, 4);
    EXPECT_EQ(record.sequenceText[2], "4321");

    WriteRaceFormatFile(raceFormatFilePath(app), championshipRecord());
    loadRaceFormatSettings(app, record, 4);
    EXPECT_EQ(record, championshipRecord());
}

}  // namespace
}  // namespace qel
