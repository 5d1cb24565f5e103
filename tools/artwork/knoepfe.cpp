#include "erzeugen.h"
#include "zeichnen.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int FrameBreite = 120;
constexpr int FrameHoehe = 24;
constexpr int Frames = 4;
constexpr int TextLinks = 26;
constexpr int RandRechts = 2; // pressed captions move one pixel right

enum class Zustand { Normal, Maus, Gedrueckt, Gesperrt };

enum class Symbol {
    Rueckgaengig,
    Hilfe,
    NeueAufgabe,
    Neubeginn,
    Speichern,
    Laden,
    Postkarte,
    Drucker,
    Outlook,
    Ende,
    Abbrechen,
    Weiterplanen,
    Weiter,
    Loeschen,
    Haken,
    Fertig,
    Zahnrad,
    Mitverschieben,
};

struct Knopf {
    const char* datei;
    const char* text;
    Symbol symbol;
    int breite = FrameBreite; // of one frame
};

// Every image button of the windows, top to bottom per window.
constexpr Knopf AlleKnoepfe[] = {
    {"kalender_rueckgaengig", "Rückgängig", Symbol::Rueckgaengig},
    {"kalender_hilfe", "Hilfe", Symbol::Hilfe},
    {"kalender_neue_aufgabe", "Neue Aufgabe", Symbol::NeueAufgabe},
    {"kalender_neu_beginnen", "Neu beginnen", Symbol::Neubeginn},
    {"kalender_speichern", "Speichern", Symbol::Speichern},
    {"kalender_laden", "Laden", Symbol::Laden},
    {"kalender_vorlagen", "Vorlagen", Symbol::Postkarte},
    {"kalender_drucken", "Drucken", Symbol::Drucker},
    {"kalender_outlook", "An Outlook", Symbol::Outlook},
    {"kalender_ende", "Ende", Symbol::Ende},
    {"situation_abbrechen", "Abbrechen", Symbol::Abbrechen},
    {"situation_weiterplanen", "Weiterplanen", Symbol::Weiterplanen},
    {"situation_weiter", "Weiter", Symbol::Weiter},
    {"termin_abbrechen", "Abbrechen", Symbol::Abbrechen},
    {"termin_loeschen", "Aufgabe löschen", Symbol::Loeschen},
    {"termin_uebernehmen", "Übernehmen", Symbol::Haken},
    {"termin_drucken", "Drucken", Symbol::Drucker},
    {"termin_druckvorlagen", "Druckvorlagen", Symbol::Postkarte},
    {"eigenertermin_abbrechen", "Abbrechen", Symbol::Abbrechen},
    {"eigenertermin_loeschen", "Aufgabe löschen", Symbol::Loeschen},
    {"eigenertermin_uebernehmen", "Übernehmen", Symbol::Haken},
    {"eigenertermin_drucken", "Drucken", Symbol::Drucker},
    {"druckvorlagen_fertig", "Fertig", Symbol::Fertig},
    {"druckvorlagen_druck_starten", "Druck starten", Symbol::Drucker},
    {"druckvorlagen_druckeinstellung", "Druckeinstellung", Symbol::Zahnrad},
    // The order-conflict dialog's one image button; its caption needs a double width.
    {"reihenfolge_mitverschieben", "Abhängige Aufgaben mitverschieben", Symbol::Mitverschieben, 2 * FrameBreite},
};

// The look of one state.
struct Stil {
    QColor oben, unten;     // background gradient
    QColor lichtkante;      // top row
    QColor fuge;            // bottom row, the joint to the next button
    QColor akzent;          // bar at the left edge, or transparent
    QColor symbol, text, textschatten;
    QPointF versatz;        // pressed content sinks in
    bool innenschatten;
};

Stil StilFuer(Zustand z)
{
    switch (z) {
    case Zustand::Normal:
        return {QColor(22, 42, 140), QColor(0, 0, 102), QColor(255, 255, 255, 48), QColor(0, 0, 60),
                Qt::transparent, Palette::Hellblau, Qt::white, QColor(0, 0, 40, 150), {0, 0}, false};
    case Zustand::Maus:
        return {QColor(84, 134, 228), QColor(51, 102, 204), QColor(255, 255, 255, 80), QColor(18, 52, 150),
                Palette::Orange, Palette::Hellgelb, Qt::white, QColor(0, 0, 80, 130), {0, 0}, false};
    case Zustand::Gedrueckt:
        return {QColor(0, 0, 66), QColor(16, 34, 128), QColor(0, 0, 0, 0), QColor(0, 0, 50),
                Palette::Hellblau, Palette::Hellblau, QColor(214, 238, 255), QColor(0, 0, 30, 150), {1, 1}, true};
    case Zustand::Gesperrt:
        break;
    }
    return {QColor(140, 146, 178), QColor(122, 128, 162), QColor(255, 255, 255, 46), QColor(98, 104, 140),
            Qt::transparent, QColor(196, 202, 224), QColor(208, 212, 230), Qt::transparent, {0, 0}, false};
}

QPen Strich(const QColor& farbe, qreal breite)
{
    QPen pen(farbe, breite);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Pfeilspitze(QPainter& p, QPointF spitze, QPointF richtung, qreal laenge, qreal breite, const QColor& farbe)
{
    const qreal n = std::hypot(richtung.x(), richtung.y());
    const QPointF d = richtung / n;
    const QPointF quer(-d.y(), d.x());
    const QPointF basis = spitze - d * laenge;
    QPainterPath pfad;
    pfad.moveTo(spitze);
    pfad.lineTo(basis + quer * breite / 2);
    pfad.lineTo(basis - quer * breite / 2);
    pfad.closeSubpath();
    p.fillPath(pfad, farbe);
}

// Draws a symbol in a 16 x 16 box at the origin; `grund` is the button's background
// where a symbol needs a cut-out.
void SymbolZeichnen(QPainter& p, Symbol s, const QColor& f, const QColor& grund)
{
    p.setBrush(Qt::NoBrush);
    switch (s) {
    case Symbol::Rueckgaengig: {
        QPainterPath bogen;
        bogen.moveTo(13, 13.5);
        bogen.cubicTo(14, 8, 11, 5, 6.5, 5);
        p.setPen(Strich(f, 1.9));
        p.drawPath(bogen);
        Pfeilspitze(p, {1.8, 5}, {-1, 0}, 5, 7, f);
        break;
    }
    case Symbol::Hilfe: {
        p.setPen(Strich(f, 1.5));
        p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
        p.setFont(Schrift(11, true));
        p.drawText(QRectF(0, 0.5, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Symbol::NeueAufgabe:
    case Symbol::Outlook: {
        const bool export_ = s == Symbol::Outlook;
        const QRectF blatt = export_ ? QRectF(1, 3, 10.5, 11) : QRectF(2, 3, 12, 11.5);
        p.setPen(Strich(f, 1.4));
        p.drawRoundedRect(blatt, 1.5, 1.5);
        p.fillRect(QRectF(blatt.left(), blatt.top(), blatt.width(), 3), f);
        p.drawLine(QPointF(blatt.left() + 3, 1.5), QPointF(blatt.left() + 3, 4));
        p.drawLine(QPointF(blatt.right() - 3, 1.5), QPointF(blatt.right() - 3, 4));
        if (!export_) {
            p.setPen(Strich(f, 1.7));
            p.drawLine(QPointF(8, 7.6), QPointF(8, 12.4));
            p.drawLine(QPointF(5.6, 10), QPointF(10.4, 10));
        } else {
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j)
                    p.fillRect(QRectF(3 + j * 3.2, 7.5 + i * 3, 1.8, 1.8), f);
            p.setPen(Strich(grund, 4.2));
            p.drawLine(QPointF(8.5, 10.5), QPointF(12, 10.5));
            p.setPen(Strich(f, 1.8));
            p.drawLine(QPointF(8.5, 10.5), QPointF(12.5, 10.5));
            Pfeilspitze(p, {16, 10.5}, {1, 0}, 4.5, 6.5, f);
        }
        break;
    }
    case Symbol::Neubeginn: {
        const QRectF kreis(2.5, 2.5, 11, 11);
        QPainterPath bogen;
        bogen.arcMoveTo(kreis, 70);
        bogen.arcTo(kreis, 70, 290);
        p.setPen(Strich(f, 1.8));
        p.drawPath(bogen);
        const qreal w = qDegreesToRadians(70.0);
        const QPointF start(8 + 5.5 * std::cos(w), 8 - 5.5 * std::sin(w));
        const QPointF richtung(std::sin(w), std::cos(w)); // clockwise along the circle
        Pfeilspitze(p, start + richtung * 3.2 + QPointF(-0.5, 0), richtung + QPointF(0.35, 0), 4.5, 6, f);
        break;
    }
    case Symbol::Speichern: {
        QPainterPath diskette;
        diskette.moveTo(2, 2);
        diskette.lineTo(12, 2);
        diskette.lineTo(14, 4);
        diskette.lineTo(14, 14);
        diskette.lineTo(2, 14);
        diskette.closeSubpath();
        p.setPen(Strich(f, 1.4));
        p.drawPath(diskette);
        p.fillRect(QRectF(4.8, 2, 6, 4.2), f);
        p.fillRect(QRectF(8.8, 2.8, 1.4, 2.4), grund);
        p.setPen(Strich(f, 1.2));
        p.drawRect(QRectF(4.2, 8.8, 7.6, 5.2));
        break;
    }
    case Symbol::Laden: {
        QPainterPath hinten;
        hinten.moveTo(1.8, 13.5);
        hinten.lineTo(1.8, 3);
        hinten.lineTo(6, 3);
        hinten.lineTo(7.5, 4.8);
        hinten.lineTo(13, 4.8);
        hinten.lineTo(13, 7);
        p.setPen(Strich(f, 1.4));
        p.drawPath(hinten);
        QPainterPath vorn;
        vorn.moveTo(1.8, 13.5);
        vorn.lineTo(4.2, 7.5);
        vorn.lineTo(15.5, 7.5);
        vorn.lineTo(13.2, 13.5);
        vorn.closeSubpath();
        QColor fuellung = f;
        fuellung.setAlpha(110);
        p.setBrush(fuellung);
        p.drawPath(vorn);
        break;
    }
    case Symbol::Postkarte: {
        p.setPen(Strich(f, 1.4));
        p.drawRoundedRect(QRectF(1, 3, 14, 10), 1, 1);
        p.fillRect(QRectF(10.2, 4.8, 3, 3.6), f);
        p.setPen(Strich(f, 1.1));
        p.drawLine(QPointF(8.6, 5), QPointF(8.6, 11.4));
        p.drawLine(QPointF(3, 6.5), QPointF(7, 6.5));
        p.drawLine(QPointF(3, 8.8), QPointF(7, 8.8));
        p.drawLine(QPointF(3, 11), QPointF(6, 11));
        break;
    }
    case Symbol::Drucker: {
        p.setPen(Strich(f, 1.3));
        p.drawRect(QRectF(4.2, 1.6, 7.6, 4));
        QColor fuellung = f;
        fuellung.setAlpha(90);
        p.setBrush(fuellung);
        p.drawRoundedRect(QRectF(1.4, 5.6, 13.2, 6.4), 1.5, 1.5);
        p.setBrush(Qt::NoBrush);
        p.fillRect(QRectF(3.6, 9.4, 8.8, 5.4), grund);
        p.drawRect(QRectF(4.2, 9.6, 7.6, 4.8));
        p.setPen(Strich(f, 1.0));
        p.drawLine(QPointF(5.8, 11.4), QPointF(10.2, 11.4));
        p.drawLine(QPointF(5.8, 13), QPointF(9, 13));
        p.fillRect(QRectF(11.6, 7.2, 1.6, 1.2), f);
        break;
    }
    case Symbol::Ende: {
        p.setPen(Strich(f, 1.8));
        p.drawArc(QRectF(2.2, 2.8, 11.6, 11.6), 125 * 16, 290 * 16);
        p.drawLine(QPointF(8, 1.6), QPointF(8, 8));
        break;
    }
    case Symbol::Abbrechen: {
        p.setPen(Strich(f, 2.1));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    case Symbol::Weiterplanen: {
        QPainterPath blatt;
        blatt.moveTo(2.5, 1.5);
        blatt.lineTo(9.5, 1.5);
        blatt.lineTo(13.5, 5.5);
        blatt.lineTo(13.5, 14.5);
        blatt.lineTo(2.5, 14.5);
        blatt.closeSubpath();
        p.setPen(Strich(f, 1.3));
        p.drawPath(blatt);
        p.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 5.5}, {13.5, 5.5}}));
        QPainterPath start;
        start.moveTo(5.6, 7);
        start.lineTo(10.6, 10);
        start.lineTo(5.6, 13);
        start.closeSubpath();
        p.fillPath(start, f);
        break;
    }
    case Symbol::Weiter: {
        p.setPen(Strich(f, 2.0));
        p.drawLine(QPointF(2, 8), QPointF(10.5, 8));
        Pfeilspitze(p, {15, 8}, {1, 0}, 6, 8.5, f);
        break;
    }
    case Symbol::Loeschen: {
        p.setPen(Strich(f, 1.4));
        p.drawLine(QPointF(2.2, 4), QPointF(13.8, 4));
        p.drawPolyline(QPolygonF({{6, 4}, {6, 2}, {10, 2}, {10, 4}}));
        QPainterPath eimer;
        eimer.moveTo(3.6, 4.8);
        eimer.lineTo(4.6, 14.5);
        eimer.lineTo(11.4, 14.5);
        eimer.lineTo(12.4, 4.8);
        p.drawPath(eimer);
        p.setPen(Strich(f, 1.1));
        p.drawLine(QPointF(6.6, 7), QPointF(6.8, 12.4));
        p.drawLine(QPointF(9.4, 7), QPointF(9.2, 12.4));
        break;
    }
    case Symbol::Haken: {
        p.setPen(Strich(f, 2.3));
        p.drawPolyline(QPolygonF({{2.6, 8.6}, {6.2, 12.2}, {13.6, 4}}));
        break;
    }
    case Symbol::Fertig: {
        p.setPen(Strich(f, 1.4));
        p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
        p.setPen(Strich(f, 1.9));
        p.drawPolyline(QPolygonF({{4.8, 8.2}, {7.1, 10.5}, {11.4, 5.6}}));
        break;
    }
    case Symbol::Zahnrad: {
        p.setPen(Qt::NoPen);
        p.setBrush(f);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(45.0 * i);
            p.drawRoundedRect(QRectF(-1.5, -7.4, 3, 3.4), 0.6, 0.6);
            p.restore();
        }
        p.drawEllipse(QPointF(8, 8), 5.2, 5.2);
        p.setBrush(grund);
        p.drawEllipse(QPointF(8, 8), 2.1, 2.1);
        break;
    }
    case Symbol::Mitverschieben: {
        // Two days in a row, both pushed to the right.
        p.setPen(Strich(f, 1.2));
        p.drawRect(QRectF(1, 2.5, 5, 4.5));
        p.drawRect(QRectF(1, 9, 5, 4.5));
        p.setPen(Strich(f, 1.6));
        p.drawLine(QPointF(7.5, 4.75), QPointF(12, 4.75));
        p.drawLine(QPointF(7.5, 11.25), QPointF(12, 11.25));
        Pfeilspitze(p, {15.5, 4.75}, {1, 0}, 4, 5.5, f);
        Pfeilspitze(p, {15.5, 11.25}, {1, 0}, 4, 5.5, f);
        break;
    }
    }
}

// 11 pixels bold, the size of the windows' own texts; a caption too long for the button
// gets a pixel less rather than being cut.
QFont KnopfSchrift(const QString& text, int breite)
{
    for (int pixel = 11;; --pixel) {
        const QFont f = Schrift(pixel, true);
        if (pixel <= 8 || QFontMetricsF(f).horizontalAdvance(text) <= breite - TextLinks - RandRechts)
            return f;
    }
}

void FrameZeichnen(QPainter& p, const QRect& rahmen, const Knopf& knopf, Zustand z)
{
    const Stil stil = StilFuer(z);
    p.save();
    p.setClipRect(rahmen);
    p.translate(rahmen.topLeft());
    const qreal b = knopf.breite;
    const qreal h = FrameHoehe;

    QLinearGradient verlauf(0, 0, 0, h);
    verlauf.setColorAt(0, stil.oben);
    verlauf.setColorAt(1, stil.unten);
    p.fillRect(QRectF(0, 0, b, h), verlauf);
    if (stil.innenschatten) {
        QLinearGradient schatten(0, 0, 0, 5);
        schatten.setColorAt(0, QColor(0, 0, 0, 110));
        schatten.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(0, 0, b, 5), schatten);
    }
    p.fillRect(QRectF(0, 0, b, 1), stil.lichtkante);
    p.fillRect(QRectF(0, h - 1, b, 1), stil.fuge);
    if (stil.akzent.alpha() > 0)
        p.fillRect(QRectF(0, 0, 3, h - 1), stil.akzent);

    p.translate(stil.versatz);
    // The symbol's cut-outs use the background colour at mid-height.
    const QColor grund = QColor::fromRgbF((stil.oben.redF() + stil.unten.redF()) / 2,
                                          (stil.oben.greenF() + stil.unten.greenF()) / 2,
                                          (stil.oben.blueF() + stil.unten.blueF()) / 2);
    p.save();
    p.translate(5, 4);
    SymbolZeichnen(p, knopf.symbol, stil.symbol, grund);
    p.restore();

    const QRectF textfeld(TextLinks, 0, b - TextLinks, h - 1);
    const QString text = QString::fromUtf8(knopf.text);
    p.setFont(KnopfSchrift(text, knopf.breite));
    if (stil.textschatten.alpha() > 0) {
        p.setPen(stil.textschatten);
        p.drawText(textfeld.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    p.setPen(stil.text);
    p.drawText(textfeld, Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
}

QImage Streifen(const Knopf& knopf)
{
    QImage bild = NeuesBild(knopf.breite * Frames, FrameHoehe, Qt::white);
    QPainter p(&bild);
    Vorbereiten(p);
    const Zustand zustaende[Frames] = {Zustand::Normal, Zustand::Maus, Zustand::Gedrueckt, Zustand::Gesperrt};
    for (int i = 0; i < Frames; ++i)
        FrameZeichnen(p, QRect(i * knopf.breite, 0, knopf.breite, FrameHoehe), knopf, zustaende[i]);
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

} // namespace

std::vector<Ausgabe> Knopfstreifen()
{
    std::vector<Ausgabe> liste;
    for (const Knopf& knopf : AlleKnoepfe)
        liste.push_back({QStringLiteral("buttons/%1.png").arg(QString::fromLatin1(knopf.datei)), Streifen(knopf)});
    return liste;
}
