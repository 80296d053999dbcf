#include "core/liveboard/live_board.h"

#include <exception>

#include "core/liveboard/live_board_json.h"

namespace qel {

namespace {

// The status line has room for a couple of addresses; a PC on more networks
// than that names the first ones.
constexpr std::size_t kAddressesShown = 2;

}  // namespace

std::string liveBoardNotice(const LiveBoardListening& listening, int32_t port) {
    if (!listening.listening) {
        std::string reason = listening.error;
        while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
            reason.pop_back();
        return "Live board off: port " + std::to_string(port) + " could not be opened" +
               (reason.empty() ? "" : " (" + reason + ")") + ".";
    }
    std::string text = "Live board: ";
    for (std::size_t i = 0; i < listening.addresses.size() && i < kAddressesShown; ++i)
        text += (i == 0 ? "" : " or ") + listening.addresses[i];
    if (listening.addresses.empty()) text += "port " + std::to_string(listening.port);
    return text;
}

void LiveBoard::load() {
    try {
        readLiveBoardFile(c_.folder, c_.settings);
    } catch (const std::exception&) {
        c_.settings = LiveBoardSettings{};
        apply();
        c_.board.liveBoardNotice =
            std::string(kLiveBoardFileName) + " was damaged; the live board is off.";
        return;
    }
    apply();
}

void LiveBoard::apply() {
    const LiveBoardSettings wanted = c_.settings;
    if (wanted == inForce_ && running_ == wanted.enabled) return;
    if (running_) c_.host.stop();
    running_ = false;
    inForce_ = wanted;
    c_.board.liveBoardNotice.clear();
    if (!wanted.enabled) return;

    const LiveBoardListening listening = c_.host.listen(static_cast<uint16_t>(wanted.port));
    c_.board.liveBoardNotice = liveBoardNotice(listening, wanted.port);
    running_ = listening.listening;
    // A viewer who connects now sees the board as it stands.
    lastJson_.clear();
    publish();
}

void LiveBoard::publish() {
    if (!running_) return;
    std::string json = liveBoardJson(takeLiveBoardSnapshot(c_.sources));
    if (json == lastJson_) return;
    lastJson_ = std::move(json);
    c_.host.publish(lastJson_);
}

void LiveBoard::stop() {
    if (running_) c_.host.stop();
    running_ = false;
}

}  // namespace qel
