#include "model/katalog.h"
#include "model/plan.h"
#include "model/taufgabe.h"

#include <QSet>
#include <QTest>

class TestAufgabe final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void einzeiligeForm_data();
    void einzeiligeForm();
    void rueckweg_data();
    void rueckweg();
    void nummernText_data();
    void nummernText();
    void kopieOhneMitKindern();
    void katalogVollstaendig();
    void katalogOhneZyklus();
    void katalogLadenUebernimmtFelder();
    void umziehenSonntagsNachSpedition();
    void katalogVorherOhneZahl();
};

void TestAufgabe::einzeiligeForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("leer") << QString() << QStringList{};
    QTest::newRow("eine Zeile") << QStringLiteral("A|") << QStringList{QStringLiteral("A")};
    QTest::newRow("ohne Abschluss") << QStringLiteral("A") << QStringList{QStringLiteral("A")};
    QTest::newRow("leere letzte Zeile")
        << QStringLiteral("A||") << QStringList{QStringLiteral("A"), QString()};
    QTest::newRow("leere Zeile dazwischen")
        << QStringLiteral("A||B|")
        << QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")};
    QTest::newRow("nur Trenner") << QStringLiteral("|") << QStringList{QString()};
    QTest::newRow("CR LF") << QStringLiteral("A\r\nB")
                           << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("CR allein") << QStringLiteral("A\rB\r")
                               << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("LF und Trenner")
        << QStringLiteral("A\n|B")
        << QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")};
}

void TestAufgabe::einzeiligeForm()
{
    QFETCH(QString, text);
    QFETCH(QStringList, zeilen);
    QCOMPARE(TextZuZeilen(text), zeilen);
}

void TestAufgabe::rueckweg_data()
{
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<QString>("text");
    QTest::newRow("keine Zeilen") << QStringList{} << QString();
    QTest::newRow("A und leere Zeile")
        << QStringList{QStringLiteral("A"), QString()} << QStringLiteral("A||");
    QTest::newRow("zwei Zeilen") << QStringList{QStringLiteral("a=b"), QStringLiteral("ü")}
                                 << QStringLiteral("a=b|ü|");
}

void TestAufgabe::rueckweg()
{
    QFETCH(QStringList, zeilen);
    QFETCH(QString, text);
    QCOMPARE(ZeilenZuText(zeilen), text);
    QCOMPARE(TextZuZeilen(ZeilenZuText(zeilen)), zeilen);
}

void TestAufgabe::nummernText_data()
{
    QTest::addColumn<QList<qint32>>("nummern");
    QTest::addColumn<QString>("text");
    QTest::newRow("leer") << QList<qint32>{} << QString();
    QTest::newRow("eine") << QList<qint32>{7} << QStringLiteral("7");
    QTest::newRow("mehrere") << QList<qint32>{7, 11, -1} << QStringLiteral("7,11,-1");
}

void TestAufgabe::nummernText()
{
    QFETCH(QList<qint32>, nummern);
    QFETCH(QString, text);
    QCOMPARE(NummernText(nummern), text);
}

void TestAufgabe::kopieOhneMitKindern()
{
    taufgabe a;
    a.Nummer = 3;
    a.mitKindern = true;
    a.Notiz = {QStringLiteral("x")};
    a.vorher = {7};
    taufgabe k = a.Kopie();
    QVERIFY(!k.mitKindern);
    k.mitKindern = true;
    QCOMPARE(k, a);
    k.Notiz.append(QStringLiteral("y")); // deep: the original keeps its notes
    QCOMPARE(a.Notiz.size(), 1);
}

void TestAufgabe::katalogVollstaendig()
{
    const auto katalog = Aufgabenkatalog();
    QCOMPARE(katalog.size(), size_t(44));
    QSet<qint32> nummern;
    for (const auto& e : katalog) {
        QVERIFY2(!nummern.contains(e.Nummer), "doppelte Nummer");
        nummern.insert(e.Nummer);
        QVERIFY(e.Nummer >= 2 && e.Nummer <= 53);
        QCOMPARE(e.Dauer, e.vorgabeDauer);
        QCOMPARE(QString::fromUtf8(e.Notiz), QString());
        QVERIFY(e.Start >= 1 && e.Start + e.Dauer <= 48);
    }
    for (const auto& e : katalog)
        for (const QString& v :
             QString::fromUtf8(e.vorher).split(QLatin1Char(','), Qt::SkipEmptyParts))
            QVERIFY2(nummern.contains(v.toInt()), e.Kurzbezeichnung);
    // The table is alphabetical by title.
    QCOMPARE(QString::fromUtf8(katalog.front().Kurzbezeichnung),
             QStringLiteral("Auszugsrenovierung"));
    QCOMPARE(QString::fromUtf8(katalog.back().Kurzbezeichnung),
             QStringLiteral("Wohnungsübernahme (neue)"));
}

void TestAufgabe::katalogOhneZyklus()
{
    const Aufgabenliste liste = KatalogAufgaben(Aufgabenkatalog());
    QHash<qint32, QList<qint32>> vorher;
    for (const auto& a : liste)
        vorher.insert(a.Nummer, a.vorher);
    // Depth-first search with colours: 1 = on the path, 2 = done.
    QHash<qint32, int> farbe;
    std::function<bool(qint32)> zyklus = [&](qint32 n) {
        farbe[n] = 1;
        for (qint32 v : vorher.value(n)) {
            if (farbe.value(v) == 1 || (farbe.value(v) == 0 && zyklus(v)))
                return true;
        }
        farbe[n] = 2;
        return false;
    };
    for (const auto& a : liste)
        if (farbe.value(a.Nummer) == 0)
            QVERIFY(!zyklus(a.Nummer));
}

void TestAufgabe::katalogLadenUebernimmtFelder()
{
    Plan plan;
    plan.Aufgaben().resize(3); // emptied first
    plan.KatalogLaden(false);
    QCOMPARE(plan.Aufgaben().size(), size_t(44));
    const auto katalog = Aufgabenkatalog();
    for (size_t i = 0; i < 44; ++i) {
        const taufgabe& a = plan.Aufgaben()[i];
        QCOMPARE(a.Nummer, katalog[i].Nummer);
        QCOMPARE(a.Druckvorlage, -1);
        QVERIFY(!a.Benutzeraufgabe);
        QVERIFY(a.Notiz.isEmpty());
        QCOMPARE(a.Tag, double(katalog[i].Tag));
        QVERIFY(!a.Beschreibung.isEmpty());
    }
    const taufgabe& umziehen = plan.Aufgaben()[size_t(plan.AufgabeSuchen(7))];
    QCOMPARE(umziehen.vorher.size(), 17);
    QCOMPARE(umziehen.vorher.front(), 9);
}

void TestAufgabe::umziehenSonntagsNachSpedition()
{
    Plan plan;
    plan.KatalogLaden(false);
    QVERIFY(plan.Aufgabe(7)->auchSonntags);
    plan.KatalogLaden(true);
    QVERIFY(!plan.Aufgabe(7)->auchSonntags);
}

void TestAufgabe::katalogVorherOhneZahl()
{
    const Taufgdata eintrag{99,    "Probe", "",    "",    false, false, "7,x, 11", false,
                            false, false,   false, false, 0,     -2,    0,         -3};
    const Aufgabenliste liste = KatalogAufgaben(std::span(&eintrag, 1));
    QCOMPARE(liste.front().vorher, (QList<qint32>{7, 0, 11}));
    QCOMPARE(liste.front().vorgabeDauer, 0);
    QCOMPARE(liste.front().Dauer, 0);
}

QTEST_APPLESS_MAIN(TestAufgabe)
#include "tst_aufgabe.moc"
