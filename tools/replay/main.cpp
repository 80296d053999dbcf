// qeltimer-replay: a race without windows, for tests, benchmarks and for
// checking what the program makes of a recorded box stream.
#include <cstdio>
#include <exception>
#include <memory>

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
