#pragma once
// The one race state of the program: the settings in force, the per-lane
// counters and lap times of the race or heat being run, the running order,
// the race clock and the flags that drive the end of a race.
//
// Per-lane tables are indexed by lane 1..8 (index 0 unused) whatever the
// number of lanes in use, so every rule reads as the race director says it:
// "lane 3's best lap" is bestLapMs[3]. Lanes above laneCount keep their values
// and are never counted, drawn or compared.
#include <array>
#include <cstdint>
#include <string>

namespace qel {

inline constexpr int kMaxLanes = 8;
// The largest lap number the lap store holds; also "no finish lap yet".
inline constexpr int kMaxLap = 3000;
inline constexpr int32_t kNoBestLap = 999999;
inline constexpr int32_t kNoCoastDeadline = 2147483647;
// A lane's first hit after a reset passes the debounce even at time 0.
inline constexpr int32_t kNoHitYet = -1000;
// Colours as one number: red + 256 × green + 65536 × blue.
inline constexpr int32_t kWhite = 16777215;

template <typename T>
using LaneTable = std::array<T, kMaxLanes + 1>;

// Lap times in seconds, lane 1..8 by lap number 0..3000.
using LapStore = std::array<std::array<float, kMaxLap + 1>, kMaxLanes + 1>;

enum RaceFormat : int16_t {
    kPractice = 0,
    kPracticeWithRotation = 1,
    kLapRace = 2,
    kTimedRace = 3,
    kChampionship = 4,
    kRoundRobin = 5,
    kRotationRace = 6,
    kRoundRobinLapHeats = 7,
    kRotationRaceLapHeats = 8,
};

struct RaceState {
    // --- The track, as Installation last applied it ---
    // (The race format, its length, demo mode and the Options values are not
    // kept here: the race reads them from their own records, see RaceSetup.)
    int16_t laneCount = 0;
    int16_t commPort = 0;
    std::string trackName;
    LaneTable<float> trackLength{};
    LaneTable<float> speedMultiplier{};
    LaneTable<int32_t> laneColor{};
    LaneTable<int16_t> laneColorIndex{};
    LaneTable<int16_t> laneDisabled{};
    int16_t sellTimeEnabled = 0;
    LaneTable<std::string> laneRacerName{};
    std::string lagCaption;
    std::string bestLapCaption;
    int16_t formHeight = 0;

    // --- Per-lane race counters (milliseconds of elapsedMs) ---
    LaneTable<int16_t> lapCount{};
    LaneTable<int16_t> finishLap{};
    LaneTable<int32_t> lastPassMs{};
    LaneTable<int32_t> lastHitMs{};
    LaneTable<int32_t> shownLapMs{};
    LaneTable<int32_t> bestLapMs{};
    LapStore lapTimes{};
    LapStore sortedLapTimes{};
    LaneTable<std::string> medianText{};
    LaneTable<std::string> lagBehindText{};
    LaneTable<std::string> lagFirstText{};

    // --- Summary figures written back by whichever report last computed them;
    // never cleared by a race start, so a report that does not recompute one
    // shows the value computed before ---
    LaneTable<float> averageLap{};
    LaneTable<int16_t> crashCount{};
    LaneTable<int16_t> crashPercent{};

    // --- Standings: position -> lane and lane -> position ---
    LaneTable<int16_t> runningOrder{};
    LaneTable<int16_t> lanePosition{};

    // --- Race progress ---
    int32_t elapsedMs = 0;
    int16_t redrawCountdown = 0;
    bool leaderFinished = false;
    bool whiteFlagShown = false;
    int32_t coastDeadlineMs = kNoCoastDeadline;
    int16_t raceOverHandled = 0;
    int16_t tenSecondWarned = 0;
    std::string raceStamp;
    bool lapsUnsaved = false;
    bool summaryUnsaved = false;
    std::string raceTitle;
    int16_t hitLane = 0;
    char rxChar = 0;
    std::string rxDigits;

    // --- Track call ---
    double lastPauseTime = 0;  // time of day (day count) of the last pause acted on

    // --- Race clock display ---
    int32_t clockSeconds = 0;
    int32_t clockMinutes = 0;

    // --- Sold running time per lane ---
    LaneTable<double> laneTimeRemaining{};  // day count
    LaneTable<int16_t> laneTimeRunning{};   // -1 while the lane's sold time runs
    int16_t timeIncrementIndex = 0;         // the selling window's increment choice

    // --- Demo generator, drawn at every race start ---
    LaneTable<int32_t> demoNextLapMs{};
    LaneTable<int32_t> demoSpreadMs{};
    LaneTable<int32_t> demoMeanMs{};
    LaneTable<int16_t> demoCrashPct{};
};

// Every lane's best lap back to "none".
void ResetBestLaps(RaceState& state);
// Lap times of lanes 1..8, laps 0..3000, back to 0.
void ClearLapTimes(RaceState& state);
// The sorted copy likewise.
void ResetSortedLapTimesArray(RaceState& state);

}  // namespace qel
