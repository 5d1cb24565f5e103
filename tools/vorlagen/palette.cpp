#include "tools/vorlagen/palette.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace {

struct Farbe
{
    std::array<int, 3> kanal;
    QRgb rgb;
    qint64 anzahl;
};

struct Kiste
{
    int anfang;
    int ende; // exclusive
    double fehler;
    int achse;
};

// Squared error of the colours [anfang, ende) around their weighted mean, and the channel
// with the widest spread.
Kiste vermessen(const std::vector<Farbe>& farben, int anfang, int ende)
{
    std::array<double, 3> summe{}, quadrate{};
    double gewicht = 0;
    for (int i = anfang; i < ende; ++i) {
        const Farbe& f = farben[i];
        for (int k = 0; k < 3; ++k) {
            summe[k] += double(f.anzahl) * f.kanal[k];
            quadrate[k] += double(f.anzahl) * f.kanal[k] * f.kanal[k];
        }
        gewicht += double(f.anzahl);
    }
    Kiste kiste{anfang, ende, 0.0, 0};
    double groesste = -1;
    for (int k = 0; k < 3; ++k) {
        const double streuung = quadrate[k] - summe[k] * summe[k] / gewicht;
        kiste.fehler += streuung;
        if (streuung > groesste) {
            groesste = streuung;
            kiste.achse = k;
        }
    }
    return kiste;
}

// Sorts the box along its axis and returns the split point with the least error along it.
int teilen(std::vector<Farbe>& farben, const Kiste& kiste)
{
    const int achse = kiste.achse;
    std::sort(farben.begin() + kiste.anfang, farben.begin() + kiste.ende,
              [achse](const Farbe& a, const Farbe& b) {
                  if (a.kanal[achse] != b.kanal[achse])
                      return a.kanal[achse] < b.kanal[achse];
                  return a.rgb < b.rgb;
              });
    double gesamtGewicht = 0, gesamtSumme = 0;
    for (int i = kiste.anfang; i < kiste.ende; ++i) {
        gesamtGewicht += double(farben[i].anzahl);
        gesamtSumme += double(farben[i].anzahl) * farben[i].kanal[achse];
    }
    double gewicht = 0, summe = 0;
    double besterWert = -1;
    int bester = kiste.anfang + 1;
    for (int i = kiste.anfang; i < kiste.ende - 1; ++i) {
        gewicht += double(farben[i].anzahl);
        summe += double(farben[i].anzahl) * farben[i].kanal[achse];
        if (farben[i].kanal[achse] == farben[i + 1].kanal[achse])
            continue;
        // Minimising the error of both halves means maximising this.
        const double rest = gesamtGewicht - gewicht;
        const double wert =
            summe * summe / gewicht + (gesamtSumme - summe) * (gesamtSumme - summe) / rest;
        if (wert > besterWert) {
            besterWert = wert;
            bester = i + 1;
        }
    }
    return bester;
}

QRgb vertreter(const std::vector<Farbe>& farben, const Kiste& kiste)
{
    qint64 gewicht = 0;
    const Farbe* haeufigste = &farben[kiste.anfang];
    std::array<double, 3> summe{};
    for (int i = kiste.anfang; i < kiste.ende; ++i) {
        const Farbe& f = farben[i];
        gewicht += f.anzahl;
        for (int k = 0; k < 3; ++k)
            summe[k] += double(f.anzahl) * f.kanal[k];
        if (f.anzahl > haeufigste->anzahl ||
            (f.anzahl == haeufigste->anzahl && f.rgb < haeufigste->rgb))
            haeufigste = &f;
    }
    // A flat area with its antialiased fringe keeps the colour of the area.
    if (2 * haeufigste->anzahl > gewicht)
        return haeufigste->rgb;
    return qRgb(qRound(summe[0] / double(gewicht)), qRound(summe[1] / double(gewicht)),
                qRound(summe[2] / double(gewicht)));
}

int abstand(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    // Weighted roughly by how strongly the eye sees each channel.
    return 3 * r * r + 4 * g * g + 2 * bl * bl;
}

} // namespace

QImage aufPaletteReduzieren(const QImage& bild, int maxFarben)
{
    maxFarben = std::clamp(maxFarben, 2, 256);
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);

    std::unordered_map<QRgb, qint64> zaehler;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++zaehler[zeile[x] | 0xFF000000u];
    }
    std::vector<Farbe> farben;
    farben.reserve(zaehler.size());
    for (const auto& [wert, anzahl] : zaehler)
        farben.push_back({{qRed(wert), qGreen(wert), qBlue(wert)}, wert, anzahl});
    std::sort(farben.begin(), farben.end(),
              [](const Farbe& a, const Farbe& b) { return a.rgb < b.rgb; });

    std::vector<Kiste> kisten{vermessen(farben, 0, int(farben.size()))};
    while (int(kisten.size()) < maxFarben) {
        auto groesste = kisten.end();
        for (auto k = kisten.begin(); k != kisten.end(); ++k) {
            if (k->ende - k->anfang > 1 &&
                (groesste == kisten.end() || k->fehler > groesste->fehler))
                groesste = k;
        }
        if (groesste == kisten.end())
            break;
        const Kiste alt = *groesste;
        const int mitte = teilen(farben, alt);
        *groesste = vermessen(farben, alt.anfang, mitte);
        kisten.push_back(vermessen(farben, mitte, alt.ende));
    }

    struct Eintrag
    {
        QRgb farbe;
        qint64 anzahl;
    };
    std::vector<Eintrag> eintraege;
    for (const Kiste& k : kisten) {
        qint64 anzahl = 0;
        for (int i = k.anfang; i < k.ende; ++i)
            anzahl += farben[i].anzahl;
        eintraege.push_back({vertreter(farben, k), anzahl});
    }
    std::sort(eintraege.begin(), eintraege.end(), [](const Eintrag& a, const Eintrag& b) {
        if (a.anzahl != b.anzahl)
            return a.anzahl > b.anzahl;
        return a.farbe < b.farbe;
    });
    QList<QRgb> palette;
    for (const Eintrag& e : eintraege) {
        if (!palette.contains(e.farbe))
            palette.append(e.farbe);
    }

    std::unordered_map<QRgb, uchar> zuordnung;
    for (const Farbe& f : farben) {
        int bester = 0;
        for (int i = 1; i < palette.size(); ++i) {
            if (abstand(f.rgb, palette[i]) < abstand(f.rgb, palette[bester]))
                bester = i;
        }
        zuordnung[f.rgb] = uchar(bester);
    }

    QImage ergebnis(rgb.size(), QImage::Format_Indexed8);
    ergebnis.setColorTable(palette);
    ergebnis.setDotsPerMeterX(bild.dotsPerMeterX());
    ergebnis.setDotsPerMeterY(bild.dotsPerMeterY());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* quelle = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* ziel = ergebnis.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            ziel[x] = zuordnung[quelle[x] | 0xFF000000u];
    }
    return ergebnis;
}
