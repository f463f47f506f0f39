#!/usr/bin/env bash
# Runs every test: the native suite (sanitizers on), then under Wine the same unit tests, the
# Win32 adapter tests and the end-to-end scenarios, then checks the package manifests that make
# dist wrote. Ends with the totals. The Wine tests run side by side in HOP_TEST_SESSIONS Wine
# sessions (2 unless set: with 3 on two cores the start-up clicks scenario of the tray missed
# its menu in 3 runs of 8), each test holding a whole session: a prefix, an Xvfb and a desktop.
set -uo pipefail
cd "$(dirname "$0")/.."
# Every Wine process of the run, the sessions' own included, without address-space
# randomization (see scripts/wine_session.sh).
[ -n "${HOP_NO_RANDOMIZE:-}" ] ||
  HOP_NO_RANDOMIZE=1 exec setarch "$(uname -m)" -R "$PWD/scripts/test.sh" "$@"
source scripts/wine_env.sh

root=$(mktemp -d /tmp/hopdirs-test.XXXXXX)
trap 'hop_wine_down; [ -n "${HOP_KEEP_ROOT:-}" ] || rm -rf "$root"' EXIT

passed=0
failed=0
skipped=0
tally() {  # reads ctest's summary line from a log; ctest counts skipped tests as passed
  local line total bad skip
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$1" | tail -n1)
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  skip=$(grep -c -E '\*\*\*Skipped' "$1")
  passed=$((passed + ${total:-0} - ${bad:-0} - skip))
  failed=$((failed + ${bad:-0}))
  skipped=$((skipped + skip))
  [ -n "$line" ] || failed=$((failed + 1))
}

echo "== native tests"
ctest --test-dir build/native --output-on-failure -j2 2>&1 | tee "$root/native.log" | tail -n 3
tally "$root/native.log"

echo "== Windows tests under Wine"
sessions=${HOP_TEST_SESSIONS:-2}
hop_wine_sessions_up "$root/wine" "$sessions"
export HOP_SESSIONS="$root/wine"
ids=$(seq -s, 0 $((sessions - 1)) | sed -E 's/([0-9]+)/{"id":"\1","slots":1}/g')
echo '{"version":{"major":1,"minor":0},"local":[{"wine":['"$ids"']}]}' >"$root/sessions.json"
ctest --test-dir build/win --output-on-failure -j"$sessions" \
  --resource-spec-file "$root/sessions.json" 2>&1 | tee "$root/win.log" | grep -E '(Passed|Failed|\*\*\*)' | sed 's/^ *//' | tail -n 400 >/dev/null
grep -E 'Failed|\*\*\*|tests passed' "$root/win.log" | tail -n 40
tally "$root/win.log"

echo "== package manifests in dist/"
if python3 tests/dist/check_manifests.py; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

echo
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
