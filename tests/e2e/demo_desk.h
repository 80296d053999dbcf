#pragma once
// The race director's desk for the demo-race tests of the record windows: the
// program as main() composes it in a copy of the shipped application folder,
// no timing box, virtual time, and the hands that reach the record windows'
// menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <functional>

#include "core/seams/virtual_time.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "ui/records/frm_qel_summary.h"
#include "ui/records/frm_qel_view_laps.h"

namespace qel::test {

class DemoDesk : public ::testing::Test {
  protected:
    static constexpr int kTickMs = 100;

    DemoDesk() {
        copyShippedApplicationFolder(folder);
        // A desk without a box: the demo starts without asking for one.
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
        program.start();
    }

    // Moves virtual time on a race tick at a time until done() holds.
    bool run(int64_t ms, const std::function<bool()>& done) {
        for (int64_t passed = 0; passed < ms; passed += kTickMs) {
            time.advance(kTickMs);
            if (done()) return true;
        }
        return false;
    }

    ui::FrmQelViewLaps* lapWindow() {
        return program.window().findChild<ui::FrmQelViewLaps*>("frmQelViewLaps");
    }
    ui::FrmQelSummary* summaryWindow() {
        return program.window().findChild<ui::FrmQelSummary*>("frmQelSummary");
    }
    // The windows a close lets go are gone once the event loop has run.
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A menu item of a record window chosen; it must be there and enabled.
    void chooseIn(QWidget& window, const char* item) {
        QAction* action = window.findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        ASSERT_TRUE(action->isEnabled()) << item;
        action->trigger();
    }

    TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    RecordingSoundDevice sound;
    MainWindowProgram program{folder.path(), port, time, time, random, sound};
};

}  // namespace qel::test
