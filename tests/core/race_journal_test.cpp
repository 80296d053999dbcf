// The race journal's writer over a recording store: what each showing of the
// board adds, from the start of a race to its end.
#include "core/journal/race_journal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/io/errors.h"
#include "core/seams/virtual_time.h"
#include "core/setup/options_file.h"

namespace qel {
namespace {

class RecordingStore : public JournalStore {
  public:
    int64_t beginRace(const JournalRace& race, const std::vector<JournalLane>& lanes,
                      const std::vector<JournalHeatRacer>& racers) override {
        if (failing) throw QelError("disk full");
        races.push_back(race);
        raceLanes = lanes;
        // A heat's first table goes in with the race.
        if (!racers.empty()) heatTables.push_back(racers);
        startTables.push_back(racers);
        return static_cast<int64_t>(races.size());
    }
    void recordHeatRacers(int64_t, const std::vector<JournalHeatRacer>& racers) override {
        heatTables.push_back(racers);
    }
    void record(int64_t, const JournalBatch& batch) override {
        if (failing) throw QelError("disk full");
        batches.push_back(batch);
    }
    void endRace(int64_t race, double, const std::string& outcome) override {
        ends.push_back(std::to_string(race) + " " + outcome);
    }
    std::optional<int64_t> interruptedRace() override { return std::nullopt; }
    std::optional<JournalRecord> loadRace(int64_t) override { return std::nullopt; }
    std::string location() const override { return "memory"; }

    std::vector<std::string> events() const {
        std::vector<std::string> out;
        for (const auto& batch : batches)
            for (const auto& e : batch.events)
                out.push_back(e.kind + (e.detail.empty() ? "" : " " + e.detail));
        return out;
    }
    std::vector<JournalLap> laps() const {
        std::vector<JournalLap> out;
        for (const auto& batch : batches)
            out.insert(out.end(), batch.laps.begin(), batch.laps.end());
        return out;
    }

    bool failing = false;
    std::vector<JournalRace> races;
    std::vector<JournalLane> raceLanes;
    std::vector<JournalBatch> batches;
    std::vector<std::string> ends;
    std::vector<std::vector<JournalHeatRacer>> heatTables;
    // The table each race began with, empty for a race outside the heats.
    std::vector<std::vector<JournalHeatRacer>> startTables;
};

class RaceJournalTest : public ::testing::Test {
  protected:
    RaceJournalTest() {
        s.laneCount = 2;
        s.laneRacerName[1] = "Ann";
        s.laneRacerName[2] = "Bob";
        s.raceTitle = "5 Lap Race";
        raceSettings.raceFormat = kLapRace;
        raceSettings.raceFormatName = "Lap Race";
        raceSettings.raceLaps = 5;
        options = defaultOptions();
        options.firstLapIndex = 1;  // races begin with lap 1
        s.lapCount.fill(0);
    }

    // A lap counted as the lap counter would store it.
    void lap(int lane, int32_t lapMs) {
        s.elapsedMs = s.lastPassMs[lane] + lapMs;
        ++s.lapCount[lane];
        s.lapTimes[lane][s.lapCount[lane]] = static_cast<float>(lapMs) / 1000.0f;
        s.lastPassMs[lane] = s.elapsedMs;
        if (s.bestLapMs[lane] == 0 || lapMs < s.bestLapMs[lane]) s.bestLapMs[lane] = lapMs;
    }
    void show(StartState state, int flag) {
        board.startState = state;
        board.flagPicture = flag;
        journal.boardShown();
    }

    std::unique_ptr<RaceState> state = std::make_unique<RaceState>();
    RaceState& s = *state;
    RaceBoard board;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    HeatTables heats;
    InstallationSettings installation;
    VirtualScheduler time{46000.5};
    RecordingStore store;
    RaceJournal journal{store,
                        {s, board, RaceSetup{raceSettings, options}, heats, installation, time}};
};

TEST_F(RaceJournalTest, ARaceFromStartToFlagGoesInAsItHappens) {
    show(StartState::Start, kFlagIdle);
    EXPECT_TRUE(store.races.empty());

    show(StartState::Pause, kFlagGreen);
    ASSERT_EQ(store.races.size(), 1u);
    EXPECT_EQ(store.races[0].title, "5 Lap Race");
    EXPECT_EQ(store.races[0].laps, 5);
    EXPECT_EQ(store.races[0].firstLapOffset, 0);
    ASSERT_EQ(store.raceLanes.size(), 2u);
    EXPECT_EQ(store.raceLanes[1].racer, "Bob");
    EXPECT_TRUE(store.startTables[0].empty()) << "no series outside the heats";
    EXPECT_EQ(store.races[0].activeSequence, "");

    lap(1, 4200);
    show(StartState::Pause, kFlagGreen);
    // Two laps of lane 2 between two showings: each with its own crossing.
    lap(2, 4500);
    lap(2, 4100);
    show(StartState::Pause, kFlagWhite);
    show(StartState::Continue, kFlagYellow);
    show(StartState::Pause, kFlagGreen);
    show(StartState::Pause, kFlagGreen);  // nothing new: nothing written
    lap(1, 4000);
    show(StartState::Reset, kFlagCheckered);

    const auto laps = store.laps();
    ASSERT_EQ(laps.size(), 4u);
    EXPECT_EQ(laps[0].lane, 1);
    EXPECT_EQ(laps[0].lap, 1);
    EXPECT_EQ(laps[0].lapMs, 4200);
    EXPECT_EQ(laps[0].raceMs, 4200);
    EXPECT_EQ(laps[1].lap, 1);
    EXPECT_EQ(laps[1].raceMs, 4500);
    EXPECT_EQ(laps[2].lap, 2);
    EXPECT_EQ(laps[2].raceMs, 8600);
    EXPECT_EQ(laps[2].bestMs, 4100);
    EXPECT_EQ(laps[3].racer, "Ann");
    EXPECT_EQ(store.events(),
              (std::vector<std::string>{"start", "flag 1", "flag 3", "pause", "flag 5", "continue",
                                        "flag 1", "flag 6", "end"}));
    // A batch per showing that added something; the start goes in before the race's first.
    EXPECT_EQ(store.batches.size(), 7u);
    EXPECT_EQ(store.ends, (std::vector<std::string>{"1 finished"}));
    EXPECT_FALSE(journal.race().has_value());
}

TEST_F(RaceJournalTest, AnAbortedRaceEndsStoppedAndTheNextOneIsARaceOfItsOwn) {
    show(StartState::Pause, kFlagGreen);
    lap(1, 4200);
    show(StartState::Continue, kFlagYellow);
    show(StartState::Start, kFlagIdle);
    EXPECT_EQ(store.ends, (std::vector<std::string>{"1 stopped"}));

    s.lapCount.fill(0);
    show(StartState::Pause, kFlagGreen);
    EXPECT_EQ(store.races.size(), 2u);
    EXPECT_EQ(journal.race(), 2);
}

TEST_F(RaceJournalTest, AJournalThatCannotBeWrittenNeverStopsTheRace) {
    store.failing = true;
    show(StartState::Pause, kFlagGreen);
    EXPECT_EQ(board.recordsNotice, "The race journal could not be written: disk full");
    lap(1, 4200);
    show(StartState::Pause, kFlagGreen);
    EXPECT_TRUE(store.batches.empty());
}

TEST_F(RaceJournalTest, AHeatOfASeriesKeepsTheSeriesRacerTableAtItsStartAndEnd) {
    raceSettings.raceFormat = kRoundRobin;
    heats.racerCount = 3;
    heats.currentHeat = 2;
    heats.heatCount = 3;
    heats.activeSequence = "120";
    heats.heatRacers[1].name = "Ann";
    heats.heatRacers[1].startLane = 1;
    heats.heatRacers[1].bestLap.fill(kNoBestLap);
    heats.heatRacers[1].bestLap[1] = 4100;
    heats.heatRacers[1].adjustInLane[1] = -2;
    heats.heatRacers[3].name = "Cy";
    heats.heatRacers[3].sitOutNumber = 1;
    show(StartState::Pause, kFlagGreen);
    ASSERT_EQ(store.races.size(), 1u);
    EXPECT_EQ(store.races[0].heat, 2);
    EXPECT_EQ(store.races[0].heatCount, 3);
    // What rebuilding the series needs goes in with the heat.
    EXPECT_EQ(store.races[0].activeSequence, "120");
    EXPECT_EQ(store.races[0].racerCount, 3);
    ASSERT_EQ(store.startTables.size(), 1u);
    ASSERT_EQ(store.heatTables.size(), 1u);
    ASSERT_EQ(store.heatTables[0].size(), 3u);
    EXPECT_EQ(store.heatTables[0][2].name, "Cy");
    EXPECT_EQ(store.heatTables[0][2].sitOutNumber, 1);
    EXPECT_EQ(store.heatTables[0][0].bestLapInLane,
              "4100,999999,999999,999999,999999,999999,999999,999999");
    EXPECT_EQ(store.heatTables[0][0].adjustInLane, "-2,0,0,0,0,0,0,0");

    heats.heatRacers[1].lapsInLane[2] = 7;
    heats.heatRacers[1].totalLaps = 19;
    show(StartState::Rotate, kFlagRed);
    ASSERT_EQ(store.heatTables.size(), 2u);
    EXPECT_EQ(store.heatTables[1][0].lapsInLane, "0,7,0,0,0,0,0,0");
    EXPECT_EQ(store.heatTables[1][0].totalLaps, 19);
    EXPECT_EQ(store.ends, (std::vector<std::string>{"1 finished"}));
    // The table the heat began with stays as it was.
    EXPECT_EQ(store.startTables[0][0].lapsInLane, "0,0,0,0,0,0,0,0");
}

}  // namespace
}  // namespace qel
