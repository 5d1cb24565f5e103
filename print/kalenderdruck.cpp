#include "print/kalenderdruck.h"

#include "model/kalender.h"
#include "model/kalendertexte.h"
#include "model/zeiten.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QPainter>

#include <QFontMetrics>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace Kalenderdruck {

int Rand(int dpi)
{
    return Zellenzeichnung::RundenGerade(dpi / 2.54 * 2);
}

int Bandhoehe(int dpi)
{
    return Zellenzeichnung::RundenGerade(dpi / 2.54);
}

QRect Seitenmass::Zelle(int r, int c) const
{
    return QRect(rand + c * spalte, rand + band + r * zeile, spalte, zeile);
}

QRect Seitenmass::Kopf() const
{
    return QRect(rand, rand, 7 * spalte, band);
}

QRect Seitenmass::Wochentag(int c) const
{
    const int hoehe = band * 2 / 5;
    return QRect(rand + c * spalte, rand + band - hoehe, spalte, hoehe);
}

QRect Seitenmass::Fuss() const
{
    return QRect(rand, rand + band + 2 * zeile, 7 * spalte, band);
}

Seitenmass Mass(int dpi, QSize seite)
{
    Seitenmass m;
    m.rand = Rand(dpi);
    m.band = Bandhoehe(dpi);
    m.spalte = (seite.width() - 2 * m.rand) / 7;
    m.zeile = (seite.height() - 2 * m.rand - 2 * m.band) / 2;
    return m;
}

int Seiten(int anzahlTage)
{
    return anzahlTage > 0 ? (anzahlTage + TageProSeite - 1) / TageProSeite : 0;
}

Seitentexte Texte(const std::vector<const TagDaten*>& tage, int erster)
{
    const int anzahl = static_cast<int>(tage.size());
    const TagDaten* von = nullptr;
    const TagDaten* bis = nullptr;
    for (int i = std::max(erster, 0); i < std::min(erster + TageProSeite, anzahl); ++i)
        if (const TagDaten* t = tage[static_cast<size_t>(i)]) {
            if (!von)
                von = t;
            bis = t;
        }
    if (!von)
        return {};
    return {Kalendertexte::Seitenkopf(Kalenderwoche(von->Datum), Kalenderwoche(bis->Datum),
                                      von->Datum, bis->Datum),
            Kalendertexte::Seitenfuss(erster / TageProSeite + 1, Seiten(anzahl))};
}

std::vector<int> Seitenanfaenge(const std::vector<const TagDaten*>& tage)
{
    const int anzahl = static_cast<int>(tage.size());
    auto hatAufgaben = [&](int woche) {
        for (int i = 7 * woche; i < std::min(7 * woche + 7, anzahl); ++i)
            if (tage[static_cast<size_t>(i)] && !tage[static_cast<size_t>(i)]->Termine.empty())
                return true;
        return false;
    };
    const int wochen = (anzahl + 6) / 7;
    std::vector<int> anfaenge;
    for (int w = 0; w < wochen; ++w)
        if (hatAufgaben(w)) {
            anfaenge.push_back(7 * w);
            ++w; // the week after it shares the page
        }
    if (anfaenge.empty())
        for (int erster = 0; erster < anzahl; erster += TageProSeite)
            anfaenge.push_back(erster);
    return anfaenge;
}

std::vector<Eintrag> OhneSeite(const std::vector<const TagDaten*>& tage,
                               const std::vector<int>& anfaenge, const Aufgabenliste& aufgaben,
                               const Seitenmass& mass, QPaintDevice* geraet)
{
    const int anzahl = static_cast<int>(tage.size());
    std::vector<Eintrag> liste;
    QSet<qint32> gedruckt; // drawn, or listed from their cell already
    for (const int erster : anfaenge)
        for (int k = 0; k < TageProSeite; ++k) {
            const int i = erster + k;
            if (i < 0 || i >= anzahl || !tage[static_cast<size_t>(i)])
                continue;
            const TagDaten& tag = *tage[static_cast<size_t>(i)];
            const std::vector<qint32> ohnePlatz =
                Zellenzeichnung::OhnePlatz(mass.Zelle(k / 7, k % 7), tag, geraet);
            for (const ttermin& t : tag.Termine) {
                if (std::find(ohnePlatz.begin(), ohnePlatz.end(), t.Nummer) != ohnePlatz.end())
                    liste.push_back({tag.Datum, t.Start, t.Kurzbezeichnung});
                gedruckt.insert(t.Nummer);
            }
        }
    for (const taufgabe& a : aufgaben)
        if (!gedruckt.contains(a.Nummer))
            liste.push_back({a.Tag, a.Start, a.Kurzbezeichnung});
    std::stable_sort(liste.begin(), liste.end(), [](const Eintrag& x, const Eintrag& y) {
        return std::trunc(x.tag) != std::trunc(y.tag) ? x.tag < y.tag : x.start < y.start;
    });
    return liste;
}

int ListenzeilenProSeite(const Seitenmass& mass, int zeile)
{
    // Below the head band, above the foot band.
    return std::max((2 * mass.zeile) / std::max(zeile, 1), 1);
}

void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster)
{
    SeiteZeichnen(p, mass, tage, erster, Texte(tage, erster));
}

void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster, const Seitentexte& texte)
{
    const int anzahl = static_cast<int>(tage.size());
    p.save();
    p.setPen(Qt::black);
    p.setFont(ArialPunkt(12, true));
    p.drawText(mass.Kopf(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texte.kopf);
    p.setFont(ArialPunkt(9));
    // Monday 1 January 1900 is day 2.
    for (int c = 0; c < 7; ++c)
        p.drawText(mass.Wochentag(c), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                   Kalendertexte::Wochentagsname(2.0 + c));
    p.setFont(ArialPunkt(10));
    p.drawText(mass.Fuss(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, texte.fuss);
    p.restore();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 7; ++c) {
            const int i = erster + 7 * r + c;
            if (i >= 0 && i < anzahl && tage[static_cast<size_t>(i)])
                Zellenzeichnung::ZeichnenAuf(p, mass.Zelle(r, c), *tage[static_cast<size_t>(i)],
                                             i == erster);
        }
}

void ListeZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<Eintrag>& eintraege,
                   qsizetype von, qsizetype bis, const QString& fuss)
{
    p.save();
    p.setPen(Qt::black);
    p.setFont(ArialPunkt(12, true));
    p.drawText(mass.Kopf(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               QStringLiteral("Aufgaben außerhalb der Kalenderseiten"));
    const QFont schrift = ArialPunkt(10);
    p.setFont(schrift);
    const QFontMetrics fm(schrift, p.device());
    const int zeile = fm.height();
    const QRect flaeche(mass.rand, mass.rand + mass.band, 7 * mass.spalte, 2 * mass.zeile);
    // Columns: the day, the begin, the title (shortened where it is too long).
    const int datumBreite = fm.horizontalAdvance(QStringLiteral("Donnerstag, 30. September 2027"));
    const int zeitBreite = fm.horizontalAdvance(QStringLiteral("00:00"));
    const int luecke = fm.horizontalAdvance(QStringLiteral("MM"));
    const int titelX = flaeche.left() + datumBreite + luecke + zeitBreite + luecke;
    int y = flaeche.top();
    for (qsizetype i = std::max<qsizetype>(von, 0);
         i < std::min<qsizetype>(bis, static_cast<qsizetype>(eintraege.size())); ++i) {
        const Eintrag& e = eintraege[static_cast<size_t>(i)];
        const int grundlinie = y + fm.ascent();
        p.drawText(QPoint(flaeche.left(), grundlinie), Kalendertexte::LangesDatum(e.tag));
        p.drawText(QPoint(flaeche.left() + datumBreite + luecke, grundlinie),
                   Zeiten::BeginnText(e.start));
        p.drawText(QPoint(titelX, grundlinie),
                   fm.elidedText(e.titel, Qt::ElideRight, flaeche.right() - titelX));
        y += zeile;
    }
    p.drawText(mass.Fuss(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, fuss);
    p.restore();
}

} // namespace Kalenderdruck
