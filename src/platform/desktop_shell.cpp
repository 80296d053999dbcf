#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "qt/qt_text.h"

namespace qel::platform {

namespace {

bool openLocalFile(const std::string& path) {
    const QString file = toQt(path);
    // A missing file would only make the desktop show an error of its own.
    if (file.isEmpty() || !QFileInfo(file).isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}

}  // namespace

bool DesktopShell::openDocument(const std::string& path) {
    return openLocalFile(path);
}

bool DesktopShell::showHelp(const std::string& helpFile) {
    return openLocalFile(helpFile);
}

bool DesktopShell::showPage(const std::string& address) {
    const QUrl url(toQt(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == u"http" || scheme == u"https")) {
        return QDesktopServices::openUrl(url);
    }
    if (scheme == u"file") return openLocalFile(fromQt(url.toLocalFile()));
    return openLocalFile(address);
}

}  // namespace qel::platform
