#pragma once
// The board's toggling column headers, and the two small files that carry
// the race director's choice of headers and the window height from run to run.
#include <cstdint>
#include <string>

#include "core/io/data_folder.h"

namespace qel {

// What a click on each header steps to. A caption that is not a choice of the
// current mode goes to the mode's first choice.
std::string nextLagCaption(const std::string& current, bool practiceMode);
std::string nextBestLapCaption(const std::string& current, bool practiceMode,
                               int16_t sellTimeEnabled);
// Only formats 5 to 8 toggle the lap header; the others keep "Lap".
std::string nextLapCaption(const std::string& current, int16_t raceFormat);

// The contents of RaceLag.dat.
struct HeaderChoice {
    std::string lagCaption;
    std::string bestLapCaption;
    int16_t timeIncrementIndex = 0;
};

HeaderChoice readRaceLagFile(const AppFolder& folder);
// Empty captions are stored as the headers' resting choices.
void writeRaceLagFile(const AppFolder& folder, HeaderChoice choice);

// The main window's height in twips for a lane count, or current when the
// count is not 2 to 8.
int16_t formHeightFor(int laneCount, int16_t current);
int16_t readFormHeightFile(const AppFolder& folder);
void writeFormHeightFile(const AppFolder& folder, int16_t formHeight);

}  // namespace qel
