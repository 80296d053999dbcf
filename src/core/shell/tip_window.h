#pragma once
// The tip window's behaviour: whether it stays open, which tip it shows, and
// the "Show Tips at Startup" tick. The tick is the race director's own
// setting; the Options dialog's tip box shows and changes the same one.
#include <string>

#include "core/io/data_folder.h"
#include "core/seams/random.h"
#include "core/shell/tip_of_the_day.h"
#include "core/shell/user_settings.h"

namespace qel {

class TipWindow {
  public:
    TipWindow(const AppFolder& folder, Random& random, UserSettings& settings);

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
    TipOfTheDay tips_;
    bool showAtStartup_ = false;
    bool found_ = false;
    std::string notFound_;
};

}  // namespace qel
