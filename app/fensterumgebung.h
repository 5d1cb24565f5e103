#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// What the main window is given when it is made. The clock is model/uhr.h, which tests fix.
// Every member is initialised here, so designated initialisers may leave any of them out
// (-Wmissing-field-initializers).
struct Fensterumgebung
{
    // The settings file; empty: the program's own (EinstellungsPfad).
    QString einstellungsPfad{};
    // Opening a task, or a new (-1) or existing own task on a day; empty: the program's
    // task dialogs. Tests may put recorders here.
    std::function<void(qint32 nummer)> aufgabeOeffnen{};
    std::function<void(qint32 nummer, double tag)> eigeneAufgabeOeffnen{};
};
