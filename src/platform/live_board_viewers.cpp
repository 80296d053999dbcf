#include "platform/live_board_viewers.h"

#include <QWebSocketProtocol>
#include <algorithm>

#include "core/liveboard/live_board_routes.h"
#include "qt/qt_text.h"

namespace qel::platform {

namespace {

// The board is full: the page waits and comes back. A private code, since
// not every WebSocket client takes the newer registered "Try Again Later".
constexpr int kCloseBoardFull = 4013;
// Viewers send nothing the board reads; anything long is not a viewer.
constexpr quint64 kMaxIncomingBytes = 1024;
// A socket being closed is let go of after this, whatever its peer does.
constexpr int kCloseAbortMs = 3000;

}  // namespace

LiveBoardViewers::LiveBoardViewers(const LiveBoardLimits& limits, QObject* parent)
    : QObject(parent), limits_(limits) {
    clock_.start();
    pings_.setInterval(std::max(limits_.silentViewerMs / 3, 100));
    connect(&pings_, &QTimer::timeout, this, &LiveBoardViewers::sweep);
    pings_.start();
}

LiveBoardViewers::~LiveBoardViewers() {
    // The sockets are children: they go with this object, without a word
    // sent, since the event loop may not run again.
    for (Viewer& viewer : viewers_)
        viewer.socket->disconnect(this);
}

LiveBoardViewers::Viewer* LiveBoardViewers::find(QWebSocket* socket) {
    const auto found = std::find_if(viewers_.begin(), viewers_.end(),
                                    [socket](const Viewer& v) { return v.socket == socket; });
    return found == viewers_.end() ? nullptr : &*found;
}

void LiveBoardViewers::turnAway(QWebSocket* socket, int closeCode, const QString& reason) {
    socket->setParent(this);
    connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseAbortMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->close(static_cast<QWebSocketProtocol::CloseCode>(closeCode), reason);
}

void LiveBoardViewers::admit(std::unique_ptr<QWebSocket> owned, const QString& message) {
    QWebSocket* socket = owned.release();
    socket->setMaxAllowedIncomingFrameSize(kMaxIncomingBytes);
    socket->setMaxAllowedIncomingMessageSize(kMaxIncomingBytes);
    if (socket->requestUrl().path() != toQt(kLiveBoardViewerPath)) {
        turnAway(socket, QWebSocketProtocol::CloseCodePolicyViolated,
                 "Nothing here: the live board's viewers connect to /live.");
        return;
    }
    if (viewerCount() >= limits_.maxViewers) {
        ++counts_.refused;
        turnAway(socket, kCloseBoardFull,
                 QString("The live board has its %1 viewers: try again shortly.")
                     .arg(limits_.maxViewers));
        return;
    }
    socket->setParent(this);
    viewers_.push_back({socket, false, clock_.elapsed()});
    counts_.viewers = viewerCount();
    connect(socket, &QWebSocket::bytesWritten, this, [this, socket] { caughtUp(socket); });
    connect(socket, &QWebSocket::pong, this, [this, socket] { heard(socket); });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { leave(socket); });
    latest_ = message;
    send(viewers_.back());
}

void LiveBoardViewers::send(Viewer& viewer) {
    const qint64 backlog = viewer.socket->bytesToWrite();
    counts_.largestBacklog = std::max<int64_t>(counts_.largestBacklog, backlog);
    if (backlog > 0) {
        if (viewer.behind) ++counts_.dropped;
        viewer.behind = true;
        return;
    }
    viewer.behind = false;
    viewer.socket->sendTextMessage(latest_);
    ++counts_.sent;
}

void LiveBoardViewers::publish(const QString& message) {
    latest_ = message;
    for (Viewer& viewer : viewers_)
        send(viewer);
}

void LiveBoardViewers::caughtUp(QWebSocket* socket) {
    Viewer* viewer = find(socket);
    if (!viewer || !viewer->behind || socket->bytesToWrite() > 0) return;
    send(*viewer);
}

void LiveBoardViewers::heard(QWebSocket* socket) {
    if (Viewer* viewer = find(socket)) viewer->lastHeardMs = clock_.elapsed();
}

void LiveBoardViewers::leave(QWebSocket* socket) {
    const auto gone = std::remove_if(viewers_.begin(), viewers_.end(),
                                     [socket](const Viewer& v) { return v.socket == socket; });
    if (gone == viewers_.end()) return;
    viewers_.erase(gone, viewers_.end());
    counts_.viewers = viewerCount();
    socket->disconnect(this);
    socket->deleteLater();
}

void LiveBoardViewers::sweep() {
    const qint64 now = clock_.elapsed();
    std::vector<QWebSocket*> silent;
    for (const Viewer& viewer : viewers_) {
        if (now - viewer.lastHeardMs > limits_.silentViewerMs) {
            silent.push_back(viewer.socket);
        } else {
            viewer.socket->ping();
        }
    }
    for (QWebSocket* socket : silent) {
        ++counts_.letGo;
        leave(socket);
        socket->abort();
    }
}

void LiveBoardViewers::closeAll(const QString& reason) {
    std::vector<Viewer> going;
    going.swap(viewers_);
    counts_.viewers = 0;
    for (const Viewer& viewer : going) {
        viewer.socket->disconnect(this);
        turnAway(viewer.socket, QWebSocketProtocol::CloseCodeGoingAway, reason);
    }
}

bool LiveBoardViewers::isViewer(const QHostAddress& address, quint16 port) const {
    return std::any_of(viewers_.begin(), viewers_.end(), [&](const Viewer& v) {
        return v.socket->peerPort() == port && v.socket->peerAddress().isEqual(address);
    });
}

}  // namespace qel::platform
