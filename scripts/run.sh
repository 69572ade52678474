#!/usr/bin/env bash
# Installs what is missing, builds, creates razyg.ini and an empty database
# beside the program when they are missing, and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/numeron_setup build
exec build/numeron
