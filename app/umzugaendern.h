#pragma once

#include <QString>

#include <optional>

class Fensterdialoge;
class Plandokument;
class PlanMelder;
class QWidget;

// The command "Umzug ändern": the start dialog filled with the plan's own situation, then the
// plan worked out anew for the answer (Plan::Umplanen). Order conflicts of the result are shown
// as for a drag and keep the plan as it is; own tasks move with the moving day or stay, as the
// user answers; tasks with a note or ticked off are dropped only after a question naming them.
// The change, situation included, is one undo step of `dokument`. Returns the status line's
// text when the plan changed, nothing when the user cancelled or a conflict stopped it.
// `melder` hears when a plan without tasks, planned anew, found no order.
std::optional<QString> UmzugAendern(Plandokument& dokument, Fensterdialoge& dialoge,
                                    QWidget* fenster, PlanMelder* melder);
