#include "ui/setup/frm_qel_options.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <memory>

#include "core/shell/tip_startup_setting.h"
#include "setup_dialog_support.h"
#include "support/memory_user_settings.h"
#include "support/scripted_prompter.h"

namespace qel::ui {
namespace {

using test_support::child;
using test_support::nameOf;

class FrmQelOptionsTest : public ::testing::Test {
  protected:
    FrmQelOptionsTest() {
        test_support::copyDefaultDataFolder(folder);
        installation.relayIndex = kRelayNormallyClosed;
        // A race run in heats, where every Automate tick is in use.
        raceSettings.raceFormat = formatNumber("Round Robin");
        hooks.updateRaceTitle = [this] { ++titleUpdates; };
        hooks.showHelp = [this] { ++helpShown; };
        hooks.applyLiveBoard = [this] { ++liveBoardApplied; };
    }

    static int16_t formatNumber(std::string_view text) {
        const std::optional<int> number = raceFormatNumber(text);
        EXPECT_TRUE(number.has_value()) << text;
        return static_cast<int16_t>(number.value_or(0));
    }
    FrmQelOptions& dialog() {
        if (!dialog_) {
            dialog_ =
                std::make_unique<FrmQelOptions>(app, options, autoSave, raceSettings, installation,
                                                liveBoard, userSettings, prompter, hooks);
        }
        return *dialog_;
    }
    template <typename Widget>
    Widget* find(const QString& name) {
        return child<Widget>(dialog(), name);
    }
    QComboBox* combo(const QString& name) { return find<QComboBox>(name); }
    bool enabled(const QString& name) { return find<QWidget>(name)->isEnabled(); }
    std::string optionsBytes() { return readBinaryFile(app.dataFile("QelOptions.dat")); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    OptionsSettings options;
    AutoSaveSettings autoSave;
    RaceFormatSettings raceSettings;
    InstallationSettings installation;
    LiveBoardSettings liveBoard;
    test::MemoryUserSettings userSettings;
    test::ScriptedPrompter prompter;
    OptionsHooks hooks;
    int titleUpdates = 0;
    int helpShown = 0;
    int liveBoardApplied = 0;
    std::unique_ptr<FrmQelOptions> dialog_;
};

TEST_F(FrmQelOptionsTest, CaptionsNamesAndToolTips) {
    EXPECT_EQ(dialog().objectName(), "frmQelOptions");
    EXPECT_EQ(dialog().windowTitle(), "Options");
    auto* tabs = find<QTabBar>("TabStrip1");
    ASSERT_EQ(tabs->count(), 6);
    const char* tabCaptions[] = {"Start Method", "Track Power", "Save",
                                 "Automate",     "Settings",    "Live Board"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tabs->tabText(i), tabCaptions[i]);

    const std::pair<const char*, const char*> texts[] = {
        {"optStartMethod_0", "Instant"},
        {"optStartMethod_1", "Drag Racing"},
        {"optStartMethod_2", "Formula 1"},
        {"optWithGreen", "With Green Light"},
        {"optBeforeGreen", "Before Green Light"},
        {"chkAutoSave_0", "Auto Save to Exel .xls"},
        {"chkAutoSave_1", "Auto Save to .txt File"},
        {"chkAutoSave_2", "Auto Save to HTML"},
        {"chkAutoDelay", "Auto-Delay between Heats"},
        {"chkAutoPrint", "Auto-Print after each Heat"},
        {"chkAutoDisplayResults", "Auto-Display Results"},
        {"chkShowTips", "Show \"\"Tip of the Day\"\" at Start-Up"},
        {"lblStartDelay", "Start Delay, Seconds:"},
        {"lblDelayView", "Delay View, sec."},
        {"lblDelayRotate", "Delay Rotate, sec."},
        {"lblMinLapTime", "Minimum Lap Time, Seconds:"},
        {"lblFirstLap", "Race Begins With Lap:"},
        {"lblCoastTime", "Coast Time, Seconds:"},
        {"chkLiveBoard", "Show the live board on the club's network"},
        {"lblLiveBoardPort", "Port:"},
        {"cmdOk", "&OK"},
        {"cmdCancel", "&Cancel"},
        {"cmdHelp", "&Help"},
    };
    for (const auto& [name, text] : texts) {
        QWidget* widget = find<QWidget>(name);
        QString shown;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown = button->text();
        if (auto* label = qobject_cast<QLabel*>(widget)) shown = label->text();
        EXPECT_EQ(shown, text) << name;
    }
    const std::pair<const char*, const char*> tips[] = {
        {"cmbDelay", "Delay in seconds before \"Formula1 Starts\""},
        {"lblStartDelay", "Delay in seconds before \"Formula1 Starts\""},
        {"cmbDelayView", "Select time in seconds"},
        {"cmbDelayRotate", "Select time in seconds"},
        {"cmbMinLapTime", "Lap will not count if under this time"},
        {"cmbFirstLap", "Car before sensor,select 0. Car after sensor select 1."},
        {"cmbCoastTime", "Lap will count if car crosses finish line within Coast Time"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(find<QWidget>(name)->toolTip(), tip) << name;
}

TEST_F(FrmQelOptionsTest, TabsShowOnePageAtATime) {
    for (int page = 1; page <= 6; ++page)
        EXPECT_EQ(find<QFrame>(nameOf("Frame1", page))->isVisibleTo(&dialog()), page == 1);
    for (int tab : {3, 3, 0, 5, 4, 1}) {
        find<QTabBar>("TabStrip1")->setCurrentIndex(tab);
        for (int page = 1; page <= 6; ++page)
            EXPECT_EQ(find<QFrame>(nameOf("Frame1", page))->isVisibleTo(&dialog()), page == tab + 1)
                << "tab " << tab << " page " << page;
    }
}

TEST_F(FrmQelOptionsTest, ListsHoldTheirEntries) {
    auto* minLap = combo("cmbMinLapTime");
    ASSERT_EQ(minLap->count(), 92);
    EXPECT_EQ(minLap->itemText(0), "0");
    EXPECT_EQ(minLap->itemText(1), "0.25");
    EXPECT_EQ(minLap->itemText(2), "0.5");
    EXPECT_EQ(minLap->itemText(40), "10");
    EXPECT_EQ(minLap->itemText(91), "61");
    EXPECT_EQ(combo("cmbDelay")->count(), 31);
    EXPECT_EQ(combo("cmbDelay")->itemText(30), "30");
    QStringList coast;
    for (int i = 0; i < combo("cmbCoastTime")->count(); ++i)
        coast << combo("cmbCoastTime")->itemText(i);
    EXPECT_EQ(coast, (QStringList{"0", "0.5", "1", "1.5", "2", "2.5", "3"}));
    EXPECT_EQ(combo("cmbFirstLap")->count(), 2);
    for (const char* name : {"cmbDelayView", "cmbDelayRotate"}) {
        ASSERT_EQ(combo(name)->count(), 60) << name;
        EXPECT_EQ(combo(name)->itemText(0), "5");
        EXPECT_EQ(combo(name)->itemText(59), "300");
    }
}

TEST_F(FrmQelOptionsTest, LoadShowsTheStoredOptions) {
    // The committed file: 3,0,8,0,0,-1,-1,0,1,4
    raceSettings.autoDelay = 1;
    raceSettings.autoPrint = 1;
    raceSettings.viewDelayListIndex = 2;
    raceSettings.rotateDelayListIndex = 5;
    EXPECT_EQ(combo("cmbDelay")->currentText(), "3");
    EXPECT_EQ(combo("cmbFirstLap")->currentText(), "0");
    EXPECT_EQ(combo("cmbMinLapTime")->currentText(), "2");
    EXPECT_EQ(combo("cmbCoastTime")->currentText(), "2");
    EXPECT_TRUE(find<QRadioButton>("optStartMethod_2")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optWithGreen")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkAutoDelay")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkAutoPrint")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkAutoDisplayResults")->isChecked());
    EXPECT_EQ(combo("cmbDelayView")->currentText(), "15");
    EXPECT_EQ(combo("cmbDelayRotate")->currentText(), "30");
    // The race reads its values from the stored positions.
    EXPECT_EQ(options.minLapTimeIndex, 8);
    EXPECT_FLOAT_EQ(minLapTimeOf(options), 2.0f);
    EXPECT_EQ(coastTimeMsOf(options), 2000);
    EXPECT_EQ(startDelayOf(options), 3);
    EXPECT_EQ(firstLapOffsetOf(options), -1);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(FrmQelOptionsTest, ShowTipsTickShowsTheRaceDirectorsOwnSettingAndAClickStoresIt) {
    struct Case {
        std::optional<std::string> stored;
        bool ticked;
    };
    // Nothing stored yet, or a hand-edited text, counts as on.
    for (const Case& c :
         {Case{std::nullopt, true}, Case{"1", true}, Case{"0", false}, Case{"no", true}}) {
        test::MemoryUserSettings own;
        if (c.stored) own.setValue(kUserOptionsSection, kShowTipsKey, *c.stored);
        FrmQelOptions window(app, options, autoSave, raceSettings, installation, liveBoard, own,
                             prompter, hooks);
        auto* tick = child<QCheckBox>(window, "chkShowTips");
        EXPECT_EQ(tick->isChecked(), c.ticked) << c.stored.value_or("nothing");
        tick->click();
        EXPECT_EQ(own.value(kUserOptionsSection, kShowTipsKey), c.ticked ? "0" : "1")
            << c.stored.value_or("nothing");
        EXPECT_EQ(readShowTipsAtStartup(own), !c.ticked);
        tick->click();
        EXPECT_EQ(readShowTipsAtStartup(own), c.ticked);
    }
    // The committed options file says 1; the tick does not follow the file.
    userSettings.setValue(kUserOptionsSection, kShowTipsKey, "0");
    EXPECT_FALSE(find<QCheckBox>("chkShowTips")->isChecked());
}

TEST_F(FrmQelOptionsTest, AutomateTicksTheRaceFormatCannotUseAreGreyedAtLoad) {
    struct Case {
        const char* format;
        bool autoDelay;
        bool autoPrint;
        bool autoDisplayResults;
    };
    const Case cases[] = {
        {"Practice", false, false, false},
        {"Practice with Rotation", true, false, false},
        {"Lap Race", false, false, false},
        {"Timed Race", false, false, false},
        {"Championship", true, false, true},
        {"Round Robin", true, true, true},
        {"Rotation Race", true, true, true},
        {"Round Robin Lap Heats", true, true, true},
        {"Rotation Race Lap Heats", true, true, true},
    };
    for (const Case& c : cases) {
        raceSettings.raceFormat = formatNumber(c.format);
        dialog_.reset();
        EXPECT_EQ(enabled("chkAutoDelay"), c.autoDelay) << c.format;
        EXPECT_EQ(enabled("chkAutoPrint"), c.autoPrint) << c.format;
        EXPECT_EQ(enabled("chkAutoDisplayResults"), c.autoDisplayResults) << c.format;
    }
}

TEST_F(FrmQelOptionsTest, InPracticeAnAutoDelayTickGreysNothing) {
    // Saved from an earlier race with heats: the tick stays, but Practice has
    // no heats to delay between, so Instant start stays open and the delay
    // lists stay greyed.
    raceSettings.raceFormat = formatNumber("Practice");
    raceSettings.autoDelay = 1;
    EXPECT_TRUE(find<QCheckBox>("chkAutoDelay")->isChecked());
    EXPECT_FALSE(enabled("chkAutoDelay"));
    EXPECT_TRUE(enabled("optStartMethod_0"));
    for (const char* name : {"cmbDelayView", "cmbDelayRotate", "lblDelayView", "lblDelayRotate"})
        EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(FrmQelOptionsTest, TrackPowerPageFollowsTheRelay) {
    for (int16_t relay : {kRelayNone, kRelayNormallyClosed, kRelayNormallyOpen}) {
        installation.relayIndex = relay;
        dialog_.reset();
        const bool expected = relay != kRelayNone;
        EXPECT_EQ(enabled("Frame1_2"), expected) << relay;
        EXPECT_EQ(enabled("optWithGreen"), expected) << relay;
        EXPECT_EQ(enabled("optBeforeGreen"), expected) << relay;
    }
}

TEST_F(FrmQelOptionsTest, AutoDelayRule) {
    struct Case {
        bool tickEnabled;
        bool ticked;
        bool instantEnabled;
    };
    for (const Case c : {Case{true, true, false}, Case{true, false, true}, Case{false, true, true},
                         Case{false, false, true}}) {
        dialog().setHeatOptionsAllowed({c.tickEnabled, true, true});
        find<QCheckBox>("chkAutoDelay")->setChecked(c.ticked);
        dialog().AutoDelay();
        EXPECT_EQ(enabled("optStartMethod_0"), c.instantEnabled) << c.tickEnabled << c.ticked;
        for (const char* name :
             {"cmbDelayView", "cmbDelayRotate", "lblDelayView", "lblDelayRotate"})
            EXPECT_EQ(enabled(name), !c.instantEnabled) << name << c.tickEnabled << c.ticked;
    }
}

TEST_F(FrmQelOptionsTest, TickingAutoDelayDisablesInstantAndUntickingReverses) {
    auto* tick = find<QCheckBox>("chkAutoDelay");
    tick->setChecked(false);
    tick->click();
    EXPECT_FALSE(enabled("optStartMethod_0"));
    EXPECT_TRUE(enabled("cmbDelayView"));
    tick->click();
    EXPECT_TRUE(enabled("optStartMethod_0"));
    EXPECT_FALSE(enabled("cmbDelayRotate"));
}

TEST_F(FrmQelOptionsTest, OkWritesTheTenFieldsAndSetsTheRace) {
    struct Case {
        int firstLap;
        int startMethod;
        bool beforeGreen;
        bool tips;
        int16_t firstLapOffset;
    };
    for (const Case c :
         {Case{0, 0, false, false, -1}, Case{1, 1, true, true, 0}, Case{1, 2, false, true, 0}}) {
        dialog_.reset();
        combo("cmbDelay")->setCurrentIndex(7);
        combo("cmbFirstLap")->setCurrentIndex(c.firstLap);
        combo("cmbMinLapTime")->setCurrentIndex(41);
        combo("cmbCoastTime")->setCurrentIndex(5);
        find<QRadioButton>(nameOf("optStartMethod", c.startMethod))->setChecked(true);
        find<QRadioButton>(c.beforeGreen ? "optBeforeGreen" : "optWithGreen")->setChecked(true);
        find<QCheckBox>("chkShowTips")->setChecked(c.tips);
        find<QPushButton>("cmdOk")->click();

        OptionsSettings expected;
        expected.startDelayIndex = 7;
        expected.firstLapIndex = static_cast<int16_t>(c.firstLap);
        expected.minLapTimeIndex = 41;
        expected.coastTimeIndex = 5;
        expected.instantStart = c.startMethod == 0 ? -1 : 0;
        expected.dragStart = c.startMethod == 1 ? -1 : 0;
        expected.formula1Start = c.startMethod == 2 ? -1 : 0;
        expected.powerWithGreen = c.beforeGreen ? 0 : -1;
        expected.powerBeforeGreen = c.beforeGreen ? -1 : 0;
        expected.showTipsAtStart = c.tips ? 1 : 0;
        EXPECT_EQ(optionsBytes(), optionsFileText(expected)) << c.startMethod;
        EXPECT_EQ(firstLapOffsetOf(options), c.firstLapOffset);
        EXPECT_EQ(startDelayOf(options), 7);
        EXPECT_FLOAT_EQ(minLapTimeOf(options), 11.0f);
        EXPECT_EQ(dialog().result(), QDialog::Accepted);
    }
    EXPECT_EQ(titleUpdates, 3);
}

TEST_F(FrmQelOptionsTest, CoastTimeOfTwoAndAHalfOnTheNextLoad) {
    combo("cmbCoastTime")->setCurrentText("2.5");
    find<QPushButton>("cmdOk")->click();
    dialog_.reset();
    options = OptionsSettings{};
    dialog();
    EXPECT_EQ(combo("cmbCoastTime")->currentText(), "2.5");
    EXPECT_EQ(coastTimeMsOf(options), 2500);
}

TEST_F(FrmQelOptionsTest, AutomateValuesGoToTheRaceFormatAndItsFileNotTheOptionsFile) {
    // A championship does not print after each heat: a greyed tick never prints.
    raceSettings.raceFormat = formatNumber("Championship");
    find<QCheckBox>("chkAutoDelay")->setChecked(true);
    find<QCheckBox>("chkAutoDisplayResults")->setChecked(true);
    find<QCheckBox>("chkAutoPrint")->setChecked(true);
    EXPECT_FALSE(enabled("chkAutoPrint"));
    combo("cmbDelayView")->setCurrentText("20");
    combo("cmbDelayRotate")->setCurrentText("300");
    find<QPushButton>("cmdOk")->click();
    EXPECT_EQ(raceSettings.autoDelay, 1);
    EXPECT_EQ(raceSettings.autoDisplayResults, 1);
    EXPECT_EQ(raceSettings.autoPrint, 0);
    EXPECT_EQ(raceSettings.viewDelayListIndex, 3);
    EXPECT_EQ(raceSettings.viewDelaySeconds, 20);
    EXPECT_EQ(raceSettings.rotateDelayListIndex, 59);
    EXPECT_EQ(raceSettings.rotateDelaySeconds, 300);
    EXPECT_EQ(optionsBytes().find('\n'), optionsBytes().size() - 1);
    // Saved with the race format, so the next start of the program has them.
    RaceFormatSettings saved;
    ReadRaceFormatFile(raceFormatFilePath(app), saved);
    EXPECT_EQ(saved, raceSettings);
}

TEST_F(FrmQelOptionsTest, CancelWritesNothing) {
    const std::string before = optionsBytes();
    const RaceFormatSettings raceBefore = raceSettings;
    combo("cmbDelay")->setCurrentIndex(20);
    find<QCheckBox>("chkAutoDelay")->click();
    find<QPushButton>("cmdCancel")->click();
    EXPECT_EQ(optionsBytes(), before);
    EXPECT_EQ(raceSettings, raceBefore);
    EXPECT_FALSE(std::filesystem::exists(raceFormatFilePath(app)));
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_EQ(titleUpdates, 0);
}

TEST_F(FrmQelOptionsTest, StoredPositionOutsideItsListIsReportedAndLeftUnselected) {
    folder.write("QelDat/QelOptions.dat", "3,0,200,0,0,-1,-1,0,1,4\r\n");
    dialog();
    EXPECT_EQ(combo("cmbMinLapTime")->currentIndex(), -1);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("Minimum Lap Time"), std::string::npos);
    // The race counts every lap rather than refusing laps by a time no list offers.
    EXPECT_EQ(options.minLapTimeIndex, 200);
    EXPECT_FLOAT_EQ(minLapTimeOf(options), 0.0f);
    // OK keeps the stored position rather than writing one the next load refuses.
    prompter.clear();
    find<QPushButton>("cmdOk")->click();
    OptionsSettings written;
    parseOptionsFile(optionsBytes(), "QelOptions.dat", written);
    EXPECT_EQ(written.minLapTimeIndex, 200);
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(FrmQelOptionsTest, DelayPositionOutsideItsListIsReportedAndKeptOnOk) {
    // A damaged race format file can hold a delay position no list has.
    raceSettings.viewDelayListIndex = 99;
    raceSettings.viewDelaySeconds = 7;
    dialog();
    EXPECT_EQ(combo("cmbDelayView")->currentIndex(), -1);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Options");
    EXPECT_EQ(prompter.messages()[0].text,
              "The Delay View saved with the race format (entry 100) is not in its list: "
              "choose one in Options.");
    prompter.clear();
    find<QPushButton>("cmdOk")->click();
    EXPECT_EQ(raceSettings.viewDelayListIndex, 99);
    EXPECT_EQ(raceSettings.viewDelaySeconds, 7);
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(FrmQelOptionsTest, MissingFileIsReportedAndTheLoadGoesOn) {
    std::filesystem::remove(app.dataFile("QelOptions.dat"));
    dialog();
    ASSERT_GE(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QelOptions.dat"), std::string::npos);
    EXPECT_EQ(combo("cmbDelayView")->count(), 60);
}

TEST_F(FrmQelOptionsTest, HelpOpensTheHelpPagesAndLeavesTheDialogOpen) {
    dialog().show();
    find<QPushButton>("cmdHelp")->click();
    EXPECT_EQ(helpShown, 1);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(titleUpdates, 0);
}

TEST_F(FrmQelOptionsTest, TheSavePageTicksAreKeptInTheirOwnFileAndPutInForceByOk) {
    writeAutoSaveFile(app, {false, true, false});
    const std::string optionsBefore = optionsBytes();
    find<QTabBar>("TabStrip1")->setCurrentIndex(2);
    auto* spreadsheets = find<QCheckBox>("chkAutoSave_0");
    EXPECT_FALSE(spreadsheets->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkAutoSave_1")->isChecked());
    spreadsheets->click();
    EXPECT_EQ(autoSave, AutoSaveSettings{}) << "nothing changes before OK";

    find<QPushButton>("cmdOk")->click();
    EXPECT_EQ(autoSave, (AutoSaveSettings{true, true, false}));
    EXPECT_EQ(readBinaryFile(app.dataFile("QelAutoSave.dat")), "1,1,0\r\n");
    EXPECT_EQ(optionsBytes(), optionsBefore) << "QelOptions.dat keeps its ten values";
}

TEST_F(FrmQelOptionsTest, LiveBoardPageShowsTheSettingInForceAndOkPutsTheChoiceInForce) {
    liveBoard = {false, 8080};
    find<QTabBar>("TabStrip1")->setCurrentIndex(5);
    auto* tick = find<QCheckBox>("chkLiveBoard");
    auto* port = find<QSpinBox>("txtLiveBoardPort");
    EXPECT_FALSE(tick->isChecked());
    EXPECT_EQ(port->value(), 8080);
    EXPECT_FALSE(port->isEnabled()) << "no port is asked for while the board is off";
    EXPECT_EQ(port->minimum(), 1);
    EXPECT_EQ(port->maximum(), 65535);

    tick->click();
    EXPECT_TRUE(port->isEnabled());
    port->setValue(8181);
    EXPECT_EQ(liveBoard, (LiveBoardSettings{false, 8080})) << "nothing changes before OK";
    EXPECT_EQ(liveBoardApplied, 0);
    find<QPushButton>("cmdOk")->click();
    EXPECT_EQ(liveBoard, (LiveBoardSettings{true, 8181}));
    EXPECT_EQ(readBinaryFile(app.dataFile("LiveBoard.dat")), "#TRUE#,8181\r\n");
    EXPECT_EQ(liveBoardApplied, 1);

    // Opened again, the page shows what is in force; an OK that changes
    // nothing writes nothing, and the board may try its port again.
    std::filesystem::remove(app.dataFile("LiveBoard.dat"));
    dialog_.reset();
    EXPECT_TRUE(find<QCheckBox>("chkLiveBoard")->isChecked());
    EXPECT_EQ(find<QSpinBox>("txtLiveBoardPort")->value(), 8181);
    find<QPushButton>("cmdOk")->click();
    EXPECT_FALSE(std::filesystem::exists(app.dataFile("LiveBoard.dat")));
    EXPECT_EQ(liveBoardApplied, 2);

    // Cancel leaves it as it was.
    dialog_.reset();
    find<QCheckBox>("chkLiveBoard")->click();
    find<QPushButton>("cmdCancel")->click();
    EXPECT_EQ(liveBoard, (LiveBoardSettings{true, 8181}));
    EXPECT_EQ(liveBoardApplied, 2);
}

}  // namespace
}  // namespace qel::ui
