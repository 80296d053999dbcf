#include "core/shell/tip_window.h"

#include <utility>

#include "core/shell/tip_startup_setting.h"

namespace qel {

TipWindow::TipWindow(const AppFolder& folder, Random& random, UserSettings& settings,
                     std::function<void(bool)> optionsTipTick)
    : folder_(folder),
      random_(random),
      settings_(settings),
      optionsTipTick_(std::move(optionsTipTick)),
      tips_(random),
      notFound_(tipsNotFoundText()) {}

bool TipWindow::load() {
    if (!readShowTipsAtStartup(settings_)) return false;
    showAtStartup_ = true;
    if (optionsTipTick_) optionsTipTick_(true);
    random_.seedFromClock();
    found_ = tips_.LoadTips(folder_.dataFile(kTipsFileName));
    return true;
}

void TipWindow::setShowAtStartup(bool show) {
    showAtStartup_ = show;
    storeShowTipsAtStartup(settings_, show);
    if (optionsTipTick_) optionsTipTick_(show);
}

const std::string& TipWindow::text() const {
    return found_ ? tips_.tipText() : notFound_;
}

}  // namespace qel
