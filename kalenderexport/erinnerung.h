#pragma once

#include "kalenderexport/icsdatei.h"

#include <QStringList>

// When the calendar reminds of an exported appointment. The values are kept in the settings.
enum class Erinnerung
{
    Keine = 0,
    VortagAchtzehnUhr = 1,
    EineStundeVorher = 2,
};

// "keine", "am Vortag um 18 Uhr", "eine Stunde vorher": the choices in the order above.
QStringList ErinnerungsTexte();
// A kept value back to a choice; anything unknown is "keine".
Erinnerung ErinnerungAusWert(int wert);
// Minutes before the begin `start` (wall-clock time in `zeitzone`) at which the reminder is
// due, counted in real time, so a change to summer time overnight still gives 18:00; -1
// without a reminder.
int ErinnerungVorlauf(Erinnerung art, const Ortszeit& start,
                      const QByteArray& zeitzone = KalenderZeitzone());
