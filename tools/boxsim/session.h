#pragma once
// The running box: the line, the operator's console and the record files
// around the box model, driven by the steady clock.
#include <signal.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "boxsim/box_model.h"
#include "boxsim/console_commands.h"
#include "boxsim/options.h"
#include "boxsim/pty.h"
#include "boxsim/slave_link.h"

namespace qel::boxsim {

class Session {
  public:
    // Throws std::system_error when a record file cannot be opened.
    Session(const Options& options, Line line, SlaveLink link);

    // Runs until "quit" or until stopRequested is set by a signal handler;
    // waitMask is the signal mask to wait with (the stop signals unblocked).
    void run(const volatile std::sig_atomic_t& stopRequested, const sigset_t& waitMask);

  private:
    using SteadyClock = std::chrono::steady_clock;

    void tick();
    void readLine();
    void readConsole();
    void handleConsole(std::string_view text);
    void sendModelOutput();
    void send(const std::vector<Emission>& emissions);
    void closeLine(const std::string& why);
    // A hung-up pseudo-terminal line comes back as a fresh one under the same link.
    void reopenLine();
    void note(const std::string& text);

    BoxModel model_;
    Line line_;
    SlaveLink link_;
    std::string device_;    // a real device, or empty for a pseudo-terminal
    std::string linkPath_;  // the fixed name the program opens
    std::ofstream log_;
    std::ofstream record_;
    std::ofstream lapsLog_;
    SteadyClock::time_point clockPoint_;
    std::string consoleBuffer_;
    bool consoleOpen_ = true;
    bool unplugged_ = false;
    bool dropping_ = false;  // the line's buffer was full at the last write
    bool quit_ = false;
};

}  // namespace qel::boxsim
