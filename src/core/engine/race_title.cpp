#include "core/engine/race_title.h"

#include <optional>
#include <string>

#include "core/engine/board_headers.h"
#include "core/io/errors.h"
#include "core/io/number_text.h"

namespace qel {
namespace {

constexpr const char* kTitlePrefix = "Qe Timer - ";

// The start method the race director ticked, or none when no box is ticked
// (a damaged options file): the title then stays as it was.
std::optional<StartMethod> tickedStartMethod(const OptionsSettings& options) {
    if (options.instantStart == 0 && options.dragStart == 0 && options.formula1Start == 0) {
        return std::nullopt;
    }
    // The method the start will use, should a damaged file tick more than one.
    return startMethodOf(options);
}

std::string heatTitle(const char* name, const HeatTables& heats) {
    return std::string(name) + std::to_string(heats.currentHeat) + "/" +
           std::to_string(heats.heatCount);
}

}  // namespace

void RaceTitle::startMethodTitle() {
    const std::optional<StartMethod> method = tickedStartMethod(setup_.options());
    if (!method) return;
    const std::string minLap = singleText(setup_.minLapTime());
    const std::string delay = std::to_string(setup_.startDelay());
    switch (*method) {
        case StartMethod::Instant:
            board_.windowTitle = std::string(kTitlePrefix) + " Instant Start - " + minLap +
                                 " seconds minimum lap time";
            break;
        case StartMethod::DragRacing:
            board_.windowTitle = kTitlePrefix + delay +
                                 " seconds delay before DragRacing Start - " + minLap +
                                 " seconds minimum lap time";
            break;
        case StartMethod::Formula1:
            board_.windowTitle = kTitlePrefix + delay + " seconds delay before Formula 1 start - " +
                                 minLap + " seconds minimum lap time";
            break;
    }
}

void RaceTitle::UpdateRaceTitle() {
    // The stored header choices go back on the headers. A missing or damaged
    // file keeps the headers as they stand; the next header click or the
    // program's end writes it afresh.
    try {
        const HeaderChoice choice = readRaceLagFile(folder_);
        state_.lagCaption = choice.lagCaption;
        state_.bestLapCaption = choice.bestLapCaption;
        state_.timeIncrementIndex = choice.timeIncrementIndex;
        board_.lagHeader = state_.lagCaption;
        board_.bestHeader = state_.bestLapCaption;
    } catch (const QelError&) {
    }

    startMethodTitle();

    MenuStates& menu = board_.menu;
    const int16_t format = setup_.raceFormat();
    const bool heats = format >= kChampionship && format <= kRotationRaceLapHeats;
    menu.raceResults = heats || format == kPracticeWithRotation;
    menu.rotationSequence = menu.raceResults;
    menu.summaryRaceResults = heats;
    if (format == kPractice) board_.windowTitle = std::string(kTitlePrefix) + "Practice";
    if (format == kPracticeWithRotation)
        board_.windowTitle = std::string(kTitlePrefix) + "Practice with Rotation";
    if (setup_.practiceMode() && board_.lagHeader != "Best Lap" && board_.lagHeader != "Median") {
        board_.lagHeader = "Median";
    }

    if (refreshClock_) refreshClock_();
    if (std::optional<std::string> title = raceTitleOf(setup_, heats_)) state_.raceTitle = *title;
    board_.raceDescription = state_.raceTitle;
}

std::optional<std::string> raceTitleOf(const RaceSetup& setup, const HeatTables& heats) {
    std::string title;
    switch (setup.raceFormat()) {
        case kPractice:
            title = "Practice";
            break;
        case kPracticeWithRotation:
            title = "Practice / Rotation";
            break;
        case kLapRace:
            title = std::to_string(setup.raceLaps()) + " Lap Race";
            break;
        case kTimedRace:
            title = singleText(setup.raceMinutes()) + " Minute Race";
            break;
        case kChampionship:
            title = heatTitle("Championship #", heats);
            break;
        case kRoundRobin:
        case kRoundRobinLapHeats:
            title = heatTitle("Round Robin #", heats);
            break;
        case kRotationRace:
        case kRotationRaceLapHeats:
            title = heatTitle("Rotation #", heats);
            break;
        default:
            return std::nullopt;
    }
    if (setup.demoMode()) title = "Demo - " + title;
    return title;
}

}  // namespace qel
