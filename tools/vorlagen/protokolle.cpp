#include "tools/vorlagen/vorlagen.h"
#include "tools/vorlagen/zeichnen.h"

#include <QPainter>
#include <QPainterPath>

#include <vector>

using namespace Zeichnen;

namespace {

const QColor Schwarz(0, 0, 0);
const QColor Grau(96, 96, 96);
const QColor Flaeche(232, 232, 232);

constexpr double Rand = 60;
constexpr double LinieDuenn = 1.5;
constexpr double LinieDick = 2.5;
constexpr double AbschnittHoehe = 34;
constexpr double Luecke = 16;
// The footer's rule; everything else must end above it.
constexpr double FussOben = 1700 - 82;

struct Spalte
{
    QString titel;
    double breite;          // 0: the rest of the table's width
    bool kaestchen = false; // a box to tick instead of room to write
};

// Everything on a protocol is laid out from the top down; y is where the next block starts.
class Formular final
{
public:
    explicit Formular(QPainter& p) : m_p(p) {}

    double y = 50;
    const double links = Rand;
    const double breite = Vorlagen::ProtokollGroesse.width() - 2 * Rand;

    void kopf(const QString& titel, const QString& untertitel)
    {
        m_p.setPen(Schwarz);
        m_p.setFont(schrift(20, true));
        m_p.drawText(QRectF(links, y, breite, 50), Qt::AlignLeft | Qt::AlignTop, titel);
        m_p.setFont(schrift(10.5));
        m_p.setPen(Grau);
        m_p.drawText(QRectF(links, y + 50, breite, 30), Qt::AlignLeft | Qt::AlignTop, untertitel);
        marke(QPointF(links + breite, y + 8));
        y += 84;
        m_p.setPen(QPen(Schwarz, 4));
        m_p.drawLine(QPointF(links, y), QPointF(links + breite, y));
        y += 16;
    }

    void abschnitt(int nummer, const QString& titel, double x = -1, double w = -1)
    {
        if (x < 0) {
            x = links;
            w = breite;
        }
        const QRectF band(x, y, w, AbschnittHoehe);
        m_p.fillRect(band, Flaeche);
        m_p.setPen(Schwarz);
        m_p.setFont(schrift(11, true));
        m_p.drawText(band.adjusted(10, 0, -10, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1  %2").arg(nummer).arg(titel));
    }

    // A row of boxes with a small label in the top left corner and room to write below it.
    void felder(const std::vector<std::pair<QString, double>>& felder, double hoehe = 64)
    {
        double x = links;
        for (const auto& [beschriftung, anteil] : felder) {
            const double w = breite * anteil;
            const QRectF zelle(x, y, w, hoehe);
            m_p.setPen(QPen(Schwarz, LinieDuenn));
            m_p.setBrush(Qt::NoBrush);
            m_p.drawRect(zelle);
            m_p.setPen(Grau);
            m_p.setFont(schrift(7.5));
            m_p.drawText(zelle.adjusted(8, 4, -8, 0), Qt::AlignLeft | Qt::AlignTop, beschriftung);
            x += w;
        }
        y += hoehe;
    }

    // A table with a grey head; the first column is filled with the given row names, empty
    // names leave a row to write in. Returns the bottom edge.
    double tabelle(double x, double oben, double w, std::vector<Spalte> spalten,
                   const std::vector<QString>& zeilen, double zeilenHoehe,
                   const std::vector<QString>& einheiten = {}, double kopfHoehe = 40)
    {
        double fest = 0;
        for (const Spalte& s : spalten)
            fest += s.breite;
        for (Spalte& s : spalten) {
            if (s.breite == 0)
                s.breite = w - fest;
        }

        m_p.fillRect(QRectF(x, oben, w, kopfHoehe), Flaeche);
        m_p.setPen(Schwarz);
        m_p.setFont(schrift(8.5, true));
        double sx = x;
        for (const Spalte& s : spalten) {
            m_p.drawText(QRectF(sx + 6, oben, s.breite - 12, kopfHoehe),
                         (s.kaestchen ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter |
                             Qt::TextWordWrap,
                         s.titel);
            sx += s.breite;
        }

        const double unten = oben + kopfHoehe + zeilenHoehe * double(zeilen.size());
        for (std::size_t i = 0; i < zeilen.size(); ++i) {
            const double zy = oben + kopfHoehe + zeilenHoehe * double(i);
            m_p.setPen(Schwarz);
            m_p.setFont(schrift(9.5));
            m_p.drawText(QRectF(x + 10, zy, spalten[0].breite - 16, zeilenHoehe),
                         Qt::AlignLeft | Qt::AlignVCenter, zeilen[i]);
            sx = x;
            for (std::size_t k = 0; k < spalten.size(); ++k) {
                const Spalte& s = spalten[k];
                if (s.kaestchen)
                    kaestchen(QPointF(sx + s.breite / 2, zy + zeilenHoehe / 2));
                // units sit at the right end of the last column
                if (k + 1 == spalten.size() && i < einheiten.size() && !einheiten[i].isEmpty()) {
                    m_p.setPen(Grau);
                    m_p.setFont(schrift(8));
                    m_p.drawText(QRectF(sx, zy, s.breite - 10, zeilenHoehe - 6),
                                 Qt::AlignRight | Qt::AlignBottom, einheiten[i]);
                }
                sx += s.breite;
            }
        }

        // grid: thin inside, thicker around
        m_p.setBrush(Qt::NoBrush);
        m_p.setPen(QPen(Schwarz, LinieDuenn));
        for (std::size_t i = 0; i <= zeilen.size(); ++i) {
            const double zy = oben + kopfHoehe + zeilenHoehe * double(i);
            m_p.drawLine(QPointF(x, zy), QPointF(x + w, zy));
        }
        sx = x;
        for (std::size_t k = 0; k + 1 < spalten.size(); ++k) {
            sx += spalten[k].breite;
            m_p.drawLine(QPointF(sx, oben), QPointF(sx, unten));
        }
        m_p.setPen(QPen(Schwarz, LinieDick));
        m_p.drawRect(QRectF(x, oben, w, unten - oben));
        return unten;
    }

    void absatz(const QString& text, double punkt = 9, QColor farbe = Schwarz)
    {
        m_p.setFont(schrift(punkt));
        m_p.setPen(farbe);
        const QRectF rahmen(links, y, breite, 200);
        QRectF belegt;
        m_p.drawText(rahmen, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &belegt);
        y += belegt.height();
    }

    void unterschriften(const QString& mieter, const QString& vermieter)
    {
        const double luecke = 60;
        const double w = (breite - luecke) / 2;
        const struct
        {
            double x;
            QString wer;
        } seiten[] = {{links, mieter}, {links + w + luecke, vermieter}};
        for (const auto& s : seiten) {
            schreiblinie(s.x, y + 52, w, QStringLiteral("Ort, Datum"));
            schreiblinie(s.x, y + 128, w, s.wer);
        }
        y += 128 + 26;
    }

    void fuss(const QString& text)
    {
        m_p.setPen(QPen(Schwarz, 1));
        m_p.drawLine(QPointF(links, FussOben), QPointF(links + breite, FussOben));
        m_p.setFont(schrift(7));
        m_p.setPen(Grau);
        m_p.drawText(QRectF(links, FussOben + 4, breite, 40),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    }

private:
    void kaestchen(QPointF mitte)
    {
        m_p.setPen(QPen(Schwarz, 2));
        m_p.setBrush(Qt::white);
        m_p.drawRect(QRectF(mitte.x() - 12, mitte.y() - 12, 24, 24));
    }

    void schreiblinie(double x, double grundlinie, double w, const QString& beschriftung)
    {
        m_p.setPen(QPen(Schwarz, LinieDuenn));
        m_p.drawLine(QPointF(x, grundlinie), QPointF(x + w, grundlinie));
        m_p.setPen(Grau);
        m_p.setFont(schrift(7.5));
        m_p.drawText(QRectF(x, grundlinie + 4, w, 24), Qt::AlignLeft | Qt::AlignTop, beschriftung);
    }

    // The program's mark in the top right corner.
    void marke(QPointF rechtsOben)
    {
        m_p.setFont(schrift(8, true));
        m_p.setPen(Grau);
        const QString name = QStringLiteral("Kistenlotse");
        const double textBreite = m_p.fontMetrics().horizontalAdvance(name);
        m_p.drawText(QRectF(rechtsOben.x() - textBreite, rechtsOben.y(), textBreite, 24),
                     Qt::AlignRight | Qt::AlignTop, name);
        m_p.setFont(schrift(7));
        m_p.drawText(QRectF(rechtsOben.x() - 300, rechtsOben.y() + 22, 300, 20),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("Musterprotokoll"));
        // box
        const QRectF kiste(rechtsOben.x() - textBreite - 40, rechtsOben.y() + 4, 28, 20);
        m_p.setPen(QPen(Grau, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(kiste);
        m_p.drawLine(kiste.topLeft(), kiste.topLeft() + QPointF(-5, -7));
        m_p.drawLine(kiste.topRight(), kiste.topRight() + QPointF(5, -7));
        m_p.drawLine(QPointF(kiste.center().x(), kiste.top()),
                     QPointF(kiste.center().x(), kiste.top() + 7));
    }

    QPainter& m_p;
};

struct Texte
{
    QString titel;
    QString untertitel;
    QString mieter;
    QString vermieter;
    std::vector<std::pair<QString, double>> termin; // date of the handover and what goes with it
    QString schluessel;
    QString arbeiten;
    QString bestaetigung;
    QString fuss;
};

const QString Strittig = QStringLiteral(
    "Punkte, über die sich Mieter und Vermieter nicht einig sind, sind in der Spalte „strittig“ "
    "angekreuzt oder im Text als strittig gekennzeichnet. Fotos der Mängel liegen als Anlage bei "
    "(Anzahl:\u00A0______). Jede Seite erhält eine unterschriebene Ausfertigung.");

Texte texte(Vorlagen::Protokoll art)
{
    if (art == Vorlagen::Protokoll::Uebernahme) {
        return {
            QStringLiteral("Wohnungsübernahmeprotokoll"),
            QStringLiteral("Übernahme der neuen Wohnung vom Vermieter beim Einzug"),
            QStringLiteral("Mieter (übernimmt die Wohnung): Name, Vorname"),
            QStringLiteral("Vermieter bzw. Verwalter (übergibt): Name, Anschrift"),
            {{QStringLiteral("Übernahme am (Datum, Uhrzeit)"), 0.3},
             {QStringLiteral("Mietbeginn laut Mietvertrag"), 0.3},
             {QStringLiteral("Außerdem anwesend (z. B. Vormieter, Zeugen)"), 0.4}},
            QStringLiteral("Schlüssel erhalten"),
            QStringLiteral("Vereinbarte Arbeiten (z. B. Mängel, die der Vermieter beseitigt)"),
            QStringLiteral("Die unter 4 genannten Mängel bestanden bereits bei der Übernahme der "
                           "Wohnung. ") +
                Strittig,
            QStringLiteral(
                "Kistenlotse · Musterprotokoll ohne Gewähr. Ein Protokoll ist gesetzlich nicht "
                "vorgeschrieben, schützt aber beide Seiten: Mängel, die hier festgehalten sind, "
                "hat der Mieter beim Auszug nicht zu verantworten."),
        };
    }
    return {
        QStringLiteral("Wohnungsübergabeprotokoll"),
        QStringLiteral("Rückgabe der bisherigen Wohnung an den Vermieter beim Auszug"),
        QStringLiteral("Mieter (gibt die Wohnung zurück): Name, Vorname"),
        QStringLiteral("Vermieter bzw. Verwalter (nimmt zurück): Name, Anschrift"),
        {{QStringLiteral("Übergabe am (Datum, Uhrzeit)"), 0.3},
         {QStringLiteral("Neue Anschrift des Mieters (für Kaution und Nebenkostenabrechnung)"),
          0.7}},
        QStringLiteral("Schlüssel zurückgegeben"),
        QStringLiteral("Vereinbarte Arbeiten (z. B. Schönheitsreparaturen, Reinigung)"),
        QStringLiteral("Beide Seiten bestätigen mit ihrer Unterschrift den festgestellten Zustand "
                       "und die Vereinbarungen. ") +
            Strittig,
        QStringLiteral(
            "Kistenlotse · Musterprotokoll ohne Gewähr. Ansprüche des Vermieters wegen "
            "Veränderungen oder Verschlechterungen der Wohnung verjähren sechs Monate nach ihrer "
            "Rückgabe (§ 548 BGB). Die Kaution darf er für eine angemessene Prüfzeit einbehalten."),
    };
}

} // namespace

namespace Vorlagen {

QImage protokoll(Protokoll art)
{
    const Texte t = texte(art);
    QImage bild = leinwand(ProtokollGroesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Formular f(p);

    f.kopf(t.titel, t.untertitel);

    f.abschnitt(1, QStringLiteral("Beteiligte und Wohnung"));
    f.y += AbschnittHoehe;
    f.felder({{t.mieter, 0.5}, {t.vermieter, 0.5}});
    f.felder({{QStringLiteral("Anschrift der Wohnung: Straße, Hausnummer, PLZ, Ort"), 0.65},
              {QStringLiteral("Lage: Geschoss, links/rechts, Wohnungs-Nr."), 0.35}});
    f.felder(t.termin);
    f.y += Luecke;

    // meters and keys side by side
    const double zwischen = 30;
    const double zaehlerBreite = f.breite * 0.6;
    const double schluesselX = f.links + zaehlerBreite + zwischen;
    const double schluesselBreite = f.breite - zaehlerBreite - zwischen;
    f.abschnitt(2, QStringLiteral("Zählerstände"), f.links, zaehlerBreite);
    f.abschnitt(3, t.schluessel, schluesselX, schluesselBreite);
    const double tabellenOben = f.y + AbschnittHoehe;
    const double zeilenHoeheKlein = 42;
    f.y = f.tabelle(f.links, tabellenOben, zaehlerBreite,
                    {{QStringLiteral("Zähler"), 170},
                     {QStringLiteral("Zählernummer"), 250},
                     {QStringLiteral("Stand"), 0}},
                    {QStringLiteral("Strom"), QStringLiteral("Gas"), QStringLiteral("Wasser kalt"),
                     QStringLiteral("Wasser warm"), QStringLiteral("Heizung")},
                    zeilenHoeheKlein,
                    {QStringLiteral("kWh"), QStringLiteral("m³"), QStringLiteral("m³"),
                     QStringLiteral("m³"), QString()});
    f.tabelle(schluesselX, tabellenOben, schluesselBreite,
              {{QStringLiteral("Art"), 0}, {QStringLiteral("Anzahl"), 110}},
              {QStringLiteral("Haustür"), QStringLiteral("Wohnungstür"),
               QStringLiteral("Briefkasten"), QStringLiteral("Keller / Dachboden"), QString()},
              zeilenHoeheKlein);
    f.y += Luecke;

    f.abschnitt(4, QStringLiteral("Zustand der Räume"));
    f.y += AbschnittHoehe;
    f.y = f.tabelle(f.links, f.y, f.breite,
                    {{QStringLiteral("Raum"), 180},
                     {QStringLiteral("in Ordnung"), 120, true},
                     {QStringLiteral("Mängel"), 90, true},
                     {QStringLiteral("Beschreibung der Mängel (Wände, Decke, Boden, Fenster, "
                                     "Türen, Heizkörper, Sanitär, Elektrik)"),
                      0},
                     {QStringLiteral("strittig"), 90, true}},
                    {QStringLiteral("Flur"), QStringLiteral("Küche"), QStringLiteral("Bad/WC"),
                     QStringLiteral("Wohnzimmer"), QStringLiteral("Schlafzimmer"),
                     QStringLiteral("Kinderzimmer"), QStringLiteral("Balkon/Keller"), QString()},
                    44, {}, 46);
    f.y += Luecke;

    f.abschnitt(5, t.arbeiten);
    f.y += AbschnittHoehe;
    f.y = f.tabelle(f.links, f.y, f.breite,
                    {{QStringLiteral("Was ist zu tun?"), 0},
                     {QStringLiteral("Wer? (Mieter/Vermieter)"), 250},
                     {QStringLiteral("Bis wann?"), 200},
                     {QStringLiteral("strittig"), 90, true}},
                    {QString(), QString(), QString()}, 44);
    f.y += Luecke;

    f.absatz(t.bestaetigung);
    f.unterschriften(QStringLiteral("Unterschrift Mieter"),
                     QStringLiteral("Unterschrift Vermieter bzw. Verwalter"));
    Q_ASSERT_X(f.y <= FussOben, "protokoll", "the form runs into its footer");
    f.fuss(t.fuss);
    return bild;
}

} // namespace Vorlagen
