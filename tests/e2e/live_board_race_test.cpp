// A demo race watched on the live board, as main() puts the program
// together, offscreen on virtual time: one viewer reads every state, another
// stopped reading when the race began. The race runs to its end, the reading
// viewer sees each redraw and the final standings, and the stalled one is
// never owed more than the one state it was last sent.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <functional>
#include <memory>

#include "core/liveboard/live_board_settings.h"
#include "core/seams/virtual_time.h"
#include "live_board_desk.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/live_board_clients.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

class LiveBoardRace : public test::LiveBoardDesk {
  protected:
    bool raceOver() { return program.text("lblRaceOver") == "Race Over"; }

    // True when the viewer's last state shows every row's racer and laps as
    // the board does.
    bool showsTheBoard(const test::BoardViewer& viewer) {
        const QJsonArray rows = viewer.last()["rows"].toArray();
        if (rows.size() != kLanes) return false;
        for (int row = 1; row <= kLanes; ++row) {
            const QJsonObject shown = rows[row - 1].toObject();
            if (shown["laps"].toString() != program.cell("lblLapNum", row) ||
                shown["racer"].toString() != program.cell("lblName", row).trimmed())
                return false;
        }
        return true;
    }
};

TEST_F(LiveBoardRace, AViewerFollowsTheRaceToItsFinalStandingsWhileAnotherHasStalled) {
    ASSERT_TRUE(program.text("lblLiveBoard").contains(QString(":%1/").arg(port)));
    test::BoardViewer viewer(port);
    ASSERT_TRUE(viewer.waitForMessages(1));
    EXPECT_EQ(viewer.last()["title"].toString(), "Demo - Practice");
    std::unique_ptr<QTcpSocket> stalled = test::stalledViewer(port);
    ASSERT_NE(stalled, nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return program.liveBoard.counts().viewers.viewers == 2; }, 5000));

    program.chooseLapRace(40);
    program.pressStart();
    ASSERT_EQ(program.startCaption(), "Pause");
    // The start goes out with the race's next showing of the board.
    run(kTickMs);
    ASSERT_TRUE(viewer.waitFor([&] { return viewer.last()["state"].toString() == "racing"; }));
    EXPECT_EQ(viewer.last()["flag"].toString(), "green");
    EXPECT_EQ(viewer.last()["title"].toString(), "Demo - 40 Lap Race");

    // Mid-race, the viewer has every redraw the board has shown.
    for (int checkpoint = 1; checkpoint <= 3; ++checkpoint) {
        run(20'000);
        ASSERT_FALSE(raceOver());
        ASSERT_TRUE(viewer.waitFor([&] { return showsTheBoard(viewer); }, 3000))
            << "checkpoint " << checkpoint;
    }
    const int leaderMidRace = program.cell("lblLapNum", 1).toInt();
    EXPECT_GT(leaderMidRace, 10);

    ASSERT_TRUE(run(240'000, [&] { return raceOver(); }));
    ASSERT_TRUE(viewer.waitFor([&] { return viewer.last()["state"].toString() == "over"; }));
    const QJsonObject last = viewer.last();
    EXPECT_EQ(last["banner"].toString(), "Race Over");
    EXPECT_EQ(last["flag"].toString(), "checkered");
    EXPECT_EQ(last["rows"].toArray()[0].toObject()["laps"].toString(), "40");
    EXPECT_TRUE(showsTheBoard(viewer));
    EXPECT_EQ(last["clock"].toString(), program.text("lblClock"));

    // The stalled viewer held nothing up: its states were dropped, never
    // queued, and it is still there, owed at most the one it was last sent.
    const platform::LiveBoardServerCounts counts = program.liveBoard.counts();
    EXPECT_EQ(counts.viewers.viewers, 2);
    EXPECT_GT(counts.viewers.dropped, 0);
    EXPECT_LT(counts.viewers.largestBacklog, 4096);
    EXPECT_TRUE(program.prompter.messages().empty());
}

}  // namespace
}  // namespace qel
