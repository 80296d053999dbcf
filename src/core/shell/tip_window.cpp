#include "core/shell/tip_window.h"

#include "core/shell/tip_startup_setting.h"

namespace qel {

TipWindow::TipWindow(const AppFolder& folder, Random& random, UserSettings& settings)
    : folder_(folder),
      random_(random),
      settings_(settings),
      tips_(random),
      notFound_(tipsNotFoundText()) {}

bool TipWindow::load() {
    if (!readShowTipsAtStartup(settings_)) return false;
    showAtStartup_ = true;
    random_.seedFromClock();
    found_ = tips_.LoadTips(folder_.dataFile(kTipsFileName));
    return true;
}

void TipWindow::setShowAtStartup(bool show) {
    showAtStartup_ = show;
    storeShowTipsAtStartup(settings_, show);
}

const std::string& TipWindow::text() const {
    return found_ ? tips_.tipText() : notFound_;
}

}  // namespace qel
