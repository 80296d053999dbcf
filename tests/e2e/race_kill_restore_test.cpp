// The program killed mid-race (SIGKILL, as a crash or a pulled plug would stop
// it) in real mode against the box simulator, started again, and the race put
// back from its journal: every lap the killed program had counted, to the
// millisecond, and the race going on at Continue.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QProcess>
#include <QTest>
#include <map>
#include <memory>
#include <string>

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

// The laps the journal holds: (lane, lap) -> lap time in ms.
std::map<std::pair<int, int>, int64_t> journalledLaps(const fs::path& file) {
    std::map<std::pair<int, int>, int64_t> laps;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT lane, lap, lap_ms FROM laps", -1, &statement, nullptr) ==
            SQLITE_OK) {
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

TEST(RaceKillRestore, AKilledRaceComesBackWithEveryLapItHadCounted) {
    test::TempFolder folder;
    test::BoxSimulator box{folder.path(), 11, "1=1200,2=1300,3=1400,4=1800"};
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    test::copyShippedApplicationFolder(folder);
    test::pointPortOneAt(folder, box.link());
    const AppFolder app(folder.path());
    test::changeOptionsFile(app, [](OptionsSettings& o) {
        o.minLapTimeIndex = 2;  // half a second
    });
    test::writeRaceFormatFile(app, 0);

    // A practice on the box, killed once a dozen laps are in the journal.
    QProcess desk;
    desk.start(QStringLiteral(QEL_BINARY_DIR "/tests/qel-race-desk"),
               {QString::fromStdString(folder.path().string())});
    ASSERT_TRUE(desk.waitForStarted(5000));
    const fs::path journal = folder.path() / "Stats" / "RaceJournal.sqlite";
    ASSERT_TRUE(QTest::qWaitFor([&] { return journalledLaps(journal).size() >= 12; }, 20000))
        << desk.readAllStandardOutput().toStdString() << desk.readAllStandardError().toStdString()
        << box.diagnostics();
    desk.kill();
    ASSERT_TRUE(desk.waitForFinished(5000));
    // What the box sent is in the journal beside the laps made of it.
    EXPECT_GT(std::stoll(test::journalQuery(
                  journal, "SELECT coalesce(sum(length(bytes)), 0) FROM box_input")),
              100);
    const auto laps = journalledLaps(journal);
    std::map<int, int> lastLap;
    for (const auto& [key, ms] : laps)
        lastLap[key.first] = std::max(lastLap[key.first], key.second);

    // Started again on the same folder and box: Yes, and the race is back.
    platform::SerialPort port{app};
    platform::QtClock clock;
    platform::QtTimerService timers;
    UniformRandom random{5};
    platform::SdlSoundDevice sound;
    test::MainWindowProgram program(folder.path(), port, clock, timers, random, sound);
    program.prompter.answer(MessageAnswer::Yes);
    program.start();
    ASSERT_EQ(program.prompter.messages().size(), 1u);
    EXPECT_EQ(program.prompter.messageTexts()[0].rfind("The last race was interrupted", 0), 0u);
    const RaceState& s = program.engine.state();
    for (const auto& [lane, lap] : lastLap)
        EXPECT_EQ(s.lapCount[lane], lap) << "lane " << lane;
    for (const auto& [key, ms] : laps) {
        EXPECT_EQ(std::llround(s.lapTimes[key.first][key.second] * 1000.0), ms)
            << "lane " << key.first << " lap " << key.second;
    }
    EXPECT_EQ(program.startCaption(), "Continue");

    // Continue: the box is asked, the race goes on, every lane counts again.
    program.pressStart();
    ASSERT_EQ(program.startCaption(), "Pause") << program.prompter.messageTexts().size();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const auto& [lane, lap] : lastLap) {
                if (s.lapCount[lane] <= lap) return false;
            }
            return true;
        },
        15000))
        << box.diagnostics();
}

}  // namespace
}  // namespace qel
