#include "ui/setup/frm_qel_change_password.h"

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

namespace {

void focusAndSelect(QLineEdit* box) {
    box->setFocus();
    box->selectAll();
}

}  // namespace

FrmQelChangePassword::FrmQelChangePassword(const AppFolder& folder, Prompter& prompter,
                                           ChangePasswordHooks hooks, QWidget* parent)
    : QDialog(parent), password_(folder, prompter), hooks_(std::move(hooks)) {
    requireHooks("frmQelChangePassword", {{"showInstallation", bool(hooks_.showInstallation)},
                                          {"showLogin", bool(hooks_.showLogin)}});
    setObjectName("frmQelChangePassword");
    setWindowTitle(" Change Password");
    setModal(true);

    auto* grid = new QGridLayout(this);
    const auto addBox = [&](int row, const QString& labelName, const QString& caption,
                            const QString& boxName) {
        auto* box = named(new QLineEdit(this), boxName);
        box->setEchoMode(QLineEdit::Password);
        setup::selectAllOnEntry(box);
        grid->addWidget(named(new QLabel(caption, this), labelName), row, 0);
        grid->addWidget(box, row, 1);
        return box;
    };
    txtCurrentPassword_ =
        addBox(0, "lblCurrentPassword", "Current Password:", "txtCurrentPassword");
    txtNewPassword_ = addBox(1, "lblNewPassword", "New Password:", "txtNewPassword");
    txtReEnterPassword_ =
        addBox(2, "lblReEnterPassword", "Re-enter NewPassword:", "txtReEnterPassword");

    auto* okButton = named(new QPushButton("OK", this), "cmdOK");
    okButton->setDefault(true);
    auto* cancelButton = named(new QPushButton("Cancel", this), "cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(okButton, &QPushButton::clicked, this, &FrmQelChangePassword::ok);
    connect(cancelButton, &QPushButton::clicked, this, &FrmQelChangePassword::cancel);
    load();
}

void FrmQelChangePassword::load() {
    password_.Load();
}

void FrmQelChangePassword::ok() {
    switch (password_.ChangeOk(fromQt(txtCurrentPassword_->text()), fromQt(txtNewPassword_->text()),
                               fromQt(txtReEnterPassword_->text()))) {
        case PasswordChange::WrongCurrent:
            focusAndSelect(txtCurrentPassword_);
            return;
        case PasswordChange::Mismatch:
        case PasswordChange::NotStored:
            focusAndSelect(txtNewPassword_);
            return;
        case PasswordChange::Changed:
            break;
    }
    accept();
    hooks_.showInstallation();
}

void FrmQelChangePassword::cancel() {
    reject();
    hooks_.showLogin();
}

}  // namespace qel::ui
