#pragma once
// The live board's clients as tests play them on loopback: a browser's plain
// HTTP request, written byte for byte, and a viewer on the WebSocket that
// keeps every state it is sent. Every wait is bounded.
#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QWebSocket>
#include <functional>
#include <memory>
#include <vector>

namespace qel::test {

struct HttpAnswer {
    int status = 0;
    QByteArray head;
    QByteArray body;
    // The server closed the connection after its answer.
    bool closed = false;

    QByteArray header(const QByteArray& name) const {
        for (const QByteArray& line : head.split('\n')) {
            const int colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
                return line.mid(colon + 1).trimmed();
        }
        return {};
    }
};

// Sends the bytes as they stand and reads until the server closes or the
// wait runs out.
inline HttpAnswer httpExchange(quint16 port, const QByteArray& request, int timeoutMs = 5000) {
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", port);
    HttpAnswer answer;
    if (!socket.waitForConnected(timeoutMs)) return answer;
    socket.write(request);
    QByteArray received;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        QTest::qWait(5);
        received += socket.readAll();
        if (socket.state() == QAbstractSocket::UnconnectedState) {
            answer.closed = true;
            break;
        }
    }
    received += socket.readAll();
    const int end = received.indexOf("\r\n\r\n");
    answer.head = end < 0 ? received : received.left(end);
    answer.body = end < 0 ? QByteArray() : received.mid(end + 4);
    const QList<QByteArray> statusLine = answer.head.left(answer.head.indexOf('\r')).split(' ');
    if (statusLine.size() >= 2) answer.status = statusLine[1].toInt();
    return answer;
}

// A port nothing listens on just now, for a server a test starts.
inline quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

inline HttpAnswer httpRequest(quint16 port, const QByteArray& method, const QByteArray& path) {
    return httpExchange(port, method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

// A phone's page on the viewers' socket.
class BoardViewer {
  public:
    explicit BoardViewer(quint16 port, const QString& path = "/live") {
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString& message) { messages.push_back(message); });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] {
            closed = true;
            closeCode = socket.closeCode();
            closeReason = socket.closeReason();
        });
        socket.open(QUrl(QString("ws://127.0.0.1:%1%2").arg(port).arg(path)));
    }

    bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
        return QTest::qWaitFor(done, timeoutMs);
    }
    bool waitForMessages(std::size_t count, int timeoutMs = 5000) {
        return waitFor([&] { return messages.size() >= count; }, timeoutMs);
    }
    bool waitUntilClosed(int timeoutMs = 5000) {
        return waitFor([&] { return closed; }, timeoutMs);
    }
    QJsonObject last() const {
        return messages.empty() ? QJsonObject()
                                : QJsonDocument::fromJson(messages.back().toUtf8()).object();
    }

    QWebSocket socket;
    std::vector<QString> messages;
    bool closed = false;
    int closeCode = 0;
    QString closeReason;
};

// A viewer that connects and then never reads another byte: its receive
// window fills, and everything sent to it after that waits in the server.
inline std::unique_ptr<QTcpSocket> stalledViewer(quint16 port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost("127.0.0.1", port);
    if (!socket->waitForConnected(5000)) return nullptr;
    socket->write(
        "GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    socket->flush();
    // A small window, so the system's buffers fill after a few states.
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    // From here on nothing reads: the socket's own buffer takes only what
    // the system had already received when it was last asked.
    socket->setReadBufferSize(1);
    return socket;
}

}  // namespace qel::test
