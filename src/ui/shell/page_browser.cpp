#include "ui/shell/page_browser.h"

#include <QFileInfo>
#include <QTimer>

#include "core/shell/help_pages.h"
#include "qt/qt_text.h"

namespace qel::ui {

namespace {

bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == u"http" || scheme == u"https" || scheme == u"mailto";
}

}  // namespace

PageBrowser::PageBrowser(Shell& shell, QWidget* parent) : QTextBrowser(parent), shell_(shell) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { emit linkRequested(source().resolved(link).toString()); });
    connect(this, &QTextBrowser::highlighted, this, [this](const QUrl& link) {
        emit statusTextChanged(link.isEmpty() ? QString("Done")
                                              : source().resolved(link).toString());
    });
}

void PageBrowser::navigate(const std::string& address) {
    const QString text = toQt(address).trimmed();
    const QUrl url = QUrl::fromUserInput(text, QString(), QUrl::AssumeLocalFile);
    if (isWebAddress(url)) {
        // Pages on the internet belong in a full browser.
        const bool opened = shell_.showPage(fromQt(url.toString()));
        emit statusTextChanged(opened ? "Opened in your web browser: " + url.toString()
                                      : "Could not open " + url.toString());
        emit navigateComplete();
        return;
    }
    busy_ = true;
    emit statusTextChanged("Opening " + text + "...");
    // Only the latest request loads when several follow in one turn.
    const int request = ++pending_;
    QTimer::singleShot(0, this, [this, url, text, request] {
        if (request != pending_) return;
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) {
            // The same address again is a refresh, also after a missing-page notice.
            if (url == source())
                reload();
            else
                setSource(url);
        } else {
            setPlainText(toQt(pageMissingText(fromQt(text))));
            document()->setMetaInformation(QTextDocument::DocumentTitle, "Page not found");
        }
        busy_ = false;
        emit statusTextChanged("Done");
        emit navigateComplete();
    });
}

std::string PageBrowser::title() const {
    return fromQt(documentTitle());
}

}  // namespace qel::ui
