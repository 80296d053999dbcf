#include "core/heats/heat_results.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

#include "core/grid/grid_alignment.h"
#include "core/grid/numeric_text.h"
#include "core/heats/rotation.h"
#include "core/io/format.h"
#include "core/io/number_text.h"
#include "core/io/rounding.h"
#include "core/records/spreadsheet_export.h"

namespace qel {

namespace {

constexpr int kGridWidthExtra = 3450;

bool validRacer(int racer) {
    return racer >= 1 && racer <= kMaxRacers;
}

bool validLane(int lane) {
    return lane >= 1 && lane <= kMaxLanes;
}

// A correction may be pressed again and again: the 16-bit fields stop at
// their limits instead of wrapping to a negative score.
int16_t saturated(int value) {
    return static_cast<int16_t>(std::clamp<int>(value, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max()));
}

float roundedToHundredths(float value) {
    return static_cast<float>(roundHalfEven(static_cast<double>(value) * 100.0) / 100.0);
}

// An average as the grid shows it: "12.5", "0.33", "0".
std::string decimalText(float value) {
    std::string text = singleText(value);
    if (text.starts_with('.')) {
        text.insert(0, "0");
    } else if (text.starts_with("-.")) {
        text.insert(1, "0");
    }
    return text;
}

// A racer with a best lap in the lane: 999999 is none, and a lap of no time
// at all is a racer table that was never raced.
bool hasBestLap(int32_t bestLap) {
    return bestLap != kNoBestLap && bestLap > 0;
}

}  // namespace

HeatResults::HeatResults(HeatResultsContext context) : context_(context) {
    grid_.setToolTipText(championship() ? kAdjustPointsTip : kAdjustLapsTip);
}

bool HeatResults::championship() const {
    return context_.setup.raceFormat() == kChampionship;
}

int HeatResults::racerRows() const {
    return std::clamp<int>(context_.heats.racerCount, 0, kMaxRacers);
}

int HeatResults::laneCount() const {
    return std::clamp<int>(context_.race.laneCount, 0, kMaxLanes);
}

int HeatResults::heatsRun() const {
    return std::clamp<int>(context_.heats.currentHeat, 0, kMaxHeats);
}

void HeatResults::notify() {
    if (observer_) observer_();
}

void HeatResults::load() {
    bestLapsShown_ = false;
    grid_.setToolTipText(championship() ? kAdjustPointsTip : kAdjustLapsTip);
    notify();
}

float HeatResults::AverageHeatLaps(int racer, int heats) const {
    if (!validRacer(racer)) return 0.0f;
    int n = std::clamp(heats, 0, kMaxHeats);
    // While a heat is still being raced its laps are not in yet.
    if (context_.race.raceOverHandled == 0 && n > 1) --n;
    const HeatRacer& r = context_.heats.heatRacers[racer];
    int sum = 0;
    int count = 0;
    for (int heat = 1; heat <= n; ++heat) {
        const int lane = context_.heats.heatLane[racer][heat];
        if (!validLane(lane)) continue;
        sum += r.lapsInLane[lane];
        ++count;
    }
    if (count == 0) return 0.0f;
    return roundedToHundredths(static_cast<float>(sum) / static_cast<float>(count));
}

float HeatResults::AverageHeatPoints(int racer, int heats) const {
    if (!validRacer(racer)) return 0.0f;
    const int n = std::clamp(heats, 0, kMaxHeats);
    int count = 0;
    for (int heat = 1; heat <= n; ++heat) {
        if (validLane(context_.heats.heatLane[racer][heat])) ++count;
    }
    if (count == 0) return 0.0f;
    const float points = context_.heats.heatRacers[racer].totalPoints;
    return roundedToHundredths(points / static_cast<float>(count));
}

int HeatResults::BestLapRacerInLane(int lane) const {
    if (!validLane(lane)) return 0;
    int best = 0;
    int32_t fastest = kBestLapLimitMs;
    for (int racer = 1; racer <= racerRows(); ++racer) {
        const int32_t lap = context_.heats.heatRacers[racer].bestLap[lane];
        if (hasBestLap(lap) && lap < fastest) {
            fastest = lap;
            best = racer;
        }
    }
    return best;
}

void HeatResults::showRow(int row, int racer) {
    const HeatRacer& r = context_.heats.heatRacers[racer];
    const bool points = championship();
    const int lanes = laneCount();
    grid_.setTextMatrix(row, 0, std::to_string(racer));
    grid_.setTextMatrix(row, 1, r.name);
    for (int lane = 1; lane <= lanes; ++lane)
        grid_.setTextMatrix(row, lane + 1,
                            std::to_string(points ? r.pointsInLane[lane] : r.lapsInLane[lane]));
    grid_.setTextMatrix(row, lanes + 2, std::to_string(points ? r.totalPoints : r.totalLaps));
    const float average =
        points ? AverageHeatPoints(racer, heatsRun()) : AverageHeatLaps(racer, heatsRun());
    grid_.setTextMatrix(row, lanes + 3, decimalText(average));
}

void HeatResults::paintLaneCells(GridColor color) {
    const int rows = std::min(racerRows(), grid_.rows() - 1);
    for (int row = 1; row <= rows; ++row) {
        for (int lane = 1; lane <= laneCount(); ++lane)
            grid_.setCellBackColor(row, lane + 1, color);
    }
}

void HeatResults::FillResultsGrid() {
    HeatTables& heats = context_.heats;
    if (championship()) {
        ScoreHeatPoints(heats, context_.race.lanePosition);
    } else {
        SumRacerLaps(heats);
    }

    GridRedrawPause pause(grid_);
    const int lanes = laneCount();
    const int racers = racerRows();
    caption_ = kResultsCaption + context_.race.raceTitle;
    grid_.setRows(racers + 1);
    grid_.setCols(lanes + 4);
    grid_.setFixedRows(1);
    grid_.setFixedCols(1);
    grid_.setColWidth(0, kResultsIdWidth);
    grid_.setColWidth(1, kResultsNameWidth);
    for (int col = 2; col < lanes + 4; ++col)
        grid_.setColWidth(col, kResultsFigureWidth);
    grid_.setWidth(kResultsFigureWidth * lanes + kGridWidthExtra);

    grid_.setTextMatrix(0, 0, "ID");
    grid_.setTextMatrix(0, 1, "Racers");
    for (int lane = 1; lane <= lanes; ++lane) {
        grid_.setTextMatrix(0, lane + 1, "Lane  " + std::to_string(lane));
        grid_.setCellBackColor(0, lane + 1, static_cast<GridColor>(context_.race.laneColor[lane]));
    }
    grid_.setTextMatrix(0, lanes + 2, championship() ? "Points" : " T- Laps");
    grid_.setTextMatrix(0, lanes + 3, "Avg");
    for (int col = 0; col < lanes + 4; ++col)
        grid_.setCellAlignment(0, col, grid_align::kCenterCenter);

    // A refill is the results view afresh: no best laps centred or green, no
    // cells left open to correction.
    for (int racer = 1; racer <= racers; ++racer) {
        showRow(racer, racer);
        for (int lane = 1; lane <= lanes; ++lane) {
            grid_.setCellBackColor(racer, lane + 1, kLaneCellWhite);
            grid_.setCellAlignment(racer, lane + 1, 0);
        }
    }
    // Column 0 travels with its row, so a sorted row still names its racer.
    grid_.sortDescending(1, racers, lanes + 3);
    grid_.setToolTipText(championship() ? kAdjustPointsTip : kAdjustLapsTip);
    notify();
}

void HeatResults::startCorrection() {
    grid_.setToolTipText(kCorrectionTip);
    paintLaneCells(kCorrectionYellow);
    notify();
}

void HeatResults::mnuAdjustLaps() {
    if (championship()) return;
    startCorrection();
}

void HeatResults::mnuAdjustPoints() {
    if (!championship()) return;
    FillResultsGrid();
    startCorrection();
}

int HeatResults::racerOfRow(int row) const {
    const std::optional<double> number = numericValue(grid_.textMatrix(row, 0));
    if (!number || *number != std::floor(*number)) return 0;
    if (*number < 1 || *number > racerRows()) return 0;
    return static_cast<int>(*number);
}

void applyCorrection(HeatTables& heats, RaceState& race, const ResultCorrection& made) {
    if (made.racer < 1 || made.racer > kMaxRacers || made.lane < 1 || made.lane > kMaxLanes) return;
    HeatRacer& r = heats.heatRacers[made.racer];
    const int lane = made.lane;
    r.adjustInLane[lane] = saturated(r.adjustInLane[lane] + made.delta);
    if (made.points) {
        r.pointsInLane[lane] = saturated(r.pointsInLane[lane] + made.delta);
        SumRacerPoints(heats);
        return;
    }
    r.lapsInLane[lane] = saturated(r.lapsInLane[lane] + made.delta);
    if (made.boardLap)
        race.lapCount[lane] =
            static_cast<int16_t>(std::clamp(race.lapCount[lane] + made.delta, 0, kMaxLap));
    SumRacerLaps(heats);
}

CellPress HeatResults::cellPressed(int row, int col, PressButton button) {
    lastCorrection_.reset();
    if (caption_.find("Best") != std::string::npos) return CellPress::Ignored;
    const int lanes = laneCount();
    if (row < 1 || row >= grid_.rows() || row > racerRows()) return CellPress::Ignored;
    if (col < 2 || col > lanes + 1) return CellPress::Ignored;
    if (grid_.cellBackColor(row, col) != kCorrectionYellow) return CellPress::Ignored;
    if (grid_.textMatrix(row, col) == "0") return CellPress::Ignored;
    const int racer = racerOfRow(row);
    if (racer == 0) return CellPress::Ignored;

    const int lane = col - 1;
    const bool add = button == PressButton::Left;
    const int d = add ? 1 : -1;
    context_.player.PlaySoundFile(add ? kAddLapSound : kRemoveLapSound);

    HeatTables& heats = context_.heats;
    RaceState& race = context_.race;
    const bool points = championship();
    // The lane's counter on the board is this racer's only while the racer
    // drives the lane in the current heat; a correction of an earlier heat
    // must not move another racer's laps. It stays within the lap store.
    const bool boardLap = !points && heats.laneRacer[lane][heatsRun()] == racer &&
                          std::clamp(race.lapCount[lane] + d, 0, kMaxLap) != race.lapCount[lane];
    lastCorrection_ = ResultCorrection{racer, lane, d, points, boardLap};
    applyCorrection(heats, race, *lastCorrection_);
    showRow(row, racer);
    return points ? CellPress::PointCorrected : CellPress::LapCorrected;
}

void HeatResults::mnuBestLaps() {
    bestLapsShown_ = true;
    caption_ = kBestLapsCaption + context_.race.raceTitle;
    const int lanes = laneCount();
    LaneTable<int> quickest{};
    for (int lane = 1; lane <= lanes; ++lane)
        quickest[lane] = BestLapRacerInLane(lane);
    const int rows = std::min(racerRows(), grid_.rows() - 1);
    for (int row = 1; row <= rows; ++row) {
        const int racer = racerOfRow(row);
        if (racer == 0) continue;
        const HeatRacer& r = context_.heats.heatRacers[racer];
        for (int lane = 1; lane <= lanes; ++lane) {
            if (!hasBestLap(r.bestLap[lane])) continue;
            const int col = lane + 1;
            grid_.setCellAlignment(row, col, grid_align::kCenterCenter);
            grid_.setTextMatrix(row, col, formatNumber(r.bestLap[lane] / 1000.0, "0.000"));
            if (racer == quickest[lane]) grid_.setCellBackColor(row, col, kBestLapGreen);
        }
    }
    notify();
}

void HeatResults::mnuRaceResults() {
    caption_ = kResultsCaption + context_.race.raceTitle;
    paintLaneCells(kLaneCellWhite);
    notify();
}

ResultsMenus HeatResults::menus() const {
    return {!championship(), championship(), bestLapsShown_};
}

std::string HeatResults::exportPath(double now) const {
    return (context_.folder.statsFolder() / ("Results " + ExportStamp(now))).string();
}

bool HeatResults::saveToExcel(FileDialog& dialog, Prompter& prompter, double now) const {
    const std::optional<std::string> path = chooseSpreadsheetFile(exportPath(now), dialog);
    if (!path) return false;
    try {
        writeGridSpreadsheet(grid_, *path);
    } catch (const std::exception& e) {
        prompter.inform(e.what());
        return false;
    }
    return true;
}

}  // namespace qel
