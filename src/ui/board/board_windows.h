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

    // The heats: the racer placement (not modal), the rotation of every
    // heat, and the results over the heats run so far.
    virtual void showSelectRacers() = 0;
    virtual void showRotationSequence() = 0;
    virtual void showRaceResults() = 0;
    // The Abort button of a paused heat: Restart Heat, Abort Race or Cancel.
    virtual void showHeatAbort() = 0;
    // The next-heat window refilled for the heat to come, or closed.
    virtual void refreshNextHeat() = 0;
    virtual void closeNextHeat() = 0;
    // The count-down before the next heat ends where it stands.
    virtual void stopRotateDelay() = 0;
};

}  // namespace qel::ui
