#include "print/aufgabedrucken.h"

#include "widgets/meldung.h"

bool AufgabeDrucken(QWidget* eltern, const taufgabe&, const QStringList&, double)
{
    // Until the task sheet exists the print fails as any failed print does.
    Meldung(eltern, MeldungsArt::Warnung,
            QStringLiteral("Beim Drucken ist ein Fehler aufgetreten.\nDer Duckvorgang wird abgebrochen."),
            Abbrechen);
    return false;
}
