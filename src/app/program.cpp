#include "app/program.h"

#include <stdexcept>

#include "app/program_windows.h"
#include "app/record_windows.h"
#include "core/heats/heat_race_end.h"
#include "core/records/race_records.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/shell/frm_tip.h"

namespace qel::app {

Program::Program(ProgramSeams seams)
    : seams_(seams),
      app_(makeAppState()),
      engine_(*app_, seams.engine),
      heatRaceEnd_(std::make_unique<HeatRaceEnd>(app_->heats, app_->race, app_->board)),
      records_(std::make_unique<RaceRecords>(
          RecordSources{app_->race, engine_.setup(), app_->installation, app_->board, app_->points,
                        app_->records},
          app_->heats,
          RecordServices{seams.engine.folder, seams.fileDialog, seams.engine.prompter, seams.shell,
                         seams.engine.clock})),
      recordWindows_(
          std::make_unique<RecordWindows>(*records_, seams.engine.prompter, seams.engine.clock)),
      windows_(std::make_unique<ProgramWindows>(engine_, seams.shell, seams.userSettings,
                                                *recordWindows_)) {
    // The subsystems that take part in the end of a race, in the order of its steps:
    // the heat is scored before the records log it and the views show it.
    engine_.handover().add(*heatRaceEnd_);
    engine_.handover().add(*records_);
    engine_.handover().add(*recordWindows_);
    // The open record views follow the board's redraws.
    engine_.screen().attachViews(recordWindows_.get());
}

Program::~Program() {
    // The race tick must not fire into windows that are going.
    engine_.raceTick().setEnabled(false);
    engine_.screen().attachViews(nullptr);
    tip_.reset();
    mainWindow_.reset();
}

ui::FrmQelTimer& Program::mainWindow() {
    if (!mainWindow_) throw std::logic_error("The program has not been started.");
    return *mainWindow_;
}

void Program::start(const QRect& placement) {
    mainWindow_ = std::make_unique<ui::FrmQelTimer>(engine_, *windows_);
    windows_->attach(*mainWindow_);
    recordWindows_->attach(*mainWindow_);
    engine_.Form_Load({[this] { windows_->showInstallation(); }});
    records_->rotateHeatLog();
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
