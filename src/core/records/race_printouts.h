#pragma once
// The race's printouts: the summary (landscape, one line of figures per
// position or lane) and the lap list (a column per position, a line per lap),
// from the summary and lap-time windows' Print and, when Auto-Print is on,
// at the end of every heat with the heats' results slip after the summary in
// the same job. Any failure shows "There was a problem printing to your
// printer."; a printout kept as a PDF (no printer) says where it went.
#include <functional>
#include <string>

#include "core/records/print_lines.h"
#include "core/records/record_sources.h"
#include "core/seams/clock.h"
#include "core/seams/print_surface.h"
#include "core/seams/prompter.h"
#include "core/state/heat_tables.h"
#include "core/state/race_end.h"

namespace qel {

// The layouts alone, onto any lines (a printer or a preview); the job stays
// open. The summary's figures are computed by the print's rules and stored
// back; now is the moment printed under the title.
void layoutSummary(PrintLines& lines, const RecordSources& sources, double now);
void layoutLaps(PrintLines& lines, const RecordSources& sources);

// The heats' results slip, printed after the automatic summary into the same
// lines, so into the same job; it ends the job when endDoc is true.
using ResultsSlip = std::function<void(PrintLines& lines, bool endDoc)>;

struct PrintoutServices {
    PrintSurface& printer;
    Prompter& prompter;
    Clock& clock;
};

class RacePrintouts : public RaceEndSubsystem {
  public:
    RacePrintouts(RecordSources sources, const HeatTables& heats, PrintoutServices services);

    // The summary window's Print (endDoc true) and the automatic print
    // (false): the job ends when endDoc is true or more than 10 racers race,
    // so a long summary goes out on its own. False when printing failed.
    bool PrintSummary(bool endDoc);
    // The lap-time window's Print; the job ends.
    bool PrintLaps();

    // The automatic print after a heat: the summary with the median laps
    // brought up to date as the summary window would, then the results slip.
    void AutoPrintSummary(bool endDoc);
    void AutoPrintResults(bool endDoc);
    void setResultsSlip(ResultsSlip slip) { resultsSlip_ = std::move(slip); }
    // The results window's Print: the slip as a job of its own. False when
    // printing failed or the program has no results slip.
    bool PrintResults();
    void autoPrint() override;

    // The same printouts onto a print preview, as one job each.
    bool previewSummary(PrintSurface& preview);
    bool previewLaps(PrintSurface& preview);

  private:
    // The printout's name and a PDF's: "Summary " and the race stamp.
    std::string jobName(const char* baseName) const;
    bool attempt(PrintLines& lines, const std::function<void()>& print);
    // A job that went to a file (no printer): the race director is told where.
    void tellWhere(bool automatic);

    RecordSources sources_;
    const HeatTables& heats_;
    PrintoutServices services_;
    // One set of lines for the program's printer, so a job the summary left
    // open carries on with the results slip.
    PrintLines lines_;
    ResultsSlip resultsSlip_;
    bool automatic_ = false;
};

}  // namespace qel
