#include "widgets/zellengeometrie.h"

#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QSize>

namespace Zellengeometrie {

std::vector<Bandbereich> Baender(const TagDaten& tag, int breite)
{
    const Zellenzeichnung::Zellenlage lage =
        Zellenzeichnung::BildschirmLage(tag, QSize(breite, Zellenhoehe), ZellenSchrift());
    std::vector<Bandbereich> baender;
    baender.reserve(lage.baender.size());
    // QRect's bottom is top + height - 1: an empty band's bottom lies above its top.
    for (const auto& band : lage.baender)
        baender.push_back({0, band.flaeche.top(), breite, band.flaeche.bottom()});
    return baender;
}

Bandbereich Band(const TagDaten& tag, int index, int breite)
{
    if (index < 0 || static_cast<size_t>(index) >= tag.Termine.size())
        return {0, 0, -1, -1};
    return Baender(tag, breite)[static_cast<size_t>(index)];
}

int TerminAnPunkt(const TagDaten& tag, int breite, int x, int y)
{
    const std::vector<Bandbereich> baender = Baender(tag, breite);
    for (int i = static_cast<int>(baender.size()) - 1; i >= 0; --i)
        if (baender[static_cast<size_t>(i)].enthaelt(x, y))
            return i;
    return -1;
}

int TerminInHoehe(const TagDaten& tag, int breite, int y)
{
    const std::vector<Bandbereich> baender = Baender(tag, breite);
    for (int i = static_cast<int>(baender.size()) - 1; i >= 0; --i) {
        const Bandbereich& b = baender[static_cast<size_t>(i)];
        if (y >= b.top && y <= b.bottom)
            return i;
    }
    return -1;
}

} // namespace Zellengeometrie
