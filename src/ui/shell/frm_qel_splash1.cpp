#include "ui/shell/frm_qel_splash1.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "core/shell/main_window_placement.h"
#include "core/shell/shell_texts.h"
#include "qt/qt_text.h"
#include "ui/shell/shell_logo.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

FrmQelSplash1::FrmQelSplash1(TimerService& timers, std::function<void(const QRect&)> showMainWindow,
                             QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      showMainWindow_(std::move(showMainWindow)),
      splash_(timers, [this] { endSplash(); }) {
    setObjectName("frmQelSplash1");
    setFocusPolicy(Qt::StrongFocus);

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::Box);

    auto* logo = new QLabel(frame);
    logo->setObjectName("imgKestrova");
    logo->setPixmap(kestrovaLogo(280));

    auto* productName = new QLabel(toQt(kProductName), frame);
    productName->setObjectName("lblProductName");
    QFont productFont = productName->font();
    productFont.setPointSize(18);
    productFont.setBold(true);
    productName->setFont(productFont);

    auto* version = new QLabel(toQt(splashVersionCaption()), frame);
    version->setObjectName("lblVersion");
    version->setAlignment(Qt::AlignRight);

    auto* text = new QVBoxLayout;
    text->addStretch(1);
    text->addWidget(productName);
    text->addWidget(version);
    text->addStretch(1);
    auto* inFrame = new QHBoxLayout(frame);
    inFrame->addWidget(logo);
    inFrame->addLayout(text, 1);
    (new QVBoxLayout(this))->addWidget(frame);

    for (QWidget* clickable : {static_cast<QWidget*>(frame), static_cast<QWidget*>(logo),
                               static_cast<QWidget*>(productName), static_cast<QWidget*>(version)})
        clickable->installEventFilter(this);
}

void FrmQelSplash1::keyPressEvent(QKeyEvent* event) {
    event->accept();
    splash_.EndSplash();
}

bool FrmQelSplash1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        splash_.EndSplash();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmQelSplash1::endSplash() {
    close();
    if (showMainWindow_) showMainWindow_(mainWindowRect());
}

QRect FrmQelSplash1::mainWindowRect() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown) return {};
    const QRect area = shown->geometry();
    const WindowPlacement placement = mainWindowPlacement(
        area.width(), area.height(), twipsToPixelsY(*this, kTaskBarAllowanceTwips));
    return {area.x() + placement.x, area.y() + placement.y, placement.width, placement.height};
}

}  // namespace qel::ui
