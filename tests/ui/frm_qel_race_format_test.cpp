#include "ui/heats/frm_qel_race_format.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/io/text_file.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

constexpr int kLanes = 4;

class FrmQelRaceFormatTest : public ::testing::Test {
  protected:
    FrmQelRaceFormatTest() {
        // What start-up puts in force on a first run.
        applyRaceFormatDefaults(settings, kLanes);
        hooks.updateRaceTitle = [this] { ++titleCalls; };
        hooks.raceFormatConfirmed = [this](bool wasDemoMode) {
            confirmedFromDemo.push_back(wasDemoMode);
        };
        hooks.showPointSystem = [this] { pointSystemOpenedOn.push_back(settings); };
        hooks.defineRacers = [this] { racersDefinedOn.push_back(settings); };
        hooks.showSelectRacers = [this] { placementOpenedOn.push_back(settings); };
    }

    // The dialog shows the set-up in force as it is made.
    FrmQelRaceFormat& dialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<FrmQelRaceFormat>(app, settings, state, tables, board,
                                                         prompter, kLanes, hooks);
        }
        return *dialog_;
    }
    template <typename Widget>
    Widget* find(const QString& name) {
        auto* widget = dialog().findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QComboBox* combo(const QString& name) { return find<QComboBox>(name); }
    void chooseFormat(int format) { combo("cmbRaceFormat")->setCurrentIndex(format); }
    void click(const QString& name) { find<QPushButton>(name)->click(); }
    bool shown(const QString& name) { return find<QWidget>(name)->isVisibleTo(&dialog()); }
    bool enabled(const QString& name) { return find<QWidget>(name)->isEnabled(); }
    bool fileExists() { return std::filesystem::exists(raceFormatFilePath(app)); }
    std::string fileBytes() { return readBinaryFile(raceFormatFilePath(app)); }
    void saveFile(const RaceFormatSettings& record) {
        folder.write("QelDat/QelRaceFormatSettings.dat", raceFormatRecordBytes(record));
    }
    static RaceFormatSettings firstRunRecord() {
        RaceFormatSettings r;
        applyRaceFormatDefaults(r, kLanes);
        return r;
    }
    // A set-up from an earlier run, with the Options dialog's heat options.
    static RaceFormatSettings earlierRecord() {
        RaceFormatSettings r = firstRunRecord();
        r.raceFormat = 2;
        r.raceLimitKind = "Number of Laps";
        r.lapsListIndex = 20;
        r.raceLaps = 45;
        r.sequenceOption = 1;
        r.sequenceText = {"1234", "1342", "2143"};
        r.demoMode = 0;
        r.raceFormatName = "Lap Race";
        r.autoDelay = 1;
        r.viewDelayListIndex = 3;
        r.viewDelaySeconds = 7;
        r.rotateDelaySeconds = 12;
        r.autoDisplayResults = 1;
        r.rotateDelayListIndex = 5;
        return r;
    }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    RaceFormatSettings settings;
    RaceState state;
    HeatTables tables;
    RaceBoard board;
    test::ScriptedPrompter prompter;
    RaceFormatHooks hooks;
    int titleCalls = 0;
    std::vector<bool> confirmedFromDemo;
    // The set-up in force each time the point system was asked for.
    std::vector<RaceFormatSettings> pointSystemOpenedOn;
    // The set-up in force each time the racers were defined, and each time
    // the placement dialog was asked for.
    std::vector<RaceFormatSettings> racersDefinedOn;
    std::vector<RaceFormatSettings> placementOpenedOn;
    std::unique_ptr<FrmQelRaceFormat> dialog_;
};

TEST_F(FrmQelRaceFormatTest, CaptionsNamesAndToolTips) {
    EXPECT_EQ(dialog().objectName(), "frmQelRaceFormat");
    EXPECT_EQ(dialog().windowTitle(), "  Race Format");
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Race Format:");
    EXPECT_EQ(find<QGroupBox>("fraRotation")->title(), "Rotation Sequence");
    const std::pair<const char*, const char*> options[] = {
        {"optSeq_0", "Straight:"}, {"optSeq_1", "European:"}, {"optSeq_2", "Custom:"}};
    for (const auto& [name, caption] : options)
        EXPECT_EQ(find<QRadioButton>(name)->text(), caption) << name;
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdSelectRacers", "Select Racers"},
        {"cmdPoints", "Championship Point System"},
        {"cmdOk", "&OK"},
        {"cmdCancel", "&Cancel"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(find<QPushButton>(name)->text(), caption) << name;
    EXPECT_EQ(find<QCheckBox>("chkDemo")->text(), "Demo Mode");
    EXPECT_EQ(find<QCheckBox>("chkDemo")->toolTip(), "Will generate lap times automatically");
    EXPECT_EQ(combo("cmbTime")->toolTip(), "Select time in minutes");
    EXPECT_EQ(combo("cmbLaps")->toolTip(), "Select No of Laps");
    find<QLabel>("lblSequence_0");
    find<QLabel>("lblSequence_1");
    find<QLineEdit>("txtSequence");
    find<QLabel>("lblLapOrTimeFormat");
    EXPECT_TRUE(enabled("cmdSelectRacers"));
}

TEST_F(FrmQelRaceFormatTest, ListsHoldTheFormatsAndEveryRaceLength) {
    QComboBox* formats = combo("cmbRaceFormat");
    ASSERT_EQ(formats->count(), 9);
    const char* texts[] = {"Practice",      "Practice with Rotation", "Lap Race",
                           "Timed Race",    "Championship",           "Round Robin",
                           "Rotation Race", "Round Robin Lap Heats",  "Rotation Race Lap Heats"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(formats->itemText(i), texts[i]) << i;

    const std::vector<std::pair<int, const char*>> minutes = {
        {0, "0.1"}, {1, "0.25"}, {2, "0.5"}, {4, "1"},   {15, "3.75"},
        {16, "4"},  {17, "5"},   {37, "25"}, {38, "30"}, {148, "580"}};
    QComboBox* time = combo("cmbTime");
    EXPECT_EQ(time->count(), 149);
    for (const auto& [index, text] : minutes)
        EXPECT_EQ(time->itemText(index), text) << index;

    const std::vector<std::pair<int, const char*>> laps = {
        {0, "1"}, {4, "5"}, {14, "15"}, {15, "20"}, {611, "3000"}};
    QComboBox* lapList = combo("cmbLaps");
    EXPECT_EQ(lapList->count(), 612);
    for (const auto& [index, text] : laps)
        EXPECT_EQ(lapList->itemText(index), text) << index;
}

TEST_F(FrmQelRaceFormatTest, OpensOnTheFirstRunSetUpWithoutWritingTheFile) {
    dialog();
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(combo("cmbRaceFormat")->currentText(), "Practice");
    EXPECT_EQ(combo("cmbTime")->currentText(), "1");
    EXPECT_EQ(combo("cmbLaps")->currentText(), "5");
    EXPECT_TRUE(find<QCheckBox>("chkDemo")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optSeq_0")->isChecked());
    EXPECT_EQ(find<QLineEdit>("txtSequence")->text(), "4321");
    EXPECT_EQ(find<QLabel>("lblSequence_0")->text(), "1234");
    EXPECT_EQ(find<QLabel>("lblSequence_1")->text(), "1342");
    EXPECT_EQ(find<QLabel>("lblLapOrTimeFormat")->text(), "Number of Minutes");
    EXPECT_FALSE(enabled("cmbTime"));
    EXPECT_FALSE(enabled("fraRotation"));
    // Start-up read (or made) the file; opening the dialog only shows what is in force.
    EXPECT_FALSE(fileExists());
    EXPECT_EQ(settings, firstRunRecord());
}

TEST_F(FrmQelRaceFormatTest, OpensOnTheSetUpInForce) {
    settings = earlierRecord();
    EXPECT_EQ(combo("cmbRaceFormat")->currentText(), "Lap Race");
    EXPECT_EQ(combo("cmbLaps")->currentText(), "45");
    EXPECT_TRUE(shown("cmbLaps"));
    EXPECT_FALSE(shown("cmbTime"));
    EXPECT_EQ(find<QLabel>("lblLapOrTimeFormat")->text(), "Number of Laps");
    EXPECT_TRUE(find<QRadioButton>("optSeq_1")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkDemo")->isChecked());
    EXPECT_EQ(find<QLineEdit>("txtSequence")->text(), "2143");
}

TEST_F(FrmQelRaceFormatTest, ADamagedFileOnDiskIsNotWhatTheDialogShows) {
    // Start-up has reported the damaged file and kept the last good set-up;
    // the dialog shows that set-up and says nothing more.
    folder.write("QelDat/QelRaceFormatSettings.dat", std::string("\x02\x00\x40", 3));
    settings = earlierRecord();
    dialog();
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(combo("cmbRaceFormat")->currentText(), "Lap Race");
    EXPECT_EQ(combo("cmbLaps")->currentText(), "45");
    EXPECT_EQ(settings, earlierRecord());
}

struct FormatCase {
    int format;
    bool minutesShown;
    bool lapsShown;
    const char* caption;
    bool lengthEnabled;
    bool rotation;
    bool points;
    HeatOptionsAllowed options;
    bool practice;
};

TEST_F(FrmQelRaceFormatTest, ChoosingAFormatShowsItsLengthAndControlsAndOkPutsItInForce) {
    // Each format is chosen after a lap format, so Practice shows it leaves the lists as they were.
    const FormatCase cases[] = {
        {0, false, true, "Number of Laps", false, false, false, {false, false, false}, true},
        {1, true, false, "Number of Minutes", true, true, false, {true, false, false}, true},
        {2, false, true, "Number of Laps", true, false, false, {false, false, false}, false},
        {3, true, false, "Number of Minutes", true, false, false, {false, false, false}, false},
        {4, false, true, "Number of Laps", true, true, true, {true, false, true}, false},
        {5, true, false, "Number of Minutes", true, true, false, {true, true, true}, false},
        {6, true, false, "Number of Minutes", true, true, false, {true, true, true}, false},
        {7, false, true, "Number of Laps", true, true, false, {true, true, true}, false},
        {8, false, true, "Number of Laps", true, true, false, {true, true, true}, false},
    };
    for (int lane = 1; lane <= kLanes; ++lane)
        state.laneRacerName[lane] = "Racer " + std::to_string(lane);
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.format);
        chooseFormat(c.format == 2 ? 3 : 2);
        board.lapHeader = "Heat";
        chooseFormat(c.format);
        EXPECT_EQ(shown("cmbTime"), c.minutesShown);
        EXPECT_EQ(shown("cmbLaps"), c.lapsShown);
        EXPECT_EQ(find<QLabel>("lblLapOrTimeFormat")->text(), c.caption);
        EXPECT_EQ(enabled("lblLapOrTimeFormat"), c.lengthEnabled);
        EXPECT_EQ(enabled(c.minutesShown ? "cmbTime" : "cmbLaps"), c.lengthEnabled);
        EXPECT_EQ(enabled("fraRotation"), c.rotation);
        EXPECT_EQ(enabled("optSeq_0"), c.rotation);
        EXPECT_EQ(enabled("lblSequence_1"), c.rotation);
        EXPECT_EQ(enabled("cmdPoints"), c.points);

        const int titlesBefore = titleCalls;
        click("cmdOk");
        EXPECT_EQ(settings.raceFormat, c.format);
        EXPECT_EQ(settings.raceFormatName,
                  combo("cmbRaceFormat")->itemText(c.format).toStdString());
        EXPECT_EQ(settings.heatRotation, c.rotation ? -1 : 0);
        // What the format in force means for the race: practice or not, and
        // which Automate ticks the Options dialog offers.
        const RaceFormatRule& rule = raceFormatRule(settings.raceFormat);
        EXPECT_EQ(rule.practiceMode, c.practice);
        EXPECT_EQ(rule.heatRotation, c.rotation);
        EXPECT_EQ(rule.options.autoDelay, c.options.autoDelay);
        EXPECT_EQ(rule.options.autoPrint, c.options.autoPrint);
        EXPECT_EQ(rule.options.autoDisplayResults, c.options.autoDisplayResults);
        // The race title (and with it the Race Results menu) follows the new format.
        EXPECT_GT(titleCalls, titlesBefore);
        EXPECT_EQ(board.lapHeader, "Lap");
        EXPECT_EQ(dialog().result(), QDialog::Accepted);
    }
    EXPECT_EQ(confirmedFromDemo.size(), std::size(cases));
}

TEST_F(FrmQelRaceFormatTest, ARaceWithoutHeatsOrAChampionshipDropsAutoPrintOnOk) {
    // Practice, Lap Race, Timed Race and Championship print nothing after a heat.
    for (int format : {0, 2, 3, 4}) {
        SCOPED_TRACE(format);
        settings.raceFormat = 5;
        settings.autoPrint = 1;
        dialog_.reset();
        chooseFormat(format);
        EXPECT_EQ(settings.autoPrint, 1) << "nothing in force before OK";
        click("cmdOk");
        EXPECT_EQ(settings.autoPrint, 0);
    }
}

TEST_F(FrmQelRaceFormatTest, CustomTextIsEnabledOnlyWithCustomInAHeatFormat) {
    chooseFormat(5);
    EXPECT_FALSE(enabled("txtSequence"));
    find<QRadioButton>("optSeq_2")->click();
    EXPECT_TRUE(enabled("txtSequence"));
    find<QRadioButton>("optSeq_1")->click();
    EXPECT_FALSE(enabled("txtSequence"));
    find<QRadioButton>("optSeq_2")->click();
    chooseFormat(3);
    EXPECT_FALSE(enabled("txtSequence"));
    chooseFormat(7);
    EXPECT_TRUE(enabled("txtSequence"));
}

TEST_F(FrmQelRaceFormatTest, RotationFormatsFieldOneRacerPerLaneOnceConfirmed) {
    tables.racerCount = 11;
    chooseFormat(5);
    click("cmdOk");
    EXPECT_EQ(tables.racerCount, 11);
    chooseFormat(6);
    EXPECT_EQ(tables.racerCount, 11) << "only OK changes the field";
    click("cmdOk");
    EXPECT_EQ(tables.racerCount, kLanes);
    tables.racerCount = 11;
    chooseFormat(8);
    click("cmdOk");
    EXPECT_EQ(tables.racerCount, kLanes);
}

struct CustomCase {
    const char* text;
    bool accepted;
    const char* storedText;
};

TEST_F(FrmQelRaceFormatTest, CustomSequenceIsCheckedOnOk) {
    const CustomCase cases[] = {
        {"1203", true, "1203"}, {"", true, ""},      {" 4321 ", true, "4321"}, {"1235", false, ""},
        {"12a", false, ""},     {"12 3", false, ""}, {"09", false, ""},
    };
    for (const CustomCase& c : cases) {
        SCOPED_TRACE(c.text);
        settings = firstRunRecord();
        saveFile(settings);
        dialog_.reset();
        prompter.clear();
        confirmedFromDemo.clear();
        const std::string before = fileBytes();
        const RaceFormatSettings inForce = settings;
        chooseFormat(5);
        find<QRadioButton>("optSeq_2")->click();
        find<QLineEdit>("txtSequence")->setText(c.text);
        dialog().show();
        click("cmdOk");
        if (c.accepted) {
            EXPECT_TRUE(prompter.messages().empty());
            EXPECT_FALSE(dialog().okCancelled());
            EXPECT_EQ(dialog().result(), QDialog::Accepted);
            EXPECT_EQ(settings.sequenceText[2], c.storedText);
            EXPECT_EQ(confirmedFromDemo.size(), 1u);
            continue;
        }
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].title, "Custom Sequence");
        EXPECT_EQ(prompter.messages()[0].text,
                  "Enter numbers that corrrespond to Lane numbers only.\r\n"
                  "Or use \"0\"(zero) where needed for sit-outs.");
        EXPECT_TRUE(dialog().okCancelled());
        EXPECT_TRUE(dialog().isVisible());
        auto* text = find<QLineEdit>("txtSequence");
        EXPECT_EQ(dialog().focusWidget(), text);
        EXPECT_EQ(text->selectedText(), text->text());
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(settings, inForce);
        EXPECT_TRUE(confirmedFromDemo.empty());
        dialog().hide();
    }
}

TEST_F(FrmQelRaceFormatTest, AnOverlongCustomSequenceIsRefused) {
    chooseFormat(5);
    find<QRadioButton>("optSeq_2")->click();
    find<QLineEdit>("txtSequence")->setText(QString(201, '1'));
    click("cmdOk");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Custom Sequence");
    EXPECT_TRUE(dialog().okCancelled());
    EXPECT_EQ(settings, firstRunRecord());
}

TEST_F(FrmQelRaceFormatTest, CustomTextIsNotJudgedOutsideHeatFormats) {
    find<QLineEdit>("txtSequence")->setText("xyz");
    find<QRadioButton>("optSeq_2")->setChecked(true);
    chooseFormat(3);
    click("cmdOk");
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
}

TEST_F(FrmQelRaceFormatTest, OkStoresTheRecordByteForByteAndRebuildsTheRotation) {
    settings = earlierRecord();
    chooseFormat(5);
    combo("cmbTime")->setCurrentIndex(10);
    combo("cmbLaps")->setCurrentIndex(30);
    find<QRadioButton>("optSeq_2")->click();
    find<QLineEdit>("txtSequence")->setText("1203");
    find<QCheckBox>("chkDemo")->setChecked(true);
    board.rows[4].name.text = "Dana ";
    tables.racerCount = 6;
    click("cmdOk");

    RaceFormatSettings expected = earlierRecord();
    expected.raceFormat = 5;
    expected.raceLimitKind = "Number of Minutes";
    expected.timeListIndex = 10;
    expected.raceMinutes = 2.5f;
    expected.lapsListIndex = 30;
    expected.raceLaps = 95;
    expected.sequenceOption = 2;
    expected.sequenceText = {"1234", "1342", "1203"};
    expected.demoMode = 1;
    expected.raceFormatName = "Round Robin";
    expected.heatRotation = -1;
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(fileBytes(), raceFormatRecordBytes(expected));
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    // The racers are defined on the set-up just put in force.
    ASSERT_EQ(racersDefinedOn.size(), 1u);
    EXPECT_EQ(racersDefinedOn[0], expected);
    EXPECT_EQ(titleCalls, 2);
    EXPECT_EQ(confirmedFromDemo, std::vector<bool>{false});
    EXPECT_EQ(tables.activeSequence, "120300");
    // Lane 4 is not in the custom sequence: its name leaves the board.
    EXPECT_TRUE(board.rows[4].name.text.empty());
}

TEST_F(FrmQelRaceFormatTest, OkTellsTheRaceWhetherItWasInDemoMode) {
    struct Case {
        int16_t inForce;
        bool ticked;
    };
    for (const Case c : {Case{1, false}, Case{0, true}, Case{1, true}, Case{0, false}}) {
        SCOPED_TRACE(testing::Message() << c.inForce << c.ticked);
        settings.demoMode = c.inForce;
        dialog_.reset();
        confirmedFromDemo.clear();
        EXPECT_EQ(find<QCheckBox>("chkDemo")->isChecked(), c.inForce == 1);
        find<QCheckBox>("chkDemo")->setChecked(c.ticked);
        click("cmdOk");
        EXPECT_EQ(confirmedFromDemo, std::vector<bool>{c.inForce == 1});
        EXPECT_EQ(settings.demoMode, c.ticked ? 1 : 0);
    }
}

TEST_F(FrmQelRaceFormatTest, OkOverALongerFileKeepsItsTrailingBytes) {
    RaceFormatSettings longer = earlierRecord();
    longer.sequenceText[2] = std::string(40, '1');
    saveFile(longer);
    settings = longer;
    const std::string oldBytes = fileBytes();
    find<QLineEdit>("txtSequence")->setText("21");
    chooseFormat(2);
    click("cmdOk");
    const std::string record = raceFormatRecordBytes(settings);
    const std::string bytes = fileBytes();
    ASSERT_EQ(bytes.size(), oldBytes.size());
    EXPECT_EQ(bytes.substr(0, record.size()), record);
    EXPECT_EQ(bytes.substr(record.size()), oldBytes.substr(record.size()));
}

TEST_F(FrmQelRaceFormatTest, OkWithARaceOfOneGoesThroughOnce) {
    chooseFormat(3);
    click("cmdOk");
    EXPECT_EQ(confirmedFromDemo.size(), 1u);
    EXPECT_EQ(titleCalls, 1);
    EXPECT_EQ(settings.raceFormatName, "Timed Race");
    EXPECT_EQ(settings.heatRotation, 0);
}

TEST_F(FrmQelRaceFormatTest, OkDefinesTheRacersOnTheSetUpItPutsInForce) {
    chooseFormat(5);
    click("cmdOk");
    ASSERT_EQ(racersDefinedOn.size(), 1u);
    EXPECT_EQ(racersDefinedOn[0].raceFormat, 5);
    EXPECT_TRUE(placementOpenedOn.empty());
}

TEST_F(FrmQelRaceFormatTest, SelectRacersConfirmsTheFormatThenOpensThePlacement) {
    chooseFormat(5);
    click("cmdSelectRacers");
    ASSERT_EQ(placementOpenedOn.size(), 1u);
    EXPECT_EQ(placementOpenedOn[0].raceFormat, 5);
    EXPECT_EQ(racersDefinedOn.size(), 1u);
    EXPECT_EQ(dialog().result(), QDialog::Accepted);

    // A refused OK opens nothing.
    dialog_.reset();
    placementOpenedOn.clear();
    chooseFormat(5);
    find<QRadioButton>("optSeq_2")->click();
    find<QLineEdit>("txtSequence")->setText("12x4");
    click("cmdSelectRacers");
    EXPECT_TRUE(placementOpenedOn.empty());
}

TEST_F(FrmQelRaceFormatTest, CancelLeavesTheSetUpInForceTheFileAndTheFieldAlone) {
    // Heat formats, among them the rotations that would field one racer per lane.
    for (int format : {4, 5, 6, 8}) {
        SCOPED_TRACE(format);
        settings = earlierRecord();
        saveFile(settings);
        tables.racerCount = 11;
        tables.activeSequence = "12";
        board.lapHeader = "Heat";
        dialog_.reset();
        const std::string before = fileBytes();
        chooseFormat(format);
        combo("cmbLaps")->setCurrentIndex(100);
        find<QRadioButton>("optSeq_2")->click();
        find<QCheckBox>("chkDemo")->setChecked(true);
        click("cmdCancel");
        EXPECT_EQ(dialog().result(), QDialog::Rejected);
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(settings, earlierRecord());
        EXPECT_EQ(tables.racerCount, 11);
        EXPECT_EQ(tables.activeSequence, "12");
        EXPECT_EQ(board.lapHeader, "Heat");
        EXPECT_TRUE(confirmedFromDemo.empty());
        EXPECT_EQ(titleCalls, 0);
    }
}

TEST_F(FrmQelRaceFormatTest, PointSystemButtonConfirmsTheFormatThenOpensThePointSystem) {
    struct Case {
        const char* custom;
        bool accepted;
    };
    for (const Case c : {Case{"1234", true}, Case{"1235", false}}) {
        SCOPED_TRACE(c.custom);
        settings = firstRunRecord();
        dialog_.reset();
        pointSystemOpenedOn.clear();
        chooseFormat(4);
        find<QRadioButton>("optSeq_2")->click();
        find<QLineEdit>("txtSequence")->setText(c.custom);
        dialog().show();
        ASSERT_TRUE(enabled("cmdPoints"));
        click("cmdPoints");
        if (!c.accepted) {
            // A refused OK keeps the dialog open and the point system closed.
            EXPECT_TRUE(dialog().okCancelled());
            EXPECT_TRUE(dialog().isVisible());
            EXPECT_TRUE(pointSystemOpenedOn.empty());
            EXPECT_EQ(settings, firstRunRecord());
            continue;
        }
        EXPECT_EQ(dialog().result(), QDialog::Accepted);
        ASSERT_EQ(pointSystemOpenedOn.size(), 1u);
        // The championship is in force and saved before the points are shown.
        EXPECT_EQ(pointSystemOpenedOn[0].raceFormatName, "Championship");
        EXPECT_EQ(pointSystemOpenedOn[0], settings);
        EXPECT_EQ(fileBytes(), raceFormatRecordBytes(settings));
    }
}

}  // namespace
}  // namespace qel::ui
