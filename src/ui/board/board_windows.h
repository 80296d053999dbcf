#pragma once
// The windows the main window's menu opens. The program's composition makes
// them, with everything each needs; the main window only asks.
namespace qel::ui {

class BoardWindows {
  public:
    virtual ~BoardWindows() = default;
    // Race Format, modal; focusTimeList puts the focus on its time list.
    virtual void showRaceFormat(bool focusTimeList) = 0;
    virtual void showRacersDatabase() = 0;
    // File > Open: a saved race into its record window.
    virtual void openSavedRace() = 0;
    // View Data: the records of the race, filled from the race as it stands.
    virtual void showLapTimes() = 0;
    virtual void showSummary() = 0;
    virtual void showSound() = 0;
    virtual void showOptions() = 0;
    // Installation Settings behind the password.
    virtual void showInstallationLogin() = 0;
    // Installation Settings straight away: the race director answered the
    // port question by asking for another port.
    virtual void showInstallation() = 0;
    // The Time window: the sold time per lane, and its selling controls.
    virtual void showTime() = 0;
    virtual void showHelp() = 0;
    virtual void showDiagnostics() = 0;
    virtual void showWebSite() = 0;
    virtual void showAbout() = 0;
};

}  // namespace qel::ui
