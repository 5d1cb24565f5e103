#include "model/einstellungenexport.h"

#include "model/bigini.h"
#include "model/plandatei.h"

namespace {

const QString kKalender = QStringLiteral("kalender");
constexpr int GroessterWert = 2;

} // namespace

std::optional<int> ErinnerungLesen(const QString& pfad)
{
    const TBigIniFile ini(pfad);
    const int wert = ini.ReadInteger(kKalender, u"Erinnerung", -1);
    // A value of a later version, or a hand-edited one, offers no reminder.
    if (wert < 0 || wert > GroessterWert)
        return std::nullopt;
    return wert;
}

bool ErinnerungSchreiben(const QString& pfad, int erinnerung, QString* fehler)
{
    TBigIniFile ini(pfad);
    if (!ini.Lesefehler().isEmpty()) {
        if (fehler)
            *fehler = ini.Lesefehler();
        return false;
    }
    ini.WriteInteger(kKalender, u"Erinnerung", erinnerung);
    return EinstellungenAblegen(ini, pfad, fehler);
}
