#pragma once
// The box's end of the serial line: a fresh pseudo-terminal or a real device,
// raw 9600 8N1, non-blocking.
#include <string>

#include "boxsim/unique_fd.h"

namespace qel::boxsim {

struct Line {
    UniqueFd fd;  // the box reads and writes here
    // A pseudo-terminal's slave, held open by the box itself: without it the
    // master reports a hang-up whenever the program has the port closed, and
    // the slave's raw settings would not last until the program opens it.
    UniqueFd slaveHold;
    std::string path;  // what the program opens
};

// Both throw std::system_error naming what failed.
Line openPseudoTerminal();
Line openSerialDevice(const std::string& path);

}  // namespace qel::boxsim
