#pragma once
// What a race hands its sounds and its end to, recorded for the tests.
#include <string>
#include <vector>

#include "core/engine/race_finish.h"
#include "core/sound/sound_table.h"

namespace qel::test {

class RecordingPlayer : public SoundPlayer {
  public:
    void PlaySoundFile(const std::string& fileName) override { played.push_back(fileName); }
    std::vector<std::string> played;
};

// A subsystem that takes part in every step of a race end and notes each.
class RecordingRaceEnd : public RaceEndSubsystem {
  public:
    void saveHeatToLog() override { calls.push_back("saveHeatToLog"); }
    void scoreHeat() override { calls.push_back("scoreHeat"); }
    void prepareNextHeatDisplay() override { calls.push_back("prepareNextHeatDisplay"); }
    void startBetweenHeatDelay() override { calls.push_back("startBetweenHeatDelay"); }
    void reopenOpenViews() override { calls.push_back("reopenOpenViews"); }
    void showRaceResults() override { calls.push_back("showRaceResults"); }
    void autoPrint() override { calls.push_back("autoPrint"); }
    void enableFileMenu() override { calls.push_back("enableFileMenu"); }
    std::vector<std::string> calls;
};

// The hand-over with one recording subsystem registered.
struct RecordingHandover : RaceEndHandover {
    RecordingHandover() { add(recorder); }
    RecordingRaceEnd recorder;
    std::vector<std::string>& calls = recorder.calls;
};

}  // namespace qel::test
