#pragma once
// The race engine of the program as a whole: every piece of the race wired
// over the one application state and the outside components, with the main
// window's start-up and closing steps.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "core/engine/board_clicks.h"
#include "core/engine/demo_generator.h"
#include "core/engine/lane_names.h"
#include "core/engine/lap_counting.h"
#include "core/engine/race_control.h"
#include "core/engine/race_finish.h"
#include "core/engine/race_screen.h"
#include "core/engine/race_setup.h"
#include "core/engine/race_tick.h"
#include "core/engine/race_title.h"
#include "core/engine/timing_link.h"
#include "core/io/data_folder.h"
#include "core/seams/clock.h"
#include "core/seams/prompter.h"
#include "core/seams/random.h"
#include "core/seams/sound_device.h"
#include "core/seams/timer_service.h"
#include "core/seams/timing_port.h"
#include "core/sound/lap_sound.h"
#include "core/sound/sound_player.h"
#include "core/state/race_end.h"

namespace qel {

// The outside components the race engine runs on.
struct EngineSeams {
    const AppFolder& folder;
    TimingPort& port;
    Clock& clock;
    TimerService& timers;
    Random& random;
    Prompter& prompter;
    SoundDevice& soundDevice;
};

// What the main window does for the start-up steps that touch its windows.
// Every hook is needed: an empty one stops the start-up with an error.
struct StartUpHooks {
    // The race director answered the port question with "Yes": Installation.
    std::function<void()> chooseAnotherPort;
};

// With the box silent this long during a race, the board says so.
inline constexpr int kSilentBoxMs = 3000;
// A lost box is looked for this often, without holding the race tick.
inline constexpr int kLostBoxPollMs = 1000;
inline constexpr const char* kTimingBoxBack = "Timing box back";

class RaceEngine {
  public:
    RaceEngine(AppState& app, EngineSeams seams);
    ~RaceEngine();
    RaceEngine(const RaceEngine&) = delete;
    RaceEngine& operator=(const RaceEngine&) = delete;

    // The windows the race control opens. Until the main window attaches
    // them, a race step that needs one fails with an error.
    void attachWindows(RaceControlWindows* windows);
    bool windowsAttached() const;

    // The time selling answers whether a lane's sold time runs; nullptr: none.
    void attachSoldTime(SoldTimeGate* soldTime) { counter_->attachSoldTime(soldTime); }

    // The subsystems that take part in the end of a race register here.
    RaceEndHandover& handover() { return handover_; }

    // The main window's load: every step runs even when one before it
    // failed, so a missing or damaged settings file never stops the program;
    // the board's status line names such a file.
    void Form_Load(const StartUpHooks& hooks);
    // The Race Format dialog's OK: a race format that leaves demo mode
    // needs the box, so its port opens and the box gets its set-up.
    void raceFormatConfirmed(bool wasDemoMode, const std::function<void()>& chooseAnotherPort);
    // File > Exit: false when the race director keeps the program open.
    bool mnuExit_Click();
    // The main window's unload: the port closed, the header choices stored.
    void Form_Unload();
    bool formReady() const { return formReady_; }
    // Opens the box's port; if it will not open, the race director chooses
    // between racing in demo mode and choosing another port.
    bool OpenTimingPort(int portNumber, std::function<void()> chooseAnotherPort);

    AppState& app() { return app_; }
    RaceSetup setup() const { return {app_.raceSettings, app_.options}; }
    RaceState& state() { return app_.race; }
    RaceBoard& board() { return app_.board; }
    const EngineSeams& seams() const { return seams_; }
    TimingLink& link() { return *link_; }
    Timer& raceTick() { return *raceTick_; }
    RaceTick& tick() { return *tick_; }
    RaceControl& control() { return *control_; }
    RaceTitle& title() { return *title_; }
    LaneNames& names() { return *names_; }
    BoardClicks& clicks() { return *clicks_; }
    RaceScreen& screen() { return *screen_; }
    RaceFinish& finish() { return *finish_; }
    DemoGenerator& demo() { return *demo_; }
    SlotSoundPlayer& soundPlayer() { return soundPlayer_; }

    // Told after every race tick, so the window can show the board.
    void setTickObserver(std::function<void()> observer) { tickObserver_ = std::move(observer); }
    // The lane controls of the lanes in use shown, the others hidden.
    void ShowLaneControls();

  private:
    class WindowsRelay;
    class BoardRaceEnd;

    void onTick(int elapsedMs);
    void watchTimingBox(int tickMs);
    void startTimingLink(const StartUpHooks& hooks);
    void step(const std::function<void()>& action);
    // A settings file read at start-up; a missing or damaged one leaves the
    // defaults in force and is named on the status line.
    void loadSettingsFile(std::string_view fileName, const std::filesystem::path& path,
                          const std::function<void()>& read,
                          const std::function<void()>& useDefaults);

    AppState& app_;
    EngineSeams seams_;
    SlotSoundPlayer soundPlayer_;
    LapSoundChoice lapSound_;
    std::unique_ptr<WindowsRelay> relay_;
    RaceEndHandover handover_;
    std::unique_ptr<BoardRaceEnd> boardRaceEnd_;
    std::unique_ptr<Timer> raceTick_;
    std::unique_ptr<TimingLink> link_;
    std::unique_ptr<LapCounter> counter_;
    std::unique_ptr<DemoGenerator> demo_;
    std::unique_ptr<RaceScreen> screen_;
    std::unique_ptr<RaceFinish> finish_;
    std::unique_ptr<RaceTick> tick_;
    std::unique_ptr<LaneNames> names_;
    std::unique_ptr<RaceTitle> title_;
    std::unique_ptr<BoardClicks> clicks_;
    std::unique_ptr<RaceControl> control_;
    std::function<void()> tickObserver_;
    bool formReady_ = false;
    // The box watch: when the race clock last moved, and whether the port was
    // open when the race tick last looked.
    int64_t lastReportTick_ = 0;
    int32_t lastElapsedMs_ = 0;
    bool portWasOpen_ = false;
    bool watching_ = false;
    // The box vanished; the port is tried again every kLostBoxPollMs.
    bool boxLost_ = false;
    int64_t lastPollTick_ = 0;
};

}  // namespace qel
