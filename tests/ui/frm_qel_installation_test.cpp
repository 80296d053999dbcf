#include "ui/setup/frm_qel_installation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>

#include "core/setup/installation_file.h"
#include "core/setup/roster.h"
#include "setup_dialog_support.h"
#include "support/scripted_prompter.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

using test_support::child;
using test_support::nameOf;

class FrmQelInstallationTest : public ::testing::Test {
  protected:
    FrmQelInstallationTest() {
        test_support::copyDefaultDataFolder(folder);
        hooks.resetLaneSequence = [this] { ++sequenceResets; };
        hooks.refreshRacerNames = [this] { ++racerNameRefreshes; };
        hooks.laneRacerNames = [] {
            LaneTable<std::string> names{};
            for (int lane = 1; lane <= kMaxLanes; ++lane)
                names[lane] = "Racer " + std::to_string(lane);
            return names;
        };
        hooks.resetRace = [this] { ++raceResets; };
        hooks.loadRacerLists = [this] { ++racerListLoads; };
        hooks.openTimingPort = [this](int port) {
            openedPorts.push_back(port);
            return askForAnotherPort;
        };
        hooks.sendSensorType = [this] { ++sensorTypeSends; };
        hooks.resetSoldTime = [this](int lane) { soldTimeResets.push_back(lane); };
        hooks.restoreMainWindow = [this] { ++mainWindowRestores; };
        hooks.setFormHeight = [this](int lanes) { formHeights.push_back(lanes); };
        hooks.endProgram = [this] { ++programEnds; };
        hooks.showHelp = [this] { ++helpShown; };
    }

    FrmQelInstallation& dialog() {
        if (!dialog_)
            dialog_ = std::make_unique<FrmQelInstallation>(app, settings, state, prompter, hooks);
        return *dialog_;
    }
    template <typename Widget>
    Widget* find(const QString& name) {
        return child<Widget>(dialog(), name);
    }
    QComboBox* combo(const QString& name) { return find<QComboBox>(name); }
    QLineEdit* edit(const QString& name) { return find<QLineEdit>(name); }
    void click(const QString& name) { find<QPushButton>(name)->click(); }
    std::string dataBytes(std::string_view name) { return readBinaryFile(app.dataFile(name)); }
    void writeInstallation(const InstallationSettings& s) {
        folder.write("QelDat/QelInstallation.dat", installationFileText(s));
    }
    static InstallationSettings committed() {
        InstallationSettings s;
        parseInstallationFile(readBinaryFile(std::filesystem::path(QEL_SOURCE_DIR) /
                                             "data/QelDat/QelInstallation.dat"),
                              "QelInstallation.dat", s);
        return s;
    }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    InstallationSettings settings;
    RaceState state;
    test::ScriptedPrompter prompter;
    InstallationHooks hooks;
    bool askForAnotherPort = false;
    int sequenceResets = 0;
    int racerNameRefreshes = 0;
    int mainWindowRestores = 0;
    int helpShown = 0;
    int raceResets = 0;
    int racerListLoads = 0;
    int sensorTypeSends = 0;
    int programEnds = 0;
    std::vector<int> openedPorts;
    std::vector<int> soldTimeResets;
    std::vector<int> formHeights;
    std::unique_ptr<FrmQelInstallation> dialog_;
};

TEST_F(FrmQelInstallationTest, CaptionsNamesAndToolTips) {
    EXPECT_EQ(dialog().objectName(), "frmQelInstallation");
    EXPECT_EQ(dialog().windowTitle(), "  Installations Settings");
    EXPECT_EQ(find<QGroupBox>("fraTrack")->title(), "Track");
    EXPECT_EQ(find<QGroupBox>("fraLaneColor")->title(), "Lane Color");
    EXPECT_EQ(find<QGroupBox>("fraTrackLength")->title(), "Track Length, feet");
    EXPECT_EQ(find<QLabel>("lblKestrovaConnectedToComm")->text(),
              "Kestrova Connected to Comm Port:");
    const std::pair<const char*, const char*> labels[] = {{"lblTrackName", "Track Name:"},
                                                          {"lblRelay", "Relay:"},
                                                          {"lblSensorType", "Sensor Type:"},
                                                          {"lblScale", "Scale - MPH:"},
                                                          {"lblNoOfLanes", "Number of Lanes:"}};
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(find<QLabel>(name)->text(), caption) << name;
    EXPECT_EQ(find<QCheckBox>("chkSellTime")->text(), "Sell Time by Lane");
    EXPECT_EQ(combo("cmbCommPort")->toolTip(), "Kestrova Hardware is connected to this port");
    EXPECT_EQ(combo("cmbNoOfLanes")->toolTip(), "Quantity of Lanes");
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdOk", "&OK"}, {"cmdCancel", "&Cancel"}, {"cmdHelp", "&Help"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(find<QPushButton>(name)->text(), caption) << name;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const QString n = QString::number(lane);
        EXPECT_EQ(find<QLabel>(nameOf("lblLaneNumber", lane))->text(), n);
        EXPECT_EQ(edit(nameOf("txtTrack", lane))->text(), "Lane " + n);
        EXPECT_EQ(combo(nameOf("cmbLane", lane))->toolTip(), "Select color for Lane " + n);
        EXPECT_EQ(find<QCheckBox>(nameOf("chkDisable", lane))->text(), "Disable");
        EXPECT_EQ(find<QCheckBox>(nameOf("chkDisable", lane))->toolTip(), "Disable Lane " + n);
        EXPECT_EQ(edit(nameOf("txtTrackLength", lane))->toolTip(),
                  "Length of lane " + n + " in decimal feet, e.g.: 25.3");
    }
}

TEST_F(FrmQelInstallationTest, InitialTextsStayWhenThereIsNoFileToLoad) {
    // The dialog loads as it is made; without a file to read, the texts it is
    // built with are what the race director sees.
    std::filesystem::remove(app.dataFile("QelInstallation.dat"));
    FrmQelInstallation fresh(app, settings, state, prompter, hooks);
    EXPECT_EQ(child<QLineEdit>(fresh, "txtTrackName")->text(), "Enter Name of Track");
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        EXPECT_EQ(child<QLineEdit>(fresh, nameOf("txtTrackLength", lane))->text(), "30");
}

QStringList entriesOf(QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

TEST_F(FrmQelInstallationTest, ListsHoldTheirEntriesInOrder) {
    const std::pair<const char*, QStringList> lists[] = {
        {"cmbNoOfLanes", {"2", "3", "4", "5", "6", "7", "8"}},
        {"cmbCommPort", {"1", "2", "3", "4"}},
        {"cmbRelay", {"None", "Normally Close Contacts", "Normally Open Contacts"}},
        {"cmbSensorType", {"Reed Switches/Dead Strip", "Infrared Sensors"}},
        {"cmbScale",
         {"1:1", "1:2", "1:4", "1:8", "1:10", "1:12", "1:18", "1:24", "1:25", "1:32", "1:43",
          "1:64", "1:72"}},
    };
    for (const auto& [name, entries] : lists)
        EXPECT_EQ(entriesOf(combo(name)), entries) << name;
    const QStringList colours{"Blue",   "Green", "Grey",  "Orange",
                              "Purple", "Red",   "White", "Yellow"};
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        EXPECT_EQ(entriesOf(combo(nameOf("cmbLane", lane))), colours) << lane;
}

TEST_F(FrmQelInstallationTest, LoadShowsTheStoredInstallation) {
    InstallationSettings s = committed();
    s.commPortIndex = 1;
    s.relayIndex = 2;
    s.sensorTypeIndex = 1;
    s.sellTimeEnabled = 1;
    s.laneDisabled[2] = 1;
    s.trackLength[1] = 25.3f;
    s.trackName = "Basement Ring";
    writeInstallation(s);

    EXPECT_EQ(combo("cmbNoOfLanes")->currentText(), "4");
    EXPECT_EQ(settings.laneCount, 4);
    EXPECT_EQ(combo("cmbScale")->currentText(), "1:32");
    EXPECT_EQ(combo("cmbRelay")->currentText(), "Normally Open Contacts");
    EXPECT_EQ(combo("cmbSensorType")->currentText(), "Infrared Sensors");
    EXPECT_EQ(combo("cmbCommPort")->currentText(), "2");
    EXPECT_EQ(find<QLabel>("lblCommPortDevice")->text(), "/dev/ttyUSB1");
    EXPECT_TRUE(find<QCheckBox>("chkSellTime")->isChecked());
    EXPECT_EQ(edit("txtTrackName")->text(), "Basement Ring");
    EXPECT_EQ(edit("txtTrackLength_1")->text(), "25.3");
    EXPECT_EQ(edit("txtTrackLength_2")->text(), "30");
    EXPECT_TRUE(find<QCheckBox>("chkDisable_2")->isChecked());
    EXPECT_FALSE(combo("cmbLane_2")->isEnabled());
    EXPECT_TRUE(combo("cmbLane_1")->isEnabled());
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        EXPECT_EQ(combo(nameOf("cmbLane", lane))->currentIndex(), s.laneColorIndex[lane]);
        const QColor swatch = edit(nameOf("txtTrack", lane))->palette().color(QPalette::Base);
        const int32_t value = swatch.red() + 256 * swatch.green() + 65536 * swatch.blue();
        EXPECT_EQ(value, s.laneColor[lane]) << lane;
    }
}

TEST_F(FrmQelInstallationTest, WindowFollowsTheLaneCount) {
    for (int lanes = 2; lanes <= kMaxLanes; ++lanes) {
        InstallationSettings s = committed();
        s.laneCountIndex = static_cast<int16_t>(lanes - 2);
        writeInstallation(s);
        FrmQelInstallation window(app, settings, state, prompter, hooks);
        const int k = 8 - lanes;
        // One row of 315 twips less for every lane below eight, at the screen's resolution.
        const int frame = twipsToPixelsY(window, 3000 - 315 * k);
        EXPECT_EQ(child<QGroupBox>(window, "fraLaneColor")->height(), frame) << lanes;
        EXPECT_EQ(child<QGroupBox>(window, "fraTrackLength")->height(), frame) << lanes;
        EXPECT_EQ(window.height(), twipsToPixelsY(window, 6630 - 315 * k)) << lanes;
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            for (const char* control :
                 {"lblLaneNumber", "txtTrack", "cmbLane", "chkDisable", "txtTrackLength"}) {
                EXPECT_EQ(child<QWidget>(window, nameOf(control, lane))->isVisibleTo(&window),
                          lane <= lanes)
                    << control << lane << " of " << lanes;
            }
        }
    }
}

TEST_F(FrmQelInstallationTest, ChoosingAColourPaintsTheSwatch) {
    for (const LaneColourEntry& colour : kLaneColours) {
        combo("cmbLane_3")
            ->setCurrentText(
                QString::fromUtf8(colour.name.data(), static_cast<int>(colour.name.size())));
        const QColor swatch = edit("txtTrack_3")->palette().color(QPalette::Base);
        EXPECT_EQ(swatch, QColor(colour.red, colour.green, colour.blue)) << colour.name;
    }
}

TEST_F(FrmQelInstallationTest, DisableGreysTheColourListAndReenablingResetsSoldTime) {
    // Disabling a lane takes no time from any lane; taking it back into use
    // starts that lane alone from nothing sold.
    find<QCheckBox>("chkDisable_2")->click();
    EXPECT_FALSE(combo("cmbLane_2")->isEnabled());
    EXPECT_TRUE(soldTimeResets.empty());
    find<QCheckBox>("chkDisable_2")->click();
    EXPECT_TRUE(combo("cmbLane_2")->isEnabled());
    EXPECT_EQ(soldTimeResets, (std::vector<int>{2}));
}

TEST_F(FrmQelInstallationTest, NonNumericTrackLengthIsRefusedAndNothingStored) {
    const std::string installationBefore = dataBytes("QelInstallation.dat");
    const std::string speedsBefore = dataBytes("QelSpeedMultiplier.dat");
    dialog().show();
    for (const char* text : {"abc", "", "3O", "25,3", "1e"}) {
        prompter.clear();
        edit("txtTrackLength_3")->setText(text);
        click("cmdOk");
        ASSERT_EQ(prompter.messages().size(), 1u) << text;
        EXPECT_EQ(prompter.messages()[0].text, "Value must be numeric");
        EXPECT_EQ(prompter.messages()[0].title, "Track Length");
        EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialog().focusWidget(), edit("txtTrackLength_3")) << text;
        EXPECT_EQ(edit("txtTrackLength_3")->selectedText(), text);
        EXPECT_TRUE(dialog().isVisible());
    }
    EXPECT_EQ(dataBytes("QelInstallation.dat"), installationBefore);
    EXPECT_EQ(dataBytes("QelSpeedMultiplier.dat"), speedsBefore);
    EXPECT_TRUE(openedPorts.empty());
}

TEST_F(FrmQelInstallationTest, TheFirstBadLaneIsTheOneFocused) {
    dialog().show();
    edit("txtTrackLength_2")->setText("x");
    edit("txtTrackLength_4")->setText("y");
    click("cmdOk");
    EXPECT_EQ(dialog().focusWidget(), edit("txtTrackLength_2"));
}

TEST_F(FrmQelInstallationTest, OkWritesWhatTheCoreWriterProducesAndAppliesIt) {
    dialog().show();
    edit("txtTrackName")->setText("Basement Ring");
    find<QCheckBox>("chkSellTime")->setChecked(true);
    combo("cmbCommPort")->setCurrentIndex(1);
    combo("cmbRelay")->setCurrentIndex(1);
    combo("cmbSensorType")->setCurrentIndex(1);
    combo("cmbScale")->setCurrentText("1:43");
    combo("cmbLane_2")->setCurrentText("Green");
    find<QCheckBox>("chkDisable_3")->click();
    edit("txtTrackLength_1")->setText(" 25.3 ");
    // A hidden lane is not checked; its text reads as 0.
    edit("txtTrackLength_7")->setText("junk");
    click("cmdOk");
    EXPECT_TRUE(prompter.messages().empty()) << prompter.messageTexts()[0];

    InstallationSettings expected = committed();
    expected.trackName = "Basement Ring";
    expected.sellTimeEnabled = 1;
    expected.commPortIndex = 1;
    expected.relayIndex = 1;
    expected.sensorTypeIndex = 1;
    expected.scaleIndex = 10;
    expected.laneColorIndex[2] = 1;
    expected.laneColor[2] = 65280;
    expected.laneDisabled[3] = 1;
    LaneTable<std::string> lengths{};
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        lengths[lane] = "30";
    lengths[1] = " 25.3 ";
    lengths[7] = "junk";
    test::TempFolder other;
    AppFolder otherApp(other.path());
    storeInstallation(otherApp, expected, lengths);

    EXPECT_EQ(dataBytes("QelInstallation.dat"),
              readBinaryFile(otherApp.dataFile("QelInstallation.dat")));
    EXPECT_EQ(dataBytes("QelSpeedMultiplier.dat"),
              readBinaryFile(otherApp.dataFile("QelSpeedMultiplier.dat")));
    EXPECT_EQ(dataBytes("Racers.dat"),
              "\"Racer 1\",\"Racer 2\",\"Racer 3\",\"Racer 4\",\"Racer 5\",\"Racer 6\",\"Racer "
              "7\",\"Racer 8\"\r\n");

    EXPECT_EQ(state.commPort, 2);
    EXPECT_EQ(state.laneCount, 4);
    EXPECT_EQ(state.trackName, "Basement Ring");
    EXPECT_EQ(state.laneColor[2], 65280);
    EXPECT_EQ(state.laneDisabled[3], 1);
    EXPECT_FLOAT_EQ(state.speedMultiplier[2], 30.0f / 5280 * 3600 * 43);
    EXPECT_EQ(settings.scaleFactor, 43);
    EXPECT_EQ(sequenceResets, 0);
    EXPECT_EQ(racerNameRefreshes, 1);
    EXPECT_EQ(mainWindowRestores, 0);
    EXPECT_EQ(raceResets, 1);
    EXPECT_EQ(racerListLoads, 1);
    EXPECT_EQ(openedPorts, std::vector<int>{2});
    EXPECT_EQ(sensorTypeSends, 1);
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(FrmQelInstallationTest, ThirtyFeetAtOneToThirtyTwo) {
    click("cmdOk");
    EXPECT_NEAR(state.speedMultiplier[1], 654.545, 0.001);
    EXPECT_NEAR(state.speedMultiplier[4], 654.545, 0.001);
}

TEST_F(FrmQelInstallationTest, PortThatWillNotOpenKeepsTheDialogOnThePortList) {
    askForAnotherPort = true;
    dialog().show();
    click("cmdOk");
    EXPECT_TRUE(dialog().portRetry());
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().focusWidget(), combo("cmbCommPort"));
    EXPECT_EQ(sensorTypeSends, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FrmQelInstallationTest, CancellingTheLaneCountQuestionRestoresTheCountWithoutAskingAgain) {
    const std::string before = dataBytes("QelInstallation.dat");
    prompter.answer(MessageAnswer::Cancel);
    combo("cmbNoOfLanes")->setCurrentIndex(4);
    ASSERT_EQ(prompter.messages().size(), 1u);
    const test::ShownMessage& question = prompter.messages()[0];
    EXPECT_EQ(question.text,
              "In order for this setting to take effect you will have to restart the application");
    EXPECT_EQ(question.title, "Change number of Lanes");
    EXPECT_EQ(question.icon, MessageIcon::Critical);
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(combo("cmbNoOfLanes")->currentText(), "4");
    EXPECT_EQ(settings.laneCount, 4);
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(dataBytes("QelInstallation.dat"), before);

    // The next choice asks again.
    prompter.answer(MessageAnswer::Cancel);
    combo("cmbNoOfLanes")->setCurrentIndex(0);
    EXPECT_EQ(prompter.messages().size(), 2u);
}

TEST_F(FrmQelInstallationTest, ConfirmedLaneCountStoresBothFilesAndEndsTheProgram) {
    prompter.answer(MessageAnswer::Ok);
    combo("cmbNoOfLanes")->setCurrentIndex(4);

    InstallationSettings written;
    parseInstallationFile(dataBytes("QelInstallation.dat"), "QelInstallation.dat", written);
    EXPECT_EQ(written.laneCountIndex, 4);
    EXPECT_EQ(written.laneCount, 6);
    InstallationSettings expected = committed();
    expected.laneCountIndex = 4;
    expected.laneCount = 6;
    computeSpeedMultipliers(expected);
    EXPECT_EQ(dataBytes("QelSpeedMultiplier.dat"), speedMultiplierFileText(expected));
    EXPECT_EQ(mainWindowRestores, 1);
    EXPECT_EQ(sequenceResets, 1);
    EXPECT_EQ(formHeights, std::vector<int>{6});
    EXPECT_EQ(programEnds, 1);
}

TEST_F(FrmQelInstallationTest, ConfirmedLaneCountWithABadLengthStoresNothingButStillEnds) {
    const std::string before = dataBytes("QelInstallation.dat");
    edit("txtTrackLength_1")->setText("long");
    prompter.answer(MessageAnswer::Ok);
    combo("cmbNoOfLanes")->setCurrentIndex(1);
    EXPECT_EQ(prompter.messageTexts(),
              (std::vector<std::string>{
                  "In order for this setting to take effect you will have to restart the "
                  "application",
                  "Value must be numeric"}));
    EXPECT_EQ(dataBytes("QelInstallation.dat"), before);
    EXPECT_TRUE(formHeights.empty());
    EXPECT_EQ(programEnds, 1);
}

TEST_F(FrmQelInstallationTest, DamagedFileIsReportedAndTheSettingsKept) {
    folder.write("QelDat/QelInstallation.dat", "2,9,0\r\n");
    settings.trackName = "Kept";
    dialog();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QelInstallation.dat"), std::string::npos)
        << prompter.messages()[0].text;
    EXPECT_EQ(settings.trackName, "Kept");
    EXPECT_EQ(edit("txtTrackName")->text(), "Enter Name of Track");
}

TEST_F(FrmQelInstallationTest, MissingFileIsReported) {
    std::filesystem::remove(app.dataFile("QelInstallation.dat"));
    dialog();
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(FrmQelInstallationTest, StoredPortOutsideTheListSelectsTheFirst) {
    InstallationSettings s = committed();
    s.commPortIndex = 9;
    writeInstallation(s);
    EXPECT_EQ(combo("cmbCommPort")->currentIndex(), 0);
}

TEST_F(FrmQelInstallationTest, EnteringATrackLengthSelectsItsText) {
    dialog().show();
    QLineEdit* box = edit("txtTrackLength_2");
    box->setText("27.5");
    box->deselect();
    QFocusEvent entered(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(box, &entered);
    QApplication::processEvents();
    EXPECT_EQ(box->selectedText(), "27.5");
}

TEST_F(FrmQelInstallationTest, CancelAndHelp) {
    click("cmdHelp");
    EXPECT_EQ(helpShown, 1);
    const std::string before = dataBytes("QelInstallation.dat");
    edit("txtTrackName")->setText("Changed");
    click("cmdCancel");
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_EQ(dataBytes("QelInstallation.dat"), before);
    EXPECT_EQ(settings.trackName, "Club Raceway");
}

}  // namespace
}  // namespace qel::ui
