#pragma once
// The two fixed-column text reports: the summary (one line per position or
// lane) and the lap times (one line per lap). Each comes in two halves, the
// header and the body; the saved file is the header, CR LF, the body, CR LF.
#include <string>

#include "core/records/record_sources.h"
#include "core/seams/prompter.h"

namespace qel {

struct RecordText {
    std::string header;
    std::string body;
    // The file as saved: each half printed with its own line end.
    std::string fileText() const { return header + "\r\n" + body + "\r\n"; }
};

// Computes the figures by the text file's rules (and stores them back). A race
// without standings yet shows "Insufficent data to display summary" and gets
// the header lines only.
RecordText SaveSummaryToText(const RecordSources& sources, Prompter& prompter);
RecordText SaveLapTimesToText(const RecordSources& sources);

}  // namespace qel
