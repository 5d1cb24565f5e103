#include "kalenderexport/caldavereignis.h"

#include "kalenderexport/icalzeiger.h"
#include "model/tageszahl.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QTimeZone>

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace {

// Line breaks as "\n", none at the end: servers and phones write CR LF, LF or bare CR.
QString ZeilenText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QString Feld(const QString& wert)
{
    return QString::number(wert.size()) + QLatin1Char(':') + wert + QLatin1Char('\n');
}

QString ZeitFeld(const Ortszeit& z)
{
    return z.gueltig() ? z.Datum.toString(Qt::ISODate) + QLatin1Char('T') +
                             z.Zeit.toString(QStringLiteral("HH:mm")) + QLatin1Char('\n')
                       : QStringLiteral("-\n");
}

// The moment an iCalendar time stands for, as wall clock in `zeitzone`.
Ortszeit Ortszeit_(icalproperty* p, icaltimetype t, const QByteArray& zeitzone)
{
    const QDate datum(t.year, t.month, t.day);
    if (!datum.isValid())
        return {};
    if (t.is_date)
        return {datum, QTime(0, 0)};
    const QTime zeit(t.hour, t.minute, std::clamp(t.second, 0, 59));
    if (!zeit.isValid())
        return {};
    if (icaltime_is_utc(t))
        return OrtszeitAusMoment(QDateTime(datum, zeit, Qt::UTC), zeitzone);
    if (t.zone) {
        const icaltimetype utc = icaltime_convert_to_zone(t, icaltimezone_get_utc_timezone());
        return OrtszeitAusMoment(
            QDateTime(QDate(utc.year, utc.month, utc.day), QTime(utc.hour, utc.minute), Qt::UTC),
            zeitzone);
    }
    icalparameter* tzid = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
    if (tzid) {
        const QTimeZone zone(QByteArray(icalparameter_get_tzid(tzid)));
        if (!zone.isValid())
            return {};
        return OrtszeitAusMoment(QDateTime(datum, zeit, zone), zeitzone);
    }
    return {datum, QTime(zeit.hour(), zeit.minute())}; // floating: the user's own wall clock
}

} // namespace

Termininhalt TermininhaltAus(const taufgabe& aufgabe)
{
    const Terminzeiten z = TerminZeiten(aufgabe);
    return {aufgabe.Kurzbezeichnung, ZeilenText(TerminText(aufgabe)), OrtszeitAusTageszahl(z.Start),
            OrtszeitAusTageszahl(z.Ende)};
}

QByteArray TerminHash(const Termininhalt& inhalt)
{
    const QString layout =
        Feld(inhalt.Titel) + Feld(inhalt.Text) + ZeitFeld(inhalt.Start) + ZeitFeld(inhalt.Ende);
    return QCryptographicHash::hash(layout.toUtf8(), QCryptographicHash::Sha256).toHex();
}

QByteArray EreignisText(const QString& uid, const taufgabe& aufgabe, const QByteArray& zeitzone)
{
    // The calendar document of the export, with its zone, and the UID of the plan in place of
    // the export's random one.
    TIcsKalender kalender(zeitzone);
    const Terminzeiten z = TerminZeiten(aufgabe);
    kalender.TerminHinzufuegen(aufgabe.Kurzbezeichnung, TerminText(aufgabe), z.Start, z.Ende);
    const QByteArray text = kalender.Text();
    const Komponente k(icalparser_parse_string(text.constData()));
    icalcomponent* ereignis =
        k ? icalcomponent_get_first_component(k.get(), ICAL_VEVENT_COMPONENT) : nullptr;
    if (!ereignis)
        throw KalenderFehler(QStringLiteral("Der Kalendereintrag konnte nicht angelegt werden."));
    icalcomponent_set_uid(ereignis, uid.toUtf8().constData());
    const Puffer puffer(icalcomponent_as_ical_string_r(k.get()));
    if (!puffer)
        throw KalenderFehler(QStringLiteral("Der Kalender konnte nicht zusammengestellt werden."));
    QByteArray ergebnis(puffer.get());
    ergebnis.replace("\r\r\n \n", "\r\n");
    return ergebnis;
}

bool EreignisLesen(const QByteArray& text, const QByteArray& zeitzone, Servertermin* termin,
                   QString* fehler)
{
    const auto scheitern = [&](const QString& grund) {
        if (fehler)
            *fehler = grund;
        return false;
    };
    if (!text.trimmed().startsWith("BEGIN:VCALENDAR"))
        return scheitern(QStringLiteral("Der Server lieferte einen Termin, der kein gültiger "
                                        "iCalendar-Eintrag ist."));
    const Komponente k(icalparser_parse_string(text.constData()));
    if (!k || icalcomponent_isa(k.get()) != ICAL_VCALENDAR_COMPONENT)
        return scheitern(QStringLiteral("Der Server lieferte einen Termin, der kein gültiger "
                                        "iCalendar-Eintrag ist."));
    icalcomponent* ereignis = nullptr;
    for (icalcomponent* e = icalcomponent_get_first_component(k.get(), ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(k.get(), ICAL_VEVENT_COMPONENT)) {
        if (!icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY)) {
            ereignis = e;
            break;
        }
    }
    const char* uid = ereignis ? icalcomponent_get_uid(ereignis) : nullptr;
    icalproperty* dtstart =
        ereignis ? icalcomponent_get_first_property(ereignis, ICAL_DTSTART_PROPERTY) : nullptr;
    if (!uid || !*uid || !dtstart)
        return scheitern(QStringLiteral("Der Server lieferte einen Termin ohne Kennung oder "
                                        "Beginn; er ist kein gültiger iCalendar-Eintrag."));

    Servertermin t;
    t.Uid = QString::fromUtf8(uid);
    const char* summary = icalcomponent_get_summary(ereignis);
    t.Inhalt.Titel = summary ? QString::fromUtf8(summary) : QString();
    const char* beschreibung = icalcomponent_get_description(ereignis);
    t.Inhalt.Text = beschreibung ? ZeilenText(QString::fromUtf8(beschreibung)) : QString();
    const icaltimetype beginn = icalcomponent_get_dtstart(ereignis);
    t.Inhalt.Start = Ortszeit_(dtstart, beginn, zeitzone);
    if (!t.Inhalt.Start.gueltig())
        return scheitern(QStringLiteral("Der Termin „%1“ auf dem Server hat keinen gültigen "
                                        "Beginn.")
                             .arg(t.Inhalt.Titel));
    // DTEND, or DTSTART plus DURATION (libical computes it); none ends as it begins, a whole
    // day without an end lasts the day.
    icalproperty* dtend = icalcomponent_get_first_property(ereignis, ICAL_DTEND_PROPERTY);
    if (dtend || icalcomponent_get_first_property(ereignis, ICAL_DURATION_PROPERTY)) {
        t.Inhalt.Ende = Ortszeit_(dtend, icalcomponent_get_dtend(ereignis), zeitzone);
    } else if (beginn.is_date) {
        t.Inhalt.Ende = {t.Inhalt.Start.Datum.addDays(1), QTime(0, 0)};
    } else {
        t.Inhalt.Ende = t.Inhalt.Start;
    }
    if (!t.Inhalt.Ende.gueltig())
        t.Inhalt.Ende = t.Inhalt.Start;
    if (termin)
        *termin = std::move(t);
    return true;
}

Aufgabenzeit AufgabenzeitAus(const Termininhalt& inhalt)
{
    const QDateTime von(inhalt.Start.Datum, inhalt.Start.Zeit, Qt::UTC);
    const QDateTime bis(inhalt.Ende.Datum, inhalt.Ende.Zeit, Qt::UTC);
    const qint64 minuten = std::max<qint64>(0, von.secsTo(bis) / 60);
    // A task lasts whole half hours from a half-hour slot: the begin rounds down, the
    // duration up (at least the shortest, half an hour; at most a day).
    const int slot = inhalt.Start.Zeit.hour() * 2 + inhalt.Start.Zeit.minute() / 30 + 1;
    const qint64 halbeStunden = std::clamp<qint64>((minuten + 29) / 30, 1, 48);
    return {Tageszahl::ausDatum(inhalt.Start.Datum), slot, static_cast<qint32>(halbeStunden - 1)};
}

QStringList NotizAus(const Termininhalt& inhalt, const QStringList& beschreibung)
{
    QStringList zeilen =
        inhalt.Text.isEmpty() ? QStringList() : inhalt.Text.split(QLatin1Char('\n'));
    if (zeilen.mid(0, beschreibung.size()) == beschreibung)
        zeilen.remove(0, beschreibung.size());
    return zeilen;
}
