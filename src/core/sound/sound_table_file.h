#pragma once
// QelSounds.dat in the sound folder: the three lap-sound switches, their three
// file names and one switch per race sound, one value a line (19 lines).
#include <filesystem>
#include <string>

#include "core/io/data_folder.h"
#include "core/sound/sound_table.h"

namespace qel {

inline constexpr const char* kSoundTableFileName = "QelSounds.dat";

// The file's text exactly as written.
std::string soundTableText(const SoundTable& table);

// Reads the file into the table value by value. On a missing or damaged file
// throws QelError with a description; the values read before the damage are
// kept and the rest of the table is left as it was.
void readSoundTable(const std::filesystem::path& path, SoundTable& table);
// The table a new installation starts with (the program's own first-run file).
SoundTable defaultSoundTable();

// Replaces the file atomically; throws QelError when it cannot be written.
void writeSoundTable(const std::filesystem::path& path, const SoundTable& table);

inline std::filesystem::path soundTablePath(const AppFolder& folder) {
    return folder.soundFile(kSoundTableFileName);
}

}  // namespace qel
