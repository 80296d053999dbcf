// Saves and races cut short at random moments, as a power cut or a kill would
// stop them: every start-up afterwards runs on settings that belong together,
// and the race journal always opens whole.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <random>
#include <string>

#include "box_simulator_process.h"
#include "core/io/data_folder.h"
#include "core/setup/installation_file.h"
#include "main_window_program.h"
#include "support/journal_query.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

// A helper program of the tests, killed once it has run for a moment.
void runAndKill(const QString& program, const fs::path& folder, int afterMs) {
    QProcess child;
    child.start(program, {QString::fromStdString(folder.string())});
    ASSERT_TRUE(child.waitForStarted(5000));
    ASSERT_TRUE(child.waitForReadyRead(10000)) << child.readAllStandardError().toStdString();
    QTest::qWait(afterMs);
    child.kill();
    ASSERT_TRUE(child.waitForFinished(5000));
}

TEST(PowerCut, AnInstallationSaveCutShortNeverLeavesSettingsThatDisagree) {
    test::TempFolder folder;
    test::copyShippedApplicationFolder(folder);
    const AppFolder app(folder.path());
    std::mt19937 random(7);
    for (int cut = 0; cut < 12; ++cut) {
        runAndKill(QStringLiteral(QEL_BINARY_DIR "/tests/qel-settings-writer"), folder.path(),
                   static_cast<int>(random() % 40));
        // What the start-up reads: a whole installation, and speed factors of that same track.
        InstallationSettings settings;
        ASSERT_NO_THROW(readInstallationFile(app, settings)) << "cut " << cut;
        loadSpeedMultipliers(app, settings);
        InstallationSettings expected = settings;
        computeSpeedMultipliers(expected);
        for (int lane = 1; lane <= settings.laneCount; ++lane) {
            EXPECT_NEAR(settings.speedMultiplier[lane], expected.speedMultiplier[lane], 0.01)
                << "cut " << cut << " lane " << lane;
        }
        InstallationSettings again = settings;
        EXPECT_TRUE(loadSpeedMultipliers(app, again)) << "cut " << cut;
    }
}

TEST(PowerCut, ARaceKilledAtAnyMomentLeavesAJournalThatOpens) {
    test::TempFolder folder;
    test::BoxSimulator box{folder.path(), 11, "1=1200,2=1300,3=1400,4=1800"};
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    test::copyShippedApplicationFolder(folder);
    test::pointPortOneAt(folder, box.link());
    const AppFolder app(folder.path());
    test::changeOptionsFile(app, [](OptionsSettings& o) { o.minLapTimeIndex = 2; });
    test::writeRaceFormatFile(app, 0);
    const fs::path journal = folder.path() / "Stats" / "RaceJournal.sqlite";
    std::mt19937 random(3);
    for (int kill = 0; kill < 4; ++kill) {
        runAndKill(QStringLiteral(QEL_BINARY_DIR "/tests/qel-race-desk"), folder.path(),
                   1500 + static_cast<int>(random() % 1500));
        EXPECT_EQ(test::journalQuery(journal, "PRAGMA integrity_check"), "ok") << "kill " << kill;
    }
}

}  // namespace
}  // namespace qel
