// Every settings and roster reader, and the readers of the racer name lists (a qualifiers
// file, RoundRobinChamp.dat), takes any file a damaged disk, a hand edit or another track can
// leave: it reads it or refuses it with the program's own error, never anything worse. The first
// byte picks the reader, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/heats/heat_racer_files.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/io/errors.h"
#include "core/io/text_codec.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "core/setup/roster.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    // On disk the files are Windows-1252; the readers take them decoded.
    const std::string text = qel::cp1252ToUtf8(bytes);
    try {
        switch (data[0] % 9) {
            case 0: {
                qel::InstallationSettings settings;
                qel::parseInstallationFile(text, "QelInstallation.dat", settings);
                qel::computeSpeedMultipliers(settings);
                break;
            }
            case 1: {
                qel::InstallationSettings settings;
                qel::parseSpeedMultiplierFile(text, "QelSpeedMultiplier.dat", settings);
                break;
            }
            case 2: {
                qel::OptionsSettings options;
                qel::parseOptionsFile(text, "QelOptions.dat", options);
                break;
            }
            case 3: {
                qel::PointSystem points;
                qel::parsePointSystemFile(text, "QelPointSystem.dat", points);
                break;
            }
            case 4:
                qel::parseRaceFormatRecord(bytes, "QelRaceFormatSettings.dat");
                break;
            case 5:
                qel::parseRosterNames(text, "QeRacers.dat");
                break;
            case 6: {
                qel::LaneTable<std::string> names;
                qel::parseLaneRacerNames(text, "Racers.dat", names);
                break;
            }
            // The name lists are read as the bytes on disk: the reader decodes them itself.
            case 7:
                qel::parseNameList(bytes, "Qualifiers.csv");
                break;
            case 8:
                qel::parseNameList(bytes, std::string(qel::kRoundRobinChampFileName));
                break;
        }
    } catch (const qel::QelError&) {
        // Refused with a message the race director can read: what a damaged file should get.
    }
    return 0;
}
