#include "stream_port.h"

namespace qel::replay {

int StreamPort::charactersWaiting() {
    if (exhausted() || raceClock_ >= limitMs_) return 0;
    return 1;
}

}  // namespace qel::replay
