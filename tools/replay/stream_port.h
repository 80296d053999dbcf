#pragma once
// The timing box as a recorded byte stream, paced on the box's own clock:
// a tick reads on only while the race clock is short of the tick's end, so
// characters after a report that reaches it wait for the next tick, as on the wire.
#include <cstdint>
#include <functional>
#include <string>

#include "core/seams/timing_port.h"

namespace qel::replay {

class StreamPort : public TimingPort {
  public:
    StreamPort(std::string bytes, const int32_t& raceClock)
        : bytes_(std::move(bytes)), raceClock_(raceClock) {}

    void setReadLimit(int64_t limitMs) { limitMs_ = limitMs; }
    bool exhausted() const { return next_ >= bytes_.size(); }
    // The recording from its first byte again, for the next heat.
    void rewind() { next_ = 0; }
    void setWriteObserver(std::function<void(std::string_view)> observer) {
        onWrite_ = std::move(observer);
    }

    bool open(int) override {
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void write(std::string_view bytes) override {
        if (onWrite_) onWrite_(bytes);
    }
    int charactersWaiting() override;
    char readOne() override { return exhausted() ? '\0' : bytes_[next_++]; }
    void clearInput() override {}
    std::string lastError() const override { return ""; }
    std::string devicePath(int) const override { return "(recorded stream)"; }

  private:
    std::string bytes_;
    std::size_t next_ = 0;
    const int32_t& raceClock_;
    int64_t limitMs_ = 0;
    bool open_ = true;
    std::function<void(std::string_view)> onWrite_;
};

}  // namespace qel::replay
