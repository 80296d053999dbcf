#pragma once
// A fresh empty folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string_view>

namespace qel::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes raw bytes to a file below the folder, creating sub-folders.
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

}  // namespace qel::test
