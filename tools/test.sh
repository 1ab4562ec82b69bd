#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen

bash tools/setup.sh
bash tools/build.sh
ctest --test-dir build --output-on-failure -j2
