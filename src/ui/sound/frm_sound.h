#pragma once
// The Sounds dialog: which race sounds play and which wave files the three
// lap sounds use. It does not block the race screen; a change reaches the
// race only when OK stores it.
#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/sound/sound_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace qel::ui {

class FrmSound : public QDialog {
    Q_OBJECT

  public:
    // showHelp: the Help button, the same help topics as the main window's
    // Help menu. Needed. The dialog opens loaded.
    FrmSound(const AppFolder& folder, SoundTable& table, SoundPlayer& player, Prompter& prompter,
             TimerService& timers, std::function<void()> showHelp, QWidget* parent = nullptr);

    // Reads QelSounds.dat into the sound table and fills the controls. Runs
    // hidden at start-up, and again before every showing, so the dialog
    // always opens on what the file holds.
    void load();

    const SoundDialog& model() const { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddRaceWavFiles();
    void render();
    void ok();

    SoundDialog model_;
    std::function<void()> showHelp_;
    QListWidget* lstRaceSounds_ = nullptr;
    std::array<QGroupBox*, 3> fraSound_{};
    std::array<QCheckBox*, 3> chkPlay_{};
    std::array<QLabel*, 3> lblSound_{};
    QListWidget* fileSounds_ = nullptr;
    QLabel* lblSelectSound_ = nullptr;
    QLabel* lblInstruction_ = nullptr;
    std::vector<std::string> shownFiles_;
    bool rendering_ = false;
};

}  // namespace qel::ui
