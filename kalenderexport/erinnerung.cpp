#include "kalenderexport/erinnerung.h"

#include <QDateTime>
#include <QTimeZone>

QStringList ErinnerungsTexte()
{
    return {QStringLiteral("keine"), QStringLiteral("am Vortag um 18 Uhr"),
            QStringLiteral("eine Stunde vorher")};
}

Erinnerung ErinnerungAusWert(int wert)
{
    switch (wert) {
    case static_cast<int>(Erinnerung::VortagAchtzehnUhr):
        return Erinnerung::VortagAchtzehnUhr;
    case static_cast<int>(Erinnerung::EineStundeVorher):
        return Erinnerung::EineStundeVorher;
    default:
        return Erinnerung::Keine;
    }
}

int ErinnerungVorlauf(Erinnerung art, const Ortszeit& start, const QByteArray& zeitzone)
{
    switch (art) {
    case Erinnerung::Keine:
        return -1;
    case Erinnerung::VortagAchtzehnUhr: {
        if (!start.gueltig())
            return -1;
        const QTimeZone zone(zeitzone);
        const QDateTime beginn(start.Datum, start.Zeit, zone);
        const QDateTime vortag(start.Datum.addDays(-1), QTime(18, 0), zone);
        return static_cast<int>(vortag.secsTo(beginn) / 60);
    }
    case Erinnerung::EineStundeVorher:
        return 60;
    }
    return -1;
}
