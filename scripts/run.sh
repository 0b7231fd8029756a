#!/usr/bin/env bash
# Installs what is missing, builds, runs the command line on the bundled
# examples and starts the desktop program on one of them.
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
echo
echo "$ vastrel examples/nivel-triangular-piracicaba.vst"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/vastrel examples/nivel-triangular-piracicaba.vst
fi
# No screen on this machine: the program runs on a virtual one.
echo "(sem tela: o programa roda numa tela virtual do Xvfb; encerre com Ctrl+C)"
exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/vastrel examples/nivel-triangular-piracicaba.vst
