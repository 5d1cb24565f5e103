#include "print/aufgabedrucken.h"

#include "model/tageszahl.h"
#include "model/zeiten.h"
#include "print/drucker.h"
#include "widgets/meldung.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QFontMetrics>
#include <QPainter>

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
    const QStringList& liste = Zeiten::BeginnTexte();
    return start >= 1 && start <= liste.size() ? liste.at(start - 1) : QString();
}

QString DauerText(qint32 dauer)
{
    const QStringList& liste = Zeiten::DauerTexte();
    return dauer >= 0 && dauer < liste.size() ? liste.at(dauer) : QString();
}

std::vector<Zeile> Zeilen(const taufgabe& aufgabe, const QStringList& notiz, double datum, int dpi,
                          int l1, int l2)
{
    const double ppcm = dpi / 2.54;
    const int a = Runden(ppcm);
    const qsizetype n = aufgabe.Beschreibung.size();
    const qsizetype k = notiz.size();

    std::vector<Zeile> zeilen;
    zeilen.reserve(static_cast<size_t>(n + k + 4));
    zeilen.push_back({aufgabe.Kurzbezeichnung, Schrift::Titel,
                      QPoint(a + Runden(2 * ppcm), a + Runden(2 * ppcm))});
    for (qsizetype i = 0; i < n; ++i)
        zeilen.push_back(
            {aufgabe.Beschreibung.at(i), Schrift::Text,
             QPoint(a + Runden(3 * ppcm), a + Runden(static_cast<double>(i + 8) * l1))});
    const int links = a + Runden(4 * ppcm);
    auto unten = [&](qsizetype schritte) { return a + Runden(static_cast<double>(schritte) * l2); };
    for (qsizetype j = 0; j < k; ++j)
        zeilen.push_back({notiz.at(j), Schrift::Text, QPoint(links, unten(n + 10 + j))});
    zeilen.push_back({QStringLiteral("Datum: ") + DatumText(datum), Schrift::Text,
                      QPoint(links, unten(n + k + 12))});
    zeilen.push_back({QStringLiteral("Beginn:") + BeginnText(aufgabe.Start), Schrift::Text,
                      QPoint(links, unten(n + k + 14))});
    zeilen.push_back({QStringLiteral("Dauer: ") + DauerText(aufgabe.Dauer), Schrift::Text,
                      QPoint(links, unten(n + k + 16))});
    return zeilen;
}

} // namespace Aufgabenblatt

bool AufgabeDrucken(QWidget* eltern, const taufgabe& aufgabe, const QStringList& notiz,
                    double datum)
{
    QStringList zeilen = notiz;
    if (!zeilen.isEmpty() && zeilen.constLast().isEmpty())
        zeilen.removeLast(); // the field's last empty line is no line of the note

    Auftrag auftrag;
    auftrag.lage = QPageLayout::Portrait;
    auftrag.name = QStringLiteral("Aufgabe: %1").arg(aufgabe.Kurzbezeichnung);
    QString fehler;
    const bool gedruckt = Druckauftrag(
        eltern, auftrag,
        [&](QPainter& p, const Druckseite& seite) {
            const QFont titel = ArialPunkt(20, true);
            const QFont fett = ArialPunkt(10, true);
            const QFont normal = ArialPunkt(10);
            const int l1 = QFontMetrics(fett, p.device()).height();
            const int l2 = QFontMetrics(normal, p.device()).height();
            p.setBackgroundMode(Qt::TransparentMode);
            p.setPen(Qt::black);
            for (const auto& z : Aufgabenblatt::Zeilen(aufgabe, zeilen, datum, seite.dpi, l1, l2)) {
                const QFont& f = z.schrift == Aufgabenblatt::Schrift::Titel ? titel : normal;
                p.setFont(f);
                // Positions name the text's top-left corner; Qt writes on the baseline.
                p.drawText(z.lage + QPoint(0, QFontMetrics(f, p.device()).ascent()), z.text);
            }
        },
        &fehler);
    if (!gedruckt)
        FehlerBericht(eltern, fehler);
    return gedruckt;
}
