#include "core/sound/sound_dialog.h"

#include "core/io/errors.h"
#include "core/sound/sound_table_file.h"
#include "core/sound/wave_files.h"

namespace qel {

SoundDialog::SoundDialog(const AppFolder& folder, SoundTable& table, SoundPlayer& player,
                         Prompter& prompter, TimerService& timers)
    : folder_(folder),
      table_(table),
      player_(player),
      prompter_(prompter),
      tmrSound_(timers.createTimer()) {
    tmrSound_->setInterval(kHighlightMs);
    tmrSound_->setHandler([this](int) {
        // Once the highlight is out the timer has nothing left to do.
        tmrSound_->setEnabled(false);
        view_.highlighted = -1;
        if (onViewChanged_) onViewChanged_();
    });
}

void SoundDialog::load() {
    tmrSound_->setEnabled(false);
    view_ = SoundDialogView{};
    view_.instruction = kInstructionText;
    lapSoundBeingChanged_ = 0;
    try {
        readSoundTable(soundTablePath(folder_), table_);
    } catch (const QelError& error) {
        prompter_.inform(error.what());
        return;
    }
    for (int i = 0; i < 3; ++i) {
        view_.play[i] = table_.lapSoundEnabled[i] == 1;
        view_.soundFile[i] = table_.lapSoundFile[i];
    }
    view_.raceTicks = table_.raceSoundEnabled;
}

void SoundDialog::setRaceTick(int entry, bool ticked) {
    if (entry >= 0 && entry < kRaceSoundCount) view_.raceTicks[entry] = ticked;
}

void SoundDialog::setPlay(int lapSound, bool ticked) {
    if (validLapSound(lapSound)) view_.play[lapSound] = ticked;
}

void SoundDialog::change(int lapSound) {
    if (!validLapSound(lapSound)) return;
    view_.selectCaption = std::string("Select\r\n") + kLapSoundCaptions[lapSound];
    view_.instructionVisible = false;
    view_.files = listWaveFiles(folder_.soundFolder());
    view_.fileListVisible = true;
    lapSoundBeingChanged_ = lapSound;
}

void SoundDialog::fileClicked(const std::string& name) {
    view_.soundFile[lapSoundBeingChanged_] = properCase(name);
}

void SoundDialog::selectLabelClicked() {
    view_.instructionVisible = true;
    view_.selectCaption = kInstructionsCaption;
    view_.fileListVisible = false;
}

void SoundDialog::test(int lapSound) {
    if (!validLapSound(lapSound)) return;
    tmrSound_->setEnabled(false);
    view_.highlighted = lapSound;
    tmrSound_->setEnabled(true);
    player_.PlaySoundFile(view_.soundFile[lapSound]);
}

void SoundDialog::raceEntryPressed(int entry) {
    if (entry < 0 || entry >= kRaceSoundCount) return;
    player_.PlaySoundFile(std::string(raceSoundInfo(static_cast<RaceSound>(entry)).entry) + ".wav");
}

void SoundDialog::ok() {
    for (int i = 0; i < 3; ++i) {
        table_.lapSoundFile[i] = view_.soundFile[i];
        table_.lapSoundEnabled[i] = view_.play[i] ? 1 : 0;
    }
    table_.raceSoundEnabled = view_.raceTicks;
    try {
        writeSoundTable(soundTablePath(folder_), table_);
    } catch (const QelError& error) {
        prompter_.inform(error.what());
    }
}

}  // namespace qel
