#!/usr/bin/env bash
# Builds and runs every test: the release tree in the C locale and in a
# Brazilian user's (pt_BR.UTF-8, decimal comma), then the core, the command
# line and the windows again under AddressSanitizer and
# UndefinedBehaviorSanitizer in pt_BR.UTF-8, then each file reader's fuzzer
# briefly (when clang is present).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

# ctest in one locale: every program it starts inherits it.
ctest_em() {
  local localidade=$1 arvore=$2
  shift 2
  echo "== testes em $localidade ($arvore) =="
  LANG=$localidade LC_ALL=$localidade ctest --test-dir "$arvore" --output-on-failure -j "$jobs" "$@"
}

scripts/build.sh -DVASTREL_WERROR=ON
ctest_em C build
ctest_em pt_BR.UTF-8 build

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVASTREL_SANITIZE=ON -DVASTREL_WERROR=ON \
  -DVASTREL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest_em pt_BR.UTF-8 build-asan

# Each file reader's fuzzer over its corpus and a fixed-seed batch of new
# inputs (the same batch at every run of the same code).
FUZZ_RUNS=${FUZZ_RUNS:-3000} scripts/fuzz.sh
