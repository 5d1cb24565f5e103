#include "print/kalenderdruck.h"

#include "model/kalender.h"
#include "model/kalendertexte.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QPainter>

#include <algorithm>

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

void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster)
{
    const int anzahl = static_cast<int>(tage.size());
    const Seitentexte texte = Texte(tage, erster);
    p.save();
    p.setPen(Qt::black);
    p.setFont(ArialPunkt(12, true));
    p.drawText(mass.Kopf(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texte.kopf);
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

} // namespace Kalenderdruck
