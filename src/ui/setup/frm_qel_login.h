#pragma once
// The access password's login: keeps race-day users out of Installation and
// out of selling time.
#include <QDialog>
#include <functional>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/setup/password.h"

class QLineEdit;

namespace qel::ui {

// Every hook is needed but unlockSelling, which only a shown time-selling
// window asks for.
struct LoginHooks {
    // True while the time-selling window is shown: the password then unlocks
    // its selling controls instead of opening Installation.
    std::function<bool()> timeSellingShown;
    std::function<void()> unlockSelling;
    std::function<void()> showInstallation;
    std::function<void()> showChangePassword;
};

class FrmQelLogin : public QDialog {
    Q_OBJECT

  public:
    FrmQelLogin(const AppFolder& folder, Prompter& prompter, LoginHooks hooks,
                QWidget* parent = nullptr);

    // Reads QelPsd.dat; an unreadable file is reported and leaves the password empty.
    void load();

    bool loginSucceeded() const { return loginSucceeded_; }

  private:
    void ok();
    void cancel();
    void changePassword();

    AccessPassword password_;
    LoginHooks hooks_;
    bool loginSucceeded_ = false;
    QLineEdit* txtPassword_ = nullptr;
};

}  // namespace qel::ui
