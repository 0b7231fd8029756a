#!/usr/bin/env bash
# vastrel-cli importar/exportar --formato gdal end to end: the workflow of a
# real GeoTIFF hillside (import, slope map, terrace layout, GeoPackage, KML
# and CSV), reprojection of a DEM in degrees, the clip polygon, and the
# refusals. The GDAL tools (gdal-bin), when present, read the outputs back.
set -u
cli=$1
examples=$2
tif="$examples/gdal/encosta-big-tujunga.tif"
. "$(dirname "${BASH_SOURCE[0]}")/comum.sh"
ferramentas=1
command -v ogrinfo >/dev/null && command -v gdalwarp >/dev/null || ferramentas=0

# --- The workflow: GeoTIFF -> .ras (10 m cells) -> slope -> terraces -> GIS.
run 0 importar --formato gdal --celula 10 --titulo "Encosta do Big Tujunga, SRTM 30 m" "$tif" "$work/elevacao.ras"
expect_out "Importação finalizada com sucesso."
expect_err "GeoTIFF, 40 x 40 células, 1 banda; sistema WGS 84 / UTM zone 11N."
expect_err "Tamanho de célula: 10 m (nativo 30 m)."
grep -q 'UTM zone 11N' "$work/elevacao.prj" 2>/dev/null || fail "sem o sistema de coordenadas ao lado do raster"
run 0 declividade "$work/elevacao.ras" "$work/declividade.ras"
run 0 locar "$examples/locacao/locacao-hugo.vst" --elevacao "$work/elevacao.ras" \
  --declividade "$work/declividade.ras" --saida "$work/terracos.vet"
n=$(sed -n 's/^Terraços locados: //p' "$work/out")
[ -n "$n" ] && [ "$n" -ge 10 ] || fail "poucos terraços: '$n'"
run 0 exportar --formato gdal --raster "$work/elevacao.ras" "$work/terracos.vet" "$work/terracos.gpkg"
expect_out "Exportação finalizada com sucesso."
# The layout carries the raster's coordinate system: KML with no --raster.
cmp -s "$work/elevacao.prj" "$work/terracos.prj" || fail "o vetor não leva o sistema de coordenadas do raster"
run 0 exportar --formato gdal "$work/terracos.vet" "$work/terracos.kml"
run 0 exportar --formato gdal "$work/terracos.vet" "$work/terracos.csv"
[ "$(wc -l <"$work/terracos.csv")" -eq $((n + 1)) ] || fail "CSV sem uma linha por terraço"
head -1 "$work/terracos.csv" | grep -q '^numero,cota_m,decliv_pct,compr_m,area_m2,ev_m,altura_m' ||
  fail "cabeçalho do CSV"

if [ "$ferramentas" -eq 1 ]; then
  ogrinfo -so "$work/terracos.gpkg" terracos >"$work/info" 2>&1 || fail "ogrinfo não lê o GeoPackage"
  grep -q "Feature Count: $n" "$work/info" || fail "GeoPackage sem $n linhas: $(cat "$work/info")"
  grep -q 'ID\["EPSG",32611\]' "$work/info" || fail "GeoPackage fora de WGS 84 / UTM 11N"
  ogrinfo -so -al "$work/terracos.kml" >"$work/info" 2>&1 || fail "ogrinfo não lê o KML"
  grep -q "Feature Count: $n" "$work/info" || fail "KML sem $n linhas"
  # KML in degrees, around 118.31 W 34.26 N.
  python3 - "$work/info" <<'PY' || fail "KML fora do lugar: $(grep Extent "$work/info")"
import re, sys
e = [float(v) for v in re.search(r'Extent: \(([-\d.]+), ([-\d.]+)\) - \(([-\d.]+), ([-\d.]+)\)',
                                 open(sys.argv[1]).read()).groups()]
assert -118.33 < e[0] < e[2] < -118.30 and 34.25 < e[1] < e[3] < 34.27, e
PY
  # Every terrace lies on its level: the elevation under its first point
  # is its level, give or take the drop across one 10 m cell.
  ogr2ogr -f CSV /vsistdout/ "$work/terracos.gpkg" -lco GEOMETRY=AS_WKT >"$work/linhas.csv" 2>/dev/null ||
    fail "ogr2ogr não lê o GeoPackage"
  python3 - "$work/linhas.csv" "$work/elevacao.ras" "$n" <<'PY' || fail "terraços fora das suas cotas"
import csv, re, struct, sys
d = open(sys.argv[2], 'rb').read()
col, lin = struct.unpack_from('<ii', d, 257)
x0, x1, y0, y1 = struct.unpack_from('<4f', d, 265)
def cota_em(x, y):  # the nearest cell of the elevation raster
    c = min(col - 1, max(0, int((x - x0) / (x1 - x0) * col)))
    l = min(lin - 1, max(0, int((y1 - y) / (y1 - y0) * lin)))
    return struct.unpack_from('<f', d, 544 + 4 * (l * col + c))[0]
linhas = list(csv.DictReader(open(sys.argv[1])))
assert len(linhas) == int(sys.argv[3]), len(linhas)
for r in linhas:
    x, y = map(float, re.search(r'\(([-\d.]+) ([-\d.]+)', r['WKT']).groups())
    z, q = cota_em(x, y), float(r['cota_m'])
    assert abs(z - q) <= 3, 'terraço %s: cota %.2f, terreno %.2f em %.1f %.1f' % (r['numero'], q, z, x, y)
PY

  # --- A DEM in degrees goes to the UTM zone of its centre.
  gdalwarp -q -t_srs EPSG:4326 "$tif" "$work/graus.tif" || fail "gdalwarp"
  run 0 importar --formato gdal "$work/graus.tif" "$work/graus.ras"
  expect_err "sistema WGS 84."
  expect_err "Reprojetado para WGS 84 / UTM zone 11N (EPSG:32611)."
  expect_err "Tamanho de célula: 3"
  grep -q 'UTM zone 11N' "$work/graus.prj" || fail "sistema do raster reprojetado"
fi

# --- Clip by a watershed outline in longitude/latitude (GeoJSON): the
# eastern half of the hillside is left out.
cat >"$work/bacia.geojson" <<'EOF'
{"type": "FeatureCollection", "features": [{"type": "Feature", "properties": {},
 "geometry": {"type": "Polygon", "coordinates": [[[-118.3215, 34.2655], [-118.3135, 34.2655],
 [-118.3135, 34.2550], [-118.3215, 34.2550], [-118.3215, 34.2655]]]}}]}
EOF
run 0 importar --formato gdal --recorte "$work/bacia.geojson" "$tif" "$work/recorte.ras"
python3 - "$work/recorte.ras" <<'PY' || fail "recorte pelo polígono"
import struct, sys
d = open(sys.argv[1], 'rb').read()
col, lin = struct.unpack_from('<ii', d, 257)
z = struct.unpack_from('<%df' % (col * lin), d, 544)
meio = lin // 2
assert all(v > 0 for v in z[meio * col: meio * col + 10])   # west: kept
assert all(v == 0 for v in z[meio * col + 30: meio * col + 40])  # east: 0
PY

# --- Refusals: a message, an exit status, and nothing written.
echo "isto não é um raster" >"$work/texto.tif"
run 2 importar --formato gdal "$work/nao-existe.tif" "$work/x.ras"
expect_err "O arquivo 'nao-existe.tif' não existe."
run 2 importar --formato gdal "$work/texto.tif" "$work/x.ras"
expect_err "O GDAL não reconhece como raster o arquivo 'texto.tif'."
run 1 importar --formato gdal --banda 2 "$tif" "$work/x.ras"
expect_err "A banda 2 não existe no raster 'encosta-big-tujunga.tif', que tem só a banda 1."
run 1 importar --formato gdal --celula 0 "$tif" "$work/x.ras"
expect_err "Tamanho de célula inválido: 0 m."
run 1 importar --formato gdal --celula 0.0001 "$tif" "$work/x.ras"
expect_err "grande demais"
run 64 importar --formato gdal --celula dez "$tif" "$work/x.ras"
run 64 importar --formato idrisi --tipo raster --banda 1 "$tif" "$work/x.ras"
[ -e "$work/x.ras" ] || [ -e "$work/x.prj" ] && fail "arquivo gravado numa importação recusada"
run 2 exportar --formato gdal "$work/terracos.vet" "$work/x.xyz"
expect_err "Formato de saída desconhecido pela extensão '.xyz'"
cp "$work/terracos.vet" "$work/solto.vet"
run 1 exportar --formato gdal "$work/solto.vet" "$work/x.kml"
expect_err "KML e GPX exigem longitude e latitude"
[ -e "$work/x.kml" ] && fail "KML gravado sem sistema de coordenadas"
run 64 exportar --formato gdal --raster "$work/elevacao.ras" "$work/elevacao.ras" "$work/x.tif"

[ "$failures" -eq 0 ] && echo "vastrel-cli gdal: tudo certo"
exit $((failures > 0))
