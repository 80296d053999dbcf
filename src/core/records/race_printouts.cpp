#include "core/records/race_printouts.h"

#include <algorithm>
#include <array>
#include <exception>

#include "core/engine/lap_counting.h"
#include "core/io/format.h"
#include "core/records/print_grid.h"
#include "core/records/race_statistics.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

constexpr double kTitlePoints = 20;
constexpr double kBodyPoints = 12;
constexpr int kLapColumnStep = 11;
constexpr std::array<const char*, kMaxLanes + 1> kPlaces{
    "", "First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth"};

bool validLane(int lane) {
    return lane >= 1 && lane <= kMaxLanes;
}

// Items at tab columns: {column, text}.
struct Item {
    int column;
    const char* text;
};

void line(PrintLines& lines, std::initializer_list<Item> items) {
    for (const Item& item : items) {
        lines.tab(item.column);
        lines.text(item.text);
    }
    lines.endLine();
}

void raceHeader(PrintLines& lines) {
    line(lines, {{6, "Pos"},
                 {23, "Lane"},
                 {31, "Total"},
                 {39, "Total"},
                 {53, "Lag"},
                 {61, "Lag"},
                 {69, "Best"},
                 {77, "Best"},
                 {84, "Avg"}});
    line(lines, {{8, "Name"},
                 {23, "Color"},
                 {31, "Laps"},
                 {39, "Time"},
                 {53, "First"},
                 {61, "Behind"},
                 {69, "MPH"},
                 {77, "Lap"},
                 {84, "Time"},
                 {92, "Med"},
                 {99, "Crash"},
                 {107, "%"}});
}

void practiceHeader(PrintLines& lines) {
    line(lines,
         {{23, "Lane"}, {31, "Total"}, {39, "Total"}, {53, "Best"}, {61, "Best"}, {69, "Avg"}});
    line(lines, {{6, "Name"},
                 {23, "Color"},
                 {31, "Laps"},
                 {39, "Time"},
                 {53, "MPH"},
                 {61, "Lap"},
                 {69, "Time"},
                 {77, "Med"},
                 {84, "Crash"},
                 {92, "%"}});
}

void at(PrintLines& lines, int column, const std::string& text) {
    lines.tab(column);
    lines.text(text);
}

// One row: place is the position (race) or 0 (practice).
void summaryRow(PrintLines& lines, const RecordSources& sources, int lane, int place) {
    RaceState& state = sources.state;
    const bool practice = place == 0;
    const int offset = sources.setup.firstLapOffset();
    const std::string colour(laneColourName(sources.installation, lane));
    if (laneDisabledIn(sources, lane)) {
        at(lines, 6, practice ? " Disabled" : std::to_string(place) + " Disabled");
        at(lines, 23, colour);
        lines.endLine();
        return;
    }
    const std::string& name = state.laneRacerName[lane];
    at(lines, 6, practice ? name : std::to_string(place) + " " + name);
    at(lines, 23, colour);
    if (!hasSufficientData(SummaryOutput::Print, practice, state.lapCount[lane], offset)) {
        at(lines, 31, " Insufficent data to display summary");
        lines.endLine();
        return;
    }
    const float average = updateAverageLap(state, lane, SummaryOutput::Print, offset);
    const int16_t crashes = updateCrashCount(state, lane, SummaryOutput::Print, practice);
    const int16_t percent = updateCrashPercent(state, lane);
    lines.tab(31);
    lines.number(state.lapCount[lane]);
    at(lines, 39, totalTimeText(state.lastPassMs[lane]));
    const int speedColumn = practice ? 53 : 69;
    if (!practice) {
        at(lines, 53, state.lagFirstText[lane]);
        at(lines, 61, state.lagBehindText[lane]);
    }
    at(lines, speedColumn, speedText(state, lane));
    at(lines, speedColumn + 8, bestLapSecondsText(state, lane, practice ? 2 : 3));
    lines.tab(practice ? 69 : 84);
    lines.number(average);
    at(lines, practice ? 77 : 92, state.medianText[lane]);
    lines.tab(practice ? 84 : 99);
    if (practice) {
        lines.number(crashes);
    } else {
        lines.text(std::to_string(crashes));
    }
    lines.tab(practice ? 92 : 107);
    lines.number(percent);
    lines.endLine();
}

}  // namespace

void layoutSummary(PrintLines& lines, const RecordSources& sources, double now) {
    const RaceState& state = sources.state;
    const bool practice = sources.setup.practiceMode();
    lines.setLandscape(true);
    for (int i = 0; i < 3; ++i)
        lines.endLine();
    lines.setFontSize(kTitlePoints);
    at(lines, 10, sources.installation.trackName);
    lines.endLine();
    at(lines, 10, "Summary,  " + state.raceTitle);
    lines.endLine();
    lines.setFontSize(kBodyPoints);
    at(lines, 17, formatDate(now, "MMM-DD, H:MM"));
    lines.endLine();
    lines.endLine();
    if (practice) {
        practiceHeader(lines);
    } else {
        raceHeader(lines);
    }
    const int rows = std::clamp<int>(state.laneCount, 0, kMaxLanes);
    for (int row = 1; row <= rows; ++row) {
        const int lane = practice ? row : state.runningOrder[row];
        // No standings yet: no lane in that place, nothing to print for it.
        if (!validLane(lane)) continue;
        summaryRow(lines, sources, lane, practice ? 0 : row);
    }
}

void layoutLaps(PrintLines& lines, const RecordSources& sources) {
    const RaceState& state = sources.state;
    const int lanes = std::clamp<int>(state.laneCount, 0, kMaxLanes);
    lines.setFontSize(kTitlePoints);
    lines.endLine();
    lines.endLine();
    at(lines, 9, sources.installation.trackName);
    lines.endLine();
    at(lines, 9, state.raceTitle);
    lines.endLine();
    lines.setFontSize(kBodyPoints);
    lines.endLine();

    // Columns are places: the lane in each position, in practice too. Each
    // line starts where its first column lies left of the one before.
    const auto laneAt = [&](int place) { return static_cast<int>(state.runningOrder[place]); };
    for (int place = 1; place <= lanes; ++place)
        at(lines, place * kLapColumnStep + 1, kPlaces[place]);
    for (int place = 1; place <= lanes; ++place) {
        const int lane = laneAt(place);
        at(lines, place * kLapColumnStep + 1,
           validLane(lane) ? std::string(laneColourName(sources.installation, lane))
                           : std::string());
    }
    for (int place = 1; place <= lanes; ++place) {
        const int lane = laneAt(place);
        // A disabled lane is printed as such; the lane keeps its racer's name.
        std::string name;
        if (validLane(lane))
            name = laneDisabledIn(sources, lane) ? " Disabled" : state.laneRacerName[lane];
        at(lines, place * kLapColumnStep + 1, name);
    }

    const auto lapTime = [&](int place, int lap) {
        const int lane = laneAt(place);
        return validLane(lane) ? state.lapTimes[lane][lap] : 0.0f;
    };
    // The first lap line is always printed, even before the leader has a lap.
    for (int lap = std::max(sources.setup.firstLapOffset() + 1, 0); lap <= kMaxLap; ++lap) {
        lines.tab(7);
        lines.number(lap);
        for (int place = 1; place <= lanes; ++place)
            at(lines, place * kLapColumnStep + 1, formatSingle(lapTime(place, lap), "0.000"));
        bool more = false;
        for (int place = 1; place <= lanes && lap < kMaxLap; ++place)
            more = more || lapTime(place, lap + 1) != 0.0f;
        if (!more) break;
    }
    lines.endLine();
}

RacePrintouts::RacePrintouts(RecordSources sources, const HeatTables& heats,
                             PrintoutServices services)
    : sources_(sources), heats_(heats), services_(services), lines_(services.printer) {}

std::string RacePrintouts::jobName(const char* baseName) const {
    const std::string& stamp = sources_.state.raceStamp;
    return baseName + (stamp.empty() ? formatDate(services_.clock.now(), "MMM-DD, H-MM") : stamp);
}

bool RacePrintouts::attempt(PrintLines& lines, const std::function<void()>& print) {
    try {
        print();
        return true;
    } catch (const std::exception&) {
        // A job cut short still goes out with what it has, and the next
        // printout starts a job of its own.
        try {
            lines.endDoc();
        } catch (const std::exception&) {
        }
        services_.prompter.message(kPrintProblem, "", MessageIcon::None, MessageButtons::Ok);
        return false;
    }
}

void RacePrintouts::tellWhere(bool automatic) {
    if (!services_.printer.printsToFile()) return;
    const std::string where = services_.printer.destination();
    if (automatic) {
        // Between heats no box waits for an answer: the board's status line says it.
        sources_.board.recordsNotice = "No printer: the printout is in " + where;
    } else {
        services_.prompter.message(
            "There is no printer, so the printout was saved as " + where + ".", "Print",
            MessageIcon::Information, MessageButtons::Ok);
    }
}

bool RacePrintouts::PrintSummary(bool endDoc) {
    const bool ends = endDoc || heats_.racerCount > 10;
    const bool printed = attempt(lines_, [&] {
        if (!services_.printer.isActive()) lines_.setJobName(jobName("Summary "));
        layoutSummary(lines_, sources_, services_.clock.now());
        if (ends) lines_.endDoc();
    });
    if (printed && ends) tellWhere(automatic_);
    return printed;
}

bool RacePrintouts::PrintLaps() {
    const bool printed = attempt(lines_, [&] {
        lines_.setJobName(jobName("Laps "));
        layoutLaps(lines_, sources_);
        lines_.endDoc();
    });
    if (printed) tellWhere(false);
    return printed;
}

void RacePrintouts::AutoPrintSummary(bool endDoc) {
    // The printout shows each lane's median lap as the summary window has it.
    subSortLapTimes(sources_.state);
    automatic_ = true;
    PrintSummary(endDoc);
    automatic_ = false;
}

void RacePrintouts::AutoPrintResults(bool endDoc) {
    const bool printed = attempt(lines_, [&] {
        if (resultsSlip_) {
            resultsSlip_(lines_, endDoc);
        } else if (endDoc) {
            // No results slip to add: the summary the job holds goes out.
            lines_.endDoc();
        }
    });
    if (printed && endDoc && !services_.printer.isActive()) tellWhere(true);
}

bool RacePrintouts::PrintResults() {
    if (!resultsSlip_) return false;
    const bool printed = attempt(lines_, [&] {
        if (!services_.printer.isActive()) lines_.setJobName(jobName("Results "));
        resultsSlip_(lines_, true);
    });
    if (printed) tellWhere(false);
    return printed;
}

void RacePrintouts::autoPrint() {
    AutoPrintSummary(false);
    AutoPrintResults(true);
}

bool RacePrintouts::previewSummary(PrintSurface& preview) {
    PrintLines lines(preview);
    return attempt(lines, [&] {
        lines.setJobName(jobName("Summary "));
        layoutSummary(lines, sources_, services_.clock.now());
        lines.endDoc();
    });
}

bool RacePrintouts::previewLaps(PrintSurface& preview) {
    PrintLines lines(preview);
    return attempt(lines, [&] {
        lines.setJobName(jobName("Laps "));
        layoutLaps(lines, sources_);
        lines.endDoc();
    });
}

}  // namespace qel
