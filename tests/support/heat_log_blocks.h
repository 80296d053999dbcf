#pragma once
// How many heats the heat log of an application folder holds: one block per
// heat, each opening with its "Heat h of n" line.
#include <filesystem>
#include <string>

#include "core/io/text_file.h"

namespace qel::test {

inline int heatLogBlocks(const std::filesystem::path& appFolder) {
    const std::filesystem::path log = appFolder / "Stats" / "DefaultRaceFile.txt";
    if (!std::filesystem::exists(log)) return 0;
    const std::string text = readTextFile(log);
    int blocks = 0;
    for (std::size_t at = text.find("\"Heat "); at != std::string::npos;
         at = text.find("\"Heat ", at + 1))
        ++blocks;
    return blocks;
}

}  // namespace qel::test
