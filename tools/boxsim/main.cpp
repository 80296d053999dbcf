// qelbox-sim: a timing box on a pseudo-terminal or a serial port, for tests
// and for race directors who want to try real mode without the hardware.
#include <signal.h>

#include <csignal>
#include <iostream>
#include <random>
#include <system_error>

#include "boxsim/options.h"
#include "boxsim/pty.h"
#include "boxsim/session.h"
#include "boxsim/slave_link.h"

namespace {

// The only state a signal handler may touch.
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qel::boxsim;

    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.outcome == ParsedOptions::Outcome::Help) {
        std::cout << usageText();
        return 0;
    }
    if (parsed.outcome == ParsedOptions::Outcome::Error) {
        std::cerr << "qelbox-sim: " << parsed.error << "\nTry qelbox-sim --help.\n";
        return 2;
    }
    Options options = parsed.options;
    if (options.seed) {
        options.box.laps.seed = *options.seed;
    } else {
        std::random_device entropy;
        options.box.laps.seed = (std::uint64_t{entropy()} << 32) | entropy();
        std::cerr << "qelbox-sim: seed " << options.box.laps.seed << std::endl;
    }

    // Stop signals wait blocked and are let in only while the loop sleeps, so
    // one arriving between a check and the sleep cannot be missed.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        Line line =
            options.device.empty() ? openPseudoTerminal() : openSerialDevice(options.device);
        SlaveLink link = options.link.empty() ? SlaveLink() : SlaveLink(options.link, line.path);
        const std::string path = line.path;
        Session session(options, std::move(line), std::move(link));
        std::cout << "PORT " << path << std::endl;
        session.run(stopRequested, waitMask);
    } catch (const std::system_error& error) {
        std::cerr << "qelbox-sim: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
