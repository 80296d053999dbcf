#include "core/records/auto_save.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <system_error>

#include "core/io/format.h"
#include "core/io/text_file.h"
#include "core/records/lap_grid.h"
#include "core/records/race_web_page.h"
#include "core/records/record_texts.h"
#include "core/records/spreadsheet_export.h"
#include "core/records/summary_grid.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

// The fills and reports tell of a race without standings in message boxes;
// a save that makes itself asks nobody anything.
class SilentPrompter : public Prompter {
  public:
    MessageAnswer message(const std::string&, const std::string&, MessageIcon, MessageButtons,
                          DefaultButton) override {
        return MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
};

struct PlannedFile {
    fs::path path;
    std::function<void(const fs::path&)> write;
};

}  // namespace

AutoSave::AutoSave(RecordSources sources, const AutoSaveSettings& settings, const AppFolder& folder)
    : sources_(sources), settings_(settings), folder_(folder) {}

std::vector<fs::path> AutoSave::saveRace() {
    if (!settings_.any()) return {};
    RaceState& state = sources_.state;
    std::string stamp = state.raceStamp;
    if (stamp.empty()) stamp = "Race";

    // Grids of their own, in lap order, so the windows keep what they show
    // (a file opened, the laps sorted by time).
    SilentPrompter silent;
    RecordsState records = sources_.records;
    records.lapsSortedByTime = false;
    const RecordSources sources{state,          sources_.setup,  sources_.installation,
                                sources_.board, sources_.points, records};
    GridModel summary = makeSummaryGrid();
    GridModel laps = makeLapGrid();
    FillSummaryGrid(summary, sources, silent);
    FillLapGrid(laps, sources, silent);

    struct Kind {
        bool wanted;
        const char* base;
        const char* extension;
        std::function<void(const fs::path&)> write;
    };
    const std::vector<Kind> kinds{
        {settings_.spreadsheets, "Summary ", ".xls",
         [&](const fs::path& p) { writeGridSpreadsheet(summary, p); }},
        {settings_.spreadsheets, "Laps ", ".xls",
         [&](const fs::path& p) { writeGridSpreadsheet(laps, p); }},
        {settings_.textFiles, "Summary ", ".txt",
         [&](const fs::path& p) {
             writeTextFileAtomic(p, SaveSummaryToText(sources, silent).fileText());
         }},
        {settings_.textFiles, "Laps ", ".txt",
         [&](const fs::path& p) {
             writeTextFileAtomic(p, SaveLapTimesToText(sources).fileText());
         }},
        {settings_.webPage, "Race ", ".html",
         [&](const fs::path& p) {
             const int summaryRows = 2 + std::clamp<int>(state.laneCount, 0, kMaxLanes);
             writeBinaryFileAtomic(
                 p, raceWebPage(state.raceTitle, summary, summaryRows, laps, records.lapRowEnd));
         }},
    };

    // One suffix for the whole set, the first under which none of its files exists yet.
    const fs::path stats = folder_.statsFolder();
    std::vector<PlannedFile> planned;
    for (int n = 1; planned.empty(); ++n) {
        const std::string suffix = n == 1 ? "" : " (" + std::to_string(n) + ")";
        bool taken = false;
        std::vector<PlannedFile> names;
        for (const Kind& kind : kinds) {
            if (!kind.wanted) continue;
            const fs::path path = stats / (kind.base + stamp + suffix + kind.extension);
            std::error_code ec;
            taken = taken || fs::exists(path, ec);
            names.push_back({path, kind.write});
        }
        if (!taken) planned = std::move(names);
    }

    std::vector<fs::path> written;
    std::string failures;
    for (const PlannedFile& file : planned) {
        try {
            file.write(file.path);
            written.push_back(file.path);
        } catch (const std::exception& e) {
            failures += failures.empty() ? "" : " ";
            failures += e.what();
        }
    }

    // The saved race counts as saved: Reset and Exit have nothing to warn of.
    if (failures.empty()) {
        state.summaryUnsaved = false;
        state.lapsUnsaved = false;
        if (!notice_.empty() && sources_.board.recordsNotice == notice_)
            sources_.board.recordsNotice.clear();
        notice_.clear();
    } else {
        notice_ = "The race was not saved automatically: " + failures;
        sources_.board.recordsNotice = notice_;
    }
    return written;
}

}  // namespace qel
