// A race journal from anywhere (damaged by a crash on another machine, cut
// short, not a journal at all) is read or refused with the program's own
// error: finding an interrupted race, reading a race and judging whether it
// (a heat with its series) can be put back never crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/io/errors.h"
#include "core/journal/race_restore.h"
#include "platform/sqlite_journal_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("qeltimer-fuzz-journal-" + std::to_string(::getpid()) + ".sqlite");
    for (const char* part : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + part);
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        qel::platform::SqliteJournalStore journal(file);
        const auto read = [&](std::optional<int64_t> race) {
            if (!race) return;
            if (const auto record = journal.loadRace(*race)) qel::restorable(*record);
        };
        read(journal.interruptedRace());
        read(journal.lastRace());
        read(1);
    } catch (const qel::QelError&) {
    }
    return 0;
}
