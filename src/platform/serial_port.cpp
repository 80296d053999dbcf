#include "platform/serial_port.h"

#include <QMetaObject>

#include "core/setup/port_map.h"
#include "qt/qt_text.h"

namespace qel::platform {

namespace {

// Each poll reads up to Qt's chunk size; this bounds one call even when the
// line delivers faster than it can be read.
constexpr int kMaxPollsPerCall = 64;

}  // namespace

SerialPort::SerialPort(AppFolder folder) : folder_(std::move(folder)) {
    port_.setReadBufferSize(static_cast<qint64>(kMaxBufferedBytes));
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

SerialPort::~SerialPort() {
    QObject::disconnect(&port_, nullptr, nullptr, nullptr);
    if (port_.isOpen()) port_.close();
}

std::string SerialPort::devicePath(int portNumber) const {
    return PortMap::load(folder_).devicePath(portNumber);
}

bool SerialPort::open(int portNumber) {
    // A number out of range changes nothing: an open line to the box stays open.
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber) {
        lastError_ = "There is no serial port " + std::to_string(portNumber) +
                     ": port numbers run from 1 to 16.";
        return false;
    }
    close();
    const std::string path = devicePath(portNumber);
    openedDescription_ = "serial port " + std::to_string(portNumber) + " (" + path + ")";
    port_.setPortName(toQt(path));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        lastError_ = "Cannot open " + openedDescription_ + ": " + fromQt(port_.errorString());
        port_.clearError();
        return false;
    }
    port_.clearError();
    lastError_.clear();
    return true;
}

void SerialPort::close() {
    unplugged_ = false;
    resetInput();
    if (port_.isOpen()) port_.close();
}

bool SerialPort::isOpen() const {
    return port_.isOpen() && !unplugged_;
}

void SerialPort::write(std::string_view bytes) {
    if (!isOpen() || bytes.empty()) return;
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the command to the line now: the race tick may block (the probe,
    // a wait) before the event loop would send it.
    port_.flush();
    closeAfterUnplug();
}

int SerialPort::charactersWaiting() {
    if (isOpen()) pullPending();
    closeAfterUnplug();
    return static_cast<int>(input_.size() - head_);
}

char SerialPort::readOne() {
    if (head_ >= input_.size()) return '\0';
    const char c = input_[head_++];
    if (head_ == input_.size()) resetInput();
    return c;
}

void SerialPort::clearInput() {
    if (isOpen()) {
        port_.clear(QSerialPort::Input);
        port_.readAll();
    }
    resetInput();
    closeAfterUnplug();
}

std::string SerialPort::lastError() const {
    return lastError_;
}

void SerialPort::pullPending() {
    append(port_.readAll());
    for (int i = 0; i < kMaxPollsPerCall && isOpen(); ++i) {
        if (!port_.waitForReadyRead(0)) break;
        append(port_.readAll());
    }
    // Polling an idle line reports a timeout; that is not a fault of the line.
    if (port_.error() == QSerialPort::TimeoutError) port_.clearError();
}

void SerialPort::append(const QByteArray& bytes) {
    if (bytes.isEmpty()) return;
    if (head_ > 0 && head_ * 2 >= input_.size()) {
        input_.erase(0, head_);
        head_ = 0;
    }
    input_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (input_.size() - head_ > kMaxBufferedBytes) head_ = input_.size() - kMaxBufferedBytes;
}

void SerialPort::resetInput() {
    input_.clear();
    head_ = 0;
}

void SerialPort::onError(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::ResourceError:
            markUnplugged();
            break;
        default:
            break;
    }
}

void SerialPort::markUnplugged() {
    if (unplugged_ || !port_.isOpen()) return;
    unplugged_ = true;
    lastError_ = "The timing box was unplugged from " + openedDescription_ +
                 ". Check its cable, then open the port again.";
    // A dead line keeps reporting errors while it stays open, so it is closed,
    // but not from inside QSerialPort's own error report: from the next pass
    // of the event loop, or sooner by the next call that touches the port.
    if (!closeQueued_) {
        closeQueued_ = true;
        QMetaObject::invokeMethod(
            &port_,
            [this] {
                closeQueued_ = false;
                closeAfterUnplug();
            },
            Qt::QueuedConnection);
    }
}

void SerialPort::closeAfterUnplug() {
    if (unplugged_ && port_.isOpen()) port_.close();
}

}  // namespace qel::platform
