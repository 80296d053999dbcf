#pragma once
// The phones, TVs and overlays watching the live board over a WebSocket. Each
// is sent the newest state of the board; one whose last message still waits
// to go out is not sent another behind it: it gets the newest state once it
// has taken the last, so a slow or stalled viewer never holds the race up and
// never falls behind by more than one state. A viewer that stops answering
// pings gives its place up.
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWebSocket>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/live_board_limits.h"

namespace qel::platform {

// What the viewers took, for the race director's tests and benchmarks.
struct LiveBoardViewerCounts {
    int viewers = 0;
    int refused = 0;             // over the limit, told to come back later
    int letGo = 0;               // silent for too long
    int64_t sent = 0;            // messages handed to viewers
    int64_t dropped = 0;         // states a busy viewer never got: a newer one took their place
    int64_t largestBacklog = 0;  // bytes waiting for one viewer when a state came
};

class LiveBoardViewers : public QObject {
    Q_OBJECT

  public:
    LiveBoardViewers(const LiveBoardLimits& limits, QObject* parent = nullptr);
    ~LiveBoardViewers() override;

    // A socket that asked for the viewers' path: it joins and is sent the
    // board as it stands, or is closed with the reason when the board is full
    // or it asked for another path.
    void admit(std::unique_ptr<QWebSocket> socket, const QString& message);
    // The newest state, for every viewer.
    void publish(const QString& message);
    // The server stops: every viewer is told why.
    void closeAll(const QString& reason);

    bool isViewer(const QHostAddress& address, quint16 port) const;
    const LiveBoardViewerCounts& counts() const { return counts_; }
    int viewerCount() const { return static_cast<int>(viewers_.size()); }

  private:
    struct Viewer {
        QWebSocket* socket = nullptr;  // a child of this object
        bool behind = false;           // a newer state waits for it
        qint64 lastHeardMs = 0;
    };

    void send(Viewer& viewer);
    void caughtUp(QWebSocket* socket);
    void heard(QWebSocket* socket);
    void leave(QWebSocket* socket);
    void turnAway(QWebSocket* socket, int closeCode, const QString& reason);
    void sweep();
    Viewer* find(QWebSocket* socket);

    LiveBoardLimits limits_;
    std::vector<Viewer> viewers_;
    QString latest_;
    QTimer pings_;
    QElapsedTimer clock_;
    LiveBoardViewerCounts counts_;
};

}  // namespace qel::platform
