#include "platform/live_board_server.h"

#include <QNetworkInterface>

#include "platform/live_board_gate.h"
#include "platform/live_board_http.h"
#include "qt/qt_text.h"

namespace qel::platform {

// One run of the server, from listen to stop: the HTTP server, the door it
// takes its connections through, and the viewers.
class LiveBoardServer::Session {
  public:
    Session(const LiveBoardLimits& limits, const QByteArray& latest) : viewers(limits) {
        http = std::make_unique<LiveBoardHttp>([&latest] { return latest; });
        gate = new LiveBoardGate(
            limits,
            [this](const QTcpSocket& socket) {
                return viewers.isViewer(socket.peerAddress(), socket.peerPort());
            },
            http.get());
    }

    // Declared first, gone last: the viewers go before the server that made them.
    std::unique_ptr<LiveBoardHttp> http;
    LiveBoardGate* gate = nullptr;  // a child of http
    LiveBoardViewers viewers;
};

LiveBoardServer::LiveBoardServer(LiveBoardLimits limits) : limits_(limits) {
    latest_ = "{}";
    latestText_ = "{}";
}

LiveBoardServer::~LiveBoardServer() = default;

LiveBoardListening LiveBoardServer::listen(uint16_t port) {
    stop();
    auto session = std::make_unique<Session>(limits_, latest_);
    LiveBoardListening result;
    bool opened = session->gate->listen(QHostAddress::Any, port);
    // A PC without IPv6 takes IPv4 alone.
    if (!opened && session->gate->serverError() == QAbstractSocket::UnsupportedSocketOperationError)
        opened = session->gate->listen(QHostAddress::AnyIPv4, port);
    if (!opened) {
        result.error = fromQt(session->gate->errorString());
        return result;
    }
    session->http->bind(session->gate);
    Session* running = session.get();
    QObject::connect(session->http.get(), &QAbstractHttpServer::newWebSocketConnection,
                     session->http.get(), [this, running] {
                         while (running->http->hasPendingWebSocketConnections())
                             running->viewers.admit(running->http->nextPendingWebSocketConnection(),
                                                    latestText_);
                     });
    session_ = std::move(session);
    result.listening = true;
    result.port = this->port();
    result.addresses = liveBoardAddresses(result.port);
    return result;
}

void LiveBoardServer::stop() {
    if (!session_) return;
    session_->gate->close();
    session_->viewers.closeAll("The race director switched the live board off.");
    session_.reset();
}

void LiveBoardServer::publish(std::string_view json) {
    latest_ = QByteArray(json.data(), static_cast<qsizetype>(json.size()));
    latestText_ = QString::fromUtf8(latest_);
    if (session_) session_->viewers.publish(latestText_);
}

uint16_t LiveBoardServer::port() const {
    return session_ ? session_->gate->serverPort() : 0;
}

LiveBoardServerCounts LiveBoardServer::counts() const {
    LiveBoardServerCounts counts;
    if (!session_) return counts;
    counts.viewers = session_->viewers.counts();
    counts.openConnections = session_->gate->openConnections();
    counts.refusedConnections = session_->gate->refusedConnections();
    return counts;
}

std::vector<std::string> liveBoardAddresses(uint16_t port) {
    const QString suffix = ":" + QString::number(port) + "/";
    std::vector<std::string> addresses;
    for (const QNetworkInterface& network : QNetworkInterface::allInterfaces()) {
        const auto flags = network.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : network.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol || ip.isLinkLocal()) continue;
            addresses.push_back(fromQt("http://" + ip.toString() + suffix));
        }
    }
    if (addresses.empty()) addresses.push_back(fromQt("http://127.0.0.1" + suffix));
    return addresses;
}

}  // namespace qel::platform
