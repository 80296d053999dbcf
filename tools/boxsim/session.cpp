#include "boxsim/session.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <system_error>

namespace qel::boxsim {
namespace {

// An operator typing without ever pressing Enter must not grow memory forever.
constexpr std::size_t kMaxConsoleLine = 64 * 1024;

std::ofstream openRecordFile(const std::string& path, std::ios::openmode mode) {
    std::ofstream file;
    if (path.empty()) return file;
    file.open(path, mode | std::ios::trunc);
    if (!file) throw std::system_error(errno, std::generic_category(), "cannot write " + path);
    return file;
}

}  // namespace

Session::Session(const Options& options, Line line, SlaveLink link)
    : model_(options.box),
      line_(std::move(line)),
      link_(std::move(link)),
      device_(options.device),
      linkPath_(options.link),
      log_(openRecordFile(options.logFile, std::ios::out)),
      record_(openRecordFile(options.recordFile, std::ios::out | std::ios::binary)),
      lapsLog_(openRecordFile(options.lapsLogFile, std::ios::out)),
      clockPoint_(SteadyClock::now()) {}

void Session::run(const volatile std::sig_atomic_t& stopRequested, const sigset_t& waitMask) {
    while (!quit_ && stopRequested == 0) {
        pollfd fds[2]{};
        nfds_t count = 0;
        int lineSlot = -1;
        int consoleSlot = -1;
        if (line_.fd.valid()) {
            lineSlot = static_cast<int>(count);
            fds[count++] = {line_.fd.get(), POLLIN, 0};
        }
        if (consoleOpen_) {
            consoleSlot = static_cast<int>(count);
            fds[count++] = {STDIN_FILENO, POLLIN, 0};
        }

        timespec timeout{};
        const timespec* wait = nullptr;
        if (const auto untilReport = model_.msUntilNextReport()) {
            const auto due = clockPoint_ + std::chrono::milliseconds(*untilReport);
            const auto left = std::max(due - SteadyClock::now(), SteadyClock::duration::zero());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            wait = &timeout;
        }
        const int ready = ::ppoll(fds, count, wait, &waitMask);
        if (ready < 0 && errno != EINTR) {
            note(std::string("waiting failed: ") + std::strerror(errno));
            return;
        }

        tick();
        if (ready > 0) {
            if (lineSlot >= 0 && fds[lineSlot].revents != 0) readLine();
            if (consoleSlot >= 0 && fds[consoleSlot].revents != 0) readConsole();
        }
        sendModelOutput();
    }
}

void Session::tick() {
    // Whole milliseconds only; the remainder stays on the clock for the next tick.
    const auto elapsed =
        std::chrono::floor<std::chrono::milliseconds>(SteadyClock::now() - clockPoint_);
    clockPoint_ += elapsed;
    model_.advance(elapsed.count());
}

void Session::readLine() {
    char buffer[4096];
    while (line_.fd.valid()) {
        const ssize_t got = ::read(line_.fd.get(), buffer, sizeof buffer);
        if (got > 0) {
            // A pulled cable: the box never hears these bytes.
            if (unplugged_) continue;
            for (const LoggedCommand& entry :
                 model_.receive(std::string_view(buffer, static_cast<std::size_t>(got)))) {
                const std::string text = std::to_string(entry.boxMs) + " " + entry.text;
                std::cerr << text << '\n' << std::flush;
                if (log_.is_open()) log_ << text << '\n' << std::flush;
            }
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        closeLine(got == 0 ? "the line hung up"
                           : std::string("the line failed: ") + std::strerror(errno));
    }
}

void Session::readConsole() {
    char buffer[4096];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (got <= 0) {
        // Tests and scripts may close standard input; the box keeps running.
        consoleOpen_ = false;
        return;
    }
    consoleBuffer_.append(buffer, static_cast<std::size_t>(got));
    std::size_t start = 0;
    for (auto end = consoleBuffer_.find('\n'); end != std::string::npos && !quit_;
         end = consoleBuffer_.find('\n', start)) {
        handleConsole(std::string_view(consoleBuffer_).substr(start, end - start));
        start = end + 1;
    }
    consoleBuffer_.erase(0, start);
    if (consoleBuffer_.size() > kMaxConsoleLine) {
        note("console line too long, discarded");
        consoleBuffer_.clear();
    }
}

void Session::handleConsole(std::string_view text) {
    using Kind = ConsoleCommand::Kind;
    const ConsoleCommand command = parseConsoleLine(text);
    switch (command.kind) {
        case Kind::Empty:
            break;
        case Kind::TrackCall:
        case Kind::Send:
            if (!line_.fd.valid()) {
                note("the line is closed; nothing sent");
            } else if (unplugged_) {
                note("unplugged; nothing sent");
            } else {
                send({{command.kind == Kind::TrackCall ? std::string("W") : command.bytes}});
            }
            break;
        case Kind::Unplug:
            unplugged_ = true;
            note("unplugged");
            break;
        case Kind::Plug:
            unplugged_ = false;
            note("plugged in");
            break;
        case Kind::Hangup:
            closeLine("hung up");
            break;
        case Kind::Reconnect:
            reopenLine();
            break;
        case Kind::Quit:
            quit_ = true;
            break;
        case Kind::Invalid:
            note(command.error);
            break;
    }
}

void Session::sendModelOutput() {
    std::vector<Emission> emissions = model_.takeOutput();
    // A box without its cable keeps timing; what it sends is lost.
    if (emissions.empty() || unplugged_ || !line_.fd.valid()) return;
    send(emissions);
}

void Session::send(const std::vector<Emission>& emissions) {
    std::string bytes;
    for (const Emission& emission : emissions)
        bytes += emission.bytes;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(line_.fd.get(), bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // Nobody is reading the port and its buffer is full: a serial
            // line drops what it cannot carry.
            if (!dropping_) note("the line is full; output dropped until it drains");
            dropping_ = true;
            break;
        }
    }
    if (written == bytes.size()) dropping_ = false;

    if (record_.is_open() && written > 0) {
        record_.write(bytes.data(), static_cast<std::streamsize>(written));
        record_.flush();
    }
    if (lapsLog_.is_open()) {
        std::size_t offset = 0;
        for (const Emission& emission : emissions) {
            if (offset >= written) break;
            if (emission.lane != 0) lapsLog_ << emission.lane << ' ' << emission.crossingMs << '\n';
            offset += emission.bytes.size();
        }
        lapsLog_.flush();
    }
}

void Session::closeLine(const std::string& why) {
    if (!line_.fd.valid()) return;
    // The name goes first, so whoever sees the device vanish finds no stale link.
    link_.remove();
    line_.fd.reset();
    line_.slaveHold.reset();
    note(why + "; the line is closed (quit to exit)");
}

void Session::reopenLine() {
    if (line_.fd.valid()) {
        note("the line is open; nothing to reconnect");
        return;
    }
    if (!device_.empty()) {
        note("a real device comes back by itself; nothing to reconnect");
        return;
    }
    try {
        line_ = openPseudoTerminal();
        if (!linkPath_.empty()) link_ = SlaveLink(linkPath_, line_.path);
        note("reconnected on " + (linkPath_.empty() ? line_.path : linkPath_));
    } catch (const std::system_error& e) {
        note(std::string("could not reconnect: ") + e.what());
    }
}

void Session::note(const std::string& text) {
    std::cerr << "qelbox-sim: " << text << std::endl;
}

}  // namespace qel::boxsim
