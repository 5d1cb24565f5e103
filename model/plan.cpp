#include "model/plan.h"

#include "model/feiertage.h"
#include "model/tageszahl.h"

#include <QHash>
#include <QUuid>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

const QString Plan::KeineAbfolgeText =
    QStringLiteral("Im gegebenen Zeitraum wurde keine sinnvolle Abfolge der Aufgaben gefunden.\n"
                   "Bitte beginnen Sie neu und wählen Sie andere Daten für Aus- bzw. Einzug.");

namespace {

// "7,11" or "9 10" to numbers; a part that is no number counts as 0.
QList<qint32> VorherAusKatalog(const char* text)
{
    QList<qint32> liste;
    const QString ganz = QString::fromUtf8(text);
    const QStringView rest(ganz);
    qsizetype anfang = 0;
    for (qsizetype i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] != QLatin1Char(',') && rest[i] != QLatin1Char(' '))
            continue;
        if (i > anfang) {
            bool ok = false;
            const int n = rest.sliced(anfang, i - anfang).toInt(&ok);
            liste.append(ok ? n : 0);
        }
        anfang = i + 1;
    }
    return liste;
}

// The position of the first task of each number. Plans number their tasks closely (the
// catalogue below 100, the user's tasks from ErsteEigeneAufgabe on), so a table over the range of
// numbers serves most; numbers spread wider go into a hash.
class Nummernindex
{
public:
    explicit Nummernindex(const Aufgabenliste& aufgaben)
    {
        if (aufgaben.empty())
            return;
        qint64 kleinste = aufgaben.front().Nummer;
        qint64 groesste = kleinste;
        for (const taufgabe& a : aufgaben) {
            kleinste = std::min<qint64>(kleinste, a.Nummer);
            groesste = std::max<qint64>(groesste, a.Nummer);
        }
        const auto anzahl = static_cast<qint64>(aufgaben.size());
        m_tabelle = groesste - kleinste <= 4 * anzahl + 1024;
        if (m_tabelle) {
            m_kleinste = kleinste;
            m_position.assign(static_cast<size_t>(groesste - kleinste + 1), -1);
        } else {
            m_hash.reserve(static_cast<qsizetype>(anzahl));
        }
        for (qsizetype i = static_cast<qsizetype>(anzahl) - 1; i >= 0; --i) {
            const qint32 nummer = aufgaben[static_cast<size_t>(i)].Nummer;
            if (m_tabelle)
                m_position[static_cast<size_t>(nummer - m_kleinste)] = i;
            else
                m_hash.insert(nummer, i);
        }
    }

    // -1 when no task bears the number.
    qsizetype Erste(qint32 nummer) const
    {
        if (!m_tabelle)
            return m_hash.value(nummer, -1);
        const qint64 i = nummer - m_kleinste;
        return i >= 0 && i < static_cast<qint64>(m_position.size())
                   ? m_position[static_cast<size_t>(i)]
                   : -1;
    }

private:
    bool m_tabelle = true;
    qint64 m_kleinste = 0;
    std::vector<qsizetype> m_position;
    QHash<qint32, qsizetype> m_hash;
};

} // namespace

Aufgabenliste KatalogAufgaben(std::span<const Taufgdata> katalog)
{
    Aufgabenliste liste;
    liste.reserve(katalog.size());
    for (const Taufgdata& e : katalog) {
        taufgabe a;
        a.Nummer = e.Nummer;
        a.Kurzbezeichnung = QString::fromUtf8(e.Kurzbezeichnung);
        a.Beschreibung = TextZuZeilen(QString::fromUtf8(e.Beschreibung));
        a.Notiz = TextZuZeilen(QString::fromUtf8(e.Notiz));
        a.ausserhalbBuerozeit = e.ausserhalbBuerozeit;
        a.auchSonntags = e.auchSonntags;
        a.vorher = VorherAusKatalog(e.vorher);
        a.beiAuszugsrenovierung = e.beiAuszugsrenovierung;
        a.beiEinzugsrenovierung = e.beiEinzugsrenovierung;
        a.mitSpedition = e.mitSpedition;
        a.ohneSpedition = e.ohneSpedition;
        a.mitKindern = e.mitKindern;
        a.vorgabeDauer = std::max(e.vorgabeDauer, 0);
        a.Start = e.Start;
        a.Dauer = std::max(e.Dauer, 0);
        a.Tag = e.Tag;
        liste.push_back(std::move(a));
    }
    return liste;
}

void Plan::KatalogUebernehmen(const Aufgabenliste& vorlage, bool spedition)
{
    m_aufgaben = vorlage;
    for (taufgabe& a : m_aufgaben)
        if (a.Nummer == Umzugsaufgabe)
            a.auchSonntags = !spedition;
}

void Plan::KatalogLaden(bool spedition, std::span<const Taufgdata> katalog)
{
    KatalogUebernehmen(KatalogAufgaben(katalog), spedition);
}

void Plan::AufgabenAuswaehlen(bool auszugsrenovierung, bool einzugsrenovierung, bool spedition,
                              bool kinder)
{
    std::erase_if(m_aufgaben, [&](const taufgabe& a) {
        if (a.Benutzeraufgabe)
            return false;
        return (a.beiAuszugsrenovierung && !auszugsrenovierung) ||
               (a.beiEinzugsrenovierung && !einzugsrenovierung) || (a.ohneSpedition && spedition) ||
               (a.mitSpedition && !spedition) || (a.mitKindern && !kinder);
    });
}

bool Plan::TagGesperrt(double tag, int landA, int landB)
{
    if (!std::isfinite(tag))
        return false;
    return Tageszahl::Wochentag(tag) == Tageszahl::Sonntag || Feiertag(tag, landA, landB);
}

bool Plan::Feiertag(double tag, int landA, int landB)
{
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return false;
    int jahr = 0;
    int monat = 0;
    int tagImMonat = 0;
    d.getDate(&jahr, &monat, &tagImMonat);
    return IstFeiertag(jahr, monat, tagImMonat, landA) ||
           IstFeiertag(jahr, monat, tagImMonat, landB);
}

void Plan::AufgabenTerminieren(double stichtag)
{
    for (taufgabe& a : m_aufgaben) {
        a.Tag = a.Tag + stichtag;
        if (!a.auchSonntags) {
            // A run of blocked days is short (a Sunday next to holidays), so this ends quickly.
            while (TagGesperrt(a.Tag, m_situation.BundeslandA, m_situation.BundeslandB))
                a.Tag -= 1;
        }
        if (a.Start < 1)
            a.Start = VorgabeStart;
        a.Dauer = a.vorgabeDauer;
    }
}

QStringList Plan::ReihenfolgePruefen(qint32 nummer, qint32 start, double tag) const
{
    const size_t n = m_aufgaben.size();
    const Nummernindex position(m_aufgaben);
    const qsizetype p = position.Erste(nummer);
    // The moments in one flat array: the check visits predecessors in any order.
    std::vector<double> zeit(n);
    for (size_t i = 0; i < n; ++i)
        zeit[i] = m_aufgaben[i].Zeitpunkt();
    if (p >= 0)
        zeit[static_cast<size_t>(p)] = taufgabe::Zeitpunkt(tag, start);

    // Broken relations as (predecessor, successor), in task-list and then vorher order.
    std::vector<std::pair<qsizetype, size_t>> konflikte;
    for (size_t s = 0; s < n; ++s) {
        const taufgabe& nachfolger = m_aufgaben[s];
        for (qint32 v : nachfolger.vorher) {
            const qsizetype f = position.Erste(v);
            if (f >= 0 && zeit[static_cast<size_t>(f)] >= zeit[s])
                konflikte.emplace_back(f, s);
        }
    }
    QStringList zeilen;
    zeilen.reserve(static_cast<qsizetype>(konflikte.size()));
    for (const auto& [f, s] : konflikte)
        zeilen.append(QLatin1Char('\'') + m_aufgaben[static_cast<size_t>(f)].Kurzbezeichnung +
                      QStringLiteral("' sollte vor '") + m_aufgaben[s].Kurzbezeichnung +
                      QStringLiteral("' erfolgen."));
    return zeilen;
}

int Plan::AufgabeSuchen(qint32 nummer) const
{
    for (size_t i = 0; i < m_aufgaben.size(); ++i)
        if (m_aufgaben[i].Nummer == nummer)
            return static_cast<int>(i);
    return -1;
}

taufgabe* Plan::Aufgabe(qint32 nummer)
{
    const int i = AufgabeSuchen(nummer);
    return i < 0 ? nullptr : &m_aufgaben[static_cast<size_t>(i)];
}

qint32 Plan::NeueAufgabenNummer() const
{
    qint32 hoechste = ErsteEigeneAufgabe - 1;
    for (const taufgabe& a : m_aufgaben)
        hoechste = std::max(hoechste, a.Nummer);
    if (hoechste < std::numeric_limits<qint32>::max())
        return hoechste + 1;
    // A plan file may hold the largest number there is: then the smallest free number from
    // ErsteEigeneAufgabe on. Of the n + 1 numbers from there at least one is free.
    std::vector<bool> belegt(m_aufgaben.size() + 1, false);
    for (const taufgabe& a : m_aufgaben) {
        const qint64 i = qint64(a.Nummer) - ErsteEigeneAufgabe;
        if (i >= 0 && i < qint64(belegt.size()))
            belegt[static_cast<size_t>(i)] = true;
    }
    const auto frei = std::find(belegt.begin(), belegt.end(), false);
    return ErsteEigeneAufgabe + static_cast<qint32>(frei - belegt.begin());
}

double Plan::FruehesterTag() const
{
    double tag = 2147483647.0;
    for (const taufgabe& a : m_aufgaben)
        tag = std::min(tag, a.Tag);
    return tag;
}

double Plan::SpaetesterTag() const
{
    double tag = -2147483647.0;
    for (const taufgabe& a : m_aufgaben)
        tag = std::max(tag, a.Tag);
    return tag;
}

const QString& Plan::PlanIdSicherstellen()
{
    if (m_situation.PlanID.isEmpty())
        m_situation.PlanID = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return m_situation.PlanID;
}

void Plan::ZustandSichern()
{
    m_sicherung.clear();
    m_sicherung.reserve(m_aufgaben.size());
    for (const taufgabe& a : m_aufgaben)
        m_sicherung.push_back(a.Kopie());
}

void Plan::ZustandWiederherstellen()
{
    m_aufgaben.clear();
    m_aufgaben.reserve(m_sicherung.size());
    for (const taufgabe& a : m_sicherung)
        m_aufgaben.push_back(a.Kopie());
}

void Plan::AbfolgeSuchen(double einzugdatum, double auszugdatum, PlanMelder* melder,
                         std::span<const Taufgdata> katalog)
{
    const Situation& s = m_situation;
    KatalogUebernehmen(KatalogAufgaben(katalog), s.Spedition);
    AufgabenAuswaehlen(s.Auszugsrenovierung, s.Einzugsrenovierung, s.Spedition, s.Kinder);
    const Aufgabenliste vorlage = m_aufgaben;
    // Every attempt starts again from the catalogue; no attempt sees an earlier one's changes.
    // The last attempt is the plan, also when the search gives up.
    auto versuchen = [&](double stichtag) {
        m_aufgaben = vorlage;
        m_stichtag = stichtag;
        AufgabenTerminieren(stichtag);
        return ReihenfolgePruefen(-1, 0, 0).isEmpty();
    };
    // First the middle of the window, then from its end backwards.
    bool ohneKonflikt = versuchen(std::trunc((einzugdatum + auszugdatum) / 2));
    bool aufgeben = false;
    double letzter = auszugdatum;
    while (!ohneKonflikt && !aufgeben) {
        letzter -= 1;
        aufgeben = letzter < einzugdatum;
        ohneKonflikt = versuchen(letzter);
    }
    m_keineAbfolge = aufgeben;
    if (aufgeben && melder)
        melder->KeineAbfolge(KeineAbfolgeText);
}

Umplanung Plan::Umplanen(const Situation& neu, double einzugdatum, double auszugdatum,
                         bool eigeneVerschieben, std::span<const Taufgdata> katalog) const
{
    return ::Umplanen(m_aufgaben, m_situation, neu, einzugdatum, auszugdatum, eigeneVerschieben,
                      katalog);
}

void Plan::UmplanungUebernehmen(Umplanung umplanung)
{
    m_aufgaben = std::move(umplanung.aufgaben);
    m_situation = std::move(umplanung.situation);
    m_stichtag = umplanung.stichtag;
    m_keineAbfolge = umplanung.keineAbfolge;
}
