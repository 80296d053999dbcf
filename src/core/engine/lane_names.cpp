#include "core/engine/lane_names.h"

#include <algorithm>
#include <string>

#include "core/io/errors.h"
#include "core/setup/roster.h"

namespace qel {

std::string trimmedName(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool isEmptyLane(const std::string& nameCell) {
    return trimmedName(nameCell) == kEmptyEntry;
}

int LaneNames::lanes() const {
    return std::clamp<int>(state_.laneCount, 0, kMaxLanes);
}

void LaneNames::LoadNames() {
    try {
        readLaneRacerNames(folder_, state_.laneRacerName);
        for (int lane = 1; lane <= lanes(); ++lane) {
            std::string& name = board_.rows[lane].name.text;
            const std::string& racer = state_.laneRacerName[lane];
            if (state_.laneDisabled[lane] != 0) {
                name = kDisabledName;
            } else if (racer.empty()) {
                name.clear();
            } else if (setup_.heatRotation() && heats_.activeSequence.find(static_cast<char>(
                                                    '0' + lane)) == std::string::npos) {
                // A lane the rotation leaves out carries no racer.
                name = " ";
            } else {
                name = racer + " ";
            }
        }
    } catch (const std::exception& error) {
        prompter_.inform(error.what());
    }
}

void LaneNames::LoadRacerLists() {
    try {
        std::vector<std::string> roster = readRosterNames(folder_);
        roster.push_back(kEmptyEntry);
        const auto shared = std::make_shared<const std::vector<std::string>>(std::move(roster));
        for (int lane = 1; lane <= lanes(); ++lane) {
            NameList& list = board_.nameLists[lane];
            list.shared = shared;
            list.selected = -1;
            state_.laneColor[lane] = installation_.laneColor[lane];
        }
    } catch (const std::exception& error) {
        prompter_.inform(error.what());
    }
}

void LaneNames::CloseComboNames() {
    for (int row = 1; row <= kMaxLanes; ++row)
        board_.nameLists[row].visible = false;
}

void LaneNames::lblName_Click(int row) {
    if (setup_.heatRotation() || !validRow(row)) return;
    for (int other = 1; other <= lanes(); ++other) {
        if (other != row) board_.nameLists[other].visible = false;
    }
    if (!board_.idle()) return;
    if (state_.laneDisabled[row] != 0) {
        prompter_.message("This lane is disabled.\r\nGo to Settings to enable it.", "Lane Disabled",
                          MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    NameList& list = board_.nameLists[row];
    const std::string current = trimmedName(board_.rows[row].name.text);
    for (int entry = 0; entry < static_cast<int>(list.entries().size()); ++entry) {
        if (list.entries()[entry].empty()) continue;
        list.selected = entry;
        if (list.entries()[entry] == current) {
            list.visible = true;
            return;
        }
    }
    list.visible = true;
}

void LaneNames::Select_Name_Click(int row, int entry) {
    if (!validRow(row)) return;
    NameList& list = board_.nameLists[row];
    if (!list.visible || entry < 0 || entry >= static_cast<int>(list.entries().size())) return;
    try {
        list.selected = entry;
        const std::string chosen = list.entries()[entry];
        for (int other = 1; other <= lanes(); ++other) {
            const std::string& name = board_.rows[other].name.text;
            if (other == row || isEmptyLane(name)) continue;
            if (name == chosen + " " && chosen != kEmptyEntry) {
                // The choice stands: two drivers may share a name.
                prompter_.message("Warning, name already exists.", "Racer's Name",
                                  MessageIcon::Exclamation, MessageButtons::Ok);
            }
        }
        board_.rows[row].name.text = chosen + " ";
        list.visible = false;
        for (int lane = 1; lane <= lanes(); ++lane) {
            const std::string& name = board_.rows[lane].name.text;
            if (name != kDisabledName) state_.laneRacerName[lane] = trimmedName(name);
        }
        writeLaneRacerNames(folder_, state_.laneRacerName);
    } catch (const std::exception& error) {
        prompter_.inform(error.what());
    }
}

void LaneNames::Select_Name_LostFocus(int row) {
    if (row >= 1 && row <= kMaxLanes) board_.nameLists[row].visible = false;
}

}  // namespace qel
