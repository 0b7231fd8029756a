#!/usr/bin/env bash
# Configures and builds the release tree in build/. Extra arguments go to
# CMake's configure step (the test script adds -DVASTREL_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build
