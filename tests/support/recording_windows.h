#pragma once
// The windows the race control opens, as a list of what was asked for.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/engine/race_control.h"

namespace qel::test {

class RecordingWindows : public RaceControlWindows {
  public:
    void boardChanged() override { calls.push_back("boardChanged"); }
    void showStartCountdown(std::function<void()> then) override {
        calls.push_back("countdown");
        if (countdownClosesAtOnce) {
            then();
        } else {
            openCountdown = std::move(then);
        }
    }
    void showDragTree() override { calls.push_back("dragTree"); }
    void showFormula1() override { calls.push_back("formula1"); }
    void showRaceFormatForLength() override { calls.push_back("raceFormatForLength"); }
    bool showAbortChoice() override {
        calls.push_back("abortChoice");
        return false;
    }
    void refreshNextHeat() override { calls.push_back("refreshNextHeat"); }
    void closeNextHeat() override { calls.push_back("closeNextHeat"); }
    void stopRotateDelay() override { calls.push_back("stopRotateDelay"); }

    // The start windows only, in the order they opened.
    std::vector<std::string> startWindows() const {
        std::vector<std::string> shown;
        for (const auto& call : calls) {
            if (call == "countdown" || call == "dragTree" || call == "formula1") {
                shown.push_back(call);
            }
        }
        return shown;
    }

    bool countdownClosesAtOnce = true;
    std::function<void()> openCountdown;
    std::vector<std::string> calls;
};

}  // namespace qel::test
