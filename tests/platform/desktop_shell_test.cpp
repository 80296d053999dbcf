#include "platform/desktop_shell.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <vector>

#include "support/temp_folder.h"

namespace qel::platform {
namespace {

// Stands in for the desktop's file opener and browser.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    UrlCatcher() {
        for (const auto* scheme : {"file", "http", "https"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        }
    }
    ~UrlCatcher() override {
        for (const auto* scheme : {"file", "http", "https"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    std::vector<QUrl> opened;

  public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST(DesktopShell, OpensExistingFilesAndWebAddressesAndRefusesMissingFiles) {
    test::TempFolder folder;
    const auto results = folder.write("Stats/Heat 1.txt", "x");
    const auto help = folder.write("help/index.html", "<html></html>");
    UrlCatcher desktop;
    DesktopShell shell;

    EXPECT_TRUE(shell.openDocument(results.string()));
    EXPECT_TRUE(shell.showHelp(help.string()));
    EXPECT_TRUE(shell.showPage("https://example.org/track"));
    EXPECT_TRUE(shell.showPage(
        QUrl::fromLocalFile(QString::fromStdString(help.string())).toString().toStdString()));
    ASSERT_EQ(desktop.opened.size(), 4u);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(QString::fromStdString(results.string())));
    EXPECT_EQ(desktop.opened[1], QUrl::fromLocalFile(QString::fromStdString(help.string())));
    EXPECT_EQ(desktop.opened[2], QUrl(QStringLiteral("https://example.org/track")));
    EXPECT_EQ(desktop.opened[3], desktop.opened[1]);

    EXPECT_FALSE(shell.openDocument((folder.path() / "missing.txt").string()));
    EXPECT_FALSE(shell.openDocument(""));
    EXPECT_FALSE(shell.showHelp(folder.path().string()));  // a folder is not a help file
    EXPECT_FALSE(shell.showPage("javascript:alert(1)"));
    EXPECT_EQ(desktop.opened.size(), 4u);
}

}  // namespace
}  // namespace qel::platform

#include "desktop_shell_test.moc"
