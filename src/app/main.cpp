// qeltimer: lap timer and race manager for slot-car tracks.
#include <QApplication>
#include <QDateTime>

#include "app/program.h"
#include "core/io/data_folder.h"
#include "core/seams/uniform_random.h"
#include "platform/desktop_shell.h"
#include "platform/live_board_server.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_print_surface.h"
#include "platform/qt_prompter.h"
#include "platform/qt_timers.h"
#include "platform/qt_user_settings.h"
#include "platform/sdl_sound_device.h"
#include "platform/serial_port.h"
#include "platform/sqlite_journal_store.h"
#include "qt/qt_text.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/shell/frm_qel_splash1.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("qeltimer");
    QApplication::setApplicationName("qeltimer");
    // The program ends with the race board, not with the last window closed
    // (the splash closes before the board shows).
    QApplication::setQuitOnLastWindowClosed(false);

    // The application folder is the program's own folder.
    const qel::AppFolder folder(qel::fromQt(QApplication::applicationDirPath()));

    qel::platform::SerialPort port(folder);
    qel::platform::QtClock clock;
    qel::platform::QtTimerService timers;
    // The start lights' random wait is seeded from the clock.
    qel::UniformRandom random(static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    qel::platform::QtPrompter prompter;
    qel::platform::SdlSoundDevice sound;
    qel::platform::DesktopShell shell;
    qel::platform::QtUserSettings userSettings;
    qel::platform::QtFileDialog fileDialog;

    // The default printer, or PDF files in Stats when the computer has none.
    qel::platform::QtPrintSurface printer(folder.statsFolder().string());

    // The spectators' board on the club's network, off until switched on in Options.
    qel::platform::LiveBoardServer liveBoard;

    // Every race as it runs, in the statistics folder.
    qel::platform::SqliteJournalStore journal(folder.statsFile("RaceJournal.sqlite"));

    qel::app::Program program({{folder, port, clock, timers, random, prompter, sound},
                               shell,
                               userSettings,
                               fileDialog,
                               printer,
                               liveBoard,
                               journal});

    auto* splash = new qel::ui::FrmQelSplash1(timers, [&](const QRect& placement) {
        program.start(placement);
        // Messages open over the race board.
        prompter.setParent(&program.mainWindow());
        fileDialog.setParent(&program.mainWindow());
        QObject::connect(&program.mainWindow(), &qel::ui::FrmQelTimer::programEnded, &application,
                         &QApplication::quit, Qt::QueuedConnection);
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();

    return QApplication::exec();
}
