#pragma once
// The serial link to the timing box: opening the port, the commands the
// program sends, the version probe, the blocking wait, and the decoding of
// what the box sends (time reports, lane letters, the track call).
#include <functional>
#include <string>
#include <string_view>

#include "core/heats/race_format_settings.h"
#include "core/seams/clock.h"
#include "core/seams/prompter.h"
#include "core/seams/timing_port.h"
#include "core/setup/installation_settings.h"
#include "core/state/race_state.h"

namespace qel {

// What the operator chose when the port would not open.
struct PortFailureHandlers {
    std::function<void()> useDemoMode;        // "No": race without the box
    std::function<void()> chooseAnotherPort;  // "Yes": back to the port list
};

// How long the box has to answer the version query.
inline constexpr int kProbeTimeoutMs = 3000;

class TimingLink {
  public:
    TimingLink(TimingPort& port, Clock& clock, Prompter& prompter, RaceState& state,
               const InstallationSettings& installation, const RaceFormatSettings& raceSettings)
        : port_(port),
          clock_(clock),
          prompter_(prompter),
          state_(state),
          installation_(installation),
          raceSettings_(raceSettings) {}

    void setPortFailureHandlers(PortFailureHandlers handlers) { handlers_ = std::move(handlers); }

    bool OpenTimingPort(int portNumber);
    // Race commands: not sent in demo mode, nor while the port is closed.
    void SendBoxCommand(std::string_view text);
    void SetTrackPower(bool on);
    void SendLaneCount();
    void SendSensorType();
    void SendDValue(int n);
    // What the box is told when the program takes it over: power off, the
    // lane count, the sensor type, D1, and paused.
    void SendBoxSetup();
    // The box's version line, or "" (after telling the operator) when it does not answer.
    std::string ProbeTimingInterface();
    void Wait(int milliseconds);

    // Every character waiting on the line, in order, each acted on before the next is read.
    template <typename OnChar>
    void drainInput(OnChar&& onChar) {
        while (port_.isOpen() && port_.charactersWaiting() > 0)
            onChar(port_.readOne());
    }
    void clearInput();

    TimingPort& port() { return port_; }
    // Demo races generate their laps and send the box nothing but its set-up.
    bool demoMode() const { return raceSettings_.demoMode == 1; }

  private:
    void send(std::string_view text);

    TimingPort& port_;
    Clock& clock_;
    Prompter& prompter_;
    RaceState& state_;
    const InstallationSettings& installation_;
    const RaceFormatSettings& raceSettings_;
    PortFailureHandlers handlers_;
};

// What one character from the box means to the race.
class BoxDecoder {
  public:
    struct Actions {
        std::function<void(int lane)> laneHit;  // "A".."H", at the current race clock
        std::function<void()> trackCall;        // "W"
    };

    BoxDecoder(RaceState& state, Actions actions) : state_(state), actions_(std::move(actions)) {}

    void receive(char c);

  private:
    RaceState& state_;
    Actions actions_;
    // A report with more digits than the race clock can hold is line noise.
    bool reportDamaged_ = false;
};

}  // namespace qel
