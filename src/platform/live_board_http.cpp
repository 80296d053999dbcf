#include "platform/live_board_http.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <string_view>

#include "core/liveboard/live_board_routes.h"
#include "qt/qt_text.h"

namespace qel::platform {

namespace {

using Status = QHttpServerResponder::StatusCode;

std::string_view methodName(QHttpServerRequest::Method method) {
    switch (method) {
        case QHttpServerRequest::Method::Get:
            return "GET";
        case QHttpServerRequest::Method::Head:
            return "HEAD";
        case QHttpServerRequest::Method::Post:
            return "POST";
        case QHttpServerRequest::Method::Put:
            return "PUT";
        case QHttpServerRequest::Method::Delete:
            return "DELETE";
        case QHttpServerRequest::Method::Patch:
            return "PATCH";
        case QHttpServerRequest::Method::Options:
            return "OPTIONS";
        case QHttpServerRequest::Method::Trace:
            return "TRACE";
        case QHttpServerRequest::Method::Connect:
            return "CONNECT";
        default:
            return "";
    }
}

QByteArray plainText(const char* text) {
    return QByteArray(text) + "\n";
}

// One answer, then the connection closes once it has gone out.
void answer(QHttpServerResponder responder, QTcpSocket* socket, Status status,
            const QByteArray& contentType, const QByteArray& body, bool withBody,
            const QList<QPair<QByteArray, QByteArray>>& extra = {}) {
    responder.writeStatusLine(status);
    responder.writeHeader("Content-Type", contentType);
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeHeader("Cache-Control", "no-store");
    responder.writeHeader("X-Content-Type-Options", "nosniff");
    responder.writeHeader("Connection", "close");
    for (const auto& [name, value] : extra)
        responder.writeHeader(name, value);
    responder.writeBody(withBody ? body : QByteArray());
    socket->disconnectFromHost();
}

}  // namespace

LiveBoardHttp::LiveBoardHttp(std::function<QByteArray()> race, QObject* parent)
    : QAbstractHttpServer(parent), race_(std::move(race)) {
    for (const LiveBoardFile& file : kLiveBoardFiles) {
        QFile resource(":/liveboard/" + toQt(file.name));
        if (resource.open(QIODevice::ReadOnly)) files_.insert(toQt(file.name), resource.readAll());
    }
}

bool LiveBoardHttp::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toUtf8();
    // A WebSocket request is taken on to the viewers by answering nothing
    // here; one for another path is not taken, and is told 404.
    if (request.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return path == QByteArray(kLiveBoardViewerPath.data(),
                                  static_cast<qsizetype>(kLiveBoardViewerPath.size()));
    const LiveBoardRoute route = routeLiveBoardRequest(
        methodName(request.method()), std::string_view(path.constData(), path.size()));
    switch (route.answer) {
        case LiveBoardAnswer::File: {
            const auto found = files_.constFind(toQt(route.file->name));
            if (found == files_.constEnd()) return false;
            answer(makeResponder(request, socket), socket, Status::Ok,
                   QByteArray(route.file->contentType.data(),
                              static_cast<qsizetype>(route.file->contentType.size())),
                   *found, route.withBody);
            return true;
        }
        case LiveBoardAnswer::Race:
            // Club scoreboards on other pages of the network may read it too.
            answer(makeResponder(request, socket), socket, Status::Ok,
                   "application/json; charset=utf-8", race_(), route.withBody,
                   {{"Access-Control-Allow-Origin", "*"}});
            return true;
        case LiveBoardAnswer::UpgradeRequired:
            answer(makeResponder(request, socket), socket, Status::UpgradeRequired,
                   "text/plain; charset=utf-8",
                   plainText("The live board's viewers connect here with a WebSocket."),
                   route.withBody, {{"Upgrade", "websocket"}});
            return true;
        case LiveBoardAnswer::MethodNotAllowed:
            answer(makeResponder(request, socket), socket, Status::MethodNotAllowed,
                   "text/plain; charset=utf-8", plainText("The live board can only be read."),
                   route.withBody, {{"Allow", "GET, HEAD"}});
            return true;
        case LiveBoardAnswer::NotFound:
            break;
    }
    return false;
}

void LiveBoardHttp::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    answer(makeResponder(request, socket), socket, Status::NotFound, "text/plain; charset=utf-8",
           plainText("Nothing here: the live board is at /."),
           request.method() != QHttpServerRequest::Method::Head);
}

}  // namespace qel::platform
