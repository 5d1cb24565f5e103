#include "model/druckereinstellung.h"

#include "model/bigini.h"
#include "model/plandatei.h"

namespace {

const QString kDrucker = QStringLiteral("drucker");

bool Unlesbar(const TBigIniFile& ini, QString* fehler)
{
    if (ini.Lesefehler().isEmpty())
        return false;
    if (fehler)
        *fehler = ini.Lesefehler();
    return true;
}

// A value that cannot be stored as one line is refused before anything is written.
bool Abgelehnt(const QString& wert, QString* fehler)
{
    if (!wert.contains(QLatin1Char('\n')) && !wert.contains(QLatin1Char('\r')))
        return false;
    if (fehler)
        *fehler = QStringLiteral("„%1“ lässt sich nicht in den Einstellungen ablegen.")
                      .arg(QString(wert).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return true;
}

} // namespace

Druckereinstellung DruckereinstellungLesen(const QString& pfad)
{
    const TBigIniFile ini(pfad);
    Druckereinstellung e;
    QStringView wert;
    e.bestaetigt = ini.WertLesen(kDrucker, u"Drucker", &wert);
    e.drucker = ini.ReadString(kDrucker, u"Drucker", QString());
    e.papier = ini.ReadString(kDrucker, u"Papier", QString());
    e.pdfOrdner = ini.ReadString(kDrucker, u"PdfOrdner", QString());
    return e;
}

bool DruckerSchreiben(const QString& pfad, const QString& drucker, const QString& papier,
                      QString* fehler)
{
    if (Abgelehnt(drucker, fehler) || Abgelehnt(papier, fehler))
        return false;
    TBigIniFile ini(pfad);
    if (Unlesbar(ini, fehler))
        return false;
    if (!ini.WriteString(kDrucker, u"Drucker", drucker) ||
        !ini.WriteString(kDrucker, u"Papier", papier)) {
        Abgelehnt(drucker + QLatin1Char('\n'), fehler);
        return false;
    }
    return EinstellungenAblegen(ini, pfad, fehler);
}

bool PdfOrdnerSchreiben(const QString& pfad, const QString& ordner, QString* fehler)
{
    if (Abgelehnt(ordner, fehler))
        return false;
    TBigIniFile ini(pfad);
    if (Unlesbar(ini, fehler))
        return false;
    if (!ini.WriteString(kDrucker, u"PdfOrdner", ordner)) {
        Abgelehnt(ordner + QLatin1Char('\n'), fehler);
        return false;
    }
    return EinstellungenAblegen(ini, pfad, fehler);
}
