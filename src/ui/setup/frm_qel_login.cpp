#include "ui/setup/frm_qel_login.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/setup/setup_controls.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

using setup::fromQt;
using setup::named;

FrmQelLogin::FrmQelLogin(const AppFolder& folder, Prompter& prompter, LoginHooks hooks,
                         QWidget* parent)
    : QDialog(parent), password_(folder, prompter), hooks_(std::move(hooks)) {
    requireHooks("frmQelLogin", {{"timeSellingShown", bool(hooks_.timeSellingShown)},
                                 {"showInstallation", bool(hooks_.showInstallation)},
                                 {"showChangePassword", bool(hooks_.showChangePassword)}});
    setObjectName("frmQelLogin");
    setWindowTitle(" Installation");
    setModal(true);

    auto* picture = named(new QLabel(this), "Picture1");
    picture->setMinimumSize(48, 48);
    txtPassword_ = named(new QLineEdit(this), "txtPassword");
    txtPassword_->setEchoMode(QLineEdit::Password);
    auto* okButton = named(new QPushButton("&OK", this), "cmdOK");
    okButton->setDefault(true);
    auto* cancelButton = named(new QPushButton("&Cancel", this), "cmdCancel");
    auto* changeButton = named(new QPushButton("Change &Password", this), "cmdChangePassword");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(changeButton);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1);
    layout->addWidget(named(new QLabel("Password:", this), "lblPassword"), 0, 1);
    layout->addWidget(txtPassword_, 0, 2);
    layout->addLayout(buttons, 1, 1, 1, 2);

    connect(okButton, &QPushButton::clicked, this, &FrmQelLogin::ok);
    connect(cancelButton, &QPushButton::clicked, this, &FrmQelLogin::cancel);
    connect(changeButton, &QPushButton::clicked, this, &FrmQelLogin::changePassword);
    load();
}

void FrmQelLogin::load() {
    loginSucceeded_ = false;
    password_.Load();
}

void FrmQelLogin::ok() {
    if (!password_.LoginOk(fromQt(txtPassword_->text()))) {
        txtPassword_->setFocus();
        txtPassword_->selectAll();
        return;
    }
    loginSucceeded_ = true;
    accept();
    if (hooks_.timeSellingShown()) {
        if (hooks_.unlockSelling) hooks_.unlockSelling();
    } else {
        hooks_.showInstallation();
    }
}

void FrmQelLogin::cancel() {
    loginSucceeded_ = false;
    reject();
}

void FrmQelLogin::changePassword() {
    reject();
    hooks_.showChangePassword();
}

}  // namespace qel::ui
