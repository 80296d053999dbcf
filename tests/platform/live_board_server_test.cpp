// The live board's server on loopback, against real HTTP and WebSocket
// clients: what it serves, what it refuses, how many viewers it takes, and
// how it treats a viewer that stops reading.
#include "platform/live_board_server.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "support/live_board_clients.h"

namespace qel::platform {
namespace {

using test::BoardViewer;
using test::httpExchange;
using test::httpRequest;

const std::string kBoard = R"({"version":1,"title":"Demo - 10 Lap Race","rows":[]})";

class LiveBoardServerTest : public ::testing::Test {
  protected:
    void start(LiveBoardLimits limits = {}) {
        server = std::make_unique<LiveBoardServer>(limits);
        server->publish(kBoard);
        const LiveBoardListening listening = server->listen(0);
        ASSERT_TRUE(listening.listening) << listening.error;
        port = listening.port;
        ASSERT_NE(port, 0);
    }

    std::unique_ptr<LiveBoardServer> server;
    quint16 port = 0;
};

TEST_F(LiveBoardServerTest, ServesThePageItsFilesAndTheRace) {
    start();
    struct Case {
        const char* path;
        const char* contentType;
        const char* holds;
    };
    const Case cases[] = {
        {"/", "text/html; charset=utf-8", "<script src=\"/live-board.js\""},
        {"/overlay", "text/html; charset=utf-8", "class=\"board overlay\""},
        {"/live-board.css", "text/css; charset=utf-8", "@media"},
        {"/live-board.js", "text/javascript; charset=utf-8", "new WebSocket"},
        {"/api/race", "application/json; charset=utf-8", "Demo - 10 Lap Race"},
    };
    for (const Case& c : cases) {
        const test::HttpAnswer answer = httpRequest(port, "GET", c.path);
        EXPECT_EQ(answer.status, 200) << c.path;
        EXPECT_EQ(answer.header("Content-Type"), c.contentType) << c.path;
        EXPECT_EQ(answer.header("Content-Length").toLongLong(), answer.body.size()) << c.path;
        EXPECT_TRUE(answer.body.contains(c.holds)) << c.path;
        EXPECT_TRUE(answer.closed) << c.path;
    }
    // The race is the JSON last published, byte for byte, for any page to read.
    const test::HttpAnswer race = httpRequest(port, "GET", "/api/race");
    EXPECT_EQ(race.body.toStdString(), kBoard);
    EXPECT_EQ(race.header("Access-Control-Allow-Origin"), "*");
    EXPECT_EQ(race.header("Cache-Control"), "no-store");
    const std::string later = R"({"version":1,"title":"later"})";
    server->publish(later);
    EXPECT_EQ(httpRequest(port, "GET", "/api/race?ignored=1").body.toStdString(), later);

    // HEAD says what GET would send, without it.
    const test::HttpAnswer head = httpRequest(port, "HEAD", "/");
    EXPECT_EQ(head.status, 200);
    EXPECT_GT(head.header("Content-Length").toInt(), 0);
    EXPECT_TRUE(head.body.isEmpty());
}

TEST_F(LiveBoardServerTest, AnswersNothingElseAndChangesNothing) {
    start();
    struct Case {
        const char* method;
        const char* path;
        int status;
    };
    const Case cases[] = {
        {"GET", "/nothing", 404},
        {"GET", "/index.html", 404},
        {"GET", "/api/race/", 404},
        {"GET", "/api", 404},
        {"GET", "/overlay/", 404},
        {"GET", "/../../etc/passwd", 404},
        {"GET", "/%2e%2e/QelDat/QelPsd.dat", 404},
        {"GET", "/QelDat/QelInstallation.dat", 404},
        {"POST", "/nothing", 404},
        {"POST", "/api/race", 405},
        {"PUT", "/api/race", 405},
        {"DELETE", "/", 405},
        {"PATCH", "/live-board.js", 405},
        {"GET", "/live", 426},
    };
    for (const Case& c : cases) {
        const test::HttpAnswer answer = httpRequest(port, c.method, c.path);
        EXPECT_EQ(answer.status, c.status) << c.method << " " << c.path;
        EXPECT_TRUE(answer.closed) << c.method << " " << c.path;
    }
    EXPECT_EQ(httpRequest(port, "POST", "/api/race").header("Allow"), "GET, HEAD");
    // A body sent along changes nothing either.
    const test::HttpAnswer posted = httpExchange(
        port, "POST /api/race HTTP/1.1\r\nHost: x\r\nContent-Length: 11\r\n\r\n{\"laps\":99}");
    EXPECT_EQ(posted.status, 405);
    EXPECT_EQ(httpRequest(port, "GET", "/api/race").body.toStdString(), kBoard);
}

TEST_F(LiveBoardServerTest, GarbageAndHalfRequestsAreDroppedAndTheBoardServesOn) {
    LiveBoardLimits limits;
    limits.requestDeadlineMs = 400;
    start(limits);
    const QByteArray garbage[] = {
        QByteArray("\x00\xff\x13\x37garbage\r\n\r\n", 15),
        "NOT-HTTP\r\n\r\n",
        QByteArray(64 * 1024, 'A'),
        // A request that never ends: it is closed at its deadline.
        "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: ",
    };
    for (const QByteArray& bytes : garbage) {
        const test::HttpAnswer answer = httpExchange(port, bytes, 3000);
        EXPECT_TRUE(answer.closed) << bytes.left(20).toStdString();
        EXPECT_NE(answer.status, 200) << bytes.left(20).toStdString();
    }
    EXPECT_EQ(httpRequest(port, "GET", "/api/race").status, 200);
}

TEST_F(LiveBoardServerTest, AViewerIsSentTheBoardOnJoiningAndEveryNewStateAfter) {
    start();
    BoardViewer viewer(port);
    ASSERT_TRUE(viewer.waitForMessages(1));
    EXPECT_EQ(viewer.messages[0].toStdString(), kBoard);
    for (int lap = 1; lap <= 3; ++lap)
        server->publish(R"({"lap":)" + std::to_string(lap) + "}");
    ASSERT_TRUE(viewer.waitFor([&] { return viewer.last().value("lap").toInt() == 3; }));
    // Whatever a viewer sends, the board takes no notice of it.
    viewer.socket.sendTextMessage(R"({"laps":99})");
    QTest::qWait(50);
    EXPECT_EQ(httpRequest(port, "GET", "/api/race").body.toStdString(), R"({"lap":3})");
    EXPECT_FALSE(viewer.closed);
    // A long message is not a viewer's.
    viewer.socket.sendTextMessage(QString(4096, 'x'));
    EXPECT_TRUE(viewer.waitUntilClosed());
    EXPECT_EQ(server->counts().viewers.viewers, 0);
}

TEST_F(LiveBoardServerTest, ASocketForAnotherPathIsNotFound) {
    start();
    BoardViewer stray(port, "/elsewhere");
    ASSERT_TRUE(stray.waitUntilClosed());
    EXPECT_TRUE(stray.messages.empty());
    EXPECT_EQ(server->counts().viewers.viewers, 0);
    const test::HttpAnswer answer = httpExchange(
        port,
        "GET /elsewhere HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    EXPECT_EQ(answer.status, 404);
    EXPECT_TRUE(answer.closed);
}

TEST_F(LiveBoardServerTest, SixtyFourViewersAtOnceAndTheNextIsAskedToComeBackLater) {
    start();
    std::vector<std::unique_ptr<BoardViewer>> viewers;
    for (int i = 0; i < 64; ++i)
        viewers.push_back(std::make_unique<BoardViewer>(port));
    for (auto& viewer : viewers)
        ASSERT_TRUE(viewer->waitForMessages(1));
    EXPECT_EQ(server->counts().viewers.viewers, 64);

    BoardViewer late(port);
    ASSERT_TRUE(late.waitUntilClosed());
    EXPECT_EQ(late.closeCode, 4013);
    EXPECT_EQ(late.closeReason, "The live board has its 64 viewers: try again shortly.");
    EXPECT_TRUE(late.messages.empty());
    EXPECT_EQ(server->counts().viewers.refused, 1);
    // The page and the race still answer while the viewers' places are full.
    EXPECT_EQ(httpRequest(port, "GET", "/api/race").status, 200);

    // Everyone inside still gets every state.
    server->publish(R"({"lap":7})");
    for (auto& viewer : viewers)
        ASSERT_TRUE(viewer->waitFor([&] { return viewer->last().value("lap").toInt() == 7; }));

    // One leaves, and the next one in gets the place.
    viewers.front()->socket.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->counts().viewers.viewers == 63; }, 5000));
    BoardViewer next(port);
    ASSERT_TRUE(next.waitForMessages(1));
    EXPECT_EQ(next.last().value("lap").toInt(), 7);
    EXPECT_FALSE(next.closed);
}

TEST_F(LiveBoardServerTest, TooManyOpenConnectionsAreRefusedWithServiceUnavailable) {
    LiveBoardLimits limits;
    limits.maxConnections = 3;
    limits.requestDeadlineMs = 1500;
    start(limits);
    // Three connections that never send a request hold every place.
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < 3; ++i) {
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->connectToHost("127.0.0.1", port);
        ASSERT_TRUE(idle.back()->waitForConnected(3000));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->counts().openConnections == 3; }, 3000));
    const test::HttpAnswer refused = httpRequest(port, "GET", "/");
    EXPECT_EQ(refused.status, 503);
    EXPECT_EQ(refused.header("Retry-After"), "30");
    EXPECT_TRUE(refused.body.startsWith("The live board is full"));
    EXPECT_EQ(server->counts().refusedConnections, 1);

    // At their deadline the idle ones are closed, and the page loads again.
    for (auto& socket : idle) {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return socket->state() == QAbstractSocket::UnconnectedState; }, 5000));
    }
    EXPECT_EQ(httpRequest(port, "GET", "/").status, 200);
}

TEST_F(LiveBoardServerTest, AStalledViewerIsNeverSentMoreThanTheNewestStateAndIsLetGo) {
    LiveBoardLimits limits;
    limits.silentViewerMs = 1500;
    start(limits);
    std::unique_ptr<QTcpSocket> stalled = test::stalledViewer(port);
    ASSERT_NE(stalled, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->counts().viewers.viewers == 1; }, 5000));
    BoardViewer reading(port);
    ASSERT_TRUE(reading.waitForMessages(1));

    // States of a long race, far more than the stalled viewer's network
    // buffers hold, each published while the one before may still be going out.
    const std::string padding(20'000, ' ');
    constexpr int kStates = 400;
    for (int n = 1; n <= kStates; ++n) {
        server->publish(R"({"n":)" + std::to_string(n) + R"(,"pad":")" + padding + "\"}");
        QTest::qWait(1);
    }
    ASSERT_TRUE(
        reading.waitFor([&] { return reading.last().value("n").toInt() == kStates; }, 10000));

    const LiveBoardViewerCounts counts = server->counts().viewers;
    // The stalled viewer's states were dropped, not queued: what waits for
    // it in the program is never more than the one message it was last sent.
    EXPECT_GT(counts.dropped, kStates / 2);
    EXPECT_LE(counts.largestBacklog, 20'100);
    // It answers no ping, so it gives its place up; the reading one stays.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->counts().viewers.letGo == 1; }, 5000));
    EXPECT_EQ(server->counts().viewers.viewers, 1);
    EXPECT_FALSE(reading.closed);
}

TEST_F(LiveBoardServerTest, StoppingTellsTheViewersAndFreesThePort) {
    start();
    BoardViewer viewer(port);
    ASSERT_TRUE(viewer.waitForMessages(1));
    server->stop();
    EXPECT_FALSE(server->listening());
    ASSERT_TRUE(viewer.waitUntilClosed());
    EXPECT_EQ(viewer.closeCode, 1001);
    EXPECT_EQ(httpRequest(port, "GET", "/").status, 0);

    // The same port again, at once.
    const LiveBoardListening again = server->listen(port);
    ASSERT_TRUE(again.listening) << again.error;
    EXPECT_EQ(again.port, port);
    EXPECT_EQ(httpRequest(port, "GET", "/").status, 200);
}

TEST_F(LiveBoardServerTest, APortInUseIsReportedAndNothingListens) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::Any, 0));
    LiveBoardServer board;
    const LiveBoardListening listening = board.listen(other.serverPort());
    EXPECT_FALSE(listening.listening);
    EXPECT_FALSE(listening.error.empty());
    EXPECT_FALSE(board.listening());
}

TEST(LiveBoardAddresses, NameThePortOnEveryAddress) {
    const std::vector<std::string> addresses = liveBoardAddresses(8080);
    ASSERT_FALSE(addresses.empty());
    for (const std::string& address : addresses) {
        EXPECT_EQ(address.rfind("http://", 0), 0u) << address;
        EXPECT_EQ(address.substr(address.size() - 6), ":8080/") << address;
    }
}

}  // namespace
}  // namespace qel::platform
