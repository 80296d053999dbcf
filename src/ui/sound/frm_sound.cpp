#include "ui/sound/frm_sound.h"
#include "qt/qt_text.h"
#include "ui/widgets/required_hooks.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::ui {

namespace {

const QColor kBackground(224, 224, 224);
const QColor kTestHighlight(0, 255, 0);

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

FrmSound::FrmSound(const AppFolder& folder, SoundTable& table, SoundPlayer& player,
                   Prompter& prompter, TimerService& timers, std::function<void()> showHelp,
                   QWidget* parent)
    : QDialog(parent),
      model_(folder, table, player, prompter, timers),
      showHelp_(std::move(showHelp)) {
    requireHooks("frmSound", {{"showHelp", bool(showHelp_)}});
    setObjectName("frmSound");
    setWindowTitle("Sounds");
    setModal(false);
    paintBackground(this, kBackground);

    auto* frame2 = named(new QGroupBox("Select sounds  to play:", this), "Frame2");
    lstRaceSounds_ = named(new QListWidget(frame2), "lstRaceSounds");
    (new QVBoxLayout(frame2))->addWidget(lstRaceSounds_);

    auto* frame1 = named(new QGroupBox("Select car sounds:", this), "Frame1");
    auto* carLayout = new QGridLayout(frame1);
    for (int i = 0; i < 3; ++i) {
        const QString index = QString::number(i);
        auto* frame = named(new QGroupBox(kLapSoundCaptions[i], frame1), "fraSound_" + index);
        fraSound_[i] = frame;
        chkPlay_[i] = named(new QCheckBox(frame), "chkPlay_" + index);
        lblSound_[i] = named(new QLabel(frame), "lblSound_" + index);
        paintBackground(lblSound_[i], Qt::white);
        lblSound_[i]->setMinimumWidth(140);
        auto* change = named(new QPushButton("Change", frame), "cmdChange_" + index);
        auto* test = named(new QPushButton("Test", frame), "cmdTest_" + index);
        auto* row = new QHBoxLayout(frame);
        row->addWidget(chkPlay_[i]);
        row->addWidget(lblSound_[i], 1);
        row->addWidget(change);
        row->addWidget(test);
        carLayout->addWidget(frame, i, 0);

        connect(chkPlay_[i], &QCheckBox::toggled, this, [this, i](bool ticked) {
            if (!rendering_) model_.setPlay(i, ticked);
        });
        connect(change, &QPushButton::clicked, this, [this, i] {
            model_.change(i);
            render();
        });
        connect(test, &QPushButton::clicked, this, [this, i] {
            model_.test(i);
            render();
        });
    }

    lblSelectSound_ = named(new QLabel(kInstructionsCaption, frame1), "lblSelectSound");
    lblSelectSound_->setStyleSheet("color: red; background: white;");
    lblSelectSound_->installEventFilter(this);
    lblInstruction_ = named(new QLabel(frame1), "lblInstruction");
    lblInstruction_->setWordWrap(true);
    fileSounds_ = named(new QListWidget(frame1), "FileSounds");
    auto* pickColumn = new QVBoxLayout;
    pickColumn->addWidget(lblSelectSound_);
    pickColumn->addWidget(lblInstruction_);
    pickColumn->addWidget(fileSounds_, 1);
    carLayout->addLayout(pickColumn, 0, 1, 3, 1);

    auto* okButton = named(new QPushButton("&OK", this), "cmdOk");
    auto* cancelButton = named(new QPushButton("&Cancel", this), "cmdCancel");
    auto* helpButton = named(new QPushButton("&Help", this), "cmdHelp");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(frame2);
    top->addWidget(frame1, 1);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    AddRaceWavFiles();

    connect(lstRaceSounds_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!rendering_) {
            model_.setRaceTick(lstRaceSounds_->row(item), item->checkState() == Qt::Checked);
        }
    });
    connect(lstRaceSounds_, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { model_.raceEntryPressed(lstRaceSounds_->row(item)); });
    connect(fileSounds_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        model_.fileClicked(fromQt(item->text()));
        render();
    });
    connect(okButton, &QPushButton::clicked, this, &FrmSound::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { showHelp_(); });
    model_.setOnViewChanged([this] { render(); });

    load();
}

void FrmSound::AddRaceWavFiles() {
    for (int entry = 0; entry < kRaceSoundCount; ++entry) {
        auto* item = new QListWidgetItem(raceSoundInfo(static_cast<RaceSound>(entry)).entry);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        lstRaceSounds_->addItem(item);
    }
}

void FrmSound::load() {
    model_.load();
    render();
}

void FrmSound::ok() {
    model_.ok();
    accept();
}

bool FrmSound::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblSelectSound_ && event->type() == QEvent::MouseButtonPress) {
        model_.selectLabelClicked();
        render();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSound::render() {
    rendering_ = true;
    const SoundDialogView& view = model_.view();
    for (int entry = 0; entry < kRaceSoundCount; ++entry) {
        lstRaceSounds_->item(entry)->setCheckState(view.raceTicks[entry] ? Qt::Checked
                                                                         : Qt::Unchecked);
    }
    for (int i = 0; i < 3; ++i) {
        chkPlay_[i]->setChecked(view.play[i]);
        lblSound_[i]->setText(toQt(view.soundFile[i]));
        paintBackground(fraSound_[i], view.highlighted == i ? kTestHighlight : kBackground);
        paintBackground(chkPlay_[i], kBackground);
    }
    lblSelectSound_->setText(toQt(view.selectCaption));
    lblInstruction_->setText(toQt(view.instruction));
    lblInstruction_->setHidden(!view.instructionVisible);
    fileSounds_->setHidden(!view.fileListVisible);
    // Refilled only when the folder's list changed, so a click keeps its row.
    if (shownFiles_ != view.files) {
        shownFiles_ = view.files;
        fileSounds_->clear();
        for (const std::string& file : shownFiles_)
            fileSounds_->addItem(toQt(file));
    }
    rendering_ = false;
}

}  // namespace qel::ui
