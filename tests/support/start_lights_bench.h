#pragma once
// A race waiting at the start line for its lights: a timing box on the bench,
// a track relay, sounds recorded, virtual time, and the main window's part
// written down as it is asked to play it.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/engine/start_lights.h"
#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/race_end_fakes.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"

namespace qel::test {

struct StartLightsBench {
    StartLightsBench() {
        raceSettings.raceFormat = kLapRace;
        installation.relayIndex = kRelayNormallyClosed;  // "E" powers the track
        port.open(1);
        sounds.raceSoundEnabled[kSoundGetReady] = true;
        sounds.raceSoundEnabled[kSoundGo] = true;
    }

    StartSequenceServices services() {
        return {race, board, *raceTick, link, sounds, player, {raceSettings, options}};
    }
    StartSequenceHooks hooks() {
        StartSequenceHooks h;
        h.boardChanged = [this] { ++boardChanges; };
        h.flagShown = [this](int picture) { calls.push_back("flag " + std::to_string(picture)); };
        h.reset = [this] { calls.push_back("reset"); };
        h.closed = [this] { calls.push_back("closed"); };
        h.viewChanged = [this] { ++viewChanges; };
        return h;
    }

    // Moves time to an absolute moment on the bench's clock.
    void at(int64_t ms) { time.advance(ms - time.tickCountMs()); }

    // One moment of a sequence, checked after time has moved to it.
    struct Moment {
        int64_t atMs;
        const char* lamps;
        std::vector<std::string> sounds;  // played since the previous moment
        const char* writes;               // sent since the previous moment
        bool open;
    };
    void expectMoments(const StartLights& lights, std::span<const Moment> moments) {
        for (const Moment& m : moments) {
            SCOPED_TRACE(m.atMs);
            at(m.atMs);
            EXPECT_EQ(lampText(lights), m.lamps);
            EXPECT_EQ(newSounds(), m.sounds);
            EXPECT_EQ(newWrites(), m.writes);
            EXPECT_EQ(lights.isOpen(), m.open);
        }
    }

    // The lamps as letters: . dark, R red, Y yellow, G green.
    static std::string lampText(const StartLights& lights) {
        std::string text;
        for (Lamp lamp : lights.lamps())
            text += lamp == Lamp::Red      ? 'R'
                    : lamp == Lamp::Yellow ? 'Y'
                    : lamp == Lamp::Green  ? 'G'
                                           : '.';
        return text;
    }
    // What was played or sent since the last call.
    std::vector<std::string> newSounds() {
        std::vector<std::string> fresh(player.played.begin() + soundsSeen, player.played.end());
        soundsSeen = player.played.size();
        return fresh;
    }
    std::string newWrites() {
        std::string fresh = port.written().substr(writesSeen);
        writesSeen += fresh.size();
        return fresh;
    }

    RaceState race;
    // The race format and the Options, which the lights read as each step needs them.
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceBoard board;
    FakeTimingPort port;
    VirtualScheduler time;
    ScriptedPrompter prompter;
    InstallationSettings installation;
    TimingLink link{port, time, prompter, race, installation, raceSettings};
    std::unique_ptr<Timer> raceTick = time.createTimer();
    SoundTable sounds;
    RecordingPlayer player;
    ScriptedRandom random{{0.5}};
    std::vector<std::string> calls;
    int boardChanges = 0;
    int viewChanges = 0;
    std::size_t soundsSeen = 0;
    std::size_t writesSeen = 0;
};

}  // namespace qel::test
