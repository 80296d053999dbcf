#include "core/heats/race_formats.h"

#include <algorithm>
#include <charconv>

#include "core/heats/rotation.h"

namespace qel {

const RaceFormatRule& raceFormatRule(int raceFormat) {
    if (raceFormat < 0 || raceFormat >= kRaceFormatCount) return kRaceFormats[0];
    return kRaceFormats[static_cast<std::size_t>(raceFormat)];
}

std::optional<int> raceFormatNumber(std::string_view text) {
    for (int i = 0; i < kRaceFormatCount; ++i) {
        if (kRaceFormats[static_cast<std::size_t>(i)].text == text) return i;
    }
    return std::nullopt;
}

RaceFormatControls chooseRaceFormat(int raceFormat, int sequenceOption,
                                    RaceFormatSettings& settings) {
    const RaceFormatRule& rule = raceFormatRule(raceFormat);
    RaceFormatControls controls;
    switch (rule.length) {
        case RaceLength::Minutes:
            controls.shownList = RaceLength::Minutes;
            controls.lengthEnabled = true;
            controls.lengthCaption = kMinutesCaption;
            break;
        case RaceLength::Laps:
            controls.shownList = RaceLength::Laps;
            controls.lengthEnabled = true;
            controls.lengthCaption = kLapsCaption;
            break;
        case RaceLength::None:
            break;
    }

    const bool practiceWithRotation = raceFormat == kPracticeWithRotation;
    if (practiceWithRotation) settings.raceLimitKind = std::string(kMinutesCaption);
    settings.heatRotation = rule.heatRotation ? -1 : 0;
    controls.options = rule.options;
    // Practice with Rotation is still practice on the board; OK stores the list text.
    settings.raceFormatName = std::string(practiceWithRotation ? kRaceFormats[0].text : rule.text);
    if (settings.raceFormatName == "Championship") settings.autoPrint = 0;

    if (rule.heatRotation) {
        controls.rotationEnabled = true;
        controls.customTextEnabled = sequenceOption == 2;
        controls.raceResultsMenuVisible = true;
    } else {
        settings.autoPrint = 0;
    }
    controls.pointSystemEnabled = settings.raceFormatName == "Championship";
    return controls;
}

namespace {

std::string entryText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> buildMinutes() {
    std::vector<std::string> entries{"0.1"};
    double value = 0.25;
    for (int i = 0; i < 148; ++i) {
        entries.push_back(entryText(value));
        value += value < 4 ? 0.25 : value < 25 ? 1 : 5;
    }
    return entries;
}

std::vector<std::string> buildLaps() {
    std::vector<std::string> entries;
    for (int value = 1; value <= kLongestLapRace; value += value < 15 ? 1 : 5) {
        entries.push_back(std::to_string(value));
    }
    return entries;
}

int clampIndex(int index, std::size_t size) {
    return std::clamp(index, 0, static_cast<int>(size) - 1);
}

}  // namespace

const std::vector<std::string>& minutesEntries() {
    static const std::vector<std::string> entries = buildMinutes();
    return entries;
}

const std::vector<std::string>& lapsEntries() {
    static const std::vector<std::string> entries = buildLaps();
    return entries;
}

int clampedMinutesIndex(int index) {
    return clampIndex(index, minutesEntries().size());
}

int clampedLapsIndex(int index) {
    return clampIndex(index, lapsEntries().size());
}

float minutesAt(int index) {
    const std::string& text =
        minutesEntries()[static_cast<std::size_t>(clampedMinutesIndex(index))];
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int16_t lapsAt(int index) {
    return static_cast<int16_t>(
        std::stoi(lapsEntries()[static_cast<std::size_t>(clampedLapsIndex(index))]));
}

std::optional<std::string_view> customSequenceProblem(std::string_view text, int laneCount) {
    if (!ValidSequence(text, laneCount)) return kCustomSequenceMessage;
    if (text.size() > static_cast<std::size_t>(kMaxHeats)) return kSequenceTooLongMessage;
    return std::nullopt;
}

std::string chosenSequence(int sequenceOption, std::string_view straight, std::string_view european,
                           std::string_view custom) {
    switch (sequenceOption) {
        case 1:
            return std::string(european);
        case 2:
            return std::string(custom);
        default:
            return std::string(straight);
    }
}

std::vector<int> lanesOutsideSequence(std::string_view sequence, int laneCount) {
    std::vector<int> lanes;
    for (int lane = 1; lane <= std::clamp(laneCount, 0, kMaxLanes); ++lane) {
        if (sequence.find(static_cast<char>('0' + lane)) == std::string_view::npos) {
            lanes.push_back(lane);
        }
    }
    return lanes;
}

}  // namespace qel
