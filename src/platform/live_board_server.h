#pragma once
// The live board's server on the club's network, on the user-interface
// thread's event loop: QAbstractHttpServer answers the page and the race's
// JSON and hands WebSocket requests to the viewers. Publishing a state only
// queues it for each viewer that is ready for it; the sending is done by the
// event loop after the race tick, so no client can hold the tick up.
#include <QByteArray>
#include <QString>
#include <memory>

#include "core/seams/live_board_host.h"
#include "platform/live_board_limits.h"
#include "platform/live_board_viewers.h"

namespace qel::platform {

struct LiveBoardServerCounts {
    LiveBoardViewerCounts viewers;
    int openConnections = 0;
    int refusedConnections = 0;
};

class LiveBoardServer : public LiveBoardHost {
  public:
    explicit LiveBoardServer(LiveBoardLimits limits = {});
    ~LiveBoardServer() override;
    LiveBoardServer(const LiveBoardServer&) = delete;
    LiveBoardServer& operator=(const LiveBoardServer&) = delete;

    LiveBoardListening listen(uint16_t port) override;
    void stop() override;
    void publish(std::string_view json) override;

    bool listening() const { return session_ != nullptr; }
    uint16_t port() const;
    LiveBoardServerCounts counts() const;
    const LiveBoardLimits& limits() const { return limits_; }

  private:
    class Session;

    LiveBoardLimits limits_;
    QByteArray latest_;
    QString latestText_;
    std::unique_ptr<Session> session_;
};

// Where the page opens from other machines: the PC's IPv4 addresses on the
// networks that are up, as "http://192.168.1.20:8080/"; this PC's own
// address when it is on none.
std::vector<std::string> liveBoardAddresses(uint16_t port);

}  // namespace qel::platform
