#include "app/program.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "app/heat_windows.h"
#include "app/program_windows.h"
#include "app/record_windows.h"
#include "core/heats/heat_race_end.h"
#include "core/journal/race_journal.h"
#include "core/journal/race_restore.h"
#include "core/liveboard/live_board.h"
#include "core/records/auto_save.h"
#include "core/records/race_printouts.h"
#include "core/records/race_records.h"
#include "core/timesell/time_selling.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/shell/frm_tip.h"

namespace qel::app {

Program::Program(ProgramSeams seams)
    : seams_(seams),
      app_(makeAppState()),
      boxLine_(std::make_unique<JournalledPort>(seams.engine.port)),
      engine_(*app_,
              EngineSeams{seams.engine.folder, *boxLine_, seams.engine.clock, seams.engine.timers,
                          seams.engine.random, seams.engine.prompter, seams.engine.soundDevice}),
      heatRaceEnd_(std::make_unique<HeatRaceEnd>(app_->heats, app_->race)),
      records_(std::make_unique<RaceRecords>(
          RecordSources{app_->race, engine_.setup(), app_->installation, app_->board, app_->points,
                        app_->records},
          app_->heats,
          RecordServices{seams.engine.folder, seams.fileDialog, seams.engine.prompter, seams.shell,
                         seams.engine.clock})),
      printouts_(std::make_unique<RacePrintouts>(
          records_->sources(), app_->heats,
          PrintoutServices{seams.printer, seams.engine.prompter, seams.engine.clock})),
      autoSave_(
          std::make_unique<AutoSave>(records_->sources(), app_->autoSave, seams.engine.folder)),
      recordWindows_(std::make_unique<RecordWindows>(*records_, *printouts_, seams.printer,
                                                     seams.engine.prompter, seams.engine.clock)),
      heatWindows_(std::make_unique<HeatWindows>(
          engine_,
          HeatWindowServices{seams.fileDialog, seams.printer, *printouts_, *recordWindows_})),
      timeSelling_(std::make_unique<TimeSelling>(TimeSellingContext{
          app_->race, app_->board, engine_.setup(), engine_.screen(), seams.engine.folder,
          seams.engine.prompter, seams.engine.clock, seams.engine.timers})),
      liveBoard_(std::make_unique<LiveBoard>(
          LiveBoardContext{app_->liveBoard,
                           {app_->board, app_->race, app_->heats, engine_.setup()},
                           app_->board,
                           seams.engine.folder,
                           seams.liveBoard})),
      windows_(std::make_unique<ProgramWindows>(engine_, seams.shell, seams.userSettings,
                                                *recordWindows_, *heatWindows_, *timeSelling_,
                                                *liveBoard_, seams.journal)) {
    // The subsystems that take part in the end of a race, in the order of its steps:
    // the heat is scored before the records log it and the views show it.
    engine_.handover().add(*heatRaceEnd_);
    engine_.handover().add(*records_);
    // The race's files are saved by themselves (as the Save page asks) once
    // the heat is scored and logged.
    engine_.handover().add(*autoSave_);
    engine_.handover().add(*recordWindows_);
    // Auto-Print after each heat: the summary, then the results slip.
    engine_.handover().add(*printouts_);
    // The heats' windows: the next-heat grid marked, the delays between
    // heats, the results shown when Auto-Display Results asks for them.
    engine_.handover().add(*heatWindows_);
    // The spectators' board shows the finished race before any results
    // window can hold the race director.
    engine_.handover().add(*liveBoard_);
    // The open results and record views follow the board's redraws.
    engine_.screen().attachViews(heatWindows_.get());
    // A lane with sold time counts laps only while its time runs.
    engine_.attachSoldTime(timeSelling_.get());
}

Program::~Program() {
    // The race tick must not fire into windows that are going.
    engine_.raceTick().setEnabled(false);
    engine_.screen().attachViews(nullptr);
    // Nor the countdown of sold time.
    timeSelling_->setTickObserver({});
    engine_.attachSoldTime(nullptr);
    tip_.reset();
    mainWindow_.reset();
    // The spectators' pages are told the board has gone.
    liveBoard_->stop();
}

ui::FrmQelTimer& Program::mainWindow() {
    if (!mainWindow_) throw std::logic_error("The program has not been started.");
    return *mainWindow_;
}

void Program::start(const QRect& placement) {
    mainWindow_ = std::make_unique<ui::FrmQelTimer>(engine_, *windows_);
    windows_->attach(*mainWindow_);
    recordWindows_->attach(*mainWindow_, [this] { heatWindows_->showRaceResults(); });
    heatWindows_->attach(*mainWindow_,
                         {[this] { windows_->showRacersDatabase(); },
                          [this](const ResultCorrection& made) { journal_->correction(made); }});
    engine_.Form_Load({[this] { windows_->showInstallation(); }});
    records_->rotateHeatLog();
    // The Save page's ticks, read as the Options dialog would show them.
    try {
        readAutoSaveFile(seams_.engine.folder, app_->autoSave);
    } catch (const std::exception& e) {
        app_->board.recordsNotice = std::string("No automatic saves: ") + e.what();
    }
    // The countdown of sold time shows on the board and in an open Time window.
    timeSelling_->setTickObserver([this] {
        mainWindow_->render();
        windows_->refreshTime();
    });
    timeSelling_->resume();
    // The live board follows every showing of the board, once the race
    // director's setting is in force.
    QObject::connect(mainWindow_.get(), &ui::FrmQelTimer::boardShown, mainWindow_.get(),
                     [this] { liveBoard_->publish(); });
    // The journal takes down what every showing of the board adds to the race.
    journal_ = std::make_unique<RaceJournal>(
        seams_.journal,
        RaceJournalSources{app_->race, app_->board, engine_.setup(), app_->heats,
                           app_->installation, seams_.engine.clock, boxLine_.get()});
    QObject::connect(mainWindow_.get(), &ui::FrmQelTimer::boardShown, mainWindow_.get(),
                     [this] { journal_->boardShown(); });
    // A race the program stopped in the middle of is offered back, once.
    OfferInterruptedRace(seams_.journal, engine_, *journal_);
    liveBoard_->load();
    mainWindow_->render();
    if (placement.isValid()) mainWindow_->setGeometry(placement);
    mainWindow_->show();

    // A tip of the day for the race director, unless turned off.
    tip_ = std::make_unique<ui::FrmTip>(seams_.engine.folder, seams_.engine.random,
                                        seams_.userSettings, mainWindow_.get());
    if (tip_->load()) {
        tip_->show();
    } else {
        tip_.reset();
    }
}

}  // namespace qel::app
