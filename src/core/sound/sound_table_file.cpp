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

namespace {

// A damaged file changes nothing: the table takes the values only once all are read.
void parseSoundTable(const std::string& text, const std::string& source, SoundTable& table) {
    FieldReader reader(text, source);
    SoundTable read;
    for (int16_t& enabled : read.lapSoundEnabled)
        enabled = reader.readInteger();
    for (std::string& file : read.lapSoundFile)
        file = reader.readString();
    for (bool& enabled : read.raceSoundEnabled)
        enabled = reader.readBoolean();
    table = std::move(read);
}

}  // namespace

void readSoundTable(const std::filesystem::path& path, SoundTable& table) {
    parseSoundTable(readTextFile(path, kMaxSoundTableBytes), shownFileName(path), table);
}

SoundTable defaultSoundTable() {
    // Byte for byte the QelSounds.dat the program ships with.
    static const std::string kFirstRunFile =
        "1\r\n0\r\n1\r\n\"Overall Best.wav\"\r\n\"Each Lap.wav\"\r\n\"Personal "
        "Best.wav\"\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#"
        "TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n";
    SoundTable table;
    parseSoundTable(kFirstRunFile, "the first-run sound table", table);
    return table;
}

void writeSoundTable(const std::filesystem::path& path, const SoundTable& table) {
    writeTextFileAtomic(path, soundTableText(table));
}

}  // namespace qel
