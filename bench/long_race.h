#pragma once
// The long race the record benchmarks measure: 8 lanes, the leader on all 3000 laps and
// each lane behind three laps fewer, with the board's figures a redraw would have left.
#include <memory>
#include <optional>
#include <string>

#include "core/engine/race_setup.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/records/record_sources.h"
#include "core/records/records_state.h"
#include "core/seams/prompter.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel::bench {

// Answers every message with OK and counts them: a benchmark must not be asked anything.
class SilentPrompter : public Prompter {
  public:
    MessageAnswer message(const std::string&, const std::string&, MessageIcon, MessageButtons,
                          DefaultButton) override {
        ++messages;
        return MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    int messages = 0;
};

struct LongRace {
    LongRace() {
        RaceState& s = *state;
        s.laneCount = 8;
        s.raceTitle = "3000 Lap Race";
        s.raceStamp = "Mar-05, 20-15";
        raceSettings.raceFormat = kLapRace;
        raceSettings.raceFormatName = "Lap Race";
        options = defaultOptions();
        options.firstLapIndex = 1;  // races begin with lap 1
        for (int lane = 1; lane <= 8; ++lane) {
            const int laps = kMaxLap - (lane - 1) * 3;
            s.lapCount[lane] = static_cast<int16_t>(laps);
            int32_t total = 0;
            int32_t best = kNoBestLap;
            for (int lap = 1; lap <= laps; ++lap) {
                const int32_t ms = 4000 + (lap * 37 + lane * 101) % 900;
                s.lapTimes[lane][lap] = static_cast<float>(ms) / 1000.0f;
                s.sortedLapTimes[lane][lap] = s.lapTimes[lane][lap];
                total += ms;
                if (ms < best) best = ms;
            }
            s.lastPassMs[lane] = total;
            s.bestLapMs[lane] = best;
            s.speedMultiplier[lane] = 654.5455f;
            s.laneRacerName[lane] = "Racer " + std::to_string(lane);
            s.runningOrder[lane] = static_cast<int16_t>(lane);
            s.lanePosition[lane] = static_cast<int16_t>(lane);
            s.lagFirstText[lane] = lane == 1 ? "" : std::to_string((lane - 1) * 3) + "L";
            s.lagBehindText[lane] = lane == 1 ? "" : "3L";
        }
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
    SilentPrompter prompter;
};

}  // namespace qel::bench
