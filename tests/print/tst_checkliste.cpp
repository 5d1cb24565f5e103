// The checklist printout: rows by day and week, the tasks to follow, ticked boxes, pages and
// their foot, and the choice in the print dialog.

#include "druckhilfe.h"
#include "model/plan.h"
#include "print/ausdruckform.h"
#include "print/checkliste.h"
#include "print/drucker.h"
#include "support/modalhelfer.h"
#include "support/testdaten.h"

#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>

namespace {

constexpr int Aufloesung = 300; // of the test printer

// The Berlin move of 33 tasks with the moving day and packing done and one own task.
Plan BerlinerPlan()
{
    Plan plan;
    plan.situation = BerlinerUmzug();
    plan.AbfolgeSuchen(T(2001, 9, 10), T(2001, 9, 14), nullptr);
    for (taufgabe& a : plan.Aufgaben)
        a.Erledigt = a.Kurzbezeichnung == QStringLiteral("Umziehen") ||
                     a.Kurzbezeichnung == QStringLiteral("Packen");
    taufgabe eigene = Aufgabe(10001, "Klavier stimmen lassen", T(2001, 9, 20), 20, {7});
    eigene.Benutzeraufgabe = true;
    plan.Aufgaben.push_back(eigene);
    return plan;
}

// `anzahl` tasks over a year, listed against date order; "Aufgabe 0001" comes first by date.
Aufgabenliste GrosserPlan(int anzahl)
{
    Aufgabenliste aufgaben;
    for (int i = anzahl; i >= 1; --i) {
        const QByteArray titel =
            QStringLiteral("Aufgabe %1").arg(i, 4, 10, QLatin1Char('0')).toUtf8();
        // The begin grows with the number within a day.
        const int tag = (i - 1) * 364 / anzahl;
        aufgaben.push_back(Aufgabe(i, titel.constData(), T(2027, 1, 4) + tag,
                                   1 + (i - 1) * 364 % anzahl * 47 / anzahl,
                                   i > 1 ? QList<qint32>{i - 1} : QList<qint32>{}));
    }
    return aufgaben;
}

// The pages of a PDF file as pdftotext lays them out.
QStringList PdfSeiten(const QString& datei)
{
    QStringList seiten = Ausfuehren(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-layout"), datei, QStringLiteral("-")})
                             .split(QLatin1Char('\f'));
    if (!seiten.isEmpty() && seiten.back().trimmed().isEmpty())
        seiten.removeLast();
    return seiten;
}

QStringList Zeilen(const QString& seite)
{
    QStringList zeilen;
    for (const QString& z : seite.split(QLatin1Char('\n')))
        if (!z.trimmed().isEmpty())
            zeilen << z.simplified();
    return zeilen;
}

} // namespace

class TestCheckliste final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void wochen_data();
    void wochen();
    void umbruch_data();
    void umbruch();
    void berlinerPlan();
    void grosserPlan();
    void dialog();

private:
    QString Pfad(const QString& name) const { return m_ordner->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_ordner;
    QString m_vorschlag;
};

void TestCheckliste::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    QPrinter& d = AktuellerDrucker();
    d.setOutputFormat(QPrinter::PdfFormat);
    d.setResolution(Aufloesung);
    d.setPageSize(QPageSize(QPageSize::A4));
    // Landscape in the setup: the checklist still comes portrait.
    d.setPageOrientation(QPageLayout::Landscape);
    WarteschlangeSetzen({});
    DateiwahlSetzen([this](QWidget*, const QString& vorschlag) {
        m_vorschlag = vorschlag;
        return Pfad(QStringLiteral("c.pdf"));
    });
}

void TestCheckliste::wochen_data()
{
    QTest::addColumn<Aufgabenliste>("aufgaben");
    QTest::addColumn<QString>("erwartet"); // week heads and rows, a row with the tasks to follow

    QTest::newRow("Tag, dann Beginn, über Wochen")
        << Aufgabenliste{Aufgabe(1, "Party", T(2027, 2, 14), 30),
                         Aufgabe(2, "Umziehen", T(2027, 2, 8), 17),
                         Aufgabe(3, "Kisten", T(2027, 2, 8), 16),
                         Aufgabe(4, "Urlaub", T(2027, 2, 7), 40),
                         Aufgabe(5, "Schlüssel", T(2027, 2, 15), 1)}
        << QStringLiteral("Woche 5 · 1. – 7. Februar 2027|Urlaub|Woche 6 · 8. – 14. Februar "
                          "2027|Kisten|Umziehen|Party|Woche 7 · 15. – 21. Februar 2027|Schlüssel");
    QTest::newRow("gleicher Beginn bleibt in Listenfolge")
        << Aufgabenliste{Aufgabe(9, "Zweite", T(2027, 3, 31), 17),
                         Aufgabe(1, "Erste", T(2027, 3, 31), 17)}
        << QStringLiteral("Woche 13 · 29. März – 4. April 2027|Zweite|Erste");
    QTest::newRow("Jahreswechsel, ohne Datum zuletzt")
        << Aufgabenliste{Aufgabe(1, "Kaputt", std::nan(""), 17),
                         Aufgabe(2, "Silvester", T(2026, 12, 31), 17), Aufgabe(3, "Fern", 1e12, 17),
                         Aufgabe(4, "Neujahr", T(2027, 1, 4), 17)}
        << QStringLiteral("Woche 53 · 28. Dezember 2026 – 3. Januar 2027|Silvester|Woche 1 · 4. – "
                          "10. Januar 2027|Neujahr|Ohne gültiges Datum|Kaputt|Fern");
    // Unknown numbers and the task itself are left out; a number given twice is named once.
    QTest::newRow("Vorgänger")
        << Aufgabenliste{Aufgabe(7, "Umziehen", T(2001, 9, 12), 17),
                         Aufgabe(8, " Packen ", T(2001, 9, 13), 17, {7}),
                         Aufgabe(1, "Auto ummelden", T(2001, 9, 14), 21, {99, 1, 8, 7, 8})}
        << QStringLiteral("Woche 37 · 10. – 16. September 2001|Umziehen|Packen (nach: Umziehen)|"
                          "Auto ummelden (nach: Packen, Umziehen)");
}

void TestCheckliste::wochen()
{
    QFETCH(Aufgabenliste, aufgaben);
    QFETCH(QString, erwartet);
    QStringList liste;
    for (const Checkliste::Woche& w : Checkliste::Wochen(aufgaben)) {
        liste << w.kopf;
        for (const Checkliste::Zeile& z : w.zeilen)
            liste << (z.nach.isEmpty()
                          ? z.titel
                          : QStringLiteral("%1 (%2)").arg(z.titel, Checkliste::NachText(z.nach)));
    }
    QCOMPARE(liste.join(QLatin1Char('|')), erwartet);
}

void TestCheckliste::umbruch_data()
{
    QTest::addColumn<Aufgabenliste>("aufgaben");
    QTest::newRow("Berliner Plan") << BerlinerPlan().Aufgaben;
    QTest::newRow("500 Aufgaben") << GrosserPlan(500);
    Aufgabenliste lang = GrosserPlan(60);
    for (taufgabe& a : lang) {
        a.Kurzbezeichnung = QStringLiteral("Sehr lange Aufgabe ").repeated(20) + a.Kurzbezeichnung;
        a.vorher = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    }
    QTest::newRow("lange Titel, viele Vorgänger") << lang;
}

// Every row once and in order, each page's rows within its body, a week's head never last on a
// page, a week going on under its head, titles and tasks to follow within their column.
void TestCheckliste::umbruch()
{
    QFETCH(Aufgabenliste, aufgaben);
    const auto bild = Checkliste::Setzen(aufgaben, Situation{}, Aufloesung, QSize(2480, 3508));
    const auto& m = bild.mass;
    std::vector<QString> reihen;
    QString woche; // the head of the week in print
    for (size_t s = 0; s < bild.seiten.size(); ++s) {
        const auto& seite = bild.seiten[s];
        QVERIFY(!seite.empty());
        QCOMPARE(seite.front().art, Checkliste::Block::Art::Woche);
        QCOMPARE(seite.back().art, Checkliste::Block::Art::Aufgabe);
        int hoehe = 0;
        for (const auto& b : seite) {
            hoehe += b.hoehe;
            if (b.art == Checkliste::Block::Art::Woche) {
                // A week goes on only at the top of a page, under its head and "(Fortsetzung)".
                const QString kopf = b.titel.value(0);
                if (kopf == woche + QStringLiteral(" (Fortsetzung)")) {
                    QVERIFY(&b == &seite.front());
                } else {
                    QVERIFY2(kopf != woche && !kopf.contains(QStringLiteral("Fortsetzung")),
                             qPrintable(kopf));
                    woche = kopf;
                }
                continue;
            }
            reihen.push_back(b.zeile.titel);
            QVERIFY(b.titel.size() <= 3 && b.nach.size() <= 3);
            for (const QString& z : b.titel)
                QVERIFY2(bild.schrift.breite(z) <= m.TitelBreite(), qPrintable(z));
            for (const QString& z : b.nach)
                QVERIFY2(bild.schrift.kleinbreite(z) <= m.TitelBreite(), qPrintable(z));
        }
        QVERIFY(hoehe <= m.RumpfUnten() - m.RumpfOben(s == 0));
    }
    std::vector<QString> erwartet;
    for (const auto& w : Checkliste::Wochen(aufgaben))
        for (const auto& z : w.zeilen)
            erwartet.push_back(z.titel);
    QCOMPARE(reihen, erwartet);
    if (aufgaben.front().Kurzbezeichnung.size() > 200) {
        const auto& b = bild.seiten.front()[1];
        QCOMPARE(b.titel.size(), 3);
        QVERIFY(b.titel.back().endsWith(QStringLiteral("...")));
        QVERIFY(b.nach.back().endsWith(QStringLiteral("...")));
    }
}

// The Berlin plan on paper: two pages with the head, the weeks, the rows in order, the tasks to
// follow, and the boxes of the done tasks ticked.
void TestCheckliste::berlinerPlan()
{
    const Plan plan = BerlinerPlan();
    QVERIFY(ChecklisteDrucken(nullptr, plan.Aufgaben, plan.situation));
    QCOMPARE(m_vorschlag.section(QLatin1Char('/'), -1), QStringLiteral("Checkliste.pdf"));
    const QString datei = Pfad(QStringLiteral("c.pdf"));
    const PdfInfo info = PdfLesen(datei);
    QCOMPARE(info.seiten, 2);
    QVERIFY(info.groesse.height() > info.groesse.width()); // portrait
    const QStringList seiten = PdfSeiten(datei);
    const QStringList zeilen = Zeilen(seiten.value(0)) + Zeilen(seiten.value(1));
    QCOMPARE(zeilen.value(0), QStringLiteral("Umzugscheckliste 2 von 34 erledigt"));
    QCOMPARE(zeilen.value(1),
             QStringLiteral("Umzug am Mittwoch, 12. September 2001 · Einzug ab dem 10.09.2001 · "
                            "Auszug vor dem 14.09.2001"));
    QCOMPARE(zeilen.value(2), QStringLiteral("Tag Beginn Aufgabe"));
    QCOMPARE(zeilen.value(3), QStringLiteral("Woche 33 · 13. – 19. August 2001"));
    QCOMPARE(Zeilen(seiten.value(0)).back(), QStringLiteral("Seite 1 von 2"));
    const auto stelle = [&](const QString& text) { return zeilen.indexOf(text); };
    const qsizetype woche37 = stelle(QStringLiteral("Woche 37 · 10. – 16. September 2001"));
    const qsizetype umziehen = stelle(QStringLiteral("Mi 12.09. 08:00 Umziehen"));
    const qsizetype klavier = stelle(QStringLiteral("Do 20.09. 09:30 Klavier stimmen lassen"));
    QVERIFY(woche37 > 3 && umziehen > woche37 && klavier > umziehen);
    QCOMPARE(zeilen.value(klavier + 1), QStringLiteral("nach: Umziehen"));

    // The ink inside a row's box: none when open, the tick when done.
    const QImage bild = PdfBild(datei, 100);
    const QList<Wort> woerter = PdfWoerter(datei);
    const auto kasteninnen = [&](const QString& titel) {
        const auto w = std::find_if(woerter.begin(), woerter.end(),
                                    [&](const Wort& x) { return x.text == titel; });
        if (w == woerter.end())
            return -1;
        // The box: the ink left of the row's first word, in points.
        double links = w->kasten.left();
        for (const Wort& x : woerter)
            if (std::abs(x.kasten.center().y() - w->kasten.center().y()) < 2)
                links = std::min(links, x.kasten.left() - 2);
        const double s = 100.0 / 72;
        QRect tinte;
        for (int y = qRound(w->kasten.top() * s); y <= qRound(w->kasten.bottom() * s); ++y)
            for (int x = 0; x < qRound(links * s); ++x)
                if (qGray(bild.pixel(x, y)) < 128)
                    tinte |= QRect(x, y, 1, 1);
        int innen = 0; // within its inner half
        for (int y = tinte.top() + tinte.height() / 4; y < tinte.bottom() - tinte.height() / 4; ++y)
            for (int x = tinte.left() + tinte.width() / 4; x < tinte.right() - tinte.width() / 4;
                 ++x)
                innen += qGray(bild.pixel(x, y)) < 128 ? 1 : 0;
        return tinte.width() >= 8 ? innen : -1;
    };
    QVERIFY(kasteninnen(QStringLiteral("Umziehen")) > 3);
    QVERIFY(kasteninnen(QStringLiteral("Packen")) > 3);
    QCOMPARE(kasteninnen(QStringLiteral("Klavier")), 0);
    QCOMPARE(kasteninnen(QStringLiteral("Einzugsparty")), 0);
}

// 500 tasks: every title once and by date, "Seite n von m" at the foot of every page.
void TestCheckliste::grosserPlan()
{
    QVERIFY(ChecklisteDrucken(nullptr, GrosserPlan(500), Situation{}));
    const QString datei = Pfad(QStringLiteral("c.pdf"));
    const QStringList seiten = PdfSeiten(datei);
    QCOMPARE(PdfLesen(datei).seiten, seiten.size());
    QVERIFY2(seiten.size() >= 10 && seiten.size() <= 30,
             qPrintable(QString::number(seiten.size())));
    int naechste = 1;
    const QRegularExpression reihe(QStringLiteral("\\d\\d:\\d\\d Aufgabe (\\d{4})"));
    for (qsizetype i = 0; i < seiten.size(); ++i) {
        const QStringList zeilen = Zeilen(seiten[i]);
        QCOMPARE(zeilen.back(), QStringLiteral("Seite %1 von %2").arg(i + 1).arg(seiten.size()));
        for (const QString& z : zeilen) {
            const auto treffer = reihe.match(z);
            if (treffer.hasMatch())
                QCOMPARE(treffer.captured(1).toInt(), naechste++);
        }
    }
    QCOMPARE(naechste, 501);
}

// The dialog offers the checklist beside the calendar, reached by keyboard.
void TestCheckliste::dialog()
{
    TestFenster fenster(2);
    fenster.plan().Aufgaben = BerlinerPlan().Aufgaben;
    TAusdruckForm form(&fenster);
    QCOMPARE(form.KalenderWahl->text(), QStringLiteral("Umzugs&kalender, zwei Wochen je Seite"));
    QCOMPARE(form.ChecklisteWahl->text(), QStringLiteral("&Checkliste aller Aufgaben zum Abhaken"));
    QVERIFY(form.KalenderWahl->isChecked());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.KalenderWahl);
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(form.ChecklisteWahl->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.DruckenKnopf);
    QTest::keyClick(form.DruckenKnopf, Qt::Key_Space);
    QCOMPARE(m_vorschlag.section(QLatin1Char('/'), -1), QStringLiteral("Checkliste.pdf"));
    QVERIFY(PdfSeiten(Pfad(QStringLiteral("c.pdf")))
                .value(0)
                .contains(QStringLiteral("Umzugscheckliste")));
    QVERIFY(form.isVisible()); // the dialog stays open after printing
}

QTEST_MAIN(TestCheckliste)
#include "tst_checkliste.moc"
