#!/usr/bin/env bash
# Installs what is missing, builds, and starts qeltimer on its default
# application folder (build/app) in demo mode, so it races without a timing box.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/app/qeltimer "$@"
