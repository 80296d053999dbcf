#include "ui/heats/frm_qel_race_format.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
        hooks.defineRacers = [this] { ++defineCalls; };
        hooks.updateRaceTitle = [this] { ++titleCalls; };
        hooks.autoDelay = [this](const HeatOptionsAllowed& allowed) { lastAllowed = allowed; };
        hooks.raceResultsMenuVisible = [this](bool visible) { menuVisible = visible; };
    }

    FrmQelRaceFormat& dialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<FrmQelRaceFormat>(app, settings, state, tables, board,
                                                         points, prompter, kLanes, hooks);
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
    std::string fileBytes() { return readBinaryFile(raceFormatFilePath(app)); }
    void saveFile(const RaceFormatSettings& record) {
        folder.write("QelDat/QelRaceFormatSettings.dat", raceFormatRecordBytes(record));
    }
    // A saved set-up from an earlier run, with the Options dialog's heat options.
    static RaceFormatSettings earlierRecord() {
        RaceFormatSettings r;
        applyRaceFormatDefaults(r, kLanes);
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
    PointSystem points;
    test::ScriptedPrompter prompter;
    RaceFormatHooks hooks;
    int defineCalls = 0;
    int titleCalls = 0;
    HeatOptionsAllowed lastAllowed{true, true, true};
    bool menuVisible = true;
    std::unique_ptr<FrmQelRaceFormat> dialog_;
};

TEST_F(FrmQelRaceFormatTest, CaptionsNamesAndToolTips) {
    dialog().load();
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
    // Racer placement has no window yet, so the button must not pretend to offer it.
    EXPECT_FALSE(enabled("cmdSelectRacers"));
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

TEST_F(FrmQelRaceFormatTest, FirstRunCreatesTheDefaultFileAndShowsIt) {
    dialog().load();
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
    RaceFormatSettings firstRun;
    applyRaceFormatDefaults(firstRun, kLanes);
    EXPECT_EQ(fileBytes(), raceFormatRecordBytes(firstRun));
    // Choosing Practice names the format, but only OK saves that.
    EXPECT_EQ(settings.raceFormatName, "Practice");
}

TEST_F(FrmQelRaceFormatTest, LoadShowsTheSavedSetUp) {
    saveFile(earlierRecord());
    dialog().load();
    EXPECT_EQ(combo("cmbRaceFormat")->currentText(), "Lap Race");
    EXPECT_EQ(combo("cmbLaps")->currentText(), "45");
    EXPECT_TRUE(shown("cmbLaps"));
    EXPECT_FALSE(shown("cmbTime"));
    EXPECT_EQ(find<QLabel>("lblLapOrTimeFormat")->text(), "Number of Laps");
    EXPECT_TRUE(find<QRadioButton>("optSeq_1")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkDemo")->isChecked());
    EXPECT_EQ(find<QLineEdit>("txtSequence")->text(), "2143");
}

TEST_F(FrmQelRaceFormatTest, DamagedFileIsReportedAndNothingBreaks) {
    folder.write("QelDat/QelRaceFormatSettings.dat", std::string("\x02\x00\x40", 3));
    dialog().load();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QelRaceFormatSettings.dat"), std::string::npos);
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
    const char* formatName;
};

TEST_F(FrmQelRaceFormatTest, ChoosingAFormatShowsItsLengthAndControls) {
    // Each format is chosen after a lap format, so Practice shows it leaves the lists as they were.
    const FormatCase cases[] = {
        {0,
         false,
         true,
         "Number of Laps",
         false,
         false,
         false,
         {false, false, false},
         true,
         "Practice"},
        {1,
         true,
         false,
         "Number of Minutes",
         true,
         true,
         false,
         {true, false, false},
         true,
         "Practice"},
        {2,
         false,
         true,
         "Number of Laps",
         true,
         false,
         false,
         {false, false, false},
         false,
         "Lap Race"},
        {3,
         true,
         false,
         "Number of Minutes",
         true,
         false,
         false,
         {false, false, false},
         false,
         "Timed Race"},
        {4,
         false,
         true,
         "Number of Laps",
         true,
         true,
         true,
         {true, false, true},
         false,
         "Championship"},
        {5,
         true,
         false,
         "Number of Minutes",
         true,
         true,
         false,
         {true, true, true},
         false,
         "Round Robin"},
        {6,
         true,
         false,
         "Number of Minutes",
         true,
         true,
         false,
         {true, true, true},
         false,
         "Rotation Race"},
        {7,
         false,
         true,
         "Number of Laps",
         true,
         true,
         false,
         {true, true, true},
         false,
         "Round Robin Lap Heats"},
        {8,
         false,
         true,
         "Number of Laps",
         true,
         true,
         false,
         {true, true, true},
         false,
         "Rotation Race Lap Heats"},
    };
    dialog().load();
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
        EXPECT_EQ(dialog().heatOptionsAllowed().autoDelay, c.options.autoDelay);
        EXPECT_EQ(dialog().heatOptionsAllowed().autoPrint, c.options.autoPrint);
        EXPECT_EQ(dialog().heatOptionsAllowed().autoDisplayResults, c.options.autoDisplayResults);
        EXPECT_EQ(lastAllowed.autoPrint, c.options.autoPrint);
        EXPECT_EQ(lastAllowed.autoDisplayResults, c.options.autoDisplayResults);
        EXPECT_EQ(dialog().raceResultsMenuVisible(), c.rotation);
        EXPECT_EQ(menuVisible, c.rotation);
        EXPECT_EQ(state.practiceMode, c.practice);
        EXPECT_EQ(settings.heatRotation, c.rotation ? -1 : 0);
        EXPECT_EQ(settings.raceFormatName, c.formatName);
        EXPECT_EQ(board.lapHeader, "Lap");
    }
}

TEST_F(FrmQelRaceFormatTest, CustomTextIsEnabledOnlyWithCustomInAHeatFormat) {
    dialog().load();
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

TEST_F(FrmQelRaceFormatTest, RotationFormatsFieldOneRacerPerLane) {
    tables.racerCount = 11;
    dialog().load();
    chooseFormat(5);
    EXPECT_EQ(tables.racerCount, 11);
    chooseFormat(6);
    EXPECT_EQ(tables.racerCount, kLanes);
    tables.racerCount = 11;
    chooseFormat(8);
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
        dialog_.reset();
        prompter.clear();
        defineCalls = 0;
        folder.write("QelDat/QelRaceFormatSettings.dat", "");
        dialog().load();
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
        EXPECT_EQ(settings.sequenceText, inForce.sequenceText);
        EXPECT_EQ(settings.raceFormat, inForce.raceFormat);
        EXPECT_EQ(defineCalls, 0);
        dialog().hide();
    }
}

TEST_F(FrmQelRaceFormatTest, AnOverlongCustomSequenceIsRefused) {
    dialog().load();
    chooseFormat(5);
    find<QRadioButton>("optSeq_2")->click();
    find<QLineEdit>("txtSequence")->setText(QString(201, '1'));
    click("cmdOk");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Custom Sequence");
    EXPECT_TRUE(dialog().okCancelled());
}

TEST_F(FrmQelRaceFormatTest, CustomTextIsNotJudgedOutsideHeatFormats) {
    dialog().load();
    find<QLineEdit>("txtSequence")->setText("xyz");
    find<QRadioButton>("optSeq_2")->setChecked(true);
    chooseFormat(3);
    click("cmdOk");
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
}

TEST_F(FrmQelRaceFormatTest, OkStoresTheRecordByteForByteAndRebuildsTheRotation) {
    saveFile(earlierRecord());
    dialog().load();
    chooseFormat(5);
    combo("cmbTime")->setCurrentIndex(10);
    combo("cmbLaps")->setCurrentIndex(30);
    find<QRadioButton>("optSeq_2")->click();
    find<QLineEdit>("txtSequence")->setText("1203");
    find<QCheckBox>("chkDemo")->setChecked(true);
    board.rows[4].name.text = "Dana ";
    board.rows[2].name.text = "Lee ";
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
    EXPECT_EQ(defineCalls, 1);
    EXPECT_EQ(titleCalls, 2);
    EXPECT_EQ(tables.activeSequence, "120300");
    EXPECT_TRUE(board.rows[4].name.text.empty());
    EXPECT_EQ(board.rows[2].name.text, "Lee ");
}

TEST_F(FrmQelRaceFormatTest, OkOverALongerFileKeepsItsTrailingBytes) {
    RaceFormatSettings longer = earlierRecord();
    longer.sequenceText[2] = std::string(40, '1');
    saveFile(longer);
    const std::string oldBytes = fileBytes();
    dialog().load();
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
    dialog().load();
    chooseFormat(3);
    click("cmdOk");
    EXPECT_EQ(defineCalls, 1);
    EXPECT_EQ(titleCalls, 1);
    EXPECT_EQ(settings.raceFormatName, "Timed Race");
    EXPECT_EQ(settings.heatRotation, 0);
}

TEST_F(FrmQelRaceFormatTest, WithoutAPlacementTheLaneNamesBecomeTheRacers) {
    hooks.defineRacers = nullptr;
    state.laneRacerName[1] = "Ana";
    state.laneRacerName[3] = "Bo";
    dialog().load();
    chooseFormat(2);
    click("cmdOk");
    EXPECT_EQ(tables.heatRacers[1].name, "Ana");
    EXPECT_EQ(tables.heatRacers[2].name, "Bo");
    EXPECT_EQ(tables.heatRacers[2].startLane, 3);
}

TEST_F(FrmQelRaceFormatTest, CancelLeavesTheFileAlone) {
    saveFile(earlierRecord());
    dialog().load();
    const std::string before = fileBytes();
    chooseFormat(4);
    combo("cmbLaps")->setCurrentIndex(100);
    find<QCheckBox>("chkDemo")->setChecked(true);
    click("cmdCancel");
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(settings.raceLaps, 45);
    EXPECT_EQ(settings.demoMode, 0);
    EXPECT_EQ(defineCalls, 0);
    // The last format chosen in the list has already set the race's flags.
    EXPECT_EQ(settings.raceFormatName, "Championship");
    EXPECT_EQ(settings.heatRotation, -1);
}

TEST_F(FrmQelRaceFormatTest, PointSystemButtonSavesAndOpensThePointsDialog) {
    dialog().load();
    chooseFormat(4);
    ASSERT_TRUE(enabled("cmdPoints"));
    click("cmdPoints");
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(settings.raceFormatName, "Championship");
    EXPECT_EQ(fileBytes(), raceFormatRecordBytes(settings));
    QWidget* pointsDialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "frmQelChampionshipPoints" && widget->isVisible())
            pointsDialog = widget;
    }
    ASSERT_NE(pointsDialog, nullptr);
    EXPECT_FALSE(pointsDialog->isModal());
    pointsDialog->close();
    EXPECT_TRUE(std::filesystem::exists(app.dataFile(kPointSystemFileName)));
}

}  // namespace
}  // namespace qel::ui
