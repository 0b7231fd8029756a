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
  # the saved PDF reports seen as pictures, page by page (pdftoppm), and a
  # screenshot of the display (ImageMagick's import)
  poppler-utils imagemagick
  # GIS exchange: GeoTIFF and other rasters, GeoPackage, Shapefile, KML, GPX,
  # DXF; the GDAL tools check the exported files in the tests
  libgdal-dev gdal-bin
  # the Brazilian locale the tests also run in; a compiler cache for rebuilds
  locales ccache
  # the fuzz targets of the file readers (scripts/fuzz.sh): clang with
  # libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
)

# The tests run in pt_BR.UTF-8 as well as in C: generate it when missing.
ensure_locale() {
  locale -a 2>/dev/null | grep -qix 'pt_BR.utf8' && return 0
  echo "Gerando a localidade pt_BR.UTF-8"
  "${sudo_cmd[@]}" sed -i 's/^# *\(pt_BR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^pt_BR.UTF-8 UTF-8' /etc/locale.gen || echo 'pt_BR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  ensure_locale
  exit 0
fi

echo "Instalando: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_locale
