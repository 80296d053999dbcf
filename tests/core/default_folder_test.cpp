// What a new installation finds on its first start: the committed defaults of
// data/ and the application folder the build lays out from them. A fault here
// shows up on race day as a zeroed point system, an MPH column of nonsense, a
// silent start or a "can't find file" box over the race screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/fields.h"
#include "core/setup/port_map.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

const fs::path kAppDir = QEL_APP_DIR;
const fs::path kDefaults = fs::path(QEL_SOURCE_DIR) / "data";

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The timer finds its files whatever their letter case, so the checks do too.
std::optional<fs::path> findCaseless(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (lowered(entry.path().filename().string()) == lowered(std::string(name)))
            return entry.path();
    }
    return std::nullopt;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string committed(std::string_view relative) {
    return readBytes(kDefaults / relative);
}

// The lines of a file as the timer writes it: every line closed by CR LF, no
// stray CR or LF, nothing after the last line end.
std::vector<std::string> crLfLines(const std::string& text, const std::string& name) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto lf = text.find('\n', start);
        if (lf == std::string::npos || lf == start || text[lf - 1] != '\r') {
            ADD_FAILURE() << name << ": a line not closed by CR LF at byte " << start;
            return lines;
        }
        const std::string line = text.substr(start, lf - 1 - start);
        if (line.find('\r') != std::string::npos) ADD_FAILURE() << name << ": stray CR";
        lines.push_back(line);
        start = lf + 1;
    }
    return lines;
}

struct Field {
    std::string text;
    bool quoted = false;
};

// Splits one line on the commas that stand outside quotes.
std::vector<Field> splitFields(const std::string& line) {
    std::vector<Field> fields(1);
    bool inQuotes = false;
    for (const char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
            fields.back().quoted = true;
        } else if (c == ',' && !inQuotes) {
            fields.emplace_back();
        } else {
            fields.back().text += c;
        }
    }
    return fields;
}

std::optional<long> wholeNumber(const Field& field) {
    long value = 0;
    const auto* end = field.text.data() + field.text.size();
    const auto [ptr, ec] = std::from_chars(field.text.data(), end, value);
    if (field.quoted || ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

std::vector<long> wholeNumbers(const std::string& line) {
    std::vector<long> numbers;
    for (const auto& field : splitFields(line)) {
        const auto value = wholeNumber(field);
        EXPECT_TRUE(value.has_value()) << "not a whole number: \"" << field.text << '"';
        numbers.push_back(value.value_or(-9999));
    }
    return numbers;
}

// The only line of a one-line settings file.
std::string onlyLine(std::string_view relative) {
    const auto lines = crLfLines(committed(relative), std::string(relative));
    EXPECT_EQ(lines.size(), 1u) << relative;
    return lines.empty() ? std::string() : lines.front();
}

// The colour list of Installation, in its sorted order, with the stored values.
struct LaneColour {
    const char* name;
    long value;
};
constexpr std::array<LaneColour, 8> kColours{{{"Blue", 16744576},
                                              {"Green", 65280},
                                              {"Grey", 12632256},
                                              {"Orange", 33023},
                                              {"Purple", 16711935},
                                              {"Red", 255},
                                              {"White", 16777215},
                                              {"Yellow", 65535}}};
constexpr std::array<int, 13> kScaleDenominators{1, 2, 4, 8, 10, 12, 18, 24, 25, 32, 43, 64, 72};

struct Installation {
    int laneCount = 0;
    int scaleFactor = 0;
    std::array<float, 9> trackLength{};  // lanes 1..8
    std::string trackName;
    bool nothingLeft = false;
};

Installation committedInstallation() {
    Installation result;
    auto reader = readFieldFile(kDefaults / "QelDat/QelInstallation.dat");
    result.laneCount = reader.readInteger() + 2;
    const int scaleIndex = reader.readInteger();
    if (scaleIndex >= 0 && scaleIndex < static_cast<int>(kScaleDenominators.size()))
        result.scaleFactor = kScaleDenominators[scaleIndex];
    for (int skipped = 0; skipped < 3 + 8; ++skipped)  // relay, sensor, port, colour indexes
        reader.readInteger();
    for (int lane = 1; lane <= 8; ++lane)  // colour values are Longs
        reader.readLong();
    for (int lane = 1; lane <= 8; ++lane)  // Disable boxes
        reader.readInteger();
    for (int lane = 1; lane <= 8; ++lane)
        result.trackLength[lane] = reader.readSingle();
    reader.readInteger();  // sell time
    result.trackName = reader.readString();
    result.nothingLeft = reader.atEnd();
    return result;
}

const std::vector<std::string> kSoundsEveryInstallNeeds{
    // race events, and the 40-second call the sound dialog previews
    "Race Starts in 1 min.wav", "Race Starts in 40 sec.wav", "Race Starts in 20 sec.wav",
    "Race Starts in 5 sec.wav", "Get Ready.wav", "Go.wav", "Yellow Flag.wav", "White Flag.wav",
    "Red Flag.wav", "10 Seconds Left.wav", "Heat Over.wav", "Race Over.wav", "Checkered Flag.wav",
    // start lights, lap corrections, and what every playback slot is primed with
    "beep.wav", "Add Lap.wav", "Remove Lap.wav", "goby1.wav"};

TEST(DefaultFolder, TheBuiltFolderHoldsEveryDefault) {
    const std::vector<std::pair<const char*, const char*>> expected{
        {"QelDat", "QelInstallation.dat"}, {"QelDat", "QelSpeedMultiplier.dat"},
        {"QelDat", "QelOptions.dat"},      {"QelDat", "QeRacers.dat"},
        {"QelDat", "Racers.dat"},          {"QelDat", "QelPsd.dat"},
        {"QelDat", "QelPointSystem.dat"},  {"QelDat", "RaceLag.dat"},
        {"QelDat", "formheight.dat"},      {"QelDat", "TIPOFDAY.TXT"},
        {"QelDat", "QelPorts.dat"},        {"QelSound", "QelSounds.dat"},
        {"Images", "handred.ico"},         {"Images", "racer.ico"}};
    for (const auto& [folder, name] : expected) {
        EXPECT_TRUE(findCaseless(kDefaults / folder, name))
            << "committed " << folder << '/' << name;
        EXPECT_TRUE(findCaseless(kAppDir / folder, name)) << "built " << folder << '/' << name;
    }
    EXPECT_TRUE(fs::is_directory(kAppDir / "Stats"));
}

TEST(DefaultFolder, TextFilesAreCrLfLinesOfPlainText) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kDefaults / "QelDat"))
        files.push_back(entry.path());
    files.push_back(kDefaults / "QelSound/QelSounds.dat");
    for (const auto& path : files) {
        const auto text = readBytes(path);
        const auto name = path.filename().string();
        ASSERT_FALSE(text.empty()) << name;
        // A checkout that turned CR LF into LF would fail here.
        EXPECT_FALSE(crLfLines(text, name).empty()) << name;
        // Plain ASCII reads the same in Windows-1252 and on every editor.
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](unsigned char c) {
            return c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f);
        })) << name;
    }
}

TEST(DefaultFolder, InstallationIs39FieldsWithColoursMatchingTheirIndexes) {
    const auto fields = splitFields(onlyLine("QelDat/QelInstallation.dat"));
    ASSERT_EQ(fields.size(), 39u);
    for (std::size_t i = 0; i + 1 < fields.size(); ++i)
        EXPECT_FALSE(fields[i].quoted) << "field " << i + 1;
    EXPECT_TRUE(fields[38].quoted);
    EXPECT_FALSE(fields[38].text.empty()) << "track name";

    const auto at = [&](int oneBased) { return wholeNumber(fields[oneBased - 1]).value_or(-1); };
    EXPECT_GE(at(1), 0);
    EXPECT_LE(at(1), 6);  // 2..8 lanes
    EXPECT_LT(at(2), static_cast<long>(kScaleDenominators.size()));
    EXPECT_LE(at(3), 2);
    EXPECT_LE(at(4), 1);
    EXPECT_LE(at(5), 3);
    std::set<long> coloursInUse;
    for (int lane = 1; lane <= 8; ++lane) {
        const long index = at(5 + lane);
        ASSERT_GE(index, 0) << "lane " << lane;
        ASSERT_LT(index, 8) << "lane " << lane;
        EXPECT_EQ(at(13 + lane), kColours[index].value)
            << "lane " << lane << " is " << kColours[index].name;
        coloursInUse.insert(index);
        EXPECT_TRUE(at(21 + lane) == 0 || at(21 + lane) == 1) << "lane " << lane << " Disable";
    }
    EXPECT_EQ(coloursInUse.size(), 8u) << "two lanes share a colour";

    // The timer's own reader takes the line back with its widths.
    const auto installation = committedInstallation();
    EXPECT_EQ(installation.trackName, fields[38].text);
    EXPECT_TRUE(installation.nothingLeft);
    for (int lane = 1; lane <= installation.laneCount; ++lane)
        EXPECT_GT(installation.trackLength[lane], 0.0f) << "lane " << lane;
}

TEST(DefaultFolder, SpeedMultipliersFollowLengthAndScale) {
    const auto installation = committedInstallation();
    ASSERT_GT(installation.scaleFactor, 0);
    const auto fields = splitFields(onlyLine("QelDat/QelSpeedMultiplier.dat"));
    ASSERT_EQ(fields.size(), 8u);
    for (int lane = 1; lane <= 8; ++lane) {
        const auto& text = fields[lane - 1].text;
        float stored = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), stored);
        ASSERT_TRUE(ec == std::errc{} && ptr == text.data() + text.size()) << text;
        const auto digits = std::count_if(text.begin(), text.end(),
                                          [](unsigned char c) { return std::isdigit(c); });
        EXPECT_LE(digits, 7) << "a Single holds at most 7 significant digits: " << text;
        if (lane > installation.laneCount) continue;
        // In single precision and in this order, as Installation's OK computes it.
        float expected = installation.trackLength[lane] / 5280.0f;
        expected = expected * 3600.0f;
        expected = expected * static_cast<float>(installation.scaleFactor);
        EXPECT_EQ(stored, expected) << "lane " << lane << ": " << text;
    }
}

TEST(DefaultFolder, PointSystemIsTenEightSixDownToOne) {
    EXPECT_EQ(committed("QelDat/QelPointSystem.dat"), "6,8,10,11,12,13,14,15,10,8,6,5,4,3,2,1\r\n");
}

TEST(DefaultFolder, OptionsPickOneStartMethodAndOnePowerTiming) {
    const auto numbers = wholeNumbers(onlyLine("QelDat/QelOptions.dat"));
    ASSERT_EQ(numbers.size(), 10u);
    const auto isFlag = [](long v) { return v == 0 || v == -1; };
    for (const int i : {3, 4, 5, 6, 7})
        EXPECT_TRUE(isFlag(numbers[i])) << "field " << i + 1;
    EXPECT_EQ(numbers[3] + numbers[4] + numbers[5], -1) << "exactly one start method";
    EXPECT_EQ(numbers[6] + numbers[7], -1) << "exactly one track-power timing";
    // Positions inside their lists: start delay, first lap, minimum lap time, coast time.
    EXPECT_TRUE(numbers[0] >= 0 && numbers[0] <= 30);
    EXPECT_TRUE(numbers[1] == 0 || numbers[1] == 1);
    EXPECT_TRUE(numbers[2] >= 0 && numbers[2] <= 91);
    EXPECT_TRUE(numbers[9] >= 0 && numbers[9] <= 6);
    EXPECT_TRUE(numbers[8] == 0 || numbers[8] == 1);
}

TEST(DefaultFolder, RosterAndLaneNamesAgree) {
    const auto roster = crLfLines(committed("QelDat/QeRacers.dat"), "QeRacers.dat");
    ASSERT_FALSE(roster.empty());
    std::set<std::string> names;
    for (const auto& line : roster) {
        const auto fields = splitFields(line);
        ASSERT_EQ(fields.size(), 1u) << line;
        ASSERT_TRUE(fields[0].quoted) << line;
        const auto& name = fields[0].text;
        // Proper case, as the roster dialog stores a name.
        for (std::size_t i = 0; i < name.size(); ++i) {
            const bool wordStart = i == 0 || name[i - 1] == ' ';
            const auto c = static_cast<unsigned char>(name[i]);
            if (std::isalpha(c)) {
                EXPECT_EQ(wordStart, std::isupper(c) != 0) << name;
            }
        }
        EXPECT_TRUE(names.insert(name).second) << "twice in the roster: " << name;
    }

    const auto lanes = splitFields(onlyLine("QelDat/Racers.dat"));
    ASSERT_EQ(lanes.size(), 8u);
    const auto installation = committedInstallation();
    for (int lane = 1; lane <= 8; ++lane) {
        EXPECT_TRUE(lanes[lane - 1].quoted) << "lane " << lane;
        if (lane <= installation.laneCount) {
            EXPECT_TRUE(names.count(lanes[lane - 1].text)) << "lane " << lane;
        }
    }
}

TEST(DefaultFolder, SmallSettingsFilesReadBack) {
    const auto lag = splitFields(onlyLine("QelDat/RaceLag.dat"));
    ASSERT_EQ(lag.size(), 3u);
    EXPECT_TRUE(lag[0].quoted && lag[1].quoted);
    EXPECT_TRUE(std::set<std::string>({"Lag Behind", "Lag First", "Median"}).count(lag[0].text));
    EXPECT_TRUE(std::set<std::string>({"Best Lap", "MPH", "Median"}).count(lag[1].text));
    const auto increment = wholeNumber(lag[2]);
    EXPECT_TRUE(increment && *increment >= 0 && *increment <= 5);  // "1 minute" .. "60 minutes"

    // The main window's height for the installed number of lanes.
    const auto height = wholeNumbers(onlyLine("QelDat/FormHeight.dat"));
    ASSERT_EQ(height.size(), 1u);
    EXPECT_EQ(height[0], 3525 + 615 * (committedInstallation().laneCount - 2));

    const auto password = splitFields(onlyLine("QelDat/QelPsd.dat"));
    ASSERT_EQ(password.size(), 1u);
    EXPECT_TRUE(password[0].quoted);
    EXPECT_FALSE(password[0].text.empty());

    const auto tips = crLfLines(committed("QelDat/TIPOFDAY.TXT"), "TIPOFDAY.TXT");
    EXPECT_GE(tips.size(), 15u);
    for (const auto& tip : tips)
        EXPECT_FALSE(tip.empty()) << "an empty tip would show a blank";

    // The ports file names the same devices the timer falls back on.
    const auto ports = PortMap::parse(committed("QelDat/QelPorts.dat"));
    const PortMap fallback;
    for (int port = 1; port <= 4; ++port)
        EXPECT_EQ(ports.devicePath(port), fallback.devicePath(port)) << "port " << port;
}

struct SoundTableFile {
    std::array<std::string, 3> lapSoundFile;
};

SoundTableFile committedSoundTable() {
    SoundTableFile table;
    const auto lines = crLfLines(committed("QelSound/QelSounds.dat"), "QelSounds.dat");
    EXPECT_EQ(lines.size(), 19u);
    if (lines.size() != 19u) return table;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(lines[i] == "0" || lines[i] == "1") << "line " << i + 1;
        const auto name = splitFields(lines[3 + i]);
        EXPECT_TRUE(name.size() == 1 && name[0].quoted) << lines[3 + i];
        table.lapSoundFile[i] = name[0].text;
    }
    for (int i = 6; i < 19; ++i)
        EXPECT_TRUE(lines[i] == "#TRUE#" || lines[i] == "#FALSE#") << "line " << i + 1;
    return table;
}

uint32_t little32(const std::string& b, std::size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint16_t little16(const std::string& b, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                                 static_cast<unsigned char>(b[at + 1]) << 8);
}

// The one format the playback slots take: PCM, 2 channels, 22050 Hz, 16 bits,
// and something audible in it.
std::string wavProblem(const std::string& b) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return "not a RIFF/WAVE file";
    if (little32(b, 4) + 8ull > b.size()) return "shorter than its RIFF header says";
    bool formatSeen = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id = b.substr(at, 4);
        const std::size_t size = little32(b, at + 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) return "chunk " + id + " runs past the end";
        if (id == "fmt ") {
            if (size < 16) return "short format chunk";
            if (little16(b, body) != 1) return "not PCM";
            if (little16(b, body + 2) != 2) return "not stereo";
            if (little32(b, body + 4) != 22050) return "not 22050 Hz";
            if (little32(b, body + 8) != 88200 || little16(b, body + 12) != 4)
                return "wrong byte rate or block alignment";
            if (little16(b, body + 14) != 16) return "not 16-bit";
            formatSeen = true;
        } else if (id == "data") {
            if (!formatSeen) return "data before format";
            if (size == 0 || size % 4 != 0) return "no whole stereo frames";
            int peak = 0;
            for (std::size_t i = body; i + 1 < body + size; i += 2)
                peak = std::max(peak, std::abs(static_cast<int16_t>(little16(b, i))));
            return peak > 1000 ? "" : "silent";
        }
        at = body + size + (size & 1);
    }
    return "no data chunk";
}

TEST(DefaultFolder, EverySoundNamedIsAPlayableWaveInTheBuiltFolder) {
    const auto table = committedSoundTable();
    auto needed = kSoundsEveryInstallNeeds;
    needed.insert(needed.end(), table.lapSoundFile.begin(), table.lapSoundFile.end());
    for (const auto& name : needed) {
        SCOPED_TRACE(name);
        const auto path = findCaseless(kAppDir / "QelSound", name);
        ASSERT_TRUE(path) << "missing from " << (kAppDir / "QelSound");
        EXPECT_EQ(wavProblem(readBytes(*path)), "");
    }
}

TEST(DefaultFolder, WaveCheckCatchesWhatTheSlotsCannotPlay) {
    // A good 4-frame stereo file, then the same with one fault each.
    const auto make = [](uint16_t tag, uint16_t channels, uint32_t rate, int16_t sample) {
        std::string b = "RIFF....WAVEfmt ";
        const auto put32 = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b += static_cast<char>(v >> (8 * i) & 0xff);
        };
        const auto put16 = [&](uint16_t v) {
            b += static_cast<char>(v & 0xff);
            b += static_cast<char>(v >> 8);
        };
        put32(16);
        put16(tag);
        put16(channels);
        put32(rate);
        put32(88200);
        put16(4);
        put16(16);
        b += "data";
        put32(16);
        for (int i = 0; i < 8; ++i)
            put16(static_cast<uint16_t>(sample));
        const auto riff = static_cast<uint32_t>(b.size() - 8);
        for (int i = 0; i < 4; ++i)
            b[4 + i] = static_cast<char>(riff >> (8 * i) & 0xff);
        return b;
    };
    EXPECT_EQ(wavProblem(make(1, 2, 22050, 9000)), "");
    EXPECT_EQ(wavProblem(make(3, 2, 22050, 9000)), "not PCM");
    EXPECT_EQ(wavProblem(make(1, 1, 22050, 9000)), "not stereo");
    EXPECT_EQ(wavProblem(make(1, 2, 44100, 9000)), "not 22050 Hz");
    EXPECT_EQ(wavProblem(make(1, 2, 22050, 0)), "silent");
    EXPECT_EQ(wavProblem(make(1, 2, 22050, 9000).substr(0, 50)),
              "shorter than its RIFF header says");
}

TEST(DefaultFolder, PointerImagesAreIcons) {
    for (const fs::path& folder : {kDefaults / "Images", kAppDir / "Images"}) {
        for (const char* name : {"handred.ico", "racer.ico"}) {
            SCOPED_TRACE((folder / name).string());
            const auto b = readBytes(folder / name);
            ASSERT_GE(b.size(), 6u + 16u);
            EXPECT_EQ(b.substr(0, 4), std::string("\0\0\1\0", 4));
            EXPECT_GE(little16(b, 4), 1);
            EXPECT_EQ(static_cast<unsigned char>(b[6]), 32u);  // width
            EXPECT_EQ(static_cast<unsigned char>(b[7]), 32u);  // height
            EXPECT_LE(static_cast<std::size_t>(little32(b, 14)) + little32(b, 18), b.size());
        }
    }
}

// The build's copy step, run on a folder that already holds a race director's
// settings under other letter cases: nothing of theirs is replaced or doubled.
TEST(DefaultFolder, CopyingDefaultsKeepsWhatIsThere) {
    test::TempFolder app;
    app.write("qeldat/FORMHEIGHT.DAT", "6600\r\n");
    app.write("qeldat/QelOptions.dat", "0,1,0,-1,0,0,0,-1,0,0\r\n");
    const std::string command = std::string("\"") + QEL_CMAKE_COMMAND + "\" -DSOURCE=\"" +
                                (kDefaults / "QelDat").string() + "\" -DAPP_DIR=\"" +
                                app.path().string() + "\" -DFOLDER=QelDat -P \"" +
                                (kDefaults / "copy_missing.cmake").string() + "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::vector<std::string> folders;
    for (const auto& entry : fs::directory_iterator(app.path()))
        folders.push_back(entry.path().filename().string());
    EXPECT_EQ(folders, std::vector<std::string>{"qeldat"});
    EXPECT_EQ(readBytes(app.path() / "qeldat/FORMHEIGHT.DAT"), "6600\r\n");
    EXPECT_FALSE(fs::exists(app.path() / "qeldat/FormHeight.dat"));
    EXPECT_EQ(readBytes(app.path() / "qeldat/QelOptions.dat"), "0,1,0,-1,0,0,0,-1,0,0\r\n");
    EXPECT_EQ(readBytes(app.path() / "qeldat/QelPointSystem.dat"),
              committed("QelDat/QelPointSystem.dat"));
}

}  // namespace
}  // namespace qel
