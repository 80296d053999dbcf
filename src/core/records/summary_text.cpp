#include "core/records/record_texts.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/io/format.h"
#include "core/records/race_statistics.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kInsufficient = " Insufficent data to display summary";

// The value left-aligned in width characters; a longer value is cut to the
// field so the columns below the header stay in line.
std::string field(std::string_view value, int width) {
    return formatText(value, "!" + std::string(static_cast<std::size_t>(width), '@'));
}

std::string field(int value, int width) {
    return field(std::to_string(value), width);
}

std::string raceHeader() {
    return field(" Pos", 12) + field("Lane", 7) + field("Total", 6) + field("Total", 11) +
           field("Lag", 6) + field("Lag", 7) + field("Best", 7) + field("Best", 6) +
           field("Avg", 6) + std::string(kLineEnd) + field(" Name", 12) + field("Color", 7) +
           field("Laps", 6) + field("Time", 11) + field("First", 6) + field("Behind", 7) +
           field("MPH", 7) + field("Lap", 6) + field("Time", 6) + field("Med", 6) +
           field("Crash", 5) + " %" + std::string(kLineEnd);
}

std::string practiceHeader() {
    return field("Racer", 10) + field("Lane", 7) + field("Total", 6) + field("Best", 7) +
           field("Best", 7) + field("Ave", 7) + std::string(kLineEnd) + field("Name", 10) +
           field("Color", 7) + field("Laps", 6) + field("MPH", 7) + field("Lap", 7) +
           field("Time", 7) + field("Med", 6) + field("Crash", 6) + " %" + std::string(kLineEnd);
}

// The column widths of a lane line; the two layouts differ in them and in
// what comes before the name.
struct LaneLayout {
    int notedName;  // the name before the "Insufficent" notice
    int name;
    int colour;
    int laps;
    int speed;
    int best;
    int bestDecimals;
    int average;
    int median;
    int crashes;
};

constexpr LaneLayout kRaceLayout{10, 10, 8, 5, 7, 6, 3, 6, 8, 4};
constexpr LaneLayout kPracticeLayout{9, 10, 8, 5, 7, 7, 2, 7, 7, 6};

class SummaryLines {
  public:
    explicit SummaryLines(const RecordSources& sources)
        : sources_(sources),
          state_(sources.state),
          practice_(sources.setup.practiceMode()),
          offset_(sources.setup.firstLapOffset()),
          layout_(practice_ ? kPracticeLayout : kRaceLayout) {}

    // The lane's line, closed by CR LF; place is 0 in practice (no position).
    std::string line(int lane, int place) {
        const std::string& name = state_.laneRacerName[lane];
        if (!hasSufficientData(SummaryOutput::TextFile, practice_, state_.lapCount[lane],
                               offset_)) {
            return field(name, layout_.notedName) + std::string(kInsufficient) +
                   std::string(kLineEnd);
        }
        const float average = updateAverageLap(state_, lane, SummaryOutput::TextFile, offset_);
        const int16_t crashes = updateCrashCount(state_, lane, SummaryOutput::TextFile, practice_);
        const int16_t percent = updateCrashPercent(state_, lane);

        std::string out;
        if (!practice_) out += std::to_string(place) + " ";
        out += field(name, layout_.name);
        out += field(laneColourName(sources_.installation, lane), layout_.colour);
        out += field(state_.lapCount[lane], layout_.laps);
        if (!practice_) {
            out += field(totalTimeText(state_.lastPassMs[lane]), 11);
            out += field(state_.lagFirstText[lane], 6);
            out += field(state_.lagBehindText[lane], 7);
        }
        // Without a second lap there is no speed, without a best lap no best:
        // their fields are left out and the rest of the line moves left.
        if (state_.lapCount[lane] > 1) out += field(speedText(state_, lane), layout_.speed);
        if (state_.bestLapMs[lane] != kNoBestLap)
            out += field(bestLapSecondsText(state_, lane, layout_.bestDecimals), layout_.best);
        out += field(formatSingle(average, "0.00"), layout_.average);
        out += field(state_.medianText[lane], layout_.median);
        out += field(crashes, layout_.crashes);
        out += std::to_string(percent);
        return out + std::string(kLineEnd);
    }

  private:
    const RecordSources& sources_;
    RaceState& state_;
    bool practice_;
    int offset_;
    LaneLayout layout_;
};

}  // namespace

RecordText SaveSummaryToText(const RecordSources& sources, Prompter& prompter) {
    const RaceState& state = sources.state;
    const bool practice = sources.setup.practiceMode();
    RecordText text;
    text.header = practice ? practiceHeader() : raceHeader();
    if (!practice && state.runningOrder[1] == 0) {
        prompter.inform("Insufficent data to display summary", "Summary", MessageIcon::Information);
        return text;
    }

    SummaryLines lines(sources);
    const int rows = std::min<int>(state.laneCount, kMaxLanes);
    for (int row = 1; row <= rows; ++row) {
        const int lane = practice ? row : state.runningOrder[row];
        if (lane < 1 || lane > kMaxLanes || laneDisabledIn(sources, lane)) continue;
        text.body += lines.line(lane, practice ? 0 : row);
    }
    return text;
}

}  // namespace qel
