#include "ui/shell/frm_browser.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "qt/qt_text.h"
#include "ui/shell/page_browser.h"

namespace qel::ui {

FrmBrowser::FrmBrowser(TimerService& timers, Shell& shell, std::string startingAddress,
                       QWidget* parent)
    : QDialog(parent),
      startingAddress_(std::move(startingAddress)),
      cboAddress_(new QComboBox(this)),
      brwWebBrowser_(new PageBrowser(shell, this)),
      statusBar1_(new QStatusBar(this)),
      model_(timers, *brwWebBrowser_) {
    setObjectName("frmBrowser");
    setModal(true);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName("tbToolBar");
    cboAddress_->setObjectName("cboAddress");
    cboAddress_->setEditable(true);
    // The window files new addresses itself, and takes Enter before the box
    // does: the box would otherwise report one Enter up to three times.
    cboAddress_->setInsertPolicy(QComboBox::NoInsert);
    cboAddress_->setCompleter(nullptr);
    cboAddress_->lineEdit()->installEventFilter(this);
    brwWebBrowser_->setObjectName("brwWebBrowser");
    statusBar1_->setObjectName("StatusBar1");
    statusBar1_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(toolBar);
    layout->addWidget(cboAddress_);
    layout->addWidget(brwWebBrowser_, 1);
    layout->addWidget(statusBar1_);
    resize(800, 600);

    connect(cboAddress_, &QComboBox::activated, this,
            [this](int index) { model_.addressChosen(fromQt(cboAddress_->itemText(index))); });
    connect(brwWebBrowser_, &PageBrowser::linkRequested, this,
            [this](const QString& address) { model_.addressChosen(fromQt(address)); });
    connect(brwWebBrowser_, &PageBrowser::statusTextChanged, this,
            [this](const QString& text) { model_.statusTextChanged(fromQt(text)); });
    connect(brwWebBrowser_, &PageBrowser::navigateComplete, this,
            [this] { model_.navigateComplete(); });
    model_.setOnChanged([this] { render(); });

    model_.load(startingAddress_);
}

bool FrmBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cboAddress_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            model_.addressChosen(fromQt(cboAddress_->currentText()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmBrowser::render() {
    setWindowTitle(toQt(model_.caption()));
    const auto& addresses = model_.addresses();
    if (cboAddress_->count() != static_cast<int>(addresses.size())) {
        const QSignalBlocker quiet(cboAddress_);
        cboAddress_->clear();
        for (const std::string& address : addresses)
            cboAddress_->addItem(toQt(address));
    }
    if (cboAddress_->currentText() != toQt(model_.address()))
        cboAddress_->setEditText(toQt(model_.address()));
    statusBar1_->showMessage(toQt(model_.statusText()));
}

}  // namespace qel::ui
