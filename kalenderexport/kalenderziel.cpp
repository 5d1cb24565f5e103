#include "kalenderexport/kalenderziel.h"

namespace {

Ortszeit Gueltig(const Ortszeit& zeit, const QString& betreff)
{
    if (!zeit.gueltig())
        throw KalenderFehler(
            QStringLiteral("Der Termin „%1“ hat kein gültiges Datum.").arg(betreff));
    return zeit;
}

} // namespace

Kalendertermin TerminDerAufgabe(const taufgabe& aufgabe)
{
    const Terminzeiten zeiten = TerminZeiten(aufgabe);
    return {aufgabe.Kurzbezeichnung,
            TerminText(aufgabe),
            Gueltig(OrtszeitAusTageszahl(zeiten.Start), aufgabe.Kurzbezeichnung),
            Gueltig(OrtszeitAusTageszahl(zeiten.Ende), aufgabe.Kurzbezeichnung),
            {},
            -1};
}
