#include "ui/heats/frm_rotation_count_down.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/qt_text.h"
#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

constexpr int kClientWidthTwips = 5640;
constexpr int kClientHeightTwips = 2850;

}  // namespace

FrmRotationCountDown::FrmRotationCountDown(BetweenHeats& delay, RotationCountDownHooks hooks,
                                           std::optional<QPoint> remembered, QWidget* parent)
    : QWidget(parent, Qt::Window), delay_(delay), hooks_(std::move(hooks)) {
    requireHooks("frmRotationCountDown", {{"closed", bool(hooks_.closed)}});
    setObjectName("frmRotationCountDown");
    setWindowTitle("Count Down");

    lblCountDown_ = new QLabel(this);
    lblCountDown_->setObjectName("lblCountDown");
    lblCountDown_->setAlignment(Qt::AlignCenter);
    lblCountDown_->setFont(QFont("Arial", 140, QFont::Bold));
    // The digits fill the window as they always have; the label's own wish
    // for room around them must not make the window bigger.
    lblCountDown_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    QFont buttonFont("Arial");
    buttonFont.setPointSizeF(9.75);
    buttonFont.setBold(true);
    cmdPause_ = new QPushButton(this);
    cmdPause_->setObjectName("cmdPause");
    cmdPause_->setFont(buttonFont);
    cmdSkip_ = new QPushButton("&Skip", this);
    cmdSkip_->setObjectName("cmdSkip");
    cmdSkip_->setFont(buttonFont);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPause_);
    buttons->addWidget(cmdSkip_);
    auto* layout = new QVBoxLayout(this);
    // The digits take the whole height above the buttons.
    layout->setContentsMargins(6, 0, 6, 6);
    layout->setSpacing(0);
    layout->addWidget(lblCountDown_, 1);
    layout->addLayout(buttons);
    resize(twipsToPixelsX(*this, kClientWidthTwips), twipsToPixelsY(*this, kClientHeightTwips));

    connect(cmdPause_, &QPushButton::clicked, this, [this] {
        delay_.cmdPause_Click();
        render();
    });
    connect(cmdSkip_, &QPushButton::clicked, this, [this] {
        delay_.cmdSkip_Click();
        render();
    });

    if (remembered && remembered->y() != 0) move(*remembered);
    render();
}

void FrmRotationCountDown::render() {
    lblCountDown_->setText(toQt(delay_.countText()));
    cmdPause_->setText(toQt(delay_.pauseCaption()));
}

void FrmRotationCountDown::closeEvent(QCloseEvent* event) {
    hooks_.closed(pos());
    QWidget::closeEvent(event);
}

}  // namespace qel::ui
