#!/usr/bin/env bash
# vastrel-cli locar end to end on the example watershed: the files it
# writes, both output forms, the exit statuses, and Ctrl+C.
set -u
cli=$1
examples=$2
projeto="$examples/locacao/locacao-hugo.vst"
. "$(dirname "${BASH_SOURCE[0]}")/comum.sh"

# The layout of the example, its files beside each other.
run 0 locar "$projeto" --saida "$work/t.vet"
expect_out "Área da bacia: "
expect_out "Declividade média: "
expect_out "Tipo de terraço recomendado: "
expect_out "Cota (m)"
expect_out "Resumo da qualidade"
expect_out "Área drenada pelos terraços: "
expect_out "Área abaixo do último terraço (sem terraço a jusante): "
expect_out "Espaçamento horizontal (largura média das faixas): mínimo "
expect_err "Número de terraços locados: "
n=$(sed -n 's/^Terraços locados: //p' "$work/out")
[ -n "$n" ] && [ "$n" -ge 10 ] || fail "poucos terraços: '$n'"
[ -f "$work/t.vet" ] || fail "sem o arquivo vetor"
bdt=$(stat -c %s "$work/t.bdt" 2>/dev/null || echo 0)
[ "$bdt" -eq $((5 + 52 * ${n:-0})) ] || fail "tabela de $bdt bytes para $n terraços"
"$cli" info "$work/t.vet" >"$work/info" 2>&1 || fail "info não lê o vetor: $(cat "$work/info")"

# JSON: a point as decimal separator, the records numbered 1, 2, 3 ...
LC_ALL=C.UTF-8 run 0 locar "$projeto" --saida "$work/j.vet" --json
expect_out '{"AreaBacia_ha": '
expect_out '"DeclividadeMedia_pct": '
expect_out '"TipoTerraco": "'
expect_out '"terracos": ['
expect_out '"qualidade": {"AreaDrenada_ha": '
python3 - "$work/out" "$n" <<'PY' || fail "JSON inválido ou fora de ordem"
import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8'))
t = d['terracos']
assert len(t) == int(sys.argv[2])
assert [r['Numero'] for r in t] == list(range(1, len(t) + 1))
for r in t:
    assert set(r) == {'Numero', 'Cota', 'EV', 'DeclividadeMedia', 'Comprimento', 'AreaInfluencia', 'Altura'}
    assert r['Comprimento'] > 0 and r['EV'] > 0
assert 20 < d['AreaBacia_ha'] < 23
q = d['qualidade']
area = sum(r['AreaInfluencia'] for r in t) / 10000
assert abs(area - q['AreaDrenada_ha']) < 1e-6, (area, q)
assert abs(q['AreaDrenada_ha'] + q['AreaRestante_ha'] - d['AreaBacia_ha']) <= 0.005 * d['AreaBacia_ha'], q
assert q['Terracos'] == len(t) and d['avisos'] == []
PY

# Graded terraces for a graded project: the channels' table, the outlets and
# their waterways, the table of version 2, the report.
gradiente="$examples/locacao/locacao-hugo-gradiente.vst"
run 0 locar "$gradiente" --saida "$work/g.vet" --relatorio "$work/g.html"
expect_out "Terraços com gradiente locados: "
expect_out "Q (L/s)"
expect_out "Saídas e canais escoadouros"
expect_out "(canal escoadouro, cota "
expect_out "Resumo da qualidade"
[ "$(head -c1 "$work/g.bdt" | od -An -tu1 | tr -d ' ')" = 2 ] || fail "a tabela com gradiente não é a versão 2"
grep -q "SAÍDAS E CANAIS ESCOADOUROS" <(iconv -f cp1252 -t utf-8 "$work/g.html") || fail "relatório sem saídas"
LC_ALL=C.UTF-8 run 0 locar "$gradiente" --saida "$work/gj.vet" --json
python3 - "$work/out" <<'PY' || fail "JSON com gradiente inválido"
import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8'))
assert d['sistema'] == 'gradiente'
t, s = d['terracos'], d['saidas']
assert len(t) > 20 and len(s) > 10
for r in t:
    assert abs(r['Gradiente'] - 0.005) < 1e-4 and r['Comprimento'] <= 400 + 1e-6
    assert r['CotaMontante'] > r['CotaSaida'] and r['Q_Ls'] > 0 and 1 <= r['Saida'] <= len(s)
for o in s:
    q = sum(r['Q_Ls'] for r in t if r['Saida'] == o['Numero'])
    assert abs(q - o['Q_Ls']) < 1e-6 * (1 + q) and o['QCanal_Ls'] >= o['Q_Ls'] - 1e-9
PY
run 64 locar "$gradiente" --saida "$work/gx.vet" --drenagem 0
expect_err "--drenagem"

# Paths from the project lie beside it, wherever the command runs from.
cp "$examples/locacao/"*.ras "$work/"
sed 's/^fnVetSaida=.*/fnVetSaida=saida\\layout.vet\r/' "$projeto" >"$work/p.vst"
mkdir -p "$work/Saida"
(cd / && "$cli" locar "$work/p.vst" >/dev/null 2>"$work/err") || fail "caminhos relativos: $(cat "$work/err")"
[ -f "$work/Saida/layout.vet" ] && [ -f "$work/Saida/layout.bdt" ] || fail "saída fora da pasta do projeto"

# Refusals.
run 2 locar "$work/nao-existe.vst"
expect_err "Não foi possível abrir o arquivo"
run 2 locar "$projeto" --elevacao "$work/nao-existe.ras" --saida "$work/x.vet"
run 64 locar
run 64 locar "$projeto" --saida
grep -av '^fn' "$projeto" >"$work/sem.vst"
run 64 locar "$work/sem.vst"
expect_err "--elevacao"

# A spacing that makes strips thinner than three cells is said before the
# run (the run goes on: a batch has nobody to ask).
sed 's/^EV=[^\r]*/EV=0,3/; s/^IndMetodologia=[0-9]*/IndMetodologia=3/' "$projeto" >"$work/estreito.vst"
run 0 locar "$work/estreito.vst" --elevacao "$examples/locacao/elevacao-hugo.ras" \
  --declividade "$examples/locacao/declividade-hugo.ras" --saida "$work/e.vet"
expect_err "Aviso: A faixa entre terraços (EH = "
expect_err "Reamostre o MDE"
expect_out "Aviso: A faixa entre terraços"

# A relief lower than one spacing places no terrace: said, exit 1, nothing
# written.
sed 's/^EV=[^\r]*/EV=80/; s/^IndMetodologia=[0-9]*/IndMetodologia=3/' "$projeto" >"$work/alto.vst"
run 1 locar "$work/alto.vst" --elevacao "$examples/locacao/elevacao-hugo.ras" \
  --declividade "$examples/locacao/declividade-hugo.ras" --saida "$work/n.vet"
expect_err "Nenhum terraço foi locado"
[ -f "$work/n.vet" ] || [ -f "$work/n.bdt" ] && fail "arquivos gravados sem terraço"

# A ridge face of slope 0 would give every terrace the bare 0.10 m: refused.
sed 's/^ValorSm=[^\r]*/ValorSm=0/' "$projeto" >"$work/sm0.vst"
run 1 locar "$work/sm0.vst" --elevacao "$examples/locacao/elevacao-hugo.ras" \
  --declividade "$examples/locacao/declividade-hugo.ras" --saida "$work/s.vet"
expect_err "Valor da inclinação do murundum inconsistente."
[ -f "$work/s.vet" ] && fail "arquivo gravado com Sm = 0"

# A larger relief, built from the example by nearest-neighbour enlargement.
python3 - "$examples/locacao/elevacao-hugo.ras" "$work/grande.ras" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
col, lin = struct.unpack_from('<ii', d, 257)
cel = struct.unpack_from('<%df' % (col * lin), d, 544)
f = 3
h = bytearray(d[:544])
struct.pack_into('<ii', h, 257, col * f, lin * f)
x0, x1, y0, y1 = struct.unpack_from('<4f', h, 265)
struct.pack_into('<4f', h, 265, x0, x0 + (x1 - x0) * f, y0, y0 + (y1 - y0) * f)
out = [cel[(l // f) * col + c // f] for l in range(lin * f) for c in range(col * f)]
open(sys.argv[2], 'wb').write(bytes(h) + struct.pack('<%df' % len(out), *out))
PY
"$cli" declividade "$work/grande.ras" "$work/grande-decl.ras" >/dev/null 2>&1 || fail "declividade da imagem grande"

# A slope raster of another size is refused, and nothing is written.
run 1 locar "$projeto" --declividade "$work/grande-decl.ras" --saida "$work/x.vet"
expect_err "não tem o mesmo número de linhas e colunas"
[ -f "$work/x.vet" ] && fail "arquivo gravado numa locação recusada"

# Ctrl+C stops the run and keeps what was placed.
"$cli" locar "$projeto" --elevacao "$work/grande.ras" --declividade "$work/grande-decl.ras" \
  --saida "$work/c.vet" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 1 100); do
  grep -q "Número de terraços locados: *[1-9]" "$work/err" 2>/dev/null && break
  sleep 0.1
done
kill -INT "$pid" 2>/dev/null
wait "$pid"
status=$?
if grep -q "Locação interrompida" "$work/err"; then
  [ "$status" -eq 0 ] || fail "interrupção: status $status"
  [ -f "$work/c.vet" ] && [ -f "$work/c.bdt" ] || fail "interrupção sem os arquivos"
  k=$(sed -n 's/^Terraços locados: //p' "$work/out")
  [ "$(stat -c %s "$work/c.bdt")" -eq $((5 + 52 * ${k:-0})) ] || fail "tabela da interrupção"
elif [ "$status" -ne 0 ]; then
  fail "interrupção: status $status: $(cat "$work/err")"
fi

[ "$failures" -eq 0 ] && echo "vastrel-cli locar: tudo certo"
exit $((failures > 0))
