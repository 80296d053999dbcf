// qeltimer-board-shot: a picture of the race board mid-race, as the race director sees it.
// An 8-lane 50-lap demo race with an instant start runs 40 seconds of virtual time in the
// real main window; the window is then saved as a PNG. Run it on a display (a virtual one
// does: xvfb-run), not on the offscreen platform, so fonts and styles are the desktop's.
#include <QApplication>
#include <QPixmap>
#include <QWindow>
#include <cstdio>
#include <exception>
#include <string>

#include "board_race.h"

namespace {

constexpr int kTickMs = 100;
constexpr int kShotAtMs = 40 * 1000;
constexpr QSize kWindowSize(1280, 800);

int usage() {
    std::fprintf(stderr,
                 "usage: qeltimer-board-shot OUTPUT.png [DEFAULTS_FOLDER]\n"
                 "  DEFAULTS_FOLDER holds QelDat/, QelSound/ and Images/ (default: %s)\n",
                 qel::boardshot::defaultDataFolder().string().c_str());
    return 2;
}

// Until the window manager has mapped the window, a grab would show an unlaid-out board.
bool waitUntilExposed(QWidget& window) {
    for (int tries = 0; tries < 500; ++tries) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (window.windowHandle() && window.windowHandle()->isExposed()) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) return usage();
    const QString output = QString::fromLocal8Bit(argv[1]);

    try {
        qel::boardshot::BoardRaceSetup setup;
        if (argc == 3) setup.defaults = argv[2];
        qel::boardshot::BoardRace race(setup);

        qel::ui::FrmQelTimer& window = race.window();
        window.resize(kWindowSize);
        window.show();
        if (!waitUntilExposed(window)) {
            std::fprintf(stderr, "qeltimer-board-shot: the window never showed\n");
            return 1;
        }
        if (!race.pressStart()) {
            std::fprintf(stderr, "qeltimer-board-shot: the race did not go green\n");
            return 1;
        }
        // Tick by tick, with the window painting in between as it does on the track.
        for (int ms = 0; ms < kShotAtMs; ms += kTickMs) {
            race.advance(kTickMs);
            QApplication::processEvents();
        }
        for (const std::string& message : race.messages())
            std::fprintf(stderr, "qeltimer-board-shot: the program said: %s\n", message.c_str());

        if (!window.grab().save(output, "PNG")) {
            std::fprintf(stderr, "qeltimer-board-shot: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qeltimer-board-shot: %s\n", error.what());
        return 1;
    }
    return 0;
}
