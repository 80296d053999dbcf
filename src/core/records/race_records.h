#pragma once
// The records a race leaves: the summary and lap-time grids the two record
// windows show, their saves (a fixed-column text report or a .sum / .lap copy
// of the grid, as the chosen name decides), File > Open of a saved race, and
// the heat log written after every heat of a heat format.
#include <optional>
#include <string>

#include "core/grid/grid_model.h"
#include "core/io/data_folder.h"
#include "core/records/lap_grid.h"
#include "core/records/record_files.h"
#include "core/records/record_sources.h"
#include "core/seams/clock.h"
#include "core/seams/file_dialog.h"
#include "core/seams/prompter.h"
#include "core/seams/shell.h"
#include "core/state/heat_tables.h"
#include "core/state/race_end.h"

namespace qel {

struct RecordServices {
    const AppFolder& folder;
    FileDialog& fileDialog;
    Prompter& prompter;
    Shell& shell;
    Clock& clock;
};

// What the record windows do when a saved race has been read into a grid.
class RecordViews {
  public:
    virtual ~RecordViews() = default;
    // The summary grid holds the file: the summary window shows it, captioned with the path.
    virtual void showSummaryFile(const std::string& path) = 0;
    // The lap grid holds the file: the summary window closes, the lap-time
    // window shows it captioned with the path, with its Sort menu off (the
    // grid holds the file's text, no race to sort).
    virtual void showLapFile(const std::string& path) = 0;
};

enum class RecordFormat { Text, Grid };
// A name holding ".txt" anywhere (letter case counts) is a text report;
// every other name is a copy of the grid, whatever filter was chosen.
RecordFormat recordFormatOf(const std::string& fileName);

// The texts of the dialogs.
inline constexpr const char* kSummaryFilter = "Summary Files (*.sum)|*.sum|Text File(*.txt)|*.txt";
inline constexpr const char* kLapFilter =
    "Excel Files (*.xls)|*.lap|Lap Files (*.lap)|*.lap|Text Files(*.txt)|*.txt";
inline constexpr const char* kOpenFilter =
    "Lap Files (*.lap)|*.lap|Summary Files(*.sum)|*.sum|Text Files(*.txt)|*.txt";

class RaceRecords : public RaceEndSubsystem {
  public:
    RaceRecords(RecordSources sources, const HeatTables& heats, RecordServices services);

    GridModel& summaryGrid() { return summaryGrid_; }
    GridModel& lapGrid() { return lapGrid_; }
    const RecordSources& sources() const { return sources_; }

    // The fills of the two windows, from the race as it stands.
    bool fillSummary();
    LapGridFill fillLaps();

    // "Save To TextFile" of the summary and lap-time windows: the save dialog
    // with the proposed name, then the file. False when the race director
    // cancelled or the file could not be written (which was said).
    bool saveSummary();
    bool saveLaps();
    // The save after the dialog, to a path already chosen; throws QelError
    // naming the file when it cannot be written. The unsaved flag clears.
    void saveSummaryTo(const std::string& path);
    void saveLapsTo(const std::string& path);

    // "&Save to Excel" of the summary and lap-time windows: the race's names
    // are stamped anew (ExportStamp), the save dialog proposes Stats/Summary
    // or Stats/Laps with the stamp, and the grid goes out as a worksheet.
    // False when cancelled or the file could not be written (which was said,
    // naming the file); the unsaved flag clears only when the file was written.
    bool exportSummary();
    bool exportLaps();
    // The worksheet to a path already chosen; throws QelError naming the file.
    void exportSummaryTo(const std::string& path);
    void exportLapsTo(const std::string& path);

    // File > Open: a text report goes to the desktop's text program, a .lap
    // or .sum file into its grid and window. A file that cannot be read is
    // named with what is wrong, and the windows stay as they were.
    void open(RecordViews& views);

    // At start-up: a heat log grown past its size is archived.
    void rotateHeatLog();

    // After every heat of a heat format, with the heat's laps and points in.
    void saveHeatToLog() override;

  private:
    // raceStamp, set now when no race has ended to stamp the names.
    const std::string& stamp();
    std::optional<std::string> chooseSaveFile(const char* title, const char* filter,
                                              int filterIndex, const char* baseName);
    bool saveChosen(const std::optional<std::string>& path,
                    void (RaceRecords::*save)(const std::string&));
    void reportSaved(const std::string& path);
    bool exportGrid(const char* baseName, void (RaceRecords::*exportTo)(const std::string&));

    RecordSources sources_;
    const HeatTables& heats_;
    RecordServices services_;
    GridModel summaryGrid_;
    GridModel lapGrid_;
    // The lanes each grid holds: the race's after a fill, the file's after an
    // open, so a saved copy of an opened file keeps all its lanes.
    int summaryLanes_ = 0;
    int lapLanes_ = 0;
};

}  // namespace qel
