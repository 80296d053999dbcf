#include "support/race_setup.h"

#include <filesystem>
#include <string>

#include "core/sound/sound_table.h"
#include "core/sound/sound_table_file.h"

namespace qel::test {

namespace fs = std::filesystem;

void layOutApplicationFolder(const TempFolder& folder) {
    const fs::path defaults = fs::path(QEL_SOURCE_DIR) / "data";
    fs::copy(defaults / "QelDat", folder.path() / "QelDat", fs::copy_options::recursive);
    fs::create_directories(folder.path() / "QelSound");
    fs::copy_file(defaults / "QelSound" / kSoundTableFileName,
                  folder.path() / "QelSound" / kSoundTableFileName);
    for (int sound = 0; sound < kRaceSoundCount; ++sound) {
        const std::string file = raceSoundInfo(static_cast<RaceSound>(sound)).file;
        if (!file.empty()) folder.write("QelSound/" + file, "RIFF");
    }
    for (const char* file :
         {"goby1.wav", "Overall Best.wav", "Each Lap.wav", "Personal Best.wav", "beep.wav"}) {
        folder.write(std::string("QelSound/") + file, "RIFF");
    }
    fs::copy(defaults / "Images", folder.path() / "Images", fs::copy_options::recursive);
}

void useStartMethod(OptionsSettings& options, StartMethod method, int delaySeconds) {
    options.instantStart = method == StartMethod::Instant ? -1 : 0;
    options.dragStart = method == StartMethod::DragRacing ? -1 : 0;
    options.formula1Start = method == StartMethod::Formula1 ? -1 : 0;
    options.startDelayIndex = static_cast<int16_t>(delaySeconds);
}

void chooseLapRace(AppState& app, int laps) {
    RaceFormatSettings& settings = app.raceSettings;
    settings.raceFormat = kLapRace;
    settings.raceLimitKind = "Number of Laps";
    settings.raceLaps = static_cast<int16_t>(laps);
    settings.lapsListIndex = static_cast<int16_t>(laps - 1);  // the list runs "1", "2", ...
}

}  // namespace qel::test
