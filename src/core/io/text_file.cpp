#include "core/io/text_file.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "core/io/errors.h"
#include "core/io/text_codec.h"

namespace qel {

namespace fs = std::filesystem;

std::string shownFileName(const fs::path& path) {
    // The last two components tell the race director which file.
    const auto parent = path.parent_path().filename();
    return parent.empty() ? path.filename().string() : (parent / path.filename()).string();
}

namespace {

std::string shown(const fs::path& path) {
    return shownFileName(path);
}

void ensureParent(const fs::path& path) {
    std::error_code ec;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
    if (ec) throw QelError("Cannot create the folder for " + shown(path) + ": " + ec.message());
}

void writeBytes(const fs::path& path, std::string_view bytes, std::ios::openmode mode) {
    std::ofstream out(path, std::ios::binary | mode);
    if (!out) throw QelError("Cannot write " + shown(path));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw QelError("Cannot write " + shown(path) + " (disk full?)");
}

}  // namespace

std::string readBinaryFile(const fs::path& path, std::size_t maxBytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) throw QelError("File not found: " + shown(path));
    const auto size = fs::file_size(path, ec);
    if (ec) throw QelError("Cannot read " + shown(path) + ": " + ec.message());
    if (size > maxBytes) throw QelError("File is too large to be valid: " + shown(path));
    std::ifstream in(path, std::ios::binary);
    if (!in) throw QelError("Cannot open " + shown(path));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::string readTextFile(const fs::path& path, std::size_t maxBytes) {
    return cp1252ToUtf8(readBinaryFile(path, maxBytes));
}

void writeBinaryFileAtomic(const fs::path& path, std::string_view bytes) {
    ensureParent(path);
    fs::path temp = path;
    temp += ".tmp";
    std::error_code ec;
    try {
        writeBytes(temp, bytes, std::ios::trunc);
    } catch (const QelError&) {
        fs::remove(temp, ec);
        throw;
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw QelError("Cannot replace " + shown(path));
    }
}

void writeTextFileAtomic(const fs::path& path, std::string_view utf8) {
    writeBinaryFileAtomic(path, utf8ToCp1252(utf8));
}

void appendTextFile(const fs::path& path, std::string_view utf8) {
    ensureParent(path);
    writeBytes(path, utf8ToCp1252(utf8), std::ios::app);
}

}  // namespace qel
