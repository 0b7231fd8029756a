#!/usr/bin/env bash
# Builds the example watershed of this folder, as a user prepares one, from
# the 10 m elevation grid of a small real catchment already outlined (the
# Hugo site of the Colorado high plains, ESRI ASCII grid, 1 m elevation
# steps, -9999 outside the catchment):
#   1. the grid resampled to 2.5 m cells by bilinear interpolation, since a
#      terrace strip (10 to 20 m wide on these slopes) must span several
#      cells, written as an IDRISI real image (cells outside the catchment 0)
#      and imported with vastrel-cli;
#   2. passes of the 3 x 3 mean filter, which smooth the 1 m elevation steps
#      of the source into a continuous surface (on the raw steps every level
#      meets whole plateaus);
#   3. the slope map of the filtered elevation.
#   gerar.sh /caminho/para/vastrel-cli /caminho/para/landlab_hugo_site_10m.asc
set -euo pipefail
cli=${1:?informe o caminho do vastrel-cli}
asc=${2:?informe o arquivo landlab_hugo_site_10m.asc}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$asc" "$work/hugo" <<'PY'
import math, struct, sys
asc, saida = sys.argv[1], sys.argv[2]
f = 4  # fine cells per coarse cell, each way
linhas = open(asc, encoding='ascii').read().split('\n')
cab = {l.split()[0].lower(): float(l.split()[1]) for l in linhas[:6]}
nc, nl, lado = int(cab['ncols']), int(cab['nrows']), cab['cellsize']
x0, y0, nodata = cab['xllcorner'], cab['yllcorner'], cab['nodata_value']
z = [float(v) for l in linhas[6:] for v in l.split()]
assert len(z) == nc * nl
dado = lambda l, c: 0 <= l < nl and 0 <= c < nc and z[l * nc + c] != nodata
# Bilinear interpolation between the centres of the coarse cells with data
# around each fine cell; a fine cell lies in the catchment when the coarse
# cell holding its centre does.
fino = []
for i in range(nl * f):
    for j in range(nc * f):
        y, x = (i + 0.5) / f, (j + 0.5) / f
        if not dado(int(y), int(x)):
            fino.append(0.0)
            continue
        l0, c0 = math.floor(y - 0.5), math.floor(x - 0.5)
        ty, tx = y - 0.5 - l0, x - 0.5 - c0
        soma = peso = 0.0
        for dl, wl in ((0, 1 - ty), (1, ty)):
            for dc, wc in ((0, 1 - tx), (1, tx)):
                if dado(l0 + dl, c0 + dc) and wl * wc > 0:
                    soma += wl * wc * z[(l0 + dl) * nc + c0 + dc]
                    peso += wl * wc
        fino.append(soma / peso if peso > 0 else z[int(y) * nc + int(x)])
nc, nl = nc * f, nl * f
open(saida + '.img', 'wb').write(struct.pack('<%df' % len(fino), *fino))
dados = [v for v in fino if v != 0]
def fixed(v): return '%.8f' % v
doc = [
    ('file title  : ', 'Hugo site'), ('data type   : ', 'real'), ('file type   : ', 'binary'),
    ('columns     : ', str(nc)), ('rows        : ', str(nl)), ('ref. system : ', 'plane'),
    ('ref. units  : ', 'm'), ('unit dist.  : ', ' 1.00000000000000E+0000'),
    ('min. X      : ', fixed(x0)), ('max. X      : ', fixed(x0 + nc * lado / f)),
    ('min. Y      : ', fixed(y0)), ('max. Y      : ', fixed(y0 + nl * lado / f)),
    ('pos n error : ', 'unknown'), ('resolution  : ', '%g' % (lado / f)),
    ('min. value  : ', fixed(min(dados))), ('max. value  : ', fixed(max(dados))),
    ('value units : ', 'm'), ('value error : ', 'unknown'), ('flag value  : ', '0'),
    ('flag def n  : ', 'background'), ('legend cats : ', '0'),
]
open(saida + '.doc', 'wb').write(''.join(a + b + '\r\n' for a, b in doc).encode('cp1252'))
PY

"$cli" importar --formato idrisi --tipo raster \
    --titulo "Elevação (m), bacia do sítio Hugo (Colorado), reamostrada a 2,5 m" \
    "$work/hugo.img" "$work/elevacao-bruta.ras"
"$cli" filtrar "$work/elevacao-bruta.ras" "$here/elevacao-hugo.ras" --passadas 4 \
    --titulo "Elevação (m) filtrada (média 3 x 3, 4 passadas), bacia do sítio Hugo"
"$cli" declividade "$here/elevacao-hugo.ras" "$here/declividade-hugo.ras" \
    --titulo "Declividade (%) da elevação filtrada, bacia do sítio Hugo"
