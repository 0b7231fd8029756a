#!/usr/bin/env bash
# vastrel-cli end to end: exit statuses, messages and output formats.
set -u
cli=$1
examples=$2
. "$(dirname "${BASH_SOURCE[0]}")/comum.sh"

# Every example computes, in both output forms.
for f in "$examples"/*.vst; do
  run 0 calcular "$f"
  expect_out "Espaçamento vertical:"
  expect_out "Altura recomendada (Hr):"
  run 0 calcular "$f" --json
  expect_out '"EH_m": '
  expect_out '"Hr_cm": '
done
run 0 calcular "$examples/gradiente-trapezoidal-vicosa.vst" --json
expect_out '{"sistema": "gradiente", "Q_Ls": '
run 0 calcular "$examples/nivel-triangular-piracicaba.vst" --json
expect_out '{"sistema": "nivel", "LES_mm": '
run 0 calcular "$examples/nivel-triangular-piracicaba.vst"
expect_out "Terraços em Nível (sem drenagem)"
expect_out "LES: "

# JSON and CSV use a point whatever the locale; the text output the locale's.
LC_ALL=C.UTF-8 run 0 calcular "$examples/nivel-trapezoidal-londrina.vst" --json
grep -qE '"H_m": [0-9]+\.[0-9]+' "$work/out" || fail "H_m sem ponto decimal: $(cat "$work/out")"

# A project that cannot be read: status 2 and the refusal message.
run 2 calcular "$work/nao-existe.vst"
expect_err "Não foi possível abrir o arquivo $work/nao-existe.vst."
sed 's/^Versao=3\.0/Versao=2.0/' "$examples/nivel-triangular-piracicaba.vst" >"$work/versao.vst"
run 2 calcular "$work/versao.vst"
expect_err "Não foi possível abrir o arquivo"
head -c 300 "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/cortado.vst"
run 2 calcular "$work/cortado.vst"
printf '\x00\x01\x02binário' >"$work/binario.vst"
run 2 calcular "$work/binario.vst"

# An empty required field stops the calculation with the window's message.
sed 's/^Tr=10/Tr=0/' "$examples/nivel-triangular-piracicaba.vst" >"$work/semtr.vst"
run 1 calcular "$work/semtr.vst"
expect_err "Valor do periodo de retorno inconsistente."
sed 's/^nc=0,027/nc=abc/' "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/semnc.vst"
run 1 calcular "$work/semnc.vst"
expect_err "Valor da rugosidade do canal inconsistente."

# A storm that never exceeds the infiltration rate: no runoff, Q = 0, with a note.
sed 's/^VIB=15/VIB=5000/' "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/semescoamento.vst"
LC_ALL=C.UTF-8 run 0 calcular "$work/semescoamento.vst"
expect_out "Vazão: 0.00 L/s"
expect_err "Aviso: A faixa entre terraços não produz escoamento"

# An engine error: the window's message and the engine's under it.
sed 's/^Sc=0,005/Sc=-0,005/' "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/scnegativo.vst"
run 1 calcular "$work/scnegativo.vst"
expect_err " Erro no cálculo "
expect_err "Erro no dimensinamento dos canais"

# A bad index in an optional section: a warning, the system at its reset
# values (refused by the validation), and no abort.
sed 's/^IndSolo=0/IndSolo=5/' "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/indsolo.vst"
run 1 calcular "$work/indsolo.vst"
expect_err "Aviso: O sistema de terraços do arquivo tem um valor inválido (Erro. Valor inválido do índice do solo."

# The channel length limit, on read and on calculate.
sed 's/^Comprimento=300/Comprimento=2000/' "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/longo.vst"
run 1 calcular "$work/longo.vst"
expect_err "O comprimento máximo permitido para o canal é de 1500 metros."

# Values outside the published ranges warn and the design goes on.
sed -e 's/^Tr=10/Tr=100000/' -e 's/^Sc=0,005/Sc=0,9/' "$examples/gradiente-trapezoidal-vicosa.vst" >"$work/faixa.vst"
run 0 calcular "$work/faixa.vst"
expect_err "Aviso: O período de retorno (100000 anos) está fora da faixa de validade, de 2 a 100 anos."
expect_err "Aviso: A declividade do canal (90 %) está fora da faixa de validade"

# Simulation: 21 points after the header; the stored design is not changed.
before=$(md5sum <"$examples/gradiente-trapezoidal-vicosa.vst")
run 0 simular "$examples/gradiente-trapezoidal-vicosa.vst" "Q x nc" --cdu 1.44
[ "$(wc -l <"$work/out")" -eq 22 ] || fail "simular: $(wc -l <"$work/out") linhas"
expect_out "x,y,vazao_Ls,altura_teorica_cm,altura_recomendada_cm"
grep -q '^1,' "$work/out" || fail "Q x nc deve começar em x = 1"
[ "$(md5sum <"$examples/gradiente-trapezoidal-vicosa.vst")" = "$before" ] || fail "simular alterou o projeto"
run 0 simular "$examples/nivel-triangular-piracicaba.vst" "LES x VIB"
grep -qE '^5,[0-9.e+-]+,,' "$work/out" || fail "gráfico de nível deve ter vazão vazia: $(sed -n 2p "$work/out")"
run 64 simular "$examples/nivel-triangular-piracicaba.vst" "Q x nc"

# Spacing methods.
run 0 espacamento --metodo bentley --declividade 10 --json
expect_out '{"EV_m": 1.83'
run 0 espacamento --metodo parana --declividade 12 --solo 2
expect_out "Paraná"
run 0 espacamento --metodo lombardi --declividade 17 --cultura 25 --erosao 0 --preparo 3
expect_err "é de 16%"
run 1 espacamento --metodo bentley --declividade 10 --solo 3
expect_err "Erro. Valor inválido do índice do solo."
run 64 espacamento --metodo bentley --declividade abc
run 64 espacamento --metodo outro --declividade 10
run 64 comando-inexistente

# The report of a project's calculation, in Windows-1252, with the user's
# text escaped; a failed write leaves the earlier report whole.
run 0 relatorio "$examples/gradiente-trapezoidal-vicosa.vst" "$work/rel.htm"
iconv -f WINDOWS-1252 -t UTF-8 "$work/rel.htm" >"$work/rel-utf8.htm" || fail "relatório não é Windows-1252"
grep -qF "Dimensionamento de Sistemas de Terraceamento com Gradiente" "$work/rel-utf8.htm" || fail "relatório sem título"
grep -qF "Cabecalho.jpg" "$work/rel-utf8.htm" || fail "relatório sem cabeçalho"
grep -qF "Vazão:" "$work/rel-utf8.htm" || fail "relatório sem resultados"
sed 's/^Nome=.*/Nome=Sitio <Boa Vista> \& Cia/' "$examples/nivel-triangular-piracicaba.vst" >"$work/nome.vst"
run 0 relatorio "$work/nome.vst" "$work/nome.htm"
grep -qF "Sitio &lt;Boa Vista&gt; &amp; Cia" "$work/nome.htm" || fail "nome do projeto sem escape: $(grep -a Boa "$work/nome.htm")"
cp "$work/rel.htm" "$work/rel-antes.htm"
run 1 relatorio "$work/semtr.vst" "$work/rel.htm"
expect_err "Valor do periodo de retorno inconsistente."
cmp -s "$work/rel.htm" "$work/rel-antes.htm" || fail "relatório recusado alterou o arquivo anterior"
run 2 relatorio "$work/nao-existe.vst" "$work/x.htm"
run 2 relatorio "$examples/nivel-triangular-piracicaba.vst" "$work/pasta-inexistente/rel.htm"
expect_err "Não foi possível gravar o arquivo"
[ ! -e "$work/x.htm" ] || fail "relatório de projeto ilegível criou arquivo"
run 64 relatorio "$examples/nivel-triangular-piracicaba.vst"

[ "$failures" -eq 0 ] && echo "vastrel-cli: tudo certo"
exit $((failures > 0))
