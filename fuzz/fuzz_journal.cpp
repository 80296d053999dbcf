// A race journal from anywhere (damaged by a crash on another machine, cut
// short, not a journal at all) is read or refused with the program's own
// error: finding an interrupted race and reading a race never crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/io/errors.h"
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
        if (const auto race = journal.interruptedRace()) journal.loadRace(*race);
        if (const auto race = journal.lastRace()) journal.loadRace(*race);
        journal.loadRace(1);
    } catch (const qel::QelError&) {
    }
    return 0;
}
