// The program killed mid-race (SIGKILL, as a crash or a pulled plug would stop
// it) in real mode against the box simulator, started again, and the race put
// back from its journal: every lap the killed program had counted, to the
// millisecond, and the race going on at Continue.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QProcess>
#include <QTest>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "box_simulator_process.h"
#include "core/seams/uniform_random.h"
#include "main_window_program.h"
#include "platform/qt_timers.h"
#include "platform/sdl_sound_device.h"
#include "platform/serial_port.h"
#include "support/journal_query.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

// The laps the journal holds (of one race, or of all): (lane, lap) -> lap time in ms.
std::map<std::pair<int, int>, int64_t> journalledLaps(const fs::path& file, int64_t race = 0) {
    std::map<std::pair<int, int>, int64_t> laps;
    sqlite3* db = nullptr;
    const std::string query = "SELECT lane, lap, lap_ms FROM laps" +
                              (race > 0 ? " WHERE race = " + std::to_string(race) : std::string());
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                laps[{sqlite3_column_int(statement, 0), sqlite3_column_int(statement, 1)}] =
                    sqlite3_column_int64(statement, 2);
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return laps;
}

// The killed program's folder on the box: the desk killed once a condition on
// its journal holds, then the program started again on the same folder and box.
class RaceKillRestore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
        test::copyShippedApplicationFolder(folder);
        test::pointPortOneAt(folder, box.link());
    }

    // The desk started with these arguments after the folder, killed with
    // SIGKILL once killWhen() holds.
    void killDeskWhen(const QStringList& arguments, const std::function<bool()>& killWhen,
                      int timeoutMs) {
        QProcess desk;
        desk.start(QStringLiteral(QEL_BINARY_DIR "/tests/qel-race-desk"),
                   QStringList{QString::fromStdString(folder.path().string())} + arguments);
        ASSERT_TRUE(desk.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor(killWhen, timeoutMs))
            << desk.readAllStandardOutput().toStdString()
            << desk.readAllStandardError().toStdString() << box.diagnostics();
        desk.kill();
        ASSERT_TRUE(desk.waitForFinished(5000));
    }

    // The program started again, the question answered Yes.
    void restart() {
        program = std::make_unique<test::MainWindowProgram>(folder.path(), port, clock, timers,
                                                            random, sound);
        program->prompter.answer(MessageAnswer::Yes);
        program->start();
        ASSERT_EQ(program->prompter.messages().size(), 1u);
        EXPECT_EQ(program->prompter.messageTexts()[0].rfind("The last race was interrupted", 0),
                  0u);
    }

    // Every lap the journal holds is on the board's lap store, to the millisecond.
    void expectLapsBack(const std::map<std::pair<int, int>, int64_t>& laps) {
        const RaceState& s = program->engine.state();
        for (const auto& [lane, lap] : lastLapOf(laps))
            EXPECT_EQ(s.lapCount[lane], lap) << "lane " << lane;
        for (const auto& [key, ms] : laps) {
            EXPECT_EQ(std::llround(s.lapTimes[key.first][key.second] * 1000.0), ms)
                << "lane " << key.first << " lap " << key.second;
        }
        EXPECT_EQ(program->startCaption(), "Continue");
    }

    static std::map<int, int> lastLapOf(const std::map<std::pair<int, int>, int64_t>& laps) {
        std::map<int, int> lastLap;
        for (const auto& [key, ms] : laps)
            lastLap[key.first] = std::max(lastLap[key.first], key.second);
        return lastLap;
    }

    test::TempFolder folder;
    test::BoxSimulator box{folder.path(), 11, "1=1200,2=1300,3=1400,4=1800"};
    const AppFolder app{folder.path()};
    const fs::path journal = folder.path() / "Stats" / "RaceJournal.sqlite";
    platform::SerialPort port{app};
    platform::QtClock clock;
    platform::QtTimerService timers;
    UniformRandom random{5};
    platform::SdlSoundDevice sound;
    std::unique_ptr<test::MainWindowProgram> program;
};

TEST_F(RaceKillRestore, AKilledRaceComesBackWithEveryLapItHadCounted) {
    test::changeOptionsFile(app, [](OptionsSettings& o) {
        o.minLapTimeIndex = 2;  // half a second
    });
    test::writeRaceFormatFile(app, 0);

    // A practice on the box, killed once a dozen laps are in the journal.
    killDeskWhen(
        {}, [&] { return journalledLaps(journal).size() >= 12; }, 20000);
    // What the box sent is in the journal beside the laps made of it.
    EXPECT_GT(std::stoll(test::journalQuery(
                  journal, "SELECT coalesce(sum(length(bytes)), 0) FROM box_input")),
              100);
    const auto laps = journalledLaps(journal);

    // Started again on the same folder and box: Yes, and the race is back.
    restart();
    expectLapsBack(laps);

    // Continue: the box is asked, the race goes on, every lane counts again.
    const RaceState& s = program->engine.state();
    program->pressStart();
    ASSERT_EQ(program->startCaption(), "Pause") << program->prompter.messageTexts().size();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const auto& [lane, lap] : lastLapOf(laps)) {
                if (s.lapCount[lane] <= lap) return false;
            }
            return true;
        },
        15000))
        << box.diagnostics();
}

// The same in the middle of a heat series: a Round Robin of six on the box,
// Auto-Delay on, killed in heat 3 of 6, started again and put back with the
// first two heats' results as they stood, heat 3's laps to the millisecond,
// and the series rolling on to heat 4 by itself after Continue.
TEST_F(RaceKillRestore, AKilledHeatComesBackAndTheSeriesGoesOn) {
    test::layOutBoxHeatNight(folder);
    // Real mode with five seconds to view a heat's result and five to count down.
    RaceFormatSettings format;
    DefaultRaceFormatFile(app, format, test::kSimulatorLanes);
    format.demoMode = 0;
    format.autoDelay = 1;
    format.viewDelayListIndex = 0;
    format.viewDelaySeconds = 5;
    format.rotateDelayListIndex = 0;
    format.rotateDelaySeconds = 5;
    WriteRaceFormatFile(raceFormatFilePath(app), format);

    const auto heat3Laps = [&] {
        const std::string count =
            test::journalQuery(journal,
                               "SELECT count(*) FROM laps JOIN races ON races.id = laps.race "
                               "WHERE races.heat = 3");
        return count.empty() ? 0 : std::stoi(count);
    };
    killDeskWhen(
        {"Round Robin", "0.1"}, [&] { return heat3Laps() >= 8; }, 90000);
    const std::string heat3 = test::journalQuery(journal, "SELECT id FROM races WHERE heat = 3");
    const auto laps = journalledLaps(journal, std::stoll(heat3));

    restart();
    const HeatTables& heats = program->engine.app().heats;
    EXPECT_EQ(heats.currentHeat, 3);
    EXPECT_EQ(heats.heatCount, 6);
    ASSERT_EQ(heats.racerCount, 6);
    // Heats 1 and 2 as the killed program had them when heat 3 began: each
    // racer's laps in the lanes of those heats.
    for (int racer = 1; racer <= 6; ++racer) {
        const std::string where = " FROM heat_racers_at_start WHERE race = " + heat3 +
                                  " AND racer = " + std::to_string(racer);
        const HeatRacer& r = heats.heatRacers[racer];
        EXPECT_EQ(r.name, test::journalQuery(journal, "SELECT name" + where));
        std::vector<std::string> lapsInLane{""};
        const std::string kept = test::journalQuery(journal, "SELECT laps_in_lane" + where);
        for (std::size_t from = 0, to;; from = to + 1) {
            to = kept.find(',', from);
            lapsInLane.push_back(kept.substr(from, to - from));
            if (to == std::string::npos) break;
        }
        for (int heat = 1; heat <= 2; ++heat) {
            const int lane = heats.heatLane[racer][heat];
            if (lane == 0) continue;
            ASSERT_LT(static_cast<std::size_t>(lane), lapsInLane.size());
            EXPECT_EQ(std::to_string(r.lapsInLane[lane]), lapsInLane[lane])
                << r.name << " heat " << heat;
            EXPECT_GT(r.lapsInLane[lane], 0) << r.name << " heat " << heat;
        }
    }
    expectLapsBack(laps);

    // Continue: heat 3 runs out, and the delays bring heat 4 to its start.
    program->pressStart();
    ASSERT_EQ(program->startCaption(), "Pause");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return heats.currentHeat == 4 && program->startCaption() == "Pause"; }, 40000))
        << "heat " << heats.currentHeat << " " << program->startCaption().toStdString();
}

}  // namespace
}  // namespace qel
