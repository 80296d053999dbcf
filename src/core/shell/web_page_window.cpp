#include "core/shell/web_page_window.h"

#include <algorithm>

namespace qel {

WebPageWindow::WebPageWindow(TimerService& timers, PageView& page)
    : page_(page), timTimer_(timers.createTimer()) {
    timTimer_->setInterval(kBrowserPollMs);
    timTimer_->setHandler([this](int) { tick(); });
}

void WebPageWindow::load(const std::string& startingAddress) {
    go(startingAddress);
}

void WebPageWindow::addressChosen(const std::string& address) {
    // An empty box has nowhere to go; the page on show stays.
    if (address.find_first_not_of(" \t") == std::string::npos) return;
    go(address);
}

void WebPageWindow::go(const std::string& address) {
    address_ = address;
    if (std::find(addresses_.begin(), addresses_.end(), address) == addresses_.end())
        addresses_.push_back(address);
    timTimer_->setEnabled(false);
    timTimer_->setEnabled(true);
    changed();
    page_.navigate(address);
}

void WebPageWindow::tick() {
    if (page_.busy()) {
        caption_ = kWorkingCaption;
    } else {
        timTimer_->setEnabled(false);
        caption_ = page_.title();
    }
    changed();
}

void WebPageWindow::navigateComplete() {
    caption_ = page_.title();
    changed();
}

void WebPageWindow::statusTextChanged(const std::string& text) {
    status_ = text;
    changed();
}

void WebPageWindow::changed() {
    if (onChanged_) onChanged_();
}

}  // namespace qel
