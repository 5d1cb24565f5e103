#pragma once

#include <QString>

class Plandokument;

// Ticking a task off in the calendar, and what the status line says of it.
namespace Erledigtbefehl {

// "„Umzugskartons besorgen“ als erledigt markiert." or, opened again, "… wieder als offen
// markiert."
QString Ansage(const QString& titel, bool erledigt);

// Flips the done state of task `nummer` as one undo step. The status line's text; empty when
// the plan has no such task.
QString Umschalten(Plandokument& dokument, qint32 nummer);

} // namespace Erledigtbefehl
