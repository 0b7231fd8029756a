#!/usr/bin/env bash
# Builds the fuzz targets of the file readers (tests/fuzz) with clang and
# libFuzzer in build-fuzz, and runs each for a few seconds from its seed
# corpus. Fails when any target crashes, hangs or breaks one of its
# properties; the input that did it is left in build-fuzz/artefatos/.
# Without clang it does nothing but say so.
#
#   FUZZ_SECONDS  seconds per target (default 5)
#   FUZZ_RUNS     instead of a time, this many inputs per target from a fixed
#                 seed: the same run every time (the test command uses it, so
#                 that a pass or a failure repeats on the same code)
#   FUZZ_TARGETS  the targets to run, separated by blanks (default all)
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
  echo "fuzz: clang não encontrado; os alvos de fuzzing não foram compilados nem executados."
  exit 0
fi

segundos=${FUZZ_SECONDS:-5}
if [ -n "${FUZZ_RUNS:-}" ]; then
  limite="-runs=$FUZZ_RUNS -seed=1"
else
  limite="-max_total_time=$segundos"
fi
jobs=$(nproc 2>/dev/null || echo 2)
arvore=build-fuzz

cmake -S . -B "$arvore" -G Ninja -DCMAKE_BUILD_TYPE=Fuzz -DVASTREL_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$arvore"

alvos=${FUZZ_TARGETS:-$(cat "$arvore/fuzz_targets.txt")}
artefatos="$arvore/artefatos"
mkdir -p "$artefatos"
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT

# One target: new inputs go to a scratch corpus, the seeds are only read.
rodar() {
  local alvo=$1
  mkdir -p "$trabalho/$alvo"
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$arvore/bin/$alvo" $limite -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$artefatos/$alvo-" "$trabalho/$alvo" "tests/fuzz/corpus/$alvo" \
       >"$trabalho/$alvo.log" 2>&1; then
    echo "fuzz: $alvo ok ($(grep -o 'stat::number_of_executed_units: [0-9]*' "$trabalho/$alvo.log" | grep -o '[0-9]*$' || echo '?') execuções)"
  else
    echo "fuzz: $alvo FALHOU"
    tail -n 60 "$trabalho/$alvo.log"
    return 1
  fi
}
export -f rodar
export arvore artefatos trabalho limite

# The targets run side by side, one per core.
if printf '%s\n' $alvos | xargs -P "$jobs" -I{} bash -c 'rodar "$@"' _ {}; then
  echo "fuzz: nenhum alvo falhou."
else
  echo "fuzz: algum alvo falhou; as entradas estão em $artefatos/." >&2
  exit 1
fi
