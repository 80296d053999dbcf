#pragma once
// The track's installation: the Installation dialog's lists, the two files it
// keeps (QelInstallation.dat and QelSpeedMultiplier.dat), the speed factor
// behind the MPH column, and the rules its OK applies.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/data_folder.h"
#include "core/setup/installation_settings.h"
#include "core/state/race_state.h"

namespace qel {

// The dialog's lists; a stored index is a position in one of them.
inline constexpr std::array<std::string_view, 7> kLaneCountEntries{"2", "3", "4", "5",
                                                                   "6", "7", "8"};
// No detection of the ports present: the box is on one of the first four.
inline constexpr std::array<std::string_view, 4> kCommPortEntries{"1", "2", "3", "4"};
inline constexpr std::array<std::string_view, 3> kRelayEntries{"None", "Normally Close Contacts",
                                                               "Normally Open Contacts"};
inline constexpr std::array<std::string_view, 2> kSensorTypeEntries{"Reed Switches/Dead Strip",
                                                                    "Infrared Sensors"};
inline constexpr std::array<std::string_view, 13> kScaleEntries{
    "1:1",  "1:2",  "1:4",  "1:8",  "1:10", "1:12", "1:18",
    "1:24", "1:25", "1:32", "1:43", "1:64", "1:72"};

struct LaneColourEntry {
    std::string_view name;
    int red;
    int green;
    int blue;
    // R + 256 G + 65536 B, as the lane's background everywhere.
    constexpr int32_t value() const { return red + 256 * green + 65536 * blue; }
};

// Alphabetical, as the sorted colour list shows them.
inline constexpr std::array<LaneColourEntry, 8> kLaneColours{{{"Blue", 128, 128, 255},
                                                              {"Green", 0, 255, 0},
                                                              {"Grey", 192, 192, 192},
                                                              {"Orange", 255, 128, 0},
                                                              {"Purple", 255, 0, 255},
                                                              {"Red", 255, 0, 0},
                                                              {"White", 255, 255, 255},
                                                              {"Yellow", 255, 255, 0}}};

// The colour list's text for a lane ("" when no colour is picked), as the
// racer placement names a lane.
std::string_view laneColourName(const InstallationSettings& settings, int lane);

// scaleFactor from a scale entry ("1:43" gives 43); any other text leaves it.
void convertScale(InstallationSettings& settings, std::string_view scaleText);

// The speed factor of one lane: feet per lap to miles, times seconds per hour,
// times the scale, each step in single precision so the MPH column matches
// what has always been shown (30 ft at 1:32 gives 654.5455).
float speedMultiplierFor(float trackLength, int16_t scaleFactor);
// convertScale from scaleIndex, then the factor of lanes 1..laneCount; the
// lanes above keep theirs.
void computeSpeedMultipliers(InstallationSettings& settings);

// What a track-length box must hold: a number, blanks around it allowed.
bool isNumericText(std::string_view text);
// The value of a track-length text; 0 for one that is not numeric.
float trackLengthValue(std::string_view text);

inline constexpr std::string_view kTrackLengthMessage = "Value must be numeric";
inline constexpr std::string_view kTrackLengthTitle = "Track Length";
// The first lane 1..laneCount whose length text is not numeric, the one OK
// focuses before showing kTrackLengthMessage; nullopt when all are.
std::optional<int> firstNonNumericTrackLength(const LaneTable<std::string>& lengthTexts,
                                              int laneCount);

inline constexpr std::string_view kLaneCountChangeMessage =
    "In order for this setting to take effect you will have to restart the application";
inline constexpr std::string_view kLaneCountChangeTitle = "Change number of Lanes";

// The dialog shrinks by one row (315 twips) for every lane below eight.
struct InstallationWindowSize {
    int laneFrameHeight;
    int windowHeight;
    int buttonTop;
};
InstallationWindowSize installationWindowSize(int laneCount);

// --- QelInstallation.dat -------------------------------------------------

inline constexpr std::string_view kInstallationFileName = "QelInstallation.dat";
inline constexpr std::string_view kSpeedMultiplierFileName = "QelSpeedMultiplier.dat";
// Both files are one short line; anything this large is not one of them.
inline constexpr std::size_t kMaxInstallationFileBytes = 64 * 1024;

// The 39 fields of one line, closed by CR LF, all eight lanes whatever the count.
std::string installationFileText(const InstallationSettings& settings);
// Reads the 39 fields into settings, with laneCount and commPort from their
// list positions (a port index outside the list means the first port). A
// short or damaged file, or an index no list holds, throws QelError naming
// the file and leaves settings exactly as they were.
void parseInstallationFile(const std::string& text, const std::string& source,
                           InstallationSettings& settings);
void readInstallationFile(const AppFolder& folder, InstallationSettings& settings);
// The installation a new track starts with (the program's own first-run file):
// 4 lanes, 30-foot lanes, scale 1:32, no relay, port 1.
InstallationSettings defaultInstallation();
void writeInstallationFile(const AppFolder& folder, const InstallationSettings& settings);

// --- QelSpeedMultiplier.dat ----------------------------------------------

// Eight numbers on one line; lanes above the lane count carry what is in memory.
std::string speedMultiplierFileText(const InstallationSettings& settings);
// The race screen needs lanes 1..laneCount: fewer throws and changes nothing.
// Lanes above are taken when the file holds them and kept otherwise.
void parseSpeedMultiplierFile(const std::string& text, const std::string& source,
                              InstallationSettings& settings);
void readSpeedMultiplierFile(const AppFolder& folder, InstallationSettings& settings);
void writeSpeedMultiplierFile(const AppFolder& folder, const InstallationSettings& settings);
// The two files are saved one after the other; a crash or a power cut between
// them leaves factors that belong to another track set-up (another lane
// count, other lengths). At start-up such factors, or a missing or damaged
// file, are worked out again from the installation and the file rewritten.
// True when the file's factors were taken as they stood.
bool loadSpeedMultipliers(const AppFolder& folder, InstallationSettings& settings);

// --- OK ---------------------------------------------------------------------

// Takes the length texts of all eight lanes (a text that is not numeric reads
// as 0), writes QelInstallation.dat, computes the speed factors and writes
// QelSpeedMultiplier.dat. Validation (firstNonNumericTrackLength) comes first,
// in the dialog. A failure throws; a file already written stays written.
void storeInstallation(const AppFolder& folder, InstallationSettings& settings,
                       const LaneTable<std::string>& lengthTexts);

// The settings the race itself runs on.
void applyInstallation(const InstallationSettings& settings, RaceState& state);

}  // namespace qel
