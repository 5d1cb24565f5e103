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

std::vector<std::vector<Zeile>> Blaetter(const taufgabe& aufgabe, const QStringList& notiz,
                                         double datum, const Blattmass& mass)
{
    const double ppcm = mass.dpi / 2.54;
    const int a = Runden(ppcm);
    const QPoint titelLage(a + Runden(2 * ppcm), a + Runden(2 * ppcm));
    const QStringList titel =
        mass.titelbreite && mass.seite.width() > 0
            ? TitelUmbrechen(aufgabe.Kurzbezeichnung, mass.seite.width() - titelLage.x() - a,
                             mass.titelbreite)
            : QStringList{aufgabe.Kurzbezeichnung};
    // Everything below the title moves down by its extra lines.
    const int versatz = static_cast<int>(titel.size() - 1) * mass.titelzeile;
    const int beschreibungX = a + Runden(3 * ppcm);
    const int notizX = a + Runden(4 * ppcm);
    auto oben = [&](qsizetype schritte, int schritt) {
        return a + versatz + Runden(static_cast<double>(schritte) * schritt);
    };
    // Does a line with its top at `y` and `hoehe` high end on the paper?
    auto passt = [&](int y, int hoehe) {
        return mass.seite.height() <= 0 || y + hoehe <= mass.seite.height();
    };

    const qsizetype n = aufgabe.Beschreibung.size();
    const qsizetype k = notiz.size();
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
    auto titelAuf = [&](std::vector<Zeile>& blatt) {
        for (qsizetype i = 0; i < titel.size(); ++i)
            blatt.push_back({titel.at(i), Schrift::Titel,
                             titelLage + QPoint(0, static_cast<int>(i) * mass.titelzeile)});
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

    std::vector<std::vector<Zeile>> blaetter(1);
    std::vector<Zeile>& blatt = blaetter.front();
    titelAuf(blatt);
    const qsizetype beschreibung = zeilenAuf(blatt, 0, erste);
    const qsizetype notizen = erste - beschreibung;
    blatt.push_back({QStringLiteral("Datum: ") + DatumText(datum), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + notizen + 12, mass.l2))});
    blatt.push_back({QStringLiteral("Beginn:") + BeginnText(aufgabe.Start), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + notizen + 14, mass.l2))});
    blatt.push_back({QStringLiteral("Dauer: ") + DauerText(aufgabe.Dauer), Schrift::Text,
                     QPoint(notizX, oben(beschreibung + notizen + 16, mass.l2))});

    // Further sheets: the title, then the lines that are left, at least one per sheet.
    for (qsizetype von = erste; von < n + k;) {
        qsizetype bis = von + 1;
        while (bis < n + k && passt(unterKante(von, bis + 1), 0))
            ++bis;
        std::vector<Zeile> weiter;
        titelAuf(weiter);
        zeilenAuf(weiter, von, bis);
        blaetter.push_back(std::move(weiter));
        von = bis;
    }
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
