#pragma once
// The racer placement on a test's bench: its own application folder with an
// empty roster, a four-lane track whose lane colours are 1000 × the lane, no
// names on the board, and scripted message boxes, draws and file dialogs.
#include <string>
#include <vector>

#include "core/engine/race_setup.h"
#include "core/heats/race_formats.h"
#include "core/heats/racer_placement.h"
#include "core/io/data_folder.h"
#include "core/setup/roster.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel::test {

inline std::string quotedLines(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += "\"" + name + "\"\r\n";
    return text;
}

struct PlacementBench {
    PlacementBench() {
        setLanes(4);
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            board.rows[lane].name.text.clear();
            installation.laneColor[lane] = 1000 * lane;
        }
        writeRosterNames(app, {});
    }

    void setLanes(int lanes) {
        state.laneCount = static_cast<int16_t>(lanes);
        installation.laneCount = static_cast<int16_t>(lanes);
    }
    // The format in force as the Race Format dialog's OK leaves it.
    void useFormat(int format, int sequenceOption = 0, const std::string& custom = {}) {
        raceSettings.raceFormat = static_cast<int16_t>(format);
        raceSettings.heatRotation = raceFormatRule(format).heatRotation ? -1 : 0;
        raceSettings.sequenceOption = static_cast<int16_t>(sequenceOption);
        raceSettings.sequenceText[2] = custom;
        tables.activeSequence = sequenceInForce(raceSettings, state.laneCount);
    }
    // The board's lane names, lane 1 first; an empty one leaves its lane unnamed.
    void onBoard(const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            board.rows[i + 1].name.text = names[i].empty() ? "" : names[i] + " ";
    }
    // The field of the last heat race at this track.
    void previousRacers(const std::vector<std::string>& names) {
        folder.write("QelDat/RoundRobinChamp.dat", quotedLines(names));
    }
    PlacementContext context() {
        return {app,          state,    tables, board, RaceSetup(raceSettings, options),
                installation, prompter, random, files};
    }

    TempFolder folder;
    AppFolder app{folder.path()};
    RaceState state;
    HeatTables tables;
    RaceBoard board;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    InstallationSettings installation;
    ScriptedPrompter prompter;
    ScriptedRandom random;
    ScriptedFileDialog files;
};

}  // namespace qel::test
