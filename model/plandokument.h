#pragma once

#include "model/dateizugriff.h"
#include "model/kalender.h"
#include "model/plan.h"
#include "model/plandatei.h"

#include <QObject>
#include <QString>

#include <optional>

// The plan as a document: the plan and the calendar span it is shown in, the file it was
// loaded from or saved to, whether it holds changes that file lacks, and one step of undo
// that brings back the whole plan (tasks, situation and span together). The window shows it
// and forwards the user's commands.
//
// Every change the user confirmed follows one protocol: ZustandSichern, then change plan();
// SpanneNeuBerechnen when a task's day left the span. Commands that replace the plan as a
// whole (NeuPlanen, Laden) take their undo step themselves.
class Plandokument final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Plandokument)

public:
    // `einstellungsPfad`: the settings file, whose lastsaved a successful save sets.
    explicit Plandokument(QString einstellungsPfad, QObject* eltern = nullptr);
    ~Plandokument() override;

    Plan& plan() { return m_plan; }
    const Plan& plan() const { return m_plan; }
    const Kalenderspanne& Spanne() const { return m_spanne; }
    const QString& Einstellungsdatei() const { return m_einstellungsPfad; }
    // The plan file loaded or saved last; empty while the plan has none.
    const QString& Datei() const { return m_datei; }

    // Whether the plan differs from what was last loaded or saved. A plan made at the start
    // of a run counts as unchanged; a later new plan, as changed.
    bool Geaendert() const { return m_stand != m_gespeichert; }
    bool RueckgaengigMoeglich() const { return m_schritt.has_value(); }

    // Begins a change: the whole plan as it is now becomes the undo step.
    void ZustandSichern();
    // Back to the plan of the undo step; then nothing is left to undo.
    void Rueckgaengig();

    // A new plan for `situation` (its date texts in the short form) from the plan search;
    // `melder` hears when no order without conflicts was found.
    void NeuPlanen(const Situation& situation, PlanMelder* melder);
    // Keeps the tasks and shows them for `situation` (its date texts normalised).
    void SituationSetzen(const Situation& situation);
    // The span computed anew around the tasks.
    void SpanneNeuBerechnen();
    // The calendar sync after a round: a changed state makes the plan unsaved (no undo step).
    void AbgleichSetzen(const CalDavStand& abgleich);

    // Replaces the plan by the file's. On false nothing changed and bericht->grund says why.
    bool Laden(const QString& pfad, Ladebericht* bericht);
    // Writes the plan to `pfad`, then lastsaved. False (with *fehler) when the plan file was
    // not written; a failure of the settings file alone leaves the plan saved and puts its
    // message into *einstellungsFehler.
    bool Speichern(const QString& pfad, QString* fehler, QString* einstellungsFehler);
    // Whether `pfad` is the file loaded or saved last and someone else wrote it since.
    bool FremdGeschrieben(const QString& pfad) const;

Q_SIGNALS:
    // Geaendert, RueckgaengigMoeglich or Datei may have changed.
    void ZustandGewechselt();

private:
    // What undo brings back besides the tasks (which Plan keeps in its Sicherung).
    struct Schritt
    {
        Situation situation;
        CalDavStand abgleich; // brought back only with another plan (PlanID)
        Kalenderspanne spanne;
        quint64 stand = 0;
    };

    void Veraendert();
    void Uebernehmen(Aufgabenliste aufgaben, const Situation& situation, CalDavStand abgleich);

    QString m_einstellungsPfad;
    Plan m_plan;
    Kalenderspanne m_spanne;
    bool m_hatPlan = false; // false until the first plan of the run
    // Each change gets a new number; the plan is unchanged while it has the saved one.
    quint64 m_stand = 0;
    quint64 m_gespeichert = 0;
    quint64 m_letzterStand = 0;
    std::optional<Schritt> m_schritt;
    QString m_datei;
    Dateistand m_dateistand;
};
