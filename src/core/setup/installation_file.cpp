#include "core/setup/installation_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "core/io/errors.h"
#include "core/io/fields.h"
#include "core/io/number_text.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

constexpr int kRowTwips = 315;

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Reads one whole number of a field and checks it against the list it indexes,
// so a damaged file is refused before any lane table is indexed with it.
class CheckedReader {
  public:
    CheckedReader(FieldReader& reader, std::string source)
        : reader_(reader), source_(std::move(source)) {}

    int16_t integer(std::string_view what, int low, int high) {
        ++field_;
        const int16_t value = reader_.readInteger();
        check(what, value, low, high);
        return value;
    }
    int32_t colour(std::string_view what) {
        ++field_;
        const int32_t value = reader_.readLong();
        check(what, value, 0, kWhite);
        return value;
    }
    float length() {
        ++field_;
        return reader_.readSingle();
    }
    std::string text() {
        ++field_;
        return reader_.readString();
    }

  private:
    void check(std::string_view what, int64_t value, int64_t low, int64_t high) const {
        if (value >= low && value <= high) return;
        throw QelError(source_ + " is damaged: " + std::string(what) + " (field " +
                       std::to_string(field_) + ") is " + std::to_string(value) +
                       ", which is not in its list");
    }

    FieldReader& reader_;
    std::string source_;
    int field_ = 0;
};

std::string laneName(std::string_view what, int lane) {
    return std::string(what) + " of lane " + std::to_string(lane);
}

int16_t scaleDenominator(std::string_view entry) {
    const auto colon = entry.find(':');
    int16_t value = 0;
    for (const char c : entry.substr(colon + 1))
        value = static_cast<int16_t>(value * 10 + (c - '0'));
    return value;
}

}  // namespace

std::string_view laneColourName(const InstallationSettings& settings, int lane) {
    if (lane < 1 || lane > kMaxLanes) return {};
    const int index = settings.laneColorIndex[lane];
    if (index < 0 || index >= static_cast<int>(kLaneColours.size())) return {};
    return kLaneColours[index].name;
}

void convertScale(InstallationSettings& settings, std::string_view scaleText) {
    for (const auto entry : kScaleEntries) {
        if (entry == scaleText) {
            settings.scaleFactor = scaleDenominator(entry);
            return;
        }
    }
}

float speedMultiplierFor(float trackLength, int16_t scaleFactor) {
    float miles = trackLength / 5280.0f;
    const float milesPerHour = miles * 3600.0f;
    return milesPerHour * static_cast<float>(scaleFactor);
}

void computeSpeedMultipliers(InstallationSettings& settings) {
    if (settings.scaleIndex >= 0 && settings.scaleIndex < static_cast<int>(kScaleEntries.size()))
        convertScale(settings, kScaleEntries[settings.scaleIndex]);
    const int lanes = std::min<int>(settings.laneCount, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane)
        settings.speedMultiplier[lane] =
            speedMultiplierFor(settings.trackLength[lane], settings.scaleFactor);
}

namespace {

// The factors as the installation gives them, to the precision the file keeps.
bool factorsMatch(const InstallationSettings& settings) {
    InstallationSettings expected = settings;
    computeSpeedMultipliers(expected);
    const int lanes = std::min<int>(settings.laneCount, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        const float want = expected.speedMultiplier[lane];
        if (std::fabs(settings.speedMultiplier[lane] - want) > 1e-4f * std::max(1.0f, want))
            return false;
    }
    return true;
}

}  // namespace

bool loadSpeedMultipliers(const AppFolder& folder, InstallationSettings& settings) {
    try {
        readSpeedMultiplierFile(folder, settings);
        if (factorsMatch(settings)) return true;
    } catch (const QelError&) {
    }
    computeSpeedMultipliers(settings);
    writeSpeedMultiplierFile(folder, settings);
    return false;
}

bool isNumericText(std::string_view text) {
    const auto value = parseNumberText(trimBlanks(text));
    // A length beyond what the file can hold would come back as nonsense.
    return value && std::isfinite(static_cast<float>(*value));
}

float trackLengthValue(std::string_view text) {
    if (!isNumericText(text)) return 0.0f;
    return static_cast<float>(*parseNumberText(trimBlanks(text)));
}

std::optional<int> firstNonNumericTrackLength(const LaneTable<std::string>& lengthTexts,
                                              int laneCount) {
    const int lanes = std::min(laneCount, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        if (!isNumericText(lengthTexts[lane])) return lane;
    }
    return std::nullopt;
}

InstallationWindowSize installationWindowSize(int laneCount) {
    const int hiddenRows = kMaxLanes - laneCount;
    return {3000 - kRowTwips * hiddenRows, 6630 - kRowTwips * hiddenRows,
            5570 - kRowTwips * hiddenRows};
}

std::string installationFileText(const InstallationSettings& s) {
    FieldWriter writer;
    writer.writeInteger(s.laneCountIndex)
        .writeInteger(s.scaleIndex)
        .writeInteger(s.relayIndex)
        .writeInteger(s.sensorTypeIndex)
        .writeInteger(s.commPortIndex);
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        writer.writeInteger(s.laneColorIndex[lane]);
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        writer.writeInteger(s.laneColor[lane]);
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        writer.writeInteger(s.laneDisabled[lane]);
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        writer.writeSingle(s.trackLength[lane]);
    writer.writeInteger(s.sellTimeEnabled).writeString(s.trackName).endLine();
    return writer.text();
}

void parseInstallationFile(const std::string& text, const std::string& source,
                           InstallationSettings& settings) {
    FieldReader fields(text, source);
    CheckedReader in(fields, source);
    InstallationSettings read = settings;
    read.laneCountIndex = in.integer("the number of lanes", 0, kLaneCountEntries.size() - 1);
    read.scaleIndex = in.integer("the scale", 0, kScaleEntries.size() - 1);
    read.relayIndex = in.integer("the relay", 0, kRelayEntries.size() - 1);
    read.sensorTypeIndex = in.integer("the sensor type", 0, kSensorTypeEntries.size() - 1);
    // A port the list no longer offers falls back to the first one.
    read.commPortIndex = in.integer("the port", INT16_MIN, INT16_MAX);
    if (read.commPortIndex < 0 || read.commPortIndex >= static_cast<int>(kCommPortEntries.size()))
        read.commPortIndex = 0;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        read.laneColorIndex[lane] =
            in.integer(laneName("the colour", lane), -1, kLaneColours.size() - 1);
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        read.laneColor[lane] = in.colour(laneName("the colour value", lane));
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        read.laneDisabled[lane] = in.integer(laneName("the Disable box", lane), 0, 1);
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        read.trackLength[lane] = in.length();
    read.sellTimeEnabled = in.integer("Sell Time by Lane", 0, 1);
    read.trackName = in.text();

    read.laneCount = static_cast<int16_t>(read.laneCountIndex + 2);
    read.commPort = static_cast<int16_t>(read.commPortIndex + 1);
    convertScale(read, kScaleEntries[read.scaleIndex]);
    settings = std::move(read);
}

void readInstallationFile(const AppFolder& folder, InstallationSettings& settings) {
    const auto path = folder.dataFile(kInstallationFileName);
    parseInstallationFile(readTextFile(path, kMaxInstallationFileBytes), shownFileName(path),
                          settings);
}

InstallationSettings defaultInstallation() {
    // Byte for byte the QelInstallation.dat the program ships with.
    static const std::string kFirstRunFile =
        "2,9,0,0,0,5,6,0,7,1,3,4,2,255,16777215,16744576,65535,65280,33023,16711935,12632256,0,0,0,"
        "0,0,0,0,0,30,30,30,30,30,30,30,30,0,\"Club Raceway\"\r\n";
    InstallationSettings settings;
    parseInstallationFile(kFirstRunFile, "the first-run installation", settings);
    computeSpeedMultipliers(settings);
    return settings;
}

void writeInstallationFile(const AppFolder& folder, const InstallationSettings& settings) {
    writeTextFileAtomic(folder.dataFile(kInstallationFileName), installationFileText(settings));
}

std::string speedMultiplierFileText(const InstallationSettings& settings) {
    FieldWriter writer;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        writer.writeSingle(settings.speedMultiplier[lane]);
    return writer.endLine().text();
}

void parseSpeedMultiplierFile(const std::string& text, const std::string& source,
                              InstallationSettings& settings) {
    FieldReader fields(text, source);
    LaneTable<float> read = settings.speedMultiplier;
    const int lanes = std::clamp<int>(settings.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane)
        read[lane] = fields.readSingle();
    try {
        for (int lane = lanes + 1; lane <= kMaxLanes && !fields.atEnd(); ++lane)
            read[lane] = fields.readSingle();
    } catch (const QelError&) {
        // Lanes not in use are not shown; what they held in memory stays.
    }
    settings.speedMultiplier = read;
}

void readSpeedMultiplierFile(const AppFolder& folder, InstallationSettings& settings) {
    const auto path = folder.dataFile(kSpeedMultiplierFileName);
    parseSpeedMultiplierFile(readTextFile(path, kMaxInstallationFileBytes), shownFileName(path),
                             settings);
}

void writeSpeedMultiplierFile(const AppFolder& folder, const InstallationSettings& settings) {
    writeTextFileAtomic(folder.dataFile(kSpeedMultiplierFileName),
                        speedMultiplierFileText(settings));
}

void storeInstallation(const AppFolder& folder, InstallationSettings& settings,
                       const LaneTable<std::string>& lengthTexts) {
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        settings.trackLength[lane] = trackLengthValue(lengthTexts[lane]);
    settings.laneCount = static_cast<int16_t>(settings.laneCountIndex + 2);
    settings.commPort = static_cast<int16_t>(settings.commPortIndex + 1);
    writeInstallationFile(folder, settings);
    computeSpeedMultipliers(settings);
    writeSpeedMultiplierFile(folder, settings);
}

void applyInstallation(const InstallationSettings& settings, RaceState& state) {
    state.laneCount = settings.laneCount;
    state.commPort = settings.commPort;
    state.trackName = settings.trackName;
    state.trackLength = settings.trackLength;
    state.speedMultiplier = settings.speedMultiplier;
    state.laneColor = settings.laneColor;
    state.laneColorIndex = settings.laneColorIndex;
    state.laneDisabled = settings.laneDisabled;
    state.sellTimeEnabled = settings.sellTimeEnabled;
}

}  // namespace qel
