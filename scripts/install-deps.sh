#!/usr/bin/env bash
# Installs the Debian packages Vastrel needs to build and test, skipping
# those already present (so a machine that has them needs no network).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  # the desktop program: Qt 6 Widgets, charts, printing, SVG pictures (the
  # charts module needs the OpenGL development files, which its package does
  # not pull in), Qt's own texts in Portuguese, fonts with the metrics of
  # Arial, Times New Roman and Courier New
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev
  qt6-translations-l10n fonts-liberation fonts-dejavu-core
  # a display for the program on a machine without one (scripts/run.sh)
  xvfb xauth
  # GIS exchange: GeoTIFF and other rasters, GeoPackage, Shapefile, KML, GPX,
  # DXF; the GDAL tools check the exported files in the tests
  libgdal-dev gdal-bin
  # the fuzz targets of the file readers (scripts/fuzz.sh): clang with
  # libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Instalando: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
