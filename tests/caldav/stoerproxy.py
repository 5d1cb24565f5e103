#!/usr/bin/python3
"""A fault-injecting HTTP proxy on loopback in front of a CalDAV server.

Forwards every request to the server unchanged, with keep-alive on both sides, until a fault
is set through the control address: POST /__stoerung with a body of one line

    ART METHODE N [WERT]

which applies to the N-th request (counted from 1) of METHODE (or "*") from then on:
    abbruch   forward the request, then close the connection without an answer
    status    answer with the HTTP status WERT without forwarding
    kaputt    forward, but answer with a body that is no XML (status kept)
    langsam   wait WERT milliseconds before answering (after forwarding)
and "aus" clears it. GET /__stoerung answers the number of forwarded requests per method.

Usage: stoerproxy.py PORT ZIELPORT
"""
import http.client
import http.server
import sys
import threading
import time

ZIEL = ("127.0.0.1", int(sys.argv[2]))
lock = threading.Lock()
stoerung = None  # (art, methode, n, wert)
gezaehlt = {}  # method -> requests seen since the fault was set
weitergeleitet = {}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _koerper(self):
        laenge = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(laenge) if laenge else b""

    def _antworten(self, status, koerper, kopf=()):
        self.send_response(status)
        for name, wert in kopf:
            self.send_header(name, wert)
        self.send_header("Content-Length", str(len(koerper)))
        self.end_headers()
        self.wfile.write(koerper)

    def _steuern(self):
        global stoerung, gezaehlt
        if self.command == "GET":
            with lock:
                text = "".join("%s %d\n" % kv for kv in sorted(weitergeleitet.items()))
            return self._antworten(200, text.encode())
        zeile = self._koerper().decode().split()
        with lock:
            gezaehlt = {}
            weitergeleitet.clear()
            if not zeile or zeile[0] == "aus":
                stoerung = None
            else:
                stoerung = (zeile[0], zeile[1], int(zeile[2]), zeile[3] if len(zeile) > 3 else "")
        self._antworten(204, b"")

    def _weiterleiten(self, koerper):
        verbindung = getattr(self, "_ziel", None)
        kopf = {k: v for k, v in self.headers.items() if k.lower() not in ("host", "connection")}
        kopf["Host"] = "%s:%d" % ZIEL
        for versuch in range(2):
            if verbindung is None:
                verbindung = http.client.HTTPConnection(*ZIEL, timeout=30)
            try:
                verbindung.request(self.command, self.path, body=koerper, headers=kopf)
                antwort = verbindung.getresponse()
                daten = antwort.read()
                self._ziel = verbindung
                return antwort.status, daten, [(k, v) for k, v in antwort.getheaders()
                                               if k.lower() not in ("connection", "content-length",
                                                                    "transfer-encoding", "keep-alive")]
            except (http.client.HTTPException, OSError):
                verbindung.close()
                verbindung = None
                if versuch:
                    raise
        raise RuntimeError("unreachable")

    def _bearbeiten(self):
        if self.path.startswith("/__stoerung"):
            return self._steuern()
        koerper = self._koerper()
        with lock:
            gezaehlt[self.command] = gezaehlt.get(self.command, 0) + 1
            gezaehlt["*"] = gezaehlt.get("*", 0) + 1
            art = None
            if stoerung and stoerung[1] in (self.command, "*") and \
                    gezaehlt[stoerung[1]] == stoerung[2]:
                art, wert = stoerung[0], stoerung[3]
        if art == "status":
            return self._antworten(int(wert), b"", [("Content-Type", "text/plain")])
        status, daten, kopf = self._weiterleiten(koerper)
        with lock:
            weitergeleitet[self.command] = weitergeleitet.get(self.command, 0) + 1
        if art == "abbruch":
            self.close_connection = True
            self.connection.shutdown(2)
            return
        if art == "kaputt":
            daten = b"<multistatus xmlns='DAV:'><response><href>"
            kopf = [(k, v) for k, v in kopf if k.lower() != "content-encoding"]
        if art == "langsam":
            time.sleep(int(wert) / 1000.0)
        self._antworten(status, daten, kopf)

    def __getattr__(self, name):
        if name.startswith("do_"):
            return self._bearbeiten
        raise AttributeError(name)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


if __name__ == "__main__":
    Server(("127.0.0.1", int(sys.argv[1])), Handler).serve_forever()
