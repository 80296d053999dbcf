#include "core/heats/racer_placement.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "core/engine/lane_names.h"
#include "core/heats/heat_racer_files.h"
#include "core/heats/race_formats.h"
#include "core/heats/rotation.h"
#include "core/io/errors.h"
#include "core/setup/roster.h"

namespace qel {

namespace {

// What an unnamed lane of the board shows; it is nobody, so it never goes
// back to the list of racers to place.
constexpr std::string_view kSelectName = "Select Name";
constexpr std::string_view kClearSitOutsCaption = "Clear all Sit-Out";
constexpr std::string_view kNextDesignCaption = "Next Sit-outs";

// A draw that keeps landing on taken places gives way to the first free place
// in order, so Place Random always ends, whatever the generator gives.
constexpr int kDrawsPerName = 1000;

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string slotCaption(bool holdsName, int number) {
    return (holdsName ? "< " : "> ") + std::to_string(number);
}

bool holdsRacer(const PlacementButton& button) {
    return button.caption.find('<') != std::string::npos;
}

// A lane or sit-out slot emptied: its racer goes back to the names to place
// (an unnamed lane's "Select Name" is nobody), and its button offers it again.
template <typename Slot>
void vacate(Slot& slot, int number, std::vector<std::string>& selected) {
    if (!slot.name.empty() && trimmed(slot.name) != kSelectName) selected.push_back(slot.name);
    slot.name.clear();
    slot.active = false;
    slot.button.caption = slotCaption(false, number);
}

// A file that is there but cannot be taken as it stands is worth naming:
// the race director can mend or remove it.
std::string fileProblem(std::string_view message, const std::filesystem::path& path,
                        const QelError& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::string(message);
    return std::string(message) + "\r\n" + error.what();
}

// The Race Format dialog loads the placement only to define the racers; the
// race director did not open it and has nothing to answer.
class SilentPrompter : public Prompter {
  public:
    MessageAnswer message(const std::string&, const std::string&, MessageIcon,
                          MessageButtons buttons, DefaultButton) override {
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
                   ? MessageAnswer::No
                   : MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace

std::string sequenceInForce(const RaceFormatSettings& settings, int laneCount) {
    const int lanes = std::clamp(laneCount, 1, kMaxLanes);
    return chosenSequence(settings.sequenceOption, straightSequence(lanes), europeanSequence(lanes),
                          trimmed(settings.sequenceText[2]));
}

RacerPlacement::RacerPlacement(PlacementContext context, PlacementHooks hooks)
    : c_(context), hooks_(std::move(hooks)) {
    if (!hooks_.updateRaceTitle) {
        throw std::logic_error("RacerPlacement: the hook updateRaceTitle is not wired.");
    }
    if (!hooks_.boardChanged) {
        throw std::logic_error("RacerPlacement: the hook boardChanged is not wired.");
    }
    load();
}

int32_t RacerPlacement::laneColor(int lane) const {
    if (lane < 1 || lane > kMaxLanes) return kWhite;
    return c_.installation.laneColor[lane];
}

bool RacerPlacement::inSequence(int lane) const {
    return c_.tables.activeSequence.find(static_cast<char>('0' + lane)) != std::string::npos;
}

bool RacerPlacement::restoresPreviousRacers() const {
    switch (c_.setup.raceFormat()) {
        case kPracticeWithRotation:
        case kChampionship:
        case kRoundRobin:
        case kRoundRobinLapHeats:
            return true;
        default:
            return false;
    }
}

void RacerPlacement::load() {
    laneCount_ = std::clamp<int>(c_.state.laneCount, 1, kMaxLanes);
    roster_.clear();
    selected_.clear();
    raceSelection_ = -1;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        lanes_[lane] = LaneSlot{};
        lanes_[lane].button = {">", true};
        lanes_[lane].visible = lane <= laneCount_;
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot)
        resetSitOut(slot);
    page_ = 1;
    // Nothing to page through or clear until the count says there are sit-outs.
    cmdNext_ = {std::string(kNextDesignCaption), false};
    cmdPrevious_ = {std::string(kClearSitOutsCaption), false};

    readRoster();
    for (int lane = 1; lane <= laneCount_; ++lane) {
        const std::string& shown = c_.board.rows[lane].name.text;
        // A lane switched off in Installation carries no racer.
        if (shown == kDisabledName) continue;
        lanes_[lane].name = trimmed(shown);
    }
    setUpLanes();

    const int format = c_.setup.raceFormat();
    if (!c_.setup.heatRotation()) {
        cmdClearCaption_ = "Clear Racers in Lanes";
    } else if (restoresPreviousRacers()) {
        cmdClearCaption_ = "Clear all Racers && Sit-Outs";
        OpenFileRoundRobinChamp();
        RemoveBlank();
    } else {
        cmdClearCaption_ = "Clear Racers";
        RemoveBlank();
    }
    caption_ = "Select Racers for " + std::string(raceFormatRule(format).text);

    countRacers();
    if (sitOutsNeeded_ > kSitOutsPerPage) cmdNext_ = {"Sit-Out 31-60", true};
    if (sitOutsNeeded_ >= 2) cmdPrevious_ = {std::string(kClearSitOutsCaption), true};
    if (!selected_.empty()) raceSelection_ = 0;
}

void RacerPlacement::readRoster() {
    const auto path = c_.folder.dataFile(kRosterFileName);
    try {
        roster_ = readRosterNames(c_.folder);
        std::stable_sort(
            roster_.begin(), roster_.end(),
            [](const std::string& a, const std::string& b) { return rosterOrderBefore(a, b); });
    } catch (const QelError& e) {
        roster_.clear();
        c_.prompter.inform(fileProblem("File for Racers not found", path, e), "File not found",
                           MessageIcon::Information);
    }
}

void RacerPlacement::setUpLanes() {
    const bool everyLane = !c_.setup.heatRotation();
    for (int lane = 1; lane <= laneCount_; ++lane) {
        if (everyLane || inSequence(lane)) {
            activateLane(lane);
            if (!lanes_[lane].name.empty()) dropFromRoster(lanes_[lane].name);
        } else {
            deactivateLane(lane);
        }
    }
}

void RacerPlacement::activateLane(int lane) {
    LaneSlot& slot = lanes_[lane];
    slot.button = {slotCaption(!slot.name.empty(), lane), true};
    slot.active = true;
}

void RacerPlacement::deactivateLane(int lane) {
    LaneSlot& slot = lanes_[lane];
    slot.button = {slotCaption(false, lane), false};
    slot.name.clear();
    slot.active = false;
}

void RacerPlacement::activateSitOut(int slot) {
    SitOutSlot& s = sitOuts_[slot];
    s.button = {slotCaption(!s.name.empty(), slot), true};
    s.active = true;
}

void RacerPlacement::resetSitOut(int slot) {
    sitOuts_[slot] = SitOutSlot{};
    sitOuts_[slot].button = {slotCaption(false, slot), false};
}

void RacerPlacement::OpenFileRoundRobinChamp() {
    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        sitOuts_[slot].active = false;
        sitOuts_[slot].name.clear();
        sitOuts_[slot].button.caption = slotCaption(false, slot);
    }
    std::vector<std::string> previous;
    const auto path = c_.folder.dataFile(kRoundRobinChampFileName);
    try {
        previous = readRoundRobinChamp(c_.folder);
    } catch (const QelError& e) {
        c_.prompter.inform(fileProblem("File for previous Racers not found", path, e),
                           "File not found", MessageIcon::Information);
    }
    // Racers already in a lane keep their lane.
    std::erase_if(previous, [this](const std::string& name) {
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            if (trimmed(lanes_[lane].name) == name) return true;
        }
        return false;
    });
    int slot = 0;
    for (const std::string& name : previous) {
        dropFromRoster(name);
        if (slot < kMaxSitOuts) {
            sitOuts_[++slot].name = name;
            activateSitOut(slot);
        } else {
            // A field larger than the track's slots (a list from a track with
            // more lanes) stays whole: the rest waits in the selected list.
            selected_.push_back(name);
        }
    }
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (lanes_[lane].name.empty()) lanes_[lane].button.caption = slotCaption(false, lane);
    }
}

void RacerPlacement::RemoveBlank() {
    std::erase_if(selected_, [](const std::string& name) { return trimmed(name).empty(); });
    if (raceSelection_ >= static_cast<int>(selected_.size())) raceSelection_ = -1;
}

void RacerPlacement::countRacers() {
    int total = 0;
    for (int lane = 1; lane <= laneCount_; ++lane) {
        const LaneSlot& slot = lanes_[lane];
        if (slot.active && !slot.name.empty() && slot.button.enabled) ++total;
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        if (sitOuts_[slot].active && !sitOuts_[slot].name.empty()) ++total;
    }
    total += static_cast<int>(selected_.size());
    totalRacers_ = total;

    const bool sitOuts = c_.setup.heatRotation() && c_.setup.raceFormat() != kRotationRace;
    sitOutsNeeded_ =
        sitOuts ? CountUnusedLanes(c_.tables.activeSequence, laneCount_) + total - laneCount_ : 0;

    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        SitOutSlot& s = sitOuts_[slot];
        if (slot <= sitOutsNeeded_) {
            s.button.enabled = true;
            s.labelColor = kSitOutUsableColor;
        } else if (s.name.empty()) {
            s.button.enabled = false;
            s.labelColor = kSitOutBorderColor;
        }
    }
    setPagingButtons();
}

void RacerPlacement::setPagingButtons() {
    if (sitOutsNeeded_ <= 0) {
        cmdPrevious_.enabled = false;
    } else if (sitOutsNeeded_ <= kSitOutsPerPage) {
        cmdNext_.enabled = false;
        cmdPrevious_.enabled = true;
    } else if (sitOutsNeeded_ <= 2 * kSitOutsPerPage) {
        cmdNext_.enabled = page_ == 1;
    } else {
        cmdNext_.enabled = page_ == 1 || page_ == 2;
    }
}

void RacerPlacement::selectRace(int row) {
    raceSelection_ = row >= 0 && row < static_cast<int>(selected_.size()) ? row : -1;
}

void RacerPlacement::afterChange() {
    RemoveBlank();
    raceSelection_ = selected_.empty() ? -1 : 0;
    countRacers();
}

void RacerPlacement::takeFromSelected(int row) {
    selected_.erase(selected_.begin() + row);
}

void RacerPlacement::dropFromRoster(const std::string& name) {
    const auto found = std::find(roster_.begin(), roster_.end(), name);
    if (found != roster_.end()) roster_.erase(found);
}

void RacerPlacement::returnToRoster(const std::string& name) {
    const auto place = std::upper_bound(
        roster_.begin(), roster_.end(), name,
        [](const std::string& a, const std::string& b) { return rosterOrderBefore(a, b); });
    roster_.insert(place, name);
}

void RacerPlacement::putInLane(int lane, const std::string& name) {
    LaneSlot& slot = lanes_[lane];
    slot.name = name;
    slot.active = true;
    slot.button.caption = slotCaption(true, lane);
    c_.state.laneRacerName[lane] = name;
    c_.board.rows[lane].name.text = name + " ";
}

void RacerPlacement::putInSitOut(int slot, const std::string& name) {
    SitOutSlot& s = sitOuts_[slot];
    s.name = name;
    s.active = true;
    s.button.caption = slotCaption(true, slot);
}

bool RacerPlacement::laneFree(int lane) const {
    return lane >= 1 && lane <= laneCount_ && lanes_[lane].button.enabled &&
           lanes_[lane].name.empty();
}

void RacerPlacement::cmdOk_Click(int lane) {
    if (lane < 1 || lane > laneCount_ || !lanes_[lane].button.enabled) return;
    if (holdsRacer(lanes_[lane].button)) {
        removeFromLane(lane);
    } else {
        placeInLane(lane);
    }
}

void RacerPlacement::cmdSitOut_Click(int slot) {
    if (slot < 1 || slot > kMaxSitOuts || !sitOuts_[slot].button.enabled) return;
    if (holdsRacer(sitOuts_[slot].button)) {
        removeFromSitOut(slot);
    } else {
        placeInSitOut(slot);
    }
}

void RacerPlacement::placeInLane(int lane) {
    if (!laneFree(lane) || raceSelection_ < 0) return;
    putInLane(lane, selected_[raceSelection_]);
    takeFromSelected(raceSelection_);
    afterChange();
    hooks_.boardChanged();
}

void RacerPlacement::removeFromLane(int lane) {
    if (lane < 1 || lane > laneCount_) return;
    vacate(lanes_[lane], lane, selected_);
    c_.board.rows[lane].name.text.clear();
    afterChange();
    hooks_.boardChanged();
}

void RacerPlacement::placeInSitOut(int slot) {
    if (slot < 1 || slot > kMaxSitOuts || raceSelection_ < 0) return;
    SitOutSlot& s = sitOuts_[slot];
    if (!s.button.enabled || !s.name.empty()) return;
    putInSitOut(slot, selected_[raceSelection_]);
    takeFromSelected(raceSelection_);
    afterChange();
}

void RacerPlacement::removeFromSitOut(int slot) {
    if (slot < 1 || slot > kMaxSitOuts) return;
    vacate(sitOuts_[slot], slot, selected_);
    afterChange();
}

void RacerPlacement::add(const std::vector<std::size_t>& rosterRows) {
    std::vector<std::size_t> rows;
    for (const std::size_t row : rosterRows) {
        if (row < roster_.size()) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) return;
    for (const std::size_t row : rows)
        selected_.push_back(roster_[row]);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        roster_.erase(roster_.begin() + static_cast<std::ptrdiff_t>(*row));
    if (raceSelection_ < 0) raceSelection_ = 0;
    countRacers();
}

void RacerPlacement::addAll() {
    if (c_.prompter.message("Add all racers to Rotation List?", "Racers", MessageIcon::Question,
                            MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    for (auto name = roster_.rbegin(); name != roster_.rend(); ++name)
        selected_.push_back(*name);
    roster_.clear();
    if (raceSelection_ < 0 && !selected_.empty()) raceSelection_ = 0;
    countRacers();
}

void RacerPlacement::remove() {
    if (selected_.empty()) {
        c_.prompter.inform(" No Racers to Remove", "Racer", MessageIcon::Information);
        return;
    }
    if (raceSelection_ < 0) return;
    returnToRoster(selected_[raceSelection_]);
    takeFromSelected(raceSelection_);
    afterChange();
}

void RacerPlacement::removeAll() {
    if (c_.prompter.message("Remove all racers from Rotation List?", "Racers",
                            MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    for (auto name = selected_.rbegin(); name != selected_.rend(); ++name)
        returnToRoster(*name);
    selected_.clear();
    raceSelection_ = -1;
    countRacers();
}

void RacerPlacement::clear() {
    bool lanesChanged = false;
    for (int lane = 1; lane <= laneCount_; ++lane) {
        if (!holdsRacer(lanes_[lane].button)) continue;
        vacate(lanes_[lane], lane, selected_);
        c_.board.rows[lane].name.text.clear();
        lanesChanged = true;
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        if (!holdsRacer(sitOuts_[slot].button)) continue;
        vacate(sitOuts_[slot], slot, selected_);
    }
    afterChange();
    if (lanesChanged) hooks_.boardChanged();
}

void RacerPlacement::clearSitOuts() {
    if (c_.prompter.message("Are you sure you want to clear all Sit-Outs?", "Clear Sit-Outs",
                            MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        if (!holdsRacer(sitOuts_[slot].button)) continue;
        vacate(sitOuts_[slot], slot, selected_);
    }
    afterChange();
}

void RacerPlacement::placeRandom() {
    if (selected_.empty()) return;
    const bool sitOuts = c_.setup.heatRotation() && c_.setup.raceFormat() != kRotationRace;
    if (sitOuts) {
        maxRacers_ = laneCount_ + kMaxSitOuts;
        if (sitOutsNeeded_ > kMaxSitOuts) {
            c_.prompter.inform("Too many Racers to place in Sit-outs\r\nRemove " +
                                   std::to_string(sitOutsNeeded_ - kMaxSitOuts) +
                                   " Racers to continue",
                               "Selected Racers");
            return;
        }
    } else {
        int freeLanes = 0;
        for (int lane = 1; lane <= laneCount_; ++lane) {
            if (laneFree(lane)) ++freeLanes;
        }
        const int names = static_cast<int>(selected_.size());
        if (freeLanes < names) {
            c_.prompter.inform("Too many Racers to place in Lanes\r\nRemove " +
                                   std::to_string(names - freeLanes) + " Racers to continue",
                               "Selected Racers");
            return;
        }
        maxRacers_ = laneCount_;
    }
    RemoveBlank();
    if (static_cast<int>(selected_.size()) > maxRacers_) {
        c_.prompter.inform("Maximum number of racers is " + std::to_string(maxRacers_),
                           "Maximum Racers", MessageIcon::Critical);
        return;
    }

    const int slots = std::clamp(sitOutsNeeded_, 0, kMaxSitOuts);
    // The draw runs over the lanes and the slots needed; with fewer racers
    // than the sequence's lanes, over that many lanes from lane 1.
    const int drawn = std::max(1, laneCount_ + std::min(sitOutsNeeded_, kMaxSitOuts));
    const int places = laneCount_ + slots;
    const auto placeAt = [&](int d, const std::string& name) {
        if (d <= laneCount_) {
            if (!laneFree(d)) return false;
            putInLane(d, name);
            return true;
        }
        const int slot = d - laneCount_;
        if (slot > slots || !sitOuts_[slot].name.empty()) return false;
        putInSitOut(slot, name);
        return true;
    };
    bool lanesChanged = false;
    while (!selected_.empty()) {
        const std::string name = selected_.front();
        bool placed = false;
        for (int draw = 0; draw < kDrawsPerName && !placed; ++draw) {
            const int d = std::clamp(static_cast<int>(c_.random.next() * drawn) + 1, 1, drawn);
            placed = placeAt(d, name);
            if (placed && d <= laneCount_) lanesChanged = true;
        }
        for (int d = 1; d <= places && !placed; ++d) {
            placed = placeAt(d, name);
            if (placed && d <= laneCount_) lanesChanged = true;
        }
        // No free place at all: the rest stay in the list for the race
        // director to see.
        if (!placed) break;
        takeFromSelected(0);
    }
    afterChange();
    if (lanesChanged) hooks_.boardChanged();
}

void RacerPlacement::loadQualifiers() {
    FileDialogRequest request;
    request.filter = std::string(kQualifiersFilter);
    request.filterIndex = 1;
    request.flags = kFileMustExist;
    const auto path = c_.fileDialog.showOpen(request);
    if (!path) return;
    std::vector<std::string> names;
    try {
        names = readQualifiersFile(*path);
    } catch (const QelError& e) {
        c_.prompter.inform(e.what(), "Load Qualifiers", MessageIcon::Exclamation);
        return;
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot)
        resetSitOut(slot);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        lanes_[lane].name.clear();
        lanes_[lane].button.caption = slotCaption(false, lane);
    }
    roster_.clear();
    selected_ = std::move(names);
    raceSelection_ = selected_.empty() ? -1 : 0;
    countRacers();
}

bool RacerPlacement::placedAnywhere(const std::string& name) const {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (lanes_[lane].name == name) return true;
    }
    for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
        if (sitOuts_[slot].name == name) return true;
    }
    return std::find(selected_.begin(), selected_.end(), name) != selected_.end();
}

void RacerPlacement::refreshRoster() {
    readRoster();
    // A racer already chosen for this race is not offered a second time.
    std::erase_if(roster_, [this](const std::string& name) { return placedAnywhere(name); });
    countRacers();
}

void RacerPlacement::cmdNext_Click() {
    if (!cmdNext_.enabled) return;
    if (page_ == 1) {
        page_ = 2;
        cmdPrevious_ = {"Sit-Out 1-30", true};
        cmdNext_.caption = "Sit-Out 61-90";
    } else if (page_ == 2) {
        page_ = 3;
        cmdNext_.enabled = false;
        cmdPrevious_ = {"Sit-Out 31-60", true};
    }
    countRacers();
}

void RacerPlacement::cmdPrevious_Click() {
    if (!cmdPrevious_.enabled) return;
    if (cmdPrevious_.caption == kClearSitOutsCaption) {
        clearSitOuts();
        return;
    }
    if (page_ == 2) {
        page_ = 1;
        cmdNext_ = {"Sit-Out 31-60", true};
        cmdPrevious_ = {std::string(kClearSitOutsCaption), true};
    } else if (page_ == 3) {
        page_ = 2;
        cmdNext_ = {"Sit-Out 61-90", true};
        cmdPrevious_.caption = "Sit-Out 1-30";
    }
    countRacers();
}

Placement RacerPlacement::placement() const {
    Placement p;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        p.laneNames[lane] = lanes_[lane].name;
    for (int slot = 1; slot <= kMaxSitOuts; ++slot)
        p.sitOutNames.push_back(sitOuts_[slot].name);
    return p;
}

int RacerPlacement::defineRacers() {
    return DefineRacers(placement(), laneCount_, c_.setup.heatRotation(), c_.tables, c_.state,
                        c_.board);
}

void RacerPlacement::refreshActiveSequence() {
    if (!c_.setup.heatRotation()) return;
    const RaceFormatSettings& settings = c_.setup.raceSettings();
    c_.tables.activeSequence = sequenceInForce(settings, laneCount_);
    if (settings.sequenceOption != 2) return;
    for (int lane : lanesOutsideSequence(c_.tables.activeSequence, laneCount_))
        c_.board.rows[lane].name.text.clear();
}

bool RacerPlacement::CommandOK_Click() {
    countRacers();
    const bool heats = c_.setup.heatRotation();
    if (heats) {
        for (int lane = 1; lane <= laneCount_; ++lane) {
            if (!inSequence(lane) || !trimmed(lanes_[lane].name).empty()) continue;
            const std::string n = std::to_string(lane);
            c_.prompter.inform("Insert racer in Lane " + n + " or change sequence in race format",
                               "Lane " + n + " cannot be empty");
            return false;
        }
        if (!selected_.empty()) {
            const int row = raceSelection_ >= 0 ? raceSelection_ : 0;
            c_.prompter.inform("Place " + selected_[row] + " or  remove from Selected Racers",
                               "Racer");
            return false;
        }
        for (int slot = 1; slot <= kMaxSitOuts; ++slot) {
            if (!sitOuts_[slot].button.enabled || !sitOuts_[slot].name.empty()) continue;
            c_.prompter.inform("Racer missing in Sit-Out " + std::to_string(slot),
                               "Missing Sit-Out");
            return false;
        }
    }

    // In the heat formats the checks leave exactly the racers counted; in a
    // single race names left in the selected list are not racers.
    c_.tables.racerCount = static_cast<int16_t>(defineRacers());
    hooks_.boardChanged();
    refreshActiveSequence();
    BuildRotation(c_.tables, c_.tables.racerCount, c_.tables.activeSequence);
    hooks_.updateRaceTitle();
    try {
        writeLaneRacerNames(c_.folder, c_.state.laneRacerName);
        if (heats) writeRoundRobinChamp(c_.folder, c_.tables);
    } catch (const QelError& e) {
        // The field is in force all the same; only its keeping failed.
        c_.prompter.inform(e.what(), "Select Racers", MessageIcon::Exclamation);
    }
    return true;
}

void RacerPlacement::cmdCancel_Click() {
    LaneNames names(c_.folder, c_.state, c_.setup, c_.tables, c_.board, c_.installation,
                    c_.prompter);
    names.LoadNames();
    hooks_.boardChanged();
}

int defineRacersFromPlacement(const PlacementContext& context) {
    SilentPrompter silent;
    PlacementContext quiet{context.folder, context.state,  context.tables,
                           context.board,  context.setup,  context.installation,
                           silent,         context.random, context.fileDialog};
    RacerPlacement placement(quiet, {[] {}, [] {}});
    return placement.defineRacers();
}

}  // namespace qel
