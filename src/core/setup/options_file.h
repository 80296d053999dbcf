#pragma once
// How a race is run: the Options dialog's lists, the ten integers of
// QelOptions.dat, and the values the race takes from the list positions
// (minimum lap time, coast time, first lap, start delay).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/heats/race_format_settings.h"
#include "core/io/data_folder.h"

namespace qel {

// Exactly the content of QelOptions.dat. The option-button fields hold -1
// (selected) or 0; showTipsAtStart holds 1 or 0.
struct OptionsSettings {
    int16_t startDelayIndex = 0;
    int16_t firstLapIndex = 0;
    int16_t minLapTimeIndex = 0;
    int16_t instantStart = 0;
    int16_t dragStart = 0;
    int16_t formula1Start = 0;
    int16_t powerWithGreen = 0;
    int16_t powerBeforeGreen = 0;
    int16_t showTipsAtStart = 0;
    int16_t coastTimeIndex = 0;
};

inline constexpr std::string_view kOptionsFileName = "QelOptions.dat";

std::string optionsFileText(const OptionsSettings& options);
// Ten whole numbers; a short or damaged file throws QelError naming the file
// and leaves options as they were. Positions are checked when they are used.
void parseOptionsFile(const std::string& text, const std::string& source, OptionsSettings& options);
void readOptionsFile(const AppFolder& folder, OptionsSettings& options);
// The options a new installation starts with (the program's own first-run file).
OptionsSettings defaultOptions();
void writeOptionsFile(const AppFolder& folder, const OptionsSettings& options);

// The lists, in the order the dialog fills them: numbers with a point, no
// trailing zeros ("0", "0.25", "10").
std::vector<std::string> startDelayEntries();     // 0 .. 30
std::vector<std::string> minLapTimeEntries();     // 0 .. 9.75 by 0.25, then 10 .. 61
std::vector<std::string> coastTimeEntries();      // 0 .. 3 by 0.5
std::vector<std::string> firstLapEntries();       // 0, 1
std::vector<std::string> automateDelayEntries();  // 5 .. 300 by 5, view and rotate alike

// The value behind a list position; nullopt when the list has no entry there.
std::optional<float> minLapTimeAt(int position);
std::optional<int32_t> coastTimeMsAt(int position);
// -1 when races begin with lap 0, 0 when with lap 1.
std::optional<int16_t> firstLapOffsetAt(int position);
std::optional<int16_t> startDelayAt(int position);
std::optional<int16_t> automateDelaySecondsAt(int position);
// The list position of a value, or nullopt when the list does not offer it.
std::optional<int16_t> minLapTimePositionOf(double seconds);
std::optional<int16_t> coastTimePositionOf(double seconds);

enum class StartMethod { Instant, DragRacing, Formula1 };
// As the option buttons end up after the load: of several marked fields the
// last one wins; none marked reads as "Instant".
StartMethod startMethodOf(const OptionsSettings& options);
// True for "Before Green Light", false for "With Green Light".
bool powerBeforeGreen(const OptionsSettings& options);

// The values the race uses, read from the stored positions whenever the race
// needs them. A position outside its list (a damaged file) counts as the
// list's first entry, which changes nothing: no minimum lap, no coast, no
// delay, races begin with lap 0.
float minLapTimeOf(const OptionsSettings& options);
int32_t coastTimeMsOf(const OptionsSettings& options);
int16_t firstLapOffsetOf(const OptionsSettings& options);
int16_t startDelayOf(const OptionsSettings& options);

// The stored positions a list does not hold, one message each, in the order
// the dialog's load tells the race director of them.
std::vector<std::string> storedOptionsProblems(const OptionsSettings& options);

// What the dialog's controls hold when OK is pressed; nullopt = no selection.
struct OptionsSelection {
    std::optional<int> startDelayIndex;
    std::optional<int> firstLapIndex;
    std::optional<int> minLapTimeIndex;
    std::optional<int> coastTimeIndex;
    StartMethod startMethod = StartMethod::Instant;
    bool powerBeforeGreen = false;
    bool showTipsAtStart = false;
};

// OK: the fields to write, which the race reads from then on. A list without
// a usable selection keeps its stored position, with a message, so OK never
// stores a position the next load would refuse.
std::vector<std::string> takeOptions(const OptionsSelection& selection, OptionsSettings& options);

// The Automate page. These values belong to the race format and are saved
// with it, not in QelOptions.dat.
struct AutomateSelection {
    bool autoDelay = false;
    bool autoPrint = false;
    bool autoPrintEnabled = true;
    bool autoDisplayResults = false;
    std::optional<int> viewDelayIndex;
    std::optional<int> rotateDelayIndex;
};
// A greyed-out Auto-Print tick never prints. A delay list without a usable
// selection keeps its previous position and seconds, with a message.
// The Automate values belong to the race format record, which keeps them.
std::vector<std::string> takeAutomate(const AutomateSelection& selection,
                                      RaceFormatSettings& values);

// AutoDelay: an automatic delay between heats needs a start that waits, so
// "Instant" is off while the delays are on.
struct AutoDelayControls {
    bool instantEnabled;
    bool delayListsEnabled;
};
AutoDelayControls AutoDelay(bool autoDelayTickEnabled, bool autoDelayTicked);

// Without a relay the program cannot switch track power, so the page is greyed.
bool trackPowerPageEnabled(int16_t relayIndex);

}  // namespace qel
