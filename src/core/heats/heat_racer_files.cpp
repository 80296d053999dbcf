#include "core/heats/heat_racer_files.h"

#include <algorithm>

#include "core/io/errors.h"
#include "core/io/fields.h"
#include "core/io/text_codec.h"
#include "core/io/text_file.h"
#include "core/setup/roster.h"

namespace qel {

namespace {

// Tabs and line ends belong in a text file; any other control byte means the
// file is something else (a spreadsheet, a picture, a program).
bool controlByte(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}

std::vector<std::string> readNameFile(const std::filesystem::path& path, std::size_t maxBytes) {
    return parseNameList(readBinaryFile(path, maxBytes), shownFileName(path));
}

}  // namespace

std::vector<std::string> parseNameList(std::string_view bytes, const std::string& source) {
    if (std::any_of(bytes.begin(), bytes.end(),
                    [](char c) { return controlByte(static_cast<unsigned char>(c)); })) {
        throw QelError(source +
                       " is not a list of racer names: it holds characters no text file "
                       "holds.");
    }
    FieldReader in{std::string(bytes), source};
    std::vector<std::string> names;
    while (!in.atEnd()) {
        const std::string field = in.readString();
        if (field.find_first_not_of(" \t") == std::string::npos) continue;
        if (field.size() > kMaxListedNameLength) {
            throw QelError(source + " is not a list of racer names: \"" +
                           cp1252ToUtf8(field.substr(0, 20)) + "...\" is longer than " +
                           std::to_string(kMaxListedNameLength) + " characters.");
        }
        if (names.size() == kMaxListedNames) {
            throw QelError(source + " holds more than " + std::to_string(kMaxListedNames) +
                           " names; a heat race has at most " + std::to_string(kMaxListedNames) +
                           " racers.");
        }
        // A name the files could not give back as it stands (a quote inside it)
        // is stored the way it will read back.
        names.push_back(storableName(cp1252ToUtf8(field)));
    }
    return names;
}

std::vector<std::string> readRoundRobinChamp(const AppFolder& folder) {
    return readNameFile(folder.dataFile(kRoundRobinChampFileName), kMaxRoundRobinChampBytes);
}

std::string roundRobinChampText(const HeatTables& tables) {
    FieldWriter writer;
    const int racers = std::clamp<int>(tables.racerCount, 0, kMaxRacers);
    for (int racer = 1; racer <= racers; ++racer)
        writer.writeString(tables.heatRacers[racer].name).endLine();
    return writer.text();
}

void writeRoundRobinChamp(const AppFolder& folder, const HeatTables& tables) {
    writeTextFileAtomic(folder.dataFile(kRoundRobinChampFileName), roundRobinChampText(tables));
}

std::vector<std::string> readQualifiersFile(const std::filesystem::path& path) {
    return readNameFile(path, kMaxQualifiersFileBytes);
}

}  // namespace qel
