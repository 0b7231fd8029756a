#!/usr/bin/env python3
"""Writes the seed files of the fuzz targets into corpus/<target>/: small
files of each real format, cut from the examples where there are some.
Run from anywhere; the seeds are kept in the repository, so this is needed
only to change them. The inputs the fuzzers once found at fault are kept
beside these seeds, as regression seeds, and are not written here."""

import os
import shutil
import struct

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.dirname(os.path.dirname(AQUI))
CORPUS = os.path.join(AQUI, "corpus")


def grava(alvo, nome, dados):
    pasta = os.path.join(CORPUS, alvo)
    os.makedirs(pasta, exist_ok=True)
    if isinstance(dados, str):
        dados = dados.encode("cp1252")
    with open(os.path.join(pasta, nome), "wb") as f:
        f.write(dados)


def copia(alvo, nome, origem):
    pasta = os.path.join(CORPUS, alvo)
    os.makedirs(pasta, exist_ok=True)
    shutil.copyfile(os.path.join(RAIZ, origem), os.path.join(pasta, nome))


def ler(origem):
    with open(os.path.join(RAIZ, origem), "rb") as f:
        return f.read()


def slot(texto):
    b = texto.encode("cp1252")[:254]
    return bytes([len(b)]) + b + b" " * (254 - len(b))


def duas_partes(primeira, segunda):
    if isinstance(primeira, str):
        primeira = primeira.encode("cp1252")
    return struct.pack("<H", len(primeira)) + primeira + segunda


# ---- INI: project files and settings ----
projetos = ["gradiente-trapezoidal-vicosa.vst", "nivel-triangular-piracicaba.vst", "locacao/locacao-hugo.vst"]
for p in projetos:
    copia("fuzz_projeto", os.path.basename(p), os.path.join("examples", p))
# fuzz_ini: the value to write (up to a backslash and another character),
# then the file; the trailing bytes choose section, key, kind and numbers.
vst = ler("examples/nivel-triangular-piracicaba.vst")
grava("fuzz_ini", "projeto", b"S\xc3\xadtio Boa Vista\\x" + vst + bytes(range(24)))
grava("fuzz_ini", "bom-cp1252", b"3\\x\xef\xbb\xbf[IDENTIFICACAO]\r\nNome=S\xedtio Boa Vista - talh\xe3o 3\r\n" + bytes(24))
grava("fuzz_ini", "utf8", "x\\x[ESPAÇAMENTO]\nCultura=Feijão\n".encode("utf-8") + b"\x01" * 24)
config = "[PRINCIPAL]\r\nUDecli=%\r\nKDecli=100\r\nUVIB=m/dia\r\nKVIB=0,024\r\npath1=/home/ana/Projetos/Sítio São João.vst\r\npath2=\r\npath3=\r\npath4=\r\nIndEstado=24\r\n"
grava("fuzz_configuracao", "cp1252", config)
grava("fuzz_configuracao", "bom", b"\xef\xbb\xbf" + config.encode("cp1252"))
grava("fuzz_configuracao", "utf8", config.encode("utf-8"))

# ---- rasters ----
def raster(tipo, titulo, colunas, linhas, limites, unidade, vmin, vmax, celulas):
    fmt = {"R": "<f", "I": "<h", "B": "<B"}[tipo]
    cab = bytes([1, ord(tipo)]) + slot(titulo) + struct.pack("<ii4f", colunas, linhas, *limites) + slot(unidade)
    cab += struct.pack(fmt, vmin) + struct.pack(fmt, vmax)
    return cab + b"".join(struct.pack(fmt, c) for c in celulas)

hugo = ler("examples/locacao/elevacao-hugo.ras")
col = struct.unpack("<i", hugo[257:261])[0]
recorte = []
for l in range(8):
    inicio = 544 + 4 * (l * col + 100)
    recorte += list(struct.unpack("<8f", hugo[inicio:inicio + 32]))
grava("fuzz_ras", "elevacao-hugo-8x8.ras",
      raster("R", "Elevação (m), recorte do sítio Hugo", 8, 8, (0, 20, 0, 20), "m", min(recorte), max(recorte), recorte))
grava("fuzz_ras", "inteiro.ras", raster("I", "Inteiro", 3, 2, (0, 3, 0, 2), "KM", -5, 300, [1, -5, 300, 0, 7, 8]))
grava("fuzz_ras", "byte.ras", raster("B", "Byte", 2, 2, (0, 2, 0, 2), "M", 0, 255, [0, 255, 9, 10]))
grava("fuzz_ras", "branco.ras", raster("R", "", 3, 1, (0, 3, 0, 1), "m", 0, 20000, [0, 20000, -1.5]))

# ---- vectors and the terrace table ----
vet = ler("examples/locacao/terracos-hugo.vet")
grava("fuzz_vet", "terracos-hugo-40.vet", vet[:527 + 14 * 40])
def vetor(titulo, unidade, registros):
    xs = [r[1] for r in registros] or [0]
    ys = [r[2] for r in registros] or [0]
    cab = bytes([1]) + slot(titulo) + slot(unidade) + struct.pack("<4f", min(xs), max(xs), min(ys), max(ys))
    return cab + b"".join(struct.pack("<h3f", *r) for r in registros)
grava("fuzz_vet", "tres-linhas-km.vet",
      vetor("Três linhas", "km", [(1, 0, 0, 5), (1, 3, 4, 5), (2, 1, 1, 6), (2, 2, 2, 6), (2, 3, 9, 6), (3, -1, -2, 0)]))
grava("fuzz_vet", "vazio.vet", vetor("", "M", []))
bdt = ler("examples/locacao/terracos-hugo.bdt")
grava("fuzz_bdt", "terracos-hugo.bdt", bdt)
grava("fuzz_bdt", "vazia.bdt", struct.pack("<Bi", 1, 0))

# ---- IDRISI pairs ----
def linha_doc(rotulo, valor):
    return rotulo.ljust(12) + ": " + valor + "\r\n"
def num_fixo(v):
    return "%.8f" % v
def doc_raster(tipo, colunas, linhas, unid, dist, vmin, vmax, titulo="Elevação"):
    campos = [("file title", titulo), ("data type", tipo), ("file type", "binary"), ("columns", str(colunas)),
              ("rows", str(linhas)), ("ref. system", "plane"), ("ref. units", unid),
              ("unit dist.", " %.14E" % dist), ("min. X", num_fixo(0)), ("max. X", num_fixo(colunas)),
              ("min. Y", num_fixo(0)), ("max. Y", num_fixo(linhas)), ("pos n error", "unknown"),
              ("resolution", "unknown"), ("min. value", num_fixo(vmin)), ("max. value", num_fixo(vmax)),
              ("value units", "meters"), ("value error", "unknown"), ("flag value", "none"),
              ("flag def n", "none"), ("legend cats", "0")]
    return "".join(linha_doc(r, v) for r, v in campos)
grava("fuzz_idrisi_raster", "real-3x2",
      duas_partes(doc_raster("real", 3, 2, "m", 1.0, 1, 6), struct.pack("<6f", 1, 2, 3, 4, 5, 6)))
grava("fuzz_idrisi_raster", "inteiro-km",
      duas_partes(doc_raster("integer", 2, 2, "km", 1000.0, -3, 7), struct.pack("<4h", -3, 0, 5, 7)))
grava("fuzz_idrisi_raster", "byte",
      duas_partes(doc_raster("byte", 4, 1, "M", 1.0, 0, 200), bytes([0, 10, 100, 200])))
def doc_vetor(unid, dist):
    campos = [("file title", "Curvas de nível"), ("id type", "real"), ("file type", "binary"),
              ("object type", "line"), ("ref. system", "plane"), ("ref. units", unid),
              ("unit dist.", " %.14E" % dist), ("min. X", num_fixo(0)), ("max. X", num_fixo(10)),
              ("min. Y", num_fixo(0)), ("max. Y", num_fixo(10)), ("pos n error", "unknown"),
              ("resolution", "unknown")]
    return "".join(linha_doc(r, v) for r, v in campos)
vec = struct.pack("<2f4f", 100, 2, 0, 0, 3, 4) + struct.pack("<2f6f", 105, 3, 1, 1, 2, 2, 3, 9) + struct.pack("<2f", 0, 0)
grava("fuzz_idrisi_vetor", "duas-linhas", duas_partes(doc_vetor("m", 1.0), vec))
grava("fuzz_idrisi_vetor", "poligono-km", duas_partes(doc_vetor("KM", 1000.0).replace("line", "polygon"),
                                                      struct.pack("<2f6f", 7, 3, 0, 0, 1, 0, 0, 0) + bytes(8)))

# ---- Surfer ----
grava("fuzz_surfer_grd", "3x2.grd", "DSAA\r\n3 2\r\n0 3\r\n0 2\r\n1 6\r\n1 2 3\r\n4 5 6\r\n")
grava("fuzz_surfer_grd", "brancos.grd",
      "DSAA\n2 2\n0.0 10.0\n0.0 10.0\n5.5 1.70141E+38\n5.5 1.70141E+38\n7.25 10000\n")
grava("fuzz_surfer_grd", "colado.grd",
      "DSAA\r\n2 1\r\n 0.00000000000000E+0000 1.00000000000000E+0000\r\n 0.00000000000000E+0000 1.00000000000000E+0000\r\n"
      "-1.00000000000000E+0000 2.50000000000000E+0000\r\n-1.00000000000000E+0000 2.50000000000000E+0000")
grava("fuzz_surfer_txt", "pontos.txt", "\"X\" \"Y\" \"Z\"\r\n0 0 1\r\n3 4 1\r\n1 1 2\r\n2,5;2;2\r\n")
grava("fuzz_surfer_txt", "virgula.txt", "x y z\n12,5 7,25 3\n13,5 8,25 3\n")

# ---- palettes ----
copia("fuzz_paleta", "cinza1.pal", "data/comuns/cinza1.pal")
copia("fuzz_paleta", "idris256.pal", "data/comuns/idris256.pal")

# ---- rainfall database ----
def texto_bd(texto, tamanho):
    b = texto.encode("cp1252")
    return bytes([len(b)]) + b + b"\0" * (tamanho - len(b))
def estacao(nome, k, a, b, c, fonte, lat, lon):
    return (texto_bd(nome, 68) + struct.pack("<4d", k, a, b, c) + texto_bd(fonte, 30) +
            texto_bd(lat, 9) + texto_bd(lon, 9))
def localidade(nome, lat, lon):
    return texto_bd(nome, 68) + texto_bd(lat, 9) + texto_bd(lon, 9)
def banco(blocos):
    return b"\x01" + b"".join(struct.pack("<H", len(b)) + b"".join(b) for b in blocos)
est = [[] for _ in range(27)]
est[12] = [estacao("Belo Horizonte", 1447.87, 0.10, 20.0, 0.84, "Pfafstetter (1957)", "19°56'00\"", "43°56'00\"")]
est[24] = [estacao("Piracicaba", 1773.932, 0.173, 24.999, 0.798, "Vieira (1994)", "22°42'29\"", "47°37'03\""),
           estacao("São Paulo", 1747.9, 0.181, 15.0, 0.89, "Occhipinti (1965)", "23°33'00\"", "46°38'00\"")]
grava("fuzz_estacoes", "tres-estacoes.bin", banco(est))
grava("fuzz_estacoes", "vazio.bin", banco([[] for _ in range(27)]))
loc = [[] for _ in range(27)]
loc[0] = [localidade("Rio Branco", "09°58'29\"", "67°48'36\"")]
loc[24] = [localidade("Águas de São Pedro", "22°35'49\"", "47°52'24\""), localidade("Piracicaba", "22°43'31\"", "47°38'57\"")]
grava("fuzz_localidades", "tres-localidades.bin", banco(loc))

# ---- GDAL ----
copia("fuzz_gdal_raster", "encosta-big-tujunga.tif", "examples/gdal/encosta-big-tujunga.tif")
grava("fuzz_gdal_raster", "grade.asc",
      "ncols 3\nnrows 2\nxllcorner 500000\nyllcorner 7500000\ncellsize 30\nNODATA_value -9999\n1 2 3\n4 -9999 6\n")
grava("fuzz_gdal_raster", "geografica.asc",
      "ncols 2\nnrows 2\nxllcorner -47.6\nyllcorner -22.7\ncellsize 0.001\n610 612\n611 615\n")
grava("fuzz_gdal_vetor", "curvas.geojson",
      '{"type":"FeatureCollection","crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::31983"}},'
      '"features":[{"type":"Feature","properties":{"elev":540},"geometry":{"type":"LineString",'
      '"coordinates":[[225000,7485000,540],[225010,7485005,540],[225020,7485000,540]]}},'
      '{"type":"Feature","properties":{},"geometry":{"type":"Polygon","coordinates":'
      '[[[225000,7485000],[225030,7485000],[225030,7485030],[225000,7485000]]]}}]}')
grava("fuzz_gdal_vetor", "trilha.gpx",
      '<?xml version="1.0"?><gpx version="1.1" creator="x" xmlns="http://www.topografix.com/GPX/1/1">'
      '<trk><trkseg><trkpt lat="-22.70" lon="-47.63"><ele>540</ele></trkpt>'
      '<trkpt lat="-22.701" lon="-47.631"><ele>541</ele></trkpt></trkseg></trk></gpx>')
grava("fuzz_gdal_vetor", "divisor.kml",
      '<?xml version="1.0" encoding="UTF-8"?><kml xmlns="http://www.opengis.net/kml/2.2"><Document><Placemark>'
      '<name>Divisor</name><LineString><coordinates>-47.63,-22.70,0 -47.631,-22.701,0 -47.632,-22.70,0'
      '</coordinates></LineString></Placemark></Document></kml>')
