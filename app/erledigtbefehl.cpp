#include "app/erledigtbefehl.h"

#include "model/plandokument.h"

namespace Erledigtbefehl {

QString Ansage(const QString& titel, bool erledigt)
{
    return erledigt ? QStringLiteral("„%1“ als erledigt markiert.").arg(titel)
                    : QStringLiteral("„%1“ wieder als offen markiert.").arg(titel);
}

QString Umschalten(Plandokument& dokument, qint32 nummer)
{
    if (!dokument.ErledigtUmschalten(nummer))
        return {};
    const taufgabe* a = dokument.plan().Aufgabe(nummer);
    return Ansage(a->Kurzbezeichnung, a->Erledigt);
}

} // namespace Erledigtbefehl
