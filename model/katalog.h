#pragma once

#include <QtGlobal>

#include <span>

// The catalogue's task "Umziehen", the move itself: day offset 0, drawn bold in a colour of its
// own.
inline constexpr qint32 Umzugsaufgabe = 7;

// One entry of the built-in task catalogue.
struct Taufgdata
{
    qint32 Nummer = 0;
    const char* Kurzbezeichnung = "";
    const char* Beschreibung = ""; // one-line form: every line followed by '|'
    const char* Notiz = "";
    bool ausserhalbBuerozeit = false;
    bool auchSonntags = false;
    const char* vorher = ""; // comma-separated task numbers, "" for none
    bool beiAuszugsrenovierung = false;
    bool beiEinzugsrenovierung = false;
    bool mitSpedition = false;
    bool ohneSpedition = false;
    bool mitKindern = false;
    qint32 Tag = 0; // day offset from the moving day
    qint32 vorgabeDauer = 0;
    qint32 Start = 0;
    qint32 Dauer = 0;
};

// The 44 catalogue entries in their fixed (alphabetical) order.
std::span<const Taufgdata> Aufgabenkatalog();

// The advice text of catalogue task `nummer` in the one-line form; "" for unknown numbers.
const char* Beratungstext(qint32 nummer);
