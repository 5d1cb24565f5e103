#include "app/ansage.h"

#include "model/kalendertexte.h"

#include <QFileInfo>

namespace Ansage {

QString Verschoben(const QString& titel, double tag, int mitgezogen)
{
    QString text =
        QStringLiteral("„%1“ liegt jetzt am %2.").arg(titel, Kalendertexte::LangesDatum(tag));
    if (mitgezogen == 1)
        text += QStringLiteral(" 1 abhängige Aufgabe wurde mitverschoben.");
    else if (mitgezogen > 1)
        text += QStringLiteral(" %1 abhängige Aufgaben wurden mitverschoben.").arg(mitgezogen);
    return text;
}

QString Zurueckgenommen()
{
    return QStringLiteral("Die letzte Änderung wurde zurückgenommen.");
}

QString Gespeichert(const QString& pfad)
{
    return QStringLiteral("Der Plan wurde in „%1“ gespeichert.").arg(QFileInfo(pfad).fileName());
}

QString NeueAufgabe(double tag)
{
    return QStringLiteral("Neue Aufgabe am %1").arg(Kalendertexte::LangesDatum(tag));
}

} // namespace Ansage
