#include "core/heats/results_slip.h"

#include <algorithm>

#include "core/heats/heat_results.h"
#include "core/io/format.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

constexpr double kTitlePoints = 20;
constexpr double kBodyPoints = 12;
constexpr int kTitleColumn = 13;
constexpr int kDateColumn = 22;
constexpr int kPageColumn = 47;

void at(PrintLines& lines, int column, const std::string& text) {
    lines.tab(column);
    lines.text(text);
}

int lanesOf(const ResultsSlipSource& source) {
    return std::clamp(source.laneCount, 0, kMaxLanes);
}

}  // namespace

ResultsSlipSource resultsSlipSource(const HeatResults& results) {
    return {results.grdRR(),     results.race().trackName, results.caption(),
            results.laneCount(), results.racerRows(),      results.installation()};
}

int slipColumnStop(int stop) {
    return stop <= 0 ? 3 : 22 + 9 * (stop - 1);
}

void PrintHeaderResultSlip(PrintLines& lines, const ResultsSlipSource& source, double now) {
    const int lanes = lanesOf(source);
    for (int i = 0; i < 3; ++i)
        lines.endLine();
    lines.setFontSize(kTitlePoints);
    at(lines, kTitleColumn, source.trackName);
    lines.endLine();
    at(lines, kTitleColumn, source.caption);
    lines.endLine();
    lines.setFontSize(kBodyPoints);
    at(lines, kDateColumn, formatDate(now, "MMM. DD YYYY, H:MM"));
    at(lines, kPageColumn, "Page");
    lines.number(lines.page());
    lines.endLine();
    lines.endLine();

    at(lines, slipColumnStop(0), "Racers");
    for (int lane = 1; lane <= lanes; ++lane) {
        at(lines, slipColumnStop(lane), "Lane ");
        lines.number(lane);
    }
    at(lines, slipColumnStop(lanes + 1), "Total");
    at(lines, slipColumnStop(lanes + 2), "Avg");
    lines.endLine();
    for (int lane = 1; lane <= lanes; ++lane)
        at(lines, slipColumnStop(lane), std::string(laneColourName(source.installation, lane)));
    lines.endLine();
}

void PrintResultsSlip(PrintLines& lines, const ResultsSlipSource& source, double now, bool endDoc) {
    const int lanes = lanesOf(source);
    // Only rows the grid holds: a grid not yet refilled for a larger field
    // prints the racers it shows.
    const int rows = std::clamp(source.racerCount, 0, std::max(source.grid.rows() - 1, 0));
    PrintHeaderResultSlip(lines, source, now);
    for (int row = 1; row <= rows; ++row) {
        // Rows 46, 91, 136 ... start a page of their own under the header.
        if (row > 1 && (row - 1) % kSlipRowsPerPage == 0) {
            lines.newPage();
            PrintHeaderResultSlip(lines, source, now);
        }
        for (int col = 1; col <= lanes + 3; ++col)
            at(lines, slipColumnStop(col - 1), source.grid.textMatrix(row, col));
        lines.endLine();
    }
    if (endDoc || source.racerCount > 10) lines.endDoc();
}

void PrintResultsSlip(PrintLines& lines, const HeatResults& results, double now, bool endDoc) {
    PrintResultsSlip(lines, resultsSlipSource(results), now, endDoc);
}

}  // namespace qel
