#pragma once
// The line to the timing box with a copy of everything the race reads from
// it, for the race journal: what the box sent is kept beside the laps the
// program made of it.
#include <string>
#include <string_view>
#include <utility>

#include "core/seams/timing_port.h"

namespace qel {

class JournalledPort : public TimingPort {
  public:
    explicit JournalledPort(TimingPort& line) : line_(line) {}

    // What was read since the last call, and from now on nothing of it.
    std::string takeInput() { return std::exchange(read_, {}); }

    bool open(int portNumber) override { return line_.open(portNumber); }
    void close() override { line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }
    void write(std::string_view bytes) override { line_.write(bytes); }
    int charactersWaiting() override { return line_.charactersWaiting(); }
    char readOne() override {
        const char c = line_.readOne();
        // Far more than a box sends between two showings of the board; a
        // flood of line noise is not kept whole.
        if (read_.size() < kMaxKept) read_ += c;
        return c;
    }
    void clearInput() override { line_.clearInput(); }
    std::string lastError() const override { return line_.lastError(); }
    std::string devicePath(int portNumber) const override { return line_.devicePath(portNumber); }

  private:
    static constexpr std::size_t kMaxKept = 64 * 1024;
    TimingPort& line_;
    std::string read_;
};

}  // namespace qel
