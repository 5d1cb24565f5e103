#pragma once

#include <QString>

#include <functional>

class Fensterdialoge;
class Plandateibefehle;
class QWidget;
class TKalenderForm;
struct Ladebericht;

// The main window's start sequence: splash window, start dialog or a plan opened from outside,
// the first plan, the window geometry. The start dialog's answer is carried out here also when
// the user begins anew later.
class Startablauf
{
public:
    // `kalenderBauen` builds the day cells for the document as it is.
    Startablauf(TKalenderForm& fenster, Fensterdialoge& dialoge, Plandateibefehle& dateibefehle,
                std::function<void()> kalenderBauen);

    // False when the user cancelled; the program ends then. With a plan file (opened from
    // outside, e.g. the file manager) that plan replaces the start dialog; one that cannot be
    // loaded is reported and the start dialog follows.
    bool Starten(const QString& plandatei);

    // The start dialog's answer carried out: a new plan, or the plan saved last. Without
    // `ersterPlan` a plan that cannot be loaded leaves the one shown.
    void StartwahlAusfuehren(bool ersterPlan);

    // What the window tells after a plan was loaded: damaged tasks in a message, shortened
    // texts in the status line.
    void GeladenMelden(const Ladebericht& bericht);

private:
    bool PlanVonAussenLaden(const QString& pfad);

    TKalenderForm& m_fenster;
    Fensterdialoge& m_dialoge;
    Plandateibefehle& m_dateibefehle;
    std::function<void()> m_kalenderBauen;
};

// The window geometry from the settings file (-1 = nothing stored: maximised).
void FensterLageSetzen(QWidget& fenster, int oben, int links, int breite, int hoehe);
