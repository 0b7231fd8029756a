#!/usr/bin/env bash
# Installs what is missing, builds, and runs Vastrel on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
echo
echo "$ vastrel-cli calcular examples/nivel-triangular-piracicaba.vst"
build/bin/vastrel-cli calcular examples/nivel-triangular-piracicaba.vst
echo
echo "$ vastrel-cli calcular examples/gradiente-trapezoidal-vicosa.vst"
build/bin/vastrel-cli calcular examples/gradiente-trapezoidal-vicosa.vst
