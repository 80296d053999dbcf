#include "core/sound/sound_table_file.h"

#include "core/io/fields.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

// 19 short lines; anything far larger is not this file.
constexpr std::size_t kMaxSoundTableBytes = 64 * 1024;

}  // namespace

std::string soundTableText(const SoundTable& table) {
    FieldWriter writer;
    for (const int16_t enabled : table.lapSoundEnabled)
        writer.writeInteger(enabled).endLine();
    for (const std::string& file : table.lapSoundFile)
        writer.writeString(file).endLine();
    for (const bool enabled : table.raceSoundEnabled)
        writer.writeBoolean(enabled).endLine();
    return writer.text();
}

void readSoundTable(const std::filesystem::path& path, SoundTable& table) {
    FieldReader reader(readTextFile(path, kMaxSoundTableBytes), shownFileName(path));
    for (int16_t& enabled : table.lapSoundEnabled)
        enabled = reader.readInteger();
    for (std::string& file : table.lapSoundFile)
        file = reader.readString();
    for (bool& enabled : table.raceSoundEnabled)
        enabled = reader.readBoolean();
}

void writeSoundTable(const std::filesystem::path& path, const SoundTable& table) {
    writeTextFileAtomic(path, soundTableText(table));
}

}  // namespace qel
