#include "widgets/zellenzeichnung.h"

#include "model/kalendertexte.h"
#include "model/katalog.h"
#include "model/tageszahl.h"
#include "widgets/schrift.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellentext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace Zellenzeichnung {

const Farbsatz& Bildschirm()
{
    static const Farbsatz f{{0, 0, 102},     {51, 102, 204},  {255, 255, 255},
                            {224, 224, 255}, {240, 240, 255}, {255, 255, 255},
                            {0, 0, 102},     {0, 0, 0},       {221, 238, 255}};
    return f;
}

const Farbsatz& Ausdruck()
{
    static const Farbsatz f{{153, 176, 255}, {205, 222, 255}, {0, 0, 0},
                            {221, 238, 255}, {255, 255, 255}, {204, 204, 204},
                            {0, 0, 102},     {0, 0, 0},       {255, 255, 255}};
    return f;
}

bool FreierTag(const TagDaten& tag)
{
    return Tageszahl::Wochentag(tag.Datum) == 1 || tag.Feiertag;
}

QString KopfText(double datum, bool ersteZelle)
{
    return Kalendertexte::Tageskopf(datum, Kalendertexte::MonatImKopf(datum, ersteZelle));
}

QString KopfText(double datum, bool ersteZelle, const QFontMetrics& fm, int breite)
{
    if (!Kalendertexte::MonatImKopf(datum, ersteZelle))
        return Kalendertexte::Tageskopf(datum, false);
    for (const QString& text :
         {Kalendertexte::Tageskopf(datum, true), Kalendertexte::TageskopfKurz(datum)})
        if (fm.horizontalAdvance(text) <= breite)
            return text;
    return Kalendertexte::Tageskopf(datum, false);
}

QColor KopfFarbe(const TagDaten& tag, const Farbsatz& farben)
{
    return FreierTag(tag) ? farben.kopfFrei : farben.kopf;
}

QColor KoerperFarbe(const TagDaten& tag, const Farbsatz& farben)
{
    const int w = Tageszahl::Wochentag(tag.Datum);
    return FreierTag(tag) || w % 2 == 0 ? farben.koerperA : farben.koerperB;
}

int RundenGerade(double wert)
{
    return static_cast<int>(std::nearbyint(wert)); // default rounding mode: halves to even
}

namespace {

// The band's lines at x, from y, one every lh pixels, clipped to the band; '*' lines and all
// after them in italics.
// One face of the band text with what drawing it needs, measured once per cell.
struct Schriftbild
{
    QFont schrift;
    QFont kursiv;
    int oberkante = 0;
    int kursivOberkante = 0;
};

Schriftbild Messen(const QFont& schrift, QPaintDevice* geraet)
{
    Schriftbild s;
    s.schrift = schrift;
    s.kursiv = schrift;
    s.kursiv.setItalic(true);
    s.oberkante = QFontMetrics(s.schrift, geraet).ascent();
    s.kursivOberkante = QFontMetrics(s.kursiv, geraet).ascent();
    return s;
}

// The band's lines at x, from y, one every lh pixels, clipped to the band; '*' lines and all
// after them in italics.
void BandTextZeichnen(QPainter& p, const QStringList& zeilen, int x, int y, int lh,
                      const Schriftbild& bild, const QRect& band)
{
    const bool hatteClip = p.hasClipping();
    const QRegion alterClip = hatteClip ? p.clipRegion() : QRegion();
    p.setClipRect(band, hatteClip ? Qt::IntersectClip : Qt::ReplaceClip);
    p.setFont(bild.schrift);
    bool kursiv = false;
    for (int i = 0; i < zeilen.size(); ++i) {
        const int oben = y + i * lh;
        if (oben > band.bottom())
            break; // the rest is clipped anyway
        QStringView zeile = zeilen.at(i);
        if (zeile.isEmpty())
            continue;
        if (zeile.startsWith(QLatin1Char('*'))) {
            if (!kursiv) {
                kursiv = true;
                p.setFont(bild.kursiv);
            }
            zeile = zeile.mid(1);
        }
        // Drawing at the baseline skips the layout of a text rectangle: bands are many.
        p.drawText(QPoint(x, oben + (kursiv ? bild.kursivOberkante : bild.oberkante)),
                   zeile.toString());
    }
    if (hatteClip)
        p.setClipRegion(alterClip);
    else
        p.setClipping(false);
}

// As BandTextZeichnen, from lines shaped before.
void BandZeilenZeichnen(QPainter& p, const std::vector<Zeilenspeicher::Zeile>& zeilen, int x, int y,
                        int lh, const Schriftbild& bild, const QRect& band)
{
    const bool hatteClip = p.hasClipping();
    const QRegion alterClip = hatteClip ? p.clipRegion() : QRegion();
    p.setClipRect(band, hatteClip ? Qt::IntersectClip : Qt::ReplaceClip);
    for (size_t i = 0; i < zeilen.size(); ++i) {
        const int oben = y + static_cast<int>(i) * lh;
        if (oben > band.bottom())
            break;
        const Zeilenspeicher::Zeile& z = zeilen[i];
        if (!z.zeichnen)
            continue;
        const int grundlinie = oben + (z.kursiv ? bild.kursivOberkante : bild.oberkante);
        for (const QGlyphRun& lauf : z.laeufe)
            p.drawGlyphRun(QPointF(x, grundlinie - z.oberkante), lauf);
    }
    if (hatteClip)
        p.setClipRegion(alterClip);
    else
        p.setClipping(false);
}

QFont BandSchrift(const QFont& basis, bool fett)
{
    QFont f = basis;
    f.setBold(fett);
    f.setItalic(false);
    return f;
}

} // namespace

void Zeilenspeicher::Pruefen(int breite, const QFont& schrift, const QPaintDevice* geraet)
{
    const int dpiX = geraet ? geraet->logicalDpiX() : 0;
    const int dpiY = geraet ? geraet->logicalDpiY() : 0;
    // A very full memory starts afresh too.
    if (breite != m_breite || dpiX != m_dpiX || dpiY != m_dpiY || m_baender.size() > 4096 ||
        schrift != m_schrift) {
        m_baender.clear();
        m_breite = breite;
        m_schrift = schrift;
        m_dpiX = dpiX;
        m_dpiY = dpiY;
    }
}

const std::vector<Zeilenspeicher::Zeile>&
Zeilenspeicher::Zeilen(const ttermin& t, int breite, int hoechstens, const QFontMetrics& titelFm,
                       const QFontMetrics& notizFm, const QFont& schrift, const QFont& kursiv,
                       QPaintDevice* geraet)
{
    Band& b = m_baender[t.Nummer];
    if (!b.zeilen.empty() && b.hoechstens == hoechstens && b.titel == t.Kurzbezeichnung &&
        b.notiz == t.Notiz)
        return b.zeilen;
    b.titel = t.Kurzbezeichnung;
    b.notiz = t.Notiz;
    b.hoechstens = hoechstens;
    b.zeilen.clear();
    // The same faces and lines as BandTextZeichnen, shaped once.
    bool istKursiv = false;
    for (const QString& text :
         ZellenText(t.Kurzbezeichnung, t.Notiz, breite, titelFm, notizFm, hoechstens)) {
        Zeile z;
        QStringView zeile = text;
        z.zeichnen = !zeile.isEmpty();
        if (z.zeichnen && zeile.startsWith(QLatin1Char('*'))) {
            istKursiv = true;
            zeile = zeile.mid(1);
        }
        z.kursiv = istKursiv;
        if (z.zeichnen && !zeile.isEmpty()) {
            QTextLayout satz(zeile.toString(), istKursiv ? kursiv : schrift, geraet);
            QTextOption option = satz.textOption();
            option.setWrapMode(QTextOption::NoWrap);
            satz.setTextOption(option);
            satz.beginLayout();
            QTextLine l = satz.createLine();
            l.setLineWidth(1e6);
            satz.endLayout();
            z.oberkante = l.ascent();
            z.laeufe = satz.glyphRuns();
        }
        b.zeilen.push_back(std::move(z));
    }
    if (b.zeilen.empty())
        b.zeilen.push_back(Zeile{false, false, {}, 0}); // marks the band as fitted
    return b.zeilen;
}

void AufBildschirm(QPainter& p, const TagDaten& tag, QSize groesse, const QFont& schrift,
                   Zeilenspeicher* speicher, bool ersteZelle)
{
    const Farbsatz& f = Bildschirm();
    const int breite = groesse.width();
    const int hoehe = groesse.height();

    p.fillRect(QRect(0, 0, breite, Zellengeometrie::Kopfhoehe), KopfFarbe(tag, f));
    QFont kopf = schrift;
    kopf.setBold(false);
    kopf.setItalic(false);
    p.setFont(kopf);
    const QFontMetrics kfm(kopf);
    const QString kopfText = KopfText(tag.Datum, ersteZelle, kfm, breite - 4);
    const int tw = kfm.horizontalAdvance(kopfText);
    const int lh = kfm.height();
    p.setPen(f.kopfText);
    p.drawText(QRect((breite - tw) / 2, (Zellengeometrie::Kopfhoehe - lh) / 2, tw + 1, lh),
               Qt::AlignLeft | Qt::AlignTop, kopfText);

    p.fillRect(QRect(0, Zellengeometrie::Kopfhoehe, breite,
                     std::max(hoehe - Zellengeometrie::Kopfhoehe, 0)),
               KoerperFarbe(tag, f));

    if (speicher)
        speicher->Pruefen(breite - 5, schrift, p.device());
    // The four faces a band can use, measured once per cell.
    const Schriftbild normal = Messen(BandSchrift(schrift, false), p.device());
    const Schriftbild fett = Messen(BandSchrift(schrift, true), p.device());
    const QFontMetrics normalFm(normal.schrift);
    const QFontMetrics normalKursivFm(normal.kursiv);
    const QFontMetrics fettFm(fett.schrift);
    const QFontMetrics fettKursivFm(fett.kursiv);
    for (size_t i = 0; i < tag.Termine.size(); ++i) {
        const ttermin& t = tag.Termine[i];
        if (t.Dauer <= 0)
            continue; // keeps its band for the mouse, draws nothing
        const Bandbereich bereich = Zellengeometrie::Band(tag, static_cast<int>(i), breite);
        const int oben = bereich.top;
        const int unten = bereich.bottom;
        if (unten <= oben)
            continue;
        const bool umziehen = t.Nummer == Umzugsaufgabe;
        // Like the header, the fill leaves the band's last row: a hairline between bands.
        const QRect band(0, oben, breite, unten - oben);
        const int sichtbar = (band.height() + lh - 1) / std::max(lh, 1);
        const QFontMetrics& titelFm = umziehen ? fettFm : normalFm;
        const QFontMetrics& notizFm = umziehen ? fettKursivFm : normalKursivFm;
        const Schriftbild& bild = umziehen ? fett : normal;
        p.fillRect(band, f.band);
        p.setPen(umziehen ? f.umziehenText : f.text);
        if (speicher) {
            BandZeilenZeichnen(p,
                               speicher->Zeilen(t, breite - 5, sichtbar, titelFm, notizFm,
                                                bild.schrift, bild.kursiv, p.device()),
                               5, oben, lh, bild, band);
        } else {
            BandTextZeichnen(
                p, ZellenText(t.Kurzbezeichnung, t.Notiz, breite - 5, titelFm, notizFm, sichtbar),
                5, oben, lh, bild, band);
        }
    }

    p.setPen(f.kante);
    p.drawLine(0, 21, 0, hoehe - 1);
}

void ZeichnenAuf(QPainter& p, const QRect& ziel, const TagDaten& tag, bool ersteZelle)
{
    const Farbsatz& f = Ausdruck();
    const int L = ziel.left();
    const int T = ziel.top();
    const int R = L + ziel.width();
    const int B = T + ziel.height();
    const float s =
        static_cast<float>(static_cast<quint16>(B - T)) / float{Zellengeometrie::Zellenhoehe};
    const int W = static_cast<quint16>(R - L);
    const int kopfUnten = T + RundenGerade(20.0 * s);

    const QFont schrift = ArialPunkt(10);
    p.save();
    p.fillRect(QRect(QPoint(L, T), QPoint(R - 1, kopfUnten - 1)), KopfFarbe(tag, f));
    p.setFont(schrift);
    const QFontMetrics fm(schrift, p.device());
    const QString kopfText = KopfText(tag.Datum, ersteZelle, fm, W - RundenGerade(4 * s));
    const int tw = fm.horizontalAdvance(kopfText);
    const int th = fm.height();
    p.setPen(f.kopfText);
    p.drawText(QRect(L + (W - tw) / 2, T + RundenGerade(20.0 * s - th) / 2, tw + 1, th),
               Qt::AlignLeft | Qt::AlignTop, kopfText);

    p.fillRect(QRect(QPoint(L, kopfUnten), QPoint(R - 1, B - 1)), KoerperFarbe(tag, f));

    for (size_t i = 0; i < tag.Termine.size(); ++i) {
        const ttermin& t = tag.Termine[i];
        if (t.Dauer <= 0)
            continue;
        const Bandbereich bereich = Zellengeometrie::Band(tag, static_cast<int>(i), W);
        const int oben = T + RundenGerade(bereich.top * s);
        const int unten = T + RundenGerade(bereich.bottom * s);
        if (unten <= oben)
            continue;
        const Schriftbild bild =
            Messen(BandSchrift(schrift, t.Nummer == Umzugsaufgabe), p.device());
        const QFontMetrics bfm(bild.schrift, p.device());
        const QStringList zeilen = ZellenText(t.Kurzbezeichnung, t.Notiz, W - RundenGerade(5 * s),
                                              bfm, QFontMetrics(bild.kursiv, p.device()));
        const QRect band(QPoint(L, oben), QPoint(R - 1, unten - 1));
        p.fillRect(band, f.band);
        p.setPen(t.Nummer == Umzugsaufgabe ? f.umziehenText : f.text);
        const int lh = bfm.height(); // the line height of the font, as for "f"
        BandTextZeichnen(p, zeilen, L + RundenGerade(5 * s), oben, std::max(lh, 1), bild, band);
    }

    QPen kante(f.kante);
    kante.setWidth(std::max(RundenGerade(s), 1));
    p.setPen(kante);
    p.drawLine(L, T, L, B);
    p.drawLine(L, B, R, B);
    p.restore();
}

} // namespace Zellenzeichnung
