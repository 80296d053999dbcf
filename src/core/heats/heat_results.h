#pragma once
// The heat results window's contents: one row per racer with the laps (or,
// in a championship, the points) of each lane, the total and the average per
// heat raced, ranked by that average; the race director's corrections of a
// lane cell by mouse clicks; the view of each racer's best lap per lane; and
// the window's caption, tooltip and menu states, which the window only shows.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/engine/race_setup.h"
#include "core/grid/grid_color.h"
#include "core/grid/grid_model.h"
#include "core/io/data_folder.h"
#include "core/seams/file_dialog.h"
#include "core/seams/prompter.h"
#include "core/setup/installation_settings.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr const char* kResultsCaption = "Race Results    ";
inline constexpr const char* kBestLapsCaption = "Best Lap Times    ";
inline constexpr const char* kAdjustPointsTip =
    "Go to menu: EDIT, ADJUST POINTS to modify current points";
inline constexpr const char* kAdjustLapsTip =
    "Go to menu: EDIT, ADJUST LAPS to modify current laps";
inline constexpr const char* kCorrectionTip = "Use left click to add or right click to subtract";
inline constexpr const char* kAddLapSound = "Add Lap.wav";
inline constexpr const char* kRemoveLapSound = "Remove Lap.wav";

// A lane cell open to correction is light yellow; the best lap of a lane green.
inline constexpr GridColor kCorrectionYellow = rgbColor(255, 255, 192);
inline constexpr GridColor kBestLapGreen = rgbColor(0, 255, 0);
inline constexpr GridColor kLaneCellWhite = rgbColor(255, 255, 255);

// Only a best lap under 32 seconds counts as a lane's best: anything slower is
// a racer who stopped on the track, not a lap worth a mark.
inline constexpr int32_t kBestLapLimitMs = 32000;

// Column widths and the grid's width, in twips.
inline constexpr int kResultsIdWidth = 400;
inline constexpr int kResultsNameWidth = 1200;
inline constexpr int kResultsFigureWidth = 750;

struct HeatResultsContext {
    RaceState& race;
    HeatTables& heats;
    RaceSetup setup;
    const InstallationSettings& installation;
    SoundPlayer& player;
    const AppFolder& folder;
};

enum class PressButton { Left, Right };

// What a press on the grid did: nothing, a point corrected, or a lap
// corrected (which may have changed a lane's lap counter on the board).
enum class CellPress { Ignored, PointCorrected, LapCorrected };

// A correction the race director made: one lap or point more or less for a
// racer in a lane, and whether the lane's lap counter on the board moved with it.
struct ResultCorrection {
    int racer = 0;
    int lane = 0;
    int delta = 0;
    bool points = false;
    bool boardLap = false;
    bool operator==(const ResultCorrection&) const = default;
};

// What a correction does to the racer table (and the lane's lap counter,
// when it moved with it); a racer or lane the tables do not hold is ignored.
void applyCorrection(HeatTables& heats, RaceState& race, const ResultCorrection& made);

struct ResultsMenus {
    bool adjustLaps = false;    // mnuAdjustLaps
    bool adjustPoints = false;  // mnuAdjustPoints
    bool raceResults = false;   // mnuRaceResults
    bool operator==(const ResultsMenus&) const = default;
};

class HeatResults {
  public:
    // Told after anything the window shows besides the grid's cells has
    // changed: the caption, the menu states, the grid's width.
    using Observer = std::function<void()>;

    explicit HeatResults(HeatResultsContext context);

    GridModel& grdRR() { return grid_; }
    const GridModel& grdRR() const { return grid_; }
    // One observer at a time; an empty function detaches it.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // The window opens: Race Results is off until the best laps have been
    // shown, and the tooltip points the race director to the Edit menu.
    void load();

    // Totals brought up to date (the current heat scored in a championship),
    // then one row per racer ranked by average, highest first. A refill ends
    // the best-lap view and the correction mode.
    void FillResultsGrid();
    // Laps per heat raced over heats 1..heats, rounded to two decimals; while
    // the current heat is still being raced it counts only the heats before
    // it. 0 for a racer who has not raced.
    float AverageHeatLaps(int racer, int heats) const;
    // totalPoints per heat raced among heats 1..heats, rounded to two decimals.
    float AverageHeatPoints(int racer, int heats) const;
    // The racer with the quickest best lap in the lane under 32 s; the lower
    // number on equal times; 0 when nobody has one.
    int BestLapRacerInLane(int lane) const;

    // Edit menu: the lane cells turn light yellow and take clicks.
    void mnuAdjustLaps();
    // The grid is refilled first so the points corrected are the current ones.
    void mnuAdjustPoints();
    // A press on a cell: left adds one, right takes one away (with its sound).
    // Only a light-yellow lane cell of a racer row that does not read "0"
    // takes it, and none while the best laps are shown.
    CellPress cellPressed(int row, int col, PressButton button);
    // The correction the last press made; nullopt when it made none.
    const std::optional<ResultCorrection>& lastCorrection() const { return lastCorrection_; }
    // View menu: each racer's best lap per lane, the lane's best in green.
    void mnuBestLaps();
    // View menu, back from the best laps: the caption and white lane cells;
    // the window then asks the main window's Race Results to refill and show.
    void mnuRaceResults();

    ResultsMenus menus() const;
    const std::string& caption() const { return caption_; }
    const std::string& toolTip() const { return grid_.toolTipText(); }
    // The window takes the grid's width and a margin, when in its normal state.
    int windowWidthTwips() const { return grid_.width() + 200; }
    // The racers the tables hold, as many as the grid shows rows for.
    int racerRows() const;
    int laneCount() const;
    bool championship() const;

    // "Save to Excel": Stats/Results and the stamp of the moment, no extension.
    std::string exportPath(double now) const;
    // The save dialog proposes exportPath(now); the grid goes out as a
    // worksheet. False when cancelled or the file could not be written (which
    // the race director is told, naming the file).
    bool saveToExcel(FileDialog& dialog, Prompter& prompter, double now) const;

    const RaceState& race() const { return context_.race; }
    const InstallationSettings& installation() const { return context_.installation; }

  private:
    // The racer a grid row stands for (column 0), or 0 when the row holds no
    // racer the tables know.
    int racerOfRow(int row) const;
    int heatsRun() const;
    void paintLaneCells(GridColor color);
    void showRow(int row, int racer);
    void startCorrection();
    void notify();

    HeatResultsContext context_;
    GridModel grid_;
    std::string caption_;
    bool bestLapsShown_ = false;
    std::optional<ResultCorrection> lastCorrection_;
    Observer observer_;
};

}  // namespace qel
