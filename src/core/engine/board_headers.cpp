#include "core/engine/board_headers.h"

#include "core/io/fields.h"

namespace qel {

namespace {

constexpr const char* kRaceLagFile = "RaceLag.dat";
// Written under this spelling; found under any.
constexpr const char* kFormHeightFile = "FormHeight.dat";

}  // namespace

std::string nextLagCaption(const std::string& current, bool practiceMode) {
    if (practiceMode) return current == "Median" ? "Best Lap" : "Median";
    if (current == "Lag Behind") return "Lag First";
    if (current == "Lag First") return "Median";
    return "Lag Behind";
}

std::string nextBestLapCaption(const std::string& current, bool practiceMode,
                               int16_t sellTimeEnabled) {
    const bool timeSold = sellTimeEnabled == 1;
    if (current == "Best Lap") return "MPH";
    if (practiceMode) {
        if (current == "MPH") return timeSold ? "Time Left" : "Best Lap";
        return "Best Lap";
    }
    if (current == "MPH") return "Median";
    if (current == "Median") return timeSold ? "Time Left" : "Best Lap";
    return "Best Lap";
}

std::string nextLapCaption(const std::string& current, int16_t raceFormat) {
    if (raceFormat < 5 || raceFormat > 8) return current;
    return current == "Lap" ? "T-Laps" : "Lap";
}

HeaderChoice readRaceLagFile(const AppFolder& folder) {
    FieldReader in = readFieldFile(folder.dataFile(kRaceLagFile));
    HeaderChoice choice;
    choice.lagCaption = in.readString();
    choice.bestLapCaption = in.readString();
    choice.timeIncrementIndex = in.readInteger();
    return choice;
}

void writeRaceLagFile(const AppFolder& folder, HeaderChoice choice) {
    if (choice.lagCaption.empty()) choice.lagCaption = "Lag First";
    if (choice.bestLapCaption.empty()) choice.bestLapCaption = "Best Lap";
    FieldWriter out;
    out.writeString(choice.lagCaption)
        .writeString(choice.bestLapCaption)
        .writeInteger(choice.timeIncrementIndex)
        .endLine();
    writeFieldFile(folder.dataFile(kRaceLagFile), out);
}

int16_t formHeightFor(int laneCount, int16_t current) {
    if (laneCount < 2 || laneCount > 8) return current;
    return static_cast<int16_t>(3525 + 615 * (laneCount - 2));
}

int16_t readFormHeightFile(const AppFolder& folder) {
    return readFieldFile(folder.dataFile(kFormHeightFile)).readInteger();
}

void writeFormHeightFile(const AppFolder& folder, int16_t formHeight) {
    FieldWriter out;
    out.writeInteger(formHeight).endLine();
    writeFieldFile(folder.dataFile(kFormHeightFile), out);
}

}  // namespace qel
