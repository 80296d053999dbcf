#pragma once
// The tip window's behaviour: whether it stays open, which tip it shows, and
// the "Show Tips at Startup" tick that it shares with the Options dialog.
#include <functional>
#include <string>

#include "core/io/data_folder.h"
#include "core/seams/random.h"
#include "core/shell/tip_of_the_day.h"
#include "core/shell/user_settings.h"

namespace qel {

class TipWindow {
  public:
    // optionsTipTick receives every change of the tick, so the Options
    // dialog's own tip box shows the same.
    TipWindow(const AppFolder& folder, Random& random, UserSettings& settings,
              std::function<void(bool)> optionsTipTick);

    // False when the race director turned the tips off: the window closes
    // again at once. Otherwise ticks the box, seeds the random numbers from
    // the clock and reads QelDat/TIPOFDAY.TXT.
    bool load();

    void nextTip() { tips_.ShowRandomTip(); }
    // A click on "&Show Tips at Startup": stored at once.
    void setShowAtStartup(bool show);

    bool showAtStartup() const { return showAtStartup_; }
    // The tip on show, or the not-found text.
    const std::string& text() const;
    const TipOfTheDay& tips() const { return tips_; }

  private:
    const AppFolder& folder_;
    Random& random_;
    UserSettings& settings_;
    std::function<void(bool)> optionsTipTick_;
    TipOfTheDay tips_;
    bool showAtStartup_ = false;
    bool found_ = false;
    std::string notFound_;
};

}  // namespace qel
