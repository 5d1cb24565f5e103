#include "model/bundesland.h"
#include "model/mitverschieben.h"
#include "support/testdaten.h"

#include <QTest>

namespace {

constexpr int Berlin = Bundesland::Berlin;
constexpr int Bayern = Bundesland::Bayern;

// A before B before C before D, B in the afternoon, and one task nobody depends on.
Aufgabenliste Kette()
{
    return {Aufgabe(1, "A", T(2027, 3, 1), 17), Aufgabe(2, "B", T(2027, 3, 2), 30, {1}),
            Aufgabe(3, "C", T(2027, 3, 3), 17, {2}), Aufgabe(4, "D", T(2027, 3, 4), 17, {3}),
            Aufgabe(5, "frei", T(2027, 3, 2), 17)};
}

} // namespace

Q_DECLARE_METATYPE(Aufgabenliste)

class TestMitverschieben final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void abhaengigeFolgen_data();
    void abhaengigeFolgen();
};

void TestMitverschieben::abhaengigeFolgen_data()
{
    QTest::addColumn<Aufgabenliste>("aufgaben");
    QTest::addColumn<qint32>("nummer");
    QTest::addColumn<double>("ziel");
    QTest::addColumn<int>("landB");
    QTest::addColumn<QList<double>>("tage"); // every task's day afterwards
    QTest::addColumn<QStringList>("nichtPlatzierbar");

    QTest::newRow("chain of three, later: each by the fewest days, slots kept")
        << Kette() << 1 << T(2027, 3, 3) << Berlin
        << QList<double>{T(2027, 3, 3), T(2027, 3, 3), T(2027, 3, 4), T(2027, 3, 5), T(2027, 3, 2)}
        << QStringList();
    QTest::newRow("chain of three, earlier: predecessors follow, Sunday skipped")
        << Kette() << 4 << T(2027, 3, 2) << Berlin
        << QList<double>{T(2027, 2, 27), T(2027, 2, 27), T(2027, 3, 1), T(2027, 3, 2),
                         T(2027, 3, 2)}
        << QStringList();

    const Aufgabenliste fronleichnam{Aufgabe(1, "A", T(2027, 5, 25), 17),
                                     Aufgabe(2, "B", T(2027, 5, 26), 17, {1})};
    taufgabe auchSonntags = fronleichnam[1];
    auchSonntags.auchSonntags = true;
    QTest::newRow("later onto a holiday of the new home's state only")
        << fronleichnam << 1 << T(2027, 5, 26) << Bayern
        << QList<double>{T(2027, 5, 26), T(2027, 5, 28)} << QStringList();
    QTest::newRow("later onto the holiday of a task that may lie on one")
        << Aufgabenliste{fronleichnam[0], auchSonntags} << 1 << T(2027, 5, 26) << Bayern
        << QList<double>{T(2027, 5, 26), T(2027, 5, 27)} << QStringList();
    QTest::newRow("earlier past Easter Monday and Sunday")
        << Aufgabenliste{Aufgabe(1, "A", T(2027, 3, 30), 17),
                         Aufgabe(2, "B", T(2027, 3, 31), 17, {1})}
        << 2 << T(2027, 3, 30) << Berlin << QList<double>{T(2027, 3, 27), T(2027, 3, 30)}
        << QStringList();

    // The plan begins on Monday 1 March 2027, so its calendar ends on Sunday 27 February 2028.
    const Aufgabenliste lang{
        Aufgabe(9, "Anfang", T(2027, 3, 1), 17), Aufgabe(1, "A", T(2028, 2, 24), 17),
        Aufgabe(2, "B", T(2028, 2, 25), 17, {1}), Aufgabe(3, "C", T(2028, 2, 25), 30, {2})};
    QTest::newRow("later to the calendar's last days")
        << lang << 1 << T(2028, 2, 25) << Berlin
        << QList<double>{T(2027, 3, 1), T(2028, 2, 25), T(2028, 2, 26), T(2028, 2, 26)}
        << QStringList();
    QTest::newRow("later past the calendar's year: listed, in list order")
        << lang << 1 << T(2028, 2, 26) << Berlin << QList<double>()
        << QStringList{QStringLiteral("B"), QStringLiteral("C")};
    QTest::newRow("earlier before the calendar's year")
        << Aufgabenliste{Aufgabe(1, "A", T(2027, 3, 2), 17),
                         Aufgabe(2, "B", T(2027, 3, 3), 17, {1}),
                         Aufgabe(9, "Ende", T(2028, 2, 27), 17)}
        << 2 << T(2027, 3, 1) << Berlin << QList<double>() << QStringList{QStringLiteral("A")};
    QTest::newRow("a circle of relations ends, naming the moved task")
        << Aufgabenliste{Aufgabe(1, "A", T(2027, 3, 1), 17, {2}),
                         Aufgabe(2, "B", T(2027, 3, 2), 17, {1})}
        << 1 << T(2027, 3, 3) << Berlin << QList<double>() << QStringList{QStringLiteral("A")};
}

void TestMitverschieben::abhaengigeFolgen()
{
    QFETCH(Aufgabenliste, aufgaben);
    QFETCH(qint32, nummer);
    QFETCH(double, ziel);
    QFETCH(int, landB);
    QFETCH(QList<double>, tage);
    QFETCH(QStringList, nichtPlatzierbar);

    const Mitverschiebung m = MitAbhaengigenVerschieben(aufgaben, nummer, ziel, Berlin, landB);
    QCOMPARE(m.nichtPlatzierbar, nichtPlatzierbar);
    if (!m.moeglich())
        return;
    const Aufgabenliste vorher = aufgaben;
    Anwenden(aufgaben, m);
    QList<double> ist;
    for (const taufgabe& a : aufgaben)
        ist.append(a.Tag);
    QCOMPARE(ist, tage);
    for (size_t i = 0; i < aufgaben.size(); ++i)
        QCOMPARE(aufgaben[i].Start, vorher[i].Start);
}

QTEST_GUILESS_MAIN(TestMitverschieben)
#include "tst_mitverschieben.moc"
