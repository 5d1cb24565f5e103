#pragma once

#include "model/kalender.h"
#include "model/situation.h"
#include "model/taufgabe.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

// What the tool prints about a plan, in text or as JSON.
struct PlanAusgabe
{
    std::optional<double> Stichtag; // only for a plan just searched
    bool keineAbfolge = false;
    QString keineAbfolgeText;
    Situation situation;
    Kalenderspanne spanne;
    Aufgabenliste aufgaben;
    QStringList konflikte;
};

// The text with every C0 and C1 control character (and DEL) shown as "\x1B": a plan's text
// can neither steer the terminal nor break the tab-separated lines.
QString Sichtbar(QStringView text);

// One line per task (Nummer, day, begin, duration, title, and "erledigt" for a task ticked
// off, tab-separated), then the conflict
// lines, then the give-up message if it was due.
QByteArray AlsText(const PlanAusgabe& plan);
QByteArray AlsJson(const PlanAusgabe& plan);
