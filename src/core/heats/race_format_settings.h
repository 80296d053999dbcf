#pragma once
// The race set-up the race director last confirmed in the Race Format dialog,
// plus the heat options of the Options dialog that travel with it, and the
// binary file QelRaceFormatSettings.dat that keeps them between runs.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/io/data_folder.h"

namespace qel {

inline constexpr std::string_view kRaceFormatFileName = "QelRaceFormatSettings.dat";

// Fields in file order. Strings are UTF-8 here and Windows-1252 on disk.
struct RaceFormatSettings {
    int16_t raceFormat = 0;
    std::string raceLimitKind;
    int16_t timeListIndex = 0;
    float raceMinutes = 0;
    int16_t lapsListIndex = 0;
    int16_t raceLaps = 0;
    int16_t sequenceOption = 0;  // 0 Straight, 1 European, 2 Custom
    std::array<std::string, 3> sequenceText{};
    int16_t autoDelay = 0;
    int16_t viewDelayListIndex = 0;
    int16_t demoMode = 0;
    std::string raceFormatName;
    int16_t viewDelaySeconds = 0;
    int16_t rotateDelaySeconds = 0;
    int16_t heatRotation = 0;  // -1 True, 0 False
    int16_t autoPrint = 0;
    int16_t autoDisplayResults = 0;
    int16_t rotateDelayListIndex = 0;

    bool operator==(const RaceFormatSettings&) const = default;
};

// The record as stored: little-endian numbers, each string a 16-bit length
// and its bytes, no padding. A string too long for its length field is cut
// at 65535 bytes so the record always reads back.
std::string raceFormatRecordBytes(const RaceFormatSettings& record);

// Reads one record from the start of bytes; anything after it is ignored.
// A file that ends inside the record, or a string length running past the
// end, throws QelError naming source.
RaceFormatSettings parseRaceFormatRecord(std::string_view bytes, const std::string& source);

// Fills record from the file; on any failure throws QelError and leaves
// record as it was.
void ReadRaceFormatFile(const std::filesystem::path& path, RaceFormatSettings& record);

// Puts the record at the start of the file. Bytes beyond it, left by a longer
// earlier record, stay where they were; the file is still replaced whole and
// atomically, so a crash mid-save never leaves half a record.
void WriteRaceFormatFile(const std::filesystem::path& path, const RaceFormatSettings& record);

std::filesystem::path raceFormatFilePath(const AppFolder& folder);

// The first-run set-up: Practice, 1 minute, 5 laps, Straight, demo mode on,
// and the custom sequence extended by the lane digits from laneCount down to 1.
// Fields without a default keep their current values. Writes the file.
void DefaultRaceFormatFile(const AppFolder& folder, RaceFormatSettings& record, int laneCount);
// The same defaults without touching the disk.
void applyRaceFormatDefaults(RaceFormatSettings& record, int laneCount);

// What opening the Race Format dialog reads: a missing or empty file is
// first replaced by the defaults. Throws QelError (record unchanged) when the
// file cannot be read or is damaged.
void loadRaceFormatSettings(const AppFolder& folder, RaceFormatSettings& record, int laneCount);

}  // namespace qel
