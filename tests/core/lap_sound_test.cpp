#include "core/sound/lap_sound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qel {
namespace {

struct RecordingPlayer : SoundPlayer {
    std::vector<std::string> played;
    void PlaySoundFile(const std::string& name) override { played.push_back(name); }
};

TEST(LapSound, TheBestDeservedSoundPlaysAndOnlyOne) {
    const struct {
        std::array<int16_t, 3> enabled;  // overall, each lap, personal
        bool newBest;
        bool overall;
        const char* heard;  // "" = silence
    } cases[] = {
        {{1, 1, 1}, true, true, "Overall.wav"},
        {{0, 1, 1}, true, true, "Personal.wav"},
        {{0, 1, 0}, true, true, "Each.wav"},
        {{0, 0, 0}, true, true, ""},
        {{1, 1, 1}, true, false, "Personal.wav"},
        {{1, 1, 0}, true, false, "Each.wav"},
        {{1, 0, 0}, true, false, ""},
        // Not a best lap (a lane's first lap, a slower lap): no best-lap sound.
        {{1, 1, 1}, false, false, "Each.wav"},
        {{1, 0, 1}, false, false, ""},
        // Only exactly 1 switches a lap sound on.
        {{2, -1, 0}, true, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled[0] << c.enabled[1] << c.enabled[2] << " best "
                                        << c.newBest << " overall " << c.overall);
        SoundTable table;
        table.lapSoundEnabled = c.enabled;
        table.lapSoundFile = {"Overall.wav", "Each.wav", "Personal.wav"};
        RecordingPlayer player;
        LapSoundChoice choice(table, player);
        choice.lapCounted(3, c.newBest, c.overall);
        EXPECT_EQ(player.played,
                  *c.heard ? std::vector<std::string>{c.heard} : std::vector<std::string>{});
    }
}

TEST(LapSound, ATableChangedByOkIsHeardOnTheNextLap) {
    SoundTable table;
    table.lapSoundFile = {"Overall.wav", "Each.wav", "Personal.wav"};
    RecordingPlayer player;
    LapSoundChoice choice(table, player);
    choice.lapCounted(1, false, false);
    table.lapSoundEnabled[kLapSoundEachLap] = 1;
    table.lapSoundFile[kLapSoundEachLap] = "Goby1.wav";
    choice.lapCounted(1, false, false);
    EXPECT_EQ(player.played, std::vector<std::string>{"Goby1.wav"});
}

}  // namespace
}  // namespace qel
