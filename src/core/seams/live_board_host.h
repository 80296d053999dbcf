#pragma once
// The live board's server on the club's network: it hands spectators' phones,
// a TV by the track and a stream overlay the board's page and, as the race
// goes on, the newest state of the board. Nothing it receives changes the
// program; the race only ever tells it the state to show.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct LiveBoardListening {
    bool listening = false;
    // The port taken (the one asked for, or the one the system chose for 0).
    uint16_t port = 0;
    // Where the page opens on the club's network: "http://192.168.1.20:8080/".
    std::vector<std::string> addresses;
    // Why the port could not be opened, for the race director.
    std::string error;
};

class LiveBoardHost {
  public:
    virtual ~LiveBoardHost() = default;
    // Serves the page on every network of the PC; a server already running
    // stops first, and its viewers are told it went.
    virtual LiveBoardListening listen(uint16_t port) = 0;
    virtual void stop() = 0;
    // The board's newest state as its JSON text: every viewer is sent it (one
    // too slow to take it gets the newest one once it catches up), and the
    // race's API answers with it until the next one.
    virtual void publish(std::string_view json) = 0;
};

}  // namespace qel
