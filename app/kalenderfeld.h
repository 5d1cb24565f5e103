#pragma once

#include "app/kalendertastatur.h"

#include <QPoint>

class QKeyEvent;
class QString;
class Ziehzustand;
class tday;

// What a day cell needs of the calendar it sits in: the days it marks, the drag that runs
// across the cells, the status line, and the calendar's answer to its mouse releases and keys.
class Kalenderfeld
{
public:
    // The first cell of the calendar names its month.
    virtual double ErsterTag() const = 0;
    // Days before this one are dimmed, this one is framed.
    virtual double HeutigerTag() const = 0;

    virtual const Ziehzustand& gezogeneAufgabe() const = 0;
    virtual void ZiehzustandSetzen(Ziehzustand zustand) = 0;

    virtual void StatusAnzeigen(const QString& text) = 0;

    // Release of a mouse button that was pressed on `quelle`, at `pos` in its coordinates:
    // ends the drag, or opens what was clicked.
    virtual void ZellenFreigabe(tday* quelle, QPoint pos) = 0;
    // The pointer at `pos` in `quelle`'s coordinates while a task is dragged from it.
    virtual void ZiehenBei(tday* quelle, QPoint pos) = 0;
    // A key pressed in `zelle`; false for a key the calendar does not use.
    virtual bool ZellenTaste(tday* zelle, QKeyEvent* ereignis) = 0;
    // Carries out a command on `zelle` (one of its context menu, or of a key).
    virtual void ZellenBefehl(tday* zelle, const Kalendertastatur::Ziel& ziel) = 0;
    // `zelle` got the focus from the mouse.
    virtual void ZelleHatFokus(tday* zelle) = 0;

protected:
    ~Kalenderfeld() = default;
};
