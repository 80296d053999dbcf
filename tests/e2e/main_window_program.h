#pragma once
// The program as main() puts it together, in a copy of the shipped
// application folder, over whichever clock, timers, port and sound card a test
// gives it, with the settings files a race director set up before the night.
#include <filesystem>

#include "core/heats/race_format_settings.h"
#include "core/io/data_folder.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "support/program_harness.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel::test {

// The race director's settings files, changed as their dialogs' OK would.
template <typename Change>
void changeOptionsFile(const AppFolder& folder, Change change) {
    OptionsSettings options;
    readOptionsFile(folder, options);
    change(options);
    writeOptionsFile(folder, options);
}

template <typename Change>
void changeInstallationFile(const AppFolder& folder, Change change) {
    InstallationSettings installation;
    readInstallationFile(folder, installation);
    change(installation);
    writeInstallationFile(folder, installation);
}

inline void writeRaceFormatFile(const AppFolder& folder, int16_t demoMode) {
    RaceFormatSettings settings;
    DefaultRaceFormatFile(folder, settings, 4);
    settings.demoMode = demoMode;
    WriteRaceFormatFile(raceFormatFilePath(folder), settings);
}

// A heat night on the box simulator as the last one at this track left it:
// instant starts with no countdown, the simulator's short laps above the
// minimum lap, a one-second coast, and the field of six (four on the board,
// two from the last heat race) ready to come back in Race Format.
inline void layOutBoxHeatNight(const TempFolder& folder) {
    const AppFolder app(folder.path());
    changeOptionsFile(app, [](OptionsSettings& o) {
        o.startDelayIndex = 0;
        o.minLapTimeIndex = 2;  // half a second
        o.coastTimeIndex = 2;   // one second
        o.instantStart = -1;
        o.dragStart = 0;
        o.formula1Start = 0;
    });
    folder.write("QelDat/Racers.dat", "\"Ann\",\"Bob\",\"Cy\",\"Di\",\"\",\"\",\"\",\"\"\r\n");
    folder.write("QelDat/RoundRobinChamp.dat",
                 "\"Ann\"\r\n\"Bob\"\r\n\"Cy\"\r\n\"Di\"\r\n\"Eve\"\r\n\"Fay\"\r\n");
}

// The program over the given outside components, its message boxes answered
// from a script (prompter) so the box texts can be checked word for word.
struct ScriptedDesk {
    ScriptedPrompter prompter;
};

class MainWindowProgram : private ScriptedDesk, public ProgramHarness {
  public:
    MainWindowProgram(const std::filesystem::path& root, TimingPort& port, Clock& clock,
                      TimerService& timers, Random& random, SoundDevice& sound)
        : ProgramHarness(root, port, clock, timers, random, sound, ScriptedDesk::prompter) {}

    using ScriptedDesk::prompter;

    // A lap race chosen in Race Format, as the race director does.
    void chooseLapRace(int laps) { chooseRaceFormat("Lap Race", QString::number(laps)); }
};

}  // namespace qel::test
