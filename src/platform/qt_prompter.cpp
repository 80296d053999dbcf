#include "platform/qt_prompter.h"

#include <QInputDialog>
#include <QMessageBox>

#include "platform/qt_text.h"

namespace qel::platform {

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return QMessageBox::Ok;
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
        case MessageButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

MessageAnswer fromQt(int button) {
    switch (button) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Retry: return MessageAnswer::Retry;
        case QMessageBox::Abort: return MessageAnswer::Abort;
        case QMessageBox::Ignore: return MessageAnswer::Ignore;
        default: return MessageAnswer::Cancel;
    }
}

}  // namespace

MessageAnswer QtPrompter::message(const std::string& text, const std::string& title,
                                  MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(toQt(icon), platform::toQt(title), platform::toQt(text), toQt(buttons),
                    parent_);
    box.setObjectName("messageBox");
    return fromQt(box.exec());
}

std::optional<std::string> QtPrompter::input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, platform::toQt(title), platform::toQt(prompt),
                                                 QLineEdit::Normal, platform::toQt(defaultText), &ok);
    if (!ok) return std::nullopt;
    return fromQt(answer);
}

}  // namespace qel::platform
