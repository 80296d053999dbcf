#include "core/heats/point_system.h"

#include <algorithm>

#include "core/io/errors.h"
#include "core/io/fields.h"
#include "core/io/text_file.h"

namespace qel {

const std::array<std::string, kPointListEntryCount>& pointListEntries() {
    static const auto entries = [] {
        std::array<std::string, kPointListEntryCount> list;
        for (int k = 0; k < kPointListEntryCount; ++k)
            list[static_cast<std::size_t>(k)] = std::to_string(16 - k);
        return list;
    }();
    return entries;
}

int16_t pointsAtListPosition(int position) {
    if (position < 0 || position >= kPointListEntryCount) return 0;
    return static_cast<int16_t>(16 - position);
}

std::string pointSystemFileText(const PointSystem& points) {
    FieldWriter writer;
    for (int place = 1; place <= kMaxLanes; ++place)
        writer.writeInteger(points.pointsListIndex[place]);
    for (int place = 1; place <= kMaxLanes; ++place)
        writer.writeInteger(points.pointsForPlace[place]);
    writer.endLine();
    return writer.text();
}

void parsePointSystemFile(const std::string& text, const std::string& source, PointSystem& points) {
    FieldReader reader(text, source);
    PointSystem read;
    for (int place = 1; place <= kMaxLanes; ++place)
        read.pointsListIndex[place] = reader.readInteger();
    for (int place = 1; place <= kMaxLanes; ++place)
        read.pointsForPlace[place] = reader.readInteger();
    points = read;
}

std::string LoadPointSystem(const AppFolder& folder, PointSystem& points) {
    const auto path = folder.dataFile(kPointSystemFileName);
    try {
        // The file is one short line; a large one is not it.
        parsePointSystemFile(readTextFile(path, 64 * 1024), shownFileName(path), points);
    } catch (const QelError& e) {
        return e.what();
    }
    return {};
}

int shownListPosition(const PointSystem& points, int place) {
    if (place < 1 || place > kMaxLanes) return -1;
    const int position = 16 - points.pointsForPlace[place];
    return (position >= 0 && position < kPointListEntryCount) ? position : -1;
}

void storePointSystem(const AppFolder& folder, const LaneTable<int>& chosenPositions,
                      PointSystem& points) {
    for (int place = 1; place <= kMaxLanes; ++place) {
        const int position = chosenPositions[place];
        const bool listed = position >= 0 && position < kPointListEntryCount;
        points.pointsListIndex[place] = static_cast<int16_t>(listed ? position : -1);
        points.pointsForPlace[place] = pointsAtListPosition(position);
    }
    writeTextFileAtomic(folder.dataFile(kPointSystemFileName), pointSystemFileText(points));
}

int pointSystemDialogHeight(int laneCount) {
    return std::clamp(laneCount, 1, kMaxLanes) * 432 + 1200;
}

}  // namespace qel
