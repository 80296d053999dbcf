#pragma once
// The race director's hands on the modal windows the program opens: a modal
// dialog or message box holds the program in its own event loop, so what the
// hands do there is queued beforehand and done as each window shows, found by
// its control name. A modal window nobody expected is noted and closed, so a
// test fails with its name instead of hanging.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qel::test {

class ModalHands {
  public:
    using Action = std::function<void(QWidget&)>;

    ModalHands() {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
        poll_.start();
    }

    // A modal window that runs by itself (the start-delay countdown) and is
    // neither expected nor closed.
    void ignore(const QString& objectName) { ignored_.push_back(objectName); }

    // When the window named objectName is the modal one, action runs on it.
    void expect(const QString& objectName, Action action) {
        expected_.push_back({objectName, std::move(action)});
    }
    bool done() const { return expected_.empty(); }
    // The modal windows that showed though none was expected, with their text.
    const std::vector<std::string>& unexpected() const { return unexpected_; }
    // The message boxes answered, by their text.
    const std::vector<std::string>& messagesSeen() const { return messages_; }

  private:
    // A window the program keeps and shows again (the Time window) is looked
    // at afresh each time it shows.
    class ForgetOnHide : public QObject {
      public:
        using QObject::QObject;

      protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Hide) watched->setProperty("modalHandsSeen", false);
            return false;
        }
    };

    struct Expected {
        QString name;
        Action action;
    };

    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("modalHandsSeen").toBool()) return;
        for (const QString& name : ignored_) {
            if (modal->objectName() == name) return;
        }
        modal->setProperty("modalHandsSeen", true);
        modal->installEventFilter(&forgetOnHide_);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            messages_.push_back(box->text().toStdString());
        if (!expected_.empty() && modal->objectName() == expected_.front().name) {
            Action action = std::move(expected_.front().action);
            expected_.pop_front();
            // Done from the window's own event loop, so whatever the action
            // opens in turn is looked at by the next poll.
            QMetaObject::invokeMethod(
                modal, [modal, action] { action(*modal); }, Qt::QueuedConnection);
            return;
        }
        std::string seen = modal->objectName().toStdString();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) seen += ": " + box->text().toStdString();
        unexpected_.push_back(seen);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(modal, &QWidget::close, Qt::QueuedConnection);
        }
    }

    QTimer poll_;
    ForgetOnHide forgetOnHide_;
    std::deque<Expected> expected_;
    std::vector<QString> ignored_{"frmQelCountdown"};
    std::vector<std::string> unexpected_;
    std::vector<std::string> messages_;
};

}  // namespace qel::test
