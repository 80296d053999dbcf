// The live board as the race director switches it on and off in Options: the
// status line says where spectators open it, the page and the race's JSON
// answer there, and the choice is kept for the next night.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSpinBox>
#include <QTabBar>
#include <QTcpServer>

#include "core/io/text_file.h"
#include "operator_desk.h"
#include "support/live_board_clients.h"

namespace qel {
namespace {

using LiveBoardPath = test::OperatorDesk;

// The Live Board page of Options, ticked or not, with the port typed in.
void setLiveBoard(QWidget& dialog, bool shown, int port) {
    dialog.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(5);
    auto* tick = test::control<QCheckBox>(dialog, "chkLiveBoard");
    if (tick->isChecked() != shown) tick->click();
    if (shown) test::control<QSpinBox>(dialog, "txtLiveBoardPort")->setValue(port);
}

TEST_F(LiveBoardPath, SwitchedOnInOptionsTheStatusLineSaysWhereAndTheBoardAnswers) {
    test::ProgramHarness& desk = start();
    // A new installation keeps the board off the network.
    EXPECT_TRUE(desk.text("lblLiveBoard").isEmpty());

    const quint16 port = test::freePort();
    setOptions([port](QWidget& dialog) { setLiveBoard(dialog, true, port); });
    const QString notice = desk.text("lblLiveBoard");
    EXPECT_TRUE(notice.startsWith("Live board: http://")) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QString(":%1/").arg(port))) << notice.toStdString();

    const test::HttpAnswer page = test::httpRequest(port, "GET", "/");
    EXPECT_EQ(page.status, 200);
    const test::HttpAnswer race = test::httpRequest(port, "GET", "/api/race");
    ASSERT_EQ(race.status, 200);
    const QJsonObject board = QJsonDocument::fromJson(race.body).object();
    EXPECT_EQ(board["title"].toString(), desk.text("lblRaceFormat"));
    EXPECT_EQ(board["state"].toString(), "ready");
    EXPECT_EQ(board["rows"].toArray().size(), 4);
    EXPECT_EQ(readTextFile(AppFolder(folder.path()).dataFile("LiveBoard.dat")),
              "#TRUE#," + std::to_string(port) + "\r\n");

    // A viewer sees the race director's next change of the board at once.
    test::BoardViewer viewer(port);
    ASSERT_TRUE(viewer.waitForMessages(1));
    desk.chooseRaceFormat("Lap Race", "10");
    ASSERT_TRUE(viewer.waitFor(
        [&] { return viewer.last()["title"].toString() == desk.text("lblRaceFormat"); }));
    EXPECT_EQ(viewer.last()["title"].toString(), "Demo - 10 Lap Race");

    setOptions([](QWidget& dialog) { setLiveBoard(dialog, false, 0); });
    EXPECT_TRUE(desk.text("lblLiveBoard").isEmpty());
    EXPECT_TRUE(viewer.waitUntilClosed());
    EXPECT_EQ(test::httpRequest(port, "GET", "/").status, 0) << "nothing listens any more";
}

TEST_F(LiveBoardPath, SwitchedOnBeforeThePortInUseIsOnTheStatusLine) {
    // Another program holds the port the live board was set to.
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::Any, 0));
    folder.write("QelDat/LiveBoard.dat", "#TRUE#," + std::to_string(other.serverPort()) + "\r\n");
    test::ProgramHarness& desk = start();
    const QString notice = desk.text("lblLiveBoard");
    EXPECT_TRUE(notice.startsWith(
        QString("Live board off: port %1 could not be opened").arg(other.serverPort())))
        << notice.toStdString();

    // Once the other program lets go, OK in Options tries the port again.
    const quint16 port = other.serverPort();
    other.close();
    setOptions([port](QWidget& dialog) { setLiveBoard(dialog, true, port); });
    EXPECT_TRUE(desk.text("lblLiveBoard").startsWith("Live board: http://"));
    EXPECT_EQ(test::httpRequest(port, "GET", "/api/race").status, 200);
}

}  // namespace
}  // namespace qel
