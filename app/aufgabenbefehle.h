#pragma once

#include <QtGlobal>

class Fensterdialoge;
class Plandokument;
class QWidget;

// The calendar's commands on single tasks of the plan document, with their questions and
// the order-conflict dialog. Each change that happens is one undo step.
class Aufgabenbefehle
{
public:
    Aufgabenbefehle(Plandokument& dokument, Fensterdialoge& dialoge, QWidget* fenster);

    // What a drag did.
    enum class Zug
    {
        Abgelehnt,      // nothing moved
        Verschoben,     // every moved task stays within the calendar
        SpanneVerlassen // a moved task left the days [erster, letzter]
    };
    // Gives task `nummer` the day `tag` as a drag does: the order check, where it fails the
    // conflict dialog with the offer to move the dependants along.
    Zug Ziehen(qint32 nummer, double tag, double erster, double letzter);
    // May the task be given this start slot and day? Shows the conflicts when not.
    bool Verschieben(qint32 nummer, qint32 start, double tag);
    // Asks, naming the task and the tasks that depend on it, then deletes them all. True
    // when deleted.
    bool Loeschen(qint32 nummer);

private:
    Plandokument& m_dokument;
    Fensterdialoge& m_dialoge;
    QWidget* m_fenster;
};
