#!/usr/bin/env bash
# Installs what is missing, builds, runs every test headless, and checks that
# every C++ file is laid out as .clang-format says; the fuzz targets run as a regression check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy CUPS_SERVER=/nonexistent
status=0
ctest --preset default -j2 "$@" || status=$?
# Every reader of outside input, fuzzed from its seed corpus for a fixed number of runs.
bash scripts/fuzz.sh || status=1
bash scripts/check-format.sh || status=1
exit $status
