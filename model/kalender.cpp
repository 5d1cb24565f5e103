#include "model/kalender.h"

#include "model/tageszahl.h"

#include <algorithm>
#include <cmath>
#include <limits>

double MontagDerWoche(double tag)
{
    const double d = std::trunc(tag);
    // Weekdays count from Tageszahl::Sonntag (1): Monday steps back 0 days, Sunday 6.
    return d - (Tageszahl::Wochentag(d) + 5) % 7;
}

Kalenderspanne SpanneBerechnen(double fruehesterTag, double spaetesterTag, double heute)
{
    Kalenderspanne s;
    if (!std::isfinite(fruehesterTag) || !std::isfinite(spaetesterTag) ||
        fruehesterTag > spaetesterTag) {
        s.ersterTag = MontagDerWoche(heute);
        return s;
    }
    s.ersterTag = MontagDerWoche(fruehesterTag);
    const double letzter = std::trunc(spaetesterTag);
    const double sonntag = letzter + (8 - Tageszahl::Wochentag(letzter)) % 7;
    const double tage = std::trunc(sonntag - s.ersterTag) + 1;
    s.tage = static_cast<int>(
        std::clamp(tage, double(Kalenderspanne::WenigsteTage), double(Kalenderspanne::MeisteTage)));
    return s;
}

Kalenderspanne SpanneBerechnen(const Aufgabenliste& aufgaben, double heute)
{
    // A task without a day has no place in the calendar and never decides its span.
    double frueh = std::numeric_limits<double>::infinity();
    double spaet = -frueh;
    for (const taufgabe& a : aufgaben) {
        if (!std::isfinite(a.Tag))
            continue;
        frueh = std::min(frueh, a.Tag);
        spaet = std::max(spaet, a.Tag);
    }
    return SpanneBerechnen(frueh, spaet, heute);
}

int Kalenderwoche(double tag)
{
    const QDate d = Tageszahl::zuDatum(tag);
    return d.isValid() ? d.weekNumber() : 0;
}

QList<int> Kalenderwochen(const Kalenderspanne& spanne)
{
    QList<int> wochen;
    for (int v = 0; v < spanne.tage / 7; ++v)
        wochen.append(Kalenderwoche(spanne.ersterTag + 7.0 * v));
    return wochen;
}

void AufgabenVerteilen(const Aufgabenliste& aufgaben, std::span<TagDaten* const> zellen)
{
    for (TagDaten* z : zellen)
        z->TermineLeeren();
    if (zellen.empty())
        return;
    const double d0 = std::trunc(zellen.front()->Datum);
    const double n = static_cast<double>(zellen.size());
    for (const taufgabe& a : aufgaben) {
        const double i = std::trunc(a.Tag) - d0;
        if (i >= 0 && i < n) {
            TagDaten* z = zellen[static_cast<size_t>(i)];
            z->TerminAnhaengen(a.Nummer, a.Start, a.Notiz, a.Kurzbezeichnung, a.Dauer);
            z->Termine.back().Erledigt = a.Erledigt;
        }
    }
    for (TagDaten* z : zellen)
        z->TermineOrdnen();
}
