# Shared by the vastrel-cli end-to-end scripts: a scratch folder removed on
# exit, a failure counter, and the helpers that run the program and check
# what it printed. Sourced after the script has set `cli`.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FALHOU: $*"; failures=$((failures + 1)); }

# run EXPECTED_STATUS ARGS... : runs the command, keeps stdout and stderr.
run() {
  local expected=$1; shift
  "$cli" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$expected" ] || fail "$* -> status $status, esperado $expected: $(cat "$work/err")"
}
expect_out() { grep -qF -- "$1" "$work/out" || fail "saída sem '$1': $(head -c 600 "$work/out")"; }
expect_err() { grep -qF -- "$1" "$work/err" || fail "erro sem '$1': $(cat "$work/err")"; }
