#include "widgets/schrift.h"
#include "widgets/zellengeometrie.h"

#include <QFontMetrics>

#include <QTest>

// The bands of a day cell: where the mouse finds a task and where the cell draws it.
class TestZellengeometrie final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baender_data();
    void baender();
    void trefferpunkte_data();
    void trefferpunkte();
};

namespace {

TagDaten TagMit(int anzahl)
{
    TagDaten tag;
    for (int i = 0; i < anzahl; ++i)
        tag.TerminAnhaengen(i, 17, {}, QStringLiteral("x"), 1);
    tag.TermineOrdnen();
    return tag;
}

} // namespace

// A one-line band is one line of the cell font high, with one pixel between bands.
int Zeile()
{
    return QFontMetrics(ZellenSchrift()).height();
}

void TestZellengeometrie::baender_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("platz"); // bands above it; -1: no room, an empty band
    QTest::newRow("eine: oben, der Rest frei") << 1 << 0 << 0;
    QTest::newRow("drei: zweite") << 3 << 1 << 1;
    QTest::newRow("drei: dritte") << 3 << 2 << 2;
    QTest::newRow("145: die erste hat Platz") << 145 << 0 << 0;
    QTest::newRow("145: die letzte nicht") << 145 << 144 << -1;
}

void TestZellengeometrie::baender()
{
    QFETCH(int, anzahl);
    QFETCH(int, index);
    QFETCH(int, platz);
    const Bandbereich b = Zellengeometrie::Band(TagMit(anzahl), index, 100);
    if (platz < 0) {
        QVERIFY(b.bottom < b.top);
        return;
    }
    QCOMPARE(b.top, 20 + platz * (Zeile() + 1));
    QCOMPARE(b.bottom, b.top + Zeile());
    QCOMPARE(b.left, 0);
    QCOMPARE(b.right, 100);
}

void TestZellengeometrie::trefferpunkte_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QPoint>("punkt"); // y in lines (with their gap) below the header
    QTest::addColumn<int>("termin");
    QTest::newRow("erste Zeile der zweiten") << 3 << QPoint(50, 1) << 1;
    QTest::newRow("Kopf") << 3 << QPoint(50, -1) << -1;
    QTest::newRow("rechts neben der Zelle") << 3 << QPoint(101, 1) << -1;
    QTest::newRow("unter den Aufgaben: frei") << 3 << QPoint(0, 5) << -1;
    QTest::newRow("ohne Termine") << 0 << QPoint(3, 3) << -1;
    QTest::newRow("145: die erste") << 145 << QPoint(0, 0) << 0;
}

void TestZellengeometrie::trefferpunkte()
{
    QFETCH(int, anzahl);
    QFETCH(QPoint, punkt);
    QFETCH(int, termin);
    const TagDaten tag = TagMit(anzahl);
    const int y = punkt.y() < 0 ? 10 : 20 + punkt.y() * (Zeile() + 1) + 1;
    QCOMPARE(Zellengeometrie::TerminAnPunkt(tag, 100, punkt.x(), y), termin);
    if (punkt.x() >= 0 && punkt.x() <= 100)
        QCOMPARE(Zellengeometrie::TerminInHoehe(tag, 100, y), termin);
    // The last line of a full cell counts the rest and opens none of them.
    if (anzahl == 145)
        QCOMPARE(Zellengeometrie::TerminInHoehe(tag, 100, 163), -1);
}

QTEST_MAIN(TestZellengeometrie)
#include "tst_zellengeometrie.moc"
