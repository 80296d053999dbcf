#include "core/records/heat_log.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <system_error>

#include "core/io/dates.h"
#include "core/io/errors.h"
#include "core/io/format.h"
#include "core/io/text_codec.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLogName = "DefaultRaceFile.txt";
constexpr std::string_view kArchiveStem = "DefaultRaceFile";
constexpr std::size_t kNameWidth = 16;
// Far more archives than any club makes in one month.
constexpr int kMostArchivesOfAMonth = 1000;

// The first n characters of a longer text, else the text and blanks up to n.
std::string PadName(std::string_view text, std::size_t n) {
    if (utf8Length(text) > n) return std::string(utf8Prefix(text, n));
    return std::string(text) + std::string(n - utf8Length(text), ' ');
}

// The date and time as the desktop writes them by default (US): the time is
// left out at midnight, the date on day 0, as a date value reads in text.
std::string generalDateText(double now) {
    const DateTimeParts parts = fromDayCount(now);
    const bool hasTime = parts.hour != 0 || parts.minute != 0 || parts.second != 0;
    const bool hasDate = parts.year != 1899 || parts.month != 12 || parts.day != 30;
    if (!hasTime) return formatDate(now, "m/d/yyyy");
    if (!hasDate) return formatDate(now, "h:nn:ss AM/PM");
    return formatDate(now, "m/d/yyyy h:nn:ss AM/PM");
}

// Write output: a record is its text in double quotes on a line of its own.
void writeRecord(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += '"';
    out += kLineEnd;
}

std::string headerText(const HeatTables& heats, int laneCount, bool championship, double now) {
    std::string text = "Heat " + std::to_string(heats.currentHeat) + " of " +
                       std::to_string(heats.heatCount) + "\t" + generalDateText(now);
    text += kLineEnd;
    text += "Racers\t";
    for (int lane = 1; lane <= laneCount; ++lane) {
        text += "\tLane " + std::to_string(lane);
    }
    text += championship ? "\tPoints" : "\tTotal";
    return text;
}

// The racer's laps (or points) in every lane, each closed by a TAB, then the total.
std::string racerText(const HeatRacer& racer, int laneCount, bool championship) {
    std::string text = PadName(racer.name, kNameWidth);
    for (int lane = 1; lane <= laneCount; ++lane) {
        text += std::to_string(championship ? racer.pointsInLane[lane] : racer.lapsInLane[lane]);
        text += '\t';
    }
    text += std::to_string(championship ? racer.totalPoints : racer.totalLaps);
    return text;
}

fs::path archiveName(const fs::path& folder, const std::string& month, int copy) {
    std::string name = std::string(kArchiveStem) + month;
    if (copy > 1) name += " (" + std::to_string(copy) + ")";
    return folder / (name + ".txt");
}

}  // namespace

fs::path heatLogPath(const AppFolder& folder) {
    return folder.statsFile(kLogName);
}

void AppendHeatLog(const fs::path& logPath, const HeatTables& heats, int laneCount,
                   bool championship, double now) {
    const int lanes = std::clamp(laneCount, 0, kMaxLanes);
    std::string block;
    writeRecord(block, headerText(heats, lanes, championship, now));
    const int racers = std::clamp<int>(heats.racerCount, 0, kMaxRacers);
    for (int racer = 1; racer <= racers; ++racer) {
        writeRecord(block, racerText(heats.heatRacers[racer], lanes, championship));
    }
    // The last heat closes the race's blocks with an empty line of its own.
    if (heats.currentHeat == heats.heatCount) writeRecord(block, kLineEnd);
    appendTextFile(logPath, block);
}

std::optional<fs::path> RotateHeatLog(const fs::path& logPath, double now) {
    std::error_code error;
    const auto size = fs::file_size(logPath, error);
    if (error || size <= kHeatLogArchiveBytes) return std::nullopt;

    // "2004 11": one archive a month, and a further one beside it when the month already has one.
    const std::string month(utf8Prefix(formatDate(now, "yyyy mm dd, H-MM"), 7));
    const fs::path folder = logPath.parent_path();
    for (int copy = 1; copy <= kMostArchivesOfAMonth; ++copy) {
        const fs::path archive = archiveName(folder, month, copy);
        if (fs::exists(archive, error)) continue;
        fs::rename(logPath, archive, error);
        if (error) {
            throw QelError("Cannot archive the heat log " + shownFileName(logPath) + " as " +
                           shownFileName(archive) + ": " + error.message());
        }
        return archive;
    }
    throw QelError("Cannot archive the heat log " + shownFileName(logPath) +
                   ": every archive name of " + month + " is taken.");
}

}  // namespace qel
