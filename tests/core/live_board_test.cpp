// The live board as a part of the program: off until the race director
// switches it on, the address on the status line, and the board sent out
// whenever what it shows changes and at the end of a race.
#include "core/liveboard/live_board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/liveboard/live_board_json.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

// The server as the live board uses it, every call noted.
class RecordingHost : public LiveBoardHost {
  public:
    LiveBoardListening listen(uint16_t port) override {
        calls.push_back("listen " + std::to_string(port));
        LiveBoardListening result;
        result.listening = refusal.empty();
        result.port = port;
        result.error = refusal;
        if (result.listening) result.addresses = addresses;
        return result;
    }
    void stop() override { calls.push_back("stop"); }
    void publish(std::string_view json) override { published.emplace_back(json); }

    std::vector<std::string> calls;
    std::vector<std::string> published;
    std::vector<std::string> addresses = {"http://192.168.1.20:8080/"};
    std::string refusal;
};

class LiveBoardTest : public ::testing::Test {
  protected:
    LiveBoardTest() {
        race.laneCount = 2;
        board.raceDescription = "Demo - Practice";
    }

    void switchOn(int32_t port) { writeLiveBoardFile(app, {true, port}); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    RaceBoard board;
    RaceState race;
    HeatTables heats;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    LiveBoardSettings settings;
    RecordingHost host;
    LiveBoard live{
        {settings, {board, race, heats, RaceSetup(raceSettings, options)}, board, app, host}};
};

TEST_F(LiveBoardTest, OffUntilSwitchedOnNothingListens) {
    live.load();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(live.running());
    EXPECT_TRUE(board.liveBoardNotice.empty());
    live.publish();
    EXPECT_TRUE(host.published.empty());

    writeLiveBoardFile(app, {false, 9000});
    live.load();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(settings.port, 9000);
}

TEST_F(LiveBoardTest, SwitchedOnItListensSaysWhereAndSendsTheBoardAtOnce) {
    host.addresses = {"http://192.168.1.20:8080/", "http://10.0.0.7:8080/",
                      "http://172.17.0.1:8080/"};
    switchOn(8080);
    live.load();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"listen 8080"}));
    EXPECT_TRUE(live.running());
    EXPECT_EQ(board.liveBoardNotice,
              "Live board: http://192.168.1.20:8080/ or http://10.0.0.7:8080/");
    ASSERT_EQ(host.published.size(), 1u);
    EXPECT_EQ(host.published[0], liveBoardJson(takeLiveBoardSnapshot(
                                     {board, race, heats, RaceSetup(raceSettings, options)})));
    EXPECT_EQ(live.lastJson(), host.published[0]);
}

TEST_F(LiveBoardTest, TheBoardGoesOutOnlyWhenWhatItShowsChanged) {
    switchOn(8080);
    live.load();
    live.publish();
    live.publish();
    EXPECT_EQ(host.published.size(), 1u);
    board.clock = "00:01";
    live.publish();
    board.rows[1].lapNum.text = "1";
    live.publish();
    live.publish();
    ASSERT_EQ(host.published.size(), 3u);
    EXPECT_NE(host.published[2].find(R"("laps":"1")"), std::string::npos);
}

TEST_F(LiveBoardTest, TheRaceEndSendsTheFinalStandingsBeforeAnyResultsWindow) {
    switchOn(8080);
    live.load();
    RaceEndHandover handover;
    handover.add(live);
    board.banner = "Race Over";
    board.bannerVisible = true;
    board.startState = StartState::Reset;
    handover.reopenOpenViews();
    ASSERT_EQ(host.published.size(), 2u);
    EXPECT_NE(host.published[1].find(R"("banner":"Race Over","state":"over")"), std::string::npos);
    // The other steps of the race end send nothing of their own.
    handover.scoreHeat();
    handover.showRaceResults();
    handover.enableFileMenu();
    EXPECT_EQ(host.published.size(), 2u);
}

TEST_F(LiveBoardTest, OptionsOkRestartsOnlyForAChangeAndSwitchingOffStops) {
    switchOn(8080);
    live.load();
    // An OK that leaves the page as it was keeps the viewers connected.
    live.apply();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"listen 8080"}));

    settings.port = 8181;
    host.addresses = {"http://192.168.1.20:8181/"};
    live.apply();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"listen 8080", "stop", "listen 8181"}));
    EXPECT_EQ(board.liveBoardNotice, "Live board: http://192.168.1.20:8181/");
    // The new server's viewers get the board at once too.
    EXPECT_EQ(host.published.size(), 2u);

    settings.enabled = false;
    live.apply();
    EXPECT_EQ(host.calls.back(), "stop");
    EXPECT_FALSE(live.running());
    EXPECT_TRUE(board.liveBoardNotice.empty());
    board.clock = "00:09";
    live.publish();
    EXPECT_EQ(host.published.size(), 2u);

    live.stop();
    EXPECT_EQ(host.calls.size(), 4u);
}

TEST_F(LiveBoardTest, APortThatWillNotOpenIsOnTheStatusLineAndOkTriesAgain) {
    host.refusal = "The address is protected.";
    switchOn(80);
    live.load();
    EXPECT_FALSE(live.running());
    EXPECT_EQ(board.liveBoardNotice,
              "Live board off: port 80 could not be opened (The address is protected).");
    EXPECT_TRUE(host.published.empty());

    host.refusal.clear();
    host.addresses = {"http://192.168.1.20:80/"};
    live.apply();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"listen 80", "listen 80"}));
    EXPECT_TRUE(live.running());
    EXPECT_EQ(board.liveBoardNotice, "Live board: http://192.168.1.20:80/");
}

TEST_F(LiveBoardTest, ADamagedFileLeavesTheBoardOffAndSaysSo) {
    folder.write("QelDat/LiveBoard.dat", "#TRUE#,99999\r\n");
    settings = {true, 8080};
    live.load();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(settings, LiveBoardSettings{});
    EXPECT_EQ(board.liveBoardNotice, "LiveBoard.dat was damaged; the live board is off.");
}

}  // namespace
}  // namespace qel
