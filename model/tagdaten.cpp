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
}
