#include "print/kalenderdruck.h"

#include "widgets/zellenzeichnung.h"

#include <QPainter>

namespace Kalenderdruck {

int Rand(int dpi)
{
    return Zellenzeichnung::RundenGerade(dpi / 2.54 * 2);
}

QRect Seitenmass::Zelle(int r, int c) const
{
    return QRect(rand + c * spalte, rand + r * zeile, spalte, zeile);
}

Seitenmass Mass(int dpi, QSize seite)
{
    Seitenmass m;
    m.rand = Rand(dpi);
    m.spalte = (seite.width() - 2 * m.rand) / 7;
    m.zeile = (seite.height() - 2 * m.rand) / 2;
    return m;
}

int Seiten(int anzahlTage)
{
    return anzahlTage > 0 ? (anzahlTage + TageProSeite - 1) / TageProSeite : 0;
}

void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster)
{
    const int anzahl = static_cast<int>(tage.size());
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 7; ++c) {
            const int i = erster + 7 * r + c;
            if (i >= 0 && i < anzahl && tage[static_cast<size_t>(i)])
                Zellenzeichnung::ZeichnenAuf(p, mass.Zelle(r, c), *tage[static_cast<size_t>(i)],
                                             i == erster);
        }
}

} // namespace Kalenderdruck
