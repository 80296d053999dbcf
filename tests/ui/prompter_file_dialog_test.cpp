#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/qt_file_dialog.h"
#include "platform/qt_prompter.h"
#include "support/temp_folder.h"

namespace qel::platform {
namespace {

// Acts on the next modal dialog of type T once it is up, as the operator
// would. Should it never come, every dialog is rejected so the test fails
// instead of hanging.
// Should any dialog still be up well after the test acted (a warning box it
// did not expect), it is rejected so the test fails instead of hanging.
void rejectLeftoverDialogsLater() {
    QTimer::singleShot(5000, qApp, [] {
        for (auto* widget : QApplication::topLevelWidgets()) {
            if (auto* other = qobject_cast<QDialog*>(widget); other && other->isVisible()) {
                ADD_FAILURE() << "a dialog was left open: " << other->windowTitle().toStdString();
                other->reject();
            }
        }
    });
}

template <typename T>
void whenShown(std::function<void(T*)> act) {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            dialog != nullptr && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
            rejectLeftoverDialogsLater();
            return;
        }
        if (waited->elapsed() > 5000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected dialog never showed";
            for (auto* widget : QApplication::topLevelWidgets()) {
                if (auto* other = qobject_cast<QDialog*>(widget); other && other->isVisible()) {
                    other->reject();
                }
            }
        }
    });
    poll->start(10);
}

struct MessageCase {
    MessageIcon icon;
    MessageButtons buttons;
    QMessageBox::Icon qtIcon;
    QMessageBox::StandardButtons qtButtons;
    QMessageBox::StandardButton click;
    MessageAnswer answer;
};

TEST(QtPrompter, ShowsTheExactTextTitleIconAndButtonsAndReturnsTheClickedButton) {
    const MessageCase cases[] = {
        {MessageIcon::Critical, MessageButtons::YesNo, QMessageBox::Critical,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No, MessageAnswer::No},
        {MessageIcon::Critical, MessageButtons::YesNo, QMessageBox::Critical,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, MessageAnswer::Yes},
        {MessageIcon::Exclamation, MessageButtons::Ok, QMessageBox::Warning, QMessageBox::Ok,
         QMessageBox::Ok, MessageAnswer::Ok},
        {MessageIcon::Information, MessageButtons::OkCancel, QMessageBox::Information,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, MessageAnswer::Cancel},
        {MessageIcon::Question, MessageButtons::YesNoCancel, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel,
         MessageAnswer::Cancel},
        {MessageIcon::None, MessageButtons::RetryCancel, QMessageBox::NoIcon,
         QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry, MessageAnswer::Retry},
    };
    QtPrompter prompter;
    for (const auto& c : cases) {
        QString text;
        QString title;
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons;
        Qt::TextFormat format{};
        whenShown<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            format = box->textFormat();
            box->button(c.click)->click();
        });
        const auto answer = prompter.message(
            "Com Port ERROR!\r\nTo Select a Different PORT click \"Yes\"\r\n<b>Demo</b> & more",
            "Com Port", c.icon, c.buttons);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(text, QStringLiteral("Com Port ERROR!\nTo Select a Different PORT click \"Yes\"\n"
                                       "<b>Demo</b> & more"));
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(title, QStringLiteral("Com Port"));
        EXPECT_EQ(icon, c.qtIcon);
        EXPECT_EQ(buttons, c.qtButtons);
    }
}

TEST(QtPrompter, InputBoxReturnsTheTypedTextOrNothingWhenCancelled) {
    QtPrompter prompter;
    QString label;
    QString title;
    QString proposed;
    whenShown<QInputDialog>([&](QInputDialog* box) {
        label = box->labelText();
        title = box->windowTitle();
        proposed = box->textValue();
        box->setTextValue(QStringLiteral("Zoë <Fast>"));
        box->accept();
    });
    EXPECT_EQ(prompter.input("Enter the password", "Password", "secret"), "Zoë <Fast>");
    EXPECT_EQ(label, QStringLiteral("Enter the password"));
    EXPECT_EQ(title, QStringLiteral("Password"));
    EXPECT_EQ(proposed, QStringLiteral("secret"));

    whenShown<QInputDialog>([](QInputDialog* box) {
        box->setTextValue(QStringLiteral("typed, then cancelled"));
        box->reject();
    });
    EXPECT_EQ(prompter.input("Enter the password", "Password", ""), std::nullopt);
}

TEST(QtFileDialog, SaveReturnsTheChosenFullPathWithTheRequestedSettings) {
    test::TempFolder folder;
    const QString target = QString::fromStdString((folder.path() / "heat 3.lap").string());
    QtFileDialog dialogs;
    FileDialogRequest request;
    request.filter = "Lap Files (*.lap)|*.lap|Summary Files(*.sum)|*.sum|Text Files(*.txt)|*.txt";
    request.filterIndex = 2;
    request.flags = kOverwritePrompt | kPathMustExist | kReadOnlyChecked;  // 2051
    request.title = "Save Race Data";
    request.fileName = "Race.sum";
    request.initialDir = folder.path().string();

    QStringList filters;
    QString selectedFilter;
    QString title;
    QFileDialog::AcceptMode mode{};
    bool confirmsOverwrite = false;
    QStringList proposed;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        title = dialog->windowTitle();
        mode = dialog->acceptMode();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        proposed = dialog->selectedFiles();
        // Typed into the file name box, as the operator would.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(target).fileName());
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    EXPECT_EQ(dialogs.showSave(request), target.toStdString());
    EXPECT_EQ(filters, QStringList({QStringLiteral("Lap Files (*.lap)"),
                                    QStringLiteral("Summary Files(*.sum)"),
                                    QStringLiteral("Text Files(*.txt)")}));
    EXPECT_EQ(selectedFilter, QStringLiteral("Summary Files(*.sum)"));
    EXPECT_EQ(title, QStringLiteral("Save Race Data"));
    EXPECT_EQ(mode, QFileDialog::AcceptSave);
    EXPECT_TRUE(confirmsOverwrite);
    ASSERT_EQ(proposed.size(), 1);
    EXPECT_EQ(proposed.first(), QString::fromStdString((folder.path() / "Race.sum").string()));
}

TEST(QtFileDialog, OpenOfAnExistingFileAndCancel) {
    test::TempFolder folder;
    const QString existing = QString::fromStdString(folder.write("Qualifiers.qal", "x").string());
    QtFileDialog dialogs;
    FileDialogRequest request;
    request.filter = "Qualifier Files|*.qal;*.txt|Everything|*.*";
    request.filterIndex = 7;                            // out of range: the first filter
    request.flags = kFileMustExist | kReadOnlyChecked;  // 4097
    request.title = "Load Qualifiers";
    request.initialDir = folder.path().string();

    QFileDialog::FileMode fileMode{};
    QStringList filters;
    QString selectedFilter;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        fileMode = dialog->fileMode();
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        // Typed into the file name box, as the operator would.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(existing).fileName());
        static_cast<QDialog*>(dialog)->accept();  // as the Open button does
    });
    EXPECT_EQ(dialogs.showOpen(request), existing.toStdString());
    EXPECT_EQ(fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(filters, QStringList({QStringLiteral("Qualifier Files (*.qal *.txt)"),
                                    QStringLiteral("Everything (*.*)")}));
    EXPECT_EQ(selectedFilter, filters.first());

    // Saving without the overwrite bit does not ask; cancelling returns nothing.
    request.flags = 0;
    bool confirmsOverwrite = true;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(existing);
        dialog->reject();
    });
    EXPECT_EQ(dialogs.showSave(request), std::nullopt);
    EXPECT_FALSE(confirmsOverwrite);
}

}  // namespace
}  // namespace qel::platform
