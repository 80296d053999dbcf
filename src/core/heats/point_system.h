#pragma once
// The championship point system: the points for finishing first to eighth
// in a heat, the dialog's list positions behind them, and the file
// QelPointSystem.dat that keeps both.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/io/data_folder.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr std::string_view kPointSystemFileName = "QelPointSystem.dat";

// Each place's list: "16", "15" ... "1", "0"; position k stands for 16 - k points.
inline constexpr int kPointListEntryCount = 17;
const std::array<std::string, kPointListEntryCount>& pointListEntries();
// The points of a list position; no selection (-1) or a position the list does
// not hold counts as 0 points.
int16_t pointsAtListPosition(int position);

inline constexpr std::array<std::string_view, kMaxLanes + 1> kPlaceCaptions{
    "", "First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth"};

struct PointSystem {
    LaneTable<int16_t> pointsListIndex{};  // place 1..8; -1 = nothing chosen
    LaneTable<int16_t> pointsForPlace{};   // place 1..8
    bool operator==(const PointSystem&) const = default;
};

// One line: the eight list positions, then the eight points, closed by CR LF.
std::string pointSystemFileText(const PointSystem& points);
// Reads the sixteen numbers; a short or damaged text throws QelError naming
// source and leaves points as they were.
void parsePointSystemFile(const std::string& text, const std::string& source, PointSystem& points);

// Reads the file into points. A missing or damaged file must not stop the
// program: points keep their values (all 0 at start-up) and the reason is
// returned for whoever wants to tell; "" when the file was read.
std::string LoadPointSystem(const AppFolder& folder, PointSystem& points);

// The list position to show for a place: the entry of the points in force.
// The stored position agrees with them in every file the dialog wrote; where
// it does not (no file yet, so all points 0 with position 0 meaning "16"),
// showing it would award its points to that place as soon as the dialog
// closes. Points outside 0..16 show no selection.
int shownListPosition(const PointSystem& points, int place);

// Closing the dialog, however it is closed: each place takes the points of its
// chosen list position (-1 for none), and the file is written. Throws
// QelError when the file cannot be written; points are updated regardless.
void storePointSystem(const AppFolder& folder, const LaneTable<int>& chosenPositions,
                      PointSystem& points);

// Only the places the track has lanes for show.
int pointSystemDialogHeight(int laneCount);

}  // namespace qel
