#include "core/setup/options_file.h"

#include "core/io/fields.h"
#include "core/io/number_text.h"
#include "core/io/text_file.h"
#include "core/setup/installation_settings.h"

namespace qel {

namespace {

constexpr int kStartDelayCount = 31;
constexpr int kMinLapTimeCount = 92;
constexpr int kCoastTimeCount = 7;
constexpr int kFirstLapCount = 2;
constexpr int kAutomateDelayCount = 60;
constexpr std::size_t kMaxOptionsFileBytes = 64 * 1024;

// A list entry as the dialog shows it: "0.25", never ".25".
std::string listNumberText(double value) {
    const std::string text = doubleText(value);
    return text.front() == '.' ? "0" + text : text;
}

double minLapTimeValue(int position) {
    double value = 0.0;
    for (int i = 0; i < position; ++i)
        value += value < 10.0 ? 0.25 : 1.0;
    return value;
}

bool inList(std::optional<int> position, int count) {
    return position && *position >= 0 && *position < count;
}

std::string notInListMessage(std::string_view list, int position) {
    return "The " + std::string(list) + " saved in " + std::string(kOptionsFileName) + " (entry " +
           std::to_string(position + 1) + ") is not in its list: choose one in Options.";
}

std::string noSelectionMessage(std::string_view list) {
    return "No " + std::string(list) + " is selected: the previous one is kept.";
}

int16_t flag(bool on) {
    return on ? -1 : 0;
}

// One list of the OK step: the position and value when usable, else both
// stay and the race director is told.
template <typename Lookup>
auto takeListChoice(std::optional<int> position, std::string_view list, Lookup lookup,
                    int16_t& storedPosition, std::vector<std::string>& messages) {
    const auto chosen = position ? lookup(*position) : std::nullopt;
    if (!chosen) {
        messages.push_back(noSelectionMessage(list));
    } else {
        storedPosition = static_cast<int16_t>(*position);
    }
    return chosen;
}

}  // namespace

std::string optionsFileText(const OptionsSettings& o) {
    FieldWriter writer;
    for (const int16_t value : {o.startDelayIndex, o.firstLapIndex, o.minLapTimeIndex,
                                o.instantStart, o.dragStart, o.formula1Start, o.powerWithGreen,
                                o.powerBeforeGreen, o.showTipsAtStart, o.coastTimeIndex})
        writer.writeInteger(value);
    return writer.endLine().text();
}

void parseOptionsFile(const std::string& text, const std::string& source,
                      OptionsSettings& options) {
    FieldReader in(text, source);
    OptionsSettings read;
    for (int16_t* field :
         {&read.startDelayIndex, &read.firstLapIndex, &read.minLapTimeIndex, &read.instantStart,
          &read.dragStart, &read.formula1Start, &read.powerWithGreen, &read.powerBeforeGreen,
          &read.showTipsAtStart, &read.coastTimeIndex})
        *field = in.readInteger();
    options = read;
}

void readOptionsFile(const AppFolder& folder, OptionsSettings& options) {
    const auto path = folder.dataFile(kOptionsFileName);
    parseOptionsFile(readTextFile(path, kMaxOptionsFileBytes), shownFileName(path), options);
}

OptionsSettings defaultOptions() {
    // Byte for byte the QelOptions.dat the program ships with.
    OptionsSettings options;
    parseOptionsFile("3,0,8,0,0,-1,-1,0,1,4\r\n", "the first-run options", options);
    return options;
}

void writeOptionsFile(const AppFolder& folder, const OptionsSettings& options) {
    writeTextFileAtomic(folder.dataFile(kOptionsFileName), optionsFileText(options));
}

std::vector<std::string> startDelayEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kStartDelayCount; ++i)
        entries.push_back(std::to_string(i));
    return entries;
}

std::vector<std::string> minLapTimeEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kMinLapTimeCount; ++i)
        entries.push_back(listNumberText(minLapTimeValue(i)));
    return entries;
}

std::vector<std::string> coastTimeEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kCoastTimeCount; ++i)
        entries.push_back(listNumberText(i * 0.5));
    return entries;
}

std::vector<std::string> firstLapEntries() {
    return {"0", "1"};
}

std::vector<std::string> automateDelayEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kAutomateDelayCount; ++i)
        entries.push_back(std::to_string(5 * (i + 1)));
    return entries;
}

std::optional<float> minLapTimeAt(int position) {
    if (!inList(position, kMinLapTimeCount)) return std::nullopt;
    return static_cast<float>(minLapTimeValue(position));
}

std::optional<int32_t> coastTimeMsAt(int position) {
    if (!inList(position, kCoastTimeCount)) return std::nullopt;
    return 500 * position;
}

std::optional<int16_t> firstLapOffsetAt(int position) {
    if (!inList(position, kFirstLapCount)) return std::nullopt;
    return static_cast<int16_t>(position - 1);
}

std::optional<int16_t> startDelayAt(int position) {
    if (!inList(position, kStartDelayCount)) return std::nullopt;
    return static_cast<int16_t>(position);
}

std::optional<int16_t> automateDelaySecondsAt(int position) {
    if (!inList(position, kAutomateDelayCount)) return std::nullopt;
    return static_cast<int16_t>(5 * (position + 1));
}

namespace {

template <typename Lookup>
std::optional<int16_t> positionOf(double value, int count, Lookup valueAt) {
    for (int position = 0; position < count; ++position) {
        if (static_cast<double>(*valueAt(position)) == value) return static_cast<int16_t>(position);
    }
    return std::nullopt;
}

}  // namespace

std::optional<int16_t> minLapTimePositionOf(double seconds) {
    return positionOf(seconds, kMinLapTimeCount, minLapTimeAt);
}

std::optional<int16_t> coastTimePositionOf(double seconds) {
    return positionOf(seconds * 1000, kCoastTimeCount, coastTimeMsAt);
}

StartMethod startMethodOf(const OptionsSettings& options) {
    if (options.formula1Start != 0) return StartMethod::Formula1;
    if (options.dragStart != 0) return StartMethod::DragRacing;
    return StartMethod::Instant;
}

bool powerBeforeGreen(const OptionsSettings& options) {
    return options.powerBeforeGreen != 0;
}

float minLapTimeOf(const OptionsSettings& options) {
    return minLapTimeAt(options.minLapTimeIndex).value_or(0.0f);
}

int32_t coastTimeMsOf(const OptionsSettings& options) {
    return coastTimeMsAt(options.coastTimeIndex).value_or(0);
}

int16_t firstLapOffsetOf(const OptionsSettings& options) {
    return firstLapOffsetAt(options.firstLapIndex).value_or(-1);
}

int16_t startDelayOf(const OptionsSettings& options) {
    return startDelayAt(options.startDelayIndex).value_or(0);
}

std::vector<std::string> storedOptionsProblems(const OptionsSettings& options) {
    std::vector<std::string> messages;
    const auto check = [&](bool inList, std::string_view list, int position) {
        if (!inList) messages.push_back(notInListMessage(list, position));
    };
    check(minLapTimeAt(options.minLapTimeIndex).has_value(), "Minimum Lap Time",
          options.minLapTimeIndex);
    check(startDelayAt(options.startDelayIndex).has_value(), "Start Delay",
          options.startDelayIndex);
    check(firstLapOffsetAt(options.firstLapIndex).has_value(), "Race Begins With Lap",
          options.firstLapIndex);
    check(coastTimeMsAt(options.coastTimeIndex).has_value(), "Coast Time", options.coastTimeIndex);
    return messages;
}

std::vector<std::string> takeOptions(const OptionsSelection& selection, OptionsSettings& options) {
    std::vector<std::string> messages;
    takeListChoice(selection.minLapTimeIndex, "Minimum Lap Time", minLapTimeAt,
                   options.minLapTimeIndex, messages);
    takeListChoice(selection.startDelayIndex, "Start Delay", startDelayAt, options.startDelayIndex,
                   messages);
    takeListChoice(selection.firstLapIndex, "Race Begins With Lap", firstLapOffsetAt,
                   options.firstLapIndex, messages);
    takeListChoice(selection.coastTimeIndex, "Coast Time", coastTimeMsAt, options.coastTimeIndex,
                   messages);

    options.instantStart = flag(selection.startMethod == StartMethod::Instant);
    options.dragStart = flag(selection.startMethod == StartMethod::DragRacing);
    options.formula1Start = flag(selection.startMethod == StartMethod::Formula1);
    options.powerWithGreen = flag(!selection.powerBeforeGreen);
    options.powerBeforeGreen = flag(selection.powerBeforeGreen);
    options.showTipsAtStart = selection.showTipsAtStart ? 1 : 0;
    return messages;
}

std::vector<std::string> takeAutomate(const AutomateSelection& selection,
                                      RaceFormatSettings& values) {
    std::vector<std::string> messages;
    values.autoDelay = selection.autoDelay ? 1 : 0;
    values.autoPrint = selection.autoPrintEnabled && selection.autoPrint ? 1 : 0;
    values.autoDisplayResults = selection.autoDisplayResults ? 1 : 0;
    if (const auto seconds =
            takeListChoice(selection.viewDelayIndex, "Delay View", automateDelaySecondsAt,
                           values.viewDelayListIndex, messages))
        values.viewDelaySeconds = *seconds;
    if (const auto seconds =
            takeListChoice(selection.rotateDelayIndex, "Delay Rotate", automateDelaySecondsAt,
                           values.rotateDelayListIndex, messages))
        values.rotateDelaySeconds = *seconds;
    return messages;
}

AutoDelayControls AutoDelay(bool autoDelayTickEnabled, bool autoDelayTicked) {
    const bool delaysOn = autoDelayTickEnabled && autoDelayTicked;
    return {!delaysOn, delaysOn};
}

bool trackPowerPageEnabled(int16_t relayIndex) {
    return relayIndex != kRelayNone;
}

}  // namespace qel
