#!/usr/bin/env bash
# Cuts the 400 x 400 window of the 30 m SRTM of the Big Tujunga catchment
# kept here (srtm-bigtujunga-400.img, 16-bit integers, with its IDRISI
# documentation srtm-bigtujunga-400.doc) out of the GeoTIFF of the shared
# data folder. Needs gdal_translate (Debian package gdal-bin) and python3.
#   derivar.sh /caminho/para/srtm_bigtujunga30m_utm11.tif
set -euo pipefail
tif=${1:?informe o arquivo srtm_bigtujunga30m_utm11.tif}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Columns 750 to 1149 and rows 0 to 399 of the 1197 x 643 grid, as raw
# little-endian 16-bit integers (ENVI layout: no header in the data file).
gdal_translate -q -of ENVI -ot Int16 -srcwin 750 0 400 400 "$tif" "$work/recorte.bin"

python3 - "$work/recorte.bin" "$here" <<'PY'
import struct, sys
src, dest = sys.argv[1], sys.argv[2]
n = 400
data = open(src, 'rb').read()
assert len(data) == n * n * 2
cells = struct.unpack('<%dh' % (n * n), data)
assert 32767 not in cells  # no cell without data in this window
# Upper-left corner of the GeoTIFF (its .tfw), 30 m cells, UTM zone 11N.
x0 = 376313.655454263498541 + 750 * 30.0
y1 = 3807917.827628375496715
open(dest + '/srtm-bigtujunga-400.img', 'wb').write(data)
def fixed(v): return '%.8f' % v
lines = [
    ('file title  : ', 'SRTM 30 m, Big Tujunga (California), colunas 750-1149 e linhas 0-399'),
    ('data type   : ', 'integer'),
    ('file type   : ', 'binary'),
    ('columns     : ', str(n)),
    ('rows        : ', str(n)),
    ('ref. system : ', 'plane'),
    ('ref. units  : ', 'm'),
    ('unit dist.  : ', ' 1.00000000000000E+0000'),
    ('min. X      : ', fixed(x0)),
    ('max. X      : ', fixed(x0 + n * 30.0)),
    ('min. Y      : ', fixed(y1 - n * 30.0)),
    ('max. Y      : ', fixed(y1)),
    ('pos n error : ', 'unknown'),
    ('resolution  : ', '30'),
    ('min. value  : ', fixed(min(cells))),
    ('max. value  : ', fixed(max(cells))),
    ('value units : ', 'm'),
    ('value error : ', 'unknown'),
    ('flag value  : ', 'none'),
    ('flag def n  : ', 'none'),
    ('legend cats : ', '0'),
]
with open(dest + '/srtm-bigtujunga-400.doc', 'wb') as f:
    f.write(''.join(a + b + '\r\n' for a, b in lines).encode('cp1252'))
PY
