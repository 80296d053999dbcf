// The live board in a real browser: headless Chromium opens the page the
// program serves while a demo race runs (offscreen, on virtual time), and the
// laps its DOM shows follow the board's. Pictures of the page at a phone's and
// a TV's size are taken on the way; with QEL_LIVE_BOARD_SHOTS set to a
// folder they are kept there (that is how docs/ gets them).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <functional>
#include <string>

#include "core/liveboard/live_board_settings.h"
#include "core/seams/virtual_time.h"
#include "headless_browser.h"
#include "live_board_desk.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/live_board_clients.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

// What the page shows: the clock, then row by row "racer:laps", then the banner.
const char* kShownRows = R"(
  document.getElementById('clock').textContent + '|' +
  [...document.querySelectorAll('#rows .row')].map(r =>
    r.querySelector('.racer').textContent + ':' + r.querySelector('.laps').textContent)
  .join('|') + (document.getElementById('banner').hidden ? '' : ' / ' +
    document.getElementById('banner').textContent))";

class LiveBoardBrowser : public test::LiveBoardDesk {
  protected:
    // The board's clock and rows as the page writes them.
    QString boardRows() {
        QStringList rows{program.text("lblClock")};
        for (int row = 1; row <= kLanes; ++row)
            rows << program.cell("lblName", row).trimmed() + ":" + program.cell("lblLapNum", row);
        const QString banner = program.find("lblRaceOver")->isVisible()
                                   ? " / " + program.text("lblRaceOver")
                                   : QString();
        return rows.join('|') + banner;
    }

    // The race holds still while the browser catches up with the board.
    bool pageShowsTheBoard(test::HeadlessBrowser& browser, QString& shown) {
        const QString expected = boardRows();
        return QTest::qWaitFor(
            [&] {
                shown = browser.evaluate(kShownRows).toString();
                return shown == expected;
            },
            15000);
    }

    void keepShot(const QByteArray& png, const char* name) {
        ASSERT_TRUE(png.startsWith("\x89PNG")) << name;
        QString folderForShots =
            QProcessEnvironment::systemEnvironment().value("QEL_LIVE_BOARD_SHOTS");
        if (folderForShots.isEmpty()) folderForShots = QString::fromStdString(folder.path());
        QFile file(QDir(folderForShots).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.fileName().toStdString();
        file.write(png);
    }
};

TEST_F(LiveBoardBrowser, ThePageInABrowserFollowsTheLapsOfADemoRace) {
    if (test::HeadlessBrowser::program().isEmpty())
        GTEST_SKIP() << "chromium is not installed (scripts/install-deps.sh installs it)";
    test::HeadlessBrowser browser;
    ASSERT_TRUE(browser.open(QUrl(QString("http://127.0.0.1:%1/").arg(port))))
        << browser.error().toStdString();

    program.chooseLapRace(25);
    QString shown;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return browser.evaluate("document.getElementById('title').textContent") ==
                   "Demo - 25 Lap Race";
        },
        15000));
    program.pressStart();

    int leaderBefore = 0;
    for (int checkpoint = 1; checkpoint <= 2; ++checkpoint) {
        run(25'000);
        ASSERT_TRUE(pageShowsTheBoard(browser, shown))
            << "checkpoint " << checkpoint << ": the page shows " << shown.toStdString()
            << ", the board " << boardRows().toStdString();
        const int leader = program.cell("lblLapNum", 1).toInt();
        EXPECT_GT(leader, leaderBefore) << "checkpoint " << checkpoint;
        leaderBefore = leader;
        EXPECT_EQ(browser.evaluate("document.getElementById('flag').dataset.flag").toString(),
                  "green");
    }

    // Mid-race, the page as a phone held upright and a TV by the track show it.
    keepShot(browser.screenshot(390, 844, 2, true), "live-board-phone.png");
    keepShot(browser.screenshot(1920, 1080, 1, false), "live-board-tv.png");

    ASSERT_TRUE(run(180'000, [&] { return program.text("lblRaceOver") == "Race Over"; }));
    ASSERT_TRUE(pageShowsTheBoard(browser, shown))
        << "the page shows " << shown.toStdString() << ", the board " << boardRows().toStdString();
    EXPECT_TRUE(shown.endsWith(" / Race Over"));
    EXPECT_TRUE(shown.section('|', 1, 1).endsWith(":25")) << shown.toStdString();
    EXPECT_EQ(browser.evaluate("document.getElementById('flag').dataset.flag").toString(),
              "checkered");
    // The page's own word on its connection.
    EXPECT_EQ(browser.evaluate("document.getElementById('link').dataset.link").toString(), "live");
}

}  // namespace
}  // namespace qel
