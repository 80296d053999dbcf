#include "ui/board/frm_countdown.h"

#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace qel::ui {

FrmQelCountdown::FrmQelCountdown(TimerService& timers, RaceBoard& board, int16_t& startDelay,
                                 int16_t optionsDelay, StartCountdownHooks hooks, QWidget* parent)
    : QDialog(parent), model_(timers, board, startDelay, withWindow(std::move(hooks))) {
    setObjectName("frmQelCountdown");
    setWindowTitle("  Kestrova Qel Timer Delay");

    cmdSkip_ = new QPushButton("Skip Delay", this);
    cmdSkip_->setObjectName("cmdSkip");
    cmdSkip_->setDefault(true);
    cmdPauseDelay_ = new QPushButton(kPauseDelayCaption, this);
    cmdPauseDelay_->setObjectName("cmdPauseDelay");

    lblCountDown_ = new QLabel(this);
    lblCountDown_->setObjectName("lblCountDown");
    lblCountDown_->setAlignment(Qt::AlignCenter);
    lblCountDown_->setFont(QFont("Arial", 250, QFont::Bold));
    lblCountDown_->setToolTip("To skip delay, click form or press \"Enter\" or \"Space bar\".");
    lblCountDown_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPauseDelay_);
    buttons->addWidget(cmdSkip_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblCountDown_, 1);
    layout->addLayout(buttons);
    resize(720, 560);

    // Skip first, so Enter or the space bar skips the delay.
    setTabOrder(cmdSkip_, cmdPauseDelay_);
    cmdSkip_->setFocus();

    connect(cmdSkip_, &QPushButton::clicked, this, [this] { model_.skip(); });
    connect(cmdPauseDelay_, &QPushButton::clicked, this, [this] { model_.pauseDelayClicked(); });

    model_.load(optionsDelay);
    render();
}

StartCountdownHooks FrmQelCountdown::withWindow(StartCountdownHooks hooks) {
    auto viewChanged = std::move(hooks.viewChanged);
    hooks.viewChanged = [this, viewChanged] {
        render();
        if (viewChanged) viewChanged();
    };
    auto closed = std::move(hooks.closed);
    hooks.closed = [this, closed] {
        done(QDialog::Accepted);
        if (closed) closed();
    };
    return hooks;
}

void FrmQelCountdown::render() {
    lblCountDown_->setText(toQt(model_.countText()));
    cmdPauseDelay_->setText(toQt(model_.pauseCaption()));
}

void FrmQelCountdown::reject() {
    if (model_.isOpen())
        model_.skip();
    else
        QDialog::reject();
}

bool FrmQelCountdown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblCountDown_ && event->type() == QEvent::MouseButtonPress) {
        model_.skip();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmQelCountdown::mousePressEvent(QMouseEvent* event) {
    model_.skip();
    QDialog::mousePressEvent(event);
}

void FrmQelCountdown::keyPressEvent(QKeyEvent* event) {
    // Esc does not end the delay; only Skip, a click, or the count itself does.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace qel::ui
