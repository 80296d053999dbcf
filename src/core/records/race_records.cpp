#include "core/records/race_records.h"

#include <exception>
#include <filesystem>

#include "core/io/errors.h"
#include "core/io/format.h"
#include "core/io/text_file.h"
#include "core/records/heat_log.h"
#include "core/records/record_texts.h"
#include "core/records/spreadsheet_export.h"
#include "core/records/summary_grid.h"

namespace qel {

namespace {

// Read-only box ticked, overwrite prompt, path must exist.
constexpr int kSaveFlags = kReadOnlyChecked | kOverwritePrompt | kPathMustExist;
constexpr int kOpenFlags = kReadOnlyChecked | kFileMustExist;

bool holds(const std::string& name, const char* part) {
    return name.find(part) != std::string::npos;
}

}  // namespace

RecordFormat recordFormatOf(const std::string& fileName) {
    return holds(fileName, ".txt") ? RecordFormat::Text : RecordFormat::Grid;
}

RaceRecords::RaceRecords(RecordSources sources, const HeatTables& heats, RecordServices services)
    : sources_(sources),
      heats_(heats),
      services_(services),
      summaryGrid_(makeSummaryGrid()),
      lapGrid_(makeLapGrid()) {}

bool RaceRecords::fillSummary() {
    summaryLanes_ = sources_.state.laneCount;
    return FillSummaryGrid(summaryGrid_, sources_, services_.prompter);
}

LapGridFill RaceRecords::fillLaps() {
    lapLanes_ = sources_.state.laneCount;
    return FillLapGrid(lapGrid_, sources_, services_.prompter);
}

const std::string& RaceRecords::stamp() {
    std::string& raceStamp = sources_.state.raceStamp;
    if (raceStamp.empty()) raceStamp = formatDate(services_.clock.now(), "MMM-DD, H-MM");
    return raceStamp;
}

std::optional<std::string> RaceRecords::chooseSaveFile(const char* title, const char* filter,
                                                       int filterIndex, const char* baseName) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.filterIndex = filterIndex;
    request.flags = kSaveFlags;
    request.fileName = (services_.folder.root() / (std::string(baseName) + stamp())).string();
    request.initialDir = services_.folder.root().string();
    return services_.fileDialog.showSave(request);
}

bool RaceRecords::saveChosen(const std::optional<std::string>& path,
                             void (RaceRecords::*save)(const std::string&)) {
    if (!path || path->empty()) return false;
    try {
        (this->*save)(*path);
    } catch (const std::exception& e) {
        services_.prompter.inform(e.what());
        return false;
    }
    reportSaved(*path);
    return true;
}

bool RaceRecords::saveSummary() {
    return saveChosen(chooseSaveFile("Save Summary File", kSummaryFilter, 1, "Summary "),
                      &RaceRecords::saveSummaryTo);
}

bool RaceRecords::saveLaps() {
    return saveChosen(chooseSaveFile("Save Laps File", kLapFilter, 2, "Laps "),
                      &RaceRecords::saveLapsTo);
}

void RaceRecords::saveSummaryTo(const std::string& path) {
    const std::string text = recordFormatOf(path) == RecordFormat::Text
                                 ? SaveSummaryToText(sources_, services_.prompter).fileText()
                                 : gridFileText(summaryGrid_, summaryLanes_, kSummaryCols,
                                                sources_.records.fileTitleLine);
    writeTextFileAtomic(path, text);
    sources_.state.summaryUnsaved = false;
}

void RaceRecords::saveLapsTo(const std::string& path) {
    const std::string text =
        recordFormatOf(path) == RecordFormat::Text
            ? SaveLapTimesToText(sources_).fileText()
            : gridFileText(lapGrid_, lapLanes_, lapLanes_ + 1, sources_.records.fileTitleLine);
    writeTextFileAtomic(path, text);
    sources_.state.lapsUnsaved = false;
}

bool RaceRecords::exportGrid(const char* baseName,
                             void (RaceRecords::*exportTo)(const std::string&)) {
    std::string& raceStamp = sources_.state.raceStamp;
    raceStamp = ExportStamp(services_.clock.now());
    std::string& proposed = sources_.records.exportPath;
    proposed = (services_.folder.statsFolder() / (std::string(baseName) + raceStamp)).string();
    const std::optional<std::string> path = chooseSpreadsheetFile(proposed, services_.fileDialog);
    if (!path) return false;
    try {
        (this->*exportTo)(*path);
    } catch (const std::exception& e) {
        services_.prompter.inform(e.what());
        return false;
    }
    return true;
}

bool RaceRecords::exportSummary() {
    return exportGrid("Summary ", &RaceRecords::exportSummaryTo);
}

bool RaceRecords::exportLaps() {
    return exportGrid("Laps ", &RaceRecords::exportLapsTo);
}

void RaceRecords::exportSummaryTo(const std::string& path) {
    writeGridSpreadsheet(summaryGrid_, path);
    sources_.state.summaryUnsaved = false;
}

void RaceRecords::exportLapsTo(const std::string& path) {
    writeGridSpreadsheet(lapGrid_, path);
    sources_.state.lapsUnsaved = false;
}

void RaceRecords::reportSaved(const std::string& path) {
    services_.prompter.message("File " + path + " has been saved", "File Saved",
                               MessageIcon::Information, MessageButtons::Ok);
}

void RaceRecords::open(RecordViews& views) {
    FileDialogRequest request;
    request.filter = kOpenFilter;
    request.filterIndex = 1;
    request.flags = kOpenFlags;
    request.initialDir = services_.folder.root().string();
    const auto chosen = services_.fileDialog.showOpen(request);
    if (!chosen || chosen->empty()) return;
    const std::string& path = *chosen;
    try {
        if (holds(path, ".txt")) {
            if (!services_.shell.openDocument(path))
                services_.prompter.inform("No program on this computer opened " + path + ".");
            return;
        }
        // Read whole before any grid changes, so a bad file leaves the windows as they were.
        if (holds(path, ".lap")) {
            const GridFileContents file = readLapFile(path);
            sources_.records.fileTitleLine = file.titleLine;
            showLapFile(lapGrid_, file);
            lapLanes_ = file.laneCount;
            views.showLapFile(path);
        } else {
            const GridFileContents file = readSummaryFile(path);
            sources_.records.fileTitleLine = file.titleLine;
            showSummaryFile(summaryGrid_, file);
            summaryLanes_ = file.laneCount;
            views.showSummaryFile(path);
        }
    } catch (const std::exception& e) {
        services_.prompter.inform(e.what());
    }
}

void RaceRecords::rotateHeatLog() {
    try {
        RotateHeatLog(heatLogPath(services_.folder), services_.clock.now());
    } catch (const std::exception& e) {
        sources_.board.recordsNotice = std::string("The heat log was not archived: ") + e.what();
    }
}

void RaceRecords::saveHeatToLog() {
    try {
        AppendHeatLog(heatLogPath(services_.folder), heats_, sources_.state.laneCount,
                      sources_.setup.raceSettings().raceFormatName == "Championship",
                      services_.clock.now());
        sources_.board.recordsNotice.clear();
    } catch (const std::exception& e) {
        // The heats go on: the race director reads on the board what was not logged.
        sources_.board.recordsNotice =
            "Heat " + std::to_string(heats_.currentHeat) + " is not in the heat log: " + e.what();
    }
}

}  // namespace qel
