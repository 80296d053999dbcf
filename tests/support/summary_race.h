#pragma once
// A race state with everything the summary outputs read beside it: the set-up
// in force, the track, the board and the point system, for tests of the
// summary figures, grid and text file.
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/engine/race_setup.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/records/record_sources.h"
#include "core/records/records_state.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel::test {

// A record file of the fixtures, byte for byte as it lies on disk.
inline std::string recordFixture(const std::string& name) {
    std::ifstream in(std::string(QEL_FIXTURES_DIR) + "/records/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Positions of the Installation dialog's colour list (kLaneColours).
enum LaneColourIndex : int16_t {
    kBlueIndex = 0,
    kGreenIndex = 1,
    kOrangeIndex = 3,
    kRedIndex = 5,
    kYellowIndex = 7,
};

struct SummaryRace {
    SummaryRace() {
        options = defaultOptions();
        raceSettings.raceFormat = kLapRace;
        raceSettings.raceFormatName = "Lap Race";
        beginWithLap(1);
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            state->bestLapMs[lane] = kNoBestLap;
            state->speedMultiplier[lane] = 654.5455f;  // 30 ft at 1:32
        }
    }

    // Races begin with lap 0 (firstLapOffset -1) or lap 1 (0).
    void beginWithLap(int firstLap) { options.firstLapIndex = static_cast<int16_t>(firstLap); }
    void practice() {
        raceSettings.raceFormat = kPractice;
        raceSettings.raceFormatName = "Practice";
    }

    void lane(int lane, const std::string& racer, int16_t colourIndex, int32_t colour) {
        state->laneRacerName[lane] = racer;
        installation.laneColorIndex[lane] = colourIndex;
        installation.laneColor[lane] = colour;
    }

    // The laps as the lap counter stores them, from lap number `from` (0 for
    // the start-to-line lap): both lap stores, the count, the total time and
    // the best lap (laps after the first).
    void laps(int lane, int from, const std::vector<float>& seconds) {
        int32_t totalMs = 0;
        int lap = from;
        for (const float time : seconds) {
            state->lapTimes[lane][lap] = time;
            state->sortedLapTimes[lane][lap] = time;
            const auto ms = static_cast<int32_t>(time * 1000.0 + 0.5);
            totalMs += ms;
            if (lap > 1 && ms < state->bestLapMs[lane]) state->bestLapMs[lane] = ms;
            ++lap;
        }
        state->lapCount[lane] = static_cast<int16_t>(lap - 1);
        state->lastPassMs[lane] = totalMs;
    }

    RecordSources sources() {
        return {*state, RaceSetup{raceSettings, options}, installation, board, points, records};
    }

    std::unique_ptr<RaceState> state = std::make_unique<RaceState>();
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    InstallationSettings installation;
    RaceBoard board;
    PointSystem points;
    RecordsState records;
};

}  // namespace qel::test
