#pragma once
// What the Sounds dialog shows and does, apart from drawing it: the race
// director ticks race sounds, switches lap sounds, picks their wave files and
// tries them out; nothing reaches the race until OK stores it.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/seams/timer_service.h"
#include "core/sound/sound_table.h"

namespace qel {

inline constexpr const char* kInstructionText =
    "Click on \"Change\" Button to change Wav file then select wav file";
inline constexpr const char* kInstructionsCaption = "Instructions";
inline constexpr std::array<const char*, 3> kLapSoundCaptions = {
    "Overall Best Lap:", "Each Lap:", "Personal Best Lap:"};

// The controls' contents, as the window draws them.
struct SoundDialogView {
    std::array<bool, kRaceSoundCount> raceTicks{};     // lstRaceSounds
    std::array<bool, 3> play{};                        // chkPlay
    std::array<std::string, 3> soundFile{};            // lblSound
    std::string selectCaption = kInstructionsCaption;  // lblSelectSound
    std::string instruction;                           // lblInstruction
    bool instructionVisible = true;
    bool fileListVisible = false;  // FileSounds
    std::vector<std::string> files;
    int highlighted = -1;  // fraSound lit green by Test, -1 none
};

class SoundDialog {
  public:
    // The Test highlight lasts about a third of a second.
    static constexpr int kHighlightMs = 333;

    SoundDialog(const AppFolder& folder, SoundTable& table, SoundPlayer& player, Prompter& prompter,
                TimerService& timers);

    // Told whenever the view changes by itself (the Test highlight going out).
    void setOnViewChanged(std::function<void()> handler) { onViewChanged_ = std::move(handler); }
    const SoundDialogView& view() const { return view_; }
    int lapSoundBeingChanged() const { return lapSoundBeingChanged_; }

    // Reads QelSounds.dat into the sound table and fills the controls; on a
    // missing or damaged file shows why and leaves the controls empty.
    void load();

    void setRaceTick(int entry, bool ticked);
    void setPlay(int lapSound, bool ticked);
    void change(int lapSound);
    void fileClicked(const std::string& name);
    void selectLabelClicked();
    void test(int lapSound);
    // A press on a list entry plays it, ticked or not.
    void raceEntryPressed(int entry);

    // Stores the controls into the table and rewrites the file.
    void ok();

  private:
    static bool validLapSound(int lapSound) { return lapSound >= 0 && lapSound < 3; }

    const AppFolder& folder_;
    SoundTable& table_;
    SoundPlayer& player_;
    Prompter& prompter_;
    std::unique_ptr<Timer> tmrSound_;
    std::function<void()> onViewChanged_;
    SoundDialogView view_;
    int lapSoundBeingChanged_ = 0;
};

}  // namespace qel
