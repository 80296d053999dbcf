#include "core/engine/diagnostics.h"

#include <algorithm>

#include "core/io/number_text.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

// The counter's text read as a number: what a hidden lane's blank label
// holds counts as none.
int64_t countOf(const std::string& text) {
    const auto value = parseNumberText(text);
    return value ? static_cast<int64_t>(*value) : 0;
}

}  // namespace

void SensorDiagnostics::Load() {
    link_.SetTrackPower(true);
    const std::string version = link_.demoMode() ? "" : link_.ProbeTimingInterface();

    const int lanes = std::clamp<int>(state_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const bool inUse = lane <= lanes;
        laneNumber_[lane] = inUse ? std::to_string(lane) : "";
        hits_[lane] = inUse ? "0" : "";
        labelColour_[lane] = inUse ? state_.laneColor[lane] : kWhite;
    }

    trackPowerEnabled_ = installation_.relayIndex != kRelayNone;
    if (!trackPowerEnabled_) powerButton_ = PowerButton::None;
    caption_ = " Diagnostic Qel Timer,  " + version;
    SelectPower(true);

    TestComPorts();
    link_.OpenTimingPort(state_.commPort);

    tick_ = timers_.createTimer();
    tick_->setInterval(kDiagnosticsTickMs);
    tick_->setHandler([this](int) {
        Tick();
        if (afterTick_) afterTick_();
    });
    tick_->setEnabled(true);
}

void SensorDiagnostics::TestComPorts() {
    TimingPort& port = link_.port();
    if (port.isOpen()) port.close();
    portReport_ = "Com Ports Found:\r\n";
    for (int n = kFirstTestedPort; n <= kLastTestedPort; ++n) {
        // A port that is not there is simply not listed.
        if (!port.open(n)) continue;
        portReport_ += "COM" + std::to_string(n) + "   " + link_.ProbeTimingInterface() + "\r\n";
        port.close();
    }
}

void SensorDiagnostics::Tick() {
    TimingPort& port = link_.port();
    if (!port.isOpen()) return;
    port.write("S");
    trackCallStatus_ = callSwitchCounter_ < 1 ? "OFF" : "ON";
    callSwitchCounter_ = static_cast<int16_t>(std::max(callSwitchCounter_ - 1, 0));
    link_.drainInput([this](char c) { receive(c); });
}

void SensorDiagnostics::receive(char c) {
    // Time reports (digits closed by CR) mean nothing here.
    if (c == 'W') {
        callSwitchCounter_ = 1;
    } else if (c >= 'A' && c <= 'H') {
        auto& hits = hits_[c - 'A' + 1];
        hits = std::to_string(countOf(hits) + 1);
    }
}

void SensorDiagnostics::Reset() {
    const int lanes = std::clamp<int>(state_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane)
        hits_[lane] = "0";
}

void SensorDiagnostics::SelectPower(bool on) {
    powerButton_ = on ? PowerButton::On : PowerButton::Off;
    link_.SetTrackPower(on);
}

void SensorDiagnostics::Close() {
    if (tick_) tick_->setEnabled(false);
    TimingPort& port = link_.port();
    if (!port.isOpen()) return;
    port.write("P");
    link_.SetTrackPower(false);
    link_.drainInput([](char) {});
}

}  // namespace qel
