#include "model/katalog.h"

#include <QSet>
#include <QStringList>
#include <QTest>

namespace {

// The lines of a one-line text; the final '|' ends the last line and adds none.
QStringList zeilen(const char* text)
{
    QStringList teile = QString::fromUtf8(text).split(QLatin1Char('|'));
    teile.removeLast();
    return teile;
}

bool zeigtDruckvorlagen(qint32 nummer)
{
    return nummer == 17 || nummer == 4 || nummer == 8;
}

bool hatLink(qint32 nummer)
{
    return nummer == 19 || nummer == 20;
}

} // namespace

class TestBeratungstexte final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void katalogNummern();
    void form_data();
    void form();
    void druckvorlagen_data();
    void druckvorlagen();
    void links_data();
    void links();
    void unbekannteNummer_data();
    void unbekannteNummer();
};

void TestBeratungstexte::katalogNummern()
{
    QSet<qint32> nummern;
    for (const Taufgdata& eintrag : Aufgabenkatalog())
        nummern.insert(eintrag.Nummer);
    QCOMPARE(nummern.size(), 44);
    for (const qint32 n : {17, 4, 8, 19, 20})
        QVERIFY2(nummern.contains(n), qPrintable(QString::number(n)));
}

static void katalogZeilen()
{
    QTest::addColumn<qint32>("nummer");
    for (const Taufgdata& eintrag : Aufgabenkatalog())
        QTest::addRow("%d %s", eintrag.Nummer, eintrag.Kurzbezeichnung) << eintrag.Nummer;
}

void TestBeratungstexte::form_data()
{
    katalogZeilen();
}

void TestBeratungstexte::form()
{
    QFETCH(qint32, nummer);
    const char* text = Beratungstext(nummer);
    const QString ganz = QString::fromUtf8(text);

    QVERIFY(ganz.endsWith(QLatin1Char('|')));
    QVERIFY2(!ganz.contains(QLatin1Char('\n')) && !ganz.contains(QLatin1Char('\r')),
             "line breaks are written as '|'");
    QVERIFY2(!ganz.contains(QChar::ReplacementCharacter), "not valid UTF-8");

    const QStringList liste = zeilen(text);
    QVERIFY2(liste.size() >= 2 && liste.size() <= 19, qPrintable(QString::number(liste.size())));
    QVERIFY2(!liste.first().isEmpty() && !liste.last().isEmpty(), "blank first or last line");
    for (const QString& zeile : liste)
        QVERIFY2(zeile.size() <= 60, qPrintable(zeile));
}

void TestBeratungstexte::druckvorlagen_data()
{
    katalogZeilen();
}

void TestBeratungstexte::druckvorlagen()
{
    QFETCH(qint32, nummer);
    const QString text = QString::fromUtf8(Beratungstext(nummer));
    // The task dialog offers the templates only for this exact quoted word.
    QCOMPARE(text.contains(QStringLiteral("\"Druckvorlagen\"")), zeigtDruckvorlagen(nummer));
}

void TestBeratungstexte::links_data()
{
    katalogZeilen();
}

void TestBeratungstexte::links()
{
    QFETCH(qint32, nummer);
    const QStringList liste = zeilen(Beratungstext(nummer));

    QStringList linkZeilen;
    for (const QString& zeile : liste) {
        if (zeile.contains(QStringLiteral("://")))
            linkZeilen << zeile;
    }
    if (!hatLink(nummer)) {
        QVERIFY2(linkZeilen.isEmpty(), qPrintable(linkZeilen.join(QLatin1Char(' '))));
        return;
    }

    // The dialog links only one line, so there must be exactly one.
    QCOMPARE(linkZeilen.size(), 1);
    const QString& zeile = linkZeilen.first();
    const qsizetype p = zeile.indexOf(QStringLiteral("https://"));
    QVERIFY2(p >= 0, qPrintable(zeile));
    QCOMPARE(zeile.count(QStringLiteral("://")), 1);
    // The address runs to the line's end; a blank would cut it short.
    const QString adresse = zeile.mid(p);
    QVERIFY2(!adresse.contains(QLatin1Char(' ')) && !adresse.contains(QLatin1Char(';')),
             qPrintable(adresse));
    QVERIFY2(adresse.size() > 12, qPrintable(adresse));
}

void TestBeratungstexte::unbekannteNummer_data()
{
    QTest::addColumn<qint32>("nummer");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -7;
    QTest::newRow("gap 6") << 6;
    QTest::newRow("gap 26") << 26;
    QTest::newRow("after the last, 54") << 54;
    QTest::newRow("user task 10001") << 10001;
}

void TestBeratungstexte::unbekannteNummer()
{
    QFETCH(qint32, nummer);
    QCOMPARE(Beratungstext(nummer), "");
}

QTEST_GUILESS_MAIN(TestBeratungstexte)
#include "tst_beratungstexte.moc"
