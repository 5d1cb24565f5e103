#include "widgets/zellengeometrie.h"

#include <algorithm>

namespace Zellengeometrie {

Bandbereich Band(const TagDaten& tag, int index, int breite)
{
    const int n = static_cast<int>(std::min<size_t>(tag.Termine.size(), 1u << 30));
    if (index < 0 || index >= n)
        return {0, 0, -1, -1};
    // Beyond 144 appointments h is 0 and every band is empty (bottom above top).
    const int h = Koerperhoehe / n;
    return {0, Kopfhoehe + index * h, breite, Kopfhoehe + (index + 1) * h - 1};
}

int TerminAnPunkt(const TagDaten& tag, int breite, int x, int y)
{
    for (int i = static_cast<int>(tag.Termine.size()) - 1; i >= 0; --i)
        if (Band(tag, i, breite).enthaelt(x, y))
            return i;
    return -1;
}

int TerminInHoehe(const TagDaten& tag, int y)
{
    for (int i = static_cast<int>(tag.Termine.size()) - 1; i >= 0; --i) {
        const Bandbereich b = Band(tag, i, 0);
        if (y >= b.top && y <= b.bottom)
            return i;
    }
    return -1;
}

} // namespace Zellengeometrie
