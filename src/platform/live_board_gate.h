#pragma once
// The live board's door on the network: it takes each connection, bounds what
// the system buffers for it and how much of a request it reads, refuses
// politely (503) when too many are open, and closes a connection that is
// still not a viewer when its request deadline passes.
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "platform/live_board_limits.h"

namespace qel::platform {

class LiveBoardGate : public QTcpServer {
    Q_OBJECT

  public:
    // isViewer: whether a connection became a viewer (those stay open).
    LiveBoardGate(const LiveBoardLimits& limits, std::function<bool(const QTcpSocket&)> isViewer,
                  QObject* parent);

    int openConnections();
    int refusedConnections() const { return refused_; }

  protected:
    void incomingConnection(qintptr handle) override;

  private:
    void refuse(qintptr handle);

    LiveBoardLimits limits_;
    std::function<bool(const QTcpSocket&)> isViewer_;
    QList<QPointer<QTcpSocket>> open_;
    int refused_ = 0;
};

}  // namespace qel::platform
