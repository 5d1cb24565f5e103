#include "model/kalendertexte.h"

#include "model/tageszahl.h"
#include "model/zeiten.h"

#include <algorithm>

#include <array>

namespace Kalendertexte {

namespace {

const std::array<const char*, 12> Monate{"Januar",    "Februar", "März",     "April",
                                         "Mai",       "Juni",    "Juli",     "August",
                                         "September", "Oktober", "November", "Dezember"};
// 1 Sunday … 7 Saturday, as Tageszahl::Wochentag counts.
const std::array<const char*, 7> Wochentage{"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                            "Donnerstag", "Freitag", "Samstag"};

const QString Strich = QStringLiteral(" – ");

} // namespace

QString Monatsname(int monat)
{
    if (monat < 1 || monat > 12)
        return {};
    return QString::fromUtf8(Monate[static_cast<size_t>(monat - 1)]);
}

QString Wochentagsname(double tag)
{
    return QString::fromUtf8(
        Wochentage[static_cast<size_t>(Tageszahl::Wochentag(tag) - Tageszahl::Sonntag)]);
}

QString Tageskopf(double tag, bool mitMonat)
{
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return {};
    if (mitMonat)
        return QStringLiteral("%1. %2").arg(d.day()).arg(Monatsname(d.month()));
    return QStringLiteral("%1.%2.").arg(d.day()).arg(d.month());
}

QString TageskopfKurz(double tag)
{
    static const std::array<const char*, 12> kurz{"Jan.", "Feb.", "März", "Apr.", "Mai",  "Juni",
                                                  "Juli", "Aug.", "Sep.", "Okt.", "Nov.", "Dez."};
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return {};
    return QStringLiteral("%1. %2").arg(d.day()).arg(
        QString::fromUtf8(kurz[static_cast<size_t>(d.month() - 1)]));
}

bool MonatImKopf(double tag, bool ersteZelle)
{
    const QDate d = Tageszahl::zuDatum(tag);
    return d.isValid() && (ersteZelle || d.day() == 1);
}

QString Monatsspanne(double von, double bis)
{
    const QDate a = Tageszahl::zuDatum(von);
    const QDate b = Tageszahl::zuDatum(bis);
    if (!a.isValid() || !b.isValid())
        return {};
    QString ende = Monatsname(b.month()) + QLatin1Char(' ') + QString::number(b.year());
    if (a.year() == b.year() && a.month() == b.month())
        return ende;
    QString anfang = Monatsname(a.month());
    if (a.year() != b.year())
        anfang += QLatin1Char(' ') + QString::number(a.year());
    return anfang + Strich + ende;
}

QString Seitenkopf(int kwVon, int kwBis, double von, double bis)
{
    QString kw = QStringLiteral("KW ") + QString::number(kwVon);
    if (kwBis != kwVon)
        kw += Strich + QString::number(kwBis);
    return kw + QStringLiteral(", ") + Monatsspanne(von, bis);
}

QString Seitenfuss(int seite, int seiten)
{
    return QStringLiteral("Seite %1 von %2").arg(seite).arg(seiten);
}

QString LangesDatum(double tag)
{
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return {};
    return QStringLiteral("%1, %2. %3 %4")
        .arg(Wochentagsname(tag))
        .arg(d.day())
        .arg(Monatsname(d.month()))
        .arg(d.year());
}

QString DauerGesprochen(qint32 dauer)
{
    const int halbeStunden = std::clamp(dauer, 0, Zeiten::Dauerstufen - 1) + 1;
    if (halbeStunden == 1)
        return QStringLiteral("30 Minuten");
    if (halbeStunden == 2)
        return QStringLiteral("1 Stunde");
    const QString stunden = QString::number(halbeStunden / 2);
    return (halbeStunden % 2 ? stunden + QStringLiteral(",5") : stunden) +
           QStringLiteral(" Stunden");
}

QString AufgabeGesprochen(double tag, const QString& titel, qint32 start, qint32 dauer)
{
    return LangesDatum(tag) + QStringLiteral(": ") + titel + QStringLiteral(", ") +
           Zeiten::BeginnText(start) + QStringLiteral(", ") + DauerGesprochen(dauer);
}

} // namespace Kalendertexte
