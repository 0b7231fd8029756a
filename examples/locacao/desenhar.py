#!/usr/bin/env python3
"""Draws a terrace layout as a PNG picture: the elevation raster in grey
(white outside the watershed), the terrace lines of the vector file in
colour and each line's number at its middle point, as the raster viewer
overlays them. For graded terraces (a version 2 table beside the vector)
each line runs from its upstream end to its outlet: the outlets are drawn
as squares, blue on a waterway and red on the edge of the land, and the
upstream ends as small black ticks. Standard library only.

    desenhar.py ELEVACAO.ras TERRACOS.vet SAIDA.png [--escala N]

A vector point (X, Y) lies at x = (X - XMin) / ResX and
y = (YMin + ResY * Linhas - Y) / ResY in cell units from the raster's
north-west corner: the centre of the cell in row l, column k (from 1) is at
x = k - 0.5, y = l - 0.5.
"""
import struct
import sys
import zlib


def ler_ras(caminho):
    d = open(caminho, 'rb').read()
    if d[0] != 1 or d[1:2] not in (b'R', b'r'):
        sys.exit('%s: só imagens reais (tipo R) versão 1' % caminho)
    col, lin = struct.unpack_from('<ii', d, 257)
    xmin, xmax, ymin, ymax = struct.unpack_from('<4f', d, 265)
    cel = struct.unpack_from('<%df' % (col * lin), d, 544)
    return col, lin, xmin, xmax, ymin, ymax, cel


def ler_saidas(caminho):
    """The outlets of a graded table (version 2 of the .bdt): (x, y, borda)."""
    try:
        d = open(caminho, 'rb').read()
    except OSError:
        return None
    if not d or d[0] != 2:
        return None
    n, m = struct.unpack_from('<ii', d, 1)
    k = 9 + 97 * n
    saidas = []
    for _ in range(m):
        _, x, y, _, borda = struct.unpack_from('<iddd?', d, k)
        saidas.append((x, y, borda))
        k += 45
    return saidas


def ler_vet(caminho):
    d = open(caminho, 'rb').read()
    linhas, atual, num = [], [], None
    for k in range(527, len(d) - 13, 14):
        n, x, y, _ = struct.unpack_from('<h3f', d, k)
        if n != num and atual:
            linhas.append((num, atual))
            atual = []
        num = n
        atual.append((x, y))
    if atual:
        linhas.append((num, atual))
    return linhas


# Digits 3 x 5, one string per row.
DIGITOS = {
    '0': ['###', '#.#', '#.#', '#.#', '###'], '1': ['.#.', '##.', '.#.', '.#.', '###'],
    '2': ['###', '..#', '###', '#..', '###'], '3': ['###', '..#', '###', '..#', '###'],
    '4': ['#.#', '#.#', '###', '..#', '..#'], '5': ['###', '#..', '###', '..#', '###'],
    '6': ['###', '#..', '###', '#.#', '###'], '7': ['###', '..#', '..#', '..#', '..#'],
    '8': ['###', '#.#', '###', '#.#', '###'], '9': ['###', '#.#', '###', '..#', '###'],
}

CORES = [(200, 30, 30), (30, 90, 200), (20, 140, 40), (170, 60, 170), (220, 120, 0), (0, 140, 150)]


def main():
    args = sys.argv[1:]
    escala = 8
    if '--escala' in args:
        i = args.index('--escala')
        escala = int(args[i + 1])
        del args[i:i + 2]
    if len(args) != 3:
        sys.exit(__doc__)
    col, lin, xmin, xmax, ymin, ymax, cel = ler_ras(args[0])
    linhas = ler_vet(args[1])
    resx, resy = (xmax - xmin) / col, (ymax - ymin) / lin
    topo = ymin + resy * lin
    W, H = col * escala, lin * escala
    dados = [v for v in cel if v != 0]
    lo, hi = min(dados), max(dados)
    img = bytearray(W * H * 3)

    def pixel(x, y, cor):
        if 0 <= x < W and 0 <= y < H:
            k = (y * W + x) * 3
            img[k:k + 3] = bytes(cor)

    for l in range(lin):
        for c in range(col):
            v = cel[l * col + c]
            g = 255 if v == 0 else int(70 + 160 * (v - lo) / ((hi - lo) or 1))
            for dy in range(escala):
                k = ((l * escala + dy) * W + c * escala) * 3
                img[k:k + 3 * escala] = bytes((g, g, g)) * escala

    def traco(x0, y0, x1, y1, cor):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n + 1):
            x = x0 + (x1 - x0) * i / n
            y = y0 + (y1 - y0) * i / n
            for ox in (0, 1):
                for oy in (0, 1):
                    pixel(int(x) + ox, int(y) + oy, cor)

    def tela(p):
        x = (p[0] - xmin) / resx
        y = (topo - p[1]) / resy
        return x * escala, y * escala

    rotulos = []
    for num, pts in linhas:
        cor = CORES[(num - 1) % len(CORES)]
        t = [tela(p) for p in pts]
        for a, b in zip(t, t[1:]):
            traco(a[0], a[1], b[0], b[1], cor)
        rotulos.append((str(num), t[len(t) // 2], cor))
    saidas = ler_saidas(args[1][:-4] + '.bdt')
    if saidas is not None:
        for num, pts in linhas:
            x, y = tela(pts[0])
            for a in range(-2, 3):
                for b in range(-2, 3):
                    pixel(int(x) + a, int(y) + b, (0, 0, 0))
        for x, y, borda in saidas:
            x, y = tela((x, y))
            for a in range(-4, 5):
                for b in range(-4, 5):
                    pixel(int(x) + a, int(y) + b, (220, 0, 0) if borda else (0, 60, 255))
    for texto, (x, y), cor in rotulos:
        s = max(1, escala // 4)
        x0, y0 = int(x) + 2, int(y) - 5 * s - 2
        for i, ch in enumerate(texto):
            for r, linha in enumerate(DIGITOS[ch]):
                for cc, m in enumerate(linha):
                    for a in range(s):
                        for b in range(s):
                            px, py = x0 + (i * 4 + cc) * s + a, y0 + r * s + b
                            pixel(px, py, cor if m == '#' else (255, 255, 255))

    cru = b''.join(b'\x00' + bytes(img[y * W * 3:(y + 1) * W * 3]) for y in range(H))
    def bloco(tipo, dados):
        return (struct.pack('>I', len(dados)) + tipo + dados +
                struct.pack('>I', zlib.crc32(tipo + dados) & 0xffffffff))
    png = (b'\x89PNG\r\n\x1a\n' + bloco(b'IHDR', struct.pack('>IIBBBBB', W, H, 8, 2, 0, 0, 0)) +
           bloco(b'IDAT', zlib.compress(cru, 9)) + bloco(b'IEND', b''))
    open(args[2], 'wb').write(png)


if __name__ == '__main__':
    main()
