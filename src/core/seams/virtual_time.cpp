#include "core/seams/virtual_time.h"

#include <algorithm>
#include <map>

namespace qel {

namespace {

constexpr double kMsPerDay = 86400000.0;

struct TimerEntry {
    int interval = 0;
    bool enabled = false;
    bool firing = false;
    int64_t lastExpiry = 0;  // or the moment it was enabled
    int64_t nextDue = 0;
    Timer::Handler handler;
};

}  // namespace

struct VirtualScheduler::State {
    double startDay = 0.0;
    int64_t nowMs = 0;
    uint64_t nextId = 1;
    // Keyed by creation order, which breaks ties between timers due together.
    std::map<uint64_t, TimerEntry> timers;

    void schedule(TimerEntry& entry) const {
        entry.lastExpiry = nowMs;
        entry.nextDue = nowMs + entry.interval;
    }

    // The enabled timer due earliest at or before target, or 0. A timer whose
    // handler is still running (it slept) waits until the handler returns, as
    // a window timer does.
    uint64_t nextDue(int64_t target) const {
        uint64_t best = 0;
        int64_t bestDue = 0;
        for (const auto& [id, entry] : timers) {
            if (!entry.enabled || entry.firing || entry.interval <= 0) continue;
            if (entry.nextDue > target) continue;
            if (best == 0 || entry.nextDue < bestDue) {
                best = id;
                bestDue = entry.nextDue;
            }
        }
        return best;
    }

    void advance(int64_t ms) {
        const int64_t target = nowMs + std::max<int64_t>(ms, 0);
        while (const uint64_t id = nextDue(target)) {
            auto& entry = timers.at(id);
            nowMs = std::max(nowMs, entry.nextDue);
            const int elapsed = static_cast<int>(nowMs - entry.lastExpiry);
            entry.lastExpiry = nowMs;
            entry.nextDue += entry.interval;
            // An expiry that came late (its handler or another one slept past
            // it) is not made up for: the next one is a full interval later.
            if (entry.nextDue <= nowMs) entry.nextDue = nowMs + entry.interval;
            // The handler may destroy its own timer, so it runs from a copy and
            // the entry is looked up again afterwards.
            const Timer::Handler handler = entry.handler;
            if (!handler) continue;
            entry.firing = true;
            handler(elapsed);
            if (auto it = timers.find(id); it != timers.end()) it->second.firing = false;
        }
        nowMs = std::max(nowMs, target);
    }
};

namespace {

class VirtualTimer : public Timer {
  public:
    VirtualTimer(std::shared_ptr<VirtualScheduler::State> state, uint64_t id)
        : state_(std::move(state)), id_(id) {}
    ~VirtualTimer() override { state_->timers.erase(id_); }
    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;

    void setInterval(int ms) override {
        auto& e = entry();
        e.interval = ms;
        // A new interval restarts the count, as it does for a window timer.
        if (e.enabled) e.nextDue = state_->nowMs + ms;
    }
    int interval() const override { return state_->timers.at(id_).interval; }

    void setEnabled(bool enabled) override {
        auto& e = entry();
        if (enabled && !e.enabled) state_->schedule(e);
        e.enabled = enabled;
    }
    bool enabled() const override { return state_->timers.at(id_).enabled; }

    void setHandler(Handler handler) override { entry().handler = std::move(handler); }

  private:
    TimerEntry& entry() { return state_->timers.at(id_); }

    std::shared_ptr<VirtualScheduler::State> state_;
    uint64_t id_;
};

}  // namespace

VirtualScheduler::VirtualScheduler(double startDay) : state_(std::make_shared<State>()) {
    state_->startDay = startDay;
}

VirtualScheduler::~VirtualScheduler() = default;

void VirtualScheduler::advance(int64_t ms) {
    state_->advance(ms);
}

void VirtualScheduler::setStartDay(double startDay) {
    state_->startDay = startDay;
}

int64_t VirtualScheduler::tickCountMs() const {
    return state_->nowMs;
}

double VirtualScheduler::now() const {
    return state_->startDay + static_cast<double>(state_->nowMs) / kMsPerDay;
}

void VirtualScheduler::sleepMs(int ms) {
    // A wait holds the program: timers that fall due meanwhile fire at the next advance.
    state_->nowMs += std::max(ms, 0);
}

std::unique_ptr<Timer> VirtualScheduler::createTimer() {
    const uint64_t id = state_->nextId++;
    state_->timers.emplace(id, TimerEntry{});
    return std::make_unique<VirtualTimer>(state_, id);
}

}  // namespace qel
