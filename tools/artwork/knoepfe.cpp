#include "erzeugen.h"
#include "zeichnen.h"

#include <QFontMetricsF>
#include <QLinearGradient>

namespace {

constexpr int FrameBreite = 120;
constexpr int FrameHoehe = 24;
constexpr int Frames = 4;
constexpr int TextLinks = 26;
constexpr int RandRechts = 2; // pressed captions move one pixel right

enum class Zustand
{
    Normal,
    Maus,
    Gedrueckt,
    Gesperrt
};

struct Knopf
{
    const char* datei;
    const char* text;
    const char* symbol;       // resources/artwork/svg/<symbol>.svg
    int breite = FrameBreite; // of one frame
};

// Every image button of the windows, top to bottom per window.
constexpr Knopf AlleKnoepfe[] = {
    {"kalender_rueckgaengig", "Rückgängig", "rueckgaengig"},
    {"kalender_hilfe", "Hilfe", "hilfe"},
    {"kalender_neue_aufgabe", "Neue Aufgabe", "neue_aufgabe"},
    {"kalender_neu_beginnen", "Neu beginnen", "neu_beginnen"},
    {"kalender_umzug_aendern", "Umzug ändern", "umzug_aendern"},
    {"kalender_speichern", "Speichern", "speichern"},
    {"kalender_laden", "Laden", "laden"},
    {"kalender_vorlagen", "Vorlagen", "postkarte"},
    {"kalender_drucken", "Drucken", "drucker"},
    {"kalender_export", "An Kalender", "kalender"},
    {"kalender_abgleichen", "Abgleichen", "abgleich"},
    {"kalender_ende", "Ende", "ende"},
    {"situation_abbrechen", "Abbrechen", "abbrechen"},
    {"situation_weiterplanen", "Weiterplanen", "weiterplanen"},
    {"situation_weiter", "Weiter", "weiter"},
    {"termin_abbrechen", "Abbrechen", "abbrechen"},
    {"termin_loeschen", "Aufgabe löschen", "loeschen"},
    {"termin_uebernehmen", "Übernehmen", "haken"},
    {"termin_drucken", "Drucken", "drucker"},
    {"termin_druckvorlagen", "Druckvorlagen", "postkarte"},
    {"eigenertermin_abbrechen", "Abbrechen", "abbrechen"},
    {"eigenertermin_loeschen", "Aufgabe löschen", "loeschen"},
    {"eigenertermin_uebernehmen", "Übernehmen", "haken"},
    {"eigenertermin_drucken", "Drucken", "drucker"},
    {"druckvorlagen_fertig", "Fertig", "fertig"},
    {"druckvorlagen_druck_starten", "Druck starten", "drucker"},
    {"druckvorlagen_druckeinstellung", "Druckeinstellung", "zahnrad"},
    // The order-conflict dialog's one image button; its caption needs a double width.
    {"reihenfolge_mitverschieben", "Abhängige Aufgaben mitverschieben", "mitverschieben",
     2 * FrameBreite},
};

// The look of one state.
struct Stil
{
    QColor oben, unten; // background gradient
    QColor lichtkante;  // top row
    QColor fuge;        // bottom row, the joint to the next button
    QColor akzent;      // bar at the left edge, or transparent
    QColor symbol, text, textschatten;
    QPointF versatz; // pressed content sinks in
    bool innenschatten;
};

Stil StilFuer(Zustand z)
{
    switch (z) {
    case Zustand::Normal:
        return {QColor(22, 42, 140),
                QColor(0, 0, 102),
                QColor(255, 255, 255, 48),
                QColor(0, 0, 60),
                Qt::transparent,
                Palette::Hellblau,
                Qt::white,
                QColor(0, 0, 40, 150),
                {0, 0},
                false};
    case Zustand::Maus:
        return {QColor(84, 134, 228),
                QColor(51, 102, 204),
                QColor(255, 255, 255, 80),
                QColor(18, 52, 150),
                Palette::Orange,
                Palette::Hellgelb,
                Qt::white,
                QColor(0, 0, 80, 130),
                {0, 0},
                false};
    case Zustand::Gedrueckt:
        return {QColor(0, 0, 66),
                QColor(16, 34, 128),
                QColor(0, 0, 0, 0),
                QColor(0, 0, 50),
                Palette::Hellblau,
                Palette::Hellblau,
                QColor(214, 238, 255),
                QColor(0, 0, 30, 150),
                {1, 1},
                true};
    case Zustand::Gesperrt:
        break;
    }
    return {QColor(140, 146, 178),
            QColor(122, 128, 162),
            QColor(255, 255, 255, 46),
            QColor(98, 104, 140),
            Qt::transparent,
            QColor(196, 202, 224),
            QColor(208, 212, 230),
            Qt::transparent,
            {0, 0},
            false};
}

// The symbol's shape comes from its SVG file, its colour from the state: the drawing is laid
// over the button as a mask, filled with `farbe`.
void SymbolZeichnen(QPainter& p, const char* symbol, const QColor& farbe)
{
    QImage form = NeuesBild(16, 16);
    QPainter maske(&form);
    SvgZeichnen(maske, QStringLiteral(":/svg/%1.svg").arg(QLatin1String(symbol)),
                QRectF(0, 0, 16, 16));
    maske.setCompositionMode(QPainter::CompositionMode_SourceIn);
    maske.fillRect(QRectF(0, 0, 16, 16), farbe);
    maske.end();
    p.drawImage(QPointF(0, 0), form);
}

// 11 pixels bold, the size of the windows' own texts; a caption too long for the button
// gets a pixel less rather than being cut.
QFont KnopfSchrift(const QString& text, int breite)
{
    for (int pixel = 11;; --pixel) {
        const QFont f = Schrift(pixel, true);
        if (pixel <= 8 ||
            QFontMetricsF(f).horizontalAdvance(text) <= breite - TextLinks - RandRechts)
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
    p.save();
    p.translate(5, 4);
    SymbolZeichnen(p, knopf.symbol, stil.symbol);
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
    const Zustand zustaende[Frames] = {Zustand::Normal, Zustand::Maus, Zustand::Gedrueckt,
                                       Zustand::Gesperrt};
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
        liste.push_back({QStringLiteral("buttons/%1.png").arg(QString::fromLatin1(knopf.datei)),
                         Streifen(knopf)});
    return liste;
}
