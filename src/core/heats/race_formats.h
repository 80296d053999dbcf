#pragma once
// The nine ways a race can be run, what choosing each one does to the race
// set-up, and the race-length lists the Race Format dialog offers.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/heats/race_format_settings.h"
#include "core/state/race_state.h"

namespace qel {

enum class RaceLength { None, Minutes, Laps };

inline constexpr std::string_view kMinutesCaption = "Number of Minutes";
inline constexpr std::string_view kLapsCaption = "Number of Laps";

// Which heat options of the Options dialog a format allows.
struct HeatOptionsAllowed {
    bool autoDelay;
    bool autoPrint;
    bool autoDisplayResults;
};

struct RaceFormatRule {
    std::string_view text;
    RaceLength length;
    bool heatRotation;
    bool practiceMode;
    // Rotation formats race exactly one racer per lane, so the lanes fix the field.
    bool racerCountIsLaneCount;
    HeatOptionsAllowed options;
};

inline constexpr int kRaceFormatCount = 9;
inline constexpr std::array<RaceFormatRule, kRaceFormatCount> kRaceFormats{{
    {"Practice", RaceLength::None, false, true, false, {false, false, false}},
    {"Practice with Rotation", RaceLength::Minutes, true, true, false, {true, false, false}},
    {"Lap Race", RaceLength::Laps, false, false, false, {false, false, false}},
    {"Timed Race", RaceLength::Minutes, false, false, false, {false, false, false}},
    {"Championship", RaceLength::Laps, true, false, false, {true, false, true}},
    {"Round Robin", RaceLength::Minutes, true, false, false, {true, true, true}},
    {"Rotation Race", RaceLength::Minutes, true, false, true, {true, true, true}},
    {"Round Robin Lap Heats", RaceLength::Laps, true, false, false, {true, true, true}},
    {"Rotation Race Lap Heats", RaceLength::Laps, true, false, true, {true, true, true}},
}};

// The rule of a format by its list position; a number no list holds (a
// damaged settings file) is run as Practice, the one format that changes nothing.
const RaceFormatRule& raceFormatRule(int raceFormat);
// The list position of a format text, or nullopt.
std::optional<int> raceFormatNumber(std::string_view text);

// What the dialog shows after a format is chosen.
struct RaceFormatControls {
    // The length list shown (Minutes or Laps); nullopt leaves the lists as
    // they were, greyed out, as Practice does.
    std::optional<RaceLength> shownList;
    bool lengthEnabled = false;  // label and shown list
    // New caption of the length label; nullopt leaves it as it was.
    std::optional<std::string_view> lengthCaption;
    HeatOptionsAllowed options{};
    bool rotationEnabled = false;    // sequence frame, its options and labels
    bool customTextEnabled = false;  // only with Custom chosen as well
    bool raceResultsMenuVisible = false;
    bool pointSystemEnabled = false;
};

// Choosing a format in the list: sets heatRotation, raceFormatName and
// autoPrint in the record, and tells the dialog what to show. sequenceOption
// is the option button chosen at the time. What the format means for the
// race (practice, heats, one racer per lane) is its rule, read when the
// record is in force.
RaceFormatControls chooseRaceFormat(int raceFormat, int sequenceOption,
                                    RaceFormatSettings& settings);

// --- Race length lists -------------------------------------------------------

// "0.1", "0.25" ... "3.75", "4", "5" ... "25", "30" ... "580": 149 entries.
const std::vector<std::string>& minutesEntries();
// "1" ... "15", "20" ... "3000". The lap store ends at lap 3000, so a longer
// race could never be finished: the entries "3005" to "3015" are left out.
const std::vector<std::string>& lapsEntries();
inline constexpr int kLongestLapRace = 3000;

// A stored list position as the list can show it: out-of-range positions
// (a damaged file, or a laps position from a longer list) take the nearest end.
int clampedMinutesIndex(int index);
int clampedLapsIndex(int index);
// The race length an entry stands for.
float minutesAt(int index);
int16_t lapsAt(int index);

// --- Sequence choice ---------------------------------------------------------

inline constexpr std::string_view kCustomSequenceTitle = "Custom Sequence";
inline constexpr std::string_view kCustomSequenceMessage =
    "Enter numbers that corrrespond to Lane numbers only.\r\n"
    "Or use \"0\"(zero) where needed for sit-outs.";
inline constexpr std::string_view kSequenceTooLongMessage =
    "A sequence can hold at most 200 positions, one per heat.\r\n"
    "Shorten the custom sequence.";

// The message that refuses a custom text on OK, or nullopt when it is fine.
std::optional<std::string_view> customSequenceProblem(std::string_view text, int laneCount);

// activeSequence for the chosen option (0 Straight, 1 European, 2 Custom).
std::string chosenSequence(int sequenceOption, std::string_view straight, std::string_view european,
                           std::string_view custom);
// Lanes 1..laneCount a custom sequence never uses; their names leave the board.
std::vector<int> lanesOutsideSequence(std::string_view sequence, int laneCount);

}  // namespace qel
