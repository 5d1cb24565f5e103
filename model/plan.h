#pragma once

#include "model/abgleichstand.h"
#include "model/katalog.h"
#include "model/situation.h"
#include "model/taufgabe.h"
#include "model/umplanung.h"

#include <QStringList>

#include <span>

// Where the plan reports what the user must be told: the window shows a message box, the
// command-line tool prints a line.
class PlanMelder
{
public:
    virtual ~PlanMelder() = default;
    virtual void KeineAbfolge(const QString& text) = 0;
};

// The plan: its tasks, their undo copy and the move situation, with the operations that make
// and check a plan. The main window owns one for the whole run.
class Plan
{
public:
    static const QString KeineAbfolgeText;

    Aufgabenliste& Aufgaben() { return m_aufgaben; }
    const Aufgabenliste& Aufgaben() const { return m_aufgaben; }
    // The undo copy ZustandSichern makes.
    const Aufgabenliste& Sicherung() const { return m_sicherung; }
    Situation& situation() { return m_situation; }
    const Situation& situation() const { return m_situation; }
    // The calendar sync, saved with the plan; undo leaves it alone (the server keeps what
    // was sent, so the next round sends the plan as undo made it).
    CalDavStand& Abgleich() { return m_abgleich; }
    const CalDavStand& Abgleich() const { return m_abgleich; }
    // The anchor day of the attempt in force.
    double Stichtag() const { return m_stichtag; }
    // The last search gave up.
    bool keineAbfolge() const { return m_keineAbfolge; }

    // Empties the list and appends one task per catalogue entry. The moving day
    // itself (Umzugsaufgabe) may fall on a Sunday or holiday only without a moving company.
    void KatalogLaden(bool spedition, std::span<const Taufgdata> katalog = Aufgabenkatalog());
    void AufgabenAuswaehlen(bool auszugsrenovierung, bool einzugsrenovierung, bool spedition,
                            bool kinder);
    void AufgabenTerminieren(double stichtag);
    // One line per broken order relation, with the task `nummer` judged at `start` on `tag`
    // (nummer -1: every task as it stands).
    QStringList ReihenfolgePruefen(qint32 nummer, qint32 start, double tag) const;
    // Replaces the task list with a dated plan for the stored situation's states and flags;
    // tells `melder` when no order without conflicts was found in the window.
    void AbfolgeSuchen(double einzugdatum, double auszugdatum, PlanMelder* melder,
                       std::span<const Taufgdata> katalog = Aufgabenkatalog());

    // Umplanen (umplanung.h) of this plan for `neu`; the plan itself is unchanged.
    Umplanung Umplanen(const Situation& neu, double einzugdatum, double auszugdatum,
                       bool eigeneVerschieben,
                       std::span<const Taufgdata> katalog = Aufgabenkatalog()) const;
    // Makes the worked-out plan this plan's tasks and situation.
    void UmplanungUebernehmen(Umplanung umplanung);

    int AufgabeSuchen(qint32 nummer) const;
    taufgabe* Aufgabe(qint32 nummer);
    qint32 NeueAufgabenNummer() const;
    double FruehesterTag() const;
    double SpaetesterTag() const;

    // Gives the plan its random ID (situation().PlanID) unless it has one; returns it. Called
    // before every save and calendar export, so the first of them makes it.
    const QString& PlanIdSicherstellen();

    void ZustandSichern();
    void ZustandWiederherstellen();

    // A holiday in either state.
    static bool Feiertag(double tag, int landA, int landB);
    // A Sunday or a holiday in either state: tasks without auchSonntags move off it.
    static bool TagGesperrt(double tag, int landA, int landB);

private:
    Aufgabenliste m_aufgaben;
    Aufgabenliste m_sicherung;
    Situation m_situation;
    CalDavStand m_abgleich;
    double m_stichtag = 0;
    bool m_keineAbfolge = false;

    void KatalogUebernehmen(const Aufgabenliste& vorlage, bool spedition);
};

// The catalogue turned into tasks once, in table order (no situation applied).
Aufgabenliste KatalogAufgaben(std::span<const Taufgdata> katalog);
