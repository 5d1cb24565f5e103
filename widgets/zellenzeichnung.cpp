#include "widgets/zellenzeichnung.h"

#include "model/aufgabenstand.h"
#include "model/kalendertexte.h"
#include "model/katalog.h"
#include "model/tageszahl.h"
#include "widgets/farben.h"
#include "widgets/schrift.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellentext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace Zellenzeichnung {

const Farbsatz& Bildschirm()
{
    static const Farbsatz f{Farben::Dunkelblau, Farben::Mittelblau, Qt::white,
                            Farben::Blassblau,  Farben::Hauchblau,  Qt::white,
                            Farben::Dunkelblau, Qt::black,          Farben::Eisblau};
    return f;
}

const Farbsatz& Ausdruck()
{
    static const Farbsatz f{Farben::Kornblau,   Farben::Wolkenblau, Qt::black,
                            Farben::Eisblau,    Qt::white,          Farben::Hellgrau,
                            Farben::Dunkelblau, Qt::black,          Qt::white};
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

int Hakengroesse(int zeile)
{
    return std::max(zeile * 3 / 4, 6);
}

int Textbreite(const ttermin& t, int breite, int zeile)
{
    // The mark's field, its margin of 2 on the right and a gap of 2 before it.
    return t.Erledigt ? std::max(breite - Hakengroesse(zeile) - 5, 0) : breite;
}

QRect Hakenfeld(const QRect& band, int zeile)
{
    const int g = Hakengroesse(zeile);
    return QRect(band.right() - g - 2, band.top() + std::max((zeile - g) / 2, 0), g, g);
}

std::array<QPointF, 3> Haken(const QRectF& feld)
{
    return {QPointF(feld.left(), feld.top() + feld.height() * 0.55),
            QPointF(feld.left() + feld.width() * 0.38, feld.bottom()),
            QPointF(feld.right(), feld.top())};
}

QRect Ueberfaelligstreifen(const QRect& band)
{
    // Clear of the cell's edge line on the left, and of the text from x 5.
    return QRect(band.left() + 1, band.top(), 3, band.height());
}

namespace {

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

// Whether a task shown on `tag` is overdue on `heute` (0: no task is).
bool UeberfaelligAm(const TagDaten& tag, const ttermin& t, double heute)
{
    taufgabe aufgabe;
    aufgabe.Tag = tag.Datum;
    aufgabe.Erledigt = t.Erledigt;
    return heute > 0 && Ueberfaellig(aufgabe, static_cast<qint32>(std::floor(heute)));
}

// The check mark of a done task in `band`, its lines `zeile` pixels apart, `dicke` wide.
void HakenZeichnen(QPainter& p, const QRect& band, int zeile, qreal dicke)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen stift(Farben::Hakengruen, dicke);
    stift.setCapStyle(Qt::RoundCap);
    stift.setJoinStyle(Qt::RoundJoin);
    p.setPen(stift);
    const auto punkte = Haken(QRectF(Hakenfeld(band, zeile)));
    p.drawPolyline(punkte.data(), static_cast<int>(punkte.size()));
    p.restore();
}

QFont BandSchrift(const QFont& basis, bool fett)
{
    QFont f = basis;
    f.setBold(fett);
    f.setItalic(false);
    return f;
}

QFont Kursiv(QFont f)
{
    f.setItalic(true);
    return f;
}

// The measures of a cell's band text: regular, and bold for "Umziehen", each with its italics
// for the notes.
struct Bandmetrik
{
    Bandmetrik(const QFont& schrift, const QPaintDevice* geraet)
        : normal(BandSchrift(schrift, false), geraet),
          normalKursiv(Kursiv(BandSchrift(schrift, false)), geraet),
          fett(BandSchrift(schrift, true), geraet),
          fettKursiv(Kursiv(BandSchrift(schrift, true)), geraet)
    {
    }
    QFontMetrics normal;
    QFontMetrics normalKursiv;
    QFontMetrics fett;
    QFontMetrics fettKursiv;

    // The line step of the bands: that of the regular face.
    int Zeile() const { return std::max(normal.height(), 1); }
    Bandtext Text(int breite) const
    {
        return [this, breite](const ttermin& t, int hoechstens) {
            const bool umziehen = t.Nummer == Umzugsaufgabe;
            return ZellenText(t.Kurzbezeichnung, t.Notiz, Textbreite(t, breite, Zeile()),
                              umziehen ? fett : normal, umziehen ? fettKursiv : normalKursiv,
                              hoechstens);
        };
    }
};

// The body of a screen cell: below the header, over the full height.
QRect Bildschirmkoerper(QSize groesse)
{
    return QRect(0, Zellengeometrie::Kopfhoehe, groesse.width(),
                 std::max(groesse.height() - Zellengeometrie::Kopfhoehe, 0));
}

// The line between two bands on the screen.
constexpr int BildschirmAbstand = 1;

// A cell's scale in the printout: the cell's height against the screen cell's 164 pixels.
float Massstab(const QRect& ziel)
{
    return static_cast<float>(static_cast<quint16>(ziel.height())) /
           float{Zellengeometrie::Zellenhoehe};
}

// The printout's layout of a cell in `ziel` on `geraet`: whole lines only, with a gap between
// bands, so that text is never cut through its letters.
struct Drucklage
{
    Drucklage(const QRect& ziel, const TagDaten& tag, QPaintDevice* geraet)
    {
        const float s = Massstab(ziel);
        const int W = static_cast<quint16>(ziel.width());
        const int kopfUnten = ziel.top() + RundenGerade(20.0 * s);
        const Bandmetrik metrik(ArialPunkt(10), geraet);
        zeile = metrik.Zeile();
        abstand = std::max(RundenGerade(2 * s), 1);
        lage = Legen(tag,
                     QRect(QPoint(ziel.left(), kopfUnten),
                           QPoint(ziel.left() + ziel.width() - 1, ziel.top() + ziel.height() - 1)),
                     zeile, abstand, metrik.Text(W - RundenGerade(5 * s)));
    }
    Zellenlage lage;
    int zeile = 0;
    int abstand = 0;
};

} // namespace

Zellenlage Legen(const TagDaten& tag, const QRect& koerper, int zeile, int abstand,
                 const Bandtext& text)
{
    Zellenlage lage;
    zeile = std::max(zeile, 1);
    abstand = std::max(abstand, 0);
    const int hoehe = std::max(koerper.height(), 0);
    // No band is measured for more lines than the body holds, and no task beyond those that
    // can find room is measured at all: a day of a hostile plan may hold thousands.
    const int hoechstensZeilen = hoehe / zeile + 1;
    const size_t hoechstensBaender = static_cast<size_t>(hoehe / (zeile + abstand)) + 1;
    std::vector<int> gewuenscht(tag.Termine.size(), 1);
    for (size_t i = 0; i < tag.Termine.size() && i < hoechstensBaender; ++i)
        gewuenscht[i] =
            std::max(static_cast<int>(text(tag.Termine[i], hoechstensZeilen).size()), 1);
    const Bandverteilung verteilung = BaenderVerteilen(gewuenscht, hoehe, zeile, abstand);
    int oben = koerper.top();
    lage.baender.reserve(tag.Termine.size());
    for (size_t i = 0; i < tag.Termine.size(); ++i) {
        const int zeilen = verteilung.zeilen[i];
        Zellenlage::Band band;
        if (zeilen > 0) {
            band.flaeche = QRect(koerper.left(), oben, koerper.width(), zeilen * zeile + abstand);
            band.zeilen = text(tag.Termine[i], zeilen);
            oben += band.flaeche.height();
        } else {
            band.flaeche = QRect(koerper.left(), oben, koerper.width(), 0);
        }
        lage.baender.push_back(std::move(band));
    }
    lage.weitere = verteilung.weitere;
    if (lage.weitere > 0)
        lage.weitereZeile = QRect(koerper.left(), oben, koerper.width(), zeile);
    return lage;
}

Zellenlage BildschirmLage(const TagDaten& tag, QSize groesse, const QFont& schrift)
{
    const Bandmetrik metrik(schrift, nullptr);
    return Legen(tag, Bildschirmkoerper(groesse), metrik.Zeile(), BildschirmAbstand,
                 metrik.Text(groesse.width() - 5));
}

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
        b.notiz == t.Notiz && b.erledigt == t.Erledigt)
        return b.zeilen;
    b.titel = t.Kurzbezeichnung;
    b.notiz = t.Notiz;
    b.erledigt = t.Erledigt;
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
                   Zeilenspeicher* speicher, bool ersteZelle, double heute)
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
    const Bandmetrik metrik(schrift, nullptr);
    const Zellenlage lage = BildschirmLage(tag, groesse, schrift);
    for (size_t i = 0; i < tag.Termine.size(); ++i) {
        const ttermin& t = tag.Termine[i];
        const Zellenlage::Band& b = lage.baender[i];
        if (b.flaeche.isEmpty())
            continue;
        const bool umziehen = t.Nummer == Umzugsaufgabe;
        // Like the header, the fill leaves the band's last row: a hairline between bands.
        const QRect band = b.flaeche.adjusted(0, 0, 0, -BildschirmAbstand);
        const int zeilen = static_cast<int>(b.zeilen.size());
        const Schriftbild& bild = umziehen ? fett : normal;
        p.fillRect(band, t.Erledigt ? Farben::Erledigtband : f.band);
        if (t.Erledigt)
            HakenZeichnen(p, band, metrik.Zeile(), 2);
        else if (UeberfaelligAm(tag, t, heute))
            p.fillRect(Ueberfaelligstreifen(band), Farben::Ueberfaelligrot);
        p.setPen(t.Erledigt ? Farben::Erledigttext : umziehen ? f.umziehenText : f.text);
        if (speicher) {
            BandZeilenZeichnen(p,
                               speicher->Zeilen(t, Textbreite(t, breite - 5, metrik.Zeile()),
                                                zeilen, umziehen ? metrik.fett : metrik.normal,
                                                umziehen ? metrik.fettKursiv : metrik.normalKursiv,
                                                bild.schrift, bild.kursiv, p.device()),
                               5, band.top(), lh, bild, band);
        } else {
            BandTextZeichnen(p, b.zeilen, 5, band.top(), lh, bild, band);
        }
    }
    if (lage.weitere > 0) {
        p.setPen(f.text);
        p.setFont(normal.schrift);
        p.drawText(QPoint(5, lage.weitereZeile.top() + normal.oberkante),
                   QStringLiteral("+%1").arg(lage.weitere));
    }

    p.setPen(f.kante);
    p.drawLine(0, 21, 0, hoehe - 1);
}

std::vector<qint32> ZeichnenAuf(QPainter& p, const QRect& ziel, const TagDaten& tag,
                                bool ersteZelle)
{
    const Farbsatz& f = Ausdruck();
    const int L = ziel.left();
    const int T = ziel.top();
    const int R = L + ziel.width();
    const int B = T + ziel.height();
    const float s = Massstab(ziel);
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

    const Drucklage druck(ziel, tag, p.device());
    const Zellenlage& lage = druck.lage;
    const int lh = druck.zeile;
    const int abstand = druck.abstand;
    const Schriftbild normal = Messen(BandSchrift(schrift, false), p.device());
    const Schriftbild fett = Messen(BandSchrift(schrift, true), p.device());
    std::vector<qint32> ohnePlatz;
    for (size_t i = 0; i < tag.Termine.size(); ++i) {
        const ttermin& t = tag.Termine[i];
        const Zellenlage::Band& b = lage.baender[i];
        if (b.flaeche.isEmpty()) {
            ohnePlatz.push_back(t.Nummer);
            continue;
        }
        const bool umziehen = t.Nummer == Umzugsaufgabe;
        const QRect band = b.flaeche.adjusted(0, 0, 0, -abstand);
        p.fillRect(band, f.band);
        if (t.Erledigt)
            HakenZeichnen(p, band, lh, std::max(2 * s, 1.0F));
        p.setPen(umziehen ? f.umziehenText : f.text);
        BandTextZeichnen(p, b.zeilen, L + RundenGerade(5 * s), band.top(), lh,
                         umziehen ? fett : normal, band);
    }
    if (lage.weitere > 0) {
        p.setPen(f.text);
        p.setFont(normal.schrift);
        p.drawText(QPoint(L + RundenGerade(5 * s), lage.weitereZeile.top() + normal.oberkante),
                   QStringLiteral("+%1 weitere").arg(lage.weitere));
    }

    QPen kante(f.kante);
    kante.setWidth(std::max(RundenGerade(s), 1));
    p.setPen(kante);
    p.drawLine(L, T, L, B);
    p.drawLine(L, B, R, B);
    p.restore();
    return ohnePlatz;
}

std::vector<qint32> OhnePlatz(const QRect& ziel, const TagDaten& tag, QPaintDevice* geraet)
{
    const Drucklage druck(ziel, tag, geraet);
    std::vector<qint32> nummern;
    for (size_t i = 0; i < tag.Termine.size(); ++i)
        if (druck.lage.baender[i].flaeche.isEmpty())
            nummern.push_back(tag.Termine[i].Nummer);
    return nummern;
}

} // namespace Zellenzeichnung
