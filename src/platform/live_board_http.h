#pragma once
// The live board's answers over HTTP: the page and its files (shipped inside
// the program), the race as JSON, and nothing else. Every answer closes its
// connection, so a browser holds none open between loads; WebSocket requests
// go on to the viewers.
#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>

namespace qel::platform {

class LiveBoardHttp : public QAbstractHttpServer {
    Q_OBJECT

  public:
    // race: the JSON of the board as it stands.
    LiveBoardHttp(std::function<QByteArray()> race, QObject* parent = nullptr);

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

  private:
    std::function<QByteArray()> race_;
    // The page's files by name, read once from the program's resources.
    QHash<QString, QByteArray> files_;
};

}  // namespace qel::platform
