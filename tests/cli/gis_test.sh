#!/usr/bin/env bash
# vastrel-cli raster and vector tools end to end: info, declividade, filtrar,
# importar and exportar on the example images, with their errors and exit
# statuses.
set -u
cli=$1
examples=$2
. "$(dirname "${BASH_SOURCE[0]}")/comum.sh"

elev="$examples/relevo/elevacao-big-tujunga.ras"
decl="$examples/relevo/declividade-big-tujunga.ras"

# info: the header, for people and as JSON.
run 0 info "$elev"
expect_out "TipoCelula: R"
expect_out "Colunas: 200"
run 0 info "$elev" --json
expect_out '"Versao": 1, "TipoCelula": "R", "Titulo": "Elevação (m), SRTM 30 m'
expect_out '"Colunas": 200, "Linhas": 200'
expect_out '"Unidade": "m", "ValorMin": 1334, "ValorMax": 2172}'

# The slope map of the example elevation is the example slope image.
run 0 declividade "$elev" "$work/decl.ras" --titulo "Declividade (%) da elevação SRTM 30 m, bacia do Big Tujunga (Califórnia)"
expect_out "Cálculo de declividade finalizado com sucesso."
cmp -s "$work/decl.ras" "$decl" || fail "declividade diferente do exemplo"
run 0 declividade "$elev" "$work/padrao.ras"
run 0 info "$work/padrao.ras"
expect_out "Titulo: Imagem declividade gerada do arquivo imagem de elevação elevacao-big-tujunga.ras"

# Filter, then round trips through IDRISI and Surfer.
run 0 filtrar "$elev" "$work/filt.ras" --passadas 3
expect_out "Processo de filtragem finalizado com sucesso."
run 0 info "$work/filt.ras" --json
expect_out '"Titulo": "Imagem filtrada do arquivo de imagem elevacao-big-tujunga.ras"'
run 0 exportar --formato idrisi --tipo raster "$work/filt.ras" "$work/filt.img"
expect_out "Exportação finalizada com sucesso."
grep -qF "unit dist.  :  1.00000000000000E+0000" "$work/filt.doc" || fail "documentação sem unit dist."
run 0 importar --formato idrisi --tipo raster "$work/filt.img" "$work/volta.ras"
expect_out "Importação finalizada com sucesso."
cmp -s <(tail -c +545 "$work/filt.ras") <(tail -c +545 "$work/volta.ras") || fail "ida e volta Idrisi"
run 0 exportar --formato surfer --tipo raster "$work/filt.ras" "$work/filt.grd"
head -c 4 "$work/filt.grd" | grep -q DSAA || fail "grade sem DSAA"
run 0 importar --formato surfer --tipo raster --unidade m "$work/filt.grd" "$work/volta2.ras"
cmp -s <(tail -c +545 "$work/filt.ras") <(tail -c +545 "$work/volta2.ras") || fail "ida e volta Surfer"

# A point list becomes a vector and comes back.
printf 'X Y Z\r\n1 2 10\r\n3 4 10\r\n5 6 20\r\n' >"$work/pontos.txt"
run 0 importar --formato surfer --tipo vetor --unidade km "$work/pontos.txt" "$work/p.vet"
run 0 info "$work/p.vet" --json
expect_out '"Unidade": "km"'
expect_out '"NumRegistros": 3}'
run 0 exportar --formato idrisi --tipo vetor "$work/p.vet" "$work/p.vec"
[ "$(wc -c <"$work/p.vec")" -eq 48 ] || fail "p.vec com $(wc -c <"$work/p.vec") bytes"
run 0 importar --formato idrisi --tipo vetor "$work/p.vec" "$work/p2.vet"
cmp -s <(tail -c +512 "$work/p.vet") <(tail -c +512 "$work/p2.vet") || fail "ida e volta do vetor"

# Refusals: missing files, wrong types, bad files, bad command lines.
run 2 declividade "$work/nao-existe.ras" "$work/x.ras"
expect_err "Arquivo de entrada inválido."
run 0 exportar --formato idrisi --tipo raster "$elev" "$work/e.img"
run 0 importar --formato idrisi --tipo raster "$work/e.img" "$work/e.ras"
printf '\001B' >"$work/byte.ras"
head -c 536 "$work/e.ras" | tail -c +3 >>"$work/byte.ras"
printf '\000\000\000\000' >>"$work/byte.ras"
truncate -s $((538 + 40000)) "$work/byte.ras"
run 1 filtrar "$work/byte.ras" "$work/x.ras"
expect_err "Arquivo especificado é do tipo byte. Utilize um arquivo do tipo inteiro ou real."
head -c 1000 "$elev" >"$work/cortado.ras"
run 2 info "$work/cortado.ras"
expect_err "não corresponde às 200 colunas e 200 linhas"
run 2 declividade "$work/cortado.ras" "$work/x.ras"
[ -e "$work/x.ras" ] && fail "saída gravada a partir de um arquivo ruim"
printf 'DSAA\n3 2\n0 1\n0 1\n0 1\n1 2 3 4\n' >"$work/curta.grd"
run 2 importar --formato surfer --tipo raster "$work/curta.grd" "$work/x.ras"
expect_err "O arquivo de entrada não está no formato adequado."
run 64 filtrar "$elev" "$work/x.ras" --passadas 0
run 64 importar --formato arcgis --tipo raster "$elev" "$work/x.ras"
run 64 importar --formato idrisi --tipo raster --unidade km "$work/e.img" "$work/x.ras"
run 64 exportar --formato surfer --tipo raster --titulo T "$elev" "$work/x.grd"
run 64 info

[ "$failures" -eq 0 ] && echo "vastrel-cli (raster e vetor): tudo certo"
exit $((failures > 0))
