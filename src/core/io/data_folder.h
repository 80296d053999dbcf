#pragma once
// The application folder and its sub-folders. The program writes and reads the
// same file under different letter cases (FormHeight.dat / formheight.dat), so
// every name is matched without regard to case against what is on disk.
#include <filesystem>
#include <string_view>

namespace qel {

class AppFolder {
  public:
    explicit AppFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }

    // Resolves a relative path such as "QelDat/formheight.dat" component by
    // component: an existing entry whose name equals the component ignoring
    // ASCII case is used with its spelling on disk; a missing one keeps the
    // spelling given. Never fails.
    std::filesystem::path resolve(std::string_view relative) const;

    std::filesystem::path dataFile(std::string_view name) const;   // QelDat/<name>
    std::filesystem::path soundFile(std::string_view name) const;  // QelSound/<name>
    std::filesystem::path statsFile(std::string_view name) const;  // Stats/<name>
    std::filesystem::path imageFile(std::string_view name) const;  // Images/<name>

    std::filesystem::path dataFolder() const { return resolve(kDataFolder); }
    std::filesystem::path soundFolder() const { return resolve(kSoundFolder); }
    std::filesystem::path statsFolder() const { return resolve(kStatsFolder); }
    std::filesystem::path imagesFolder() const { return resolve(kImagesFolder); }

    static constexpr std::string_view kDataFolder = "QelDat";
    static constexpr std::string_view kSoundFolder = "QelSound";
    static constexpr std::string_view kStatsFolder = "Stats";
    static constexpr std::string_view kImagesFolder = "Images";

  private:
    std::filesystem::path root_;
};

}  // namespace qel
