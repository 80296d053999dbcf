#include "ui/board/race_board_view.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/qt_text.h"

namespace qel::ui {
namespace {

// Sizes chosen to be read from the far end of the track.
constexpr int kHeaderPoint = 20;
constexpr int kClockPoint = 40;
constexpr QSize kFlagSize(96, 64);

// Every caption the Start button can carry.
constexpr StartState kStartStates[] = {StartState::Start,    StartState::Pause,
                                       StartState::Continue, StartState::Reset,
                                       StartState::Rotate,   StartState::AutoDelay};

QPixmap flagPixmap(int picture) {
    QPixmap pixmap(kFlagSize);
    QPainter painter(&pixmap);
    switch (picture) {
        case kFlagGreen:
            pixmap.fill(Qt::green);
            break;
        case kFlagWhite:
            pixmap.fill(Qt::white);
            break;
        case kFlagRed:
            pixmap.fill(Qt::red);
            break;
        case kFlagYellow:
            pixmap.fill(Qt::yellow);
            break;
        case kFlagCheckered: {
            pixmap.fill(Qt::white);
            const int square = kFlagSize.height() / 4;
            for (int y = 0; y * square < kFlagSize.height(); ++y)
                for (int x = 0; x * square < kFlagSize.width(); ++x)
                    if ((x + y) % 2 == 0)
                        painter.fillRect(x * square, y * square, square, square, Qt::black);
            break;
        }
        default:  // no race under way: a furled, neutral flag
            pixmap.fill(Qt::darkGray);
            break;
    }
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

}  // namespace

RaceBoardView::RaceBoardView(const RaceBoard& board, QWidget* parent)
    : QWidget(parent), board_(board) {
    setObjectName("raceBoard");
    setPointerCursor(BoardPointer::Normal, QCursor(Qt::ArrowCursor));
    setPointerCursor(BoardPointer::Hand, QCursor(Qt::PointingHandCursor));
    setPointerCursor(BoardPointer::Racer, QCursor(Qt::PointingHandCursor));
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    raceFormat_.label = makeLabel("lblRaceFormat", kHeaderPoint);
    onClick(raceFormat_.label, [this] { emit raceFormatClicked(); });
    onHover(raceFormat_.label, BoardTarget::RaceFormat, 0);
    clock_.label = makeLabel("lblClock", kClockPoint);
    clock_.label->setAlignment(Qt::AlignCenter);
    flag_ = new QLabel(this);
    flag_->setObjectName("imgKestrova");
    flag_->setFixedSize(kFlagSize);
    onClick(flag_, [this] { emit flagClicked(); });
    top->addWidget(raceFormat_.label, 1);
    top->addWidget(clock_.label);
    top->addWidget(flag_);
    outer->addLayout(top);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    lapHeader_.label = makeLabel("lblLapNumber", kHeaderPoint);
    auto* lapTimeHeader = new QLabel("Lap Time", this);
    QFont headerFont = lapTimeHeader->font();
    headerFont.setPointSize(kHeaderPoint);
    lapTimeHeader->setFont(headerFont);
    lagHeader_.label = makeLabel("lblLag", kHeaderPoint);
    bestHeader_.label = makeLabel("lblBestLap", kHeaderPoint);
    onClick(lapHeader_.label, [this] { emit lapHeaderClicked(); });
    onClick(lagHeader_.label, [this] { emit lagHeaderClicked(); });
    onClick(bestHeader_.label, [this] { emit bestHeaderClicked(); });
    onHover(lapHeader_.label, BoardTarget::LapHeader, 0);
    onHover(lagHeader_.label, BoardTarget::LagHeader, 0);
    onHover(bestHeader_.label, BoardTarget::BestHeader, 0);
    grid->addWidget(lapHeader_.label, 0, 1, Qt::AlignCenter);
    grid->addWidget(lapTimeHeader, 0, 2, Qt::AlignCenter);
    grid->addWidget(lagHeader_.label, 0, 3, Qt::AlignCenter);
    grid->addWidget(bestHeader_.label, 0, 4, Qt::AlignCenter);

    static constexpr const char* kCellNames[kColumns] = {"lblName", "lblLapNum", "lblLapTime",
                                                         "lblLagTime", "lblBest"};
    for (int row = 1; row <= kMaxLanes; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const QByteArray name = QByteArray(kCellNames[column]) + '_' + QByteArray::number(row);
            QLabel* label = makeLabel(name.constData(), kDefaultCellFontSize);
            label->setAutoFillBackground(true);
            label->setMargin(4);
            if (column > 0) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cells_[row][column].label = label;
            grid->addWidget(label, row, column);
        }
        onClick(cells_[row][0].label, [this, row] { emit nameClicked(row); });
        onHover(cells_[row][0].label, BoardTarget::NameCell, row);
        onHover(cells_[row][4].label, BoardTarget::BestCell, row);

        // The racer list opens over the name it replaces.
        if (!roster_) roster_ = new QStringListModel(this);
        auto* list = new QComboBox(this);
        list->setObjectName(QString("Select_Name_%1").arg(row));
        QFont listFont = list->font();
        listFont.setPointSize(kHeaderPoint);
        list->setFont(listFont);
        list->hide();
        list->installEventFilter(this);
        connect(list, &QComboBox::activated, this,
                [this, row](int entry) { emit nameChosen(row, entry); });
        grid->addWidget(list, row, 0);
        nameLists_[row] = list;
        onClick(cells_[row][3].label, [this, row] { emit lagCellClicked(row); });
        onClick(cells_[row][4].label, [this, row] { emit bestCellClicked(row); });
        rowVisible_[row] = true;
    }
    grid->setColumnStretch(0, 3);
    for (int column = 1; column < kColumns; ++column)
        grid->setColumnStretch(column, 2);
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* bottom = new QHBoxLayout;
    banner_.label = makeLabel("lblRaceOver", kClockPoint);
    banner_.label->setAlignment(Qt::AlignCenter);
    start_ = new QPushButton(this);
    start_->setObjectName("cmdStart");
    abort_ = new QPushButton("Abort", this);
    abort_->setObjectName("cmdAbort");
    for (QPushButton* button : {start_, abort_}) {
        QFont font = button->font();
        font.setPointSize(kHeaderPoint);
        button->setFont(font);
    }
    fitStartCaptions();
    start_->installEventFilter(this);
    connect(start_, &QPushButton::clicked, this, &RaceBoardView::startClicked);
    connect(abort_, &QPushButton::clicked, this, &RaceBoardView::abortClicked);
    bottom->addWidget(banner_.label, 1);
    bottom->addWidget(start_);
    bottom->addWidget(abort_);
    outer->addLayout(bottom);

    render();
}

QLabel* RaceBoardView::makeLabel(const char* name, int pointSize) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

void RaceBoardView::fitStartCaptions() {
    // The caption changes while the program holds the race director (the
    // cars coasting after Pause), with the board painted at once and no
    // chance for the layout to widen the button: a button as wide as its
    // last caption then shows "ontinu". Wide enough for the widest caption
    // from the start, every caption shows whole and the button never jumps.
    QStyleOptionButton option;
    option.initFrom(start_);
    int widest = 0;
    for (const StartState state : kStartStates) {
        option.text = toQt(startCaptionOf(state));
        const QSize text = option.fontMetrics.size(Qt::TextShowMnemonic, option.text);
        option.rect.setSize(text);
        const QSize button =
            start_->style()->sizeFromContents(QStyle::CT_PushButton, &option, text, start_);
        widest = std::max(widest, button.width());
    }
    start_->setFixedWidth(widest);
}

void RaceBoardView::onClick(QObject* target, std::function<void()> action) {
    clicks_.insert(target, std::move(action));
    target->installEventFilter(this);
}

void RaceBoardView::onHover(QWidget* target, BoardTarget part, int row) {
    hovers_.insert(target, {part, row});
    target->installEventFilter(this);
}

void RaceBoardView::setPointerCursor(BoardPointer pointer, const QCursor& cursor) {
    cursors_.insert(static_cast<int>(pointer), cursor);
}

bool RaceBoardView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == start_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        fitStartCaptions();
    if (event->type() == QEvent::Enter && pointerQuery_) {
        const auto hover = hovers_.constFind(watched);
        if (hover != hovers_.constEnd()) {
            auto* widget = static_cast<QWidget*>(watched);
            const PointerChoice choice = pointerQuery_(hover->part, hover->row);
            const auto cursor = cursors_.constFind(static_cast<int>(choice.pointer));
            if (cursor != cursors_.constEnd()) widget->setCursor(*cursor);
            if (choice.toolTip) widget->setToolTip(toQt(*choice.toolTip));
        }
    }
    if (event->type() == QEvent::FocusOut) {
        for (int row = 1; row <= kMaxLanes; ++row) {
            // A list whose own popup takes the focus has not been left.
            if (watched == nameLists_[row] && !nameLists_[row]->view()->isVisible()) {
                emit nameListLeft(row);
            }
        }
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto found = clicks_.constFind(watched);
        if (found != clicks_.constEnd()) {
            found.value()();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RaceBoardView::showText(Shown& shown, const std::string& text) {
    if (shown.filled && shown.text == text) return;
    shown.text = text;
    shown.filled = true;
    shown.label->setText(toQt(text));
}

void RaceBoardView::showFore(Shown& shown, int32_t color) {
    if (shown.fore == color) return;
    shown.fore = color;
    QPalette palette = shown.label->palette();
    palette.setColor(QPalette::WindowText, colourOf(color));
    shown.label->setPalette(palette);
}

void RaceBoardView::showCell(Shown& shown, const BoardCell& cell) {
    showText(shown, cell.text);
    if (shown.back != cell.backColor) {
        shown.back = cell.backColor;
        QPalette palette = shown.label->palette();
        palette.setColor(QPalette::Window, colourOf(cell.backColor));
        shown.label->setPalette(palette);
    }
    showFore(shown, cell.foreColor);
    if (shown.toolTip != cell.toolTip) {
        shown.toolTip = cell.toolTip;
        shown.label->setToolTip(toQt(cell.toolTip));
    }
}

void RaceBoardView::applyCellFont() {
    if (cellFontSize_ == board_.cellFontSize) return;
    cellFontSize_ = board_.cellFontSize;
    for (int row = 1; row <= kMaxLanes; ++row) {
        for (Shown& shown : cells_[row]) {
            QFont font = shown.label->font();
            font.setPointSize(cellFontSize_);
            shown.label->setFont(font);
        }
    }
}

void RaceBoardView::renderNameList(int row) {
    const NameList& source = board_.nameLists[row];
    QComboBox* list = nameLists_[row];
    if (shownEntries_[row] != source.shared) {
        shownEntries_[row] = source.shared;
        const QSignalBlocker quiet(list);
        // The rows share one list model, as they share one roster.
        if (shownRoster_ != source.shared) {
            shownRoster_ = source.shared;
            QStringList names;
            names.reserve(static_cast<int>(source.entries().size()));
            for (const std::string& entry : source.entries())
                names << toQt(entry);
            roster_->setStringList(names);
        }
        if (list->model() != roster_) list->setModel(roster_);
    }
    if (list->currentIndex() != source.selected) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(source.selected);
    }
    const bool visible = source.visible && board_.rows[row].visible;
    if (shownListVisible_[row] != int(visible) + 1) {
        shownListVisible_[row] = int(visible) + 1;
        list->setVisible(visible);
        cells_[row][0].label->setVisible(!visible && board_.rows[row].visible);
        if (visible) list->setFocus();
    }
}

void RaceBoardView::render() {
    applyCellFont();
    for (int row = 1; row <= kMaxLanes; ++row) {
        const BoardRow& source = board_.rows[row];
        const BoardCell* cells[kColumns] = {&source.name, &source.lapNum, &source.lapTime,
                                            &source.lagTime, &source.best};
        for (int column = 0; column < kColumns; ++column)
            showCell(cells_[row][column], *cells[column]);
        if (rowVisible_[row] != source.visible) {
            rowVisible_[row] = source.visible;
            for (Shown& shown : cells_[row])
                shown.label->setVisible(source.visible);
            shownListVisible_[row] = 0;
        }
        renderNameList(row);
    }
    showText(lapHeader_, board_.lapHeader);
    showText(lagHeader_, board_.lagHeader);
    showText(bestHeader_, board_.bestHeader);
    showText(raceFormat_, board_.raceDescription);
    showText(clock_, board_.clock);
    showText(banner_, board_.banner);
    showFore(banner_, board_.bannerColor);
    if (bannerVisible_ != int(board_.bannerVisible)) {
        bannerVisible_ = board_.bannerVisible;
        // Keeps its place in the layout so the buttons do not jump when it shows.
        QSizePolicy policy = banner_.label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        banner_.label->setSizePolicy(policy);
        banner_.label->setVisible(board_.bannerVisible);
    }
    if (shownFlag_ != board_.flagPicture) {
        shownFlag_ = board_.flagPicture;
        flag_->setPixmap(flagPixmap(shownFlag_));
    }
    if (firstRender_ || startState_ != board_.startState) {
        startState_ = board_.startState;
        start_->setText(toQt(startCaptionOf(startState_)));
    }
    if (startEnabled_ != int(board_.startEnabled)) {
        startEnabled_ = board_.startEnabled;
        start_->setEnabled(board_.startEnabled);
    }
    if (abortEnabled_ != int(board_.abortEnabled)) {
        abortEnabled_ = board_.abortEnabled;
        abort_->setEnabled(board_.abortEnabled);
    }
    firstRender_ = false;
}

}  // namespace qel::ui
