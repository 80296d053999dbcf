#include "core/engine/board_pointers.h"

#include "core/engine/lane_names.h"

namespace qel {
namespace {

std::string bestHeaderTip(const RaceState& state, const RaceSetup& setup) {
    if (state.sellTimeEnabled == 1) {
        return "Click to toggle between \"Best Lap\", \"MPH\", \"Median\" & \"Time Left\"";
    }
    if (setup.practiceMode()) return "Click to toggle between \"Best Lap\", \"MPH\"";
    return "Click to toggle between \"Best Lap\", \"MPH\" & \"Median\"";
}

}  // namespace

PointerChoice pointerOver(BoardTarget target, int row, const RaceState& state,
                          const RaceSetup& setup, const RaceBoard& board, bool raceTickRunning) {
    const bool validRow = row >= 1 && row <= kMaxLanes;
    switch (target) {
        case BoardTarget::LagHeader:
            return {BoardPointer::Hand,
                    setup.practiceMode()
                        ? "Click to toggle between \"Best Lap\" & \"Median\""
                        : "Click to toggle between \"Lag Behind\", \"Lag First\" & \"Median\""};
        case BoardTarget::BestHeader:
            return {BoardPointer::Hand, bestHeaderTip(state, setup)};
        case BoardTarget::LapHeader:
            if (setup.raceFormat() >= kRoundRobin && setup.raceFormat() <= kRotationRaceLapHeats) {
                return {BoardPointer::Hand, "Click to toggle between \"Lap\" & \"T-Laps\""};
            }
            return {BoardPointer::Normal, std::nullopt};
        case BoardTarget::RaceFormat:
            return {BoardPointer::Hand, "Click to toggle between \"Race Format\" & \"Track Name\""};
        case BoardTarget::BestCell:
            if (!raceTickRunning) return {BoardPointer::Normal, std::string()};
            if (validRow && board.bestHeader == "Best Lap" &&
                board.rows[row].name.text != kDisabledName) {
                return {BoardPointer::Hand, "Click to reset \"Best Lap\""};
            }
            return {BoardPointer::Normal, std::nullopt};
        case BoardTarget::NameCell:
            if (setup.heatRotation()) return {BoardPointer::Unchanged, std::string()};
            if (!board.idle() || !validRow) return {BoardPointer::Unchanged, std::nullopt};
            if (state.laneDisabled[row] != 0) {
                return {BoardPointer::Normal, "To enable, go to \"Settings\" menu"};
            }
            return {BoardPointer::Racer,
                    "Click to select name, or go to Racers menu to add new names."};
        case BoardTarget::Other:
            break;
    }
    return {BoardPointer::Normal, std::nullopt};
}

}  // namespace qel
