#!/usr/bin/env bash
# Start-up of the program against a bare Qt Widgets window, measured in one run under a
# virtual X server without a window manager:
#  - time from the start of the process to its first window mapped (the splash);
#  - peak memory (VmHWM) once the calendar with a new plan is shown, against the bare window's.
# Medians of N runs after one unmeasured warm-up of each.
# Aufruf: bench/start/startmessung.sh BUILDORDNER [N]   (braucht xvfb-run und xdotool)
# BUILDORDNER is a Release build with -DKL_BENCH=ON, e.g.
#   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DKL_BENCH=ON
#   cmake --build build-rel --target kistenlotse kl_startuhr kl_leeresfenster
# A busy machine widens the spread: compare runs on a quiet one.
set -euo pipefail
bin=$(cd "${1:?Aufruf: startmessung.sh BUILDORDNER [N]}" && pwd)/bin
n=${2:-5}
if [ -z "${KL_STARTMESSUNG_XVFB:-}" ]; then
  exec env KL_STARTMESSUNG_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
uhr=$bin/kl_startuhr

# Peak resident memory of a process in KiB.
spitze() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# The bare window: start time, then its peak once it has settled.
leer() {
  read -r ms pid < <("$uhr" "$bin/kl_leeresfenster")
  sleep 1
  echo "$ms $(spitze "$pid")"
  kill "$pid"; wait "$pid" 2>/dev/null || true
}

# The program: start time to the splash; a click on the splash, "Weiter" in the start dialog
# with its preset answers, and the peak once the calendar has settled.
programm() {
  local ordner=$1
  read -r ms pid < <(cd "$ordner" && "$uhr" "$ordner/kistenlotse")
  local splash start
  splash=$(xdotool search --sync --onlyvisible --name '^Willkommen beim Kistenlotse')
  xdotool mousemove --window "$splash" 300 100 click 1
  start=$(xdotool search --sync --onlyvisible --name '^Kistenlotse der Quellmark AG$' | head -1)
  sleep 0.3
  xdotool mousemove --window "$start" $((632 - 120 + 60)) $((453 - 22)) click 1
  # The calendar is maximised: wait for a window wider than the start dialog.
  for _ in $(seq 100); do
    breit=0
    for w in $(xdotool search --onlyvisible --name '^Kistenlotse der Quellmark AG$'); do
      b=$(xdotool getwindowgeometry "$w" | awk -F'[ x]+' '/Geometry/ { print $3 }')
      [ "${b:-0}" -gt 700 ] && breit=1
    done
    [ $breit = 1 ] && break
    sleep 0.1
  done
  sleep 1.5
  echo "$ms $(spitze "$pid")"
  kill "$pid"; wait "$pid" 2>/dev/null || true
}

# The program runs in a copy of its folder with its templates and help, so no stored settings count.
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
cp "$bin/kistenlotse" "$ordner/"
cp "$bin"/*.gif "$bin"/kistenlotse-hilfe.html "$ordner/" 2>/dev/null || true

leer >/dev/null; programm "$ordner" >/dev/null
: >"$ordner/leer.txt"; : >"$ordner/programm.txt"
for _ in $(seq "$n"); do
  leer >>"$ordner/leer.txt"
  rm -f "$ordner"/*.ini
  programm "$ordner" >>"$ordner/programm.txt"
done

lz=$(cut -d' ' -f1 "$ordner/leer.txt" | median); lm=$(cut -d' ' -f2 "$ordner/leer.txt" | median)
pz=$(cut -d' ' -f1 "$ordner/programm.txt" | median); pm=$(cut -d' ' -f2 "$ordner/programm.txt" | median)
printf '%-52s %10s %10s %8s\n' "Messung (Median aus $n)" "Programm" "Referenz" "Faktor"
awk -v p="$pz" -v r="$lz" 'BEGIN { printf "%-52s %7.1f ms %7.1f ms %8.2f\n", "Start bis erstes Fenster / leeres Qt-Fenster", p, r, p / r }'
awk -v p="$pm" -v r="$lm" 'BEGIN { printf "%-52s %6.1f MiB %6.1f MiB %8.2f\n", "Spitzenspeicher mit Plan / leeres Qt-Fenster", p / 1024, r / 1024, p / r }'
