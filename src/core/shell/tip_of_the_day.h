#pragma once
// The tip of the day: the tips of TIPOFDAY.TXT and the one on show.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/seams/random.h"

namespace qel {

inline constexpr std::string_view kTipsFileName = "TIPOFDAY.TXT";

// What the tip window says instead of a tip when the tips file is missing,
// CR LF line ends included.
std::string tipsNotFoundText(std::string_view fileName = kTipsFileName);

class TipOfTheDay {
  public:
    explicit TipOfTheDay(Random& random) : random_(random) {}

    // Reads one tip per line, in file order, and shows a random one. False
    // when the path is empty or the file is missing or cannot be read; the
    // tips held before stay then.
    bool LoadTips(const std::filesystem::path& path);

    // Any tip may come next, the one on show included.
    void ShowRandomTip();

    // 1-based; 0 while no tip has been shown.
    int currentTip() const { return currentTip_; }
    const std::vector<std::string>& tips() const { return tips_; }
    // What the tip label shows: the current tip, or "" before the first one.
    const std::string& tipText() const { return tipText_; }

  private:
    void DisplayCurrentTip();

    Random& random_;
    std::vector<std::string> tips_;
    int currentTip_ = 0;
    std::string tipText_;
};

// The lines of a tips file. CR LF, CR or LF end a line; a blank line is no tip.
std::vector<std::string> tipLines(std::string_view text);

}  // namespace qel
