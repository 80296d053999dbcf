#!/usr/bin/env bash
# Installs what is missing and builds everything (program, tools, tests, benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
