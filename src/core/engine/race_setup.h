#pragma once
// The race set-up in force, as the race reads it: the race format record the
// Race Format dialog confirmed (with the heat options of Options) and the
// Options record. Nothing here is a copy: every value is read from its one
// home at the moment the race needs it, so a dialog's OK reaches the next
// lap, start or finish without anything to keep in step.
#include <cstdint>
#include <string>

#include "core/heats/race_format_settings.h"
#include "core/heats/race_formats.h"
#include "core/setup/options_file.h"

namespace qel {

class RaceSetup {
  public:
    RaceSetup(const RaceFormatSettings& raceSettings, const OptionsSettings& options)
        : race_(raceSettings), options_(options) {}

    int16_t raceFormat() const { return race_.raceFormat; }
    bool practiceMode() const { return raceFormatRule(race_.raceFormat).practiceMode; }
    bool heatRotation() const { return raceFormatRule(race_.raceFormat).heatRotation; }
    bool demoMode() const { return race_.demoMode == 1; }
    // What ends a race or heat of the format: "Number of Laps" or "Number of Minutes".
    const std::string& raceLimitKind() const { return race_.raceLimitKind; }
    int16_t raceLaps() const { return race_.raceLaps; }
    float raceMinutes() const { return race_.raceMinutes; }
    // The Automate ticks count only where the format allows them, so a tick
    // left on from a heat format never acts in a single race.
    bool autoDelay() const { return race_.autoDelay == 1 && allowed().autoDelay; }
    bool autoPrint() const { return race_.autoPrint == 1 && allowed().autoPrint; }
    bool autoDisplayResults() const {
        return race_.autoDisplayResults == 1 && allowed().autoDisplayResults;
    }

    float minLapTime() const { return minLapTimeOf(options_); }
    int16_t firstLapOffset() const { return firstLapOffsetOf(options_); }
    int32_t coastTimeMs() const { return coastTimeMsOf(options_); }
    int16_t startDelay() const { return startDelayOf(options_); }
    StartMethod startMethod() const { return startMethodOf(options_); }

    const RaceFormatSettings& raceSettings() const { return race_; }
    const OptionsSettings& options() const { return options_; }

  private:
    const HeatOptionsAllowed& allowed() const { return raceFormatRule(race_.raceFormat).options; }

    const RaceFormatSettings& race_;
    const OptionsSettings& options_;
};

}  // namespace qel
