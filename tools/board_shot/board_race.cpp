#include "board_race.h"

#include <QPushButton>
#include <map>
#include <stdexcept>
#include <utility>

#include "core/engine/race_control.h"
#include "core/heats/race_formats.h"
#include "core/liveboard/live_board_settings.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "core/setup/roster.h"
#include "core/shell/tip_startup_setting.h"
#include "platform/sqlite_journal_store.h"

namespace qel::boardshot {
namespace {

namespace fs = std::filesystem;

// Noon on a race day, so the clock never crosses midnight during a race.
constexpr double kRaceDay = 46000.5;

// A PC without a timing box: the demo needs none.
class NoBox : public TimingPort {
  public:
    bool open(int) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    void write(std::string_view) override {}
    int charactersWaiting() override { return 0; }
    char readOne() override { return 0; }
    void clearInput() override {}
    std::string lastError() const override { return "No timing box is connected."; }
    std::string devicePath(int) const override { return ""; }
};

// Sound output that takes every wave and plays none of it, so the race costs what it costs
// with sound short of the mixing itself.
class SilentSound : public SoundDevice {
  public:
    bool open() override { return true; }
    int slotCount() const override { return 31; }
    bool loadSlot(int, const std::string&) override { return true; }
    bool isPlaying(int) const override { return false; }
    void play(int) override {}
    void setVolume(int, int) override {}
    void setPan(int, int) override {}
    std::string lastError() const override { return ""; }
};

// Nobody at the desk: every box is declined and kept for the caller to show.
class DecliningPrompter : public Prompter {
  public:
    MessageAnswer message(const std::string& text, const std::string&, MessageIcon,
                          MessageButtons buttons, DefaultButton = DefaultButton::First) override {
        messages.push_back(text);
        switch (buttons) {
            case MessageButtons::Ok:
                return MessageAnswer::Ok;
            case MessageButtons::YesNo:
                return MessageAnswer::No;
            case MessageButtons::AbortRetryIgnore:
                return MessageAnswer::Abort;
            default:
                return MessageAnswer::Cancel;
        }
    }
    std::optional<std::string> input(const std::string& prompt, const std::string&,
                                     const std::string&) override {
        messages.push_back(prompt);
        return std::nullopt;
    }
    std::vector<std::string> messages;
};

class NoDesktop : public Shell {
  public:
    bool openDocument(const std::string&) override { return false; }
    bool showHelp(const std::string&) override { return false; }
    bool showPage(const std::string&) override { return false; }
};

// A board shot saves and opens nothing.
class NoFileDialog : public FileDialog {
  public:
    std::optional<std::string> showSave(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> showOpen(const FileDialogRequest&) override { return {}; }
};

// The picture of the board prints nothing.
class NoPrinter : public PrintSurface {
  public:
    bool begin(const PrintJob&) override { return false; }
    bool isActive() const override { return false; }
    PrintPage pageFor(bool) const override { return {}; }
    int pageWidth() const override { return 0; }
    int pageHeight() const override { return 0; }
    double dotsPerInch() const override { return 72.0; }
    void setFont(const PrintFont&) override {}
    int averageCharWidth() const override { return 1; }
    int lineHeight() const override { return 1; }
    int textWidth(const std::string&) const override { return 0; }
    void drawText(int, int, const std::string&, int32_t) override {}
    void drawTextInRect(const PrintRect&, const std::string&, PrintAlign, PrintVAlign, bool,
                        int32_t) override {}
    void fillRect(const PrintRect&, int32_t) override {}
    void outlineRect(const PrintRect&, int32_t, int) override {}
    void newPage() override {}
    bool end() override { return false; }
    std::string destination() const override { return {}; }
    std::string lastError() const override { return "No printer for the board's picture."; }
    bool printsToFile() const override { return false; }
};

// Kept for the run only, so nobody's own choices are read or changed.
class RunSettings : public UserSettings {
  public:
    std::optional<std::string> value(std::string_view section,
                                     std::string_view key) const override {
        const auto found = values_.find({std::string(section), std::string(key)});
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void setValue(std::string_view section, std::string_view key, std::string_view text) override {
        values_[{std::string(section), std::string(key)}] = std::string(text);
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

// The application folder's contents the program reads; Stats/ starts empty.
void copyDefaults(const fs::path& defaults, const fs::path& root) {
    if (!fs::is_directory(defaults / "QelDat"))
        throw std::runtime_error("no QelDat folder in " + defaults.string());
    for (const char* folder : {"QelDat", "QelSound", "Images"}) {
        if (fs::is_directory(defaults / folder))
            fs::copy(defaults / folder, root / folder, fs::copy_options::recursive);
    }
    fs::create_directories(root / "Stats");
}

// What the race director does in Installation, Racers Database and Options before the race
// night: the lane count, a racer in every lane, the instant start.
void setUpTrack(const AppFolder& folder, int lanes) {
    InstallationSettings installation;
    readInstallationFile(folder, installation);
    installation.laneCountIndex = static_cast<int16_t>(lanes - 2);
    installation.laneCount = static_cast<int16_t>(lanes);
    LaneTable<std::string> lengths;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        lengths[lane] = "30";
    storeInstallation(folder, installation, lengths);

    const std::vector<std::string> roster = readRosterNames(folder);
    LaneTable<std::string> names;
    for (int lane = 1; lane <= lanes; ++lane) {
        names[lane] = static_cast<std::size_t>(lane) <= roster.size()
                          ? roster[static_cast<std::size_t>(lane - 1)]
                          : "Racer " + std::to_string(lane);
    }
    writeLaneRacerNames(folder, names);

    OptionsSettings options;
    readOptionsFile(folder, options);
    options.instantStart = -1;
    options.dragStart = 0;
    options.formula1Start = 0;
    writeOptionsFile(folder, options);
}

}  // namespace

fs::path defaultDataFolder() {
    return QEL_DEFAULT_DATA_DIR;
}

class BoardRace::Desk {
  public:
    NoBox port;
    SilentSound sound;
    DecliningPrompter prompter;
    NoDesktop shell;
    RunSettings userSettings;
    NoFileDialog fileDialog;
    NoPrinter printer;
    platform::LiveBoardServer liveBoard;
    // The journal the race keeps, in the scratch folder once it is known.
    std::unique_ptr<platform::SqliteJournalStore> journal;
};

BoardRace::BoardRace(const BoardRaceSetup& setup)
    : desk_(std::make_unique<Desk>()), time_(kRaceDay), random_(setup.seed) {
    if (setup.lanes < 2 || setup.lanes > kMaxLanes)
        throw std::runtime_error("a track has 2 to 8 lanes");
    if (setup.laps < 1 || setup.laps > kMaxLap)
        throw std::runtime_error("a race has 1 to 3000 laps");
    if (!scratch_.isValid()) throw std::runtime_error("no scratch folder for the race");
    const fs::path root = scratch_.path().toStdString();
    copyDefaults(setup.defaults, root);
    folder_ = std::make_unique<AppFolder>(root);
    setUpTrack(*folder_, setup.lanes);
    // The live board switched on in Options, for a race watched on the network.
    if (setup.liveBoardPort != 0) writeLiveBoardFile(*folder_, {true, setup.liveBoardPort});

    // No tip of the day over the board.
    desk_->userSettings.setValue(kUserOptionsSection, kShowTipsKey, "0");
    desk_->journal =
        std::make_unique<platform::SqliteJournalStore>(folder_->statsFile("RaceJournal.sqlite"));
    program_ = std::make_unique<app::Program>(app::ProgramSeams{
        {*folder_, desk_->port, time_, time_, random_, desk_->prompter, desk_->sound},
        desk_->shell,
        desk_->userSettings,
        desk_->fileDialog,
        desk_->printer,
        desk_->liveBoard,
        *desk_->journal});
    program_->start();

    // A lap race in place of the practice the program opens on, as the Race
    // Format dialog's OK puts it in force.
    RaceFormatSettings& race = program_->app().raceSettings;
    race.raceFormat = kLapRace;
    race.raceFormatName = std::string(raceFormatRule(kLapRace).text);
    race.heatRotation = 0;
    race.raceLimitKind = std::string(kLapsCaption);
    race.raceLaps = static_cast<int16_t>(setup.laps);
    engine().title().UpdateRaceTitle();
    window().render();
}

// Members go in reverse: the window lets go of the engine before the engine goes, and the
// scratch folder is removed last.
BoardRace::~BoardRace() = default;

bool BoardRace::pressStart() {
    auto* start = window().findChild<QPushButton*>("cmdStart");
    if (!start) return false;
    start->click();
    return engine().board().startState == StartState::Pause && engine().raceTick().enabled();
}

const std::vector<std::string>& BoardRace::messages() const {
    return desk_->prompter.messages;
}

platform::LiveBoardServer& BoardRace::liveBoard() {
    return desk_->liveBoard;
}

}  // namespace qel::boardshot
