#pragma once
// The web page window's behaviour: the address box and its list, and a
// caption that reads "Working..." while the page loads and then the page's
// own title.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/seams/timer_service.h"

namespace qel {

inline constexpr std::string_view kWorkingCaption = "Working...";
// How often the caption looks at the page while it loads.
inline constexpr int kBrowserPollMs = 100;

// The embedded browser as the window sees it.
class PageView {
  public:
    virtual ~PageView() = default;
    virtual void navigate(const std::string& address) = 0;
    virtual bool busy() const = 0;
    virtual std::string title() const = 0;
};

class WebPageWindow {
  public:
    WebPageWindow(TimerService& timers, PageView& page);

    // The window opens on startingAddress.
    void load(const std::string& startingAddress);
    // An entry of the address box chosen, or Enter pressed in it.
    void addressChosen(const std::string& address);
    // Browser events.
    void navigateComplete();
    void statusTextChanged(const std::string& text);

    const std::string& caption() const { return caption_; }
    const std::string& statusText() const { return status_; }
    const std::string& address() const { return address_; }
    // The address box's list, oldest first, each address once.
    const std::vector<std::string>& addresses() const { return addresses_; }
    bool polling() const { return timTimer_->enabled(); }

    // Runs after every change of caption, status or addresses.
    void setOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

  private:
    void go(const std::string& address);
    void tick();
    void changed();

    PageView& page_;
    std::unique_ptr<Timer> timTimer_;
    std::string caption_;
    std::string status_;
    std::string address_;
    std::vector<std::string> addresses_;
    std::function<void()> onChanged_;
};

}  // namespace qel
