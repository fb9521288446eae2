#!/bin/sh
# Runs a Windows program under Wine for CTest: wine-starten.sh PROGRAM.exe ARGS...
# Expects WINE (the launcher) and WINEPREFIX in the environment. The first
# start creates the prefix; a lock makes tests that start in parallel wait
# for that one creation instead of racing each other through it.
set -e
: "${WINE:?}" "${WINEPREFIX:?}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fertig="$WINEPREFIX/.dubrinax-fertig"
if [ ! -e "$fertig" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -e "$fertig" ]; then
      # Its messages about creating the prefix are no output of the test.
      "$WINE" wineboot --init >/dev/null 2>&1
      touch "$fertig"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# The first program of a session starts the wineserver and Wine's own
# services, which inherit its stdout and stderr and stay until the session
# ends: given CTest's pipe, they would keep CTest waiting for its end. So the
# program writes into a file, shown when it has finished.
ausgabe=$(mktemp)
trap 'rm -f "$ausgabe"' EXIT
code=0
"$WINE" "$@" </dev/null >"$ausgabe" 2>&1 || code=$?
# A program that starts just as the wineserver of the previous one shuts
# down finds no server ("wine client error: ... Connection reset by peer")
# and never runs: that one start is made once more.
if [ "$code" -ne 0 ] && grep -q '^wine client error' "$ausgabe"; then
  sleep 1
  code=0
  "$WINE" "$@" </dev/null >"$ausgabe" 2>&1 || code=$?
fi
cat "$ausgabe"
exit "$code"
