#include "model/plan.h"

#include "model/feiertage.h"
#include "model/tageszahl.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

const QString Plan::KeineAbfolgeText = QStringLiteral(
    "Im gegebenen Zeitraum wurde keine sinnvolle Abfolge der Aufgaben gefunden.\n"
    "Bitte beginnen Sie neu und wählen Sie andere Daten für Aus- bzw. Einzug.");

namespace {

QList<qint32> VorherAusKatalog(const char* text)
{
    QList<qint32> liste;
    const QStringList teile = QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("[, ]")),
                                                            Qt::SkipEmptyParts);
    for (const QString& t : teile) {
        bool ok = false;
        const int n = t.toInt(&ok);
        liste.append(ok ? n : 0);
    }
    return liste;
}

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
    Aufgaben = vorlage;
    for (taufgabe& a : Aufgaben)
        if (a.Nummer == 7)
            a.auchSonntags = !spedition;
}

void Plan::KatalogLaden(bool spedition, std::span<const Taufgdata> katalog)
{
    KatalogUebernehmen(KatalogAufgaben(katalog), spedition);
}

void Plan::AufgabenAuswaehlen(bool auszugsrenovierung, bool einzugsrenovierung, bool spedition,
                              bool kinder)
{
    std::erase_if(Aufgaben, [&](const taufgabe& a) {
        if (a.Benutzeraufgabe)
            return false;
        return (a.beiAuszugsrenovierung && !auszugsrenovierung)
               || (a.beiEinzugsrenovierung && !einzugsrenovierung)
               || (a.ohneSpedition && spedition) || (a.mitSpedition && !spedition)
               || (a.mitKindern && !kinder);
    });
}

bool Plan::TagGesperrt(double tag, int landA, int landB)
{
    if (!std::isfinite(tag))
        return false;
    return Tageszahl::Wochentag(tag) == 1 || Feiertag(tag, landA, landB);
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
    return IstFeiertag(jahr, monat, tagImMonat, landA)
           || IstFeiertag(jahr, monat, tagImMonat, landB);
}

void Plan::AufgabenTerminieren(double stichtag)
{
    for (taufgabe& a : Aufgaben) {
        a.Tag = a.Tag + stichtag;
        if (!a.auchSonntags) {
            // A run of blocked days is short (a Sunday next to holidays), so this ends quickly.
            while (TagGesperrt(a.Tag, situation.BundeslandA, situation.BundeslandB))
                a.Tag -= 1;
        }
        if (a.Start < 1)
            a.Start = 17;
        a.Dauer = a.vorgabeDauer;
    }
}

QStringList Plan::ReihenfolgePruefen(qint32 nummer, qint32 start, double tag) const
{
    QStringList zeilen;
    // First task of each number, so the check stays linear in the size of the plan.
    QHash<qint32, qsizetype> position;
    position.reserve(static_cast<qsizetype>(Aufgaben.size()));
    for (qsizetype i = static_cast<qsizetype>(Aufgaben.size()) - 1; i >= 0; --i)
        position.insert(Aufgaben[static_cast<size_t>(i)].Nummer, i);

    const qsizetype p = position.value(nummer, -1);
    auto zeitpunkt = [&](qsizetype i) {
        if (i == p)
            return taufgabe::Zeitpunkt(tag, start);
        return Aufgaben[static_cast<size_t>(i)].Zeitpunkt();
    };

    for (qsizetype s = 0; s < static_cast<qsizetype>(Aufgaben.size()); ++s) {
        const taufgabe& nachfolger = Aufgaben[static_cast<size_t>(s)];
        if (nachfolger.vorher.isEmpty())
            continue;
        const double zs = zeitpunkt(s);
        for (qint32 n : nachfolger.vorher) {
            const qsizetype f = position.value(n, -1);
            if (f < 0)
                continue;
            if (zeitpunkt(f) >= zs)
                zeilen.append(QLatin1Char('\'') + Aufgaben[static_cast<size_t>(f)].Kurzbezeichnung
                              + QStringLiteral("' sollte vor '") + nachfolger.Kurzbezeichnung
                              + QStringLiteral("' erfolgen."));
        }
    }
    return zeilen;
}

void Plan::AbfolgeSuchen(double einzugdatum, double auszugdatum, PlanMelder* melder,
                         std::span<const Taufgdata> katalog)
{
    const Aufgabenliste vorlage = KatalogAufgaben(katalog);
    const Situation& s = situation;
    // Every attempt starts again from the catalogue; no attempt sees an earlier one's changes.
    auto versuch = [&](double stichtag) {
        KatalogUebernehmen(vorlage, s.Spedition);
        AufgabenAuswaehlen(s.Auszugsrenovierung, s.Einzugsrenovierung, s.Spedition, s.Kinder);
        Stichtag = stichtag;
        AufgabenTerminieren(stichtag);
        return ReihenfolgePruefen(-1, 0, 0).isEmpty();
    };

    bool ohneKonflikt = versuch(std::trunc((einzugdatum + auszugdatum) / 2));
    double stichtag = auszugdatum;
    bool aufgeben = false;
    while (!ohneKonflikt && !aufgeben) {
        stichtag -= 1;
        if (stichtag < einzugdatum)
            aufgeben = true;
        ohneKonflikt = versuch(stichtag);
    }
    keineAbfolge = aufgeben;
    if (aufgeben && melder)
        melder->KeineAbfolge(KeineAbfolgeText);
}

int Plan::AufgabeSuchen(qint32 nummer) const
{
    for (size_t i = 0; i < Aufgaben.size(); ++i)
        if (Aufgaben[i].Nummer == nummer)
            return static_cast<int>(i);
    return -1;
}

taufgabe* Plan::Aufgabe(qint32 nummer)
{
    const int i = AufgabeSuchen(nummer);
    return i < 0 ? nullptr : &Aufgaben[static_cast<size_t>(i)];
}

qint32 Plan::NeueAufgabenNummer() const
{
    qint32 hoechste = 10000;
    for (const taufgabe& a : Aufgaben)
        hoechste = std::max(hoechste, a.Nummer);
    if (hoechste < std::numeric_limits<qint32>::max())
        return hoechste + 1;
    // A plan file may hold the largest number there is: then the smallest free number from
    // 10001 on. Of the n + 1 numbers from 10001 at least one is free.
    std::vector<bool> belegt(Aufgaben.size() + 1, false);
    for (const taufgabe& a : Aufgaben) {
        const qint64 i = qint64(a.Nummer) - 10001;
        if (i >= 0 && i < qint64(belegt.size()))
            belegt[static_cast<size_t>(i)] = true;
    }
    const auto frei = std::find(belegt.begin(), belegt.end(), false);
    return 10001 + static_cast<qint32>(frei - belegt.begin());
}

double Plan::FruehesterTag() const
{
    double tag = 2147483647.0;
    for (const taufgabe& a : Aufgaben)
        tag = std::min(tag, a.Tag);
    return tag;
}

double Plan::SpaetesterTag() const
{
    double tag = -2147483647.0;
    for (const taufgabe& a : Aufgaben)
        tag = std::max(tag, a.Tag);
    return tag;
}

void Plan::ZustandSichern()
{
    Sicherung.clear();
    Sicherung.reserve(Aufgaben.size());
    for (const taufgabe& a : Aufgaben)
        Sicherung.push_back(a.Kopie());
}

void Plan::ZustandWiederherstellen()
{
    Aufgaben.clear();
    Aufgaben.reserve(Sicherung.size());
    for (const taufgabe& a : Sicherung)
        Aufgaben.push_back(a.Kopie());
}
