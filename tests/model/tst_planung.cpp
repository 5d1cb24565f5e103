#include "model/plan.h"
#include "support/testdaten.h"

#include <QTest>

#include <algorithm>

namespace {

struct Mitschrift final : PlanMelder
{
    QStringList meldungen;
    void KeineAbfolge(const QString& text) override { meldungen.append(text); }
};

Plan Berlin(bool spedition)
{
    Plan p;
    p.situation().BundeslandA = Bundesland::Berlin;
    p.situation().BundeslandB = Bundesland::Berlin;
    p.situation().Spedition = spedition;
    return p;
}

const taufgabe& Titel(const Plan& p, const QString& titel)
{
    for (const auto& a : p.Aufgaben())
        if (a.Kurzbezeichnung == titel)
            return a;
    static const taufgabe keine;
    return keine;
}

} // namespace

class TestPlanung final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void volleRunde();
    void zweiterVersuch();
    void aufgeben();
    void eintaegigesFensterOhneKonflikt();
    void umziehenAmSonntag_data();
    void umziehenAmSonntag();
    void feiertagNurImAltenLand();
    void auswahl_data();
    void auswahl();
    void benutzeraufgabenBleiben();
    void reihenfolge_data();
    void reihenfolge();
    void vorgeschlageneVerschiebung();
    void neueAufgabenNummer_data();
    void neueAufgabenNummer();
    void sichernUndWiederherstellen();
    void umplanen_data();
    void umplanen();
};

void TestPlanung::volleRunde()
{
    Plan p = Berlin(false);
    Mitschrift m;
    p.AbfolgeSuchen(T(2001, 9, 10), T(2001, 9, 14), &m);
    QVERIFY(m.meldungen.isEmpty());
    QVERIFY(!p.keineAbfolge());
    QCOMPARE(p.Stichtag(), T(2001, 9, 12));
    QCOMPARE(p.Aufgaben().size(), size_t(33));
    QVERIFY(p.ReihenfolgePruefen(-1, 0, 0).isEmpty());

    const taufgabe& umziehen = Titel(p, QStringLiteral("Umziehen"));
    QCOMPARE(umziehen.Tag, T(2001, 9, 12));
    QCOMPARE(umziehen.Start, 17);
    QCOMPARE(Titel(p, QStringLiteral("Packen")).Tag, T(2001, 9, 9));
    QCOMPARE(Titel(p, QStringLiteral("Bankkonto ummelden")).Tag, T(2001, 9, 1));
    QCOMPARE(p.FruehesterTag(), T(2001, 8, 16));
    QCOMPARE(p.SpaetesterTag(), T(2001, 9, 29));
    QCOMPARE(Titel(p, QStringLiteral("Umzugsurlaub beantragen")).Tag, T(2001, 8, 16));
    QCOMPARE(Titel(p, QStringLiteral("Einzugsparty")).Tag, T(2001, 9, 29));
    for (const auto& a : p.Aufgaben()) {
        QCOMPARE(a.Dauer, a.vorgabeDauer);
        if (!a.auchSonntags)
            QVERIFY2(!Plan::TagGesperrt(a.Tag, 3, 3), qPrintable(a.Kurzbezeichnung));
    }
}

void TestPlanung::zweiterVersuch()
{
    // The midpoint attempt alone: Sunday 16.09.2001 moves "Umziehen" to Saturday.
    Plan p = Berlin(true);
    p.KatalogLaden(true);
    p.AufgabenAuswaehlen(false, false, true, false);
    p.AufgabenTerminieren(T(2001, 9, 16));
    QCOMPARE(Titel(p, QStringLiteral("Umziehen")).Tag, T(2001, 9, 15));
    QCOMPARE(
        p.ReihenfolgePruefen(-1, 0, 0),
        (QStringList{QStringLiteral("'Küche demontieren' sollte vor 'Umziehen' erfolgen."),
                     QStringLiteral("'Haustiere unterbringen' sollte vor 'Umziehen' erfolgen.")}));

    Mitschrift m;
    p.AbfolgeSuchen(T(2001, 9, 14), T(2001, 9, 18), &m);
    QVERIFY(m.meldungen.isEmpty());
    QCOMPARE(p.Stichtag(), T(2001, 9, 17));
    QCOMPARE(Titel(p, QStringLiteral("Umziehen")).Tag, T(2001, 9, 17));
    QVERIFY(p.ReihenfolgePruefen(-1, 0, 0).isEmpty());
}

void TestPlanung::aufgeben()
{
    Plan p = Berlin(true);
    Mitschrift m;
    p.AbfolgeSuchen(T(2001, 9, 16), T(2001, 9, 16), &m);
    QCOMPARE(m.meldungen,
             QStringList{QStringLiteral("Im gegebenen Zeitraum wurde keine sinnvolle Abfolge der "
                                        "Aufgaben gefunden.\nBitte beginnen Sie neu und wählen Sie "
                                        "andere Daten für Aus- bzw. Einzug.")});
    QVERIFY(p.keineAbfolge());
    // The last attempt's plan stays, although it has no conflict.
    QCOMPARE(p.Stichtag(), T(2001, 9, 15));
    QVERIFY(p.ReihenfolgePruefen(-1, 0, 0).isEmpty());
    QCOMPARE(Titel(p, QStringLiteral("Umziehen")).Tag, T(2001, 9, 15));
}

void TestPlanung::eintaegigesFensterOhneKonflikt()
{
    Plan p = Berlin(false);
    Mitschrift m;
    p.AbfolgeSuchen(T(2001, 9, 12), T(2001, 9, 12), &m);
    QVERIFY(m.meldungen.isEmpty());
    QCOMPARE(p.Stichtag(), T(2001, 9, 12));
}

void TestPlanung::umziehenAmSonntag_data()
{
    QTest::addColumn<bool>("spedition");
    QTest::addColumn<double>("tag");
    QTest::newRow("ohne Spedition bleibt Sonntag") << false << T(2001, 9, 16);
    QTest::newRow("mit Spedition Samstag davor") << true << T(2001, 9, 15);
    QTest::newRow("mit Spedition ueber Feiertag zurueck") << true << T(2001, 10, 2);
}

void TestPlanung::umziehenAmSonntag()
{
    QFETCH(bool, spedition);
    QFETCH(double, tag);
    Plan p = Berlin(spedition);
    p.KatalogLaden(spedition);
    // 03.10.2001 is a Wednesday holiday; Sunday 16.09. for the others.
    const double stichtag =
        QTest::currentDataTag() == QByteArrayLiteral("mit Spedition ueber Feiertag zurueck")
            ? T(2001, 10, 3)
            : T(2001, 9, 16);
    p.AufgabenTerminieren(stichtag);
    QCOMPARE(Titel(p, QStringLiteral("Umziehen")).Tag, tag);
}

void TestPlanung::feiertagNurImAltenLand()
{
    // 06.01.2027 (Wednesday) is a holiday in Bayern (2), not in Berlin (3).
    Plan p;
    p.situation().BundeslandA = 2;
    p.situation().BundeslandB = 3;
    p.Aufgaben() = {Aufgabe(1, "A", 0, 0)};
    p.AufgabenTerminieren(T(2027, 1, 6));
    QCOMPARE(p.Aufgaben().front().Tag, T(2027, 1, 5));
    QCOMPARE(p.Aufgaben().front().Start, 17);
}

void TestPlanung::auswahl_data()
{
    QTest::addColumn<bool>("ar");
    QTest::addColumn<bool>("er");
    QTest::addColumn<bool>("spedition");
    QTest::addColumn<bool>("kinder");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<bool>("handwerker"); // task 25 needs both renovations
    QTest::newRow("nichts") << false << false << false << false << 33 << false;
    QTest::newRow("nur Auszugsrenovierung") << true << false << false << false << 35 << false;
    QTest::newRow("nur Einzugsrenovierung") << false << true << false << false << 35 << false;
    QTest::newRow("beide Renovierungen") << true << true << false << false << 38 << true;
    QTest::newRow("Spedition") << false << false << true << false << 33 << false;
    QTest::newRow("Kinder") << false << false << false << true << 36 << false;
}

void TestPlanung::auswahl()
{
    QFETCH(bool, ar);
    QFETCH(bool, er);
    QFETCH(bool, spedition);
    QFETCH(bool, kinder);
    QFETCH(int, anzahl);
    QFETCH(bool, handwerker);
    Plan p;
    p.KatalogLaden(spedition);
    p.AufgabenAuswaehlen(ar, er, spedition, kinder);
    QCOMPARE(int(p.Aufgaben().size()), anzahl);
    QCOMPARE(p.AufgabeSuchen(25) >= 0, handwerker);
}

void TestPlanung::benutzeraufgabenBleiben()
{
    Plan p;
    taufgabe eigene = Aufgabe(10001, "Eigene", 0, 17);
    eigene.Benutzeraufgabe = true;
    eigene.mitSpedition = eigene.mitKindern = eigene.beiAuszugsrenovierung = true;
    p.Aufgaben() = {eigene};
    p.AufgabenAuswaehlen(false, false, false, false);
    QCOMPARE(p.Aufgaben().size(), size_t(1));
}

void TestPlanung::reihenfolge_data()
{
    QTest::addColumn<int>("startVorgaenger");
    QTest::addColumn<double>("tagVorgaenger");
    QTest::addColumn<int>("zeilen");
    QTest::addColumn<qint32>("nummer"); // of the predecessor
    QTest::newRow("gleicher Zeitpunkt ist Konflikt") << 17 << 100.0 << 1 << 9;
    QTest::newRow("ein Feld frueher ist in Ordnung") << 16 << 100.0 << 0 << 9;
    QTest::newRow("Tag davor, spaeter Beginn") << 48 << 99.0 << 0 << 9;
    QTest::newRow("Tag danach") << 1 << 101.0 << 1 << 9;
    QTest::newRow("Tageszeit im Tag zaehlt nicht") << 16 << 100.9 << 0 << 9;
    QTest::newRow("weit verstreute Nummern") << 1 << 101.0 << 1 << 2147483647;
    QTest::newRow("negative Nummer") << 1 << 101.0 << 1 << -2147483647 - 1;
}

void TestPlanung::reihenfolge()
{
    QFETCH(int, startVorgaenger);
    QFETCH(double, tagVorgaenger);
    QFETCH(int, zeilen);
    QFETCH(qint32, nummer);
    Plan p;
    p.Aufgaben() = {Aufgabe(nummer, "Packen", tagVorgaenger, startVorgaenger),
                    Aufgabe(7, "Umziehen", 100.5, 17, {nummer, 55})};
    const QStringList liste = p.ReihenfolgePruefen(-1, 0, 0);
    QCOMPARE(liste.size(), zeilen);
    if (zeilen)
        QCOMPARE(liste.front(), QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen."));
}

void TestPlanung::vorgeschlageneVerschiebung()
{
    Plan p;
    p.Aufgaben() = {Aufgabe(9, "Packen", 100, 17), Aufgabe(13, "Kisten", 99, 17),
                    Aufgabe(7, "Umziehen", 102, 17, {13, 9}), Aufgabe(8, "Zweite", 103, 17, {9})};
    QVERIFY(p.ReihenfolgePruefen(-1, 0, 0).isEmpty());
    // "Umziehen" onto the day of "Packen" at the same slot: refused, in vorher order.
    QCOMPARE(p.ReihenfolgePruefen(7, 17, 100),
             QStringList{QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen.")});
    // The predecessor dragged after both successors: lines in task-list order.
    QCOMPARE(p.ReihenfolgePruefen(9, 17, 104),
             (QStringList{QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen."),
                          QStringLiteral("'Packen' sollte vor 'Zweite' erfolgen.")}));
    // A number that no task bears changes nothing.
    QVERIFY(p.ReihenfolgePruefen(4711, 1, 0).isEmpty());
}

void TestPlanung::neueAufgabenNummer_data()
{
    QTest::addColumn<QList<qint32>>("nummern");
    QTest::addColumn<qint32>("neu");
    QTest::newRow("nur Katalog") << QList<qint32>{2, 7, 53} << 10001;
    QTest::newRow("mit 10005") << QList<qint32>{7, 10005, 10002} << 10006;
    QTest::newRow("leer") << QList<qint32>{} << 10001;
    // The largest number taken: a free one, never a number the plan already holds.
    QTest::newRow("groesste Zahl") << QList<qint32>{2147483647} << 10001;
    QTest::newRow("groesste Zahl, Luecke")
        << QList<qint32>{10001, 2147483647, 10002, 10004} << 10003;
}

void TestPlanung::neueAufgabenNummer()
{
    QFETCH(QList<qint32>, nummern);
    QFETCH(qint32, neu);
    Plan p;
    for (qint32 n : nummern)
        p.Aufgaben().push_back(Aufgabe(n, "x", 0, 17));
    QCOMPARE(p.NeueAufgabenNummer(), neu);
}

void TestPlanung::sichernUndWiederherstellen()
{
    Plan p = Berlin(false);
    p.KatalogLaden(false);
    p.Aufgaben().front().mitKindern = true;
    p.ZustandSichern();
    Aufgabenliste vorher = p.Aufgaben();
    for (auto& a : vorher)
        a.mitKindern = false; // the undo copy does not keep it
    p.Aufgaben().front().Tag = 4711;
    p.Aufgaben().front().Notiz = {QStringLiteral("neu")};
    p.Aufgaben().pop_back();
    p.ZustandWiederherstellen();
    QCOMPARE(p.Aufgaben().size(), vorher.size());
    QVERIFY(p.Aufgaben() == vorher);
    QCOMPARE(p.Sicherung().size(), vorher.size()); // undo keeps its copy
}

// The moving day moves two weeks later and the children stay behind: the user's work on the
// plan comes along, and what the new situation drops is listed for the question.
void TestPlanung::umplanen_data()
{
    QTest::addColumn<bool>("eigeneVerschieben");
    QTest::newRow("eigene Aufgaben ziehen mit") << true;
    QTest::newRow("eigene Aufgaben bleiben") << false;
}

void TestPlanung::umplanen()
{
    QFETCH(bool, eigeneVerschieben);
    Plan p = Berlin(false);
    p.situation().Kinder = true;
    p.AbfolgeSuchen(T(2001, 9, 10), T(2001, 9, 14), nullptr);
    QCOMPARE(Titel(p, QStringLiteral("Umziehen")).Tag, T(2001, 9, 12));
    p.Aufgabe(9)->Notiz = {QStringLiteral("Bücher zuerst")};
    p.Aufgabe(9)->Erledigt = true;
    p.Aufgabe(9)->Start = 30;
    p.Aufgabe(2)->Tag += 3; // moved by hand: takes the new plan's day
    p.Aufgabe(53)->Notiz = {QStringLiteral("Zeugnis mitnehmen")};
    p.Aufgabe(18)->Erledigt = true;
    taufgabe eigene;
    eigene.Nummer = ErsteEigeneAufgabe;
    eigene.Kurzbezeichnung = QStringLiteral("Klavier stimmen");
    eigene.Notiz = {QStringLiteral("Herr Weber")};
    eigene.Tag = T(2001, 9, 20);
    eigene.Start = 20;
    eigene.Benutzeraufgabe = true;
    p.Aufgaben().push_back(eigene);
    const Aufgabenliste vorher = p.Aufgaben();

    Situation neu = p.situation();
    neu.Kinder = false;
    const Umplanung u = p.Umplanen(neu, T(2001, 9, 24), T(2001, 9, 28), eigeneVerschieben);
    QCOMPARE(p.Aufgaben(), vorher); // nothing changes before it is taken over
    QVERIFY(!u.keineAbfolge);
    QCOMPARE(u.verschiebung, 14.0);

    p.UmplanungUebernehmen(u);
    QCOMPARE(p.situation(), neu);
    QCOMPARE(Titel(p, QStringLiteral("Umziehen")).Tag, T(2001, 9, 26));
    const taufgabe& packen = *p.Aufgabe(9);
    QCOMPARE(packen.Notiz, QStringList{QStringLiteral("Bücher zuerst")});
    QVERIFY(packen.Erledigt);
    QCOMPARE(packen.Start, 30);
    QCOMPARE(packen.Dauer, packen.vorgabeDauer);
    QCOMPARE(packen.Tag, T(2001, 9, 23));
    QCOMPARE(p.Aufgabe(2)->Tag,
             T(2001, 9, 15)); // the new plan's day (off Sunday), not the hand-moved one
    QCOMPARE(p.Aufgabe(2)->Start, 17);
    const taufgabe* klavier = p.Aufgabe(ErsteEigeneAufgabe);
    QVERIFY(klavier);
    QCOMPARE(klavier->Notiz, eigene.Notiz);
    QCOMPARE(klavier->Tag, eigeneVerschieben ? T(2001, 10, 4) : T(2001, 9, 20));
    QCOMPARE(klavier->Start, 20);

    // The children's tasks are gone; those with a note or done are named for the question.
    QList<qint32> weg;
    for (const taufgabe& a : u.weggefallen)
        weg.append(a.Nummer);
    std::sort(weg.begin(), weg.end());
    QCOMPARE(weg, (QList<qint32>{3, 18, 53}));
    QList<qint32> fragen;
    for (const taufgabe& a : u.WegfallendeMitInhalt())
        fragen.append(a.Nummer);
    std::sort(fragen.begin(), fragen.end());
    QCOMPARE(fragen, (QList<qint32>{18, 53}));
    QVERIFY(!p.Aufgabe(53) && !p.Aufgabe(18) && !p.Aufgabe(3));
}

QTEST_APPLESS_MAIN(TestPlanung)
#include "tst_planung.moc"
