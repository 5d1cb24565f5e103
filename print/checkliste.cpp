#include "print/checkliste.h"

#include "model/kalender.h"
#include "model/kalendertexte.h"
#include "model/katalog.h"
#include "model/tageszahl.h"
#include "model/zeiten.h"
#include "print/aufgabedrucken.h"
#include "print/drucker.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cmath>

namespace Checkliste {

namespace {

const QString Strich = QStringLiteral(" – ");
const QString Punkt = QStringLiteral(" · ");

const std::array<const char*, 7> Wochentage{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

QFont Kopfschrift()
{
    return ArialPunkt(16, true);
}
QFont Wochenschrift()
{
    return ArialPunkt(11, true);
}
QFont Zeilenschrift()
{
    return ArialPunkt(10);
}
QFont Kleinschrift()
{
    return ArialPunkt(8);
}

const QColor Grau(96, 96, 96);
const QColor Linie(190, 190, 190);

bool HatDatum(double tag)
{
    return std::isfinite(tag) && Tageszahl::zuDatum(tag).isValid();
}

// "8. Februar 2027" with the month and the year left out where `bis` repeats them.
QString Spanne(QDate von, QDate bis)
{
    const QString ende = QStringLiteral("%1. %2 %3")
                             .arg(bis.day())
                             .arg(Kalendertexte::Monatsname(bis.month()))
                             .arg(bis.year());
    QString anfang = QStringLiteral("%1.").arg(von.day());
    if (von.month() != bis.month() || von.year() != bis.year())
        anfang += QLatin1Char(' ') + Kalendertexte::Monatsname(von.month());
    if (von.year() != bis.year())
        anfang += QLatin1Char(' ') + QString::number(von.year());
    return anfang + Strich + ende;
}

// At most `hoechstens` lines no wider than `breite`, the last shortened where text is left.
QStringList Umbruch(const QString& text, int breite, qsizetype hoechstens,
                    const std::function<int(const QString&)>& messen)
{
    QStringList zeilen = Aufgabenblatt::TitelUmbrechen(text, breite, messen);
    if (zeilen.size() > hoechstens) {
        const QString rest = zeilen.mid(hoechstens - 1).join(QLatin1Char(' '));
        zeilen = zeilen.mid(0, hoechstens - 1);
        zeilen << Aufgabenblatt::TitelKurz(rest, breite, messen);
    }
    return zeilen;
}

int Runden(double wert)
{
    return Zellenzeichnung::RundenGerade(wert);
}

} // namespace

std::vector<Woche> Wochen(const Aufgabenliste& aufgaben)
{
    QHash<qint32, QString> titel;
    for (const taufgabe& a : aufgaben)
        titel.insert(a.Nummer, a.Kurzbezeichnung.simplified());

    std::vector<const taufgabe*> folge;
    folge.reserve(aufgaben.size());
    for (const taufgabe& a : aufgaben)
        folge.push_back(&a);
    // Tasks without a date after all others; those with one by day, then begin.
    std::stable_sort(folge.begin(), folge.end(), [](const taufgabe* x, const taufgabe* y) {
        const bool dx = HatDatum(x->Tag);
        const bool dy = HatDatum(y->Tag);
        if (dx != dy)
            return dx;
        if (!dx)
            return false;
        const double tx = std::trunc(x->Tag);
        const double ty = std::trunc(y->Tag);
        if (tx != ty)
            return tx < ty;
        return Zeiten::StartImBereich(x->Start) < Zeiten::StartImBereich(y->Start);
    });

    std::vector<Woche> wochen;
    double montag = std::nan("");
    bool ohneDatum = false;
    for (const taufgabe* a : folge) {
        if (HatDatum(a->Tag)) {
            const double m = MontagDerWoche(a->Tag);
            if (wochen.empty() || m != montag) {
                montag = m;
                wochen.push_back({Wochenkopf(a->Tag), {}});
            }
        } else if (!ohneDatum) {
            ohneDatum = true;
            wochen.push_back({QStringLiteral("Ohne gültiges Datum"), {}});
        }
        Zeile z;
        z.tag = a->Tag;
        z.start = a->Start;
        z.titel = a->Kurzbezeichnung.simplified();
        z.erledigt = a->Erledigt;
        for (const qint32 n : a->vorher) {
            const auto it = titel.constFind(n);
            if (n != a->Nummer && it != titel.constEnd() && !z.nach.contains(*it))
                z.nach << *it;
        }
        wochen.back().zeilen.push_back(std::move(z));
    }
    return wochen;
}

QString Wochenkopf(double tag)
{
    if (!HatDatum(tag))
        return QStringLiteral("Ohne gültiges Datum");
    const double montag = MontagDerWoche(tag);
    const QDate von = Tageszahl::zuDatum(montag);
    const QDate bis = Tageszahl::zuDatum(montag + 6);
    QString woche = QStringLiteral("Woche %1").arg(Kalenderwoche(tag));
    if (!von.isValid() || !bis.isValid())
        return woche;
    return woche + Punkt + Spanne(von, bis);
}

QString TagKurz(double tag)
{
    if (!HatDatum(tag))
        return {};
    const QDate d = Tageszahl::zuDatum(tag);
    return QStringLiteral("%1 %2.%3.")
        .arg(QString::fromLatin1(Wochentage.at(static_cast<size_t>(d.dayOfWeek() % 7))))
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'));
}

QString NachText(const QStringList& titel)
{
    if (titel.isEmpty())
        return {};
    return QStringLiteral("nach: ") + titel.join(QStringLiteral(", "));
}

QString Plantext(const Situation& situation, const Aufgabenliste& aufgaben)
{
    QStringList teile;
    for (const taufgabe& a : aufgaben)
        if (a.Nummer == Umzugsaufgabe && !a.Benutzeraufgabe && HatDatum(a.Tag)) {
            teile << QStringLiteral("Umzug am ") + Kalendertexte::LangesDatum(a.Tag);
            break;
        }
    if (!situation.Einzugdatum.isEmpty())
        teile << QStringLiteral("Einzug ab dem ") + situation.Einzugdatum;
    if (!situation.Auszugdatum.isEmpty())
        teile << QStringLiteral("Auszug vor dem ") + situation.Auszugdatum;
    return teile.join(Punkt);
}

QString Fortschritt(const Aufgabenliste& aufgaben)
{
    const auto erledigt = std::count_if(aufgaben.begin(), aufgaben.end(),
                                        [](const taufgabe& a) { return a.Erledigt; });
    return QStringLiteral("%1 von %2 erledigt").arg(erledigt).arg(aufgaben.size());
}

QRect Seitenmass::Kasten(int oben, int zeile) const
{
    return QRect(rand, oben + luft + (zeile - kasten) / 2, kasten, kasten);
}

Seitenmass Mass(int dpi, QSize seite, const Schriftmass& schrift)
{
    const double cm = dpi / 2.54;
    const auto breite = [&](const char* text) {
        return schrift.breite ? schrift.breite(QString::fromUtf8(text)) : 0;
    };
    Seitenmass m;
    m.seite = seite;
    m.rand = Runden(1.5 * cm);
    m.kasten = Runden(0.32 * cm);
    const int luecke = Runden(0.4 * cm);
    m.tagX = m.rand + m.kasten + luecke;
    int tagBreite = 0; // the widest weekday; the digits are all as wide
    for (const char* tag : Wochentage)
        tagBreite = std::max(tagBreite, breite(tag) + breite(" 00.00."));
    m.beginnX = m.tagX + tagBreite + luecke;
    m.titelX = m.beginnX + breite("00:00") + luecke;
    m.luft = std::max(schrift.zeile / 5, 1);
    // The head and the plan line, then half a line blank.
    m.kopfhoehe = schrift.kopfzeile + schrift.zeile + schrift.zeile / 2;
    m.spaltenkopf = schrift.kleinzeile + m.luft;
    m.fusshoehe = 2 * schrift.kleinzeile;
    m.wochenhoehe = schrift.wochenzeile + schrift.wochenzeile / 2 + m.luft;
    return m;
}

std::vector<Seite> Umbrechen(const std::vector<Woche>& wochen, const Seitenmass& mass,
                             const Schriftmass& schrift)
{
    const int titelBreite = std::max(mass.TitelBreite(), 1);
    const auto ohneMass = [](const QString&) { return 0; };
    const std::function<int(const QString&)> messen = schrift.breite ? schrift.breite : ohneMass;
    const std::function<int(const QString&)> klein =
        schrift.kleinbreite ? schrift.kleinbreite : ohneMass;
    auto reihe = [&](const Zeile& z) {
        Block b;
        b.art = Block::Art::Aufgabe;
        b.zeile = z;
        b.titel = Umbruch(z.titel, titelBreite, 3, messen);
        if (!z.nach.isEmpty())
            b.nach = Umbruch(NachText(z.nach), titelBreite, 3, klein);
        b.hoehe = 2 * mass.luft + static_cast<int>(b.titel.size()) * schrift.zeile +
                  static_cast<int>(b.nach.size()) * schrift.kleinzeile;
        return b;
    };
    auto kopf = [&](const QString& text) {
        Block b;
        b.art = Block::Art::Woche;
        b.titel = QStringList{text};
        b.hoehe = mass.wochenhoehe;
        return b;
    };

    std::vector<Seite> seiten(1);
    int y = mass.RumpfOben(true);
    const int unten = mass.RumpfUnten();
    auto neueSeite = [&] {
        seiten.emplace_back();
        y = mass.RumpfOben(false);
    };
    auto anhaengen = [&](Block b) {
        y += b.hoehe;
        seiten.back().push_back(std::move(b));
    };
    for (const Woche& w : wochen) {
        for (size_t i = 0; i < w.zeilen.size(); ++i) {
            Block b = reihe(w.zeilen[i]);
            const bool seiteLeer = seiten.back().empty();
            if (i == 0) {
                // The head stays with the week's first row.
                if (!seiteLeer && y + mass.wochenhoehe + b.hoehe > unten)
                    neueSeite();
                anhaengen(kopf(w.kopf));
            } else if (!seiteLeer && y + b.hoehe > unten) {
                neueSeite();
                anhaengen(kopf(w.kopf + QStringLiteral(" (Fortsetzung)")));
            }
            // The day is written on the first row of the day on the page.
            const Seite& seite = seiten.back();
            const Block* vorige = seite.empty() ? nullptr : &seite.back();
            b.tagZeigen = !vorige || vorige->art != Block::Art::Aufgabe ||
                          std::trunc(vorige->zeile.tag) != std::trunc(b.zeile.tag);
            anhaengen(std::move(b));
        }
    }
    return seiten;
}

Druckbild Setzen(const Aufgabenliste& aufgaben, const Situation& situation, int dpi, QSize seite)
{
    QImage geraet(1, 1, QImage::Format_RGB32);
    geraet.setDotsPerMeterX(qRound(dpi / 0.0254));
    geraet.setDotsPerMeterY(qRound(dpi / 0.0254));
    const QFontMetrics zeile(Zeilenschrift(), &geraet);
    const QFontMetrics klein(Kleinschrift(), &geraet);

    Druckbild bild;
    bild.wochen = Wochen(aufgaben);
    bild.schrift.kopfzeile = QFontMetrics(Kopfschrift(), &geraet).lineSpacing();
    bild.schrift.wochenzeile = QFontMetrics(Wochenschrift(), &geraet).lineSpacing();
    bild.schrift.zeile = zeile.lineSpacing();
    bild.schrift.kleinzeile = klein.lineSpacing();
    bild.schrift.breite = [zeile](const QString& text) { return zeile.horizontalAdvance(text); };
    bild.schrift.kleinbreite = [klein](const QString& text) {
        return klein.horizontalAdvance(text);
    };
    bild.mass = Mass(dpi, seite, bild.schrift);
    bild.seiten = Umbrechen(bild.wochen, bild.mass, bild.schrift);
    bild.plantext = Plantext(situation, aufgaben);
    bild.fortschritt = Fortschritt(aufgaben);
    return bild;
}

namespace {

void KastenZeichnen(QPainter& p, const QRect& k, bool erledigt)
{
    const double strich = k.width() / 14.0;
    p.setPen(QPen(Qt::black, strich));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(k).adjusted(strich / 2, strich / 2, -strich / 2, -strich / 2));
    if (!erledigt)
        return;
    QPainterPath haken;
    haken.moveTo(k.left() + 0.2 * k.width(), k.top() + 0.52 * k.height());
    haken.lineTo(k.left() + 0.42 * k.width(), k.top() + 0.76 * k.height());
    haken.lineTo(k.left() + 0.82 * k.width(), k.top() + 0.24 * k.height());
    p.setPen(QPen(Qt::black, 2.2 * strich, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(haken);
}

// Writes `text` with its top at `oben` from `x`.
void Schreiben(QPainter& p, int x, int oben, const QString& text)
{
    p.drawText(QPoint(x, oben + p.fontMetrics().ascent()), text);
}

} // namespace

void SeiteZeichnen(QPainter& p, const Druckbild& bild, int nummer)
{
    if (nummer < 0 || nummer >= static_cast<int>(bild.seiten.size()))
        return;
    const Seitenmass& m = bild.mass;
    const Schriftmass& s = bild.schrift;
    const int rechts = m.seite.width() - m.rand;
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(Qt::black);

    int y = m.rand;
    if (nummer == 0) {
        p.setFont(Kopfschrift());
        const int grundlinie = y + p.fontMetrics().ascent();
        p.drawText(QPoint(m.rand, grundlinie), QStringLiteral("Umzugscheckliste"));
        // The progress at the right, on the head's baseline.
        p.setFont(Zeilenschrift());
        const QFontMetrics fm = p.fontMetrics();
        p.drawText(QPoint(rechts - fm.horizontalAdvance(bild.fortschritt), grundlinie),
                   bild.fortschritt);
        y += s.kopfzeile;
        p.setFont(Zeilenschrift());
        Schreiben(p, m.rand, y, fm.elidedText(bild.plantext, Qt::ElideRight, rechts - m.rand));
        y = m.rand + m.kopfhoehe;
    }
    p.setFont(Kleinschrift());
    p.setPen(Grau);
    Schreiben(p, m.tagX, y, QStringLiteral("Tag"));
    Schreiben(p, m.beginnX, y, QStringLiteral("Beginn"));
    Schreiben(p, m.titelX, y, QStringLiteral("Aufgabe"));
    y += m.spaltenkopf;
    if (bild.wochen.empty()) {
        p.setFont(Zeilenschrift());
        p.setPen(Qt::black);
        Schreiben(p, m.tagX, y + m.luft, QStringLiteral("Der Plan enthält keine Aufgaben."));
    }

    for (const Block& b : bild.seiten[static_cast<size_t>(nummer)]) {
        if (b.art == Block::Art::Woche) {
            p.setFont(Wochenschrift());
            p.setPen(Qt::black);
            Schreiben(p, m.rand, y + b.hoehe - s.wochenzeile - m.luft, b.titel.value(0));
            p.setPen(QPen(Qt::black, std::max(m.kasten / 20, 1)));
            p.drawLine(m.rand, y + b.hoehe - 1, rechts, y + b.hoehe - 1);
            y += b.hoehe;
            continue;
        }
        const Zeile& z = b.zeile;
        KastenZeichnen(p, m.Kasten(y, s.zeile), z.erledigt);
        p.setFont(Zeilenschrift());
        // Done tasks are dimmed, as in the calendar.
        p.setPen(z.erledigt ? Grau : QColor(Qt::black));
        const int text = y + m.luft;
        if (b.tagZeigen)
            Schreiben(p, m.tagX, text, TagKurz(z.tag));
        Schreiben(p, m.beginnX, text, Zeiten::BeginnText(z.start));
        for (qsizetype i = 0; i < b.titel.size(); ++i)
            Schreiben(p, m.titelX, text + static_cast<int>(i) * s.zeile, b.titel.at(i));
        p.setFont(Kleinschrift());
        p.setPen(Grau);
        const int nachOben = text + static_cast<int>(b.titel.size()) * s.zeile;
        for (qsizetype i = 0; i < b.nach.size(); ++i)
            Schreiben(p, m.titelX, nachOben + static_cast<int>(i) * s.kleinzeile, b.nach.at(i));
        y += b.hoehe;
        p.setPen(QPen(Linie, std::max(m.kasten / 30, 1)));
        p.drawLine(m.tagX, y - 1, rechts, y - 1);
    }

    const int seiten = static_cast<int>(bild.seiten.size());
    if (seiten > 1) {
        p.setFont(Kleinschrift());
        p.setPen(Qt::black);
        p.drawText(QRect(m.rand, m.RumpfUnten(), rechts - m.rand, m.fusshoehe),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                   Kalendertexte::Seitenfuss(nummer + 1, seiten));
    }
    p.restore();
}

} // namespace Checkliste

bool ChecklisteDrucken(QWidget* eltern, const Aufgabenliste& aufgaben, const Situation& situation)
{
    // Laid out before printing, measured as on the printer's surface.
    const QPrinter& drucker = AktuellerDrucker();
    const int dpi = drucker.resolution();
    QPageLayout layout = drucker.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    const Checkliste::Druckbild bild =
        Checkliste::Setzen(aufgaben, situation, dpi, layout.paintRectPixels(dpi).size());
    const int seiten = static_cast<int>(bild.seiten.size());

    Ausdruck ausdruck;
    ausdruck.lage = QPageLayout::Portrait;
    ausdruck.name = QStringLiteral("Checkliste");
    ausdruck.dateiname = QStringLiteral("Checkliste.pdf");
    ausdruck.seiten = seiten;
    ausdruck.auftragsname = [seiten](int seite) {
        return QStringLiteral("Checkliste, Seite %1 von %2").arg(seite).arg(seiten);
    };
    return Drucken(eltern, ausdruck, [&](QPainter& p, const Druckseite&, int seite) {
               Checkliste::SeiteZeichnen(p, bild, seite);
           }) == Druckergebnis::Gedruckt;
}
