#include "core/setup/roster.h"

#include <algorithm>

#include "core/io/errors.h"
#include "core/io/fields.h"
#include "core/io/text_codec.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

// A roster of a few thousand racers is well under this; more is not a roster.
constexpr std::size_t kMaxRosterFileBytes = 4 * 1024 * 1024;
constexpr std::size_t kMaxLaneRacersFileBytes = 64 * 1024;

// Letter case in Windows-1252, where every name is stored.
unsigned char upperByte(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A:  // š
        case 0x9C:  // œ
        case 0x9E:  // ž
            return static_cast<unsigned char>(c - 0x10);
        case 0xFF:  // ÿ
            return 0x9F;
        default:
            return c;
    }
}

unsigned char lowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(c + 0x10);
        case 0x9F:  // Ÿ
            return 0xFF;
        default:
            return c;
    }
}

bool separatesWords(unsigned char c) {
    return c == ' ' || c == '\0' || (c >= '\t' && c <= '\r');
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string nameLine(std::string_view name) {
    FieldWriter writer;
    writer.writeString(name).endLine();
    return writer.text();
}

}  // namespace

std::string properCase(std::string_view name) {
    std::string bytes = utf8ToCp1252(name);
    bool wordStart = true;
    for (char& c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        c = static_cast<char>(wordStart ? upperByte(b) : lowerByte(b));
        wordStart = separatesWords(b);
    }
    return cp1252ToUtf8(bytes);
}

std::string storableName(std::string_view name) {
    std::string text;
    for (const char c : name) {
        if (c == '"') {
            text += '\'';
        } else if (c == '\r' || c == '\n') {
            text += ' ';
        } else {
            text += c;
        }
    }
    return cp1252ToUtf8(utf8ToCp1252(text));
}

bool rosterOrderBefore(std::string_view a, std::string_view b) {
    const std::string x = utf8ToCp1252(a);
    const std::string y = utf8ToCp1252(b);
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char l, char r) {
        return lowerByte(static_cast<unsigned char>(l)) < lowerByte(static_cast<unsigned char>(r));
    });
}

std::vector<std::string> parseRosterNames(const std::string& text, const std::string& source) {
    FieldReader in(text, source);
    std::vector<std::string> names;
    while (!in.atEnd())
        names.push_back(in.readString());
    return names;
}

std::vector<std::string> readRosterNames(const AppFolder& folder) {
    const auto path = folder.dataFile(kRosterFileName);
    return parseRosterNames(readTextFile(path, kMaxRosterFileBytes), shownFileName(path));
}

void appendRosterName(const AppFolder& folder, std::string_view name) {
    appendTextFile(folder.dataFile(kRosterFileName), nameLine(name));
}

void writeRosterNames(const AppFolder& folder, const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += nameLine(name);
    writeTextFileAtomic(folder.dataFile(kRosterFileName), text);
}

std::string laneRacerNamesText(const LaneTable<std::string>& names) {
    FieldWriter writer;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        writer.writeString(names[lane]);
    return writer.endLine().text();
}

void parseLaneRacerNames(const std::string& text, const std::string& source,
                         LaneTable<std::string>& names) {
    FieldReader in(text, source);
    LaneTable<std::string> read{};
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        read[lane] = in.readString();
    names = std::move(read);
}

void readLaneRacerNames(const AppFolder& folder, LaneTable<std::string>& names) {
    const auto path = folder.dataFile(kLaneRacersFileName);
    parseLaneRacerNames(readTextFile(path, kMaxLaneRacersFileBytes), shownFileName(path), names);
}

void writeLaneRacerNames(const AppFolder& folder, const LaneTable<std::string>& names) {
    writeTextFileAtomic(folder.dataFile(kLaneRacersFileName), laneRacerNamesText(names));
}

void RosterList::insertSorted(std::string name) {
    const auto place = std::upper_bound(
        names_.begin(), names_.end(), name,
        [](const std::string& a, const std::string& b) { return rosterOrderBefore(a, b); });
    names_.insert(place, std::move(name));
}

std::optional<std::size_t> RosterList::firstSelected(
    const std::vector<std::size_t>& selected) const {
    std::optional<std::size_t> first;
    for (const auto position : selected) {
        if (position < names_.size() && (!first || position < *first)) first = position;
    }
    return first;
}

std::string RosterList::countText() const {
    return "Total number of Racers: " + std::to_string(names_.size());
}

void RosterList::Load() {
    names_.clear();
    try {
        // Sorted once as a whole, the order names of equal rank keep as in the
        // file: a club's roster of thousands loads at once.
        names_ = readRosterNames(folder_);
        std::stable_sort(
            names_.begin(), names_.end(),
            [](const std::string& a, const std::string& b) { return rosterOrderBefore(a, b); });
    } catch (const QelError& e) {
        prompter_.inform(e.what());
    }
}

void RosterList::Add() {
    const auto answer = prompter_.input("Enter new Racer name", "Add Racer", "");
    if (!answer) return;
    const std::string name = properCase(trimBlanks(storableName(*answer)));
    if (name.empty()) return;
    if (std::find(names_.begin(), names_.end(), name) != names_.end()) {
        prompter_.inform(name + " already exists", "Racer");
        return;
    }
    try {
        appendRosterName(folder_, name);
    } catch (const QelError& e) {
        prompter_.inform(e.what());
        return;
    }
    insertSorted(name);
}

void RosterList::Modify(const std::vector<std::size_t>& selected) {
    const auto position = firstSelected(selected);
    if (!position) {
        prompter_.inform("Select name from list to modify", "Modify Racer",
                         MessageIcon::Information);
        return;
    }
    auto changed = names_;
    const auto answer = prompter_.input("Modify Racer name", "Modify Racer", names_[*position]);
    if (answer && !answer->empty()) changed[*position] = properCase(storableName(*answer));
    try {
        writeRosterNames(folder_, changed);
    } catch (const QelError& e) {
        prompter_.inform(e.what());
        return;
    }
    names_ = std::move(changed);
}

void RosterList::Delete(const std::vector<std::size_t>& selected) {
    const auto position = firstSelected(selected);
    if (!position) {
        prompter_.inform("Select name from list to delete", "Delete Racer",
                         MessageIcon::Information);
        return;
    }
    auto remaining = names_;
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(*position));
    try {
        writeRosterNames(folder_, remaining);
    } catch (const QelError& e) {
        prompter_.inform(e.what());
        return;
    }
    names_ = std::move(remaining);
}

}  // namespace qel
