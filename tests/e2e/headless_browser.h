#pragma once
// A real browser for the tests: headless Chromium in a process of its own,
// driven over its DevTools protocol, so a test can read the page's DOM as a
// spectator's browser drew it and take pictures of it at a chosen size. Every
// wait is bounded, and the browser goes with the object.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebSocket>
#include <map>
#include <optional>

#include "support/live_board_clients.h"

namespace qel::test {

class HeadlessBrowser {
  public:
    // The browser's program, or "" when none is installed.
    static QString program() { return QStandardPaths::findExecutable("chromium"); }

    // Starts the browser on the page; false, with the reason in error(), when
    // it does not come up within the wait.
    bool open(const QUrl& page, int timeoutMs = 60000) {
        if (program().isEmpty()) return fail("chromium is not installed");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", profile_.path());
        environment.insert("XDG_CONFIG_HOME", profile_.path() + "/config");
        environment.insert("XDG_CACHE_HOME", profile_.path() + "/cache");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program(),
                       {"--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                        "--no-default-browser-check", "--disable-extensions",
                        "--disable-background-networking", "--disable-sync", "--mute-audio",
                        "--hide-scrollbars", "--remote-debugging-port=0",
                        "--remote-allow-origins=*", "--user-data-dir=" + profile_.path() + "/data",
                        "--window-size=1280,800", page.toString()});
        if (!process_.waitForStarted(10000)) return fail("chromium did not start");

        // The browser writes the port it took for DevTools into its profile.
        const QString portFile = profile_.path() + "/data/DevToolsActivePort";
        quint16 devToolsPort = 0;
        (void)QTest::qWaitFor(
            [&] {
                QFile file(portFile);
                if (file.open(QIODevice::ReadOnly))
                    devToolsPort = static_cast<quint16>(file.readLine().trimmed().toUInt());
                return devToolsPort != 0 || process_.state() != QProcess::Running;
            },
            timeoutMs);
        if (devToolsPort == 0) return fail("no DevTools port: " + output());

        // The page's own DevTools socket.
        QString pageSocket;
        (void)QTest::qWaitFor(
            [&] {
                // The browser names its sockets after the host asked for.
                const HttpAnswer list = httpExchange(devToolsPort,
                                                     "GET /json/list HTTP/1.1\r\nHost: 127.0.0.1:" +
                                                         QByteArray::number(devToolsPort) +
                                                         "\r\nConnection: close\r\n\r\n",
                                                     2000);
                for (const QJsonValue& target : QJsonDocument::fromJson(list.body).array()) {
                    const QJsonObject t = target.toObject();
                    if (t["type"].toString() == "page" && t["url"].toString() == page.toString())
                        pageSocket = t["webSocketDebuggerUrl"].toString();
                }
                return !pageSocket.isEmpty();
            },
            timeoutMs);
        if (pageSocket.isEmpty()) return fail("the page never showed among the browser's targets");

        QObject::connect(&devTools_, &QWebSocket::textMessageReceived, [this](const QString& text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.contains("id")) answers_[message["id"].toInt()] = message;
        });
        devTools_.open(QUrl(pageSocket));
        if (!QTest::qWaitFor([&] { return devTools_.state() == QAbstractSocket::ConnectedState; },
                             10000))
            return fail("the page's DevTools socket did not open: " + devTools_.errorString() +
                        " (" + pageSocket + ")");
        return true;
    }

    ~HeadlessBrowser() {
        devTools_.abort();
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished(5000);
            }
        }
    }

    // One DevTools command and its result, or nothing within the wait.
    std::optional<QJsonObject> command(const QString& method, const QJsonObject& params = {},
                                       int timeoutMs = 15000) {
        const int id = ++lastId_;
        devTools_.sendTextMessage(QJsonDocument(QJsonObject{
                                                    {"id", id},
                                                    {"method", method},
                                                    {"params", params},
                                                })
                                      .toJson(QJsonDocument::Compact));
        if (!QTest::qWaitFor([&] { return answers_.count(id) != 0; }, timeoutMs))
            return std::nullopt;
        QJsonObject answer = answers_[id];
        answers_.erase(id);
        if (answer.contains("error")) return std::nullopt;
        return answer["result"].toObject();
    }

    // A script's value in the page, as JSON (an expression that returns a
    // string, a number or a plain object).
    QJsonValue evaluate(const QString& expression) {
        const auto result =
            command("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
        if (!result) return {};
        return (*result)["result"].toObject()["value"];
    }

    // The page drawn at a viewport size (device pixels = size × scale), as PNG.
    QByteArray screenshot(int width, int height, double scale, bool mobile) {
        command("Emulation.setDeviceMetricsOverride", {{"width", width},
                                                       {"height", height},
                                                       {"deviceScaleFactor", scale},
                                                       {"mobile", mobile}});
        // A frame at the new size before the picture.
        QTest::qWait(300);
        const auto shot = command("Page.captureScreenshot", {{"format", "png"}});
        if (!shot) return {};
        return QByteArray::fromBase64((*shot)["data"].toString().toLatin1());
    }

    const QString& error() const { return error_; }

  private:
    bool fail(const QString& why) {
        error_ = why;
        return false;
    }
    QString output() { return QString::fromLocal8Bit(process_.readAll()).right(2000); }

    QTemporaryDir profile_;
    QProcess process_;
    QWebSocket devTools_;
    std::map<int, QJsonObject> answers_;
    int lastId_ = 0;
    QString error_;
};

}  // namespace qel::test
