#include "boxsim/pty.h"

#include <fcntl.h>
#include <termios.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace qel::boxsim {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// No echo, no CR/LF translation, no line editing: every byte passes as sent.
// TCSANOW, because a drain-and-flush variant would discard bytes already written.
void makeRaw(int fd, const std::string& what) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) fail("cannot read the line settings of " + what);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) fail("cannot make " + what + " raw");
}

}  // namespace

Line openPseudoTerminal() {
    Line line;
    line.fd = UniqueFd(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!line.fd.valid()) fail("cannot open a pseudo-terminal");
    if (::grantpt(line.fd.get()) != 0 || ::unlockpt(line.fd.get()) != 0) {
        fail("cannot unlock the pseudo-terminal");
    }
    const char* name = ::ptsname(line.fd.get());
    if (name == nullptr) fail("cannot name the pseudo-terminal");
    line.path = name;
    line.slaveHold = UniqueFd(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!line.slaveHold.valid()) fail("cannot open " + line.path);
    makeRaw(line.fd.get(), "the pseudo-terminal");
    makeRaw(line.slaveHold.get(), line.path);
    return line;
}

Line openSerialDevice(const std::string& path) {
    Line line;
    line.path = path;
    line.fd = UniqueFd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!line.fd.valid()) fail("cannot open " + path);
    makeRaw(line.fd.get(), path);
    return line;
}

}  // namespace qel::boxsim
