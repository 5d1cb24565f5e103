#include "model/plan.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"

#include <QTest>

#include <algorithm>

Q_DECLARE_METATYPE(taufgabe)

namespace {

double tagVon(int jahr, int monat, int tag)
{
    return Tageszahl::ausDatum(QDate(jahr, monat, tag));
}

QList<qint32> Nummern(const Aufgabenliste& liste)
{
    QList<qint32> n;
    for (const taufgabe& a : liste)
        n.append(a.Nummer);
    std::sort(n.begin(), n.end());
    return n;
}

const taufgabe* Suchen(const Aufgabenliste& liste, qint32 nummer)
{
    const auto i = std::find_if(liste.begin(), liste.end(),
                                [&](const taufgabe& a) { return a.Nummer == nummer; });
    return i == liste.end() ? nullptr : &*i;
}

// A plan for a move in Berlin on 12.09.2001 with the user's work on it: a note, a time of its
// own, a deleted catalogue task, a done task for the children, an own task after the move.
Plan BearbeiteterPlan(bool kinder)
{
    Plan p;
    p.situation().BundeslandA = Bundesland::Berlin;
    p.situation().BundeslandB = Bundesland::Berlin;
    p.situation().Kinder = kinder;
    p.situation().Einzugdatum = QStringLiteral("10.09.2001");
    p.situation().Auszugdatum = QStringLiteral("14.09.2001");
    p.situation().PlanID = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");
    p.AbfolgeSuchen(tagVon(2001, 9, 10), tagVon(2001, 9, 14), nullptr);
    p.Aufgabe(9)->Notiz = {QStringLiteral("Bücher zuerst")};
    p.Aufgabe(2)->Start = 30;
    p.Aufgabe(2)->Dauer = 4;
    std::erase_if(p.Aufgaben(), [](const taufgabe& a) { return a.Nummer == 51; });
    if (taufgabe* babysitter = p.Aufgabe(18))
        babysitter->Erledigt = true;
    taufgabe eigene;
    eigene.Nummer = 10001;
    eigene.Kurzbezeichnung = QStringLiteral("Klavier stimmen");
    eigene.Notiz = {QStringLiteral("Herr Weber")};
    eigene.Erledigt = true;
    eigene.Tag = tagVon(2001, 9, 13);
    eigene.Start = 20;
    eigene.vorher = {7};
    eigene.Benutzeraufgabe = true;
    p.Aufgaben().push_back(eigene);
    return p;
}

} // namespace

class TestUmplanung final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rueckgaengigBehaeltErledigt();
    void planIdNurWennGesetzt_data();
    void planIdNurWennGesetzt();
    void planIdEinmalGemacht();
    void umplanen_data();
    void umplanen();
};

void TestUmplanung::rueckgaengigBehaeltErledigt()
{
    Plan plan;
    taufgabe a;
    a.Nummer = 10001;
    a.Kurzbezeichnung = QStringLiteral("Klavier");
    a.Erledigt = true;
    plan.Aufgaben() = {a};
    plan.ZustandSichern();
    plan.Aufgaben().front().Erledigt = false;
    plan.ZustandWiederherstellen();
    QCOMPARE(plan.Aufgaben().front().Erledigt, true);
}

void TestUmplanung::planIdNurWennGesetzt_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QByteArray>("ende");
    QTest::newRow("ohne ID wie bisher")
        << QString() << QByteArray("Auszugdatum=31.03.2001\r\n\r\n[21]\r\n");
    QTest::newRow("mit ID nach den Daten")
        << QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e")
        << QByteArray("Auszugdatum=31.03.2001\r\nPlanID=0f8fad5b-d9cb-469f-a165-70867728950e\r\n"
                      "\r\n[21]\r\n");
}

void TestUmplanung::planIdNurWennGesetzt()
{
    QFETCH(QString, id);
    QFETCH(QByteArray, ende);
    Situation s;
    s.Einzugdatum = QStringLiteral("15.03.2001");
    s.Auszugdatum = QStringLiteral("31.03.2001");
    s.PlanID = id;
    taufgabe a;
    a.Nummer = 21;
    a.Kurzbezeichnung = QStringLiteral("Streichen");
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(PlanEintragen(ini, {a}, s, tagVon(2001, 3, 1), 42));
    const QByteArray bytes = ini.Inhalt();
    QVERIFY2(bytes.contains(ende), bytes.constData());
    QCOMPARE(bytes.contains("PlanID"), !id.isEmpty());
    Aufgabenliste aufgaben;
    Situation zurueck;
    QVERIFY(PlanLaden(ini, aufgaben, zurueck));
    QCOMPARE(zurueck.PlanID, id);
    QVERIFY(zurueck == s);
}

void TestUmplanung::planIdEinmalGemacht()
{
    Plan plan;
    const QString id = plan.PlanIdSicherstellen();
    QCOMPARE(id.size(), 36);
    QVERIFY(!id.contains(QLatin1Char('{')));
    QCOMPARE(plan.PlanIdSicherstellen(), id);
    QCOMPARE(plan.situation().PlanID, id);
    Plan anderer;
    QVERIFY(anderer.PlanIdSicherstellen() != id);
    // A plan read from a file keeps the ID it has.
    anderer.situation().PlanID = QStringLiteral("aus-der-datei");
    QCOMPARE(anderer.PlanIdSicherstellen(), QStringLiteral("aus-der-datei"));
}

// The moving day two weeks later (26.09.2001), with or without children before and after.
void TestUmplanung::umplanen_data()
{
    QTest::addColumn<bool>("kinderVorher");
    QTest::addColumn<bool>("kinderNachher");
    QTest::addColumn<bool>("eigeneVerschieben");
    QTest::addColumn<QList<qint32>>("fragen");    // dropped with a note or done
    QTest::addColumn<bool>("babysitterErledigt"); // task 18 in the new plan: done?
    QTest::addColumn<double>("eigenerTag");
    QTest::addColumn<QStringList>("konflikte");
    const QStringList keine;
    QTest::newRow("Kinder bleiben, eigene ziehen mit")
        << true << true << true << QList<qint32>{} << true << tagVon(2001, 9, 27) << keine;
    QTest::newRow("Kinder fallen weg: erledigte Aufgabe wird gemeldet")
        << true << false << true << QList<qint32>{18} << false << tagVon(2001, 9, 27) << keine;
    QTest::newRow("eigene bleiben: vor dem Umzug")
        << true << true << false << QList<qint32>{} << true << tagVon(2001, 9, 13)
        << QStringList{QStringLiteral("'Umziehen' sollte vor 'Klavier stimmen' erfolgen.")};
    QTest::newRow("Kinder kommen dazu")
        << false << true << true << QList<qint32>{} << false << tagVon(2001, 9, 27) << keine;
}

void TestUmplanung::umplanen()
{
    QFETCH(bool, kinderVorher);
    QFETCH(bool, kinderNachher);
    QFETCH(bool, eigeneVerschieben);
    QFETCH(QList<qint32>, fragen);
    QFETCH(bool, babysitterErledigt);
    QFETCH(double, eigenerTag);
    QFETCH(QStringList, konflikte);
    const Plan p = BearbeiteterPlan(kinderVorher);
    Situation neu = p.situation();
    neu.Kinder = kinderNachher;
    neu.Einzugdatum = QStringLiteral("24.09.2001");
    neu.Auszugdatum = QStringLiteral("28.09.2001");
    neu.PlanID.clear(); // as the start dialog gives it
    const Umplanung u = Umplanen(p.Aufgaben(), p.situation(), neu, tagVon(2001, 9, 24),
                                 tagVon(2001, 9, 28), eigeneVerschieben);
    QVERIFY(!u.keineAbfolge);
    QCOMPARE(u.verschiebung, 14.0);
    QCOMPARE(u.situation.PlanID, QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e"));
    QCOMPARE(u.situation.Kinder, kinderNachher);
    QCOMPARE(u.konflikte, konflikte);

    const taufgabe* umziehen = Suchen(u.aufgaben, 7);
    QVERIFY(umziehen);
    QCOMPARE(umziehen->Tag, tagVon(2001, 9, 26));
    const taufgabe* packen = Suchen(u.aufgaben, 9);
    QVERIFY(packen);
    QCOMPARE(packen->Notiz, QStringList{QStringLiteral("Bücher zuerst")});
    QCOMPARE(packen->Tag, tagVon(2001, 9, 23));
    const taufgabe* bank = Suchen(u.aufgaben, 2);
    QVERIFY(bank);
    QCOMPARE(bank->Start, 30);
    QCOMPARE(bank->Dauer, 4);
    QVERIFY2(!Suchen(u.aufgaben, 51), "a task the user deleted came back");

    const taufgabe* klavier = Suchen(u.aufgaben, 10001);
    QVERIFY(klavier);
    QCOMPARE(klavier->Tag, eigenerTag);
    QCOMPARE(klavier->Notiz, QStringList{QStringLiteral("Herr Weber")});
    QVERIFY(klavier->Erledigt);

    QCOMPARE(Nummern(u.WegfallendeMitInhalt()), fragen);
    const taufgabe* babysitter = Suchen(u.aufgaben, 18);
    QCOMPARE(babysitter != nullptr, kinderNachher);
    if (babysitter)
        QCOMPARE(babysitter->Erledigt, babysitterErledigt);
    for (const taufgabe& weg : u.weggefallen)
        QVERIFY(!Suchen(u.aufgaben, weg.Nummer));
}

QTEST_GUILESS_MAIN(TestUmplanung)
#include "tst_umplanung.moc"
