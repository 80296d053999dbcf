#include "core/engine/race_engine.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "core/engine/board_headers.h"
#include "core/engine/unsaved_prompts.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/heats/rotation.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "core/sound/sound_table_file.h"

namespace qel {

// The race control's windows, forwarded to the main window once attached.
// A race step that needs a window before one is attached is a fault of the
// program's composition and says so, rather than skip what the race
// director must see.
class RaceEngine::WindowsRelay : public RaceControlWindows {
  public:
    RaceControlWindows* target = nullptr;

    void boardChanged() override { window().boardChanged(); }
    void showStartCountdown(std::function<void()> then) override {
        window().showStartCountdown(std::move(then));
    }
    void showDragTree() override { window().showDragTree(); }
    void showFormula1() override { window().showFormula1(); }
    void showRaceFormatForLength() override { window().showRaceFormatForLength(); }
    bool showAbortChoice() override { return window().showAbortChoice(); }
    void refreshNextHeat() override { window().refreshNextHeat(); }
    void closeNextHeat() override { window().closeNextHeat(); }
    void stopRotateDelay() override { window().stopRotateDelay(); }

  private:
    RaceControlWindows& window() {
        if (!target) throw std::logic_error("The race board's windows are not attached.");
        return *target;
    }
};

// The board's own part in the end of a race: the File menu comes back, so
// the race can be saved.
class RaceEngine::BoardRaceEnd : public RaceEndSubsystem {
  public:
    explicit BoardRaceEnd(RaceBoard& board) : board_(board) {}
    void enableFileMenu() override { board_.menu.file = true; }

  private:
    RaceBoard& board_;
};

RaceEngine::RaceEngine(AppState& app, EngineSeams seams)
    : app_(app),
      seams_(seams),
      soundPlayer_(seams.soundDevice, seams.prompter),
      lapSound_(app.sounds, soundPlayer_),
      relay_(std::make_unique<WindowsRelay>()),
      boardRaceEnd_(std::make_unique<BoardRaceEnd>(app.board)) {
    RaceState& s = app_.race;
    const RaceSetup raceSetup = setup();
    handover_.add(*boardRaceEnd_);
    raceTick_ = seams.timers.createTimer();
    link_ = std::make_unique<TimingLink>(seams.port, seams.clock, seams.prompter, s,
                                         app_.installation, app_.raceSettings);
    counter_ = std::make_unique<LapCounter>(s, app_.heats, app_.board, raceSetup, &lapSound_);
    demo_ = std::make_unique<DemoGenerator>(s, seams.random);
    screen_ = std::make_unique<RaceScreen>(s, raceSetup, app_.heats, app_.board);
    finish_ = std::make_unique<RaceFinish>(FinishContext{s, raceSetup, app_.heats, app_.board,
                                                         *screen_, *link_, *raceTick_, seams.clock,
                                                         app_.sounds, soundPlayer_, handover_});
    tick_ = std::make_unique<RaceTick>(s, app_.heats, raceSetup, *link_, *counter_, *demo_,
                                       *screen_, *finish_);
    names_ = std::make_unique<LaneNames>(seams.folder, s, raceSetup, app_.heats, app_.board,
                                         app_.installation, seams.prompter);
    title_ = std::make_unique<RaceTitle>(seams.folder, s, app_.heats, app_.board, raceSetup,
                                         [this] { finish_->clock(); });
    clicks_ = std::make_unique<BoardClicks>(seams.folder, s, raceSetup, app_.board, *screen_,
                                            *raceTick_, *names_, seams.prompter);
    control_ = std::make_unique<RaceControl>(RaceControlContext{
        s, app_.heats, app_.board, raceSetup, *link_, *raceTick_, seams.clock, seams.prompter,
        app_.sounds, soundPlayer_, *demo_, *names_, *title_, *relay_});

    raceTick_->setInterval(100);
    raceTick_->setHandler([this](int elapsedMs) { onTick(elapsedMs); });
    tick_->setTrackCallHandler([this] { control_->PauseButton(seams_.clock.now()); });
}

void RaceEngine::attachWindows(RaceControlWindows* windows) {
    relay_->target = windows;
}

bool RaceEngine::windowsAttached() const {
    return relay_->target != nullptr;
}

RaceEngine::~RaceEngine() {
    raceTick_->setEnabled(false);
}

void RaceEngine::onTick(int elapsedMs) {
    tick_->Timer1_Timer(elapsedMs);
    watchTimingBox(elapsedMs);
    if (tickObserver_) tickObserver_();
}

// A race director must know at once when the box stops talking: the laps
// counted so far stay, but no more will come until it is back.
void RaceEngine::watchTimingBox(int tickMs) {
    RaceState& s = app_.race;
    RaceBoard& b = app_.board;
    const int64_t now = seams_.clock.tickCountMs();
    const bool portOpen = seams_.port.isOpen();
    const bool demo = link_->demoMode();
    const bool racing = !demo && b.startState == StartState::Pause;
    // The silence is measured from the start of the race or the last report.
    if (!racing || !watching_ || s.elapsedMs != lastElapsedMs_) {
        // The box's return stays on the board until the race runs on.
        const bool runsOn = racing && s.elapsedMs != lastElapsedMs_;
        lastElapsedMs_ = s.elapsedMs;
        // A race's first tick: the race began one tick ago.
        lastReportTick_ = racing && !watching_ ? now - tickMs : now;
        if ((portOpen || demo) && (runsOn || b.statusText != kTimingBoxBack)) b.statusText.clear();
    }
    watching_ = racing;
    if (demo) {
        portWasOpen_ = portOpen;
        return;
    }
    if (!portOpen && portWasOpen_) {
        boxLost_ = true;
        lastPollTick_ = now;
        if (racing) {
            control_->BoxLost();
            b.statusText = "Timing box lost on serial port " + std::to_string(s.commPort) + " (" +
                           seams_.port.devicePath(s.commPort) +
                           "): the race is paused until it is back. Laps counted so far are kept.";
        } else {
            std::string reason = seams_.port.lastError();
            while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
                reason.pop_back();
            b.statusText = "Timing box disconnected" + (reason.empty() ? "" : ": " + reason) +
                           ". Laps counted so far are kept.";
        }
    } else if (boxLost_ && portOpen) {
        // Back, on this port or on another one chosen in Installation meanwhile.
        boxLost_ = false;
        link_->SendBoxSetup();
        b.statusText = kTimingBoxBack;
    } else if (boxLost_ && now - lastPollTick_ >= kLostBoxPollMs) {
        lastPollTick_ = now;
        // Opening a device that is not there fails at once; the tick is not held.
        if (seams_.port.open(s.commPort)) {
            boxLost_ = false;
            link_->SendBoxSetup();
            b.statusText = kTimingBoxBack;
        }
    } else if (portOpen && now - lastReportTick_ >= kSilentBoxMs && b.statusText.empty()) {
        b.statusText = "Timing box not answering: no time report for 3 seconds.";
    }
    portWasOpen_ = portOpen;
}

void RaceEngine::step(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception&) {
        // Start-up goes on with the next step; what this one would have set
        // keeps its default.
    }
}

void RaceEngine::ShowLaneControls() {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        app_.board.rows[lane].visible = lane <= app_.race.laneCount;
    }
}

bool RaceEngine::OpenTimingPort(int portNumber, std::function<void()> chooseAnotherPort) {
    link_->setPortFailureHandlers(
        {[this] { app_.raceSettings.demoMode = 1; }, std::move(chooseAnotherPort)});
    return link_->OpenTimingPort(portNumber);
}

void RaceEngine::startTimingLink(const StartUpHooks& hooks) {
    RaceState& s = app_.race;
    if (link_->demoMode()) {
        // Demo races need no box: the port is tried without the port
        // question, so a PC with no box starts straight into the demo.
        seams_.port.open(s.commPort);
    } else {
        OpenTimingPort(s.commPort, hooks.chooseAnotherPort);
    }
    ShowLaneControls();
    link_->SendBoxSetup();
}

void RaceEngine::raceFormatConfirmed(bool wasDemoMode,
                                     const std::function<void()>& chooseAnotherPort) {
    if (!wasDemoMode || link_->demoMode()) return;
    // In demo mode the box was told nothing about power or pausing.
    if (seams_.port.isOpen() || OpenTimingPort(app_.race.commPort, chooseAnotherPort))
        link_->SendBoxSetup();
}

void RaceEngine::loadSettingsFile(std::string_view fileName, const std::filesystem::path& path,
                                  const std::function<void()>& read,
                                  const std::function<void()>& useDefaults) {
    std::error_code ignored;
    const bool missing = !std::filesystem::exists(path, ignored);
    try {
        if (!missing) {
            read();
            return;
        }
    } catch (const std::exception&) {
    }
    useDefaults();
    std::string& notice = app_.board.settingsNotice;
    if (!notice.empty()) notice += "  ";
    notice += std::string(fileName) + (missing ? " was missing" : " was damaged") +
              "; the defaults are in use.";
}

void RaceEngine::Form_Load(const StartUpHooks& hooks) {
    if (!hooks.chooseAnotherPort) throw std::logic_error("Start-up needs the port choice.");
    const AppFolder& folder = seams_.folder;
    RaceState& s = app_.race;
    RaceBoard& b = app_.board;
    formReady_ = false;
    b.settingsNotice.clear();
    loadSettingsFile(
        kInstallationFileName, folder.dataFile(kInstallationFileName),
        [&] { readInstallationFile(folder, app_.installation); },
        [&] { app_.installation = defaultInstallation(); });
    applyInstallation(app_.installation, s);
    step([&] {
        loadSpeedMultipliers(folder, app_.installation);
        s.speedMultiplier = app_.installation.speedMultiplier;
    });
    loadSettingsFile(
        kOptionsFileName, folder.dataFile(kOptionsFileName),
        [&] { readOptionsFile(folder, app_.options); }, [&] { app_.options = defaultOptions(); });
    step([&] { loadRaceFormatSettings(folder, app_.raceSettings, s.laneCount); });
    // The program always opens on practice with the straight sequence,
    // whatever was raced last; the lengths, demo mode and heat options
    // saved with the race format are in force.
    {
        RaceFormatSettings& race = app_.raceSettings;
        race.raceFormat = kPractice;
        race.raceFormatName = std::string(raceFormatRule(kPractice).text);
        race.heatRotation = 0;
        race.sequenceOption = 0;
    }
    step([&] { s.formHeight = readFormHeightFile(folder); });
    step([&] {
        const HeaderChoice choice = readRaceLagFile(folder);
        s.lagCaption = choice.lagCaption;
        s.bestLapCaption = choice.bestLapCaption;
        s.timeIncrementIndex = choice.timeIncrementIndex;
    });
    s.lapsUnsaved = false;
    s.summaryUnsaved = false;
    step([&] { names_->LoadRacerLists(); });
    app_.heats.racerCount = s.laneCount;
    // The reset puts the lane names on the board: once, so a missing names
    // file is reported once.
    step([&] { control_->ReSet(); });
    b.busy = false;
    step([&] { startTimingLink(hooks); });
    formReady_ = true;
    step([&] {
        LoadPointSystem(folder, app_.points);
        app_.heats.pointsForPlace = app_.points.pointsForPlace;
    });
    app_.heats.currentHeat = 1;
    step([&] {
        soundPlayer_.InitSound();
        soundPlayer_.SetSoundFolder(folder.soundFolder());
        soundPlayer_.LoadSoundSlots(30, "goby1.wav");
    });
    const std::filesystem::path soundTable = soundTablePath(folder);
    loadSettingsFile(
        soundTable.filename().string(), soundTable,
        [&] { readSoundTable(soundTable, app_.sounds); },
        [&] { app_.sounds = defaultSoundTable(); });
}

bool RaceEngine::mnuExit_Click() {
    if (!setup().practiceMode() && !ConfirmExitUnsaved(app_.race, seams_.prompter)) return false;
    if (seams_.port.isOpen()) seams_.port.close();
    return true;
}

void RaceEngine::Form_Unload() {
    raceTick_->setEnabled(false);
    try {
        if (seams_.port.isOpen()) seams_.port.close();
        RaceState& s = app_.race;
        s.lagCaption = app_.board.lagHeader.empty() ? "Lag First" : app_.board.lagHeader;
        s.bestLapCaption = app_.board.bestHeader.empty() ? "Best Lap" : app_.board.bestHeader;
        writeRaceLagFile(seams_.folder, {s.lagCaption, s.bestLapCaption, s.timeIncrementIndex});
    } catch (const std::exception& error) {
        seams_.prompter.inform(error.what());
    }
}

}  // namespace qel
