#pragma once
// The racer in each lane: the names on the board, the racer lists the race
// director picks from, and the lane names kept in Racers.dat from run to run.
#include "core/engine/race_setup.h"
#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/setup/installation_settings.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr const char* kDisabledName = " Disabled";
// The racer list's last entry: the lane races without a driver.
inline constexpr const char* kEmptyEntry = "Empty";

class LaneNames {
  public:
    LaneNames(const AppFolder& folder, RaceState& state, RaceSetup setup, const HeatTables& heats,
              RaceBoard& board, const InstallationSettings& installation, Prompter& prompter)
        : folder_(folder),
          state_(state),
          setup_(setup),
          heats_(heats),
          board_(board),
          installation_(installation),
          prompter_(prompter) {}

    // Racers.dat onto the name cells. A problem is shown and the lanes not
    // yet done keep what they show.
    void LoadNames();
    // Each row's racer list from the roster, "Empty" last, and the lane colours.
    void LoadRacerLists();

    // A click on row's name: opens its racer list while the track is idle.
    void lblName_Click(int row);
    // The race director picked entry of row's open list.
    void Select_Name_Click(int row, int entry);
    // The list lost the focus: it closes over the name again.
    void Select_Name_LostFocus(int row);
    // Every open racer list closes.
    void CloseComboNames();

  private:
    bool validRow(int row) const { return row >= 1 && row <= lanes(); }
    int lanes() const;

    const AppFolder& folder_;
    RaceState& state_;
    RaceSetup setup_;
    const HeatTables& heats_;
    RaceBoard& board_;
    const InstallationSettings& installation_;
    Prompter& prompter_;
};

// A name cell's text without the blanks around it.
std::string trimmedName(const std::string& text);
// A lane the race director set to "Empty": no driver, so no name to compare.
bool isEmptyLane(const std::string& nameCell);

}  // namespace qel
