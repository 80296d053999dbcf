#include "ui/sound/frm_sound.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "core/io/text_file.h"
#include "core/seams/virtual_time.h"
#include "core/sound/sound_table_file.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

const std::string kFile =
    "1\r\n0\r\n0\r\n"
    "\"Overall Best.wav\"\r\n\"Each Lap.wav\"\r\n\"Personal Best.wav\"\r\n"
    "#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n"
    "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n";

struct RecordingPlayer : SoundPlayer {
    std::vector<std::string> played;
    void PlaySoundFile(const std::string& name) override { played.push_back(name); }
};

class FrmSoundTest : public ::testing::Test {
  protected:
    FrmSoundTest() {
        folder.write("QelSound/QelSounds.dat", kFile);
        for (const char* name : {"goby1.wav", "add lap.WAV", "Beep.Wav", "notes.txt"})
            folder.write(std::string("QelSound/") + name, "RIFF");
    }

    // The dialog reads the sound folder as it is made.
    FrmSound& dialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<FrmSound>(app, table, player, prompter, timers,
                                                 [this] { ++helpShown; });
        }
        return *dialog_;
    }
    template <typename Widget>
    Widget* find(const QString& name) {
        auto* widget = dialog().findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    void click(const QString& button) { find<QPushButton>(button)->click(); }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    bool ticked(int entry) {
        return find<QListWidget>("lstRaceSounds")->item(entry)->checkState() == Qt::Checked;
    }
    QColor background(const QString& name) {
        return find<QWidget>(name)->palette().color(QPalette::Window);
    }
    std::string fileOnDisk() { return readBinaryFile(soundTablePath(app)); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    SoundTable table;
    RecordingPlayer player;
    test::ScriptedPrompter prompter;
    VirtualScheduler timers;
    int helpShown = 0;
    std::unique_ptr<FrmSound> dialog_;
};

TEST_F(FrmSoundTest, LoadFillsTheTableAndEveryControl) {
    EXPECT_EQ(dialog().objectName(), "frmSound");
    EXPECT_EQ(dialog().windowTitle(), "Sounds");
    EXPECT_EQ(dialog().palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(find<QGroupBox>("Frame2")->title(), "Select sounds  to play:");
    EXPECT_EQ(find<QGroupBox>("Frame1")->title(), "Select car sounds:");
    const std::pair<const char*, const char*> captions[] = {{"cmdOk", "&OK"},
                                                            {"cmdCancel", "&Cancel"},
                                                            {"cmdHelp", "&Help"},
                                                            {"cmdChange_1", "Change"},
                                                            {"cmdTest_2", "Test"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(find<QPushButton>(name)->text(), caption) << name;

    const QStringList entries = {"Race Starts in 1 min",
                                 "Race Starts in 40 sec",
                                 "Race Starts in 20 sec",
                                 "Race Starts in 5 sec",
                                 "Get Ready",
                                 "Go",
                                 "Yellow Flag",
                                 "White Flag",
                                 "Red Flag",
                                 "10 Seconds Left",
                                 "Heat Over",
                                 "Race Over",
                                 "Checkered Flag"};
    auto* list = find<QListWidget>("lstRaceSounds");
    ASSERT_EQ(list->count(), entries.size());
    for (int entry = 0; entry < list->count(); ++entry) {
        EXPECT_EQ(list->item(entry)->text(), entries[entry]);
        EXPECT_EQ(ticked(entry), entry != 1 && entry != 5) << entry;
        EXPECT_EQ(table.raceSoundEnabled[entry], entry != 1 && entry != 5) << entry;
    }

    const char* frames[] = {"Overall Best Lap:", "Each Lap:", "Personal Best Lap:"};
    const char* files[] = {"Overall Best.wav", "Each Lap.wav", "Personal Best.wav"};
    for (int i = 0; i < 3; ++i) {
        const QString index = QString::number(i);
        EXPECT_EQ(find<QGroupBox>("fraSound_" + index)->title(), frames[i]);
        EXPECT_EQ(find<QCheckBox>("chkPlay_" + index)->isChecked(), i == 0);
        EXPECT_EQ(text("lblSound_" + index), files[i]);
        EXPECT_EQ(table.lapSoundFile[i], files[i]);
    }
    EXPECT_EQ(text("lblSelectSound"), "Instructions");
    EXPECT_EQ(text("lblInstruction"),
              "Click on \"Change\" Button to change Wav file then select wav file");
    EXPECT_TRUE(find<QListWidget>("FileSounds")->isHidden());
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(FrmSoundTest, AChosenFileChangesOneLabelInProperCaseAndCancelKeepsTheTable) {
    click("cmdChange_2");
    EXPECT_EQ(text("lblSelectSound"), "Select\r\nPersonal Best Lap:");
    EXPECT_TRUE(find<QLabel>("lblInstruction")->isHidden());
    auto* files = find<QListWidget>("FileSounds");
    EXPECT_FALSE(files->isHidden());
    ASSERT_EQ(files->count(), 3);
    EXPECT_EQ(files->item(0)->text(), "add lap.WAV");
    EXPECT_EQ(files->item(1)->text(), "Beep.Wav");
    EXPECT_EQ(files->item(2)->text(), "goby1.wav");

    for (const auto& [row, shown] : {std::pair{2, "Goby1.wav"}, std::pair{0, "Add Lap.wav"}}) {
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(files->item(row)).center());
        EXPECT_EQ(text("lblSound_2"), shown);
    }
    EXPECT_EQ(text("lblSound_0"), "Overall Best.wav");
    EXPECT_EQ(text("lblSound_1"), "Each Lap.wav");

    QTest::mouseClick(find<QLabel>("lblSelectSound"), Qt::LeftButton);
    EXPECT_EQ(text("lblSelectSound"), "Instructions");
    EXPECT_FALSE(find<QLabel>("lblInstruction")->isHidden());
    EXPECT_TRUE(files->isHidden());

    find<QCheckBox>("chkPlay_1")->setChecked(true);
    click("cmdCancel");
    EXPECT_EQ(table.lapSoundFile[2], "Personal Best.wav");
    EXPECT_EQ(table.lapSoundEnabled[1], 0);
    EXPECT_EQ(fileOnDisk(), kFile);
}

TEST_F(FrmSoundTest, OkStoresTheControlsAndRewritesTheFile) {
    click("cmdOk");
    EXPECT_EQ(fileOnDisk(), kFile) << "OK without a change writes the same 19 lines";

    // Opened again, as before every showing.
    dialog().load();
    find<QCheckBox>("chkPlay_0")->setChecked(false);
    find<QCheckBox>("chkPlay_2")->setChecked(true);
    find<QListWidget>("lstRaceSounds")->item(1)->setCheckState(Qt::Checked);
    find<QListWidget>("lstRaceSounds")->item(12)->setCheckState(Qt::Unchecked);
    click("cmdChange_1");
    auto* files = find<QListWidget>("FileSounds");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(2)).center());
    click("cmdOk");

    EXPECT_EQ(table.lapSoundEnabled, (std::array<int16_t, 3>{0, 0, 1}));
    EXPECT_EQ(table.lapSoundFile[1], "Goby1.wav");
    EXPECT_TRUE(table.raceSoundEnabled[1]);
    EXPECT_FALSE(table.raceSoundEnabled[12]);
    EXPECT_EQ(fileOnDisk(),
              "0\r\n0\r\n1\r\n"
              "\"Overall Best.wav\"\r\n\"Goby1.wav\"\r\n\"Personal Best.wav\"\r\n"
              "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n"
              "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n");
}

TEST_F(FrmSoundTest, TestPlaysEvenWhenOffAndLightsTheFrameForAThirdOfASecond) {
    ASSERT_FALSE(find<QCheckBox>("chkPlay_1")->isChecked());
    click("cmdTest_1");
    EXPECT_EQ(player.played, std::vector<std::string>{"Each Lap.wav"});
    EXPECT_EQ(background("fraSound_1"), QColor(0, 255, 0));
    EXPECT_EQ(background("fraSound_0"), QColor(224, 224, 224));

    // A second Test restarts the third of a second.
    timers.advance(200);
    click("cmdTest_2");
    EXPECT_EQ(background("fraSound_1"), QColor(224, 224, 224));
    timers.advance(332);
    EXPECT_EQ(background("fraSound_2"), QColor(0, 255, 0));
    timers.advance(1);
    EXPECT_EQ(background("fraSound_2"), QColor(224, 224, 224));
    EXPECT_EQ(player.played, (std::vector<std::string>{"Each Lap.wav", "Personal Best.wav"}));
}

TEST_F(FrmSoundTest, PressingAListEntryPlaysItWhateverItsTick) {
    auto* list = find<QListWidget>("lstRaceSounds");
    for (const int entry : {5, 1, 9}) {
        QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(entry)).center());
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {},
                            list->visualItemRect(list->item(entry)).center());
    }
    EXPECT_EQ(player.played, (std::vector<std::string>{"Go.wav", "Race Starts in 40 sec.wav",
                                                       "10 Seconds Left.wav"}));
    EXPECT_FALSE(ticked(5));
}

TEST_F(FrmSoundTest, AMissingTableFileIsExplainedAndTheControlsStayEmpty) {
    dialog();
    std::filesystem::remove(soundTablePath(app));
    // The next showing reads the file again and finds it gone.
    dialog().load();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QelSounds.dat"), std::string::npos);
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::Ok);
    for (int entry = 0; entry < kRaceSoundCount; ++entry)
        EXPECT_FALSE(ticked(entry)) << entry;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(find<QCheckBox>("chkPlay_" + QString::number(i))->isChecked());
        EXPECT_EQ(text("lblSound_" + QString::number(i)), "");
    }
    // The table keeps what the last good read gave it.
    EXPECT_EQ(table.lapSoundFile[0], "Overall Best.wav");
}

TEST_F(FrmSoundTest, AFileMissingWhenTheDialogIsMadeIsExplainedAtOnce) {
    std::filesystem::remove(soundTablePath(app));
    dialog();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("QelSounds.dat"), std::string::npos);
    for (int entry = 0; entry < kRaceSoundCount; ++entry)
        EXPECT_FALSE(ticked(entry)) << entry;
}

TEST_F(FrmSoundTest, HelpOpensTheHelpTopicsAndChangesNothing) {
    dialog().show();
    find<QCheckBox>("chkPlay_1")->setChecked(true);
    click("cmdHelp");
    EXPECT_EQ(helpShown, 1);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(table.lapSoundEnabled[1], 0);
    EXPECT_EQ(fileOnDisk(), kFile);
    EXPECT_TRUE(player.played.empty());
}

}  // namespace
}  // namespace qel::ui
