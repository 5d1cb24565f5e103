#!/usr/bin/env bash
# German quotation marks („…“) belong to the messages compared:
# shellcheck disable=SC1111
# Rounds of `kistenlotse-plan abgleichen` for two plans in one calendar on a running server,
# with the phone (telefon.py) moving, renaming and deleting events in between.
# With a calendar on a TLS server and its self-signed certificate's SHA-256 fingerprint, also a
# round that trusts the certificate only as the program's settings file remembers it.
# Usage: werkzeugrunden.sh WERKZEUG KALENDER-URL BENUTZER PASSWORT ORDNER [TLS-URL FINGERABDRUCK]
set -uo pipefail
WERKZEUG=$1 URL=$2 BENUTZER=$3 PASSWORT=$4 ORDNER=$5 TLS_URL=${6:-} FINGERABDRUCK=${7:-}
TELEFON="/usr/bin/python3 $(dirname "$0")/telefon.py"
fehler=0

scheitern() { echo "werkzeugrunden: $*" >&2; fehler=1; }
telefon() { $TELEFON "$URL" "$BENUTZER" "$PASSWORT" "$@"; }
runde() { # plan [more options]; stdout and stderr of the tool in $ORDNER/aus, $ORDNER/err
  local plan=$1
  shift
  echo "$PASSWORT" | "$WERKZEUG" abgleichen "$plan" --url "$URL" --benutzer "$BENUTZER" \
    --passwort-stdin "$@" >"$ORDNER/aus" 2>"$ORDNER/err"
}
planid() { sed -n 's/^PlanID=//p' "$1" | tr -d '\r'; }
json() { # plan python-expression over the plan's JSON as p
  "$WERKZEUG" zeigen "$1" --json | /usr/bin/python3 -c "import json,sys; p=json.load(sys.stdin); print($2)"
}
erwarte() { # file text
  grep -qF -- "$2" "$1" || scheitern "„$2“ fehlt in $(basename "$1"): $(cat "$1")"
}

telefon kalender-anlegen || { scheitern "Kalender nicht angelegt"; exit 1; }
A="$ORDNER/a.kvr"
B="$ORDNER/b.kvr"
"$WERKZEUG" neu --von 3 --nach 9 --einzug 01.03.2027 --auszug 15.03.2027 --speichern "$A" >/dev/null
"$WERKZEUG" neu --von 2 --nach 2 --einzug 01.06.2027 --auszug 05.06.2027 --kinder \
  --speichern "$B" >/dev/null
nA=$(json "$A" 'len(p["Aufgaben"])')
nB=$(json "$B" 'len(p["Aufgaben"])')

# First rounds: every task becomes an event; the plans get their ID and sync state.
runde "$A" || scheitern "erste Runde A: $(cat "$ORDNER/err")"
erwarte "$ORDNER/aus" "Abgeglichen: $nA angelegt, 0 geändert, 0 gelöscht, 0 aus dem Kalender übernommen."
runde "$B" || scheitern "erste Runde B: $(cat "$ORDNER/err")"
erwarte "$ORDNER/aus" "Abgeglichen: $nB angelegt"
idA=$(planid "$A")
idB=$(planid "$B")
grep -q "^CalDavUrl=$URL" "$A" || scheitern "A ohne CalDavUrl"
[ "$(telefon zaehlen "kistenlotse-$idA-")" = "$nA" ] || scheitern "A nicht vollständig im Kalender"
[ "$(telefon zaehlen "kistenlotse-$idB-")" = "$nB" ] || scheitern "B nicht vollständig im Kalender"

# The phone: A's last task a day later, A's first renamed, B's first deleted, one of its own.
letzte=$(json "$A" 'max(p["Aufgaben"], key=lambda a: (a["Tag"][6:]+a["Tag"][3:5]+a["Tag"][:2], a["Start"]))["Nummer"]')
letzterTag=$(json "$A" "[a for a in p['Aufgaben'] if a['Nummer'] == $letzte][0]['Tag']")
erste=$(json "$A" 'p["Aufgaben"][0]["Nummer"]')
ersteB=$(json "$B" 'p["Aufgaben"][0]["Nummer"]')
telefon verschieben "kistenlotse-$idA-$letzte@kistenlotse" 1440 || scheitern "verschieben"
telefon umbenennen "kistenlotse-$idA-$erste@kistenlotse" "Vom Telefon" || scheitern "umbenennen"
telefon loeschen "kistenlotse-$idB-$ersteB@kistenlotse" || scheitern "loeschen"
telefon anlegen "fremd-1@telefon" "Zahnarzt" || scheitern "anlegen"

runde "$A" || scheitern "zweite Runde A: $(cat "$ORDNER/err")"
erwarte "$ORDNER/aus" "0 angelegt, 0 geändert, 0 gelöscht, 2 aus dem Kalender übernommen."
[ "$(json "$A" "[a for a in p['Aufgaben'] if a['Nummer'] == $erste][0]['Kurzbezeichnung']")" = "Vom Telefon" ] ||
  scheitern "der neue Titel kam nicht in den Plan"
neuerTag=$(json "$A" "[a for a in p['Aufgaben'] if a['Nummer'] == $letzte][0]['Tag']")
[ "$neuerTag" != "$letzterTag" ] || scheitern "der neue Tag kam nicht in den Plan ($neuerTag)"

# Deleted on the phone, without anyone to ask: sent again, and said so.
runde "$B" || scheitern "zweite Runde B: $(cat "$ORDNER/err")"
erwarte "$ORDNER/aus" "1 angelegt"
erwarte "$ORDNER/err" "wurde im Kalender gelöscht und wird wieder gesendet."
[ "$(telefon zaehlen "kistenlotse-$idB-")" = "$nB" ] || scheitern "B nach der Runde nicht vollständig"

# Changed on both sides: the plan's version wins, the phone's is named on stderr.
sed -i "0,/^Kurzbezeichnung=Vom Telefon\r$/s//Kurzbezeichnung=Vom Plan\r/" "$A"
telefon umbenennen "kistenlotse-$idA-$erste@kistenlotse" "Wieder vom Telefon" || scheitern "umbenennen 2"
runde "$A" || scheitern "dritte Runde A: $(cat "$ORDNER/err")"
erwarte "$ORDNER/err" "„Vom Plan“ wurde im Plan und im Kalender geändert; die Fassung des Plans gilt (im Kalender stand „Wieder vom Telefon“"
[ "$(telefon zeigen "kistenlotse-$idA-$erste@kistenlotse" | sed -n 1p)" = "Vom Plan" ] ||
  scheitern "die Fassung des Plans kam nicht in den Kalender"

# Nothing changed: nothing sent, the plan file stays as it is (after one round that takes the
# server's new sync token, which the last round's own changes moved on).
runde "$A" || scheitern "Runde nach dem Senden: $(cat "$ORDNER/err")"
cp "$A" "$ORDNER/a-vorher.kvr"
runde "$A" || scheitern "ruhige Runde A: $(cat "$ORDNER/err")"
erwarte "$ORDNER/aus" "Abgeglichen: 0 angelegt, 0 geändert, 0 gelöscht, 0 aus dem Kalender übernommen."
cmp -s "$A" "$ORDNER/a-vorher.kvr" || scheitern "eine ruhige Runde hat die Plandatei geändert"
[ "$(telefon zaehlen fremd-)" = 1 ] || scheitern "der fremde Termin wurde angefasst"

# Failures: exit code 5 with a German message, the plan untouched.
echo falsch | "$WERKZEUG" abgleichen "$A" --url "$URL" --benutzer "$BENUTZER" --passwort-stdin \
  >/dev/null 2>"$ORDNER/err"
[ $? = 5 ] || scheitern "falsches Passwort: Rückgabewert nicht 5"
erwarte "$ORDNER/err" "Der Abgleich mit dem Kalender ist fehlgeschlagen."
cmp -s "$A" "$ORDNER/a-vorher.kvr" || scheitern "falsches Passwort hat die Plandatei geändert"
"$WERKZEUG" abgleichen "$A" --url "${URL%/}-anders/" --benutzer "$BENUTZER" --passwort-stdin \
  </dev/null >/dev/null 2>"$ORDNER/err"
[ $? = 2 ] || scheitern "anderer Kalender: Rückgabewert nicht 2"
erwarte "$ORDNER/err" "Der Plan wird schon mit dem Kalender $URL abgeglichen"

# Self-signed certificate: refused with its fingerprint until the settings file of the program
# remembers that fingerprint for the server; the tool never writes the settings.
if [ -n "$TLS_URL" ]; then
  $TELEFON "$TLS_URL" "$BENUTZER" "$PASSWORT" kalender-anlegen || scheitern "TLS-Kalender nicht angelegt"
  C="$ORDNER/c.kvr"
  "$WERKZEUG" neu --von 5 --nach 5 --einzug 01.09.2027 --auszug 03.09.2027 --speichern "$C" >/dev/null
  cp "$C" "$ORDNER/c-vorher.kvr"
  KONFIG="$ORDNER/konfig"
  mkdir -p "$KONFIG/Kistenlotse"
  server=$(echo "$TLS_URL" | sed -E 's#^(https://[^/]+).*#\1#')
  # A sanitizer build: OpenSSL keeps its caches to the end of the process, as in the unit tests.
  lsan="suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0"
  tls_runde() {
    echo "$PASSWORT" | XDG_CONFIG_HOME="$KONFIG" LSAN_OPTIONS="$lsan" "$WERKZEUG" abgleichen "$C" --url "$TLS_URL" \
      --benutzer "$BENUTZER" --passwort-stdin >"$ORDNER/aus" 2>"$ORDNER/err"
  }
  for gemerkt in "" "00:11:22:33"; do
    printf '[zertifikate]\r\n%s=%s\r\n' "$server" "$gemerkt" >"$KONFIG/Kistenlotse/kistenlotse.ini"
    tls_runde
    rc=$?
    [ $rc = 5 ] || scheitern "Zertifikat ${gemerkt:-ohne Fingerabdruck}: Rückgabewert $rc, nicht 5: $(cat "$ORDNER/err")"
    erwarte "$ORDNER/err" "wird nicht anerkannt"
    erwarte "$ORDNER/err" "SHA-256-Fingerabdruck: $FINGERABDRUCK"
    cmp -s "$C" "$ORDNER/c-vorher.kvr" || scheitern "ein abgelehntes Zertifikat hat die Plandatei geändert"
  done
  printf '[abgleich]\r\nBenutzer=%s\r\n[zertifikate]\r\n%s=00:11:22:33,%s\r\n' "$BENUTZER" \
    "$server" "$FINGERABDRUCK" >"$KONFIG/Kistenlotse/kistenlotse.ini"
  cp "$KONFIG/Kistenlotse/kistenlotse.ini" "$ORDNER/einstellungen-vorher"
  tls_runde || scheitern "Runde mit vertrautem Zertifikat: $(cat "$ORDNER/err")"
  nC=$(json "$C" 'len(p["Aufgaben"])')
  erwarte "$ORDNER/aus" "Abgeglichen: $nC angelegt, 0 geändert, 0 gelöscht, 0 aus dem Kalender übernommen."
  cmp -s "$KONFIG/Kistenlotse/kistenlotse.ini" "$ORDNER/einstellungen-vorher" ||
    scheitern "abgleichen hat die Einstellungsdatei geändert"
fi

[ $fehler = 0 ] && echo "caldav: kistenlotse-plan abgleichen mit zwei Plänen bestanden"
exit $fehler
