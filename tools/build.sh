#!/usr/bin/env bash
# Configures and builds Vantamorph into build/; the program folder is build/dist/Vantamorph.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
