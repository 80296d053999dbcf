#pragma once
// The race director's desk for the live board's end-to-end tests: the
// program as main() composes it in a copy of the shipped application folder,
// no timing box, virtual time, and the live board switched on (on a free
// port) and the instant start chosen the night before.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>

#include "core/liveboard/live_board_settings.h"
#include "core/seams/virtual_time.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/live_board_clients.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel::test {

class LiveBoardDesk : public ::testing::Test {
  protected:
    static constexpr int kTickMs = 100;
    static constexpr int kLanes = 4;

    LiveBoardDesk() {
        copyShippedApplicationFolder(folder);
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
        const AppFolder app(folder.path());
        writeLiveBoardFile(app, {true, port});
        changeOptionsFile(app, [](OptionsSettings& o) {
            o.instantStart = -1;
            o.dragStart = 0;
            o.formula1Start = 0;
        });
        program.start();
    }

    // Virtual time moves one race tick at a time; between ticks the event
    // loop sends what the board published, as it does between real ticks.
    bool run(int64_t ms, const std::function<bool()>& done = {}) {
        for (int64_t passed = 0; passed < ms; passed += kTickMs) {
            time.advance(kTickMs);
            QCoreApplication::processEvents();
            if (done && done()) return true;
        }
        return false;
    }

    TempFolder folder;
    quint16 port = freePort();
    platform::SerialPort box{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    RecordingSoundDevice sound;
    MainWindowProgram program{folder.path(), box, time, time, random, sound};
};

}  // namespace qel::test
