#include "core/records/summary_grid.h"

#include <algorithm>
#include <string>

#include "core/engine/lap_counting.h"
#include "core/io/format.h"
#include "core/records/race_statistics.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

constexpr int kHeaderRows = 2;
constexpr GridColor kNoticeRed = rgbColor(255, 0, 0);

// Board and Installation colours are the same red + 256 green + 65536 blue.
GridColor gridColorOf(int32_t color) {
    return static_cast<GridColor>(color);
}

void writeHeaders(GridModel& grid, bool practice, bool championship) {
    grid.setTextMatrix(1, 0, practice ? "Lane " : "Pos ");
    grid.setTextMatrix(1, 1, "Name");
    grid.setTextMatrix(0, 2, "Lane");
    grid.setTextMatrix(1, 2, "Color");
    grid.setTextMatrix(0, 3, "Total");
    grid.setTextMatrix(1, 3, championship ? "Points" : "Laps");
    grid.setTextMatrix(0, 4, "Total");
    grid.setTextMatrix(1, 4, "Time");
    if (!practice) {
        grid.setTextMatrix(0, 5, "Lag");
        grid.setTextMatrix(1, 5, "First");
        grid.setTextMatrix(0, 6, "Lag");
        grid.setTextMatrix(1, 6, "Behind");
    }
    grid.setTextMatrix(0, 7, "Best");
    grid.setTextMatrix(1, 7, "MPH");
    grid.setTextMatrix(0, 8, "Best");
    grid.setTextMatrix(1, 8, "Lap");
    grid.setTextMatrix(0, 9, "Avg");
    grid.setTextMatrix(1, 9, "Time");
    grid.setTextMatrix(1, 10, "Med");
    grid.setTextMatrix(1, 11, "Crash");
    grid.setTextMatrix(1, 12, "Crh %");
}

class SummaryFill {
  public:
    SummaryFill(GridModel& grid, const RecordSources& sources)
        : grid_(grid),
          sources_(sources),
          state_(sources.state),
          practice_(sources.setup.practiceMode()),
          offset_(sources.setup.firstLapOffset()) {}

    void laneCells(int row, int lane, GridColor colourBack) {
        grid_.setTextMatrix(
            row, 1, laneDisabledIn(sources_, lane) ? "Disabled" : state_.laneRacerName[lane]);
        grid_.setTextMatrix(row, 2, laneColourName(sources_.installation, lane));
        grid_.setCellBackColor(row, 2, colourBack);
    }

    void notice(int row) {
        grid_.setTextMatrix(row, 4, "Insufficent");
        grid_.setCellForeColor(row, 4, kNoticeRed);
        grid_.setTextMatrix(row, 5, "Data");
        grid_.setCellForeColor(row, 5, kNoticeRed);
    }

    // Columns 4..11, shared by both kinds of rows; the laps and the crash
    // percentage differ and are the caller's.
    void figures(int row, int lane) {
        grid_.setTextMatrix(row, 4, totalTimeText(state_.lastPassMs[lane]));
        grid_.setTextMatrix(row, 5, state_.lagFirstText[lane]);
        grid_.setTextMatrix(row, 6, state_.lagBehindText[lane]);
        grid_.setTextMatrix(row, 7, speedText(state_, lane));
        const std::string best = bestLapSecondsText(state_, lane, 3);
        // A race row without a best lap shows no best rather than "999.999".
        grid_.setTextMatrix(row, 8, practice_ || best != "999.999" ? best : std::string());
        const float average = updateAverageLap(state_, lane, SummaryOutput::Window, offset_);
        grid_.setTextMatrix(row, 9, formatSingle(average, "0.00"));
        refreshMedians();
        grid_.setTextMatrix(row, 10, state_.medianText[lane]);
        const int16_t crashes = updateCrashCount(state_, lane, SummaryOutput::Window, practice_);
        grid_.setTextMatrix(row, 11, std::to_string(crashes));
    }

    bool practice() const { return practice_; }
    int offset() const { return offset_; }
    RaceState& state() { return state_; }

  private:
    // The median routine sorts every lane at once, so one run per fill
    // serves every row.
    void refreshMedians() {
        if (mediansFresh_) return;
        subSortLapTimes(state_);
        mediansFresh_ = true;
    }

    GridModel& grid_;
    const RecordSources& sources_;
    RaceState& state_;
    bool practice_;
    int offset_;
    bool mediansFresh_ = false;
};

}  // namespace

GridModel makeSummaryGrid() {
    return GridModel(kSummaryRows, kSummaryCols, kHeaderRows, 0);
}

bool FillSummaryGrid(GridModel& grid, const RecordSources& sources, Prompter& prompter) {
    SummaryFill fill(grid, sources);
    RaceState& state = fill.state();
    const bool championship = sources.setup.raceSettings().raceFormatName == "Championship";
    writeHeaders(grid, fill.practice(), championship);
    for (int row = 0; row < kSummaryRows; ++row) {
        for (int col = 0; col < kSummaryCols; ++col)
            grid.setCellAlignment(row, col, grid_align::kCenterCenter);
    }

    const int rows = std::min<int>(state.laneCount, kMaxLanes);
    if (fill.practice()) {
        for (int lane = 1; lane <= rows; ++lane) {
            const int row = lane + 1;
            grid.setTextMatrix(row, 0, std::to_string(lane));
            fill.laneCells(row, lane, gridColorOf(sources.board.rows[lane].name.backColor));
            if (!hasSufficientData(SummaryOutput::Window, true, state.lapCount[lane],
                                   fill.offset())) {
                fill.notice(row);
            } else if (!laneDisabledIn(sources, lane)) {
                grid.setTextMatrix(row, 3, std::to_string(state.lapCount[lane]));
                fill.figures(row, lane);
                // Practice rows show the percentage the last computing output left.
                grid.setTextMatrix(row, 12, std::to_string(state.crashPercent[lane]));
            }
        }
        return true;
    }

    for (int place = 1; place <= rows; ++place) {
        const int row = place + 1;
        grid.setTextMatrix(row, 0, std::to_string(place));
        if (state.runningOrder[1] == 0) {
            prompter.inform("Insufficient data to view Summary", "Summary",
                            MessageIcon::Information);
            return false;
        }
        const int lane = state.runningOrder[place];
        if (lane < 1 || lane > kMaxLanes) continue;
        fill.laneCells(row, lane, gridColorOf(sources.installation.laneColor[lane]));
        if (!hasSufficientData(SummaryOutput::Window, false, state.lapCount[lane], fill.offset())) {
            fill.notice(row);
        } else if (!laneDisabledIn(sources, lane)) {
            // A championship ranks by the points a place earns, not by laps.
            grid.setTextMatrix(row, 3,
                               std::to_string(championship ? sources.points.pointsForPlace[place]
                                                           : state.lapCount[lane]));
            fill.figures(row, lane);
            grid.setTextMatrix(row, 12, std::to_string(updateCrashPercent(state, lane)));
        }
    }
    return true;
}

}  // namespace qel
