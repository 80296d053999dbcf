#include "ui/shell/frm_tip.h"
#include "qt/qt_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::ui {

namespace {

// A yellow disc with a question mark beside the tip.
QPixmap tipPicture() {
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 214, 0));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(2, 2, 36, 36);
    QFont font("Sans", -1, QFont::Bold);
    font.setPixelSize(26);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 40, 40), Qt::AlignCenter, "?");
    return picture;
}

}  // namespace

FrmTip::FrmTip(const AppFolder& folder, Random& random, UserSettings& settings, QWidget* parent)
    : QDialog(parent), model_(folder, random, settings) {
    setObjectName("frmTip");
    setWindowTitle("Tip of the Day");

    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setPixmap(tipPicture());
    picture->setAlignment(Qt::AlignTop);

    auto* didYouKnow = new QLabel("Did you know...", this);
    didYouKnow->setObjectName("Label1");
    QFont bold = didYouKnow->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    didYouKnow->setFont(bold);

    lblTipText_ = new QLabel(this);
    lblTipText_->setObjectName("lblTipText");
    lblTipText_->setWordWrap(true);
    lblTipText_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblTipText_->setMinimumSize(320, 110);
    lblTipText_->setTextFormat(Qt::PlainText);

    auto* next = new QPushButton("&Next Tip", this);
    next->setObjectName("cmdNextTip");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    chkLoadTipsAtStartup_ = new QCheckBox("&Show Tips at Startup", this);
    chkLoadTipsAtStartup_->setObjectName("chkLoadTipsAtStartup");

    connect(next, &QPushButton::clicked, this, [this] {
        model_.nextTip();
        render();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // clicked, not toggled: only the race director's own click is stored.
    connect(chkLoadTipsAtStartup_, &QCheckBox::clicked, this,
            [this](bool ticked) { model_.setShowAtStartup(ticked); });

    auto* tipColumn = new QVBoxLayout;
    tipColumn->addWidget(didYouKnow);
    tipColumn->addWidget(lblTipText_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(next);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(tipColumn, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(chkLoadTipsAtStartup_);
}

bool FrmTip::load() {
    if (!model_.load()) return false;
    render();
    return true;
}

void FrmTip::render() {
    chkLoadTipsAtStartup_->setChecked(model_.showAtStartup());
    // A label breaks lines at LF; the CR of the file's line ends would show.
    QString text = toQt(model_.text());
    text.replace("\r\n", "\n");
    lblTipText_->setText(text);
}

}  // namespace qel::ui
