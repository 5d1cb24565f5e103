#!/usr/bin/env bash
# Runs a test program built with the sanitizers. When LeakSanitizer itself breaks down while it
# checks for leaks at exit (its tracer thread crashing on a loaded machine: "LeakSanitizer has
# encountered a fatal error"), that says nothing about the program, so the program runs once
# more. A leak that LeakSanitizer reports, or any other failure, counts at once.
set -u
ausgabe=$(mktemp)
trap 'rm -f "$ausgabe"' EXIT
"$@" 2>&1 | tee "$ausgabe"
ergebnis=${PIPESTATUS[0]}
if [ "$ergebnis" -ne 0 ] && grep -q 'LeakSanitizer has encountered a fatal error' "$ausgabe"; then
  echo "LeakSanitizer ist beim Prüfen auf Lecks selbst abgebrochen; zweiter Lauf:"
  "$@"
  ergebnis=$?
fi
exit "$ergebnis"
