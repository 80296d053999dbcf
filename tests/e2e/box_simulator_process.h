#pragma once
// The box simulator as a child process of an end-to-end test, with what it
// logged: the crossings it sent, the commands it was told, the bytes it sent.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qel::test {

namespace fs = std::filesystem;

inline constexpr int kSimulatorLanes = 4;
inline constexpr int kSimulatorReportMs = 10;

struct Crossing {
    int lane = 0;
    int64_t boxMs = 0;
};

struct BoxCommandEntry {
    int64_t boxMs = 0;
    std::string text;
};

inline std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The simulator as a child process, always stopped and reaped with the test.
class BoxSimulator {
  public:
    // laneMeans: the lanes' own mean lap times, e.g. "1=1300,4=1800".
    BoxSimulator(const fs::path& folder, uint64_t seed, const QString& laneMeans = {})
        : link_(folder / "qelbox"),
          lapsLog_(folder / "laps.txt"),
          commandLog_(folder / "commands.txt"),
          record_(folder / "sent.bin"),
          stderr_(folder / "sim-stderr.txt") {
        process_.setStandardOutputFile(
            QString::fromStdString((folder / "sim-stdout.txt").string()));
        process_.setStandardErrorFile(QString::fromStdString(stderr_.string()));
        QStringList arguments = {
            "--link",      QString::fromStdString(link_.string()),
            "--lanes",     QString::number(kSimulatorLanes),
            "--seed",      QString::number(seed),
            "--mean-ms",   "1500",
            "--spread-ms", "40",
            "--crash-pct", "0",
            "--report-ms", QString::number(kSimulatorReportMs),
            "--laps-log",  QString::fromStdString(lapsLog_.string()),
            "--log",       QString::fromStdString(commandLog_.string()),
            "--record",    QString::fromStdString(record_.string()),
        };
        if (!laneMeans.isEmpty()) arguments << "--lane-mean" << laneMeans;
        process_.start(QStringLiteral(QEL_BINARY_DIR "/tools/boxsim/qelbox-sim"), arguments);
    }

    ~BoxSimulator() {
        if (process_.state() == QProcess::NotRunning) return;
        console("quit");
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    BoxSimulator(const BoxSimulator&) = delete;
    BoxSimulator& operator=(const BoxSimulator&) = delete;

    // The link names the pseudo-terminal once the simulator is ready for the program.
    bool waitUntilReady() {
        if (!process_.waitForStarted(5000)) return false;
        return QTest::qWaitFor([&] { return fs::exists(link_); }, 10000);
    }

    void console(const char* line) {
        process_.write(line);
        process_.write("\n");
        process_.waitForBytesWritten(2000);
    }

    const fs::path& link() const { return link_; }
    std::string diagnostics() const { return readText(stderr_); }

    std::vector<Crossing> crossings() const {
        std::vector<Crossing> out;
        std::istringstream in(readText(lapsLog_));
        Crossing c;
        while (in >> c.lane >> c.boxMs)
            out.push_back(c);
        return out;
    }

    std::vector<BoxCommandEntry> commands() const {
        std::vector<BoxCommandEntry> out;
        std::istringstream in(readText(commandLog_));
        std::string line;
        while (std::getline(in, line)) {
            const auto space = line.find(' ');
            if (space == std::string::npos) continue;
            out.push_back({std::stoll(line.substr(0, space)), line.substr(space + 1)});
        }
        return out;
    }

    // The box time of its last report that went out: the sum of every report
    // sent. Digits count only when a CR closes them, so the version line's
    // "1.0" is not taken for time.
    int64_t reportedMs() const {
        int64_t total = 0;
        int64_t value = 0;
        for (char c : readText(record_)) {
            if (c >= '0' && c <= '9') {
                value = value * 10 + (c - '0');
            } else {
                if (c == '\r') total += value;
                value = 0;
            }
        }
        return total;
    }

  private:
    fs::path link_;
    fs::path lapsLog_;
    fs::path commandLog_;
    fs::path record_;
    fs::path stderr_;
    QProcess process_;
};

// Port 1 of the application folder is the simulator's line.
inline void pointPortOneAt(const TempFolder& appFolder, const fs::path& device) {
    appFolder.write("QelDat/QelPorts.dat", "\"" + device.string() + "\"\r\n");
}

}  // namespace qel::test
