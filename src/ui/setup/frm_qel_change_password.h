#pragma once
// Changing the access password: whoever knows the stored one sets a new one
// and goes straight on to Installation.
#include <QDialog>
#include <functional>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/setup/password.h"

class QLineEdit;

namespace qel::ui {

struct ChangePasswordHooks {
    std::function<void()> showInstallation;
    // Cancel goes back to the login.
    std::function<void()> showLogin;
};

class FrmQelChangePassword : public QDialog {
    Q_OBJECT

  public:
    FrmQelChangePassword(const AppFolder& folder, Prompter& prompter, ChangePasswordHooks hooks,
                         QWidget* parent = nullptr);

    // Reads QelPsd.dat; an unreadable file is reported and leaves the password empty.
    void load();

  private:
    void ok();
    void cancel();

    AccessPassword password_;
    ChangePasswordHooks hooks_;
    QLineEdit* txtCurrentPassword_ = nullptr;
    QLineEdit* txtNewPassword_ = nullptr;
    QLineEdit* txtReEnterPassword_ = nullptr;
};

}  // namespace qel::ui
