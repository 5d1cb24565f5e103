#pragma once

class Plan;
class QString;
struct Situation;

// What the start dialog needs of the window that shows the plan: where the settings lie, and
// the plan and calendar operations that "Weiter" and "Weiterplanen" run.
class Planstart
{
public:
    // The settings file; its lastsaved names the plan "Weiterplanen" opens.
    virtual QString Einstellungsdatei() const = 0;

    virtual Plan& plan() = 0;
    // A calendar for `situation`; with `neuPlanen` the plan search first makes a new plan.
    virtual void KalenderErstellen(const Situation& situation, bool neuPlanen) = 0;
    // Reads a plan file into the task list (appending) and the situation; on false *grund
    // says why.
    virtual bool PlanLaden(const QString& pfad, QString* grund) = 0;
    virtual void KalenderNeuAufbauen() = 0;
    virtual void KalenderAktualisieren() = 0;

protected:
    ~Planstart() = default;
};
