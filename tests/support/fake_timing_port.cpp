#include "support/fake_timing_port.h"

namespace qel::test {

std::string FakeTimingPort::written() const {
    std::string all;
    for (const auto& w : writes_)
        all += w;
    return all;
}

void FakeTimingPort::unplug() {
    open_ = false;
    lastError_ = "The timing box was unplugged.";
}

bool FakeTimingPort::open(int portNumber) {
    if (portNumber < 1 || portNumber > 16) {
        lastError_ = "There is no serial port " + std::to_string(portNumber) + ".";
        return false;
    }
    close();
    if (!openFailure_.empty()) {
        lastError_ = openFailure_;
        return false;
    }
    open_ = true;
    lastError_.clear();
    openedPorts_.push_back(portNumber);
    return true;
}

void FakeTimingPort::close() {
    open_ = false;
    input_.clear();
    head_ = 0;
}

void FakeTimingPort::write(std::string_view bytes) {
    if (!open_) return;
    writes_.emplace_back(bytes);
    if (onWrite_) onWrite_(bytes);
}

char FakeTimingPort::readOne() {
    if (head_ >= input_.size()) return '\0';
    return input_[head_++];
}

void FakeTimingPort::clearInput() {
    ++clearInputCount_;
    input_.clear();
    head_ = 0;
}

std::string FakeTimingPort::devicePath(int portNumber) const {
    return "/dev/fake" + std::to_string(portNumber);
}

}  // namespace qel::test
