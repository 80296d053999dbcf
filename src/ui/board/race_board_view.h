#pragma once
// The race board as the race director sees it from across the room: renders
// the board the engine writes and reports the clicks the window forwards.
#include <QCursor>
#include <QHash>
#include <QStringListModel>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/engine/board_pointers.h"
#include "core/state/race_board.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace qel::ui {

class RaceBoardView : public QWidget {
    Q_OBJECT
  public:
    explicit RaceBoardView(const RaceBoard& board, QWidget* parent = nullptr);

    // Runs on every redraw tick, so only what changed since the last call
    // reaches the widgets.
    void render();

    // What the pointer and tool tip are over each part of the board; asked
    // each time the pointer enters a part.
    using PointerQuery = std::function<PointerChoice(BoardTarget, int row)>;
    void setPointerQuery(PointerQuery query) { pointerQuery_ = std::move(query); }
    // The picture of a pointer (the hand, the racer); the standard pointers
    // serve until one is set.
    void setPointerCursor(BoardPointer pointer, const QCursor& cursor);

  signals:
    void startClicked();
    void abortClicked();
    void lagHeaderClicked();
    void bestHeaderClicked();
    void lapHeaderClicked();
    void raceFormatClicked();
    void flagClicked();
    void bestCellClicked(int row);
    void lagCellClicked(int row);
    void nameClicked(int row);
    void nameChosen(int row, int entry);  // an entry of row's racer list
    void nameListLeft(int row);           // row's racer list lost the focus

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What a label last showed; colours start out of range so the first
    // render always applies them.
    struct Shown {
        QLabel* label = nullptr;
        std::string text;
        int32_t back = -1;
        int32_t fore = -1;
        std::string toolTip;
        bool filled = false;
    };
    static constexpr int kColumns = 5;

    QLabel* makeLabel(const char* name, int pointSize);
    // Sizes the Start button for the widest caption at its font.
    void fitStartCaptions();
    void onClick(QObject* target, std::function<void()> action);
    void onHover(QWidget* target, BoardTarget part, int row);
    void renderNameList(int row);
    void applyCellFont();
    static void showText(Shown& shown, const std::string& text);
    static void showCell(Shown& shown, const BoardCell& cell);
    static void showFore(Shown& shown, int32_t color);

    const RaceBoard& board_;
    QHash<QObject*, std::function<void()>> clicks_;
    struct HoverPart {
        BoardTarget part;
        int row;
    };
    QHash<QObject*, HoverPart> hovers_;
    PointerQuery pointerQuery_;
    QHash<int, QCursor> cursors_;
    std::array<QComboBox*, kMaxLanes + 1> nameLists_{};
    std::array<NameList::Entries, kMaxLanes + 1> shownEntries_{};
    NameList::Entries shownRoster_;
    // The racer lists' one model: every row lists the same roster.
    QStringListModel* roster_ = nullptr;
    std::array<int, kMaxLanes + 1> shownListVisible_{};
    int cellFontSize_ = 0;
    std::array<std::array<Shown, kColumns>, kMaxLanes + 1> cells_{};
    std::array<bool, kMaxLanes + 1> rowVisible_{};
    Shown lapHeader_, lagHeader_, bestHeader_, raceFormat_, clock_, banner_;
    QLabel* flag_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* abort_ = nullptr;
    int shownFlag_ = 0;
    // -1 until the first render applies them.
    int bannerVisible_ = -1;
    int startEnabled_ = -1;
    int abortEnabled_ = -1;
    StartState startState_ = StartState::Start;
    bool firstRender_ = true;
};

}  // namespace qel::ui
