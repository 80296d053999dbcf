#pragma once
// The serial line to the timing box. Nothing is event-driven: received
// characters wait in the input buffer until the race tick reads them.
#include <string>
#include <string_view>

namespace qel {

class TimingPort {
  public:
    virtual ~TimingPort() = default;

    // Opens port number 1..16 at 9600 8N1. On failure returns false and
    // lastError() says what went wrong, in words a race director understands.
    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    // False also once the box was unplugged while the port was open.
    virtual bool isOpen() const = 0;
    virtual void write(std::string_view bytes) = 0;
    virtual int charactersWaiting() = 0;
    // One received character; only valid when charactersWaiting() > 0.
    virtual char readOne() = 0;
    virtual void clearInput() = 0;
    virtual std::string lastError() const = 0;
    // The device path a port number stands for, shown beside the number.
    virtual std::string devicePath(int portNumber) const = 0;
};

}  // namespace qel
