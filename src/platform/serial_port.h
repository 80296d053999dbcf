#pragma once
// The serial line to the timing box over QSerialPort: 9600 baud, 8N1, no
// flow control. Received characters are pulled in when the race tick asks how
// many are waiting, so reading works without an event loop (the probe and
// Wait block it) as well as with one.
#include <QSerialPort>
#include <cstddef>
#include <string>

#include "core/io/data_folder.h"
#include "core/seams/timing_port.h"

namespace qel::platform {

class SerialPort : public TimingPort {
  public:
    // Port numbers are looked up in the ports file of this application folder.
    explicit SerialPort(AppFolder folder);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    void write(std::string_view bytes) override;
    int charactersWaiting() override;
    char readOne() override;
    void clearInput() override;
    std::string lastError() const override;
    std::string devicePath(int portNumber) const override;

    // A box that keeps talking while nobody reads loses its oldest characters
    // beyond this, rather than filling the memory.
    static constexpr std::size_t kMaxBufferedBytes = 64 * 1024;

  private:
    void onError(QSerialPort::SerialPortError error);
    void pullPending();
    void append(const QByteArray& bytes);
    void markUnplugged();
    void closeAfterUnplug();
    void resetInput();

    AppFolder folder_;
    QSerialPort port_;
    std::string input_;
    std::size_t head_ = 0;  // next unread character of input_
    std::string lastError_;
    std::string openedDescription_;  // "serial port 1 (/dev/ttyUSB0)"
    bool unplugged_ = false;
    bool closeQueued_ = false;
};

}  // namespace qel::platform
