// A .sum or .lap file from anywhere (another club's, a damaged one, not one at all) is read
// into its grid or refused with a message; the grid never takes more than it can hold. The
// first byte picks the kind of file, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/io/errors.h"
#include "core/io/text_codec.h"
#include "core/records/lap_grid.h"
#include "core/records/record_files.h"
#include "core/records/summary_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text =
        qel::cp1252ToUtf8(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    try {
        if (data[0] % 2 == 0) {
            qel::GridModel grid = qel::makeSummaryGrid();
            qel::showSummaryFile(grid, qel::parseSummaryFile(text, "race.sum"));
        } else {
            qel::GridModel grid = qel::makeLapGrid();
            qel::showLapFile(grid, qel::parseLapFile(text, "race.lap"));
            if (grid.rows() > qel::kLapGridRows + 1) __builtin_trap();
        }
    } catch (const qel::QelError&) {
    }
    return 0;
}
