#include "ui/shell/frm_browser.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "core/seams/virtual_time.h"
#include "support/click_link.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

class FrmBrowserTest : public ::testing::Test {
  protected:
    FrmBrowserTest() {
        folder.write("Help/website.html",
                     "<html><head><title>Our Track</title></head><body>"
                     "<p>Welcome. <a href=\"rules.html\">Club rules</a></p></body></html>");
        folder.write("Help/rules.html",
                     "<html><head><title>Club Rules</title></head><body>Rules</body></html>");
    }

    QString urlOf(const char* page) {
        return QUrl::fromLocalFile(QString::fromStdString((folder.path() / "Help" / page).string()))
            .toString();
    }
    QComboBox* address(FrmBrowser& window) { return window.findChild<QComboBox*>("cboAddress"); }
    QString status(FrmBrowser& window) {
        return window.findChild<QStatusBar*>("StatusBar1")->currentMessage();
    }

    test::TempFolder folder;
    VirtualScheduler time;
    test::RecordingShell shell;
};

TEST_F(FrmBrowserTest, OpensTheStartingPageWorkingFirstThenWithItsTitle) {
    FrmBrowser window(time, shell, urlOf("website.html").toStdString());
    EXPECT_EQ(window.objectName(), "frmBrowser");
    EXPECT_TRUE(window.isModal());
    ASSERT_NE(window.findChild<QToolBar*>("tbToolBar"), nullptr);
    EXPECT_TRUE(window.findChild<QToolBar*>("tbToolBar")->actions().isEmpty());
    ASSERT_NE(window.findChild<QTextBrowser*>("brwWebBrowser"), nullptr);
    EXPECT_EQ(window.StartingAddress(), urlOf("website.html").toStdString());
    ASSERT_NE(address(window), nullptr);
    EXPECT_EQ(address(window)->currentText(), urlOf("website.html"));
    EXPECT_EQ(address(window)->count(), 1);
    EXPECT_TRUE(status(window).startsWith("Opening "));

    time.advance(100);
    EXPECT_EQ(window.windowTitle(), "Working...");

    QCoreApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Our Track");
    EXPECT_EQ(status(window), "Done");
    time.advance(100);
    EXPECT_FALSE(window.model().polling());
    EXPECT_EQ(window.windowTitle(), "Our Track");
}

TEST_F(FrmBrowserTest, EnterInTheAddressBoxGoesThere) {
    FrmBrowser window(time, shell, urlOf("website.html").toStdString());
    QCoreApplication::processEvents();
    QLineEdit* edit = address(window)->lineEdit();
    edit->setText(urlOf("rules.html"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Club Rules");
    EXPECT_EQ(address(window)->count(), 2);

    // Choosing the first entry of the list goes back.
    address(window)->setCurrentIndex(0);
    emit address(window)->activated(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Our Track");
}

TEST_F(FrmBrowserTest, AClickedLinkOpensInTheWindowAndTheAddressFollows) {
    FrmBrowser window(time, shell, urlOf("website.html").toStdString());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    ASSERT_TRUE(test::clickLink(window.findChild<QTextBrowser*>("brwWebBrowser"), "Club rules"));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Club Rules");
    EXPECT_EQ(address(window)->currentText(), urlOf("rules.html"));
}

TEST_F(FrmBrowserTest, InternetAddressesGoToTheDesktopsBrowser) {
    FrmBrowser window(time, shell, urlOf("website.html").toStdString());
    QCoreApplication::processEvents();
    address(window)->lineEdit()->setText("https://example.org/");
    QTest::keyClick(address(window)->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0], (test::RecordingShell::Call{test::RecordingShell::Kind::Page,
                                                            "https://example.org/"}));
    EXPECT_EQ(status(window), "Opened in your web browser: https://example.org/");
    EXPECT_EQ(window.windowTitle(), "Our Track");
}

TEST_F(FrmBrowserTest, AMissingPageSaysSoInsteadOfStayingBusy) {
    FrmBrowser window(time, shell, urlOf("gone.html").toStdString());
    QCoreApplication::processEvents();
    time.advance(100);
    EXPECT_EQ(window.windowTitle(), "Page not found");
    EXPECT_FALSE(window.model().polling());
    EXPECT_TRUE(
        window.findChild<QTextBrowser*>("brwWebBrowser")->toPlainText().contains("gone.html"));
}

}  // namespace
}  // namespace qel::ui
