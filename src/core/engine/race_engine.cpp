#include "core/engine/race_engine.h"

#include <algorithm>

#include "core/engine/board_headers.h"
#include "core/engine/unsaved_prompts.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/heats/rotation.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "core/sound/sound_table_file.h"

namespace qel {

// The race control's windows, forwarded to whatever window is attached.
class RaceEngine::WindowsRelay : public RaceControlWindows {
  public:
    RaceControlWindows* target = nullptr;

    void boardChanged() override {
        if (target) target->boardChanged();
    }
    void showStartCountdown(std::function<void()> then) override {
        if (target) {
            target->showStartCountdown(std::move(then));
        } else if (then) {
            then();
        }
    }
    void showDragTree() override {
        if (target) target->showDragTree();
    }
    void showFormula1() override {
        if (target) target->showFormula1();
    }
    void showRaceFormatForLength() override {
        if (target) target->showRaceFormatForLength();
    }
    bool showAbortChoice() override { return target && target->showAbortChoice(); }
    void refreshNextHeat() override {
        if (target) target->refreshNextHeat();
    }
    void closeNextHeat() override {
        if (target) target->closeNextHeat();
    }
    void stopRotateDelay() override {
        if (target) target->stopRotateDelay();
    }
};

// What the end of a race hands to the rest of the program.
class RaceEngine::Handover : public RaceEndHandover {
  public:
    explicit Handover(AppState& app) : app_(app) {}

    // The heat log, the next-heat window, the result views and printing are
    // windows and files the program does not have yet; the race result stays
    // on the board and in the race state.
    void saveHeatToLog() override {}
    void prepareNextHeatDisplay() override {}
    void reopenOpenViews() override {}
    void showRaceResults() override {}
    void autoPrint() override {}

    void scoreHeat() override {
        SumRacerLaps(app_.heats);
        ScoreHeatPoints(app_.heats, app_.race.lanePosition);
    }
    // Without the automatic delay between heats the race director rotates
    // by hand, so the button must offer it.
    void startBetweenHeatDelay() override { app_.board.startCaption = kRotateCaption; }
    void enableFileMenu() override { app_.board.menu.file = true; }

  private:
    AppState& app_;
};

RaceEngine::RaceEngine(AppState& app, EngineSeams seams)
    : app_(app),
      seams_(seams),
      soundPlayer_(seams.soundDevice, seams.prompter),
      lapSound_(app.sounds, soundPlayer_),
      relay_(std::make_unique<WindowsRelay>()),
      handover_(std::make_unique<Handover>(app)) {
    RaceState& s = app_.race;
    raceTick_ = seams.timers.createTimer();
    link_ =
        std::make_unique<TimingLink>(seams.port, seams.clock, seams.prompter, s, app_.installation);
    counter_ = std::make_unique<LapCounter>(s, app_.heats, app_.board, &lapSound_);
    demo_ = std::make_unique<DemoGenerator>(s, seams.random);
    screen_ = std::make_unique<RaceScreen>(s, app_.heats, app_.board);
    finish_ = std::make_unique<RaceFinish>(FinishContext{s, app_.heats, app_.board, *screen_,
                                                         *link_, *raceTick_, seams.clock,
                                                         app_.sounds, soundPlayer_, *handover_});
    tick_ =
        std::make_unique<RaceTick>(s, app_.heats, *link_, *counter_, *demo_, *screen_, *finish_);
    names_ = std::make_unique<LaneNames>(seams.folder, s, app_.heats, app_.board, app_.installation,
                                         seams.prompter);
    title_ = std::make_unique<RaceTitle>(seams.folder, s, app_.heats, app_.board, app_.options,
                                         [this] { finish_->clock(); });
    clicks_ = std::make_unique<BoardClicks>(seams.folder, s, app_.board, *screen_, *raceTick_,
                                            *names_, seams.prompter);
    control_ = std::make_unique<RaceControl>(RaceControlContext{
        s, app_.heats, app_.board, app_.options, app_.raceSettings, *link_, *raceTick_, seams.clock,
        seams.prompter, app_.sounds, soundPlayer_, *demo_, *names_, *title_, *relay_});

    raceTick_->setInterval(100);
    raceTick_->setHandler([this](int elapsedMs) { onTick(elapsedMs); });
    tick_->setTrackCallHandler([this] { control_->PauseButton(seams_.clock.now()); });
}

void RaceEngine::attachWindows(RaceControlWindows* windows) {
    relay_->target = windows;
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
    const bool racing = s.demoMode != 1 && b.startCaption == kPauseCaption;
    // The silence is measured from the start of the race or the last report.
    if (!racing || !watching_ || s.elapsedMs != lastElapsedMs_) {
        lastElapsedMs_ = s.elapsedMs;
        // A race's first tick: the race began one tick ago.
        lastReportTick_ = racing && !watching_ ? now - tickMs : now;
        if (portOpen || s.demoMode == 1) b.statusText.clear();
    }
    watching_ = racing;
    if (s.demoMode == 1) {
        portWasOpen_ = portOpen;
        return;
    }
    if (!portOpen && portWasOpen_) {
        std::string reason = seams_.port.lastError();
        while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
            reason.pop_back();
        b.statusText = "Timing box disconnected" + (reason.empty() ? "" : ": " + reason) +
                       ". Laps counted so far are kept.";
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
    link_->setPortFailureHandlers({[this] {
                                       app_.race.demoMode = 1;
                                       app_.raceSettings.demoMode = 1;
                                   },
                                   std::move(chooseAnotherPort)});
    return link_->OpenTimingPort(portNumber);
}

void RaceEngine::startTimingLink(const StartUpHooks& hooks) {
    RaceState& s = app_.race;
    if (s.demoMode == 1) {
        // Demo races need no box: the port is tried without the port
        // question, so a PC with no box starts straight into the demo.
        seams_.port.open(s.commPort);
    } else {
        OpenTimingPort(s.commPort, hooks.chooseAnotherPort);
    }
    ShowLaneControls();
    link_->SetTrackPower(false);
    link_->SendLaneCount();
    link_->SendSensorType();
    link_->SendDValue(1);
    link_->SendBoxCommand("\rP");
}

void RaceEngine::Form_Load(const StartUpHooks& hooks) {
    const AppFolder& folder = seams_.folder;
    RaceState& s = app_.race;
    RaceBoard& b = app_.board;
    formReady_ = false;
    step([&] {
        readInstallationFile(folder, app_.installation);
        applyInstallation(app_.installation, s);
    });
    step([&] {
        readSpeedMultiplierFile(folder, app_.installation);
        s.speedMultiplier = app_.installation.speedMultiplier;
    });
    step([&] {
        readOptionsFile(folder, app_.options);
        applyStoredOptions(app_.options, s);
    });
    step([&] {
        loadRaceFormatSettings(folder, app_.raceSettings, s.laneCount);
        s.demoMode = app_.raceSettings.demoMode;
    });
    // The program always opens on practice, whatever was raced last.
    s.raceFormat = kPractice;
    s.practiceMode = true;
    s.heatRotation = false;
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
        readSoundTable(soundTablePath(folder), app_.sounds);
    });
}

bool RaceEngine::mnuExit_Click() {
    if (!app_.race.practiceMode && !ConfirmExitUnsaved(app_.race, seams_.prompter)) return false;
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
