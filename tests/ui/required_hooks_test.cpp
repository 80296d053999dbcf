// A dialog put together with one of its needed hooks left empty is refused
// as it is made, naming the hook, rather than opening with a button that
// does nothing on race day.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/memory_user_settings.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "ui/heats/frm_qel_race_format.h"
#include "ui/setup/frm_qel_add_racer.h"
#include "ui/setup/frm_qel_change_password.h"
#include "ui/setup/frm_qel_diag.h"
#include "ui/setup/frm_qel_installation.h"
#include "ui/setup/frm_qel_login.h"
#include "ui/setup/frm_qel_options.h"
#include "ui/sound/frm_sound.h"

namespace qel::ui {
namespace {

struct SilentPlayer : SoundPlayer {
    void PlaySoundFile(const std::string&) override {}
};

// Everything the dialogs are made with, and every hook wired to do nothing.
struct Bench {
    static OptionsHooks optionsHooks() {
        return {[] {}, [] {}, [] {}};
    }
    static InstallationHooks installationHooks() {
        InstallationHooks h;
        h.resetLaneSequence = [] {};
        h.refreshRacerNames = [] {};
        h.laneRacerNames = [] { return LaneTable<std::string>{}; };
        h.resetRace = [] {};
        h.loadRacerLists = [] {};
        h.openTimingPort = [](int) { return false; };
        h.sendSensorType = [] {};
        h.resetSoldTime = [](int) {};
        h.restoreMainWindow = [] {};
        h.setFormHeight = [](int) {};
        h.endProgram = [] {};
        h.showHelp = [] {};
        return h;
    }
    static RaceFormatHooks raceFormatHooks() {
        return {[] {}, [](bool) {}, [] {}, [] {}, [] {}};
    }
    static LoginHooks loginHooks() {
        return {[] { return false; }, [] {}, [] {}, [] {}};
    }
    static ChangePasswordHooks changePasswordHooks() {
        return {[] {}, [] {}};
    }
    static AddRacerHooks addRacerHooks() {
        return {[] {}, [] {}};
    }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    test::ScriptedPrompter prompter;
    test::FakeTimingPort port;
    VirtualScheduler time;
    RaceState state;
    InstallationSettings installation;
    OptionsSettings options;
    AutoSaveSettings autoSave;
    LiveBoardSettings liveBoard;
    RaceFormatSettings raceSettings;
    HeatTables tables;
    RaceBoard board;
    test::MemoryUserSettings userSettings;
    SoundTable sounds;
    SilentPlayer player;
    TimingLink link{port, time, prompter, state, installation, raceSettings};
};

struct HookCase {
    const char* window;
    // The hook left empty; nullptr when the one left empty may be.
    const char* hook;
    std::function<void(Bench&)> make;
};

TEST(FrmRequiredHooksTest, ADialogWithANeededHookLeftEmptyIsRefusedNamingIt) {
    const HookCase cases[] = {
        {"frmQelOptions", "updateRaceTitle",
         [](Bench& b) {
             OptionsHooks h = Bench::optionsHooks();
             h.updateRaceTitle = nullptr;
             FrmQelOptions(b.app, b.options, b.autoSave, b.raceSettings, b.installation,
                           b.liveBoard, b.userSettings, b.prompter, h);
         }},
        {"frmQelOptions", "showHelp",
         [](Bench& b) {
             OptionsHooks h = Bench::optionsHooks();
             h.showHelp = nullptr;
             FrmQelOptions(b.app, b.options, b.autoSave, b.raceSettings, b.installation,
                           b.liveBoard, b.userSettings, b.prompter, h);
         }},
        {"frmQelOptions", "applyLiveBoard",
         [](Bench& b) {
             OptionsHooks h = Bench::optionsHooks();
             h.applyLiveBoard = nullptr;
             FrmQelOptions(b.app, b.options, b.autoSave, b.raceSettings, b.installation,
                           b.liveBoard, b.userSettings, b.prompter, h);
         }},
        {"frmQelInstallation", "showHelp",
         [](Bench& b) {
             InstallationHooks h = Bench::installationHooks();
             h.showHelp = nullptr;
             FrmQelInstallation(b.app, b.installation, b.state, b.prompter, h);
         }},
        {"frmQelInstallation", "endProgram",
         [](Bench& b) {
             InstallationHooks h = Bench::installationHooks();
             h.endProgram = nullptr;
             FrmQelInstallation(b.app, b.installation, b.state, b.prompter, h);
         }},
        {"frmQelRaceFormat", "raceFormatConfirmed",
         [](Bench& b) {
             RaceFormatHooks h = Bench::raceFormatHooks();
             h.raceFormatConfirmed = nullptr;
             FrmQelRaceFormat(b.app, b.raceSettings, b.state, b.tables, b.board, b.prompter, 4, h);
         }},
        {"frmQelRaceFormat", "showPointSystem",
         [](Bench& b) {
             RaceFormatHooks h = Bench::raceFormatHooks();
             h.showPointSystem = nullptr;
             FrmQelRaceFormat(b.app, b.raceSettings, b.state, b.tables, b.board, b.prompter, 4, h);
         }},
        {"frmQelLogin", "showChangePassword",
         [](Bench& b) {
             LoginHooks h = Bench::loginHooks();
             h.showChangePassword = nullptr;
             FrmQelLogin(b.app, b.prompter, h);
         }},
        {"frmQelChangePassword", "showLogin",
         [](Bench& b) {
             ChangePasswordHooks h = Bench::changePasswordHooks();
             h.showLogin = nullptr;
             FrmQelChangePassword(b.app, b.prompter, h);
         }},
        {"frmQelAddRacer", "loadRacerLists",
         [](Bench& b) {
             AddRacerHooks h = Bench::addRacerHooks();
             h.loadRacerLists = nullptr;
             FrmQelAddRacer(b.app, b.prompter, h);
         }},
        {"frmQelDiag", "showHelp",
         [](Bench& b) { FrmQelDiag(b.link, b.time, b.state, b.installation, nullptr); }},
        {"frmSound", "showHelp",
         [](Bench& b) { FrmSound(b.app, b.sounds, b.player, b.prompter, b.time, nullptr); }},
        // Only a shown time-selling window asks the login to unlock it.
        {"frmQelLogin", nullptr,
         [](Bench& b) {
             LoginHooks h = Bench::loginHooks();
             h.unlockSelling = nullptr;
             FrmQelLogin(b.app, b.prompter, h);
         }},
        // Only the racer placement window has a racer list to refill.
        {"frmQelAddRacer", nullptr,
         [](Bench& b) {
             AddRacerHooks h = Bench::addRacerHooks();
             h.refillPlacementRacers = nullptr;
             FrmQelAddRacer(b.app, b.prompter, h);
         }},
    };
    for (const HookCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.window << " " << (c.hook ? c.hook : "optional"));
        Bench bench;
        if (!c.hook) {
            EXPECT_NO_THROW(c.make(bench));
            continue;
        }
        try {
            c.make(bench);
            ADD_FAILURE() << "made without its hook";
        } catch (const std::logic_error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.window), std::string::npos) << message;
            EXPECT_NE(message.find(c.hook), std::string::npos) << message;
        }
        // Refused before it read anything or told the race director anything.
        EXPECT_TRUE(bench.prompter.messages().empty());
    }
}

}  // namespace
}  // namespace qel::ui
