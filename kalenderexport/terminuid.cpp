#include "kalenderexport/terminuid.h"

QString TerminUidPraefix(const QString& planId)
{
    return QLatin1String("kistenlotse-") + planId + QLatin1Char('-');
}

QString TerminUid(const QString& planId, qint32 nummer)
{
    return TerminUidPraefix(planId) + QString::number(nummer) + QLatin1String("@kistenlotse");
}
