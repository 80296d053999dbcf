// The track's installation files and the rules of the Installation dialog. A
// fault here shows as a wrong MPH column, a lane in the wrong colour, or a
// settings file the next start can't read.
#include "core/setup/installation_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/io/errors.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string committed(const char* name) {
    return readBytes(fs::path(QEL_SOURCE_DIR) / "data/QelDat" / name);
}

// A full line of 39 fields with one field replaced (1-based), for damage tests.
std::string installationLineWith(int field, const std::string& text) {
    std::string line =
        "2,9,0,0,0,5,6,0,7,1,3,4,2,255,16777215,16744576,65535,65280,33023,16711935,12632256,"
        "0,0,0,0,0,0,0,0,30,30,30,30,30,30,30,30,0,\"Club Raceway\"";
    std::size_t start = 0;
    for (int i = 1; i < field; ++i)
        start = line.find(',', start) + 1;
    const auto end = field == 39 ? line.size() : line.find(',', start);
    return line.replace(start, end - start, text) + "\r\n";
}

TEST(InstallationFile, CommittedFilesReadAndWriteBackByteForByte) {
    InstallationSettings s;
    parseInstallationFile(committed("QelInstallation.dat"), "QelInstallation.dat", s);
    EXPECT_EQ(s.laneCount, 4);
    EXPECT_EQ(s.commPort, 1);
    EXPECT_EQ(s.scaleFactor, 32);
    EXPECT_EQ(laneColourName(s, 1), "Red");
    EXPECT_EQ(laneColourName(s, 8), "Grey");
    EXPECT_EQ(s.trackLength[3], 30.0f);
    EXPECT_EQ(s.trackName, "Club Raceway");
    EXPECT_EQ(installationFileText(s), committed("QelInstallation.dat"));

    parseSpeedMultiplierFile(committed("QelSpeedMultiplier.dat"), "QelSpeedMultiplier.dat", s);
    EXPECT_EQ(speedMultiplierFileText(s), committed("QelSpeedMultiplier.dat"));

    // Through the data folder, as the program does it, whatever the letter case.
    test::TempFolder app;
    app.write("qeldat/QELINSTALLATION.DAT", committed("QelInstallation.dat"));
    InstallationSettings fromFolder;
    readInstallationFile(AppFolder(app.path()), fromFolder);
    writeInstallationFile(AppFolder(app.path()), fromFolder);
    EXPECT_EQ(readBytes(app.path() / "qeldat/QELINSTALLATION.DAT"),
              committed("QelInstallation.dat"));
}

// A missing or damaged QelInstallation.dat leaves the program's own defaults
// in force; they must be the track a fresh installation's file describes.
TEST(InstallationFile, DefaultsAreTheShippedFile) {
    const std::string shipped = committed("QelInstallation.dat");
    ASSERT_FALSE(shipped.empty());
    const InstallationSettings defaults = defaultInstallation();
    EXPECT_EQ(installationFileText(defaults), shipped);

    InstallationSettings read;
    parseInstallationFile(shipped, "QelInstallation.dat", read);
    computeSpeedMultipliers(read);
    EXPECT_EQ(installationFileText(read), installationFileText(defaults));
    EXPECT_EQ(read.speedMultiplier, defaults.speedMultiplier);
    EXPECT_EQ(defaults.laneCount, 4);
}

TEST(InstallationFile, ColoursAndScalesAreTheStoredValues) {
    const std::pair<const char*, int32_t> colours[] = {
        {"Blue", 16744576},   {"Green", 65280}, {"Grey", 12632256},  {"Orange", 33023},
        {"Purple", 16711935}, {"Red", 255},     {"White", 16777215}, {"Yellow", 65535}};
    for (std::size_t i = 0; i < kLaneColours.size(); ++i) {
        EXPECT_EQ(kLaneColours[i].name, colours[i].first);
        EXPECT_EQ(kLaneColours[i].value(), colours[i].second) << colours[i].first;
    }

    InstallationSettings s;
    const std::pair<const char*, int> scales[] = {{"1:1", 1},   {"1:10", 10}, {"1:25", 25},
                                                  {"1:43", 43}, {"1:64", 64}, {"1:72", 72}};
    for (const auto& [text, factor] : scales) {
        convertScale(s, text);
        EXPECT_EQ(s.scaleFactor, factor) << text;
    }
    for (const char* notAScale : {"1:33", "", "72", "1:72 "}) {
        convertScale(s, notAScale);
        EXPECT_EQ(s.scaleFactor, 72) << '"' << notAScale << '"';
    }
    EXPECT_EQ(kLaneCountEntries.front(), "2");  // never fewer than two lanes
}

TEST(InstallationFile, SpeedFactorIsSinglePrecisionInItsOrder) {
    float expected = 30.0f / 5280.0f;
    expected *= 3600.0f;
    expected *= 32.0f;
    EXPECT_EQ(speedMultiplierFor(30.0f, 32), expected);
    EXPECT_NEAR(speedMultiplierFor(30.0f, 32), 654.5454, 1e-3);

    InstallationSettings s;
    s.laneCountIndex = 1;
    s.laneCount = 3;
    s.scaleIndex = 9;  // 1:32
    s.speedMultiplier[4] = 7.5f;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        s.trackLength[lane] = 30.0f;
    computeSpeedMultipliers(s);
    EXPECT_EQ(s.scaleFactor, 32);
    for (int lane = 1; lane <= 3; ++lane)
        EXPECT_EQ(s.speedMultiplier[lane], expected) << "lane " << lane;
    EXPECT_EQ(s.speedMultiplier[4], 7.5f) << "a lane not in use keeps its value";
    EXPECT_EQ(speedMultiplierFileText(s), "654.5455,654.5455,654.5455,7.5,0,0,0,0\r\n");
}

TEST(InstallationFile, TrackLengthMustBeNumeric) {
    struct Case {
        const char* text;
        bool numeric;
        float value;
    };
    const Case cases[] = {{"25.3", true, 25.3f}, {" 30 ", true, 30.0f}, {".5", true, 0.5f},
                          {"-2", true, -2.0f},   {"", false, 0.0f},     {"abc", false, 0.0f},
                          {"3,5", false, 0.0f},  {"30ft", false, 0.0f}, {"1e40", false, 0.0f}};
    for (const auto& c : cases) {
        EXPECT_EQ(isNumericText(c.text), c.numeric) << '"' << c.text << '"';
        EXPECT_EQ(trackLengthValue(c.text), c.value) << '"' << c.text << '"';
    }

    LaneTable<std::string> texts;
    texts.fill("30");
    texts[3] = "x";
    texts[2] = "";
    texts[7] = "nonsense";
    EXPECT_EQ(firstNonNumericTrackLength(texts, 4), 2);
    texts[2] = texts[3] = "25.3";
    EXPECT_EQ(firstNonNumericTrackLength(texts, 4), std::nullopt) << "a hidden lane is not checked";
    EXPECT_EQ(firstNonNumericTrackLength(texts, 8), 7);
    EXPECT_EQ(kTrackLengthMessage, "Value must be numeric");
    EXPECT_EQ(kTrackLengthTitle, "Track Length");
}

TEST(InstallationFile, WindowShrinksOneRowPerMissingLane) {
    const auto eight = installationWindowSize(8);
    EXPECT_EQ(eight.laneFrameHeight, 3000);
    EXPECT_EQ(eight.windowHeight, 6630);
    EXPECT_EQ(eight.buttonTop, 5570);
    const auto two = installationWindowSize(2);
    EXPECT_EQ(two.laneFrameHeight, 3000 - 6 * 315);
    EXPECT_EQ(two.windowHeight, 6630 - 6 * 315);
    EXPECT_EQ(two.buttonTop, 5570 - 6 * 315);
}

TEST(InstallationFile, DamagedFileIsRefusedAndTheLastGoodValuesStay) {
    InstallationSettings good;
    parseInstallationFile(committed("QelInstallation.dat"), "QelDat/QelInstallation.dat", good);
    const std::string before = installationFileText(good);

    struct Case {
        std::string text;
        std::string messagePart;
    };
    const Case cases[] = {
        {"", "Input past end of file"},
        {"2,9,0,0,0\r\n", "Input past end of file"},
        {installationLineWith(1, "7"), "the number of lanes (field 1) is 7"},
        {installationLineWith(1, "-1"), "the number of lanes"},
        {installationLineWith(2, "13"), "the scale"},
        {installationLineWith(3, "3"), "the relay"},
        {installationLineWith(4, "2"), "the sensor type"},
        {installationLineWith(8, "8"), "the colour of lane 3 (field 8)"},
        {installationLineWith(15, "-5"), "the colour value of lane 2"},
        {installationLineWith(15, "16777216"), "the colour value of lane 2"},
        {installationLineWith(24, "2"), "the Disable box of lane 3"},
        {installationLineWith(31, "thirty"), "Expected a number"},
        {installationLineWith(38, "5"), "Sell Time by Lane"},
        {installationLineWith(1, "99999"), "Number out of range"},
    };
    for (const auto& c : cases) {
        InstallationSettings s = good;
        const auto error =
            test::errorOf([&] { parseInstallationFile(c.text, "QelDat/QelInstallation.dat", s); });
        EXPECT_NE(error.find(c.messagePart), std::string::npos) << error;
        EXPECT_NE(error.find("QelDat/QelInstallation.dat"), std::string::npos) << error;
        EXPECT_EQ(installationFileText(s), before) << c.text;
        EXPECT_EQ(s.laneCount, 4);
    }

    // A colour never picked is allowed; a port no longer offered means port 1.
    InstallationSettings s;
    parseInstallationFile(installationLineWith(6, "-1"), "x", s);
    EXPECT_EQ(laneColourName(s, 1), "");
    parseInstallationFile(installationLineWith(5, "9"), "x", s);
    EXPECT_EQ(s.commPortIndex, 0);
    EXPECT_EQ(s.commPort, 1);
    parseInstallationFile(installationLineWith(5, "3"), "x", s);
    EXPECT_EQ(s.commPort, 4);

    // Not an installation file at all: refused before it is read.
    test::TempFolder app;
    app.write("QelDat/QelInstallation.dat", std::string(100 * 1024, '1'));
    s = good;
    EXPECT_NE(
        test::errorOf([&] { readInstallationFile(AppFolder(app.path()), s); }).find("too large"),
        std::string::npos);
    EXPECT_EQ(test::errorOf([&] { readInstallationFile(AppFolder(app.path() / "none"), s); }),
              "File not found: QelDat/QelInstallation.dat");
    EXPECT_EQ(installationFileText(s), before);
}

TEST(InstallationFile, SpeedFileNeedsTheLanesInUse) {
    InstallationSettings s;
    s.laneCount = 4;
    s.speedMultiplier.fill(9.0f);
    EXPECT_NE(test::errorOf([&] { parseSpeedMultiplierFile("1,2,3\r\n", "f", s); }), "no error");
    EXPECT_EQ(s.speedMultiplier[1], 9.0f);

    parseSpeedMultiplierFile("1,2,3,4\r\n", "f", s);
    EXPECT_EQ(s.speedMultiplier[4], 4.0f);
    EXPECT_EQ(s.speedMultiplier[5], 9.0f) << "missing hidden lanes keep their values";
    parseSpeedMultiplierFile("1,2,3,4,5,junk,7,8\r\n", "f", s);
    EXPECT_EQ(s.speedMultiplier[5], 5.0f);
    EXPECT_EQ(s.speedMultiplier[6], 9.0f);
}

TEST(InstallationFile, OkWritesBothFilesWithAllEightLanes) {
    test::TempFolder app;
    const AppFolder folder(app.path());
    InstallationSettings s;
    s.laneCountIndex = 0;  // two lanes: the file still holds all eight
    s.scaleIndex = 10;     // 1:43
    s.relayIndex = kRelayNormallyOpen;
    s.sensorTypeIndex = kSensorInfrared;
    s.commPortIndex = 2;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        s.laneColorIndex[lane] = static_cast<int16_t>(lane - 1);
        s.laneColor[lane] = kLaneColours[lane - 1].value();
    }
    s.laneDisabled[2] = 1;
    s.sellTimeEnabled = 1;
    s.trackName = "Joe's \"Big\" Track";
    LaneTable<std::string> lengths;
    lengths.fill("30");
    lengths[1] = "25.3";
    lengths[2] = " 40.25 ";
    lengths[5] = "oops";  // a hidden lane OK never checks

    storeInstallation(folder, s, lengths);
    EXPECT_EQ(readBytes(app.path() / "QelDat/QelInstallation.dat"),
              "0,10,2,1,2,0,1,2,3,4,5,6,7,16744576,65280,12632256,33023,16711935,255,16777215,"
              "65535,0,1,0,0,0,0,0,0,25.3,40.25,30,30,0,30,30,30,1,\"Joe's 'Big' Track\"\r\n");
    EXPECT_EQ(s.laneCount, 2);
    EXPECT_EQ(s.commPort, 3);
    EXPECT_EQ(s.scaleFactor, 43);
    EXPECT_EQ(readBytes(app.path() / "QelDat/QelSpeedMultiplier.dat"), speedMultiplierFileText(s));
    EXPECT_EQ(s.speedMultiplier[1], speedMultiplierFor(25.3f, 43));
    EXPECT_EQ(s.speedMultiplier[3], 0.0f);

    // What was written reads back as it was meant.
    InstallationSettings back;
    readInstallationFile(folder, back);
    EXPECT_EQ(installationFileText(back), installationFileText(s));
    EXPECT_EQ(back.trackName, "Joe's 'Big' Track");

    RaceState state;
    applyInstallation(back, state);
    EXPECT_EQ(state.laneCount, 2);
    EXPECT_EQ(state.commPort, 3);
    EXPECT_EQ(state.laneDisabled[2], 1);
    EXPECT_EQ(state.trackLength[2], 40.25f);
}

// A power cut between the installation's two files: the start-up works the
// speed factors out again from the installation rather than race on factors
// of another set-up; factors that belong to it are taken as they stand.
TEST(InstallationFile, StartUpHealsSpeedFactorsThatDoNotBelongToTheInstallation) {
    const test::TempFolder app;
    const AppFolder folder(app.path());
    InstallationSettings six = defaultInstallation();
    six.laneCountIndex = 4;
    six.laneCount = 6;
    six.trackLength.fill(30.0f);
    writeInstallationFile(folder, six);
    InstallationSettings four = defaultInstallation();
    computeSpeedMultipliers(four);
    writeSpeedMultiplierFile(folder, four);  // the old track's file: lanes 5 and 6 at 0

    InstallationSettings read;
    readInstallationFile(folder, read);
    EXPECT_FALSE(loadSpeedMultipliers(folder, read));
    EXPECT_EQ(read.speedMultiplier[6], speedMultiplierFor(30.0f, read.scaleFactor));
    InstallationSettings again = read;
    EXPECT_TRUE(loadSpeedMultipliers(folder, again));
    EXPECT_EQ(again.speedMultiplier, read.speedMultiplier);

    fs::remove(app.path() / "QelDat" / "QelSpeedMultiplier.dat");
    InstallationSettings missing;
    readInstallationFile(folder, missing);
    EXPECT_FALSE(loadSpeedMultipliers(folder, missing));
    EXPECT_TRUE(fs::exists(app.path() / "QelDat" / "QelSpeedMultiplier.dat"));
}

}  // namespace
}  // namespace qel
