#pragma once
// Whole-file text I/O in the files' own encoding: Windows-1252 on disk,
// UTF-8 in memory, lines closed by CR LF. Failures throw QelError with a
// message that names the file.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qel {

// No settings, roster or race file comes near this; anything larger is damaged.
inline constexpr std::size_t kMaxTextFileBytes = 64 * 1024 * 1024;

// Reads and decodes a whole file. Throws when it is missing, unreadable or too large.
std::string readTextFile(const std::filesystem::path& path,
                         std::size_t maxBytes = kMaxTextFileBytes);

// Replaces a file atomically, so a crash or a power cut mid-write never
// leaves half a settings file: the new contents go to a temporary file of
// their own beside it (no other save shares its name), reach the disk, then
// replace the file by a rename that reaches the disk with its folder.
// Creates missing folders.
// Characters that Windows-1252 cannot hold are written as "?".
void writeTextFileAtomic(const std::filesystem::path& path, std::string_view utf8);

// Appends to a file, creating it (and its folders) when missing.
void appendTextFile(const std::filesystem::path& path, std::string_view utf8);

// How messages name a file: its folder and name, "QelDat/QelOptions.dat".
std::string shownFileName(const std::filesystem::path& path);

// Raw bytes, for binary records and wave files.
std::string readBinaryFile(const std::filesystem::path& path,
                           std::size_t maxBytes = kMaxTextFileBytes);
void writeBinaryFileAtomic(const std::filesystem::path& path, std::string_view bytes);

}  // namespace qel
