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
    // A plan ID made since (PlanIdSicherstellen) counts as a change too.
    bool Geaendert() const { return m_stand != m_gespeichert || m_idUngespeichert; }
    bool RueckgaengigMoeglich() const { return m_schritt.has_value(); }

    // Begins a change: the whole plan as it is now becomes the undo step.
    void ZustandSichern();
    // Back to the plan of the undo step; then nothing is left to undo.
    void Rueckgaengig();

    // A new plan for `situation` (its date texts in the short form) from the plan search;
    // `melder` hears when no order without conflicts was found.
    void NeuPlanen(const Situation& situation, PlanMelder* melder);
    // Takes over the plan worked out for a changed situation (Plan::Umplanen) as one undo
    // step, which brings back the old tasks, situation and span together.
    void UmplanungUebernehmen(Umplanung umplanung);
    // Keeps the tasks and shows them for `situation` (its date texts normalised).
    void SituationSetzen(const Situation& situation);
    // The span computed anew around the tasks.
    void SpanneNeuBerechnen();
    // The calendar sync after a round: a changed state makes the plan unsaved (no undo step).
    void AbgleichSetzen(const CalDavStand& abgleich);

    // Ticks task `nummer` off (`erledigt`) or opens it again, as one undo step. False when
    // the plan has no such task or it has that state already; then nothing changed.
    bool ErledigtSetzen(qint32 nummer, bool erledigt);
    // The opposite of the task's done state, as ErledigtSetzen. False without such a task.
    bool ErledigtUmschalten(qint32 nummer);

    // Replaces the plan by the file's. On false nothing changed and bericht->grund says why.
    bool Laden(const QString& pfad, Ladebericht* bericht);
    // Writes the plan to `pfad`, then lastsaved. False (with *fehler) when the plan file was
    // not written; a failure of the settings file alone leaves the plan saved and puts its
    // message into *einstellungsFehler.
    bool Speichern(const QString& pfad, QString* fehler, QString* einstellungsFehler);
    // The plan's ID for a calendar export: its own, or a new one while it has none (the first
    // save makes one too). PlanIdUebernehmen makes a new one the plan's once an export carried
    // it; it is not in the plan's file then, so the plan counts as changed until it is saved
    // and the exported appointments keep their plan. Undo keeps the ID.
    QString ExportPlanId() const;
    void PlanIdUebernehmen(const QString& id);
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
    bool m_idUngespeichert = false; // the plan's ID was made after the last load or save
    std::optional<Schritt> m_schritt;
    QString m_datei;
    Dateistand m_dateistand;
};
