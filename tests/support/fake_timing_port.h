#pragma once
// A timing box on a test's bench: the test feeds what the box sends, reads
// back what the program wrote, and can refuse an open or pull the cable.
#include <functional>
#include <string>
#include <vector>

#include "core/seams/timing_port.h"

namespace qel::test {

class FakeTimingPort : public TimingPort {
  public:
    // Bytes arriving from the box; they wait until the program reads them.
    void feed(std::string_view bytes) { input_.append(bytes); }
    // Called after each write the program makes while the port is open, so a
    // test can answer ("V" -> version line) by feeding.
    void setOnWrite(std::function<void(std::string_view)> onWrite) {
        onWrite_ = std::move(onWrite);
    }
    // Every write made while open, one entry per call.
    const std::vector<std::string>& writes() const { return writes_; }
    // All writes run together.
    std::string written() const;
    void clearWritten() { writes_.clear(); }
    // The next opens fail with this message ("" = they succeed again).
    void failOpens(std::string message) { openFailure_ = std::move(message); }
    // The box is unplugged: the port closes and says so.
    void unplug();
    // Port numbers passed to every successful open, in order.
    const std::vector<int>& openedPorts() const { return openedPorts_; }
    int clearInputCount() const { return clearInputCount_; }

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return open_; }
    void write(std::string_view bytes) override;
    int charactersWaiting() override { return static_cast<int>(input_.size() - head_); }
    char readOne() override;
    void clearInput() override;
    std::string lastError() const override { return lastError_; }
    std::string devicePath(int portNumber) const override;

  private:
    std::string input_;
    std::size_t head_ = 0;
    std::vector<std::string> writes_;
    std::vector<int> openedPorts_;
    std::function<void(std::string_view)> onWrite_;
    std::string openFailure_;
    std::string lastError_;
    int clearInputCount_ = 0;
    bool open_ = false;
};

}  // namespace qel::test
