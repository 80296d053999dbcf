#pragma once
// The race director's desk for the tests of this layer: the program as main()
// composes it, in a copy of the shipped application folder, no timing box on
// port 1, virtual time, the real message boxes (answered by the test's hands
// as they show), and a sound card that keeps what it was asked to play.
//
// The rule of this layer: a test reaches the program only through its
// windows, menus, keys and the box. It may read what the program shows and
// holds, and it may lay out files before the program starts, as an earlier
// night at the track would have left them; it never writes the program's
// state and never calls into a dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <string>

#include "core/seams/virtual_time.h"
#include "platform/qt_prompter.h"
#include "platform/serial_port.h"
#include "support/program_harness.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel::test {

constexpr int kOperatorTickMs = 100;

// A widget of a dialog by its control name; a missing one fails the test.
template <typename Widget>
Widget* control(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << "no " << name << " in " << dialog.objectName().toStdString();
    return widget;
}

// A button, option button or tick clicked; a greyed-out one does nothing.
inline void click(QWidget& dialog, const char* button) {
    if (auto* widget = control<QAbstractButton>(dialog, button)) widget->click();
}

// A list entry chosen by its text.
inline void choose(QWidget& dialog, const char* list, const QString& entry) {
    if (auto* box = control<QComboBox>(dialog, list)) {
        const int index = box->findText(entry);
        EXPECT_GE(index, 0) << entry.toStdString() << " is not in " << list;
        box->setCurrentIndex(index);
    }
}

// A top-level window of the program that is on screen, or null.
inline QWidget* shownWindow(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name && top->isVisible()) return top;
    }
    return nullptr;
}

class OperatorDesk : public ::testing::Test {
  protected:
    OperatorDesk() {
        copyShippedApplicationFolder(folder);
        // A desk without a box: port 1 leads nowhere.
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
    }
    ~OperatorDesk() override {
        if (harness_ && !harness_->hands.unexpected().empty())
            ADD_FAILURE() << "unexpected window: " << harness_->hands.unexpected().front();
    }

    // The program starts; before that a test may lay out files.
    ProgramHarness& start(bool tipOfTheDay = false) {
        harness_ = std::make_unique<ProgramHarness>(folder.path(), port, time, time, random, sound,
                                                    prompter);
        if (!tipOfTheDay) {
            harness_->settings.setValue("Options", "Show Tips at Startup", "0");
        }
        harness_->start();
        harness_->window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&harness_->window()));
        return *harness_;
    }
    ProgramHarness& desk() { return *harness_; }

    // Moves virtual time on one race tick at a time, until done() holds or
    // ms have passed; true when done() held.
    bool runUntil(const std::function<bool()>& done, int64_t ms) {
        for (int64_t passed = 0; passed < ms; passed += kOperatorTickMs) {
            time.advance(kOperatorTickMs);
            QApplication::processEvents();
            if (done()) return true;
        }
        return false;
    }
    bool raceOver() {
        return desk().text("lblRaceOver") == "Race Over" && desk().startCaption() == "Reset";
    }

    // Options, with what the hands do on it before OK.
    void setOptions(std::function<void(QWidget&)> change) {
        desk().hands.expect("frmQelOptions", [change](QWidget& dialog) {
            change(dialog);
            click(dialog, "cmdOk");
        });
        desk().chooseMenu("mnuOptions");
    }
    // The start method by its option button (0 Instant, 1 Drag Racing,
    // 2 Formula 1) and the start delay in seconds.
    void useStartMethod(int method, int delaySeconds) {
        setOptions([method, delaySeconds](QWidget& dialog) {
            click(dialog, ("optStartMethod_" + std::to_string(method)).c_str());
            choose(dialog, "cmbDelay", QString::number(delaySeconds));
        });
    }
    // Keys go to the board once it is the active window again.
    void key(Qt::Key pressed) {
        desk().window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&desk().window()));
        QTest::keyClick(&desk().window(), pressed);
    }
    // The next message box answered by a key, as the race director does.
    void answerMessage(Qt::Key key) {
        desk().hands.expect("messageBox", [key](QWidget& box) { QTest::keyClick(&box, key); });
    }

    TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    RecordingSoundDevice sound;
    platform::QtPrompter prompter;

  private:
    std::unique_ptr<ProgramHarness> harness_;
};

}  // namespace qel::test
