// qeltimer: lap timer and race manager for slot-car tracks.
#include <QApplication>
#include <QDateTime>
#include <memory>

#include "core/engine/race_engine.h"
#include "core/io/data_folder.h"
#include "core/seams/uniform_random.h"
#include "core/state/app_state.h"
#include "platform/desktop_shell.h"
#include "platform/qt_prompter.h"
#include "platform/qt_timers.h"
#include "platform/qt_user_settings.h"
#include "platform/sdl_sound_device.h"
#include "platform/serial_port.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/shell/frm_qel_splash1.h"
#include "ui/shell/frm_tip.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("qeltimer");
    QApplication::setApplicationName("qeltimer");
    // The program ends with the race board, not with the last window closed
    // (the splash closes before the board shows).
    QApplication::setQuitOnLastWindowClosed(false);

    // The application folder is the program's own folder.
    const qel::AppFolder folder(QApplication::applicationDirPath().toStdString());

    qel::platform::SerialPort port(folder);
    qel::platform::QtClock clock;
    qel::platform::QtTimerService timers;
    // The start lights' random wait is seeded from the clock.
    qel::UniformRandom random(static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    qel::platform::QtPrompter prompter;
    qel::platform::SdlSoundDevice sound;
    qel::platform::DesktopShell shell;
    qel::platform::QtUserSettings userSettings;

    const auto state = qel::makeAppState();
    qel::RaceEngine engine(*state, {folder, port, clock, timers, random, prompter, sound});

    std::unique_ptr<qel::ui::FrmQelTimer> window;
    std::unique_ptr<qel::ui::FrmTip> tip;
    auto* splash = new qel::ui::FrmQelSplash1(timers, [&](const QRect& placement) {
        window = std::make_unique<qel::ui::FrmQelTimer>(
            engine, qel::ui::MainWindowServices{shell, userSettings});
        QObject::connect(window.get(), &qel::ui::FrmQelTimer::programEnded, &app,
                         &QApplication::quit, Qt::QueuedConnection);
        engine.Form_Load({[&window] { window->showInstallation(); }});
        window->render();
        window->setGeometry(placement);
        window->show();

        // A tip of the day for the race director, unless turned off.
        tip =
            std::make_unique<qel::ui::FrmTip>(folder, random, userSettings, nullptr, window.get());
        if (tip->load()) tip->show();
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();

    const int result = QApplication::exec();
    tip.reset();
    window.reset();
    return result;
}
