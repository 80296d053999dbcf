#include "core/engine/timing_link.h"

#include <algorithm>
#include <limits>

namespace qel {

namespace {

constexpr std::size_t kMaxVersionLine = 256;
constexpr int kProbePollMs = 10;
// Ten digits can already exceed the race clock; more can only be noise.
constexpr std::size_t kMaxReportDigits = 10;

}  // namespace

bool TimingLink::OpenTimingPort(int portNumber) {
    if (portNumber < 1 || portNumber > 16) {
        prompter_.message("Invalid Port Number", "", MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    if (port_.isOpen()) port_.close();
    if (port_.open(portNumber)) return true;

    const auto answer = prompter_.message(
        "Com Port ERROR!\r\nTo Select a Different PORT click \"Yes\"\r\nTo use Demo mode, click "
        "\"No\"",
        "Com Port", MessageIcon::Critical, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) {
        if (handlers_.chooseAnotherPort) handlers_.chooseAnotherPort();
    } else if (handlers_.useDemoMode) {
        handlers_.useDemoMode();
    }
    return false;
}

void TimingLink::send(std::string_view text) {
    if (port_.isOpen()) port_.write(text);
}

void TimingLink::SendBoxCommand(std::string_view text) {
    if (!demoMode()) send(text);
}

void TimingLink::SetTrackPower(bool on) {
    if (demoMode() || !port_.isOpen()) return;
    switch (installation_.relayIndex) {
        case kRelayNormallyClosed:
            send(on ? "E" : "R");
            break;
        case kRelayNormallyOpen:
            send(on ? "R" : "E");
            break;
        default:
            break;
    }
}

void TimingLink::SendLaneCount() {
    if (!port_.isOpen()) return;
    send("A");
    send(std::to_string(state_.laneCount));
    send("\n");
}

void TimingLink::SendSensorType() {
    if (!port_.isOpen()) return;
    send("C");
    send(installation_.sensorTypeIndex == kSensorInfrared ? "1" : "0");
    send("\n");
}

void TimingLink::SendDValue(int n) {
    send("D" + std::to_string(n) + "\n");
}

void TimingLink::SendBoxSetup() {
    SetTrackPower(false);
    SendLaneCount();
    SendSensorType();
    SendDValue(1);
    SendBoxCommand("\rP");
}

void TimingLink::clearInput() {
    if (port_.isOpen()) port_.clearInput();
}

std::string TimingLink::ProbeTimingInterface() {
    clearInput();
    if (!port_.isOpen()) return "";
    send("P");
    send("V");
    // Measured on the monotonic tick count, so a probe running over midnight still ends.
    const int64_t deadline = clock_.tickCountMs() + kProbeTimeoutMs;
    std::string reply;
    while (true) {
        while (port_.isOpen() && port_.charactersWaiting() > 0) {
            reply += port_.readOne();
            if (reply.size() > kMaxVersionLine) reply.erase(0, reply.size() - kMaxVersionLine);
        }
        if (clock_.tickCountMs() > deadline) {
            prompter_.message(
                "Kestrova Interface not found.\nVerify connections and Com port number in "
                "Installation Settings.",
                "", MessageIcon::None, MessageButtons::Ok);
            return "";
        }
        if (!reply.empty() && reply.back() == '\n') {
            reply.resize(reply.size() >= 2 ? reply.size() - 2 : 0);
            return reply;
        }
        clock_.sleepMs(kProbePollMs);
    }
}

void TimingLink::Wait(int milliseconds) {
    if (milliseconds <= 0) return;
    const int64_t until = clock_.tickCountMs() + milliseconds;
    while (clock_.tickCountMs() < until) {
        clock_.sleepMs(static_cast<int>(until - clock_.tickCountMs()));
    }
}

void BoxDecoder::receive(char c) {
    state_.rxChar = c;
    if (c >= '0' && c <= '9') {
        if (state_.rxDigits.size() >= kMaxReportDigits) {
            reportDamaged_ = true;
        } else {
            state_.rxDigits += c;
        }
        return;
    }
    if (c == '\r') {
        int64_t value = 0;
        for (char d : state_.rxDigits)
            value = value * 10 + (d - '0');
        state_.rxDigits.clear();
        const int64_t total = static_cast<int64_t>(state_.elapsedMs) + value;
        // A report that would run the race clock past its range is noise, not time.
        if (!reportDamaged_ && total <= std::numeric_limits<int32_t>::max()) {
            state_.elapsedMs = static_cast<int32_t>(total);
        }
        reportDamaged_ = false;
        return;
    }
    if (c >= 'A' && c <= 'H') {
        if (actions_.laneHit) actions_.laneHit(c - 'A' + 1);
        return;
    }
    if (c == 'W' && actions_.trackCall) actions_.trackCall();
}

}  // namespace qel
