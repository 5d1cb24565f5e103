#pragma once

#include "model/abgleichstand.h"
#include "model/situation.h"
#include "model/taufgabe.h"

#include <QStringView>

#include <array>
#include <variant>

// The keys of a plan file, in the order they are written. These tables drive reading and
// writing plan files and the command-line tool's JSON: a new field is one more row here (and
// its member). A key whose row has nurWennGesetzt is written only when its value is true (a
// text: not empty), so
// plans that do not use it stay byte for byte as older versions wrote them.
//
// The value's form in the file follows the member's type:
//   QString       one line; a line break becomes a blank (titles, date texts)
//   QStringList   the one-line form: every line followed by '|' (taufgabe.h)
//   qint32        decimal
//   bool          "1" or "0"
//   QList<qint32> numbers separated by "," (read as VorherLesen describes)
//   double        the day "dd.mm.yyyy"
namespace Planfelder {

struct Aufgabenfeld
{
    using Ziel = std::variant<QString taufgabe::*, QStringList taufgabe::*, qint32 taufgabe::*,
                              bool taufgabe::*, QList<qint32> taufgabe::*, double taufgabe::*>;
    QStringView schluessel;
    Ziel ziel;
    qint32 vorgabe = 0; // what a missing or unreadable number or bool reads as
    bool nurWennGesetzt = false;
};

// The task section "[Nummer]".
inline constexpr std::array<Aufgabenfeld, 17> Aufgabe{{
    {u"Kurzbezeichnung", &taufgabe::Kurzbezeichnung},
    {u"Beschreibung", &taufgabe::Beschreibung},
    {u"Notiz", &taufgabe::Notiz},
    {u"Druckvorlage", &taufgabe::Druckvorlage, 0},
    {u"ausserhalbBuerozeit", &taufgabe::ausserhalbBuerozeit, 1},
    {u"auchSonntags", &taufgabe::auchSonntags, 1},
    {u"vorher", &taufgabe::vorher},
    {u"beiAuszugsrenovierung", &taufgabe::beiAuszugsrenovierung, 1},
    {u"beiEinzugsrenovierung", &taufgabe::beiEinzugsrenovierung, 1},
    {u"mitSpedition", &taufgabe::mitSpedition, 1},
    {u"ohneSpedition", &taufgabe::ohneSpedition, 1},
    {u"vorgabeDauer", &taufgabe::vorgabeDauer, 0},
    {u"Tag", &taufgabe::Tag},
    {u"Start", &taufgabe::Start, 0},
    {u"Dauer", &taufgabe::Dauer, 0},
    {u"Benutzeraufgabe", &taufgabe::Benutzeraufgabe, 0},
    {u"Erledigt", &taufgabe::Erledigt, 0, true},
}};

// The calendar span the window showed when the plan was saved: written for older versions of
// the program, never read (the span follows from the tasks).
enum class Spannenwert
{
    Tage,
    ErsterTag
};

struct Situationsfeld
{
    using Ziel =
        std::variant<qint32 Situation::*, bool Situation::*, QString Situation::*, Spannenwert>;
    QStringView schluessel;
    Ziel ziel;
    qint32 vorgabe = 0;
    QStringView textVorgabe = {};
    bool nurWennGesetzt = false; // a text: written only when not empty
};

// The section "allgemein".
inline constexpr QStringView Allgemein = u"allgemein";
inline constexpr std::array<Situationsfeld, 11> Kopf{{
    {u"BundeslandA", &Situation::BundeslandA, -1},
    {u"BundeslandB", &Situation::BundeslandB, -1},
    {u"anzdays", Spannenwert::Tage},
    {u"firstday", Spannenwert::ErsterTag},
    {u"Auszugsrenovierung", &Situation::Auszugsrenovierung, 1},
    {u"Einzugsrenovierung", &Situation::Einzugsrenovierung, 1},
    {u"Spedition", &Situation::Spedition, 0},
    {u"Kinder", &Situation::Kinder, 0},
    {u"Einzugdatum", &Situation::Einzugdatum, 0, u"01.01.2000"},
    {u"Auszugdatum", &Situation::Auszugdatum, 0, u"01.01.2000"},
    {u"PlanID", &Situation::PlanID, 0, u"", true},
}};

// The calendar sync (abgleichstand.h), written only for a synchronised plan: the calendar in
// "allgemein", each task's entry in its section, and the entry of a task deleted in the plan
// but not yet on the server in "allgemein" under the prefix and its number ("CalDavGeloescht.12").
struct Abgleichfeld
{
    QStringView schluessel;
    QString CalDavStand::*ziel;
};
inline constexpr std::array<Abgleichfeld, 2> AbgleichKopf{{
    {u"CalDavUrl", &CalDavStand::KalenderUrl},
    {u"CalDavSyncToken", &CalDavStand::SyncToken},
}};
inline constexpr QStringView AbgleichEtag = u"CalDavEtag";
inline constexpr QStringView AbgleichHash = u"CalDavHash";
inline constexpr QStringView AbgleichGeloescht = u"CalDavGeloescht.";

} // namespace Planfelder
