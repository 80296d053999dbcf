#pragma once
// How much the live board takes on at once, so that neither a crowd of phones
// nor one hostile or broken client can take anything from the race.
#include <cstdint>

namespace qel::platform {

struct LiveBoardLimits {
    // Phones, TVs and overlays watching at once; one more is told the board
    // is full and to come back later.
    int maxViewers = 64;
    // Open connections of every kind (viewers and pages loading); beyond
    // them a new connection gets "503 Service Unavailable" at once.
    int maxConnections = 96;
    // A page or API connection is answered and closed; one still open this
    // long is a request that never came whole, and is closed.
    int requestDeadlineMs = 10000;
    // A viewer that has answered no ping this long has gone (or stopped
    // reading) and gives its place up.
    int silentViewerMs = 30000;
    // What the system may hold unsent for one viewer; the rest waits in the
    // program as one message at most, replaced by each newer state.
    int sendBufferBytes = 64 * 1024;
    // No request to a read-only board needs more; a longer one is cut off.
    int64_t maxRequestBytes = 16 * 1024;
};

}  // namespace qel::platform
