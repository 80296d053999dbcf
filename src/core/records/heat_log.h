#pragma once
// The running heat log of the statistics folder: after every heat of a heat
// format one block (the heat, the date, a header of lanes, one record per
// racer with the laps or points in each lane and the total), archived by
// month at start-up once it grows past 50000 bytes.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/io/data_folder.h"
#include "core/state/heat_tables.h"

namespace qel {

inline constexpr std::uintmax_t kHeatLogArchiveBytes = 50000;

// Stats/DefaultRaceFile.txt
std::filesystem::path heatLogPath(const AppFolder& folder);

// Appends the block of the heat just finished (creating the file and the
// statistics folder when missing). now is the time of day as a day count.
void AppendHeatLog(const std::filesystem::path& logPath, const HeatTables& heats, int laneCount,
                   bool championship, double now);

// At start-up: a log over 50000 bytes is renamed to "DefaultRaceFile" + year
// and month + ".txt" beside it; when that name is taken, a free name beside it
// is used, so no archive is ever lost. Returns the archive's path when one was made.
std::optional<std::filesystem::path> RotateHeatLog(const std::filesystem::path& logPath,
                                                   double now);

}  // namespace qel
