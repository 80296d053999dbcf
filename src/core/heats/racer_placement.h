#pragma once
// Placing the field of a race: a racer in each lane and, in the heat formats,
// the racers who do not fit in the lanes in numbered sit-out slots. This is
// everything the Select Racers window shows and does; the window only draws
// it and forwards the race director's clicks. OK turns the placement into the
// numbered racers of the heat rotation and keeps it in Racers.dat and
// RoundRobinChamp.dat; Cancel puts the lane names back as Racers.dat has them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine/race_setup.h"
#include "core/heats/define_racers.h"
#include "core/io/data_folder.h"
#include "core/seams/file_dialog.h"
#include "core/seams/prompter.h"
#include "core/seams/random.h"
#include "core/setup/installation_settings.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr int kSitOutPages = 3;
inline constexpr int kSitOutsPerPage = 30;
// A usable sit-out slot's label is white; the others take the colour of the
// desktop's active window border (its classic light shade), so the race
// director sees at a glance how many racers sit out.
inline constexpr int32_t kSitOutUsableColor = kWhite;
inline constexpr int32_t kSitOutBorderColor = 180 + 256 * 180 + 65536 * 180;

// The filter of the Load Qualifiers file dialog.
inline constexpr std::string_view kQualifiersFilter =
    "Qualifing Files(*.qal;*.txt)|*.qal;*.txt|Dat Files(*.dat)|*.dat|All Files(*.*)|*.*";

// What the placement works on: the race state (lane count, lane names), the
// heat tables it fills on OK, the board whose lane names follow the lanes,
// the race set-up in force (format, sequence option) and the track's lane
// colours.
struct PlacementContext {
    const AppFolder& folder;
    RaceState& state;
    HeatTables& tables;
    RaceBoard& board;
    RaceSetup setup;
    const InstallationSettings& installation;
    Prompter& prompter;
    Random& random;
    FileDialog& fileDialog;
};

// What the placement asks of the rest of the program; both are needed, and
// the placement refuses to be made with one left empty.
struct PlacementHooks {
    // UpdateRaceTitle: the main window rebuilds its title and captions from
    // the racers just defined.
    std::function<void()> updateRaceTitle;
    // The board's lane names changed (a racer placed in or taken out of a
    // lane, the field committed, or the names reloaded): the main window
    // draws the board again.
    std::function<void()> boardChanged;
};

// A button of the window: its caption and whether it can be pressed.
struct PlacementButton {
    std::string caption;
    bool enabled = false;
};

struct LaneSlot {
    std::string name;        // lblName
    PlacementButton button;  // cmdOk: "> n" empty, "< n" holding a racer
    bool active = false;     // laneActive: in use for the sequence, or a racer was placed
    bool visible = false;    // lanes above the track's lane count are hidden
};

struct SitOutSlot {
    std::string name;        // lblNameSitOut
    PlacementButton button;  // cmdSitOut
    int32_t labelColor = kSitOutBorderColor;
    bool active = false;  // sitOutActive: the slot holds a placed racer
};

class RacerPlacement {
  public:
    // Loads at once (Form_Load): the lane names of the board, the roster and,
    // for the round-robin formats, the racers of the last heat race. Problems
    // reading those files are shown and the load carries on.
    RacerPlacement(PlacementContext context, PlacementHooks hooks);

    // --- What the window shows -------------------------------------------
    const std::vector<std::string>& lstRacers() const { return roster_; }
    const std::vector<std::string>& lstRace() const { return selected_; }
    // The selected entry of lstRace, or -1.
    int raceSelection() const { return raceSelection_; }
    int laneCount() const { return laneCount_; }
    // Lanes 1..8 (element 0 unused).
    const LaneSlot& lane(int lane) const { return lanes_.at(static_cast<std::size_t>(lane)); }
    // Sit-out slots 1..90 (element 0 unused).
    const SitOutSlot& sitOut(int slot) const { return sitOuts_.at(static_cast<std::size_t>(slot)); }
    int32_t laneColor(int lane) const;
    int totalRacers() const { return totalRacers_; }
    int sitOutsNeeded() const { return sitOutsNeeded_; }
    int maxRacers() const { return maxRacers_; }
    // The sit-out page shown, 1..3.
    int page() const { return page_; }
    const PlacementButton& cmdNext() const { return cmdNext_; }
    const PlacementButton& cmdPrevious() const { return cmdPrevious_; }
    // As stored with the window: "&&" shows one "&".
    const std::string& cmdClearCaption() const { return cmdClearCaption_; }
    // "Select Racers for " and the race format.
    const std::string& caption() const { return caption_; }

    // --- The race director's operations ------------------------------------
    // Form_Load again: rebuilds every part of the state.
    void load();
    // Recomputes totalRacers, sitOutsNeeded, the usable sit-out slots and the
    // paging buttons.
    void countRacers();

    // The single selection of lstRace; -1 (or a row it does not hold) none.
    void selectRace(int row);

    // cmdOk(lane): an empty lane takes the selected name, an occupied one
    // gives its racer back.
    void cmdOk_Click(int lane);
    // cmdSitOut(slot) likewise for a sit-out slot.
    void cmdSitOut_Click(int slot);
    void placeInLane(int lane);
    void removeFromLane(int lane);
    void placeInSitOut(int slot);
    void removeFromSitOut(int slot);

    // The roster rows given (lstRacers' selection) go to the selected list.
    void add(const std::vector<std::size_t>& rosterRows);
    // After "Add all racers to Rotation List?".
    void addAll();
    // The selected entry of lstRace goes back to the roster.
    void remove();
    // After "Remove all racers from Rotation List?".
    void removeAll();
    // Every placed racer back to the selected list.
    void clear();
    // After "Are you sure you want to clear all Sit-Outs?".
    void clearSitOuts();
    // Place Random: every name of the selected list in a free lane or sit-out
    // slot by draw.
    void placeRandom();
    // Load Qualifiers: every name replaced by the names of a file picked in
    // the file dialog.
    void loadQualifiers();
    // OpenFileRoundRobinChamp: the racers of the last heat race into the
    // sit-out slots, apart from those already in a lane.
    void OpenFileRoundRobinChamp();
    // Drops entries of the selected list that are blank.
    void RemoveBlank();
    // After the roster dialog: the roster list is read again.
    void refreshRoster();

    void cmdNext_Click();
    void cmdPrevious_Click();

    // CommandOK_Click (also File, Exit): checks the placement and, when it
    // passes, defines the racers, rebuilds the rotation and writes the files.
    // False when refused: the window stays open and nothing is committed.
    bool CommandOK_Click();
    // cmdCancel: the lane names back as Racers.dat holds them.
    void cmdCancel_Click();

    // DefineRacers from the lanes and sit-out slots as they stand. Returns the
    // number of racers defined.
    int defineRacers();

  private:
    void setUpLanes();
    void readRoster();
    void activateLane(int lane);
    void deactivateLane(int lane);
    void activateSitOut(int slot);
    void resetSitOut(int slot);
    void afterChange();
    void putInLane(int lane, const std::string& name);
    void putInSitOut(int slot, const std::string& name);
    bool laneFree(int lane) const;
    void takeFromSelected(int row);
    void returnToRoster(const std::string& name);
    void dropFromRoster(const std::string& name);
    bool placedAnywhere(const std::string& name) const;
    bool inSequence(int lane) const;
    bool restoresPreviousRacers() const;
    void setPagingButtons();
    void refreshActiveSequence();
    Placement placement() const;

    PlacementContext c_;
    PlacementHooks hooks_;
    int laneCount_ = 1;
    std::vector<std::string> roster_;
    std::vector<std::string> selected_;
    int raceSelection_ = -1;
    std::array<LaneSlot, kMaxLanes + 1> lanes_{};
    std::array<SitOutSlot, kMaxSitOuts + 1> sitOuts_{};
    int totalRacers_ = 0;
    int sitOutsNeeded_ = 0;
    int maxRacers_ = 0;
    int page_ = 1;
    PlacementButton cmdNext_;
    PlacementButton cmdPrevious_;
    std::string cmdClearCaption_;
    std::string caption_;
};

// The Race Format dialog's OK: the placement loaded without a window and
// without a word to the race director (its files are read as the window
// would read them, and a missing one just leaves its part empty), then
// DefineRacers from the board's lane names and the sit-out slots restored
// from the last heat race. Returns the number of racers defined.
int defineRacersFromPlacement(const PlacementContext& context);

// activeSequence as the race set-up in force chooses it for the track: the
// straight or European sequence of laneCount lanes, or the custom text.
std::string sequenceInForce(const RaceFormatSettings& settings, int laneCount);

}  // namespace qel
