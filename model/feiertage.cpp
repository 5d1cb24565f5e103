#include "model/feiertage.h"

#include "model/bundesland.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

// Days since 1 March of year 0 (proleptic Gregorian), enough to compare and subtract dates.
constexpr long Tagesnummer(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

struct MonatTag
{
    int monat;
    int tag;
};

constexpr MonatTag Ostern(int jahr)
{
    // Anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int a = jahr % 19;
    const int b = jahr / 100;
    const int c = jahr % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int monat = (h + l - 7 * m + 114) / 31;
    const int tag = (h + l - 7 * m + 114) % 31 + 1;
    return {monat, tag};
}

// The holidays this program knows; the order is the order of names on a shared day.
enum class Art
{
    Neujahr,
    HeiligeDreiKoenige,
    Frauentag,
    Karfreitag,
    Ostersonntag,
    Ostermontag,
    TagDerArbeit,
    TagDerBefreiung,
    ChristiHimmelfahrt,
    Pfingstsonntag,
    Pfingstmontag,
    Fronleichnam,
    Volksaufstand,
    MariaeHimmelfahrt,
    Weltkindertag,
    DeutscheEinheit,
    Reformationstag,
    Allerheiligen,
    BussUndBettag,
    Weihnachtstag1,
    Weihnachtstag2,
    Anzahl
};

const char* Name(Art a)
{
    static constexpr std::array<const char*, static_cast<int>(Art::Anzahl)> namen = {
        "Neujahr",
        "Heilige Drei Könige",
        "Internationaler Frauentag",
        "Karfreitag",
        "Ostersonntag",
        "Ostermontag",
        "Tag der Arbeit",
        "Tag der Befreiung",
        "Christi Himmelfahrt",
        "Pfingstsonntag",
        "Pfingstmontag",
        "Fronleichnam",
        "75. Jahrestag des Volksaufstands vom 17. Juni 1953",
        "Mariä Himmelfahrt",
        "Weltkindertag",
        "Tag der Deutschen Einheit",
        "Reformationstag",
        "Allerheiligen",
        "Buß- und Bettag",
        "1. Weihnachtstag",
        "2. Weihnachtstag",
    };
    return namen[static_cast<int>(a)];
}

// Whether `land` is one of `laender`.
bool Einer(int land, std::initializer_list<Bundesland::Code> laender)
{
    return std::find(laender.begin(), laender.end(), land) != laender.end();
}

// Whether holiday `a` holds in `jahr` for state `land` (its date aside).
bool Gilt(Art a, int jahr, int land)
{
    using namespace Bundesland;
    switch (a) {
    case Art::Neujahr:
    case Art::Karfreitag:
    case Art::Ostermontag:
    case Art::TagDerArbeit:
    case Art::ChristiHimmelfahrt:
    case Art::Pfingstmontag:
    case Art::DeutscheEinheit:
    case Art::Weihnachtstag1:
    case Art::Weihnachtstag2:
        return true;
    case Art::HeiligeDreiKoenige:
        return Einer(land, {BadenWuerttemberg, Bayern, SachsenAnhalt});
    case Art::Frauentag:
        return (land == Berlin && jahr >= 2019) || (land == MecklenburgVorpommern && jahr >= 2023);
    case Art::Ostersonntag:
    case Art::Pfingstsonntag:
        return land == Brandenburg;
    case Art::TagDerBefreiung:
        return land == Berlin && (jahr == 2020 || jahr == 2025);
    case Art::Volksaufstand:
        return land == Berlin && jahr == 2028;
    case Art::Fronleichnam:
        return Einer(land, {BadenWuerttemberg, Bayern, Hessen, NordrheinWestfalen, RheinlandPfalz,
                            Saarland});
    case Art::MariaeHimmelfahrt:
        return land == Saarland;
    case Art::Weltkindertag:
        return land == Thueringen && jahr >= 2019;
    case Art::Reformationstag:
        if (jahr == 2017)
            return true;
        if (Einer(land, {Brandenburg, MecklenburgVorpommern, Sachsen, SachsenAnhalt, Thueringen}))
            return true;
        return jahr >= 2018 && Einer(land, {Bremen, Hamburg, Niedersachsen, SchleswigHolstein});
    case Art::Allerheiligen:
        return Einer(land,
                     {BadenWuerttemberg, Bayern, NordrheinWestfalen, RheinlandPfalz, Saarland});
    case Art::BussUndBettag:
        return jahr <= 1994 || land == Sachsen;
    case Art::Anzahl:
        break;
    }
    return false;
}

// The date of holiday `a` in `jahr` as month and day.
MonatTag Datum(Art a, int jahr)
{
    const auto ostern = Ostern(jahr);
    const long e = Tagesnummer(jahr, ostern.monat, ostern.tag);
    auto relativ = [&](int tage) {
        // Walk from 1 March, where the day numbering is simple, to the month and day.
        const long ziel = e + tage;
        for (int m = 3; m <= 12; ++m) {
            const long naechster =
                m == 12 ? Tagesnummer(jahr + 1, 1, 1) : Tagesnummer(jahr, m + 1, 1);
            if (ziel < naechster)
                return MonatTag{m, static_cast<int>(ziel - Tagesnummer(jahr, m, 1)) + 1};
        }
        return MonatTag{12, 31};
    };
    switch (a) {
    case Art::Neujahr:
        return {1, 1};
    case Art::HeiligeDreiKoenige:
        return {1, 6};
    case Art::Frauentag:
        return {3, 8};
    case Art::Karfreitag:
        return relativ(-2);
    case Art::Ostersonntag:
        return ostern;
    case Art::Ostermontag:
        return relativ(1);
    case Art::TagDerArbeit:
        return {5, 1};
    case Art::TagDerBefreiung:
        return {5, 8};
    case Art::ChristiHimmelfahrt:
        return relativ(39);
    case Art::Pfingstsonntag:
        return relativ(49);
    case Art::Pfingstmontag:
        return relativ(50);
    case Art::Fronleichnam:
        return relativ(60);
    case Art::Volksaufstand:
        return {6, 17};
    case Art::MariaeHimmelfahrt:
        return {8, 15};
    case Art::Weltkindertag:
        return {9, 20};
    case Art::DeutscheEinheit:
        return {10, 3};
    case Art::Reformationstag:
        return {10, 31};
    case Art::Allerheiligen:
        return {11, 1};
    case Art::BussUndBettag: {
        // The Wednesday before 23 November: 16..22 November.
        const int seitMittwoch = (QDate(jahr, 11, 23).dayOfWeek() - 3 + 7) % 7;
        return {11, 23 - (seitMittwoch == 0 ? 7 : seitMittwoch)};
    }
    case Art::Weihnachtstag1:
        return {12, 25};
    case Art::Weihnachtstag2:
        return {12, 26};
    case Art::Anzahl:
        break;
    }
    return {0, 0};
}

} // namespace

bool IstFeiertag(int jahr, int monat, int tag, int land)
{
    switch (monat * 100 + tag) {
    case 101:
    case 501:
    case 1003:
    case 1225:
    case 1226:
        return true;
    default:
        break;
    }
    // Days relative to Easter: most moveable feasts.
    const auto ostern = Ostern(jahr);
    const long abstand =
        Tagesnummer(jahr, monat, tag) - Tagesnummer(jahr, ostern.monat, ostern.tag);
    switch (abstand) {
    case -2:
    case 1:
    case 39:
    case 50:
        return true;
    case 0:
    case 49:
        if (Gilt(Art::Ostersonntag, jahr, land))
            return true;
        break;
    case 60:
        if (Gilt(Art::Fronleichnam, jahr, land))
            return true;
        break;
    default:
        break;
    }
    if (monat == 11 && tag >= 16 && tag <= 22 && Gilt(Art::BussUndBettag, jahr, land)) {
        const auto b = Datum(Art::BussUndBettag, jahr);
        if (b.tag == tag)
            return true;
    }
    switch (monat * 100 + tag) {
    case 106:
        return Gilt(Art::HeiligeDreiKoenige, jahr, land);
    case 308:
        return Gilt(Art::Frauentag, jahr, land);
    case 508:
        return Gilt(Art::TagDerBefreiung, jahr, land);
    case 617:
        return Gilt(Art::Volksaufstand, jahr, land);
    case 815:
        return Gilt(Art::MariaeHimmelfahrt, jahr, land);
    case 920:
        return Gilt(Art::Weltkindertag, jahr, land);
    case 1031:
        return Gilt(Art::Reformationstag, jahr, land);
    case 1101:
        return Gilt(Art::Allerheiligen, jahr, land);
    default:
        return false;
    }
}

QList<Feiertag> FeiertageDesJahres(int jahr, int land)
{
    QList<Feiertag> liste;
    for (int i = 0; i < static_cast<int>(Art::Anzahl); ++i) {
        const auto art = static_cast<Art>(i);
        if (!Gilt(art, jahr, land))
            continue;
        const auto d = Datum(art, jahr);
        const QDate datum(jahr, d.monat, d.tag);
        const QString name = QString::fromUtf8(Name(art));
        auto gleich = std::find_if(liste.begin(), liste.end(),
                                   [&](const Feiertag& f) { return f.Datum == datum; });
        if (gleich != liste.end())
            gleich->Name += QStringLiteral(", ") + name;
        else
            liste.append({datum, name});
    }
    std::stable_sort(liste.begin(), liste.end(),
                     [](const Feiertag& a, const Feiertag& b) { return a.Datum < b.Datum; });
    return liste;
}

QDate Ostersonntag(int jahr)
{
    const auto o = Ostern(jahr);
    return {jahr, o.monat, o.tag};
}
