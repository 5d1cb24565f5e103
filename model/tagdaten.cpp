#include "model/tagdaten.h"

#include <algorithm>

bool TagDaten::TerminHinzufuegen(qint32 nummer, qint32 start, const QStringList& notiz,
                                 const QString& kurzbezeichnung, qint32 dauer)
{
    TerminAnhaengen(nummer, start, notiz, kurzbezeichnung, dauer);
    TermineOrdnen();
    return true;
}

void TagDaten::TerminAnhaengen(qint32 nummer, qint32 start, const QStringList& notiz,
                               const QString& kurzbezeichnung, qint32 dauer)
{
    ttermin t;
    t.Nummer = nummer;
    t.Start = start;
    t.Dauer = dauer;
    t.Kurzbezeichnung = kurzbezeichnung;
    t.Notiz = notiz;
    Termine.push_back(std::move(t));
}

void TagDaten::TermineOrdnen()
{
    // Repeated selection of the smallest Start, first one on ties, is a stable sort.
    std::stable_sort(Termine.begin(), Termine.end(),
                     [](const ttermin& a, const ttermin& b) { return a.Start < b.Start; });
    if (Termine.empty())
        return;
    const int n = static_cast<int>(std::min<size_t>(Termine.size(), 1u << 30));
    const int h = Koerperhoehe / n;
    for (int i = 0; i < n; ++i) {
        auto& b = Termine[static_cast<size_t>(i)].Bereich;
        b.left = 0;
        b.right = Breite;
        // Beyond 144 appointments h is 0 and every band is empty (bottom above top).
        b.top = Kopfhoehe + i * h;
        b.bottom = Kopfhoehe + (i + 1) * h - 1;
    }
}

int TagDaten::TerminAnPunkt(int x, int y) const
{
    for (int i = static_cast<int>(Termine.size()) - 1; i >= 0; --i)
        if (Termine[static_cast<size_t>(i)].Bereich.enthaelt(x, y))
            return i;
    return -1;
}

int TagDaten::TerminInHoehe(int y) const
{
    for (int i = static_cast<int>(Termine.size()) - 1; i >= 0; --i) {
        const auto& b = Termine[static_cast<size_t>(i)].Bereich;
        if (y >= b.top && y <= b.bottom)
            return i;
    }
    return -1;
}
