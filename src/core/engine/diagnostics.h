#pragma once
// The Diagnostic window's logic: lets the race director check sensors, the
// track call button, track power and the serial ports without running a race.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/engine/timing_link.h"
#include "core/seams/timer_service.h"
#include "core/setup/installation_settings.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr int kDiagnosticsTickMs = 300;
inline constexpr int kFirstTestedPort = 1;
inline constexpr int kLastTestedPort = 4;

enum class PowerButton { None, On, Off };

class SensorDiagnostics {
  public:
    SensorDiagnostics(TimingLink& link, TimerService& timers, const RaceState& state,
                      const InstallationSettings& installation)
        : link_(link), timers_(timers), state_(state), installation_(installation) {}

    // Opening the window: power on, the box's version for the caption, the
    // lane labels, the port report, then the box's own port again and the
    // 300 ms tick.
    void Load();
    // One tick of the window's timer; nothing while the port is closed.
    void Tick();
    // Hits of lanes 1..laneCount back to "0".
    void Reset();
    // The Track Power buttons.
    void SelectPower(bool on);
    // Closing the window: the box stops reporting, power goes off, nothing
    // left on the line is taken for a race. The tick stops.
    void Close();

    // Lists which of the ports 1..4 answer as a timing box. Leaves the port closed.
    void TestComPorts();

    // Called after every tick, so the window shows the new counts at once.
    void setAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }

    const std::string& caption() const { return caption_; }
    const std::string& portReport() const { return portReport_; }
    const std::string& laneNumberText(int lane) const { return laneNumber_[lane]; }
    const std::string& hitText(int lane) const { return hits_[lane]; }
    int32_t laneLabelColour(int lane) const { return labelColour_[lane]; }
    // "ON" or "OFF", as shown at the last tick.
    const std::string& trackCallStatus() const { return trackCallStatus_; }
    int16_t callSwitchCounter() const { return callSwitchCounter_; }
    bool trackPowerEnabled() const { return trackPowerEnabled_; }
    PowerButton powerButton() const { return powerButton_; }

  private:
    void receive(char c);

    TimingLink& link_;
    TimerService& timers_;
    const RaceState& state_;
    const InstallationSettings& installation_;
    std::unique_ptr<Timer> tick_;
    std::function<void()> afterTick_;

    std::string caption_;
    std::string portReport_;
    LaneTable<std::string> laneNumber_{};
    LaneTable<std::string> hits_{};
    LaneTable<int32_t> labelColour_{};
    std::string trackCallStatus_ = "OFF";
    int16_t callSwitchCounter_ = 0;
    bool trackPowerEnabled_ = false;
    PowerButton powerButton_ = PowerButton::None;
};

}  // namespace qel
