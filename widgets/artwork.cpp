#include "widgets/artwork.h"

namespace Artwork {

namespace {

struct Eintrag
{
    QLatin1String bild;
    const char* name;
    const char* beschreibung;
};

constexpr Eintrag Eintraege[] = {
    {Kalender::Rueckgaengig, "Rückgängig", "Nimmt die letzte Änderung am Plan zurück"},
    {Kalender::Hilfe, "Hilfe", "Öffnet die Hilfe"},
    {Kalender::NeueAufgabe, "Neue Aufgabe", "Fügt eine eigene Aufgabe hinzu"},
    {Kalender::NeuBeginnen, "Neu beginnen", "Plant einen neuen Umzug"},
    {Kalender::UmzugAendern, "Umzug ändern",
     "Plant den Umzug für neue Daten oder Angaben neu und behält Notizen und Erledigtes"},
    {Kalender::Speichern, "Speichern", "Speichert den Plan in einer Datei"},
    {Kalender::Laden, "Laden", "Öffnet einen gespeicherten Plan"},
    {Kalender::Vorlagen, "Vorlagen", "Druckt Postkarten und Protokolle"},
    {Kalender::Drucken, "Drucken", "Druckt den Umzugskalender"},
    {Kalender::Export, "An Kalender", "Übergibt alle Aufgaben an den Kalender des Desktops"},
    {Kalender::Abgleichen, "Abgleichen",
     "Hält den Plan mit einem Kalender auf einem Server in Einklang"},
    {Kalender::Ende, "Ende", "Beendet den Kistenlotsen"},
    {Situation::Abbrechen, "Abbrechen", "Schließt den Dialog ohne neuen Plan"},
    {Situation::Weiterplanen, "Weiterplanen", "Öffnet den zuletzt gespeicherten Umzug"},
    {Situation::Weiter, "Weiter", "Plant den Umzug mit diesen Angaben"},
    {Termin::Abbrechen, "Abbrechen", "Schließt den Dialog ohne Änderung"},
    {Termin::Loeschen, "Aufgabe löschen",
     "Löscht die Aufgabe und die Aufgaben, die von ihr abhängen"},
    {Termin::Uebernehmen, "Übernehmen", "Übernimmt die Änderungen in den Plan"},
    {Termin::Drucken, "Drucken", "Druckt ein Blatt zu dieser Aufgabe"},
    {Termin::Druckvorlagen, "Druckvorlagen", "Druckt Postkarten und Protokolle"},
    {EigenerTermin::Abbrechen, "Abbrechen", "Schließt den Dialog ohne Änderung"},
    {EigenerTermin::Loeschen, "Aufgabe löschen", "Löscht die Aufgabe"},
    {EigenerTermin::Uebernehmen, "Übernehmen", "Übernimmt die Änderungen in den Plan"},
    {EigenerTermin::Drucken, "Drucken", "Druckt ein Blatt zu dieser Aufgabe"},
    {Druckvorlagen::Fertig, "Fertig", "Schließt den Dialog"},
    {Druckvorlagen::DruckStarten, "Druck starten", "Druckt die gewählte Vorlage"},
    {Druckvorlagen::Druckeinstellung, "Druckeinstellung", "Wählt Drucker und Papier"},
    {Reihenfolge::Mitverschieben, "Abhängige Aufgaben mitverschieben",
     "Verschiebt auch die Aufgaben, die von dieser abhängen, so dass die Reihenfolge stimmt"},
};

} // namespace

Knopftext KnopftextZu(const QString& bild)
{
    for (const Eintrag& e : Eintraege)
        if (bild == e.bild)
            return {QString::fromUtf8(e.name), QString::fromUtf8(e.beschreibung)};
    return {};
}

} // namespace Artwork
