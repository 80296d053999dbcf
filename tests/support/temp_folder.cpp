#include "support/temp_folder.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <string>

namespace qel::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            fs::temp_directory_path() /
            ("qeltest-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path TempFolder::write(std::string_view relative, std::string_view bytes) const {
    const auto file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
}

}  // namespace qel::test
