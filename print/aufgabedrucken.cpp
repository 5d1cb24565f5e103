#include "print/aufgabedrucken.h"

#include "model/tageszahl.h"
#include "model/zeiten.h"
#include "print/drucker.h"
#include "widgets/meldung.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <array>

namespace Aufgabenblatt {

namespace {

// Own tables: the sheet is German whatever the system's regional settings say.
const std::array<QString, 7> Wochentage{QStringLiteral("Montag"),   QStringLiteral("Dienstag"),
                                        QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"),
                                        QStringLiteral("Freitag"),  QStringLiteral("Samstag"),
                                        QStringLiteral("Sonntag")};
const std::array<QString, 12> Monate{
    QStringLiteral("Januar"),  QStringLiteral("Februar"),  QStringLiteral("März"),
    QStringLiteral("April"),   QStringLiteral("Mai"),      QStringLiteral("Juni"),
    QStringLiteral("Juli"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};

int Runden(double wert)
{
    return Zellenzeichnung::RundenGerade(wert);
}

} // namespace

QString DatumText(double tag)
{
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return {};
    return QStringLiteral("%1, %2 %3, %4")
        .arg(Wochentage.at(static_cast<size_t>(d.dayOfWeek() - 1)),
             Monate.at(static_cast<size_t>(d.month() - 1)))
        .arg(d.day())
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

QString BeginnText(qint32 start)
{
    return Zeiten::BeginnText(start);
}

QString DauerText(qint32 dauer)
{
    return Zeiten::DauerText(dauer);
}

QStringList TitelUmbrechen(const QString& titel, int breite,
                           const std::function<int(const QString&)>& messen)
{
    QStringList zeilen;
    QString zeile;
    auto passt = [&](const QString& text) { return messen(text) <= breite; };
    const QStringList woerter = titel.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString wort : woerter) {
        const QString mitWort = zeile.isEmpty() ? wort : zeile + QLatin1Char(' ') + wort;
        if (passt(mitWort)) {
            zeile = mitWort;
            continue;
        }
        if (!zeile.isEmpty())
            zeilen << zeile;
        zeile.clear();
        // A word wider than the paper is cut where it must.
        while (!wort.isEmpty() && !passt(wort)) {
            qsizetype n = 1;
            while (n < wort.size() && passt(wort.left(n + 1)))
                ++n;
            zeilen << wort.left(n);
            wort = wort.mid(n);
        }
        zeile = wort;
    }
    if (!zeile.isEmpty() || zeilen.isEmpty())
        zeilen << zeile;
    return zeilen;
}

QString TitelKurz(const QString& titel, int breite,
                  const std::function<int(const QString&)>& messen)
{
    const QString einzeilig = titel.simplified();
    if (messen(einzeilig) <= breite)
        return einzeilig;
    // The longest beginning that fits with "..." (widths grow with length).
    const QString punkte = QStringLiteral("...");
    qsizetype unten = 0;
    qsizetype oben = std::min<qsizetype>(einzeilig.size() - 1, 4096);
    while (unten < oben) {
        const qsizetype mitte = (unten + oben + 1) / 2;
        if (messen(einzeilig.left(mitte) + punkte) <= breite)
            unten = mitte;
        else
            oben = mitte - 1;
    }
    return einzeilig.left(unten).trimmed() + punkte;
}

std::vector<std::vector<Zeile>> Blaetter(const taufgabe& aufgabe, const QStringList& notiz,
                                         double datum, const Blattmass& mass)
{
    const double ppcm = mass.dpi / 2.54;
    const int a = Runden(ppcm);
    const QPoint titelLage(a + Runden(2 * ppcm), a + Runden(2 * ppcm));
    const int titelBreite = mass.seite.width() - titelLage.x() - a;
    const bool messbar = mass.titelbreite && mass.seite.width() > 0;
    const QStringList titel =
        messbar ? TitelUmbrechen(aufgabe.Kurzbezeichnung, titelBreite, mass.titelbreite)
                : QStringList{aufgabe.Kurzbezeichnung};
    // Continuation sheets name the task once, in one line.
    const QString titelKurz =
        messbar ? TitelKurz(aufgabe.Kurzbezeichnung, titelBreite, mass.titelbreite)
                : aufgabe.Kurzbezeichnung;
    const int beschreibungX = a + Runden(3 * ppcm);
    const int notizX = a + Runden(4 * ppcm);
    // Everything below the title moves down by its extra lines: on the first sheet those of
    // the wrapped title, on the others none.
    int versatz = static_cast<int>(titel.size() - 1) * mass.titelzeile;
    auto oben = [&](qsizetype schritte, int schritt) {
        return a + versatz + Runden(static_cast<double>(schritte) * schritt);
    };
    // Every sheet keeps the margin of its top at the bottom, above the line "Blatt n von m".
    const int fusszeile = mass.seite.height() - a - mass.l2;
    auto passt = [&](int y, int hoehe) {
        return mass.seite.height() <= 0 || y + hoehe <= fusszeile - mass.l2;
    };

    const qsizetype n = aufgabe.Beschreibung.size();
    const qsizetype k = notiz.size();
    // A note's paragraph wrapped into several lines: every line but its last ends in the blank
    // it was wrapped at. Such lines stay with the next one on a sheet.
    auto fortgesetzt = [&](qsizetype i) {
        return i >= n && i < n + k && !notiz.at(i - n).isEmpty() &&
               notiz.at(i - n).back().isSpace();
    };
    // Moves a sheet's end `bis` back to the start of the paragraph it would split, as long as
    // the sheet keeps a line after `von`.
    auto absatzende = [&](qsizetype von, qsizetype bis) {
        qsizetype ende = bis;
        while (ende > von && ende < n + k && fortgesetzt(ende - 1))
            --ende;
        return ende > von ? ende : bis;
    };
    // Description and notes, one after the other; i < n is a description line.
    auto zeilenAuf = [&](std::vector<Zeile>& blatt, qsizetype von, qsizetype bis) {
        qsizetype beschreibung = 0;
        for (qsizetype i = von; i < bis; ++i) {
            if (i < n) {
                blatt.push_back({aufgabe.Beschreibung.at(i), Schrift::Text,
                                 QPoint(beschreibungX, oben(8 + beschreibung, mass.l1))});
                ++beschreibung;
            } else {
                // Two empty lines below the description; without one the notes begin on line 10.
                blatt.push_back(
                    {notiz.at(i - n), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + 10 + (i - std::max(von, n)), mass.l2))});
            }
        }
        return beschreibung;
    };
    // The line index below which the lines von … bis end, and the step of the last.
    auto unterKante = [&](qsizetype von, qsizetype bis) {
        const qsizetype beschreibung = std::max<qsizetype>(0, std::min(bis, n) - von);
        const qsizetype notizen = bis - von - beschreibung;
        if (notizen > 0)
            return oben(beschreibung + 10 + notizen - 1, mass.l2) + mass.l2;
        return oben(8 + beschreibung - 1, mass.l1) + mass.l1;
    };

    // The first sheet: as many lines as leave room for the date block below them.
    auto datumsblockPasst = [&](qsizetype bis) {
        const qsizetype beschreibung = std::min(bis, n);
        const qsizetype notizen = bis - beschreibung;
        return passt(oben(beschreibung + notizen + 16, mass.l2), mass.l2);
    };
    qsizetype erste = n + k;
    while (erste > 0 && !datumsblockPasst(erste))
        --erste;
    // A paragraph the first sheet would split goes whole to the next.
    while (erste > 0 && erste < n + k && fortgesetzt(erste - 1))
        --erste;

    std::vector<std::vector<Zeile>> blaetter(1);
    std::vector<Zeile>& blatt = blaetter.front();
    for (qsizetype i = 0; i < titel.size(); ++i)
        blatt.push_back({titel.at(i), Schrift::Titel,
                         titelLage + QPoint(0, static_cast<int>(i) * mass.titelzeile)});
    const qsizetype beschreibung = zeilenAuf(blatt, 0, erste);
    const qsizetype notizen = erste - beschreibung;
    blatt.push_back({QStringLiteral("Datum: ") + DatumText(datum), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + notizen + 12, mass.l2))});
    blatt.push_back({QStringLiteral("Beginn:") + BeginnText(aufgabe.Start), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + notizen + 14, mass.l2))});
    blatt.push_back({QStringLiteral("Dauer: ") + DauerText(aufgabe.Dauer), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + notizen + 16, mass.l2))});

    // Further sheets: the title in one line, then the lines that are left, at least one per
    // sheet, a paragraph of a note not split where it fits a sheet.
    versatz = 0;
    for (qsizetype von = erste; von < n + k;) {
        qsizetype bis = von + 1;
        while (bis < n + k && passt(unterKante(von, bis + 1), 0))
            ++bis;
        bis = absatzende(von, bis);
        std::vector<Zeile> weiter;
        weiter.push_back({titelKurz, Schrift::Titel, titelLage});
        zeilenAuf(weiter, von, bis);
        blaetter.push_back(std::move(weiter));
        von = bis;
    }
    if (blaetter.size() > 1 && mass.seite.height() > 0)
        for (size_t b = 0; b < blaetter.size(); ++b)
            blaetter[b].push_back(
                {QStringLiteral("Blatt %1 von %2").arg(b + 1).arg(blaetter.size()), Schrift::Text,
                 QPoint(titelLage.x(), fusszeile)});
    return blaetter;
}

std::vector<Zeile> Zeilen(const taufgabe& aufgabe, const QStringList& notiz, double datum, int dpi,
                          int l1, int l2)
{
    Blattmass mass;
    mass.dpi = dpi;
    mass.l1 = l1;
    mass.l2 = l2;
    return Blaetter(aufgabe, notiz, datum, mass).front();
}

} // namespace Aufgabenblatt

bool AufgabeDrucken(QWidget* eltern, const taufgabe& aufgabe, const QStringList& notiz,
                    double datum)
{
    QStringList zeilen = notiz;
    if (!zeilen.isEmpty() && zeilen.constLast().isEmpty())
        zeilen.removeLast(); // the field's last empty line is no line of the note

    // The sheets are laid out before printing, measured as on the printer's surface.
    const QPrinter& drucker = AktuellerDrucker();
    const int dpi = drucker.resolution();
    QImage geraet(1, 1, QImage::Format_RGB32);
    geraet.setDotsPerMeterX(qRound(dpi / 0.0254));
    geraet.setDotsPerMeterY(qRound(dpi / 0.0254));
    const QFont titel = ArialPunkt(20, true);
    const QFont normal = ArialPunkt(10);
    const QFontMetrics titelMetrik(titel, &geraet);
    QPageLayout layout = drucker.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    Aufgabenblatt::Blattmass mass;
    mass.dpi = dpi;
    mass.l1 = QFontMetrics(ArialPunkt(10, true), &geraet).height();
    mass.l2 = QFontMetrics(normal, &geraet).height();
    mass.seite = layout.paintRectPixels(dpi).size();
    mass.titelzeile = titelMetrik.height();
    mass.titelbreite = [&](const QString& text) { return titelMetrik.horizontalAdvance(text); };
    const auto blaetter = Aufgabenblatt::Blaetter(aufgabe, zeilen, datum, mass);

    Ausdruck ausdruck;
    ausdruck.lage = QPageLayout::Portrait;
    ausdruck.name = QStringLiteral("Aufgabe: %1").arg(aufgabe.Kurzbezeichnung);
    ausdruck.dateiname =
        QStringLiteral("Aufgabe – %1.pdf").arg(aufgabe.Kurzbezeichnung.simplified());
    ausdruck.seiten = static_cast<int>(blaetter.size());
    if (blaetter.size() > 1)
        ausdruck.auftragsname = [&](int seite) {
            return QStringLiteral("%1, Blatt %2 von %3")
                .arg(ausdruck.name)
                .arg(seite)
                .arg(blaetter.size());
        };
    return Drucken(eltern, ausdruck, [&](QPainter& p, const Druckseite&, int seite) {
               p.setBackgroundMode(Qt::TransparentMode);
               p.setPen(Qt::black);
               for (const auto& z : blaetter.at(static_cast<size_t>(seite))) {
                   const QFont& f = z.schrift == Aufgabenblatt::Schrift::Titel ? titel : normal;
                   p.setFont(f);
                   // Positions name the text's top-left corner; Qt writes on the baseline.
                   p.drawText(z.lage + QPoint(0, QFontMetrics(f, p.device()).ascent()), z.text);
               }
           }) == Druckergebnis::Gedruckt;
}
