// qeltimer-replay: a race without windows, for tests, benchmarks and for
// checking what the program makes of a recorded box stream.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>

#include "core/io/errors.h"
#include "platform/sqlite_journal_store.h"
#include "replay.h"
#include "replay_printers.h"

int main(int argc, char** argv) {
    qel::replay::ReplayOptions options;
    const std::string error = qel::replay::parseOptions(argc, argv, options);
    if (error == "help") {
        std::fputs(qel::replay::usage().c_str(), stdout);
        return 0;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "qeltimer-replay: %s\n\n%s", error.c_str(),
                     qel::replay::usage().c_str());
        return 2;
    }
    try {
        if (options.journalFile) {
            // A journal that is not there is not made by reading it.
            if (!std::filesystem::exists(*options.journalFile))
                throw qel::QelError("No race journal at " + *options.journalFile + ".");
            qel::platform::SqliteJournalStore journal(*options.journalFile);
            const std::optional<int64_t> race =
                options.journalRace ? options.journalRace : journal.lastRace();
            const std::optional<qel::JournalRecord> record =
                race ? journal.loadRace(*race) : std::nullopt;
            if (!record) throw qel::QelError("The race journal holds no such race.");
            qel::replay::useJournalledRace(*record, options);
        }
        std::unique_ptr<qel::replay::QtPdfPrinters> pdf;
        if (options.printSummary || options.printLaps)
            pdf = std::make_unique<qel::replay::QtPdfPrinters>(argc, argv);
        const qel::replay::PdfPrinters printers =
            pdf ? pdf->printers() : qel::replay::PdfPrinters();
        std::fputs(qel::replay::toJson(qel::replay::runReplay(options, printers)).c_str(), stdout);
        std::fputs("\n", stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qeltimer-replay: %s\n", e.what());
        return 1;
    }
    return 0;
}
