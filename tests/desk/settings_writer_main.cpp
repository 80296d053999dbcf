// qel-settings-writer: saves the track set-up over and over as Installation's
// OK does (QelInstallation.dat, then QelSpeedMultiplier.dat), alternating
// between two tracks, until it is killed. Tests kill it at random moments, as
// a power cut would stop a save, and start the program's readers afterwards.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/io/data_folder.h"
#include "core/setup/installation_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qel-settings-writer APPLICATION_FOLDER\n", stderr);
        return 2;
    }
    const qel::AppFolder folder{std::filesystem::path(argv[1])};
    std::puts("saving");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        qel::InstallationSettings settings = qel::defaultInstallation();
        // Four lanes of 30 feet, then six of 42.5.
        const bool six = round % 2 == 1;
        settings.laneCountIndex = six ? 4 : 2;
        qel::LaneTable<std::string> lengths;
        lengths.fill(six ? "42.5" : "30");
        qel::storeInstallation(folder, settings, lengths);
    }
}
