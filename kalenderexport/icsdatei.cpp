#include "kalenderexport/icsdatei.h"

#include "kalenderexport/icalzeiger.h"
#include "model/dateizugriff.h"
#include "model/tageszahl.h"
#include "model/uhr.h"

#include <QDir>
#include <QTimeZone>
#include <QUuid>

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace {

const QByteArray kErsatzZone = QByteArrayLiteral("Europe/Berlin");

Komponente NeueKomponente(icalcomponent* k)
{
    if (!k)
        throw KalenderFehler(QStringLiteral("Der Kalendereintrag konnte nicht angelegt werden."));
    return Komponente(k);
}

// The component takes the property over.
void Hinzufuegen(icalcomponent* k, icalproperty* p)
{
    if (!p)
        throw KalenderFehler(QStringLiteral("Der Kalendereintrag konnte nicht angelegt werden."));
    icalcomponent_add_property(k, p);
}

void Hinzufuegen(icalcomponent* k, Komponente kind)
{
    icalcomponent_add_component(k, kind.release());
}

icaltimetype IcalZeit(QDate datum, QTime zeit)
{
    icaltimetype t = icaltime_null_time();
    t.year = datum.year();
    t.month = datum.month();
    t.day = datum.day();
    t.hour = zeit.hour();
    t.minute = zeit.minute();
    t.second = zeit.second();
    t.is_date = 0;
    t.zone = nullptr; // floating; the TZID parameter names the zone
    return t;
}

icaltimetype IcalUtc(const QDateTime& moment)
{
    const QDateTime utc = moment.toUTC();
    icaltimetype t = IcalZeit(utc.date(), utc.time());
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

icalproperty* ZeitMitZone(icalproperty* p, const QByteArray& zone)
{
    if (p)
        icalproperty_add_parameter(p, icalparameter_new_tzid(zone.constData()));
    return p;
}

// Texts come from plan files too; iCalendar text allows no control characters but tab and
// line feed (libical drops the CR of CR LF itself): not those below 0x20, nor DEL, nor the
// C1 controls 0x80 to 0x9F.
QByteArray IcalText(const QString& text)
{
    QString sauber;
    sauber.reserve(text.size());
    for (const QChar c : text)
        if (c.category() != QChar::Other_Control || c == QLatin1Char('\t') ||
            c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            sauber.append(c);
    return sauber.toUtf8();
}

// One change of offset as VTIMEZONE describes it: the moment in UTC, the offsets before and
// after, whether daylight saving time begins, and the zone's abbreviation for the new time.
struct Uebergang
{
    QDateTime moment;
    int von = 0;
    int nach = 0;
    bool sommerzeit = false;
    QString kuerzel;
};

Uebergang UebergangAus(const QTimeZone& zone, const QTimeZone::OffsetData& d)
{
    return {d.atUtc, zone.offsetFromUtc(d.atUtc.addSecs(-1)), d.offsetFromUtc,
            d.daylightTimeOffset != 0, d.abbreviation};
}

// The offset changes that govern the given years: the one in force at each year's start and
// all within the year (with a day's margin on both sides for the offset itself).
std::vector<Uebergang> Uebergaenge(const QTimeZone& zone, const std::set<int>& jahre)
{
    std::map<qint64, Uebergang> alle;
    const auto merken = [&](const QTimeZone::OffsetData& d) {
        if (d.atUtc.isValid())
            alle.emplace(d.atUtc.toMSecsSinceEpoch(), UebergangAus(zone, d));
    };
    QDateTime fruehester;
    for (const int jahr : jahre) {
        const QDateTime von(QDate(jahr, 1, 1).addDays(-1), QTime(0, 0), Qt::UTC);
        const QDateTime bis(QDate(jahr, 12, 31).addDays(2), QTime(0, 0), Qt::UTC);
        if (!fruehester.isValid())
            fruehester = von;
        merken(zone.previousTransition(von));
        const auto inJahr = zone.transitions(von, bis);
        for (const auto& d : inJahr)
            merken(d);
    }

    std::vector<Uebergang> liste;
    // Nothing covers the earliest year's start (a zone without changes, or years before its
    // first one): an observance of the offset then in force, which iCalendar requires.
    if (fruehester.isValid() && (alle.empty() || alle.begin()->second.moment > fruehester)) {
        const int versatz = zone.offsetFromUtc(fruehester);
        liste.push_back({fruehester, versatz, versatz, zone.isDaylightTime(fruehester),
                         zone.abbreviation(fruehester)});
    }
    for (auto& [ms, u] : alle)
        liste.push_back(std::move(u));
    return liste;
}

Komponente Zeitzonenkomponente(const QByteArray& zoneId, const std::set<int>& jahre)
{
    const QTimeZone zone(zoneId);
    const QDateTime erste(QDate(ErstesKalenderjahr, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime letzte(QDate(LetztesKalenderjahr, 12, 31), QTime(23, 59, 59), Qt::UTC);
    Komponente vtz = NeueKomponente(icalcomponent_new_vtimezone());
    Hinzufuegen(vtz.get(), icalproperty_new_tzid(zoneId.constData()));
    for (const Uebergang& u : Uebergaenge(zone, jahre)) {
        Komponente beob = NeueKomponente(u.sommerzeit ? icalcomponent_new_xdaylight()
                                                      : icalcomponent_new_xstandard());
        // DTSTART of an observance is the local time before the change. The margin around
        // the appointments' years may reach beyond the years a file can carry: an
        // observance begun before them begins with them, one after them governs nothing.
        QDateTime ortszeit = u.moment.toUTC().addSecs(u.von);
        if (ortszeit > letzte)
            continue;
        if (ortszeit < erste)
            ortszeit = erste;
        Hinzufuegen(beob.get(),
                    icalproperty_new_dtstart(IcalZeit(ortszeit.date(), ortszeit.time())));
        Hinzufuegen(beob.get(), icalproperty_new_tzoffsetfrom(u.von));
        Hinzufuegen(beob.get(), icalproperty_new_tzoffsetto(u.nach));
        if (!u.kuerzel.isEmpty())
            Hinzufuegen(beob.get(), icalproperty_new_tzname(u.kuerzel.toUtf8().constData()));
        Hinzufuegen(vtz.get(), std::move(beob));
    }
    return vtz;
}

bool InJahren(QDate d)
{
    return d.isValid() && d.year() >= 1 && d.year() <= 9999;
}

Ortszeit Pruefen(const Ortszeit& zeit, const QString& betreff)
{
    if (!zeit.gueltig())
        throw KalenderFehler(
            QStringLiteral("Der Termin „%1“ hat kein gültiges Datum.").arg(betreff));
    if (!Uebertragbar(zeit))
        throw KalenderFehler(QStringLiteral("Der Termin „%1“ liegt nicht in den Jahren %2 bis "
                                            "%3, die ein Kalender aufnehmen kann.")
                                 .arg(betreff)
                                 .arg(ErstesKalenderjahr)
                                 .arg(LetztesKalenderjahr));
    return zeit;
}

} // namespace

bool Uebertragbar(const Ortszeit& zeit)
{
    return zeit.gueltig() && zeit.Datum.year() >= ErstesKalenderjahr &&
           zeit.Datum.year() <= LetztesKalenderjahr;
}

bool Uebertragbar(const taufgabe& aufgabe)
{
    const Terminzeiten z = TerminZeiten(aufgabe);
    return Uebertragbar(OrtszeitAusTageszahl(z.Start)) &&
           Uebertragbar(OrtszeitAusTageszahl(z.Ende));
}

namespace {

// The day of the task's appointment that lies outside the years, as "dd.MM.yyyy": its begin,
// or its end where a late begin or a long duration carries it over; empty when it is no date.
QString AusserhalbTag(const taufgabe& aufgabe)
{
    const Terminzeiten z = TerminZeiten(aufgabe);
    const Ortszeit beginn = OrtszeitAusTageszahl(z.Start);
    const double tag = Uebertragbar(beginn) ? z.Ende : z.Start;
    const Ortszeit zeit = OrtszeitAusTageszahl(tag);
    if (zeit.gueltig())
        return zeit.Datum.toString(QStringLiteral("dd.MM.yyyy"));
    return Tageszahl::Text(std::floor(tag));
}

} // namespace

QString NichtUebertragbarMeldung(const Aufgabenliste& aufgaben)
{
    constexpr int genannt = 10;
    QStringList zeilen;
    int weitere = 0;
    for (const taufgabe& a : aufgaben) {
        if (Uebertragbar(a))
            continue;
        if (zeilen.size() == genannt) {
            ++weitere;
            continue;
        }
        const QString tag = AusserhalbTag(a);
        zeilen << (tag.isEmpty() ? QStringLiteral("„%1“ ohne gültiges Datum").arg(a.Kurzbezeichnung)
                                 : QStringLiteral("„%1“ am %2").arg(a.Kurzbezeichnung, tag));
    }
    if (zeilen.isEmpty())
        return {};
    if (weitere > 0)
        zeilen << QStringLiteral("… und %1 weitere").arg(weitere);
    return QStringLiteral("Diese Aufgaben liegen nicht in den Jahren %1 bis %2, die ein "
                          "Kalender aufnehmen kann:\n%3\nBitte korrigieren Sie ihr Datum. Es "
                          "wurden keine Termine übertragen.")
        .arg(ErstesKalenderjahr)
        .arg(LetztesKalenderjahr)
        .arg(zeilen.join(QLatin1Char('\n')));
}

Terminzeiten TerminZeiten(const taufgabe& aufgabe)
{
    const double tag = std::trunc(aufgabe.Tag);
    const double start = static_cast<double>(aufgabe.Start);
    const double dauer = static_cast<double>(aufgabe.Dauer);
    return {tag + (start - 1.0) / 48.0, tag + (start + dauer) / 48.0};
}

QString TerminText(const taufgabe& aufgabe)
{
    QString text;
    for (const QString& zeile : aufgabe.Beschreibung)
        text += zeile + QLatin1String("\r\n");
    for (const QString& zeile : aufgabe.Notiz)
        text += zeile + QLatin1String("\r\n");
    return text;
}

Ortszeit OrtszeitAusTageszahl(double tag)
{
    // Beyond ±10 million days no date of the years 1..9999 lies; the bound also keeps the
    // conversion to whole minutes exact.
    if (!std::isfinite(tag) || std::abs(tag) > 1.0e7)
        return {};
    const auto minuten = static_cast<qint64>(std::llround(tag * 1440.0));
    qint64 tage = minuten / 1440;
    qint64 rest = minuten % 1440;
    if (rest < 0) {
        rest += 1440;
        --tage;
    }
    const QDate datum = QDate::fromJulianDay(tage + Tageszahl::EpocheJulianisch);
    if (!InJahren(datum))
        return {};
    return {datum, QTime(static_cast<int>(rest / 60), static_cast<int>(rest % 60))};
}

Ortszeit OrtszeitAusMoment(const QDateTime& moment, const QByteArray& zeitzone)
{
    if (!moment.isValid())
        return {};
    const QDateTime dort = moment.toTimeZone(QTimeZone(zeitzone));
    if (!InJahren(dort.date()))
        return {};
    const QTime t = dort.time();
    return {dort.date(), QTime(t.hour(), t.minute())};
}

QByteArray KalenderZeitzone()
{
    static const std::set<QByteArray> utcNamen{
        "UTC",     "UCT",      "GMT",       "GMT0",          "GMT+0",     "GMT-0",
        "Etc/UTC", "Etc/UCT",  "Etc/GMT",   "Etc/GMT0",      "Etc/GMT+0", "Etc/GMT-0",
        "Zulu",    "Etc/Zulu", "Universal", "Etc/Universal", "Greenwich", "Etc/Greenwich"};
    QByteArray id = QTimeZone::systemTimeZoneId();
    if (id.isEmpty() || utcNamen.count(id) > 0 || !QTimeZone(id).isValid())
        return kErsatzZone;
    return id;
}

KalenderFehler::KalenderFehler(const QString& text)
    : std::runtime_error(text.toStdString()), m_text(text)
{
}

TIcsKalender::TIcsKalender(QByteArray zeitzone)
    : m_zeitzone(QTimeZone(zeitzone).isValid() ? std::move(zeitzone) : QByteArray(kErsatzZone))
{
}

void TIcsKalender::TerminHinzufuegen(const QString& betreff, const QString& text,
                                     const Ortszeit& start, const Ortszeit& ende)
{
    Termin t;
    t.Betreff = betreff;
    t.Text = text;
    t.Start = Pruefen(start, betreff);
    t.Ende = Pruefen(ende, betreff);
    t.Uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1String("@kistenlotse");
    t.Stempel = Uhr::JetztUtc();
    m_termine.push_back(std::move(t));
}

void TIcsKalender::TerminHinzufuegen(const Kalendertermin& t)
{
    TerminHinzufuegen(t.Betreff, t.Text, t.Start, t.Ende);
    Termin& neu = m_termine.back();
    if (!t.Kennung.Uid.isEmpty()) {
        neu.Uid = t.Kennung.Uid;
        neu.Sequenz = std::max(t.Kennung.Sequenz, 0);
        neu.GeaendertAm = t.Kennung.GeaendertAm;
    }
    neu.Vorlauf = t.ErinnerungVorlauf;
}

void TIcsKalender::TerminHinzufuegen(const QString& betreff, const QString& text, double start,
                                     double ende)
{
    TerminHinzufuegen(betreff, text, OrtszeitAusTageszahl(start), OrtszeitAusTageszahl(ende));
}

void TIcsKalender::LetztenEntfernen()
{
    if (!m_termine.empty())
        m_termine.pop_back();
}

QByteArray TIcsKalender::Text() const
{
    std::set<int> jahre;
    for (const Termin& t : m_termine) {
        jahre.insert(t.Start.Datum.year());
        jahre.insert(t.Ende.Datum.year());
    }
    // An empty calendar still carries its zone: iCalendar wants at least one component.
    if (jahre.empty())
        jahre.insert(Uhr::Heute().year());

    Komponente kalender = NeueKomponente(icalcomponent_new_vcalendar());
    Hinzufuegen(kalender.get(), icalproperty_new_prodid("-//Quellmark AG//Kistenlotse 1.0//DE"));
    Hinzufuegen(kalender.get(), icalproperty_new_version("2.0"));
    Hinzufuegen(kalender.get(), icalproperty_new_calscale("GREGORIAN"));
    Hinzufuegen(kalender.get(), Zeitzonenkomponente(m_zeitzone, jahre));

    for (const Termin& t : m_termine) {
        Komponente ereignis = NeueKomponente(icalcomponent_new_vevent());
        Hinzufuegen(ereignis.get(), icalproperty_new_uid(t.Uid.toUtf8().constData()));
        Hinzufuegen(ereignis.get(), icalproperty_new_dtstamp(IcalUtc(t.Stempel)));
        // A calendar that has the UID already takes the higher SEQUENCE as an update.
        if (t.Sequenz >= 0)
            Hinzufuegen(ereignis.get(), icalproperty_new_sequence(t.Sequenz));
        if (t.GeaendertAm.isValid())
            Hinzufuegen(ereignis.get(), icalproperty_new_lastmodified(IcalUtc(t.GeaendertAm)));
        Hinzufuegen(ereignis.get(),
                    ZeitMitZone(icalproperty_new_dtstart(IcalZeit(t.Start.Datum, t.Start.Zeit)),
                                m_zeitzone));
        const bool spaeter = t.Ende.Datum > t.Start.Datum ||
                             (t.Ende.Datum == t.Start.Datum && t.Ende.Zeit > t.Start.Zeit);
        if (spaeter)
            Hinzufuegen(ereignis.get(),
                        ZeitMitZone(icalproperty_new_dtend(IcalZeit(t.Ende.Datum, t.Ende.Zeit)),
                                    m_zeitzone));
        Hinzufuegen(ereignis.get(), icalproperty_new_summary(IcalText(t.Betreff).constData()));
        if (!t.Text.isEmpty())
            Hinzufuegen(ereignis.get(), icalproperty_new_description(IcalText(t.Text).constData()));
        if (t.Vorlauf >= 0) {
            // The reminder shows the task's title.
            Komponente alarm = NeueKomponente(icalcomponent_new_valarm());
            Hinzufuegen(alarm.get(), icalproperty_new_action(ICAL_ACTION_DISPLAY));
            Hinzufuegen(alarm.get(), icalproperty_new_description(IcalText(t.Betreff).constData()));
            Hinzufuegen(alarm.get(),
                        icalproperty_new_trigger(icaltriggertype_from_int(-60 * t.Vorlauf)));
            Hinzufuegen(ereignis.get(), std::move(alarm));
        }
        Hinzufuegen(kalender.get(), std::move(ereignis));
    }

    const Puffer puffer(icalcomponent_as_ical_string_r(kalender.get()));
    if (!puffer)
        throw KalenderFehler(QStringLiteral("Der Kalender konnte nicht zusammengestellt werden."));
    QByteArray text(puffer.get());
    // libical 3.0 folds a line that reaches the fold width with its last character between
    // the CR and the LF that end it ("…\r" "\r\n " "\n"), leaving a bare CR; such a line needs
    // no fold at all.
    text.replace("\r\r\n \n", "\r\n");
    return text;
}

void TIcsKalender::Schreiben(const QString& pfad) const
{
    // Written beside the target and renamed over it only when complete, so a failure half-way
    // keeps the appointments of the last successful write; no device or pipe is replaced.
    QString grund;
    if (!Dateizugriff::Ersetzen(pfad, Text(), &grund))
        throw KalenderFehler(QStringLiteral("Die Termindatei „%1“ konnte nicht geschrieben "
                                            "werden: %2")
                                 .arg(QDir::toNativeSeparators(pfad), grund));
}
