#include "platform/serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <ctime>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace qel::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 3000;

// A serial cable with nothing at either end yet: two linked pseudo-terminals.
class PtyPair {
  public:
    PtyPair(const fs::path& folder) : a_(folder / "a"), b_(folder / "b") {
        process_.setProgram(QStringLiteral("socat"));
        process_.setArguments({QStringLiteral("-d"), QStringLiteral("-d"),
                               QString::fromStdString("pty,raw,echo=0,link=" + a_.string()),
                               QString::fromStdString("pty,raw,echo=0,link=" + b_.string())});
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start();
        QElapsedTimer waited;
        waited.start();
        while (!(fs::exists(a_) && fs::exists(b_)) && waited.elapsed() < kWaitMs) {
            QThread::msleep(10);
        }
        ready_ = fs::exists(a_) && fs::exists(b_);
    }
    ~PtyPair() { cut(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ready() const { return ready_; }
    const fs::path& a() const { return a_; }
    const fs::path& b() const { return b_; }
    // Pulls the cable: both ends lose their peer.
    void cut() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(kWaitMs);
    }

  private:
    fs::path a_;
    fs::path b_;
    QProcess process_;
    bool ready_ = false;
};

// The box's end of the line, set up the way the box speaks: 9600 8N1, raw.
class BoxEnd {
  public:
    explicit BoxEnd(const fs::path& device) {
        fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) return;
        termios tio{};
        ::tcgetattr(fd_, &tio);
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CSIZE | CRTSCTS);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    ~BoxEnd() {
        if (fd_ >= 0) ::close(fd_);
    }
    BoxEnd(const BoxEnd&) = delete;
    BoxEnd& operator=(const BoxEnd&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void send(const std::string& bytes) const {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until count bytes came or the wait ran out.
    std::string receive(std::size_t count) const {
        std::string got;
        QElapsedTimer waited;
        waited.start();
        while (got.size() < count && waited.elapsed() < kWaitMs) {
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, 50) > 0 && (pfd.revents & POLLIN)) {
                char buffer[256];
                const auto n = ::read(fd_, buffer, sizeof buffer);
                if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
            }
        }
        return got;
    }

  private:
    int fd_ = -1;
};

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty()) {
            GTEST_SKIP() << "socat is not installed, so no pseudo-terminal pair can be made";
        }
        line_ = std::make_unique<PtyPair>(folder_.path());
        ASSERT_TRUE(line_->ready()) << "socat did not create its two pseudo-terminals";
        // Port 2 leads to the program's end of the line, port 3 to nothing.
        folder_.write("QelDat/QelPorts.dat",
                      "\"/dev/ttyUSB0\"\r\n\"" + line_->a().string() + "\"\r\n\"" +
                          (folder_.path() / "no-such-tty").string() + "\"\r\n");
        box_ = std::make_unique<BoxEnd>(line_->b());
        ASSERT_TRUE(box_->isOpen());
    }

    // Waits without an event loop, as the probe does, until count characters
    // are waiting.
    static std::size_t waitFor(SerialPort& port, std::size_t count) {
        QElapsedTimer waited;
        waited.start();
        while (static_cast<std::size_t>(port.charactersWaiting()) < count &&
               waited.elapsed() < kWaitMs) {
            QThread::msleep(5);
        }
        return static_cast<std::size_t>(port.charactersWaiting());
    }

    static std::string readWaiting(SerialPort& port, std::size_t count) {
        waitFor(port, count);
        std::string got;
        while (port.charactersWaiting() > 0)
            got += port.readOne();
        return got;
    }

    test::TempFolder folder_;
    std::unique_ptr<PtyPair> line_;
    std::unique_ptr<BoxEnd> box_;
};

TEST_F(SerialPortTest, CommandsReachTheBoxAndItsReportsArriveOneCharacterAtATime) {
    SerialPort port{AppFolder(folder_.path())};
    EXPECT_EQ(port.devicePath(2), line_->a().string());
    ASSERT_TRUE(port.open(2)) << port.lastError();
    EXPECT_TRUE(port.isOpen());

    port.write("\rP");
    port.write("S");
    port.write("A4\n");
    EXPECT_EQ(box_->receive(6), "\rPSA4\n");

    box_->send("1234\rB");
    EXPECT_EQ(readWaiting(port, 6), "1234\rB");
    EXPECT_EQ(port.charactersWaiting(), 0);

    // All 256 byte values pass unchanged in both directions (8 bits, raw).
    std::string every;
    for (int c = 0; c < 256; ++c)
        every += static_cast<char>(c);
    box_->send(every);
    EXPECT_EQ(readWaiting(port, every.size()), every);
    port.write(every);
    EXPECT_EQ(box_->receive(every.size()), every);
}

TEST_F(SerialPortTest, ClearInputDiscardsWhatTheBoxSentBefore) {
    SerialPort port{AppFolder(folder_.path())};
    ASSERT_TRUE(port.open(2)) << port.lastError();
    box_->send("999\rAAA");
    ASSERT_EQ(waitFor(port, 7), 7u);
    box_->send("BBB");
    QThread::msleep(50);  // still in flight or unread: dropped as well
    port.clearInput();
    EXPECT_EQ(port.charactersWaiting(), 0);
    box_->send("V1.0\r\n");
    EXPECT_EQ(readWaiting(port, 6), "V1.0\r\n");
}

TEST_F(SerialPortTest, ReadingWorksFromTheEventLoopToo) {
    SerialPort port{AppFolder(folder_.path())};
    ASSERT_TRUE(port.open(2)) << port.lastError();
    box_->send("12\r");
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    box_->send("C");
    EXPECT_EQ(readWaiting(port, 4), "12\rC");
}

TEST_F(SerialPortTest, UnpluggedBoxClosesThePortWhilePolling) {
    SerialPort port{AppFolder(folder_.path())};
    ASSERT_TRUE(port.open(2)) << port.lastError();
    line_->cut();
    QElapsedTimer waited;
    waited.start();
    while (port.isOpen() && waited.elapsed() < kWaitMs) {
        port.charactersWaiting();
        QThread::msleep(5);
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.lastError().find("unplugged"), std::string::npos) << port.lastError();
    // Nothing more arrives and writing to the dead line is harmless.
    port.write("P");
    EXPECT_EQ(port.charactersWaiting(), 0);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortTest, UnpluggedBoxClosesThePortFromTheEventLoop) {
    SerialPort port{AppFolder(folder_.path())};
    ASSERT_TRUE(port.open(2)) << port.lastError();
    line_->cut();
    QElapsedTimer waited;
    waited.start();
    while (port.isOpen() && waited.elapsed() < kWaitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.lastError().find("unplugged"), std::string::npos) << port.lastError();
    // Once closed, the dead line no longer keeps the event loop busy: a tenth
    // of a second of idle event loop costs next to no processor time.
    const std::clock_t cpuBefore = std::clock();
    QEventLoop idle;
    QTimer::singleShot(100, &idle, &QEventLoop::quit);
    idle.exec();
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuMs, 40.0);
}

TEST_F(SerialPortTest, OpeningAMissingDeviceOrABadNumberFailsWithAClearMessage) {
    SerialPort port{AppFolder(folder_.path())};
    EXPECT_FALSE(port.open(3));
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.lastError().find("serial port 3"), std::string::npos) << port.lastError();
    EXPECT_NE(port.lastError().find("no-such-tty"), std::string::npos) << port.lastError();

    for (const int number : {0, 17, -1}) {
        EXPECT_FALSE(port.open(number));
        EXPECT_NE(port.lastError().find("1 to 16"), std::string::npos) << port.lastError();
        EXPECT_EQ(port.devicePath(number), "");
    }
    // Reading and writing a closed port does nothing.
    port.write("S");
    EXPECT_EQ(port.charactersWaiting(), 0);
    EXPECT_EQ(port.readOne(), '\0');

    // A bad number leaves an open line to the box as it was.
    ASSERT_TRUE(port.open(2)) << port.lastError();
    EXPECT_FALSE(port.open(17));
    EXPECT_TRUE(port.isOpen());
    port.write("P");
    EXPECT_EQ(box_->receive(1), "P");
}

TEST_F(SerialPortTest, ReopeningStartsAfreshAndClosingIsQuiet) {
    SerialPort port{AppFolder(folder_.path())};
    ASSERT_TRUE(port.open(2)) << port.lastError();
    box_->send("77\r");
    ASSERT_EQ(waitFor(port, 3), 3u);
    ASSERT_TRUE(port.open(2)) << port.lastError();
    EXPECT_EQ(port.charactersWaiting(), 0);
    port.write("V");
    EXPECT_EQ(box_->receive(1), "V");
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.lastError(), "");
}

}  // namespace
}  // namespace qel::platform
