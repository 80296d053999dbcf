#include "platform/live_board_gate.h"

#include <QTimer>

namespace qel::platform {

namespace {

QByteArray fullAnswer() {
    const QByteArray text = "The live board is full just now: try again shortly.\n";
    return "HTTP/1.1 503 Service Unavailable\r\n"
           "Content-Type: text/plain; charset=utf-8\r\n"
           "Retry-After: 30\r\n"
           "Connection: close\r\n"
           "Content-Length: " +
           QByteArray::number(text.size()) + "\r\n\r\n" + text;
}

// The refused client's request is read and dropped before the close, so the
// close does not reset the connection before the answer is read.
constexpr int kRefusalCloseMs = 300;
constexpr int kRefusalAbortMs = 3000;

}  // namespace

LiveBoardGate::LiveBoardGate(const LiveBoardLimits& limits,
                             std::function<bool(const QTcpSocket&)> isViewer, QObject* parent)
    : QTcpServer(parent), limits_(limits), isViewer_(std::move(isViewer)) {}

int LiveBoardGate::openConnections() {
    open_.removeIf([](const QPointer<QTcpSocket>& socket) {
        return socket.isNull() || socket->state() == QAbstractSocket::UnconnectedState;
    });
    return static_cast<int>(open_.size());
}

void LiveBoardGate::incomingConnection(qintptr handle) {
    if (openConnections() >= limits_.maxConnections) {
        refuse(handle);
        return;
    }
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        socket->deleteLater();
        return;
    }
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, limits_.sendBufferBytes);
    // The request parser keeps what it reads until the request is whole; a
    // full buffer stops the reading, and the deadline below ends the wait.
    socket->setReadBufferSize(limits_.maxRequestBytes);
    open_.append(socket);
    QTimer::singleShot(limits_.requestDeadlineMs, socket, [this, socket] {
        if (socket->state() != QAbstractSocket::UnconnectedState && !isViewer_(*socket))
            socket->abort();
    });
    addPendingConnection(socket);
}

void LiveBoardGate::refuse(qintptr handle) {
    ++refused_;
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        socket->deleteLater();
        return;
    }
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(fullAnswer());
    QTimer::singleShot(kRefusalCloseMs, socket, [socket] {
        socket->readAll();
        socket->disconnectFromHost();
    });
    QTimer::singleShot(kRefusalAbortMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

}  // namespace qel::platform
