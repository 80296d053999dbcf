#include "ui/records/frm_print_preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/qt_text.h"
#include "ui/widgets/required_hooks.h"

namespace qel::ui {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

FrmPrintPreview::FrmPrintPreview(const PrintPreviewSurface& pages, PrintPreviewHooks hooks,
                                 QWidget* parent)
    : QDialog(parent), pages_(pages), hooks_(std::move(hooks)) {
    requireHooks("frmPrintPreview", {{"print", bool(hooks_.print)}});
    setObjectName("frmPrintPreview");
    setWindowTitle(toQt("Print Preview - " + pages.jobName()));

    picture_ = named(new QLabel(this), "picPreview");
    picture_->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(picture_);
    scroll->setWidgetResizable(true);

    previous_ = named(new QPushButton("&Previous", this), "cmdPrevious");
    next_ = named(new QPushButton("&Next", this), "cmdNext");
    pageLabel_ = named(new QLabel(this), "lblPage");
    auto* print = named(new QPushButton("&Print", this), "cmdPrint");
    auto* close = named(new QPushButton("&Close", this), "cmdClose");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previous_);
    buttons->addWidget(next_);
    buttons->addWidget(pageLabel_, 1, Qt::AlignCenter);
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    connect(previous_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(print, &QPushButton::clicked, this, [this] {
        accept();
        hooks_.print();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    showPage(0);
    const QImage first = pages_.pageImage(0);
    resize(std::min(first.width() + 60, 1000), std::min(first.height() + 100, 900));
}

void FrmPrintPreview::showPage(int index) {
    const int count = std::max(pages_.pageCount(), 1);
    page_ = std::clamp(index, 0, count - 1);
    picture_->setPixmap(QPixmap::fromImage(pages_.pageImage(page_)));
    pageLabel_->setText(QString("Page %1 of %2").arg(page_ + 1).arg(count));
    previous_->setEnabled(page_ > 0);
    next_->setEnabled(page_ < count - 1);
}

}  // namespace qel::ui
