#include "core/io/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

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

namespace {

// A file descriptor closed however the write ends.
class FileHandle {
  public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }
    // Closes now, so a failing close is seen.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

std::string reason() {
    return std::strerror(errno);
}

// The new contents in a temporary file of their own beside the old file, on
// the disk before anything else happens: two copies of the program, or a
// save cut short by a crash, never share or leave half a temporary file.
fs::path writeTemporary(const fs::path& path, std::string_view bytes) {
    std::string name = path.string() + ".tmp.XXXXXX";
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    FileHandle file(::mkstemp(pattern.data()));
    if (file.get() < 0) throw QelError("Cannot write " + shown(path) + ": " + reason());
    const fs::path temp(pattern.data());
    const auto fail = [&](const std::string& what) {
        std::error_code ec;
        fs::remove(temp, ec);
        throw QelError(what);
    };
    // Readable by the race director like any other settings file.
    ::fchmod(file.get(), 0644);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail("Cannot write " + shown(path) + " (disk full?): " + reason());
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(file.get()) != 0) fail("Cannot write " + shown(path) + ": " + reason());
    if (!file.close()) fail("Cannot write " + shown(path) + ": " + reason());
    return temp;
}

// The rename itself reaches the disk only with the folder that holds it.
void syncFolder(const fs::path& path) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    FileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

void writeBinaryFileAtomic(const fs::path& path, std::string_view bytes) {
    ensureParent(path);
    const fs::path temp = writeTemporary(path, bytes);
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw QelError("Cannot replace " + shown(path));
    }
    syncFolder(path);
}

void writeTextFileAtomic(const fs::path& path, std::string_view utf8) {
    writeBinaryFileAtomic(path, utf8ToCp1252(utf8));
}

void appendTextFile(const fs::path& path, std::string_view utf8) {
    ensureParent(path);
    writeBytes(path, utf8ToCp1252(utf8), std::ios::app);
}

}  // namespace qel
