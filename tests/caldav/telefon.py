#!/usr/bin/python3
"""A second calendar client, as a phone would be: changes the plan's events between rounds.

Usage: telefon.py KALENDER-URL BENUTZER PASSWORT BEFEHL [ARGUMENTE]
    verschieben UID MINUTEN   moves the event's begin and end
    umbenennen UID TITEL      gives it a new SUMMARY
    loeschen UID              deletes it
    anlegen UID TITEL         adds an event of its own (tomorrow 10:00, one hour)
    zaehlen PRAEFIX           prints how many events have a UID beginning with PRAEFIX
    zeigen UID                prints SUMMARY and DTSTART (ISO, in the event's own zone)
    kalender-loeschen         deletes the whole calendar
    kalender-anlegen          makes the calendar (MKCALENDAR at KALENDER-URL)
Certificates are not checked (the test server's is self-signed). Exit status 1 on failure.
"""
import datetime
import sys

import caldav


def ereignis(kalender, uid):
    return kalender.event_by_uid(uid)


def main():
    url, benutzer, passwort, befehl, *argumente = sys.argv[1:]
    client = caldav.DAVClient(url=url, username=benutzer, password=passwort, ssl_verify_cert=False)
    kalender = caldav.Calendar(client=client, url=url)
    if befehl == "verschieben":
        e = ereignis(kalender, argumente[0])
        komponente = e.icalendar_component
        um = datetime.timedelta(minutes=int(argumente[1]))
        for feld in ("dtstart", "dtend"):
            if feld in komponente:
                wert = komponente[feld].dt + um
                del komponente[feld]
                komponente.add(feld, wert)
        e.save()
    elif befehl == "umbenennen":
        e = ereignis(kalender, argumente[0])
        komponente = e.icalendar_component
        del komponente["summary"]
        komponente.add("summary", argumente[1])
        e.save()
    elif befehl == "loeschen":
        ereignis(kalender, argumente[0]).delete()
    elif befehl == "anlegen":
        beginn = datetime.datetime.now().replace(microsecond=0, second=0, minute=0, hour=10) + \
            datetime.timedelta(days=1)
        format = "%Y%m%dT%H%M%S"
        kalender.save_event("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Telefon//DE\r\n"
                            "BEGIN:VEVENT\r\nUID:%s\r\nDTSTAMP:20270101T000000Z\r\n"
                            "DTSTART:%s\r\nDTEND:%s\r\nSUMMARY:%s\r\nEND:VEVENT\r\n"
                            "END:VCALENDAR\r\n" % (
                                argumente[0], beginn.strftime(format),
                                (beginn + datetime.timedelta(hours=1)).strftime(format),
                                argumente[1]))
    elif befehl == "zaehlen":
        anzahl = 0
        for e in kalender.events():
            if str(e.icalendar_component.get("uid", "")).startswith(argumente[0]):
                anzahl += 1
        print(anzahl)
    elif befehl == "zeigen":
        komponente = ereignis(kalender, argumente[0]).icalendar_component
        print(str(komponente["summary"]))
        print(komponente["dtstart"].dt.isoformat())
    elif befehl == "kalender-loeschen":
        kalender.delete()
    elif befehl == "kalender-anlegen":
        antwort = client.mkcalendar(url)
        if antwort.status not in (200, 201):
            print("telefon: MKCALENDAR %s" % antwort.status, file=sys.stderr)
            return 1
    else:
        print("unbekannter Befehl: " + befehl, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception as fehler:  # the test reads the message
        print("telefon: %s: %s" % (type(fehler).__name__, fehler), file=sys.stderr)
        sys.exit(1)
