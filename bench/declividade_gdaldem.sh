#!/usr/bin/env bash
# Slope map of the 5000 x 5000 benchmark elevation (real SRTM relief, see
# RasterGis_bench.cpp), by vastrel-cli and by GDAL's gdaldem slope on the
# same cells, in the same run: median wall time and peak memory of each
# program, file reading and writing included, and their ratio. Also runs the
# raster benchmarks of vastrel_bench, which write the elevation image.
#
#   bench/declividade_gdaldem.sh BUILD_DIR [RUNS]
#
# BUILD_DIR is a Release build holding bin/vastrel_bench and bin/vastrel-cli.
# gdaldem and gdal_translate come from Debian's gdal-bin (installed by hand
# for this measurement: apt-get install gdal-bin). The two programs compute
# different formulas (the steepest drop to the eight neighbours here, Horn's
# 3 x 3 gradient in gdaldem), over the same cells and with comparable work.
set -euo pipefail
bin=${1:?informe a pasta de uma compilação Release}/bin
runs=${2:-5}
command -v gdaldem >/dev/null || { echo "gdaldem não encontrado (apt-get install gdal-bin)"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== vastrel_bench (imagem de 5000 x 5000 células)"
VASTREL_BENCH_RELEVO="$work/relevo.ras" "$bin/vastrel_bench" --benchmark_filter=Gis \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true

# The same cells for GDAL: the IDRISI export holds the bare 32-bit floats;
# an ENVI header describes them and a GeoTIFF copy carries the extent.
"$bin/vastrel-cli" exportar --formato idrisi --tipo raster "$work/relevo.ras" "$work/relevo.img" >/dev/null
doc() { sed -n "$1p" "$work/relevo.doc" | cut -c15- | tr -d '\r '; }
printf 'ENVI\nsamples = %s\nlines = %s\nbands = 1\nheader offset = 0\nfile type = ENVI Standard\ndata type = 4\ninterleave = bsq\nbyte order = 0\n' \
    "$(doc 4)" "$(doc 5)" >"$work/relevo.hdr"
gdal_translate -q -of GTiff -a_ullr "$(doc 9)" "$(doc 12)" "$(doc 10)" "$(doc 11)" "$work/relevo.img" "$work/relevo.tif"

echo
echo "== mapa de declividade, arquivo para arquivo ($runs execuções de cada, intercaladas)"
python3 - "$runs" "$bin/vastrel-cli" "$work" <<'PY'
import os, statistics, subprocess, sys, time
runs, cli, work = int(sys.argv[1]), sys.argv[2], sys.argv[3]
commands = {
    'vastrel-cli declividade': [cli, 'declividade', f'{work}/relevo.ras', f'{work}/decl.ras'],
    'gdaldem slope -p': ['gdaldem', 'slope', '-q', '-p', f'{work}/relevo.tif', f'{work}/decl.tif'],
}
times = {k: [] for k in commands}
memory = {k: 0 for k in commands}
for _ in range(runs):
    for name, cmd in commands.items():
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        times[name].append(time.perf_counter() - start)
        memory[name] = max(memory[name], usage.ru_maxrss)  # KiB
        if status != 0:
            sys.exit(f'{name} falhou')
med = {k: statistics.median(v) for k, v in times.items()}
for name in commands:
    print(f'{name:26s} mediana {med[name] * 1000:7.0f} ms  ({25e6 / med[name] / 1e6:5.1f} M células/s)'
          f'  memória máxima {memory[name] / 1024:6.0f} MiB')
ours, gdal = med['vastrel-cli declividade'], med['gdaldem slope -p']
print(f'razão gdaldem / vastrel-cli: {gdal / ours:.2f}')
PY
echo "(carga da máquina: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processadores)"
