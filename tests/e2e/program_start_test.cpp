// The program itself, as the README's run command starts it: from a copy of
// the laid-out application folder, with no display and no sound card.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <filesystem>

#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

TEST(ProgramStart, LoadsTheDefaultFolderAndRunsUntilEnded) {
    test::TempFolder folder;
    fs::copy(fs::path(QEL_APP_DIR), folder.path(), fs::copy_options::recursive);
    // A first run: the race format record is made by the program's own start-up.
    fs::remove(folder.path() / "QelDat" / "QelRaceFormatSettings.dat");

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("SDL_AUDIODRIVER", "dummy");
    environment.insert("HOME", QString::fromStdString(folder.path().string()));
    environment.insert("XDG_CONFIG_HOME",
                       QString::fromStdString((folder.path() / "config").string()));
    program.setProcessEnvironment(environment);
    program.start(QString::fromStdString((folder.path() / "qeltimer").string()), {});
    ASSERT_TRUE(program.waitForStarted(5000));

    // The splash hands over to the board, whose start-up writes the first-run record.
    const fs::path record = folder.path() / "QelDat" / "QelRaceFormatSettings.dat";
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(record), 10000);
    QTest::qWait(1000);
    EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();

    program.terminate();
    EXPECT_TRUE(program.waitForFinished(5000));
}

}  // namespace
}  // namespace qel
