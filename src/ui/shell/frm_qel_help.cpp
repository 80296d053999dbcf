#include "ui/shell/frm_qel_help.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/shell/help_pages.h"
#include "qt/qt_text.h"

namespace qel::ui {

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

}  // namespace

FrmQelHelp::FrmQelHelp(const AppFolder& folder, QWidget* parent)
    : QDialog(parent), folder_(folder) {
    setObjectName("frmQelHelp");
    setWindowTitle("Kestrova Qel Timer Help");
    setModal(false);

    auto* contents = button(this, "cmdContents", "&Contents");
    auto* back = button(this, "cmdBack", "&Back");
    auto* forward = button(this, "cmdForward", "&Forward");
    auto* close = button(this, "cmdClose", "Close");
    back->setEnabled(false);
    forward->setEnabled(false);

    brwHelp_ = new QTextBrowser(this);
    brwHelp_->setObjectName("brwHelp");
    brwHelp_->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(brwHelp_, 1);
    resize(720, 600);

    connect(contents, &QPushButton::clicked, this, &FrmQelHelp::showTopics);
    connect(back, &QPushButton::clicked, brwHelp_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, brwHelp_, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(brwHelp_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(brwHelp_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    showTopics();
}

void FrmQelHelp::showTopics() {
    const std::filesystem::path topics = helpTopicsPath(folder_);
    const QFileInfo page(toQt(topics.string()));
    if (page.isFile()) {
        brwHelp_->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    } else {
        brwHelp_->setPlainText(toQt(helpMissingText(topics)));
    }
}

}  // namespace qel::ui
