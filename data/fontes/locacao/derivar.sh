#!/usr/bin/env bash
# Writes the whole 30 m SRTM grid of the Big Tujunga catchment (California),
# 1197 columns by 643 rows, as an IDRISI integer image (16-bit cells, the
# ".img" beside its ".doc"), from the GeoTIFF of the shared data folder. The
# GeoTIFF is uncompressed, in 128 x 128 tiles of little-endian 16-bit signed
# integers, so python3 alone reads it.
#   derivar.sh /caminho/para/srtm_bigtujunga30m_utm11.tif
set -euo pipefail
tif=${1:?informe o arquivo srtm_bigtujunga30m_utm11.tif}
here=$(cd "$(dirname "$0")" && pwd)

python3 - "$tif" "$here/srtm-bigtujunga-1197x643" <<'PY'
import struct, sys
tif, saida = sys.argv[1], sys.argv[2]
d = open(tif, 'rb').read()
assert d[:4] == b'II*\x00'
ifd = struct.unpack_from('<I', d, 4)[0]
tags = {}
for i in range(struct.unpack_from('<H', d, ifd)[0]):
    tag, tipo, n, valor = struct.unpack_from('<HHII', d, ifd + 2 + 12 * i)
    if tipo == 3 and n == 1:
        valor &= 0xFFFF
    tags[tag] = (tipo, n, valor)
largura, altura = tags[256][2], tags[257][2]
assert tags[258][2] == 16 and tags[259][2] == 1 and tags[339][2] == 2  # 16 bits, uncompressed, signed
tw, th = tags[322][2], tags[323][2]
ntiles = tags[324][1]
offs = struct.unpack_from('<%dI' % ntiles, d, tags[324][2])
por_linha = (largura + tw - 1) // tw
grade = [0] * (largura * altura)
for t in range(ntiles):
    ty, tx = divmod(t, por_linha)
    bloco = struct.unpack_from('<%dh' % (tw * th), d, offs[t])
    for r in range(th):
        y = ty * th + r
        if y >= altura:
            break
        x0 = tx * tw
        n = min(tw, largura - x0)
        grade[y * largura + x0:y * largura + x0 + n] = bloco[r * tw:r * tw + n]
assert 32767 not in grade  # no cell without data
open(saida + '.img', 'wb').write(struct.pack('<%dh' % len(grade), *grade))
# Upper-left corner of the grid (its .tfw gives the centre of the first
# cell, 376328.655 E 3807902.828 N), 30 m cells, UTM zone 11N.
x0, y1 = 376313.655454263498541, 3807917.827628375496715
def fixed(v): return '%.8f' % v
doc = [
    ('file title  : ', 'SRTM 30 m, Big Tujunga (California), 1197 x 643'),
    ('data type   : ', 'integer'), ('file type   : ', 'binary'),
    ('columns     : ', str(largura)), ('rows        : ', str(altura)),
    ('ref. system : ', 'plane'), ('ref. units  : ', 'm'),
    ('unit dist.  : ', ' 1.00000000000000E+0000'),
    ('min. X      : ', fixed(x0)), ('max. X      : ', fixed(x0 + largura * 30.0)),
    ('min. Y      : ', fixed(y1 - altura * 30.0)), ('max. Y      : ', fixed(y1)),
    ('pos n error : ', 'unknown'), ('resolution  : ', '30'),
    ('min. value  : ', fixed(min(grade))), ('max. value  : ', fixed(max(grade))),
    ('value units : ', 'm'), ('value error : ', 'unknown'), ('flag value  : ', 'none'),
    ('flag def n  : ', 'none'), ('legend cats : ', '0'),
]
open(saida + '.doc', 'wb').write(''.join(a + b + '\r\n' for a, b in doc).encode('cp1252'))
PY
