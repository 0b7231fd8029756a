#!/usr/bin/env python3
"""Draws the README's map of the design storm i(10 years, 60 min) over Brazil
from the program's own answers: every point of a regular grid is asked of
`vastrel-cli chuva --pontos`, as the consultation window would answer it
(a station within 50 km, the interpolation, or the GRIDF-BR grid), and
painted by intensity; cells the grid marks as outside Brazil stay white.

    python3 scripts/mapa_chuva_brasil.py build/bin/vastrel-cli docs/chuva-brasil.png [PASSO]
"""
import csv
import io
import struct
import subprocess
import sys
import zlib

cli, saida = sys.argv[1], sys.argv[2]
passo = float(sys.argv[3]) if len(sys.argv) > 3 else 0.2
oeste, leste, norte, sul = -74.0, -34.6, 5.3, -33.8
colunas = int(round((leste - oeste) / passo))
linhas = int(round((norte - sul) / passo))
pontos = "".join(f"{norte - (l + 0.5) * passo:.4f};{oeste + (c + 0.5) * passo:.4f}\n"
                 for l in range(linhas) for c in range(colunas))
arquivo = "/tmp/mapa_chuva_pontos.txt"
with open(arquivo, "w") as f:
    f.write(pontos)
r = subprocess.run([cli, "chuva", "--pontos", arquivo], capture_output=True, text=True)
valores = {}
for linha in csv.DictReader(io.StringIO(r.stdout)):
    valores[(float(linha["lat"]), float(linha["lon"]))] = (float(linha["i_10anos_60min"]), linha["origem"])

# Colour ramp 30 → 130 mm/h (light yellow → dark blue).
rampa = [(255, 255, 204), (161, 218, 180), (65, 182, 196), (44, 127, 184), (37, 52, 148)]
def cor(v):
    x = min(max((v - 30) / 100, 0), 1) * (len(rampa) - 1)
    i = min(int(x), len(rampa) - 2)
    f = x - i
    return tuple(int(rampa[i][k] + f * (rampa[i + 1][k] - rampa[i][k])) for k in range(3))

escala = 3
legenda = 40
largura, altura = colunas * escala, linhas * escala + legenda
img = [[(255, 255, 255)] * largura for _ in range(altura)]
for l in range(linhas):
    for c in range(colunas):
        chave = (round(norte - (l + 0.5) * passo, 4), round(oeste + (c + 0.5) * passo, 4))
        v = valores.get(chave)
        if v is None:
            continue
        px = cor(v[0])
        for dy in range(escala):
            for dx in range(escala):
                img[l * escala + dy][c * escala + dx] = px
# Legend bar: 30 to 130 mm/h left to right, ticks every 20 mm/h.
for x in range(20, largura - 20):
    v = 30 + 100 * (x - 20) / (largura - 40)
    for y in range(linhas * escala + 10, linhas * escala + 25):
        img[y][x] = cor(v)
for t in range(30, 131, 20):
    x = 20 + int((t - 30) / 100 * (largura - 40))
    for y in range(linhas * escala + 25, linhas * escala + 32):
        img[y][min(x, largura - 1)] = (0, 0, 0)

def png(caminho, img):
    h, w = len(img), len(img[0])
    raw = b"".join(b"\0" + bytes(v for p in linha for v in p) for linha in img)
    def bloco(tipo, dados):
        return struct.pack(">I", len(dados)) + tipo + dados + struct.pack(">I", zlib.crc32(tipo + dados) & 0xFFFFFFFF)
    with open(caminho, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bloco(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + bloco(b"IDAT", zlib.compress(raw, 9)) + bloco(b"IEND", b""))

png(saida, img)
origens = {}
for v, o in valores.values():
    origens[o] = origens.get(o, 0) + 1
print(f"{len(valores)} pontos; origens: {origens}; i60 de {min(v for v, _ in valores.values()):.0f} "
      f"a {max(v for v, _ in valores.values()):.0f} mm/h")
