#include "app/fensterlayout.h"

#include "widgets/zellengeometrie.h"

#include <algorithm>

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

QSize Mindestgroesse(int kopfbreite, int titelbreite)
{
    // The inverse of Berechnen and Wochentagskopf: the header is the client width less the
    // decoration column and 10 pixels, of which 36 go to the week column and scroll bar.
    const int fuerKoepfe = 7 * kopfbreite + 36 + 10 + Dekobreite;
    // The title starts at 20 pixels and ends 8 pixels before the logo.
    const int fuerTitel = 20 + titelbreite + 8 + Logobreite;
    // The buttons stand 10 pixels above the bottom and end below the logo; the calendar shows
    // one week between the header and the status line.
    const int fuerKnoepfe = Logohoehe + Anzahlknoepfe * Knopfhoehe + 10;
    const int fuerWoche =
        Kopfleistenoben + Kopfleistenhoehe + Zellengeometrie::Zellenhoehe + Statushoehe;
    return {std::max(fuerKoepfe, fuerTitel), std::max(fuerKnoepfe, fuerWoche)};
}

QRect Wiederhergestellt(QRect gespeichert, QRect verfuegbar, QSize minimum)
{
    const int breite = std::clamp(gespeichert.width(), minimum.width(),
                                  std::max(verfuegbar.width(), minimum.width()));
    const int hoehe = std::clamp(gespeichert.height(), minimum.height(),
                                 std::max(verfuegbar.height(), minimum.height()));
    const int links = std::clamp(gespeichert.x(), verfuegbar.left(),
                                 std::max(verfuegbar.left(), verfuegbar.right() + 1 - breite));
    const int oben = std::clamp(gespeichert.y(), verfuegbar.top(),
                                std::max(verfuegbar.top(), verfuegbar.bottom() + 1 - hoehe));
    return {links, oben, breite, hoehe};
}

} // namespace Fensterlayout
