#!/usr/bin/env bash
# Kills kistenlotse-plan with SIGKILL at random moments while it saves a plan, again and again,
# and checks after every kill that the plan file is whole (byte for byte one of the two plans
# that are saved in turn), that it opens, and that opening it removes what the killed save
# left beside it. Not part of the test command: it runs for minutes and its figures are for
# the record.
#   tests/model/abbruchschleife.sh [PROGRAMM] [VERSUCHE]
set -euo pipefail
export LC_ALL=C

PROGRAMM=${1:-build/bin/kistenlotse-plan}
VERSUCHE=${2:-200}
[ -x "$PROGRAMM" ] || { echo "abbruchschleife: $PROGRAMM fehlt (cmake --build build --target kistenlotse-plan)" >&2; exit 2; }

ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
plan=$ordner/umzug.kvr
erster=(neu --von 3 --nach 3 --einzug 15.03.2027 --auszug 31.03.2027)
zweiter=(neu --von 9 --nach 11 --einzug 01.06.2027 --auszug 20.06.2027 --kinder --spedition)
"$PROGRAMM" "${erster[@]}" --speichern "$ordner/erster.kvr" >/dev/null
"$PROGRAMM" "${zweiter[@]}" --speichern "$ordner/zweiter.kvr" >/dev/null
cmp -s "$ordner/erster.kvr" "$ordner/zweiter.kvr" && { echo "abbruchschleife: beide Pläne gleich" >&2; exit 2; }
cp "$ordner/erster.kvr" "$plan"

# The kills fall anywhere within one run's time (milliseconds).
beginn=$(date +%s%N)
for _ in 1 2 3 4 5; do "$PROGRAMM" "${zweiter[@]}" --speichern "$ordner/mass.kvr" >/dev/null; done
dauer=$(( ($(date +%s%N) - beginn) / 5000000 + 1 ))
rm -f "$ordner/mass.kvr"

getoetet=0 alt=0 neu=0 kaputt=0 unlesbar=0 reste=0 geblieben=0
for ((i = 1; i <= VERSUCHE; i++)); do
  if ((i % 2)); then argumente=("${zweiter[@]}"); else argumente=("${erster[@]}"); fi
  vorher=$(sha256sum <"$plan")
  "$PROGRAMM" "${argumente[@]}" --speichern "$plan" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '0.%03d' $((RANDOM % dauer)))"
  if kill -9 "$pid" 2>/dev/null; then getoetet=$((getoetet + 1)); fi
  wait "$pid" 2>/dev/null || true

  if cmp -s "$plan" "$ordner/erster.kvr" || cmp -s "$plan" "$ordner/zweiter.kvr"; then
    if [ "$(sha256sum <"$plan")" = "$vorher" ]; then alt=$((alt + 1)); else neu=$((neu + 1)); fi
  else
    kaputt=$((kaputt + 1))
    cp "$plan" "$ordner/../abbruchschleife-kaputt-$i.kvr"
  fi
  if compgen -G "$ordner/.kistenlotse-*.tmp" >/dev/null; then reste=$((reste + 1)); fi
  "$PROGRAMM" zeigen "$plan" >/dev/null 2>&1 || unlesbar=$((unlesbar + 1))
  if compgen -G "$ordner/.kistenlotse-*.tmp" >/dev/null; then geblieben=$((geblieben + 1)); fi
done

echo "Versuche: $VERSUCHE, davon getötet: $getoetet (Zeitfenster ${dauer} ms)"
echo "Plan danach: alt $alt, neu $neu, beschädigt $kaputt, nicht zu öffnen $unlesbar"
echo "Zwischendatei hinterlassen: $reste, nach dem Öffnen noch da: $geblieben"
[ "$kaputt" -eq 0 ] && [ "$unlesbar" -eq 0 ] && [ "$geblieben" -eq 0 ]
