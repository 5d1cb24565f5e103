#include "widgets/zellengeometrie.h"

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

void TestZellengeometrie::baender_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("oben");
    QTest::addColumn<int>("unten");
    QTest::newRow("eine: der ganze Körper") << 1 << 0 << 20 << 163;
    QTest::newRow("drei: erste") << 3 << 0 << 20 << 67;
    QTest::newRow("drei: zweite") << 3 << 1 << 68 << 115;
    QTest::newRow("drei: dritte") << 3 << 2 << 116 << 163;
    QTest::newRow("sieben: Rest bleibt frei") << 7 << 6 << 140 << 159;
    QTest::newRow("145: leer") << 145 << 0 << 20 << 19;
}

void TestZellengeometrie::baender()
{
    QFETCH(int, anzahl);
    QFETCH(int, index);
    QFETCH(int, oben);
    QFETCH(int, unten);
    const Bandbereich b = Zellengeometrie::Band(TagMit(anzahl), index, 100);
    QCOMPARE(b.top, oben);
    QCOMPARE(b.bottom, unten);
    QCOMPARE(b.left, 0);
    QCOMPARE(b.right, 100);
}

void TestZellengeometrie::trefferpunkte_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QPoint>("punkt");
    QTest::addColumn<int>("termin");
    QTest::newRow("letzte Zeile der ersten") << 3 << QPoint(50, 67) << 0;
    QTest::newRow("erste Zeile der zweiten") << 3 << QPoint(50, 68) << 1;
    QTest::newRow("Kopf") << 3 << QPoint(50, 10) << -1;
    QTest::newRow("rechts neben der Zelle") << 3 << QPoint(101, 70) << -1;
    QTest::newRow("unter der siebten") << 7 << QPoint(0, 161) << -1;
    QTest::newRow("ohne Termine") << 0 << QPoint(3, 80) << -1;
    QTest::newRow("145: nirgends") << 145 << QPoint(0, 20) << -1;
    QTest::newRow("145: unten") << 145 << QPoint(0, 163) << -1;
}

void TestZellengeometrie::trefferpunkte()
{
    QFETCH(int, anzahl);
    QFETCH(QPoint, punkt);
    QFETCH(int, termin);
    const TagDaten tag = TagMit(anzahl);
    QCOMPARE(Zellengeometrie::TerminAnPunkt(tag, 100, punkt.x(), punkt.y()), termin);
    if (punkt.x() >= 0 && punkt.x() <= 100)
        QCOMPARE(Zellengeometrie::TerminInHoehe(tag, punkt.y()), termin);
}

QTEST_MAIN(TestZellengeometrie)
#include "tst_zellengeometrie.moc"
