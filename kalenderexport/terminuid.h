#pragma once

#include <QString>

// The UID of a task's appointment: the same in every export and on a calendar server, so that
// a calendar that receives the plan again updates its appointments instead of doubling them.
// `planId` is the plan's own random ID (kept in the plan file); an appointment whose UID does
// not begin with TerminUidPraefix(planId) was not made by this plan.
QString TerminUid(const QString& planId, qint32 nummer);
QString TerminUidPraefix(const QString& planId);
