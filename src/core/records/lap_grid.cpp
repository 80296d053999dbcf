#include "core/records/lap_grid.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/engine/lap_counting.h"
#include "core/io/format.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

// Rows the fill starts from before it knows how many laps there are.
constexpr int kFillRows = 3000;
// A short grid shows from this row; a longer one scrolls so the last laps are in view.
constexpr int kShortGridTopRow = 3;
constexpr int kRowsAboveLastLap = 10;

// Room for any lap label or lap time, so a cell is written without a string of its own.
using CellText = std::array<char, 32>;

std::string_view integerText(int value, CellText& buffer) {
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

// Lap 0 is the time from the start to the first crossing: the reaction time.
std::string_view lapLabel(int lap, CellText& buffer) {
    return lap == 0 ? std::string_view("RT") : integerText(lap, buffer);
}

// The lap time with three decimals as the rest of the records show a lap time
// (formatSingle with "0.000"): first cut to the 7 digits a lap time carries,
// then rounded half away from zero to the third decimal. Any lap of a real
// track lies between 0.1 and 1000 seconds and is done here with integers, as
// a long race refills this grid after every redraw; the rare other value goes
// the general way.
std::string_view lapTimeText(float seconds, CellText& buffer, std::string& spare) {
    if (!(seconds >= 0.1f && seconds < 1000.0f)) {
        spare = formatSingle(seconds, "0.000");
        return spare;
    }
    // Decimals of the 7 significant digits: 4 from 100 s, 7 below 1 s.
    const int decimals = seconds >= 100.0f ? 4 : seconds >= 10.0f ? 5 : seconds >= 1.0f ? 6 : 7;
    static constexpr std::array<int64_t, 8> kPowers{1,     10,     100,     1000,
                                                    10000, 100000, 1000000, 10000000};
    // A float times a power of ten up to 10^7 is exact in a double, and ties
    // go to even, as the decimal conversion of the general way rounds them.
    const auto digits =
        static_cast<int64_t>(std::nearbyint(static_cast<double>(seconds) * kPowers[decimals]));
    const int64_t cut = kPowers[decimals - 3];
    const int64_t thousandths = (digits + cut / 2) / cut;

    char* out = buffer.data();
    out = std::to_chars(out, buffer.data() + buffer.size(), thousandths / 1000).ptr;
    const auto fraction = static_cast<int>(thousandths % 1000);
    *out++ = '.';
    *out++ = static_cast<char>('0' + fraction / 100);
    *out++ = static_cast<char>('0' + fraction / 10 % 10);
    *out++ = static_cast<char>('0' + fraction % 10);
    return {buffer.data(), static_cast<std::size_t>(out - buffer.data())};
}

// A refill during a race finds most cells already aligned; only the new ones change.
void putCell(GridModel& grid, int row, int col, std::string_view text, int alignment) {
    if (grid.cellAlignment(row, col) != alignment) grid.setCellAlignment(row, col, alignment);
    grid.setTextMatrix(row, col, text);
}

bool validLane(int lane) {
    return lane >= 1 && lane <= kMaxLanes;
}

// Rows 0 and 1 of a lane's column: its colour name and its racer, on the
// colour of the lane's name label on the race screen.
void putLaneHeader(GridModel& grid, int col, int lane, const BoardRow& boardRow,
                   const RecordSources& sources) {
    const auto back = static_cast<GridColor>(boardRow.name.backColor);
    grid.setCellBackColor(0, col, back);
    grid.setCellBackColor(1, col, back);
    putCell(grid, 0, col, laneColourName(sources.installation, lane), grid_align::kLeftCenter);
    const std::string_view name = laneDisabledIn(sources, lane) ? std::string_view("Disabled")
                                                                : sources.state.laneRacerName[lane];
    putCell(grid, 1, col, name, grid_align::kLeftCenter);
}

void putLapLabel(GridModel& grid, int row, int lap) {
    CellText buffer;
    putCell(grid, row, 0, lapLabel(lap, buffer), grid_align::kCenterCenter);
}

// Rows 2..lapRowEnd-1 of one column from one lane's laps; a lap with no time stays empty.
void putLaneTimes(GridModel& grid, int col, const std::array<float, kMaxLap + 1>& laps,
                  int firstLap, int lapRowEnd, LapGridFill& fill) {
    CellText buffer;
    std::string spare;
    for (int row = 2; row < lapRowEnd; ++row) {
        const int lap = firstLap + row - 2;
        const float seconds = lap >= 0 && lap <= kMaxLap ? laps[lap] : 0.0f;
        const std::string_view text =
            seconds == 0.0f ? std::string_view() : lapTimeText(seconds, buffer, spare);
        putCell(grid, row, col, text, grid_align::kCenterCenter);
        ++fill.progressValue;
    }
}

bool anyLaneHasTime(const RaceState& state, int lap) {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (state.lapTimes[lane][lap] != 0.0f) return true;
    }
    return false;
}

// The first lap row: lap 0 for races that begin with lap 0, else lap 1.
int firstLapOf(const RecordSources& sources) {
    return std::max(sources.setup.firstLapOffset() + 1, 0);
}

const LapStore& lapsToShow(const RecordSources& sources) {
    if (!sources.records.lapsSortedByTime) return sources.state.lapTimes;
    subSortLapTimes(sources.state);
    return sources.state.sortedLapTimes;
}

std::string captionOf(const RecordSources& sources, std::string_view blanks) {
    return "Laps   " + sources.state.raceTitle + std::string(blanks) +
           (sources.records.lapsSortedByTime ? "Sorted by Lap Times" : "Sorted by Lap number");
}

// Practice: column i is lane i, and the rows run while any lane has a lap.
int fillPractice(GridModel& grid, const RecordSources& sources, int lanes, LapGridFill& fill) {
    const RaceState& state = sources.state;
    for (int lane = 1; lane <= lanes; ++lane) {
        putLaneHeader(grid, lane, lane, sources.board.rows[lane], sources);
    }

    const int firstLap = firstLapOf(sources);
    int lapRowEnd = 2;
    // The grid grows as the laps need it and keeps its rows otherwise: a
    // refill after every board redraw must not remake thousands of cells.
    for (int lap = firstLap; lap <= kMaxLap && anyLaneHasTime(state, lap); ++lap) {
        // With lap 0 a full lap store holds one row more than the grid starts with.
        if (lapRowEnd >= grid.rows()) grid.setRows(lapRowEnd + 1);
        putLapLabel(grid, lapRowEnd, lap);
        ++lapRowEnd;
    }

    fill.progressMaximum = lapRowEnd * lanes;
    const LapStore& laps = lapsToShow(sources);
    for (int lane = 1; lane <= lanes; ++lane) {
        putLaneTimes(grid, lane, laps[lane], firstLap, lapRowEnd, fill);
    }
    fill.caption = captionOf(sources, "   ");
    return lapRowEnd;
}

// Race: column p is the lane in position p, and the rows run while the leader has laps.
int fillRace(GridModel& grid, const RecordSources& sources, int lanes, LapGridFill& fill) {
    const RaceState& state = sources.state;
    const int leader = state.runningOrder[1];
    const int firstLap = firstLapOf(sources);
    int lapRowEnd = 2;
    int lapRows = 0;
    while (firstLap + lapRows <= kMaxLap && state.lapTimes[leader][firstLap + lapRows] > 0.0f)
        ++lapRows;
    // Nothing of an earlier race stays below the leader's last lap; the rows
    // above it are written over, not remade, so a refill stays cheap.
    grid.setRows(2 + lapRows);
    grid.setRows(2 + lapRows + 1);
    for (int lap = firstLap; lap < firstLap + lapRows; ++lap) {
        putLapLabel(grid, lapRowEnd, lap);
        ++lapRowEnd;
    }

    for (int position = 1; position <= lanes; ++position) {
        const int lane = state.runningOrder[position];
        if (!validLane(lane)) continue;
        // The board's row p shows the lane in position p.
        const int boardRow =
            validLane(state.lanePosition[lane]) ? state.lanePosition[lane] : position;
        putLaneHeader(grid, position, lane, sources.board.rows[boardRow], sources);
    }

    fill.progressMaximum = lapRowEnd * kMaxLanes;
    if (!sources.records.lapsSortedByTime) {
        fill.progressMaximum = lapRowEnd * lanes;
        fill.progressValue = 0;
    }
    const LapStore& laps = lapsToShow(sources);
    for (int position = 1; position <= lanes; ++position) {
        const int lane = state.runningOrder[position];
        if (!validLane(lane)) continue;
        putLaneTimes(grid, position, laps[lane], firstLap, lapRowEnd, fill);
    }
    fill.caption = captionOf(sources, "    ");
    return lapRowEnd;
}

}  // namespace

GridModel makeLapGrid() {
    GridModel grid(kLapGridRows, 4, 2, 1);
    GridFont font;
    font.name = "Courier New";
    grid.setFont(font);
    return grid;
}

LapGridFill FillLapGrid(GridModel& grid, const RecordSources& sources, Prompter& prompter) {
    LapGridFill fill;
    const bool practice = sources.setup.practiceMode();
    const int lanes = std::clamp<int>(sources.state.laneCount, 0, kMaxLanes);
    {
        GridRedrawPause pause(grid);
        grid.setCols(lanes + 1);
        grid.setTextMatrix(1, 0, "Lap");
        if (practice || validLane(sources.state.runningOrder[1])) {
            const int lapRowEnd = practice ? fillPractice(grid, sources, lanes, fill)
                                           : fillRace(grid, sources, lanes, fill);
            sources.records.lapRowEnd = lapRowEnd;
            grid.setRows(std::max(lapRowEnd, kLapGridMinRows));
            grid.setTopRow(grid.rows() > kLapGridMinRows ? lapRowEnd - kRowsAboveLastLap
                                                         : kShortGridTopRow);
            fill.filled = true;
            return fill;
        }
        sources.records.lapRowEnd = 2;
        grid.setRows(kFillRows);
    }
    // No standings yet: nothing to list, and the grid is drawn again before the box shows.
    prompter.inform("Insufficient data to view Laps", "Lap Times", MessageIcon::Information);
    return fill;
}

}  // namespace qel
