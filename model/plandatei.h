#pragma once

#include "model/abgleichstand.h"
#include "model/bigini.h"
#include "model/einstellungsdatei.h"
#include "model/ordner.h"
#include "model/situation.h"
#include "model/taufgabe.h"

#include <QRect>
#include <QString>

// Plan files (*.kvr) and the settings file kistenlotse.ini, on top of TBigIniFile.
//
// The save command must use this order, so that nothing is lost and nothing is promised that
// was not written:
//   1. PlanSchreiben (the whole plan, released atomically; the old file stays intact on any
//      failure);
//   2. only when that succeeded, LastsavedSchreiben with the same path.
// PlanDateiSpeichern does both in that order.
//
// Loading: the caller empties the task list, calls PlanLaden and, on false, empties it again
// or restores its undo copy; PlanLaden only appends.

// The longest values a plan holds; longer ones in a file are cut when it is read.
namespace Plangrenzen {
constexpr qsizetype Titel = 255;   // Kurzbezeichnung and the two date texts, characters
constexpr qsizetype Text = 65536;  // Beschreibung and Notiz in their one-line form
constexpr qsizetype Vorher = 1000; // numbers in vorher
// Of the whole plan, so that no file can make millions of lines or conflict texts:
constexpr qsizetype ZeilenGesamt = 1000000; // lines of all Beschreibung and Notiz together
constexpr qsizetype VorherGesamt = 100000;  // numbers of all vorher lists together
} // namespace Plangrenzen

// The first line of every message about a plan that could not be loaded; the reason follows
// on the next line.
inline constexpr QStringView LadefehlerText = u"Beim Laden der Datei ist ein Fehler aufgetreten";

// What PlanLaden tells besides true or false.
struct Ladebericht
{
    QString grund;    // why the plan could not be read, one German sentence
    Dateistand stand; // the file as read, to notice a second writer later
    int gekuerzt = 0; // values cut to Plangrenzen and sections dropped as duplicates
    // A damaged file: tasks not loaded because their day is missing or no date, and tasks whose
    // missing or unreadable values were replaced by defaults (with those keys), each named as
    // "9 „Packen“".
    QStringList ohneTag;
    QStringList ergaenzt;
    // For the user, when either list is not empty: what was damaged and what it means for
    // saving, German sentences on separate lines; empty for a whole file.
    QString hinweis;
};

// Writes the task's section (named by its Nummer) with the keys of Planfelder::Aufgabe in
// their order. False when the store refused a value; the keys written up to then stay.
bool AufgabeEintragen(const taufgabe& aufgabe, TBigIniFile& ini);

// Sets Nummer and reads the section of that number with the defaults of the plan file (which
// differ from those of a new task). False for an empty or missing Kurzbezeichnung; the task
// keeps everything read. A missing or invalid Tag leaves Tag NaN: the task has no day.
// *ergaenzt (if given) gets the keys whose values were missing or unreadable.
bool AufgabeLesen(taufgabe& aufgabe, const TBigIniFile& ini, qint32 nummer,
                  QStringList* ergaenzt = nullptr);

// The vorher list: items separated by commas and blanks, double quotes around an item that
// holds either ("" inside quotes is one quote); an item that is no integer becomes -1.
QList<qint32> VorherLesen(QStringView text);
// At most `hoechstens` numbers; *gekuerzt (if given) tells whether more followed.
QList<qint32> VorherLesen(QStringView text, qsizetype hoechstens, bool* gekuerzt);

// A section name that is a whole number of 0 or more (decimal digits, at most 2^31 - 1).
bool IstAufgabenabschnitt(QStringView name, qint32* nummer);

// Reads the situation from "allgemein" and appends one task per task section in file order,
// also those without a title, but none without a valid day (those are named in the report, as
// are tasks whose missing values were defaulted). False when the file could not be read, has no
// section, or its last section is a task section without a title; also, without appending anything,
// for more than 100,000 task sections (no plan has that many; a hostile file would cost gigabytes).
//
// Values beyond the limits of Plangrenzen are cut on reading (a hostile file cannot make a
// title of megabytes or a vorher list of millions), and counted in the report. So is every
// section dropped because an earlier one had the same name or named the same task ("[7]" and
// "[007]"): of those, the first counts.
//
// `abgleich` (if given) gets the plan's calendar sync: empty for a plan never synchronised; of
// the tasks only the entries of those loaded.
bool PlanLaden(const QString& pfad, Aufgabenliste& aufgaben, Situation& situation,
               Ladebericht* bericht = nullptr, CalDavStand* abgleich = nullptr);
bool PlanLaden(const TBigIniFile& ini, Aufgabenliste& aufgaben, Situation& situation,
               Ladebericht* bericht = nullptr, CalDavStand* abgleich = nullptr);

// Puts the situation ("allgemein", keys of Planfelder::Kopf, with the calendar span from
// `ersterTag` over `tage` days) and then every task into `ini`. Tasks of equal number share
// the first one's section with the last one's values. False as soon as a value is refused.
// The keys of the calendar sync are written only when `abgleich` is given and not empty.
bool PlanEintragen(TBigIniFile& ini, const Aufgabenliste& aufgaben, const Situation& situation,
                   double ersterTag, int tage, const CalDavStand* abgleich = nullptr);

// Writes the plan file anew: built in memory, then released atomically over any old file.
// False with a message in *fehler when a task cannot be written (nothing is written then) or
// the file cannot be written (the old file stays as it was).
// `stand` (if given) gets the state of the file written.
bool PlanSchreiben(const QString& pfad, const Aufgabenliste& aufgaben, const Situation& situation,
                   double ersterTag, int tage, QString* fehler = nullptr,
                   Dateistand* stand = nullptr, const CalDavStand* abgleich = nullptr);

// The file steps of the save command in the order above. Returns whether the plan file was
// written; then a failure of the settings file alone leaves *fehler empty and puts its message
// into *einstellungsFehler (the plan is safe, only "Weiterplanen" will not offer it).
bool PlanDateiSpeichern(const QString& planPfad, const QString& einstellungsPfad,
                        const Aufgabenliste& aufgaben, const Situation& situation, double ersterTag,
                        int tage, QString* fehler = nullptr, QString* einstellungsFehler = nullptr,
                        Dateistand* stand = nullptr, const CalDavStand* abgleich = nullptr);
