#!/usr/bin/python3
"""Reads Kistenlotse over AT-SPI as a screen reader does, while xdotool drives it by keys.

Run by scripts/test.d/zugang, which provides the session and accessibility buses, the X server
and the window manager. Each check has a name; the names listed in the file given with
--ausstehend are checks whose mend is not on this branch yet: they are run and reported, but do
not fail the run. Exit status 1 when another check fails.
"""

import argparse
import datetime
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WOCHENTAGE = ["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"]
MONATE = ["Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
          "Oktober", "November", "Dezember"]
HAUPTFENSTER = "Kistenlotse der Quellmark AG"
BEGRUESSUNG = "Willkommen beim Kistenlotse der Quellmark AG"
AUFGABE_1 = "Umzugskartons packen"
AUFGABE_2 = "Zählerstand notieren"
AUFGABE_HEUTE = "Adressliste anlegen"


def langes_datum(tag):
    """The program's spoken date: "Dienstag, 22. Dezember 2026"."""
    return f"{WOCHENTAGE[tag.weekday()]}, {tag.day}. {MONATE[tag.month - 1]} {tag.year}"


def beschriftung(objekt):
    """The label a screen reader reads for a field: the target of its "labelled by" relation
    (a combo box's own name on Linux is its current entry)."""
    for relation in objekt.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets():
            return relation.getTarget(0).name or ""
    return ""


def beschreiben(objekt):
    """What a screen reader reads of an object, taken at once (the object may go)."""
    try:
        return {"rolle": objekt.getRoleName(), "name": objekt.name or "",
                "beschriftung": beschriftung(objekt),
                "beschreibung": objekt.description or "",
                "mehrzeilig": objekt.getState().contains(pyatspi.STATE_MULTI_LINE),
                "objekt": objekt}
    except Exception as fehler:  # the object went before it could be read
        return {"rolle": "?", "name": f"<{fehler}>", "beschriftung": "", "beschreibung": "",
                "mehrzeilig": False,
                "objekt": None}


def kurz(eintrag):
    return f"{eintrag['rolle']} „{eintrag['name']}“" if eintrag else "nichts"


class Leser:
    """The focus events, as they reach a screen reader."""

    def __init__(self):
        self.fokus = []
        pyatspi.Registry.registerEventListener(self._fokus, "object:state-changed:focused")

    def _fokus(self, ereignis):
        if ereignis.detail1:
            self.fokus.append(beschreiben(ereignis.source))

    def letzter(self):
        return self.fokus[-1] if self.fokus else None

    def pumpen(self, sekunden):
        ende = time.monotonic() + sekunden
        kontext = GLib.MainContext.default()
        while time.monotonic() < ende:
            while kontext.pending():
                kontext.iteration(False)
            time.sleep(0.02)

    def bis(self, bedingung, sekunden=10.0):
        ende = time.monotonic() + sekunden
        while time.monotonic() < ende:
            self.pumpen(0.05)
            try:
                wert = bedingung()
            except Exception:  # objects come and go while windows open
                wert = None
            if wert:
                return wert
        return None


class Ergebnis:
    def __init__(self, ausstehend):
        self.ausstehend = ausstehend
        self.fehler = []

    def pruefen(self, name, gut, was):
        if gut:
            zusatz = " (steht noch in ausstehend: dort streichen)" if name in self.ausstehend else ""
            print(f"  ok      {name}: {was}{zusatz}")
        elif name in self.ausstehend:
            print(f"  offen   {name}: {was} (ausstehend, nicht gewertet)")
        else:
            print(f"  FEHLER  {name}: {was}")
            self.fehler.append(name)


class Programm:
    def __init__(self, pfad, arbeit, name, plan=None):
        umgebung = dict(os.environ)
        heim = os.path.join(arbeit, name)
        for ordner in ("config", "daten", "cache"):
            os.makedirs(os.path.join(heim, ordner), exist_ok=True)
        umgebung.update(HOME=heim, XDG_CONFIG_HOME=os.path.join(heim, "config"),
                        XDG_DATA_HOME=os.path.join(heim, "daten"),
                        XDG_CACHE_HOME=os.path.join(heim, "cache"),
                        ASAN_OPTIONS="detect_leaks=0")
        self.protokoll = os.path.join(arbeit, name + ".log")
        with open(self.protokoll, "wb") as ausgabe:
            self.prozess = subprocess.Popen([pfad] + ([plan] if plan else []), env=umgebung,
                                            stdout=ausgabe, stderr=subprocess.STDOUT)

    def anwendung(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app and app.get_process_id() == self.prozess.pid:
                    return app
            except Exception:
                continue
        return None

    def aktives_fenster(self):
        app = self.anwendung()
        if not app:
            return None
        for i in range(app.childCount):
            fenster = app.getChildAtIndex(i)
            if fenster and fenster.getState().contains(pyatspi.STATE_ACTIVE):
                return fenster
        return None

    def beenden(self):
        if self.prozess.poll() is None:
            self.prozess.terminate()
            try:
                self.prozess.wait(10)
            except subprocess.TimeoutExpired:
                self.prozess.kill()
                self.prozess.wait()


# Seconds added after every key; a screen reader listening along needs about two to keep up.
PAUSE = float(os.environ.get("KL_ZUGANG_PAUSE", "0"))


def taste(leser, name, warten=0.5):
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
    leser.pumpen(warten + PAUSE)


def suchen(objekt, passt, tiefe=0):
    """The first object below `objekt` (itself included) for which passt() holds."""
    if objekt is None or tiefe > 12:
        return None
    try:
        if passt(objekt):
            return objekt
        for i in range(objekt.childCount):
            gefunden = suchen(objekt.getChildAtIndex(i), passt, tiefe + 1)
            if gefunden:
                return gefunden
    except Exception:
        return None
    return None


def alle_texte(objekt, tiefe=0):
    """Names, descriptions and text contents below `objekt`: all a reader can say of it."""
    if objekt is None or tiefe > 12:
        return []
    texte = [objekt.name or "", objekt.description or ""]
    try:
        text = objekt.queryText()
        texte.append(text.getText(0, -1))
    except NotImplementedError:
        pass
    for i in range(objekt.childCount):
        texte += alle_texte(objekt.getChildAtIndex(i), tiefe + 1)
    return [t for t in texte if t]


def fenster_mit_titel(programm, titel):
    fenster = programm.aktives_fenster()
    return fenster if fenster is not None and fenster.name == titel else None


def begruessung_schliessen(leser, programm, ergebnis, pruefen):
    """Waits for the splash and closes it with Enter; true when it closed."""
    if not leser.bis(lambda: fenster_mit_titel(programm, BEGRUESSUNG), 60):
        print(f"  Die Begrüßung erscheint nicht; Programmausgabe in {programm.protokoll}")
        return False
    taste(leser, "Return", 0.2)
    weg = leser.bis(lambda: not fenster_mit_titel(programm, BEGRUESSUNG), 3)
    if pruefen:
        ergebnis.pruefen("begruessung_enter", weg, "Enter schließt die Begrüßung")
    # Without the mend the splash goes after eight seconds.
    return bool(weg or leser.bis(lambda: not fenster_mit_titel(programm, BEGRUESSUNG), 12))


def startdialog(leser, argumente, ergebnis):
    print("Startdialog:")
    programm = Programm(argumente.programm, argumente.arbeit, "start")
    try:
        if not begruessung_schliessen(leser, programm, ergebnis, True):
            ergebnis.pruefen("startdialog", False, "der Startdialog erscheint nicht")
            return
        if not leser.bis(lambda: fenster_mit_titel(programm, HAUPTFENSTER), 20):
            ergebnis.pruefen("startdialog", False, "der Startdialog erscheint nicht")
            return
        leser.fokus.clear()
        for _ in range(14):
            taste(leser, "Tab", 0.25)
        leser.pumpen(0.5)
        felder = [f for f in leser.fokus if f["rolle"] in ("combo box", "text", "entry")]
        namen = [f["name"] for f in felder] + [f["beschriftung"] for f in felder]
        for beschriftung in ("Ich ziehe von", "nach", "Einzug ab dem", "Auszug vor dem"):
            ergebnis.pruefen("startdialog_beschriftung", beschriftung in namen,
                             f"ein Feld heißt „{beschriftung}“ (gelesen: "
                             + ", ".join(kurz(f) for f in felder) + ")")
    finally:
        programm.beenden()


def plan_schreiben(pfad, heute, tag):
    """A plan of tasks of the user's own, which nothing orders: one today, two on `tag`."""
    abschnitte = [("allgemein", [("BundeslandA", "3"), ("BundeslandB", "3"), ("anzdays", "42"),
                                 ("firstday", "0"), ("Auszugsrenovierung", "0"),
                                 ("Einzugsrenovierung", "0"), ("Spedition", "0"), ("Kinder", "0"),
                                 ("Einzugdatum", tag.strftime("%d.%m.%Y")),
                                 ("Auszugdatum", tag.strftime("%d.%m.%Y"))])]
    for nummer, titel, datum, start in ((10001, AUFGABE_1, tag, "17"),
                                        (10002, AUFGABE_2, tag, "21"),
                                        (10003, AUFGABE_HEUTE, heute, "17")):
        abschnitte.append((str(nummer), [
            ("Kurzbezeichnung", titel), ("Beschreibung", ""), ("Notiz", ""),
            ("Druckvorlage", "-1"), ("ausserhalbBuerozeit", "0"), ("auchSonntags", "0"),
            ("vorher", ""), ("beiAuszugsrenovierung", "0"), ("beiEinzugsrenovierung", "0"),
            ("mitSpedition", "0"), ("ohneSpedition", "0"), ("vorgabeDauer", "1"),
            ("Tag", datum.strftime("%d.%m.%Y")), ("Start", start), ("Dauer", "2"),
            ("Benutzeraufgabe", "1")]))
    zeilen = []
    for name, werte in abschnitte:
        zeilen.append(f"[{name}]")
        zeilen += [f"{k}={v}" for k, v in werte]
        zeilen.append("")
    with open(pfad, "wb") as datei:
        datei.write("\r\n".join(zeilen).encode("cp1252"))


def ist_aufgabe(eintrag, tag, titel):
    return bool(eintrag) and eintrag["name"].startswith(f"{langes_datum(tag)}: {titel}")


def kalender(leser, argumente, ergebnis):
    print("Kalender:")
    heute = datetime.date.today()
    tag = heute + datetime.timedelta(days=14)
    plan = os.path.join(argumente.arbeit, "umzug.kvr")
    plan_schreiben(plan, heute, tag)
    programm = Programm(argumente.programm, argumente.arbeit, "kalender", plan)
    try:
        if not begruessung_schliessen(leser, programm, ergebnis, False):
            ergebnis.pruefen("kalender", False, "die Begrüßung erscheint nicht")
            return
        zelle_heute = leser.bis(lambda: leser.letzter() if leser.letzter() and leser.letzter()[
            "name"] == langes_datum(heute) else None, 30)
        if not zelle_heute:
            ergebnis.pruefen("kalender", False, "der Fokus steht nicht auf dem heutigen Tag ("
                             + kurz(leser.letzter()) + ")")
            return
        ergebnis.pruefen("heute_beschreibung",
                         zelle_heute["beschreibung"]
                         == "heute, 1 Aufgabe, Eingabetaste: neue Aufgabe",
                         f"der heutige Tag sagt „heute“ ({zelle_heute['beschreibung']})")

        tabelle_pruefen(programm, ergebnis, heute, tag)

        # Today's task, two weeks down, then into the day's tasks and on to the week below.
        taste(leser, "Down")
        ergebnis.pruefen("pfeiltasten", ist_aufgabe(leser.letzter(), heute, AUFGABE_HEUTE),
                         f"die Aufgabe von heute: {kurz(leser.letzter())}")
        taste(leser, "Down")
        taste(leser, "Down")
        ergebnis.pruefen("pfeiltasten", (leser.letzter() or {}).get("name") == langes_datum(tag),
                         f"zwei Wochen tiefer: {kurz(leser.letzter())}")
        taste(leser, "Down")
        ergebnis.pruefen("pfeiltasten", ist_aufgabe(leser.letzter(), tag, AUFGABE_1),
                         f"erste Aufgabe des Tages: {kurz(leser.letzter())}")
        taste(leser, "Down")
        taste(leser, "Down")
        taste(leser, "Up")
        ergebnis.pruefen("von_unten", ist_aufgabe(leser.letzter(), tag, AUFGABE_2),
                         f"von der Woche darunter auf die letzte Aufgabe: {kurz(leser.letzter())}")
        taste(leser, "Up")

        neu = tag + datetime.timedelta(days=1)
        leser.fokus.clear()
        taste(leser, "alt+Right", 1.0)
        ergebnis.pruefen("alt_pfeil", ist_aufgabe(leser.letzter(), neu, AUFGABE_1),
                         f"nach Alt+Rechts die verschobene Aufgabe: {kurz(leser.letzter())}")
        status = suchen(programm.aktives_fenster(),
                        lambda o: o.getRole() == pyatspi.ROLE_STATUS_BAR)
        ergebnis.pruefen("statuszeile", bool(status) and status.name
                         == f"„{AUFGABE_1}“ liegt jetzt am {langes_datum(neu)}.",
                         "die Statuszeile sagt, was geschah: „"
                         + (status.name if status else "keine Statuszeile") + "“")

        taste(leser, "Delete", 0.2)
        frage = leser.bis(lambda: suchen(programm.aktives_fenster(),
                                         lambda o: o.getRole() == pyatspi.ROLE_ALERT), 10)
        texte = alle_texte(frage) if frage else []
        ergebnis.pruefen("loeschfrage_nennt_aufgabe",
                         any(f"„{AUFGABE_1}“" in t for t in texte),
                         "die Löschfrage nennt die Aufgabe (" + " | ".join(texte) + ")")
        if frage:
            leser.fokus.clear()
            taste(leser, "Escape", 1.0)
            ergebnis.pruefen("fokus_nach_dialog", ist_aufgabe(leser.letzter(), neu, AUFGABE_1),
                             f"nach der Frage wieder die Aufgabe: {kurz(leser.letzter())}")

        bildknopf_druecken(leser, programm, ergebnis)

        # The task's dialog: Tab leaves the notes.
        taste(leser, "Return", 1.5)
        notizen = None
        for _ in range(20):
            if leser.letzter() and leser.letzter()["mehrzeilig"]:
                notizen = leser.letzter()
                break
            taste(leser, "Tab", 0.3)
        if not notizen:
            ergebnis.pruefen("tab_verlaesst_notizen", False, "kein mehrzeiliges Feld erreicht")
            return
        taste(leser, "Tab", 0.5)
        text = notizen["objekt"].queryText().getText(0, -1)
        ergebnis.pruefen("tab_verlaesst_notizen",
                         leser.letzter()["objekt"] != notizen["objekt"] and "\t" not in text,
                         f"Tab aus „{notizen['name']}“ führt zu {kurz(leser.letzter())}")
    finally:
        programm.beenden()


def tabelle_pruefen(programm, ergebnis, heute, tag):
    """The calendar as a table: weeks as rows headed by their number, a day's tasks a list."""
    tabelle = suchen(programm.aktives_fenster(), lambda o: o.getRole() == pyatspi.ROLE_TABLE)
    if not tabelle:
        ergebnis.pruefen("tabelle", False, "der Kalender ist keine Tabelle")
        return
    t = tabelle.queryTable()
    gefunden = {}
    for zeile in range(t.nRows):
        for datum in (heute, tag):
            zelle = t.getAccessibleAt(zeile, datum.weekday())
            if zelle and zelle.name == langes_datum(datum):
                kopf = t.getRowHeader(zeile)
                gefunden[datum] = (zelle, kopf.name if kopf else "")
    ergebnis.pruefen("tabelle", t.nColumns == 7 and heute in gefunden and tag in gefunden,
                     f"„{tabelle.name}“: {t.nRows} Wochen zu {t.nColumns} Tagen, "
                     "heute und der Tag der Aufgaben an ihrem Platz")
    if tag not in gefunden:
        return
    zelle, kopf = gefunden[tag]
    woche = tag.isocalendar()[1]
    ergebnis.pruefen("tabelle", kopf == f"Kalenderwoche {woche}",
                     f"die Zeile des {langes_datum(tag)} heißt „{kopf}“")
    liste = zelle.getChildAtIndex(0) if zelle.childCount else None
    namen = [liste.getChildAtIndex(i).name for i in range(liste.childCount)] if liste else []
    ergebnis.pruefen("tabelle", bool(liste) and liste.getRole() == pyatspi.ROLE_LIST
                     and len(namen) == 2 and AUFGABE_1 in namen[0] and AUFGABE_2 in namen[1],
                     "die Aufgaben des Tages als Liste der Zeit nach: " + " | ".join(namen))


def bildknopf_druecken(leser, programm, ergebnis):
    """The press action of an image button that opens a modal dialog returns at once."""
    hauptfenster = programm.aktives_fenster()
    knopf = suchen(hauptfenster, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON
                   and o.name == "Neu beginnen")
    if not knopf:
        ergebnis.pruefen("bildknopf_druecken", False, "kein Knopf „Neu beginnen“")
        return
    aktion = knopf.queryAction()
    anfang = time.monotonic()
    try:
        aktion.doAction(0)
        antwort = "ohne Fehler"
    except Exception as fehler:
        antwort = str(fehler)
    dauer = time.monotonic() - anfang
    ergebnis.pruefen("bildknopf_druecken", dauer < 2 and antwort == "ohne Fehler",
                     f"„Drücken“ kehrt nach {dauer:.1f} s zurück ({antwort})")
    dialog = leser.bis(lambda: programm.aktives_fenster() != hauptfenster, 10)
    if dialog:
        leser.fokus.clear()
        taste(leser, "Escape", 1.0)
        ergebnis.pruefen("fokus_nach_dialog",
                         bool(leser.letzter()) and leser.letzter()["rolle"] == "list item",
                         f"nach dem Startdialog wieder die Aufgabe: {kurz(leser.letzter())}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--programm", required=True)
    parser.add_argument("--arbeit", required=True)
    parser.add_argument("--ausstehend")
    argumente = parser.parse_args()
    ausstehend = set()
    if argumente.ausstehend and os.path.exists(argumente.ausstehend):
        with open(argumente.ausstehend, encoding="utf-8") as datei:
            for zeile in datei:
                name = zeile.split("#", 1)[0].strip()
                if name:
                    ausstehend.add(name)
    ergebnis = Ergebnis(ausstehend)
    leser = Leser()
    startdialog(leser, argumente, ergebnis)
    kalender(leser, argumente, ergebnis)
    if ergebnis.fehler:
        print("zugang: FEHLER in " + ", ".join(sorted(set(ergebnis.fehler))), file=sys.stderr)
        return 1
    print("zugang: was ein Bildschirmleser liest, stimmt")
    return 0


if __name__ == "__main__":
    sys.exit(main())
