#!/usr/bin/env bash
# Builds the example elevation and slope images of this folder from the
# 400 x 400 SRTM window kept in data/fontes/relevo, with vastrel-cli itself:
# the 200 x 200 cells around the summit (rows 0-199, columns 102-301 of the
# window) as an IDRISI real image, imported, then the slope map.
#   gerar.sh /caminho/para/vastrel-cli
set -euo pipefail
cli=${1:?informe o caminho do vastrel-cli}
here=$(cd "$(dirname "$0")" && pwd)
fonte="$here/../../data/fontes/relevo/srtm-bigtujunga-400"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$fonte" "$work/recorte" <<'PY'
import struct, sys
fonte, saida = sys.argv[1], sys.argv[2]
n, l0, c0, lado = 400, 0, 102, 200
cells = struct.unpack('<%dh' % (n * n), open(fonte + '.img', 'rb').read())
doc = open(fonte + '.doc', 'rb').read().decode('cp1252').split('\r\n')
valor = lambda i: float(doc[i][14:])
xmin, ymax = valor(8), valor(11)
recorte = [float(cells[(l0 + l) * n + c0 + c]) for l in range(lado) for c in range(lado)]
open(saida + '.img', 'wb').write(struct.pack('<%df' % len(recorte), *recorte))
def fixed(v): return '%.8f' % v
linhas = [
    ('file title  : ', 'recorte'), ('data type   : ', 'real'), ('file type   : ', 'binary'),
    ('columns     : ', str(lado)), ('rows        : ', str(lado)), ('ref. system : ', 'plane'),
    ('ref. units  : ', 'm'), ('unit dist.  : ', ' 1.00000000000000E+0000'),
    ('min. X      : ', fixed(xmin + c0 * 30.0)), ('max. X      : ', fixed(xmin + (c0 + lado) * 30.0)),
    ('min. Y      : ', fixed(ymax - (l0 + lado) * 30.0)), ('max. Y      : ', fixed(ymax - l0 * 30.0)),
    ('pos n error : ', 'unknown'), ('resolution  : ', '30'),
    ('min. value  : ', fixed(min(recorte))), ('max. value  : ', fixed(max(recorte))),
    ('value units : ', 'm'), ('value error : ', 'unknown'), ('flag value  : ', 'none'),
    ('flag def n  : ', 'none'), ('legend cats : ', '0'),
]
open(saida + '.doc', 'wb').write(''.join(a + b + '\r\n' for a, b in linhas).encode('cp1252'))
PY

"$cli" importar --formato idrisi --tipo raster \
    --titulo "Elevação (m), SRTM 30 m, bacia do Big Tujunga (Califórnia)" \
    "$work/recorte.img" "$here/elevacao-big-tujunga.ras"
"$cli" declividade "$here/elevacao-big-tujunga.ras" "$here/declividade-big-tujunga.ras" \
    --titulo "Declividade (%) da elevação SRTM 30 m, bacia do Big Tujunga (Califórnia)"
