#!/usr/bin/python3
"""CalDAV server for the benchmark only: calendars held in memory, every request at a cost that
does not grow with the calendar, so a round's time is the program's and the protocol's own.
It answers just what the program's client sends (PROPFIND, REPORT sync-collection and
calendar-multiget, MKCALENDAR, GET, PUT and DELETE with If-Match / If-None-Match), with basic
authentication for one user whose home is /BENUTZER/.

Usage: referenzserver.py BENUTZER PASSWORT
Binds 127.0.0.1 on a free port and writes the port as the first line to standard output. Ends on
SIGTERM or when standard input closes (the benchmark that started it is gone).
"""
import base64
import os
import re
import sys
import threading
import xml.etree.ElementTree as ET
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import quote, unquote, urlsplit
from xml.sax.saxutils import escape

DAV = "DAV:"
CALDAV = "urn:ietf:params:xml:ns:caldav"
TOKEN_PREFIX = "http://kistenlotse.invalid/sync/"


class Kalender:
    def __init__(self, anzeigename):
        self.anzeigename = anzeigename
        self.termine = {}  # name -> (etag, data)
        self.geaendert = {}  # name -> revision of its last change, also for deleted ones
        self.revision = 0

    def aendern(self, name):
        self.revision += 1
        self.geaendert[name] = self.revision


class Zustand:
    def __init__(self, benutzer, passwort):
        self.benutzer = benutzer
        zugang = f"{benutzer}:{passwort}".encode()
        self.autorisierung = "Basic " + base64.b64encode(zugang).decode()
        self.kalender = {}  # path of the collection ("/anna/umzug-x/") -> Kalender
        self.sperre = threading.Lock()
        self.etag_zaehler = 0

    def neues_etag(self):
        self.etag_zaehler += 1
        return f'"e{self.etag_zaehler}"'


def gewuenschte_eigenschaften(wurzel):
    """(namespace, name) of each property asked for under prop; None for allprop."""
    prop = wurzel.find(f"{{{DAV}}}prop")
    if prop is None:
        return None
    namen = []
    for kind in prop:
        ns, _, name = kind.tag[1:].partition("}")
        namen.append((ns, name))
    return namen


def eigenschaft_xml(ns, name, wert):
    prefix = "d" if ns == DAV else "c" if ns == CALDAV else None
    if prefix is None:
        return f'<x:{name} xmlns:x="{escape(ns)}"/>'
    if wert == "":
        return f"<{prefix}:{name}/>"
    return f"<{prefix}:{name}>{wert}</{prefix}:{name}>"


def antwort_xml(href, gefunden, fehlend):
    teile = [f"<d:response><d:href>{escape(href)}</d:href>"]
    if gefunden:
        teile.append("<d:propstat><d:prop>")
        teile.extend(eigenschaft_xml(ns, n, w) for ns, n, w in gefunden)
        teile.append("</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>")
    if fehlend:
        teile.append("<d:propstat><d:prop>")
        teile.extend(eigenschaft_xml(ns, n, "") for ns, n in fehlend)
        teile.append("</d:prop><d:status>HTTP/1.1 404 Not Found</d:status></d:propstat>")
    teile.append("</d:response>")
    return "".join(teile)


def multistatus(antworten, sync_token=None):
    kopf = f'<?xml version="1.0" encoding="utf-8"?>\n<d:multistatus xmlns:d="{DAV}" ' \
           f'xmlns:c="{CALDAV}">'
    token = f"<d:sync-token>{escape(sync_token)}</d:sync-token>" if sync_token else ""
    return (kopf + "".join(antworten) + token + "</d:multistatus>").encode()


class Anfrage(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True
    zustand = None  # set by main

    def log_message(self, format, *args):  # noqa: A002 - name from the base class
        pass

    # Helpers

    def senden(self, status, inhalt=b"", kopf=None):
        zeilen = [f"HTTP/1.1 {status} {self.responses.get(status, ('',))[0]}",
                  f"Content-Length: {len(inhalt)}"]
        for name, wert in (kopf or {}).items():
            zeilen.append(f"{name}: {wert}")
        self.wfile.write(("\r\n".join(zeilen) + "\r\n\r\n").encode("latin-1") + inhalt)

    def xml_senden(self, inhalt):
        self.senden(207, inhalt, {"Content-Type": 'application/xml; charset="utf-8"'})

    def inhalt_lesen(self):
        laenge = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(laenge) if laenge else b""

    def pfad(self):
        return unquote(urlsplit(self.path).path)

    def angemeldet(self):
        if self.headers.get("Authorization") == self.zustand.autorisierung:
            return True
        self.senden(401, b"", {"WWW-Authenticate": 'Basic realm="Messung"'})
        return False

    def heimat(self):
        return f"/{self.zustand.benutzer}/"

    def kalender_und_name(self, pfad):
        ordner, _, name = pfad.rpartition("/")
        return self.zustand.kalender.get(ordner + "/"), name

    def vorbedingung_erfuellt(self, vorhanden):
        if self.headers.get("If-None-Match") == "*" and vorhanden is not None:
            return False
        erwartet = self.headers.get("If-Match")
        if erwartet is not None and (vorhanden is None or
                                     (erwartet != "*" and erwartet != vorhanden[0])):
            return False
        return True

    # Methods

    def handle_one_request(self):
        try:
            super().handle_one_request()
        except (ConnectionError, BrokenPipeError):
            self.close_connection = True

    def ausfuehren(self, methode):
        inhalt = self.inhalt_lesen()
        if not self.angemeldet():
            return
        with self.zustand.sperre:
            methode(inhalt)

    def do_OPTIONS(self):
        self.inhalt_lesen()
        self.senden(200, b"", {"DAV": "1, 2, 3, calendar-access",
                               "Allow": "OPTIONS, PROPFIND, REPORT, MKCALENDAR, GET, PUT, DELETE"})

    def do_PROPFIND(self):
        self.ausfuehren(self.propfind)

    def do_REPORT(self):
        self.ausfuehren(self.report)

    def do_MKCALENDAR(self):
        self.ausfuehren(self.mkcalendar)

    def do_GET(self):
        self.ausfuehren(self.get)

    def do_PUT(self):
        self.ausfuehren(self.put)

    def do_DELETE(self):
        self.ausfuehren(self.delete)

    def propfind(self, inhalt):
        try:
            namen = gewuenschte_eigenschaften(ET.fromstring(inhalt)) if inhalt else None
        except ET.ParseError:
            return self.senden(400)
        if namen is None:
            namen = [(DAV, "resourcetype"), (DAV, "displayname"), (DAV, "getetag")]
        tiefe = self.headers.get("Depth", "1")
        pfad = self.pfad()
        if not pfad.endswith("/") and pfad + "/" in self.zustand.kalender:
            pfad += "/"
        heimat = self.heimat()
        kalender = self.zustand.kalender.get(pfad)
        antworten = []
        if kalender is not None:
            antworten.append(self.kalender_antwort(pfad, kalender, namen))
            if tiefe != "0":
                for name, (etag, _daten) in kalender.termine.items():
                    antworten.append(self.termin_antwort(pfad + quote(name), etag, namen))
        elif pfad in ("/", "/.well-known/caldav", heimat):
            antworten.append(self.heimat_antwort(pfad, namen))
            if pfad == heimat and tiefe != "0":
                for k_pfad, k in self.zustand.kalender.items():
                    antworten.append(self.kalender_antwort(k_pfad, k, namen))
        else:
            k, name = self.kalender_und_name(pfad)
            if k is None or name not in k.termine:
                return self.senden(404)
            antworten.append(self.termin_antwort(quote(pfad), k.termine[name][0], namen))
        self.xml_senden(multistatus(antworten))

    def heimat_antwort(self, pfad, namen):
        werte = {
            (DAV, "resourcetype"): "<d:collection/>",
            (DAV, "current-user-principal"): f"<d:href>{self.heimat()}</d:href>",
            (CALDAV, "calendar-home-set"): f"<d:href>{self.heimat()}</d:href>",
            (DAV, "displayname"): escape(self.zustand.benutzer),
        }
        return self.werte_antwort(quote(pfad), werte, namen)

    def kalender_antwort(self, pfad, kalender, namen):
        token = escape(TOKEN_PREFIX + str(kalender.revision))
        werte = {
            (DAV, "resourcetype"): "<d:collection/><c:calendar/>",
            (DAV, "displayname"): escape(kalender.anzeigename),
            (DAV, "getetag"): f'"k{kalender.revision}"',
            (DAV, "sync-token"): token,
            (CALDAV, "supported-calendar-component-set"): '<c:comp name="VEVENT"/>',
            (DAV, "supported-report-set"):
                "<d:supported-report><d:report><d:sync-collection/></d:report>"
                "</d:supported-report><d:supported-report><d:report><c:calendar-multiget/>"
                "</d:report></d:supported-report>",
            (DAV, "current-user-principal"): f"<d:href>{self.heimat()}</d:href>",
        }
        return self.werte_antwort(quote(pfad), werte, namen)

    def termin_antwort(self, href, etag, namen):
        werte = {
            (DAV, "resourcetype"): "",
            (DAV, "getetag"): escape(etag),
            (DAV, "getcontenttype"): "text/calendar; charset=utf-8; component=VEVENT",
        }
        return self.werte_antwort(href, werte, namen)

    @staticmethod
    def werte_antwort(href, werte, namen):
        gefunden = [(ns, n, werte[(ns, n)]) for ns, n in namen if (ns, n) in werte]
        fehlend = [(ns, n) for ns, n in namen if (ns, n) not in werte]
        return antwort_xml(href, gefunden, fehlend)

    def report(self, inhalt):
        try:
            wurzel = ET.fromstring(inhalt)
        except ET.ParseError:
            return self.senden(400)
        pfad = self.pfad()
        if not pfad.endswith("/"):
            pfad += "/"
        kalender = self.zustand.kalender.get(pfad)
        if kalender is None:
            return self.senden(404)
        namen = gewuenschte_eigenschaften(wurzel) or [(DAV, "getetag")]
        if wurzel.tag == f"{{{DAV}}}sync-collection":
            return self.sync_collection(pfad, kalender, wurzel, namen)
        if wurzel.tag == f"{{{CALDAV}}}calendar-multiget":
            return self.multiget(kalender, wurzel, namen)
        self.senden(403, b'<?xml version="1.0"?><d:error xmlns:d="DAV:">'
                         b"<d:supported-report/></d:error>",
                    {"Content-Type": "application/xml"})

    def sync_collection(self, pfad, kalender, wurzel, namen):
        token = (wurzel.findtext(f"{{{DAV}}}sync-token") or "").strip()
        seit = 0
        if token:
            nummer = token[len(TOKEN_PREFIX):] if token.startswith(TOKEN_PREFIX) else ""
            if not nummer.isdigit() or int(nummer) > kalender.revision:
                return self.senden(403, b'<?xml version="1.0"?><d:error xmlns:d="DAV:">'
                                        b"<d:valid-sync-token/></d:error>",
                                   {"Content-Type": "application/xml"})
            seit = int(nummer)
        antworten = []
        for name, revision in kalender.geaendert.items():
            if revision <= seit:
                continue
            href = escape(pfad + quote(name))
            termin = kalender.termine.get(name)
            if termin is None:
                if token:
                    antworten.append(f"<d:response><d:href>{href}</d:href>"
                                     "<d:status>HTTP/1.1 404 Not Found</d:status></d:response>")
                continue
            antworten.append(self.termin_antwort(pfad + quote(name), termin[0], namen))
        self.xml_senden(multistatus(antworten, TOKEN_PREFIX + str(kalender.revision)))

    def multiget(self, kalender, wurzel, namen):
        antworten = []
        for element in wurzel.findall(f"{{{DAV}}}href"):
            href = (element.text or "").strip()
            _, name = unquote(urlsplit(href).path).rpartition("/")[::2]
            termin = kalender.termine.get(name)
            if termin is None:
                antworten.append(f"<d:response><d:href>{escape(href)}</d:href>"
                                 "<d:status>HTTP/1.1 404 Not Found</d:status></d:response>")
                continue
            werte = {(DAV, "getetag"): escape(termin[0]),
                     (CALDAV, "calendar-data"): escape(termin[1].decode("utf-8"))}
            antworten.append(self.werte_antwort(href, werte, namen))
        self.xml_senden(multistatus(antworten))

    def mkcalendar(self, inhalt):
        pfad = self.pfad()
        if not pfad.endswith("/"):
            pfad += "/"
        if not pfad.startswith(self.heimat()) or pfad == self.heimat():
            return self.senden(403)
        if pfad in self.zustand.kalender:
            return self.senden(405)
        treffer = re.search(rb"<[^>]*displayname[^>]*>([^<]*)<", inhalt)
        anzeigename = treffer.group(1).decode("utf-8") if treffer else pfad.strip("/")
        self.zustand.kalender[pfad] = Kalender(anzeigename)
        self.senden(201)

    def get(self, _inhalt):
        kalender, name = self.kalender_und_name(self.pfad())
        termin = kalender.termine.get(name) if kalender else None
        if termin is None:
            return self.senden(404)
        self.senden(200, termin[1], {"ETag": termin[0],
                                     "Content-Type": "text/calendar; charset=utf-8"})

    def put(self, inhalt):
        kalender, name = self.kalender_und_name(self.pfad())
        if kalender is None or not name:
            return self.senden(409)
        vorhanden = kalender.termine.get(name)
        if not self.vorbedingung_erfuellt(vorhanden):
            return self.senden(412)
        etag = self.zustand.neues_etag()
        kalender.termine[name] = (etag, inhalt)
        kalender.aendern(name)
        self.senden(201 if vorhanden is None else 204, b"", {"ETag": etag})

    def delete(self, _inhalt):
        kalender, name = self.kalender_und_name(self.pfad())
        vorhanden = kalender.termine.get(name) if kalender else None
        if vorhanden is None:
            return self.senden(404)
        if not self.vorbedingung_erfuellt(vorhanden):
            return self.senden(412)
        del kalender.termine[name]
        kalender.aendern(name)
        self.senden(204)


def auf_ende_der_eingabe_warten():
    sys.stdin.buffer.read()
    os._exit(0)


def main():
    if len(sys.argv) != 3:
        sys.exit("Aufruf: referenzserver.py BENUTZER PASSWORT")
    Anfrage.zustand = Zustand(sys.argv[1], sys.argv[2])
    server = ThreadingHTTPServer(("127.0.0.1", 0), Anfrage)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    threading.Thread(target=auf_ende_der_eingabe_warten, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
