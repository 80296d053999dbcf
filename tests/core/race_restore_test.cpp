// A heat of a series put back from the race journal after the program stopped
// in it: the heat as it stood, the earlier heats' results intact, and the
// series going on to its last heat. A journal that holds a damaged series is
// never read outside the heat tables: its heat is refused.
#include "core/journal/race_restore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/heats/heat_race_end.h"
#include "core/heats/heat_results.h"
#include "core/heats/race_formats.h"
#include "core/heats/rotation.h"
#include "core/io/data_folder.h"
#include "core/io/errors.h"
#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/race_end_fakes.h"
#include "support/race_setup.h"
#include "support/recording_sound_device.h"
#include "support/recording_windows.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

// A journal kept in memory that reads its races back as the journal file does:
// laps by their crossing, the racer table the heat started with.
class MemoryJournal : public JournalStore {
  public:
    struct Kept {
        JournalRecord record;
        std::vector<JournalHeatRacer> atEnd;
        std::string outcome;  // empty while the race runs
    };

    int64_t beginRace(const JournalRace& race, const std::vector<JournalLane>& lanes,
                      const std::vector<JournalHeatRacer>& heatRacers) override {
        Kept kept;
        kept.record.race = race;
        kept.record.lanes = lanes;
        kept.record.heatRacers = heatRacers;
        races.push_back(kept);
        return static_cast<int64_t>(races.size());
    }
    void recordHeatRacers(int64_t race, const std::vector<JournalHeatRacer>& racers) override {
        at(race).atEnd = racers;
    }
    void record(int64_t race, const JournalBatch& batch) override {
        JournalRecord& r = at(race).record;
        r.laps.insert(r.laps.end(), batch.laps.begin(), batch.laps.end());
        r.events.insert(r.events.end(), batch.events.begin(), batch.events.end());
    }
    void endRace(int64_t race, double, const std::string& outcome) override {
        at(race).outcome = outcome;
    }
    std::optional<int64_t> interruptedRace() override {
        for (auto i = static_cast<int64_t>(races.size()); i >= 1; --i)
            if (at(i).outcome.empty()) return i;
        return std::nullopt;
    }
    std::optional<JournalRecord> loadRace(int64_t race) override {
        if (race < 1 || race > static_cast<int64_t>(races.size())) return std::nullopt;
        JournalRecord record = at(race).record;
        std::stable_sort(record.laps.begin(), record.laps.end(),
                         [](const JournalLap& a, const JournalLap& b) {
                             return a.raceMs != b.raceMs ? a.raceMs < b.raceMs : a.lane < b.lane;
                         });
        return record;
    }
    std::string location() const override { return "memory"; }

    Kept& at(int64_t race) { return races.at(static_cast<std::size_t>(race - 1)); }

    std::vector<Kept> races;
};

// One run of the program over the application folder: the engine with the
// heats' scoring and the journal, the board shown after every tick and press.
struct ProgramRun {
    ProgramRun(const AppFolder& folder, VirtualScheduler& time, JournalStore& store)
        : engine(*app, {folder, port, time, time, random, prompter, device}),
          heatEnd(app->heats, app->race),
          journal(store,
                  {app->race, app->board, engine.setup(), app->heats, app->installation, time}) {
        engine.attachWindows(&windows);
        engine.handover().add(heatEnd);
        engine.Form_Load({[] {}});
        // The race director's start: the heats go green at the press.
        test::useStartMethod(app->options, StartMethod::Instant);
        engine.setTickObserver([this] { journal.boardShown(); });
        prompter.clear();
    }

    void press() {
        engine.control().cmdStart_Click();
        journal.boardShown();
    }
    std::string caption() const { return startCaptionOf(app->board.startState); }

    std::unique_ptr<AppState> app = makeAppState();
    test::FakeTimingPort port;
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6}};
    test::ScriptedPrompter prompter;
    test::RecordingSoundDevice device;
    RaceEngine engine;
    test::RecordingWindows windows;
    HeatRaceEnd heatEnd;
    RaceJournal journal;
};

// What a racer's line of the series' table holds.
struct RacerResult {
    std::string name;
    LaneTable<int16_t> lapsInLane;
    int16_t totalLaps;
    LaneTable<int16_t> pointsInLane;
    int16_t totalPoints;
    LaneTable<int32_t> bestLap;
    bool operator==(const RacerResult&) const = default;
};

std::vector<RacerResult> resultsOf(const HeatTables& heats) {
    std::vector<RacerResult> results;
    for (int racer = 1; racer <= heats.racerCount; ++racer) {
        const HeatRacer& r = heats.heatRacers[racer];
        results.push_back(
            {r.name, r.lapsInLane, r.totalLaps, r.pointsInLane, r.totalPoints, r.bestLap});
    }
    return results;
}

class HeatRestoreTest : public ::testing::Test {
  protected:
    HeatRestoreTest() { test::layOutApplicationFolder(folder); }

    std::unique_ptr<ProgramRun> launch() {
        return std::make_unique<ProgramRun>(appFolder, time, journal);
    }

    // A Round Robin of six racers on the four lanes, 30-second heats in demo
    // mode, Straight "1234": racers 5 and 6 wait in sit-out slots 1 and 2.
    static void setUpRoundRobin(ProgramRun& run) {
        AppState& app = *run.app;
        RaceFormatSettings& f = app.raceSettings;
        f.raceFormat = kRoundRobin;
        f.raceFormatName = "Round Robin";
        f.raceLimitKind = std::string(kMinutesCaption);
        const auto& minutes = minutesEntries();
        f.timeListIndex = static_cast<int16_t>(std::find(minutes.begin(), minutes.end(), "0.5") -
                                               minutes.begin());
        f.raceMinutes = 0.5f;
        f.heatRotation = -1;
        f.autoDelay = 0;
        f.demoMode = 1;
        HeatTables& heats = app.heats;
        const std::array<const char*, 6> names{"Ann", "Bob", "Cy", "Dee", "Eve", "Fay"};
        heats.racerCount = 6;
        for (int racer = 1; racer <= 6; ++racer) {
            HeatRacer& r = heats.heatRacers[racer];
            r.name = names[racer - 1];
            r.startLane = static_cast<int16_t>(racer <= 4 ? racer : 0);
            r.sitOutNumber = static_cast<int16_t>(racer <= 4 ? 0 : racer - 4);
        }
        heats.activeSequence = straightSequence(4);
        BuildRotation(heats, heats.racerCount, heats.activeSequence);
        heats.currentHeat = 1;
        ShowHeatRacers(heats, app.race.laneCount, app.race, app.board);
        run.engine.title().UpdateRaceTitle();
    }

    // Runs the heat under way to its end, the board on "Rotate" or "Reset".
    void runHeat(ProgramRun& run) {
        for (int ms = 0; ms < 60000 && run.caption() == "Pause"; ms += 100)
            time.advance(100);
    }

    test::TempFolder folder;
    AppFolder appFolder{folder.path()};
    VirtualScheduler time{46000.5};
    MemoryJournal journal;
};

TEST_F(HeatRestoreTest, HeatThreeOfSixComesBackAsItStoodAndTheSeriesGoesOnToHeatSix) {
    // The first run: heats 1 and 2 raced and scored, heat 3 stopped dead 12 s in.
    auto first = launch();
    setUpRoundRobin(*first);
    ASSERT_EQ(first->app->heats.heatCount, 6);
    for (int heat = 1; heat <= 2; ++heat) {
        first->press();
        ASSERT_EQ(first->caption(), "Pause");
        runHeat(*first);
        ASSERT_EQ(first->caption(), "Rotate") << "heat " << heat;
        first->press();  // Rotate: the next heat's racers on their lanes
    }
    first->press();
    ASSERT_EQ(first->app->heats.currentHeat, 3);
    for (int ms = 0; ms < 12000; ms += 100)
        time.advance(100);
    ASSERT_EQ(first->caption(), "Pause");
    const HeatTables& was = first->app->heats;
    const std::vector<RacerResult> standing = resultsOf(was);
    const LaneTable<int16_t> laps = first->app->race.lapCount;
    const LaneTable<int32_t> best = first->app->race.bestLapMs;
    for (int lane = 1; lane <= 4; ++lane)
        ASSERT_GT(laps[lane], 1) << "lane " << lane;
    // The earlier heats left laps and points on the table.
    ASSERT_GT(standing[0].totalLaps, laps[3]);
    const std::string title = first->app->race.raceTitle;
    std::array<std::string, 5> shownRows;  // the board's rows, in running order
    for (int row = 1; row <= 4; ++row)
        shownRows[row] = first->app->board.rows[row].name.text;
    first.reset();  // no closing steps, as after a crash

    // The next start offers heat 3; Yes puts it back into a fresh program.
    auto second = launch();
    second->prompter.answer(MessageAnswer::Yes);
    OfferInterruptedRace(journal, second->engine, second->journal);
    ASSERT_EQ(second->prompter.messages().size(), 1u);
    EXPECT_EQ(second->prompter.messageTexts()[0].rfind(
                  "The last race was interrupted (Demo - Round Robin #3/6, ", 0),
              0u)
        << second->prompter.messageTexts()[0];
    AppState& app = *second->app;
    const HeatTables& heats = app.heats;
    EXPECT_EQ(heats.currentHeat, 3);
    EXPECT_EQ(heats.heatCount, 6);
    EXPECT_EQ(heats.racerCount, 6);
    EXPECT_EQ(heats.activeSequence, "123400");
    EXPECT_EQ(app.raceSettings.raceFormat, kRoundRobin);
    EXPECT_TRUE(second->engine.setup().heatRotation());
    // Heat 3 of "123400": the sit-out racers on lanes 1 and 2, Ann and Bob on 3 and 4.
    const std::array<std::string, 5> heat3{"", "Eve", "Fay", "Ann", "Bob"};
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_EQ(app.race.laneRacerName[lane], heat3[lane]) << "lane " << lane;
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(app.board.rows[row].name.text, shownRows[row]) << "row " << row;
    EXPECT_EQ(app.race.raceTitle, title);
    // Heats 1 and 2 as they were, heat 3's laps counted again to its racers.
    EXPECT_EQ(resultsOf(heats), standing);
    EXPECT_EQ(app.race.lapCount, laps);
    EXPECT_EQ(app.race.bestLapMs, best);
    EXPECT_EQ(second->caption(), "Continue");
    EXPECT_EQ(second->journal.race(), 3);

    // Continue finishes heat 3 and the series rotates on through heat 6.
    second->press();
    ASSERT_EQ(second->caption(), "Pause");
    for (int heat = 3; heat <= 6; ++heat) {
        runHeat(*second);
        EXPECT_EQ(heats.currentHeat, heat);
        if (heat < 6) {
            ASSERT_EQ(second->caption(), "Rotate") << "heat " << heat;
            second->press();
            second->press();
            ASSERT_EQ(second->caption(), "Pause") << "heat " << heat + 1;
        }
    }
    EXPECT_EQ(second->caption(), "Reset");
    EXPECT_EQ(app.board.banner, "Race Over");
    // Every racer raced every lane once; the first two heats' laps stayed in.
    for (int racer = 1; racer <= 6; ++racer) {
        const HeatRacer& r = heats.heatRacers[racer];
        for (int heat = 1; heat <= 2; ++heat) {
            const int lane = heats.heatLane[racer][heat];
            if (lane != 0) {
                EXPECT_EQ(r.lapsInLane[lane], standing[racer - 1].lapsInLane[lane])
                    << "racer " << racer << " heat " << heat;
            }
        }
        for (int lane = 1; lane <= 4; ++lane)
            EXPECT_GT(r.lapsInLane[lane], 0) << "racer " << racer << " lane " << lane;
    }
    // The journal holds each heat once: heat 3 went on as itself and finished.
    ASSERT_EQ(journal.races.size(), 6u);
    for (int heat = 1; heat <= 6; ++heat) {
        EXPECT_EQ(journal.at(heat).record.race.heat, heat);
        EXPECT_EQ(journal.at(heat).outcome, "finished") << "heat " << heat;
    }
}

// The race director's corrections in the results window: one between heats
// and two in heat 3, one of which moves a lane's counter on the board. The
// journal keeps each with its heat, and heat 3 comes back with them.
TEST_F(HeatRestoreTest, CorrectionsFromTheResultsComeBackWithTheirHeat) {
    auto first = launch();
    setUpRoundRobin(*first);
    test::RecordingPlayer player;
    HeatResults results({first->app->race, first->app->heats, first->engine.setup(),
                         first->app->installation, player, appFolder});
    // Right-clicks (or left) the cell of racer in lane, as the window passes it on.
    const auto correct = [&](int racer, int lane, PressButton button) {
        results.FillResultsGrid();
        results.mnuAdjustLaps();
        const GridModel& grid = results.grdRR();
        for (int row = 1; row < grid.rows(); ++row) {
            if (grid.textMatrix(row, 0) != std::to_string(racer)) continue;
            ASSERT_NE(results.cellPressed(row, lane + 1, button), CellPress::Ignored);
            first->journal.correction(*results.lastCorrection());
            first->journal.boardShown();
            return;
        }
        FAIL() << "no row for racer " << racer;
    };
    for (int heat = 1; heat <= 2; ++heat) {
        first->press();
        runHeat(*first);
        ASSERT_EQ(first->caption(), "Rotate");
        // Between heats 1 and 2: Ann gets a lap more in lane 1.
        if (heat == 1) correct(1, 1, PressButton::Left);
        first->press();
    }
    EXPECT_EQ(journal.at(1).record.events.back().kind, kCorrectionEvent);
    EXPECT_EQ(journal.at(1).record.events.back().detail, "1,1,1,laps,board");
    first->press();
    for (int ms = 0; ms < 8000; ms += 100)
        time.advance(100);
    // In heat 3: Eve, on lane 1, loses a lap (the board's counter with it);
    // Bob's lane 2 of heat 1 gains one.
    const int16_t eveLaps = first->app->race.lapCount[1];
    correct(5, 1, PressButton::Right);
    ASSERT_EQ(first->app->race.lapCount[1], eveLaps - 1);
    correct(2, 2, PressButton::Left);
    for (int ms = 0; ms < 4000; ms += 100)
        time.advance(100);
    const std::vector<RacerResult> standing = resultsOf(first->app->heats);
    const LaneTable<int16_t> laps = first->app->race.lapCount;
    first.reset();

    // The journal took every lap after the correction as the lap it is.
    int lastEveLap = 0;
    for (const JournalLap& lap : journal.at(3).record.laps)
        if (lap.lane == 1) lastEveLap = std::max(lastEveLap, lap.lap);
    EXPECT_EQ(lastEveLap, laps[1]);

    auto second = launch();
    second->prompter.answer(MessageAnswer::Yes);
    OfferInterruptedRace(journal, second->engine, second->journal);
    EXPECT_EQ(resultsOf(second->app->heats), standing);
    EXPECT_EQ(second->app->race.lapCount, laps);
}

TEST(Corrections, ReadBackOnlyAsTheWindowMakesThem) {
    const ResultCorrection lap{3, 2, -1, false, true};
    EXPECT_EQ(correctionText(lap), "3,2,-1,laps,board");
    EXPECT_EQ(parseCorrection(correctionText(lap)), lap);
    const ResultCorrection point{12, 8, 1, true, false};
    EXPECT_EQ(parseCorrection(correctionText(point)), point);
    for (const char* damaged :
         {"", "3,2,-1", "3,2,2,laps", "0,2,1,laps", "201,2,1,laps", "3,9,1,laps", "3,2,1,goals",
          "3,2,1,laps,floor", "x,2,1,laps", "3,2,1,laps,board,again"})
        EXPECT_EQ(parseCorrection(damaged), std::nullopt) << damaged;
}

// --- A damaged series ---------------------------------------------------------

// Heat 3 of a six-racer Round Robin on four lanes as the journal keeps it.
JournalRecord heatThreeOfSix() {
    JournalRecord record;
    JournalRace& race = record.race;
    race.format = kRoundRobin;
    race.formatName = "Round Robin";
    race.title = "Round Robin #3/6";
    race.lanes = 4;
    race.minutes = 0.5;
    race.heat = 3;
    race.heatCount = 6;
    race.activeSequence = "123400";
    race.racerCount = 6;
    const std::array<const char*, 6> names{"Ann", "Bob", "Cy", "Dee", "Eve", "Fay"};
    for (int racer = 1; racer <= 6; ++racer) {
        record.heatRacers.push_back({racer, names[racer - 1], racer <= 4 ? racer : 0,
                                     "5,6,0,0,0,0,0,0", 11, "4,3,0,0,0,0,0,0", 7,
                                     racer <= 4 ? 0 : racer - 4, "4100,4200,999999,999999,0,0,0,0",
                                     "0,-1,0,0,0,0,0,0"});
    }
    record.lanes = {{1, "Eve", 255, false, 1},
                    {2, "Fay", 255, false, 1},
                    {3, "Ann", 255, false, 1},
                    {4, "Bob", 255, false, 1}};
    record.laps = {{1, 0, 3000, 3000, 0, "Eve"}};
    return record;
}

TEST(JournalledSeries, AWholeSeriesReadsBackAsTheHeatsTables) {
    const std::optional<JournalledSeries> series = journalledSeries(heatThreeOfSix());
    ASSERT_TRUE(series.has_value());
    EXPECT_EQ(series->heat, 3);
    EXPECT_EQ(series->sequence, "123400");
    ASSERT_EQ(series->racers.size(), 7u);
    const HeatRacer& fay = series->racers[6];
    EXPECT_EQ(fay.name, "Fay");
    EXPECT_EQ(fay.sitOutNumber, 2);
    EXPECT_EQ(fay.lapsInLane[2], 6);
    EXPECT_EQ(fay.bestLap[3], kNoBestLap);
    EXPECT_EQ(fay.adjustInLane[2], -1);
    EXPECT_EQ(fay.totalPoints, 7);
    EXPECT_TRUE(restorable(heatThreeOfSix()));
}

struct DamagedCase {
    const char* what;
    void (*damage)(JournalRecord&);
};

const DamagedCase kDamaged[] = {
    {"racer count 500", [](JournalRecord& r) { r.race.racerCount = 500; }},
    {"no racers", [](JournalRecord& r) { r.race.racerCount = 0; }},
    {"sequence with junk",
     [](JournalRecord& r) {
         r.race.activeSequence =
             "12\xff"
             "4:0";
     }},
    {"sequence naming lane 9", [](JournalRecord& r) { r.race.activeSequence = "129400"; }},
    {"sequence longer than the heats",
     [](JournalRecord& r) {
         r.race.activeSequence = std::string(kMaxHeats + 1, '1');
         r.race.heatCount = kMaxHeats + 1;
     }},
    {"heat 0", [](JournalRecord& r) { r.race.heat = 0; }},
    {"heat 7 of 6", [](JournalRecord& r) { r.race.heat = 7; }},
    {"heat count the sequence does not give", [](JournalRecord& r) { r.race.heatCount = 9; }},
    {"racer missing", [](JournalRecord& r) { r.heatRacers.pop_back(); }},
    {"racer twice", [](JournalRecord& r) { r.heatRacers[5].racer = 5; }},
    {"racer number past the table", [](JournalRecord& r) { r.heatRacers[5].racer = 100000; }},
    {"start lane 9", [](JournalRecord& r) { r.heatRacers[0].startLane = 9; }},
    {"sit-out slot past the racers", [](JournalRecord& r) { r.heatRacers[4].sitOutNumber = 999; }},
    {"laps of two lanes only", [](JournalRecord& r) { r.heatRacers[0].lapsInLane = "5,6"; }},
    {"laps past what a lane holds",
     [](JournalRecord& r) { r.heatRacers[0].lapsInLane = "5,70000,0,0,0,0,0,0"; }},
    {"points with junk",
     [](JournalRecord& r) { r.heatRacers[0].pointsInLane = "4,x,0,0,0,0,0,0"; }},
    {"total past its field", [](JournalRecord& r) { r.heatRacers[0].totalLaps = 40000; }},
    // A heat journalled before the series was kept: nothing of it.
    {"older journal",
     [](JournalRecord& r) {
         r.race.activeSequence.clear();
         r.race.racerCount = 0;
         r.heatRacers.clear();
     }},
    {"older journal's racer table",
     [](JournalRecord& r) {
         for (JournalHeatRacer& racer : r.heatRacers) {
             racer.bestLapInLane.clear();
             racer.adjustInLane.clear();
         }
     }},
};

TEST_F(HeatRestoreTest, ADamagedSeriesIsRefusedAndItsHeatLeftInTheJournalAsInterrupted) {
    for (const DamagedCase& c : kDamaged) {
        SCOPED_TRACE(c.what);
        JournalRecord record = heatThreeOfSix();
        c.damage(record);
        EXPECT_FALSE(journalledSeries(record).has_value());
        EXPECT_FALSE(restorable(record));

        // Put back by hand, it changes nothing.
        auto run = launch();
        const int16_t racers = run->app->heats.racerCount;
        EXPECT_THROW(RestoreRace(record, 1, run->engine, run->journal), QelError);
        EXPECT_EQ(run->caption(), "Start");
        EXPECT_EQ(run->app->heats.racerCount, racers);
        EXPECT_FALSE(run->journal.race().has_value());

        // At start-up it is not offered, and is kept as interrupted.
        journal.races.clear();
        journal.beginRace(record.race, record.lanes, record.heatRacers);
        journal.record(1, {record.laps, {}, "", 0});
        OfferInterruptedRace(journal, run->engine, run->journal);
        EXPECT_TRUE(run->prompter.messages().empty());
        EXPECT_EQ(journal.at(1).outcome, "interrupted");
        EXPECT_EQ(run->caption(), "Start");
    }
}

}  // namespace
}  // namespace qel
