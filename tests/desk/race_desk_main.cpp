// qel-race-desk: the program as main() composes it, over the real serial port
// and timers, in the application folder given, with a race started from its
// Start button, running until it is killed. Tests kill it mid-race to see what
// a crash leaves behind. Given a race format and length ("Round Robin" "0.1"),
// the race director chooses them in Race Format first.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "core/seams/uniform_random.h"
#include "platform/qt_timers.h"
#include "platform/sdl_sound_device.h"
#include "platform/serial_port.h"
#include "support/program_harness.h"
#include "support/scripted_prompter.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2 && argc != 4) {
        std::fputs("usage: qel-race-desk APPLICATION_FOLDER [RACE_FORMAT LENGTH]\n", stderr);
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    qel::platform::SerialPort port{qel::AppFolder(root)};
    qel::platform::QtClock clock;
    qel::platform::QtTimerService timers;
    qel::UniformRandom random(5);
    qel::platform::SdlSoundDevice sound;
    qel::test::ScriptedPrompter prompter;
    qel::test::ProgramHarness desk(root, port, clock, timers, random, sound, prompter);
    desk.settings.setValue("Options", "Show Tips at Startup", "0");
    desk.start();
    if (argc == 4)
        desk.chooseRaceFormat(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    desk.pressStart();
    std::printf("%s\n", desk.startCaption().toStdString().c_str());
    std::fflush(stdout);
    return QApplication::exec();
}
