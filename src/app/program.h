#pragma once
// The whole program put together: the one application state, the race
// engine, the subsystems that take part in a race's end, the main window and
// every window its menu opens, each with every hook it needs. main() runs it
// over the real serial port, timers, sound card and desktop; the tests that
// take the race director's path run the very same composition over theirs.
#include <QRect>
#include <memory>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/seams/file_dialog.h"
#include "core/seams/journal_store.h"
#include "core/seams/live_board_host.h"
#include "core/seams/print_surface.h"
#include "core/seams/shell.h"
#include "core/shell/user_settings.h"

namespace qel {

class AutoSave;
class HeatRaceEnd;
class RaceJournal;
class JournalledPort;
class LiveBoard;
class RacePrintouts;
class RaceRecords;
class TimeSelling;

namespace ui {
class FrmQelTimer;
class FrmTip;
}  // namespace ui

namespace app {

class HeatWindows;
class ProgramWindows;
class RecordWindows;

// The outside components the program runs on: the race engine's, and the
// desktop and the race director's own settings that the windows use.
struct ProgramSeams {
    EngineSeams engine;
    Shell& shell;
    UserSettings& userSettings;
    FileDialog& fileDialog;
    // The printer (or, without one, PDF files in Stats) the printouts go to.
    PrintSurface& printer;
    // The live board's server on the club's network (listening only once
    // the race director switches it on).
    LiveBoardHost& liveBoard;
    // The race journal: every race as it runs, kept for good.
    JournalStore& journal;
};

class Program {
  public:
    explicit Program(ProgramSeams seams);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // What follows the splash: the main window is made and wired, its
    // start-up runs, the board shows (at placement, when given) and the tip
    // of the day opens unless the race director turned it off.
    void start(const QRect& placement = {});

    ui::FrmQelTimer& mainWindow();
    // The tip of the day, while it is open.
    ui::FrmTip* tipWindow() { return tip_.get(); }
    RaceEngine& engine() { return engine_; }
    RaceRecords& records() { return *records_; }
    RacePrintouts& printouts() { return *printouts_; }
    RecordWindows& recordWindows() { return *recordWindows_; }
    HeatWindows& heatWindows() { return *heatWindows_; }
    TimeSelling& timeSelling() { return *timeSelling_; }
    LiveBoard& liveBoard() { return *liveBoard_; }
    AppState& app() { return *app_; }

  private:
    ProgramSeams seams_;
    std::unique_ptr<AppState> app_;
    // The box's line as the race reads it, with a copy for the journal.
    std::unique_ptr<JournalledPort> boxLine_;
    RaceEngine engine_;
    std::unique_ptr<HeatRaceEnd> heatRaceEnd_;
    std::unique_ptr<RaceRecords> records_;
    std::unique_ptr<RacePrintouts> printouts_;
    std::unique_ptr<AutoSave> autoSave_;
    std::unique_ptr<RecordWindows> recordWindows_;
    std::unique_ptr<HeatWindows> heatWindows_;
    std::unique_ptr<TimeSelling> timeSelling_;
    std::unique_ptr<LiveBoard> liveBoard_;
    std::unique_ptr<RaceJournal> journal_;
    std::unique_ptr<ProgramWindows> windows_;
    std::unique_ptr<ui::FrmQelTimer> mainWindow_;
    std::unique_ptr<ui::FrmTip> tip_;
};

}  // namespace app
}  // namespace qel
