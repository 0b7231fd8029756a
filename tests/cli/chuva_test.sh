#!/usr/bin/env bash
# vastrel-cli chuva end to end, on the rainfall database that the build lays
# in the shared data folder beside the program, and on broken copies of it.
set -u
cli=$1
. "$(dirname "${BASH_SOURCE[0]}")/comum.sh"

# A state's stations in list order, with parameters and source.
run 0 chuva --estado sp
expect_out "São Paulo (SP): 119 estações"
expect_out "DAEE-SP, estudo de 2013"
[ "$(grep -c '°' "$work/out")" -eq 119 ] || fail "SP deveria listar 119 estações"
run 0 chuva --estado AC
expect_out "Acre (AC): 0 estações"
run 0 chuva --estado RR --json
expect_out '"latitude": "-1°49'"'"'17\""'
expect_out '"fonte": "GRIDF-BR 2025 - ANA"'

# Every source label listed for any state has its citation.
run 0 chuva --fontes
cp "$work/out" "$work/fontes"
for uf in AC AL AP AM BA CE DF ES GO MA MT MS MG PA PB PR PE PI RJ RN RS RO RR SC SP SE TO; do
  "$cli" chuva --estado "$uf" --json | grep -o '"fonte": "[^"]*"' | sed 's/"fonte": "\(.*\)"/\1/'
done | sort -u >"$work/rotulos"
[ -s "$work/rotulos" ] || fail "nenhum rótulo de fonte listado"
while read -r rotulo; do
  grep -qxF -- "$rotulo" "$work/fontes" || fail "fonte sem referência: $rotulo"
done <"$work/rotulos"

# At a station's own coordinates: its record and label (the first station of Minas Gerais).
"$cli" chuva --estado MG --json | sed -n '2p' >"$work/mg1"
nome=$(sed 's/.*"nome": "\([^"]*\)".*/\1/' "$work/mg1")
lat=$(sed 's/.*"latitude": "\([^\\]*\)\\"".*/\1"/' "$work/mg1")
lon=$(sed 's/.*"longitude": "\([^\\]*\)\\"".*/\1"/' "$work/mg1")
run 0 chuva --lat "$lat" --lon "$lon" --json
expect_out "\"nome\": \"$nome\""
grep -q '"fonte": "Interpolação"' "$work/out" && fail "estação exata deu interpolação"

# Elsewhere: interpolated, with a point in JSON whatever the locale and the
# locale's separator in the text output; typed with blanks as separators too.
LC_ALL=C.UTF-8 run 0 chuva --lat "19°55'00\"" --lon "43°56'00\"" --json
expect_out '"fonte": "Interpolação", "nome": "", "origem": "interpolacao"'
expect_out '"aviso": ""'
grep -qE '"distancia_km": [0-9]+\.[0-9]+' "$work/out" || fail "JSON sem distancia_km: $(cat "$work/out")"
grep -qE '"estacoes": \[\{"nome": "[^"]+", "uf": "MG"' "$work/out" || fail "JSON sem estações usadas: $(cat "$work/out")"
grep -qE '^\{"K": [0-9]+\.[0-9]+, "a": 0\.[0-9]+, "b": [0-9]+\.[0-9]+, "c": 0\.[0-9]+' "$work/out" || fail "JSON: $(cat "$work/out")"
cp "$work/out" "$work/ponto"
LC_ALL=C.UTF-8 run 0 chuva --lat "19 55 00" --lon "43:56:00" --json
cmp -s "$work/out" "$work/ponto" || fail "coordenadas com espaços deram outro resultado"
run 0 chuva --lat "19°55'00\"" --lon "43°56'00\""
expect_out "Local: Não definida"
expect_out "Fonte: Interpolação das chuvas de"
expect_out "Erro do ajuste: até"
expect_out "Estações usadas:"

# Porto Alegre is answered from Rio Grande do Sul, never from Paraná.
run 0 chuva --lat "30°01'54\"" --lon "51°12'23\"" --json
grep -q '"uf": "PR"' "$work/out" && fail "Porto Alegre respondida por estação do Paraná"
grep -qE '"uf": "RS"|"origem": "grade"' "$work/out" || fail "Porto Alegre: $(cat "$work/out")"
# Aracaju: Sergipe has no station, the grid answers, named, with the distance and a note on stderr.
run 0 chuva --lat "10°54'40\"" --lon "37°04'19\"" --json
expect_out '"fonte": "GRIDF-BR, grade 0,1°"'
expect_out '"origem": "grade"'
expect_err "Nota: "
# The state may be given with the point.
run 0 chuva --estado MG --lat "19°55'00\"" --lon "43°56'00\"" --json
expect_out '"origem": "interpolacao"'

# Implausible published equations carry their warning in the listing.
run 0 chuva --estado SC --json
expect_out '"aviso": "Equação implausível (i(10 anos, 60 min) = 516'
run 0 chuva --estado PE
expect_out "Aviso: Equação implausível (i(10 anos, 60 min) = 259"
# Duplicate names are told apart.
run 0 chuva --estado PR --json
[ "$(grep -c '"nome_distinto": "Curitiba"' "$work/out")" -eq 0 ] || fail "Curitiba sem distinção"

# Wrong command lines.
run 64 chuva
run 64 chuva --lat "19°55'00\""
run 64 chuva --estado XX
expect_err "Estado desconhecido: XX"
run 64 chuva --lat "19°75'00\"" --lon "43°56'00\""
expect_err "não é uma coordenada"
run 64 chuva --lat abc --lon "43°56'00\""
run 64 chuva --estado MG --fontes

# A program folder without the database, then with broken files.
mkdir -p "$work/prog/bin"
cp "$cli" "$work/prog/bin/"
copy="$work/prog/bin/$(basename "$cli")"
"$copy" chuva --estado MG >"$work/out" 2>"$work/err"; status=$?
[ $status -eq 2 ] || fail "sem pasta: status $status"
expect_err "Erro. Não foi possível localizar a pasta contendo o banco de dados."
mkdir "$work/prog/arquivos comuns"
"$copy" chuva --estado MG >"$work/out" 2>"$work/err"; status=$?
[ $status -eq 2 ] || fail "sem estados: status $status"
expect_err "Erro. Não foi possível localizar o banco de dados contendo os estados."
commons=$(dirname "$cli")/../"Arquivos Comuns"
head -c 5000 "$commons/Estados_Nimbra21.bin" >"$work/prog/arquivos comuns/Estados_Nimbra21.bin"
"$copy" chuva --estado MG >"$work/out" 2>"$work/err"; status=$?
[ $status -eq 2 ] || fail "sem localidades: status $status"
expect_err "contendo as localidades."
cp "$commons/Localidades_Nimbra21.bin" "$work/prog/arquivos comuns/"
"$copy" chuva --estado MG >"$work/out" 2>"$work/err"; status=$?
[ $status -eq 2 ] || fail "arquivo cortado: status $status"
expect_err "Estados_Nimbra21.bin está corrompido"

[ $failures -eq 0 ] && echo "chuva: tudo certo" || echo "chuva: $failures falha(s)"
exit $((failures > 0))
