#include "app/fensterlayout.h"

#include "widgets/zellengeometrie.h"

namespace Fensterlayout {

Hauptfenster Berechnen(QSize client)
{
    const int cw = client.width();
    const int ch = client.height();
    const int x = cw - Dekobreite;
    Hauptfenster h;
    h.kalender = QRect(0, Kopfleistenoben + Kopfleistenhoehe, x - 10,
                       ch - Statushoehe - Kopfleistenhoehe - Kopfleistenoben);
    h.kopfleiste = QRect(0, Kopfleistenoben, x - 10, Kopfleistenhoehe);
    h.logo = QRect(cw - Logobreite, 0, Logobreite, Logohoehe);
    h.deko = QRect(x, 0, Dekobreite, ch);
    h.status = QRect(0, ch - Statushoehe, x, Statushoehe);
    // "Ende" ten pixels above the bottom, every other button directly on the one below.
    int oben = ch - Knopfhoehe - 10;
    for (int i = Anzahlknoepfe - 1; i >= 0; --i) {
        h.knoepfe[static_cast<size_t>(i)] = QRect(x, oben, Knopfbreite, Knopfhoehe);
        oben -= Knopfhoehe;
    }
    return h;
}

int Zellenbreite(int kalenderbreite)
{
    // 20 pixels for the week column and 16 for the scroll bar.
    return (kalenderbreite - 36) / 7;
}

QRect Zelle(int i, int kalenderbreite)
{
    const int w = Zellenbreite(kalenderbreite);
    return QRect(Wochenspalte + w * (i % 7), Zellengeometrie::Zellenhoehe * (i / 7), w,
                 Zellengeometrie::Zellenhoehe);
}

QRect Wochentagskopf(int k, int kopfbreite)
{
    const int w = (kopfbreite - 36) / 7;
    return QRect(Wochenspalte + k * w, 0, w, Kopfleistenhoehe);
}

} // namespace Fensterlayout
