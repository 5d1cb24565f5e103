#include "model/uhr.h"

namespace {

QDateTime& festerZeitpunkt()
{
    static QDateTime zeitpunkt;
    return zeitpunkt;
}

} // namespace

namespace Uhr {

QDateTime Jetzt()
{
    const QDateTime& fest = festerZeitpunkt();
    return fest.isValid() ? fest : QDateTime::currentDateTime();
}

QDateTime JetztUtc()
{
    return Jetzt().toUTC();
}

QDate Heute()
{
    return Jetzt().date();
}

void Festsetzen(const QDateTime& zeitpunkt)
{
    festerZeitpunkt() = zeitpunkt;
}

} // namespace Uhr
