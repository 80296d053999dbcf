#include "platform/qt_prompter.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "qt/qt_text.h"

namespace qel::platform {

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case MessageButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Retry:
            return MessageAnswer::Retry;
        case QMessageBox::Abort:
            return MessageAnswer::Abort;
        case QMessageBox::Ignore:
            return MessageAnswer::Ignore;
        default:
            return MessageAnswer::Cancel;
    }
}

// Messages join their lines with CR LF; the box breaks lines at LF alone.
QString shownText(const std::string& text) {
    QString shown = toQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

}  // namespace

MessageAnswer QtPrompter::message(const std::string& text, const std::string& title,
                                  MessageIcon icon, MessageButtons buttons,
                                  DefaultButton defaultButton) {
    QMessageBox box(iconOf(icon), toQt(title), QString(), buttonsOf(buttons), parent_);
    box.setObjectName("messageBox");
    // Racer and file names go into messages; a "<" in one must not turn the
    // text into markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(text));
    // Enter presses the button the question names as its default: a "No"
    // default keeps an unread question from going ahead.
    const QList<QAbstractButton*> shown = box.buttons();
    std::vector<QAbstractButton*> ordered(shown.begin(), shown.end());
    std::sort(ordered.begin(), ordered.end(), [&box](QAbstractButton* a, QAbstractButton* b) {
        return box.standardButton(a) < box.standardButton(b);
    });
    const auto index = static_cast<std::size_t>(defaultButton);
    if (index < ordered.size()) box.setDefaultButton(qobject_cast<QPushButton*>(ordered[index]));
    return answerOf(box.exec());
}

std::optional<std::string> QtPrompter::input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) {
    QInputDialog dialog(parent_);
    dialog.setObjectName("inputBox");
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQt(title));
    dialog.setLabelText(shownText(prompt));
    dialog.setTextValue(toQt(defaultText));
    for (auto* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQt(dialog.textValue());
}

}  // namespace qel::platform
