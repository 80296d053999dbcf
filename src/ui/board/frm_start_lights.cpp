#include "ui/board/frm_start_lights.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>

#include "qt/qt_text.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

FrmStartLights::FrmStartLights(const QString& objectName, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette back = palette();
    back.setColor(QPalette::Window, Qt::black);
    setPalette(back);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    for (int i = 0; i < kLampCount; ++i) {
        auto* lamp = new QWidget(this);
        lamp->setObjectName(QString("Shape1_%1").arg(i));
        lamp->setAutoFillBackground(true);
        // Clicks on a lamp count as clicks on the window.
        lamp->setAttribute(Qt::WA_TransparentForMouseEvents);
        shape1_[i] = lamp;
    }
}

StartSequenceHooks FrmStartLights::withWindow(StartSequenceHooks hooks) {
    auto viewChanged = std::move(hooks.viewChanged);
    hooks.viewChanged = [this, viewChanged] {
        render();
        if (viewChanged) viewChanged();
    };
    auto closed = std::move(hooks.closed);
    hooks.closed = [this, closed] {
        if (!inCloseEvent_) close();
        if (closed) closed();
    };
    return hooks;
}

void FrmStartLights::start(StartLights& model, LightWindowGeometry (*geometry)(int, int)) {
    model_ = &model;
    place(geometry);
    model_->load();
    render();
}

void FrmStartLights::place(LightWindowGeometry (*geometry)(int, int)) {
    const QScreen* shown = screen();
    const QRect area = shown ? shown->geometry() : QRect(0, 0, 1024, 768);
    const auto toPixels = [this](const TwipRect& r) {
        return QRect(twipsToPixelsX(*this, r.left), twipsToPixelsY(*this, r.top),
                     twipsToPixelsX(*this, r.width), twipsToPixelsY(*this, r.height));
    };
    const LightWindowGeometry g =
        geometry(pixelsToTwipsX(*this, area.width()), pixelsToTwipsY(*this, area.height()));
    setGeometry(toPixels(g.window).translated(area.topLeft()));
    for (int i = 0; i < kLampCount; ++i)
        shape1_[i]->setGeometry(toPixels(g.lamps[i]));
}

void FrmStartLights::render() {
    if (!model_) return;
    for (int i = 0; i < kLampCount; ++i) {
        QPalette lit = shape1_[i]->palette();
        lit.setColor(QPalette::Window, colourOf(lampColor(model_->lamps()[i])));
        shape1_[i]->setPalette(lit);
    }
}

void FrmStartLights::mousePressEvent(QMouseEvent* event) {
    if (model_ && event->button() == Qt::RightButton) model_->rightMouseDown();
    QWidget::mousePressEvent(event);
}

void FrmStartLights::mouseMoveEvent(QMouseEvent* event) {
    // A busy pointer from the Start press should not linger over the lights.
    setCursor(Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void FrmStartLights::keyPressEvent(QKeyEvent* event) {
    if (model_ && event->key() == Qt::Key_Escape) {
        model_->escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmStartLights::closeEvent(QCloseEvent* event) {
    // Closed by its frame while the lights still run: the same as Esc.
    if (model_ && model_->isOpen()) {
        inCloseEvent_ = true;
        model_->escapePressed();
        inCloseEvent_ = false;
    }
    QWidget::closeEvent(event);
}

}  // namespace qel::ui
