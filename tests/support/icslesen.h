#pragma once

// Reads iCalendar text back with libical's parser, as a desktop calendar would, so the tests
// judge the file and not the code that wrote it.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <libical/ical.h>

#include <memory>

namespace IcsLesen {

struct Freigeben
{
    void operator()(icalcomponent* k) const { icalcomponent_free(k); }
};
using Komponente = std::unique_ptr<icalcomponent, Freigeben>;

struct Zeit
{
    QDate datum;
    QTime zeit;
    QString tzid; // TZID parameter, empty for UTC or floating times
    bool utc = false;
    QDateTime alsUtc; // converted with the file's own VTIMEZONE
};

struct Alarm
{
    QString aktion;     // ACTION
    QString text;       // DESCRIPTION
    int vorlaufMinuten; // how long before the begin the TRIGGER fires
};

struct Ereignis
{
    QString uid;
    QString summary;
    QString description;
    bool hatDescription = false;
    bool hatDtend = false;
    Zeit start;
    Zeit ende;
    Zeit stempel;
    int sequenz = -1; // -1 without SEQUENCE
    Zeit geaendert;   // LAST-MODIFIED
    QList<Alarm> alarme;
};

struct Kalender
{
    bool gelesen = false;
    QString version;
    QString prodid;
    QStringList zonen; // TZIDs of the VTIMEZONE components
    QList<Ereignis> ereignisse;
};

inline QString Text(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

inline Zeit ZeitAus(icalcomponent* ereignis, icalproperty_kind art)
{
    Zeit z;
    icalproperty* p = icalcomponent_get_first_property(ereignis, art);
    if (!p)
        return z;
    if (icalparameter* tz = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER))
        z.tzid = Text(icalparameter_get_tzid(tz));
    // The component's accessors resolve the TZID against the calendar's own VTIMEZONE.
    icaltimetype t = art == ICAL_DTSTART_PROPERTY        ? icalcomponent_get_dtstart(ereignis)
                     : art == ICAL_DTEND_PROPERTY        ? icalcomponent_get_dtend(ereignis)
                     : art == ICAL_LASTMODIFIED_PROPERTY ? icalproperty_get_lastmodified(p)
                                                         : icalproperty_get_dtstamp(p);
    z.datum = QDate(t.year, t.month, t.day);
    z.zeit = QTime(t.hour, t.minute, t.second);
    z.utc = icaltime_is_utc(t);
    if (t.zone) {
        const icaltimetype u = icaltime_convert_to_zone(t, icaltimezone_get_utc_timezone());
        z.alsUtc =
            QDateTime(QDate(u.year, u.month, u.day), QTime(u.hour, u.minute, u.second), Qt::UTC);
    }
    return z;
}

inline Kalender Lesen(const QByteArray& text)
{
    Kalender k;
    Komponente wurzel(icalparser_parse_string(text.constData()));
    if (!wurzel || icalcomponent_isa(wurzel.get()) != ICAL_VCALENDAR_COMPONENT)
        return k;
    k.gelesen = true;
    k.version = Text(icalproperty_get_version(
        icalcomponent_get_first_property(wurzel.get(), ICAL_VERSION_PROPERTY)));
    if (auto* p = icalcomponent_get_first_property(wurzel.get(), ICAL_PRODID_PROPERTY))
        k.prodid = Text(icalproperty_get_prodid(p));
    for (icalcomponent* z =
             icalcomponent_get_first_component(wurzel.get(), ICAL_VTIMEZONE_COMPONENT);
         z; z = icalcomponent_get_next_component(wurzel.get(), ICAL_VTIMEZONE_COMPONENT))
        k.zonen << Text(
            icalproperty_get_tzid(icalcomponent_get_first_property(z, ICAL_TZID_PROPERTY)));
    for (icalcomponent* e = icalcomponent_get_first_component(wurzel.get(), ICAL_VEVENT_COMPONENT);
         e; e = icalcomponent_get_next_component(wurzel.get(), ICAL_VEVENT_COMPONENT)) {
        Ereignis ev;
        ev.uid = Text(icalcomponent_get_uid(e));
        ev.summary = Text(icalcomponent_get_summary(e));
        ev.hatDescription =
            icalcomponent_get_first_property(e, ICAL_DESCRIPTION_PROPERTY) != nullptr;
        ev.description = Text(icalcomponent_get_description(e));
        ev.hatDtend = icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY) != nullptr;
        ev.start = ZeitAus(e, ICAL_DTSTART_PROPERTY);
        if (ev.hatDtend)
            ev.ende = ZeitAus(e, ICAL_DTEND_PROPERTY);
        ev.stempel = ZeitAus(e, ICAL_DTSTAMP_PROPERTY);
        if (auto* p = icalcomponent_get_first_property(e, ICAL_SEQUENCE_PROPERTY))
            ev.sequenz = icalproperty_get_sequence(p);
        ev.geaendert = ZeitAus(e, ICAL_LASTMODIFIED_PROPERTY);
        for (icalcomponent* a = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT); a;
             a = icalcomponent_get_next_component(e, ICAL_VALARM_COMPONENT)) {
            Alarm alarm{};
            if (auto* p = icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY))
                alarm.aktion = Text(icalproperty_get_value_as_string(p));
            if (auto* p = icalcomponent_get_first_property(a, ICAL_DESCRIPTION_PROPERTY))
                alarm.text = Text(icalproperty_get_description(p));
            if (auto* p = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY))
                alarm.vorlaufMinuten =
                    -icaldurationtype_as_int(icalproperty_get_trigger(p).duration) / 60;
            ev.alarme << alarm;
        }
        k.ereignisse << ev;
    }
    return k;
}

inline Kalender DateiLesen(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return Lesen(f.readAll());
}

} // namespace IcsLesen
