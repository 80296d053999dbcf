#include "core/records/heat_log.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "core/io/dates.h"
#include "core/io/text_file.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

// 5 Nov 2004, 19:08:09.
const double kEvening = dateSerial(2004, 11, 5) + timeSerial(19, 8, 9);

class HeatLogTest : public ::testing::Test {
  protected:
    HeatLogTest() {
        heats.racerCount = 3;
        heats.heatCount = 3;
        racer(1, "Ann", {5, 7}, {4, 2});
        racer(2, "Bartholomew Smithers", {6, 6}, {3, 3});  // cut to sixteen characters
        racer(3, "Zoë", {0, 9}, {0, 4});                   // three characters wide
    }

    void racer(int number, const std::string& name, std::array<int16_t, 2> laps,
               std::array<int16_t, 2> points) {
        HeatRacer& r = heats.heatRacers[number];
        r.name = name;
        for (int lane = 1; lane <= 2; ++lane) {
            r.lapsInLane[lane] = laps[lane - 1];
            r.pointsInLane[lane] = points[lane - 1];
        }
        r.totalLaps = static_cast<int16_t>(laps[0] + laps[1]);
        r.totalPoints = static_cast<int16_t>(points[0] + points[1]);
    }

    std::string fileBytes(const fs::path& path) const { return readBinaryFile(path); }

    test::TempFolder temp;
    AppFolder folder{temp.path()};
    HeatTables heats;
};

TEST_F(HeatLogTest, EveryHeatAppendsItsBlockAndTheLastClosesTheRace) {
    const fs::path log = heatLogPath(folder);
    EXPECT_EQ(log, temp.path() / "Stats" / "DefaultRaceFile.txt");
    ASSERT_FALSE(fs::exists(log.parent_path()));  // the first heat makes the folder
    for (int heat = 1; heat <= 3; ++heat) {
        heats.currentHeat = static_cast<int16_t>(heat);
        AppendHeatLog(log, heats, 2, false, kEvening + heat * timeSerial(0, 20, 0));
    }
    const std::string racers =
        "\"Ann             5\t7\t12\"\r\n"
        "\"Bartholomew Smit6\t6\t12\"\r\n"
        "\"Zo\xeb             0\t9\t9\"\r\n";
    const std::string header = "\r\nRacers\t\tLane 1\tLane 2\tTotal\"\r\n";
    EXPECT_EQ(fileBytes(log), "\"Heat 1 of 3\t11/5/2004 7:28:09 PM" + header + racers +
                                  "\"Heat 2 of 3\t11/5/2004 7:48:09 PM" + header + racers +
                                  "\"Heat 3 of 3\t11/5/2004 8:08:09 PM" + header + racers +
                                  "\"\r\n\"\r\n");
}

TEST_F(HeatLogTest, AChampionshipLogsPointsAndMidnightShowsTheDateAlone) {
    heats.racerCount = 1;
    heats.currentHeat = 2;
    const fs::path log = heatLogPath(folder);
    AppendHeatLog(log, heats, 2, true, dateSerial(2004, 11, 6));
    EXPECT_EQ(fileBytes(log),
              "\"Heat 2 of 3\t11/6/2004\r\nRacers\t\tLane 1\tLane 2\tPoints\"\r\n"
              "\"Ann             4\t2\t6\"\r\n");
}

TEST_F(HeatLogTest, ALogOverItsSizeIsArchivedByMonthAndNoArchiveIsLost) {
    const fs::path log = heatLogPath(folder);
    const fs::path stats = temp.path() / "Stats";

    temp.write("Stats/DefaultRaceFile.txt", std::string(kHeatLogArchiveBytes, 'x'));
    EXPECT_EQ(RotateHeatLog(log, kEvening), std::nullopt);  // exactly at the size: kept
    EXPECT_TRUE(fs::exists(log));

    const std::string first(kHeatLogArchiveBytes + 1, 'a');
    temp.write("Stats/DefaultRaceFile.txt", first);
    EXPECT_EQ(RotateHeatLog(log, kEvening), stats / "DefaultRaceFile2004 11.txt");
    EXPECT_FALSE(fs::exists(log));

    // Later the same month the name is taken: the next archive goes beside it.
    const std::string second(kHeatLogArchiveBytes + 2, 'b');
    temp.write("Stats/DefaultRaceFile.txt", second);
    EXPECT_EQ(RotateHeatLog(log, kEvening + 20), stats / "DefaultRaceFile2004 11 (2).txt");
    EXPECT_EQ(fileBytes(stats / "DefaultRaceFile2004 11.txt"), first);
    EXPECT_EQ(fileBytes(stats / "DefaultRaceFile2004 11 (2).txt"), second);

    EXPECT_EQ(RotateHeatLog(log, kEvening), std::nullopt);  // no log at all
}

}  // namespace
}  // namespace qel
