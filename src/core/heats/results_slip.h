#pragma once
// The results slip: the heat results as the results window shows them (the
// results or the best laps, in the window's order), printed as lines of text
// at fixed columns under a header with the track, the caption, the date and
// the page number. The header repeats on every page of 45 racers.
//
// The slip is laid out onto PrintLines and never reports a failure itself: a
// printer that fails throws QelError out of PrintLines, and the caller that
// started the printout (RacePrintouts, for the automatic print and the
// window's Print) shows "There was a problem printing to your printer." and
// ends the job.
#include <string>

#include "core/grid/grid_model.h"
#include "core/records/print_lines.h"
#include "core/setup/installation_settings.h"

namespace qel {

class HeatResults;

// Racers printed per page; the header starts every page.
inline constexpr int kSlipRowsPerPage = 45;

struct ResultsSlipSource {
    const GridModel& grid;  // as displayed: row 0 headers, rows 1.. racers
    std::string trackName;
    std::string caption;  // the window's caption
    int laneCount = 0;
    int racerCount = 0;
    const InstallationSettings& installation;  // the lanes' colour names
};

// What the results window shows, for the slip.
ResultsSlipSource resultsSlipSource(const HeatResults& results);

// The character column of each printed column: 3, 22, then every 9 further.
int slipColumnStop(int stop);

// Three empty lines, the track and the caption large, the date and the page
// number, an empty line, the column headings and the lanes' colours.
void PrintHeaderResultSlip(PrintLines& lines, const ResultsSlipSource& source, double now);

// The header and one line per racer row of the grid (the racer number is not
// printed). The job ends when endDoc is true or more than 10 racers race, so
// a long slip goes out as a job of its own.
void PrintResultsSlip(PrintLines& lines, const ResultsSlipSource& source, double now, bool endDoc);
void PrintResultsSlip(PrintLines& lines, const HeatResults& results, double now, bool endDoc);

}  // namespace qel
