#include "ui/setup/frm_qel_login.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "setup_dialog_support.h"
#include "support/scripted_prompter.h"
#include "ui/setup/frm_qel_change_password.h"

namespace qel::ui {
namespace {

using test_support::child;

class PasswordDialogsTest : public ::testing::Test {
  protected:
    PasswordDialogsTest() {
        folder.write("QelDat/QelPsd.dat", "\"PitLane\"\r\n");
        loginHooks.timeSellingShown = [this] { return timeSellingShown; };
        loginHooks.unlockSelling = [this] { opened.push_back("selling"); };
        loginHooks.showInstallation = [this] { opened.push_back("installation"); };
        loginHooks.showChangePassword = [this] { opened.push_back("change"); };
        changeHooks.showInstallation = [this] { opened.push_back("installation"); };
        changeHooks.showLogin = [this] { opened.push_back("login"); };
    }

    FrmQelLogin& login() {
        if (!login_) {
            login_ = std::make_unique<FrmQelLogin>(app, prompter, loginHooks);
            login_->show();
        }
        return *login_;
    }
    FrmQelChangePassword& change() {
        if (!change_) {
            change_ = std::make_unique<FrmQelChangePassword>(app, prompter, changeHooks);
            change_->show();
        }
        return *change_;
    }
    QLineEdit* box(QWidget& window, const char* name) { return child<QLineEdit>(window, name); }
    void tryLogin(const QString& typed) {
        box(login(), "txtPassword")->setText(typed);
        child<QPushButton>(login(), "cmdOK")->click();
    }
    void tryChange(const QString& current, const QString& newPassword, const QString& again) {
        box(change(), "txtCurrentPassword")->setText(current);
        box(change(), "txtNewPassword")->setText(newPassword);
        box(change(), "txtReEnterPassword")->setText(again);
        child<QPushButton>(change(), "cmdOK")->click();
    }
    std::string passwordFile() { return readBinaryFile(app.dataFile("QelPsd.dat")); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    test::ScriptedPrompter prompter;
    LoginHooks loginHooks;
    ChangePasswordHooks changeHooks;
    bool timeSellingShown = false;
    std::vector<std::string> opened;
    std::unique_ptr<FrmQelLogin> login_;
    std::unique_ptr<FrmQelChangePassword> change_;
};

TEST_F(PasswordDialogsTest, LoginCaptionsAndMaskedBox) {
    EXPECT_EQ(login().objectName(), "frmQelLogin");
    EXPECT_EQ(login().windowTitle(), " Installation");
    EXPECT_EQ(child<QLabel>(login(), "lblPassword")->text(), "Password:");
    EXPECT_EQ(box(login(), "txtPassword")->echoMode(), QLineEdit::Password);
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdOK", "&OK"}, {"cmdCancel", "&Cancel"}, {"cmdChangePassword", "Change &Password"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(child<QPushButton>(login(), name)->text(), caption) << name;
    EXPECT_TRUE(child<QPushButton>(login(), "cmdOK")->isDefault());
    child<QLabel>(login(), "Picture1");
}

TEST_F(PasswordDialogsTest, ChangeCaptionsAndMaskedBoxes) {
    EXPECT_EQ(change().objectName(), "frmQelChangePassword");
    EXPECT_EQ(change().windowTitle(), " Change Password");
    const std::pair<const char*, const char*> boxes[] = {
        {"txtCurrentPassword", "lblCurrentPassword"},
        {"txtNewPassword", "lblNewPassword"},
        {"txtReEnterPassword", "lblReEnterPassword"}};
    const char* captions[] = {"Current Password:", "New Password:", "Re-enter NewPassword:"};
    int i = 0;
    for (const auto& [boxName, labelName] : boxes) {
        EXPECT_EQ(box(change(), boxName)->echoMode(), QLineEdit::Password) << boxName;
        EXPECT_EQ(child<QLabel>(change(), labelName)->text(), captions[i++]);
    }
    EXPECT_EQ(child<QPushButton>(change(), "cmdOK")->text(), "OK");
    EXPECT_EQ(child<QPushButton>(change(), "cmdCancel")->text(), "Cancel");
    EXPECT_TRUE(child<QPushButton>(change(), "cmdOK")->isDefault());
}

TEST_F(PasswordDialogsTest, LoginRefusesAnythingButTheExactPassword) {
    for (const char* typed : {"pitlane", "PITLANE", "PitLane ", " PitLane", "", "Kelpo"}) {
        prompter.clear();
        tryLogin(typed);
        ASSERT_EQ(prompter.messages().size(), 1u) << typed;
        EXPECT_EQ(prompter.messages()[0].text,
                  "Invalid Password, Password is case sensitive try again!");
        EXPECT_EQ(prompter.messages()[0].title, "Login");
        EXPECT_EQ(login().focusWidget(), box(login(), "txtPassword"));
        EXPECT_EQ(box(login(), "txtPassword")->selectedText(), typed);
        EXPECT_TRUE(login().isVisible());
        EXPECT_FALSE(login().loginSucceeded());
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(PasswordDialogsTest, StoredOrMasterPasswordOpensInstallation) {
    for (const char* typed : {"PitLane", "kelpo"}) {
        login_.reset();
        opened.clear();
        tryLogin(typed);
        EXPECT_TRUE(prompter.messages().empty()) << typed;
        EXPECT_TRUE(login().loginSucceeded());
        EXPECT_FALSE(login().isVisible());
        EXPECT_EQ(opened, std::vector<std::string>{"installation"}) << typed;
    }
}

TEST_F(PasswordDialogsTest, WithTimeSellingShownThePasswordUnlocksSelling) {
    timeSellingShown = true;
    tryLogin("PitLane");
    EXPECT_EQ(opened, std::vector<std::string>{"selling"});
}

TEST_F(PasswordDialogsTest, CancelAndChangePasswordFromTheLogin) {
    child<QPushButton>(login(), "cmdCancel")->click();
    EXPECT_FALSE(login().loginSucceeded());
    EXPECT_FALSE(login().isVisible());
    EXPECT_TRUE(opened.empty());
    login().show();
    child<QPushButton>(login(), "cmdChangePassword")->click();
    EXPECT_FALSE(login().isVisible());
    EXPECT_EQ(opened, std::vector<std::string>{"change"});
}

TEST_F(PasswordDialogsTest, MasterPasswordIsNotACurrentPassword) {
    tryChange("kelpo", "new", "new");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Current Password is not correct");
    EXPECT_EQ(prompter.messages()[0].title, "");
    EXPECT_EQ(change().focusWidget(), box(change(), "txtCurrentPassword"));
    EXPECT_EQ(box(change(), "txtCurrentPassword")->selectedText(), "kelpo");
    EXPECT_EQ(passwordFile(), "\"PitLane\"\r\n");
    EXPECT_TRUE(change().isVisible());
}

TEST_F(PasswordDialogsTest, NewPasswordsMustMatch) {
    tryChange("PitLane", "Grid", "grid");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Password must be the same in both boxes");
    EXPECT_EQ(change().focusWidget(), box(change(), "txtNewPassword"));
    EXPECT_EQ(box(change(), "txtNewPassword")->selectedText(), "Grid");
    EXPECT_EQ(passwordFile(), "\"PitLane\"\r\n");
}

TEST_F(PasswordDialogsTest, ChangeRewritesTheFileAndGoesOnToInstallation) {
    for (const char* newPassword : {"Grid Walk", ""}) {
        const std::string current = readBinaryFile(app.dataFile("QelPsd.dat"));
        change_.reset();
        opened.clear();
        tryChange(QString::fromStdString(current.substr(1, current.size() - 4)), newPassword,
                  newPassword);
        EXPECT_TRUE(prompter.messages().empty()) << newPassword;
        EXPECT_EQ(passwordFile(), "\"" + std::string(newPassword) + "\"\r\n");
        EXPECT_FALSE(change().isVisible());
        EXPECT_EQ(opened, std::vector<std::string>{"installation"});
    }
    // The new password now opens the login.
    login_.reset();
    tryLogin("");
    EXPECT_TRUE(login().loginSucceeded());
}

TEST_F(PasswordDialogsTest, PasswordTheFileCannotHoldIsRefused) {
    tryChange("PitLane", "say \"go\"", "say \"go\"");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(change().focusWidget(), box(change(), "txtNewPassword"));
    EXPECT_EQ(passwordFile(), "\"PitLane\"\r\n");
    EXPECT_TRUE(opened.empty());
}

TEST_F(PasswordDialogsTest, ChangeCancelGoesBackToTheLogin) {
    child<QPushButton>(change(), "cmdCancel")->click();
    EXPECT_FALSE(change().isVisible());
    EXPECT_EQ(opened, std::vector<std::string>{"login"});
}

TEST_F(PasswordDialogsTest, UnreadablePasswordFileLetsAnEmptyEntryIn) {
    std::filesystem::remove(app.dataFile("QelPsd.dat"));
    login();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QelPsd.dat"), std::string::npos);
    tryLogin("");
    EXPECT_TRUE(login().loginSucceeded());
}

TEST_F(PasswordDialogsTest, EnteringAChangeBoxSelectsItsText) {
    for (const char* name : {"txtCurrentPassword", "txtNewPassword", "txtReEnterPassword"}) {
        QLineEdit* entry = box(change(), name);
        entry->setText("secret");
        entry->deselect();
        QFocusEvent entered(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(entry, &entered);
        QApplication::processEvents();
        EXPECT_EQ(entry->selectedText(), "secret") << name;
    }
}

}  // namespace
}  // namespace qel::ui
