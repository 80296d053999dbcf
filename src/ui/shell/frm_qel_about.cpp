#include "ui/shell/frm_qel_about.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shell/shell_texts.h"
#include "qt/qt_text.h"
#include "ui/shell/shell_logo.h"

namespace qel::ui {

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* made = new QLabel(text, parent);
    made->setObjectName(name);
    made->setWordWrap(true);
    return made;
}

}  // namespace

FrmQelAbout::FrmQelAbout(QWidget* parent, const std::string& journal) : QDialog(parent) {
    setObjectName("frmQelAbout");
    setWindowTitle(toQt(kAboutCaption));
    setModal(true);

    auto* logo = new QLabel(this);
    logo->setObjectName("imgKestrova");
    logo->setPixmap(kestrovaLogo(160));
    logo->setAlignment(Qt::AlignTop);

    auto* version = label(this, "lblVersion", toQt(aboutVersionCaption()));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* description = label(this, "lblDescription", toQt(kAboutDescription));
    auto* credits = label(this, "Label1", toQt(kAboutCredits));
    auto* contact = label(this, "Label2", toQt(kAboutContact));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    auto* warning = label(this, "lblDisclaimer", toQt(kAboutWarning));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addWidget(credits);
    texts->addWidget(contact);
    if (!journal.empty()) texts->addWidget(label(this, "lblJournal", toQt(journal)));
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addLayout(texts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(warning, 1);
    bottom->addWidget(ok, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(line);
    layout->addLayout(bottom);
    resize(520, 300);
}

}  // namespace qel::ui
