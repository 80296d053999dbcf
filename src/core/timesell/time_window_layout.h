#pragma once
// The Time window's size and places by the number of lanes, in twips: one
// 580-twip row per lane, and 1200 twips more while the selling controls show.

namespace qel {

struct TimeWindowLayout {
    int laneFrameHeight;  // fraLaneTime and fraTrackLength
    int buttonTop;        // cmdSellTime, cmdOk, cmdHelp
    int sellFrameTop;     // Frame1 and Frame2
    int pictureTop;       // Picture1
    int windowHeight;
};

inline constexpr int kTimeLaneRowTwips = 580;
inline constexpr int kSellingModeExtraTwips = 1200;

TimeWindowLayout timeWindowLayout(int laneCount, bool sellingMode);

}  // namespace qel
