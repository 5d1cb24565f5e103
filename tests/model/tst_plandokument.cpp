#include "model/plandokument.h"

#include "model/bundesland.h"
#include "model/uhr.h"
#include "support/testdaten.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The plan as a document, driven as the window drives it: unsaved state, undo of the whole
// plan, the file commands.
class TestPlandokument final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void ersterPlanIstUngeaendert();
    void rueckgaengigNachNotizUndZug_data();
    void rueckgaengigNachNotizUndZug();
    void neuBeginnenRueckgaengigBringtSituation();
    void ladenIstUngeaendert();
    void ladenFehlgeschlagenAendertNichts();
    void ladenRueckgaengig();
    void speichernUndFremdGeschrieben();
    void zustandWirdGemeldet();
    void abgleichstand_data();
    void abgleichstand();
    void erledigtSetzen_data();
    void erledigtSetzen();

private:
    QString Pfad(const char* name) const { return m_ordner->filePath(QString::fromLatin1(name)); }
    // Writes a Hamburg plan of March 2027 to `name`.
    QString HamburgerPlan(const char* name) const;
    // A change as the task dialogs make it: undo step, then the task list.
    void NotizAendern(const QString& text)
    {
        m_dok->ZustandSichern();
        m_dok->plan().Aufgaben().front().Notiz = {text};
    }
    void Ziehen(double tage)
    {
        m_dok->ZustandSichern();
        m_dok->plan().Aufgaben().back().Tag += tage;
    }

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<Plandokument> m_dok;
};

void TestPlandokument::init()
{
    Uhr::Festsetzen(QDateTime(QDate(2001, 8, 1), QTime(9, 0)));
    m_ordner = std::make_unique<QTemporaryDir>();
    m_dok = std::make_unique<Plandokument>(Pfad("kistenlotse.ini"));
}

void TestPlandokument::cleanup()
{
    m_dok.reset();
    Uhr::Festsetzen({});
}

QString TestPlandokument::HamburgerPlan(const char* name) const
{
    Plan p;
    p.situation().BundeslandA = Bundesland::Hamburg;
    p.situation().BundeslandB = Bundesland::Hamburg;
    p.situation().Kinder = true;
    p.situation().Einzugdatum = QStringLiteral("01.03.2027");
    p.situation().Auszugdatum = QStringLiteral("10.03.2027");
    p.AbfolgeSuchen(T(2027, 3, 1), T(2027, 3, 10), nullptr);
    const QString pfad = Pfad(name);
    return PlanSchreiben(pfad, p.Aufgaben(), p.situation(), T(2027, 1, 4), 35) ? pfad : QString();
}

void TestPlandokument::ersterPlanIstUngeaendert()
{
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    QCOMPARE(m_dok->plan().Aufgaben().size(), size_t(33));
    QCOMPARE(m_dok->Spanne().ersterTag, T(2001, 8, 13));
    QCOMPARE(m_dok->Spanne().tage, 49);
    QCOMPARE(m_dok->plan().situation().Einzugdatum, QStringLiteral("10.09.2001"));
    QVERIFY(!m_dok->Geaendert());
    QVERIFY(!m_dok->RueckgaengigMoeglich());
    QVERIFY(m_dok->Datei().isEmpty());
}

void TestPlandokument::rueckgaengigNachNotizUndZug_data()
{
    QTest::addColumn<bool>("notiz"); // a note edited before the drag
    QTest::addColumn<bool>("geaendert");
    QTest::newRow("Notiz, Zug, Rückgängig: die Notiz ist ungespeichert") << true << true;
    QTest::newRow("Zug, Rückgängig: wie geladen") << false << false;
}

// Undo takes back the last step only; the unsaved state is measured against the file, never
// against the undo step.
void TestPlandokument::rueckgaengigNachNotizUndZug()
{
    QFETCH(bool, notiz);
    QFETCH(bool, geaendert);
    QVERIFY(m_dok->Laden(HamburgerPlan("hamburg.kvr"), nullptr));
    QVERIFY(!m_dok->Geaendert());
    if (notiz)
        NotizAendern(QStringLiteral("Zählerstand notieren"));
    const Aufgabenliste vorDemZug = m_dok->plan().Aufgaben();
    Ziehen(2);
    QVERIFY(m_dok->Geaendert());
    m_dok->Rueckgaengig();
    QVERIFY(m_dok->plan().Aufgaben() == vorDemZug);
    QCOMPARE(m_dok->Geaendert(), geaendert);
    QVERIFY(!m_dok->RueckgaengigMoeglich());
    if (notiz)
        QCOMPARE(m_dok->plan().Aufgaben().front().Notiz,
                 QStringList{QStringLiteral("Zählerstand notieren")});
}

// "Neu beginnen → Weiter", then undo: tasks, situation and calendar span come back together.
void TestPlandokument::neuBeginnenRueckgaengigBringtSituation()
{
    QVERIFY(m_dok->Laden(HamburgerPlan("hamburg.kvr"), nullptr));
    const Aufgabenliste aufgaben = m_dok->plan().Aufgaben();
    const Situation situation = m_dok->plan().situation();
    const Kalenderspanne spanne = m_dok->Spanne();

    Situation bayern = BerlinerUmzug();
    bayern.BundeslandA = Bundesland::Bayern;
    bayern.BundeslandB = Bundesland::Bayern;
    m_dok->NeuPlanen(bayern, nullptr);
    QCOMPARE(m_dok->plan().situation().BundeslandA, Bundesland::Bayern);
    QVERIFY(m_dok->Geaendert()); // the new plan is in no file
    QVERIFY(m_dok->RueckgaengigMoeglich());

    m_dok->Rueckgaengig();
    QVERIFY(m_dok->plan().Aufgaben() == aufgaben);
    QCOMPARE(m_dok->plan().situation(), situation);
    QCOMPARE(m_dok->plan().situation().BundeslandA, Bundesland::Hamburg);
    QCOMPARE(m_dok->Spanne().ersterTag, spanne.ersterTag);
    QCOMPARE(m_dok->Spanne().tage, spanne.tage);
    QVERIFY(!m_dok->Geaendert());
}

void TestPlandokument::ladenIstUngeaendert()
{
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    NotizAendern(QStringLiteral("vorher"));
    const QString pfad = HamburgerPlan("hamburg.kvr");
    Ladebericht bericht;
    QVERIFY(m_dok->Laden(pfad, &bericht));
    QVERIFY(!m_dok->Geaendert());
    QCOMPARE(m_dok->Datei(), pfad);
    QCOMPARE(m_dok->plan().situation().BundeslandA, Bundesland::Hamburg);
    QVERIFY(m_dok->Spanne().ersterTag > T(2027, 1, 1));
    QVERIFY(bericht.stand.vorhanden);
    QVERIFY(!m_dok->FremdGeschrieben(pfad));
}

void TestPlandokument::ladenFehlgeschlagenAendertNichts()
{
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    const QString gut = HamburgerPlan("gut.kvr");
    QVERIFY(m_dok->Laden(gut, nullptr));
    NotizAendern(QStringLiteral("ungespeichert"));
    const Aufgabenliste aufgaben = m_dok->plan().Aufgaben();
    const Situation situation = m_dok->plan().situation();

    QFile kaputt(Pfad("kaputt.kvr"));
    QVERIFY(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("[allgemein]\r\nBundeslandA=2\r\n[7]\r\nTag=01.01.2027\r\n");
    kaputt.close();
    Ladebericht bericht;
    QVERIFY(!m_dok->Laden(kaputt.fileName(), &bericht));
    QCOMPARE(
        bericht.grund,
        QStringLiteral("Der Aufgabe 7 im letzten Abschnitt der Datei fehlt die Kurzbezeichnung."));
    QVERIFY(m_dok->plan().Aufgaben() == aufgaben);
    QCOMPARE(m_dok->plan().situation(), situation);
    QCOMPARE(m_dok->Datei(), gut);
    QVERIFY(m_dok->Geaendert());
    // The undo step is still the note's.
    m_dok->Rueckgaengig();
    QVERIFY(!m_dok->Geaendert());
}

// Undo after "Laden" shows the plan from before, which the loaded file does not hold.
void TestPlandokument::ladenRueckgaengig()
{
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    const Aufgabenliste berlin = m_dok->plan().Aufgaben();
    QVERIFY(m_dok->Laden(HamburgerPlan("hamburg.kvr"), nullptr));
    m_dok->Rueckgaengig();
    QVERIFY(m_dok->plan().Aufgaben() == berlin);
    QCOMPARE(m_dok->plan().situation().BundeslandA, Bundesland::Berlin);
    QCOMPARE(m_dok->Spanne().ersterTag, T(2001, 8, 13));
    QVERIFY(m_dok->Geaendert());
}

void TestPlandokument::speichernUndFremdGeschrieben()
{
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    NotizAendern(QStringLiteral("Klingelschild"));
    const QString pfad = Pfad("berlin.kvr");
    QString fehler;
    QString einstellungsFehler;
    QVERIFY(m_dok->Speichern(pfad, &fehler, &einstellungsFehler));
    QVERIFY(fehler.isEmpty() && einstellungsFehler.isEmpty());
    QVERIFY(!m_dok->Geaendert());
    QVERIFY(!m_dok->RueckgaengigMoeglich());
    QCOMPARE(m_dok->Datei(), pfad);
    QCOMPARE(EinstellungenLesen(m_dok->Einstellungsdatei()).zuletztGespeichert, pfad);
    // What was written is the plan with its calendar span.
    Aufgabenliste gelesen;
    Situation situation;
    QVERIFY(PlanLaden(pfad, gelesen, situation));
    QCOMPARE(gelesen.front().Notiz, QStringList{QStringLiteral("Klingelschild")});
    QVERIFY(!m_dok->FremdGeschrieben(pfad));
    QVERIFY(!m_dok->FremdGeschrieben(Pfad("anderer.kvr")));

    // A second writer: noticed for this file only.
    QVERIFY(PlanSchreiben(pfad, {}, situation, 0, 35));
    QVERIFY(m_dok->FremdGeschrieben(pfad));
    QVERIFY(QFile::copy(pfad, Pfad("kopie.kvr")));
    QVERIFY(!m_dok->FremdGeschrieben(Pfad("kopie.kvr")));

    // A failed save changes nothing.
    NotizAendern(QStringLiteral("danach"));
    QVERIFY(!m_dok->Speichern(Pfad("fehlt/berlin.kvr"), &fehler, &einstellungsFehler));
    QVERIFY(!fehler.isEmpty());
    QVERIFY(m_dok->Geaendert());
    QCOMPARE(m_dok->Datei(), pfad);
}

void TestPlandokument::zustandWirdGemeldet()
{
    QSignalSpy spy(m_dok.get(), &Plandokument::ZustandGewechselt);
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    QCOMPARE(spy.count(), 0); // the first plan changes nothing the window shows
    NotizAendern(QStringLiteral("eins"));
    QCOMPARE(spy.count(), 1);
    m_dok->Rueckgaengig();
    QCOMPARE(spy.count(), 2);
    m_dok->Rueckgaengig(); // nothing left to undo
    QCOMPARE(spy.count(), 2);
}

// The calendar sync belongs to the plan's file and identity, not to the undo of a change: the
// server keeps what a round sent, so after an undo the next round must send the plan as it is.
void TestPlandokument::abgleichstand_data()
{
    QTest::addColumn<QString>("danach"); // what happens after a round set the state
    QTest::addColumn<bool>("behalten");  // the state is still the round's
    QTest::addColumn<bool>("geaendert"); // the plan counts as unsaved

    QTest::newRow("nur der Abgleich") << QString() << true << true;
    QTest::newRow("gespeichert und geladen") << QStringLiteral("laden") << true << false;
    QTest::newRow("Rückgängig nach einem Zug") << QStringLiteral("zug") << true << false;
    QTest::newRow("neuer Plan") << QStringLiteral("neu") << false << true;
    QTest::newRow("neuer Plan rückgängig") << QStringLiteral("neu zurück") << true << true;
}

void TestPlandokument::abgleichstand()
{
    QFETCH(QString, danach);
    QFETCH(bool, behalten);
    QFETCH(bool, geaendert);
    QVERIFY(m_dok->Laden(HamburgerPlan("hamburg.kvr"), nullptr));
    const QString id = m_dok->plan().PlanIdSicherstellen();
    QVERIFY(m_dok->Speichern(Pfad("hamburg.kvr"), nullptr, nullptr));
    CalDavStand stand;
    stand.KalenderUrl = QStringLiteral("https://dav.example.org/cal/");
    stand.SyncToken = QStringLiteral("t1");
    stand.Eintraege[m_dok->plan().Aufgaben().front().Nummer] = {QStringLiteral("\"e\""), "h"};

    m_dok->AbgleichSetzen(CalDavStand(m_dok->plan().Abgleich()));
    QVERIFY(!m_dok->Geaendert()); // the same state changes nothing
    m_dok->AbgleichSetzen(stand);
    QVERIFY(m_dok->Geaendert());
    QVERIFY(!m_dok->RueckgaengigMoeglich());

    if (danach == QStringLiteral("laden")) {
        QVERIFY(m_dok->Speichern(Pfad("hamburg.kvr"), nullptr, nullptr));
        m_dok->AbgleichSetzen({});
        QVERIFY(m_dok->Laden(Pfad("hamburg.kvr"), nullptr));
    } else if (danach == QStringLiteral("zug")) {
        QVERIFY(m_dok->Speichern(Pfad("hamburg.kvr"), nullptr, nullptr));
        Ziehen(1);
        m_dok->Rueckgaengig();
    } else if (danach.startsWith(QStringLiteral("neu"))) {
        m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
        QVERIFY(m_dok->plan().situation().PlanID != id);
        if (danach.endsWith(QStringLiteral("zurück")))
            m_dok->Rueckgaengig();
    }
    QCOMPARE(m_dok->plan().Abgleich() == stand, behalten);
    QVERIFY(behalten || m_dok->plan().Abgleich().Leer());
    QCOMPARE(m_dok->Geaendert(), geaendert);
}

void TestPlandokument::erledigtSetzen_data()
{
    QTest::addColumn<bool>("vorher");     // the task's state before
    QTest::addColumn<int>("art");         // 0 ErledigtSetzen(true), 1 (false), 2 ErledigtUmschalten
    QTest::addColumn<qint32>("nummer");   // 0: the task's own
    QTest::addColumn<bool>("veraendert"); // what the call returns
    QTest::newRow("abhaken") << false << 0 << 0 << true;
    QTest::newRow("wieder öffnen") << true << 1 << 0 << true;
    QTest::newRow("schon erledigt") << true << 0 << 0 << false;
    QTest::newRow("umschalten") << true << 2 << 0 << true;
    QTest::newRow("unbekannte Aufgabe") << false << 2 << 4711 << false;
}

// Ticking off is a change like any other: unsaved, one undo step; no change makes no step.
void TestPlandokument::erledigtSetzen()
{
    QFETCH(bool, vorher);
    QFETCH(int, art);
    QFETCH(qint32, nummer);
    QFETCH(bool, veraendert);
    QVERIFY(m_dok->Laden(HamburgerPlan("hamburg.kvr"), nullptr));
    m_dok->plan().Aufgaben()[3].Erledigt = vorher;
    const Aufgabenliste davor = m_dok->plan().Aufgaben();
    Aufgabenliste erwartet = davor;
    if (veraendert)
        erwartet[3].Erledigt = !vorher;
    const qint32 n = nummer ? nummer : davor[3].Nummer;
    QCOMPARE(art == 2 ? m_dok->ErledigtUmschalten(n) : m_dok->ErledigtSetzen(n, art == 0),
             veraendert);
    QVERIFY(m_dok->plan().Aufgaben() == erwartet);
    QCOMPARE(m_dok->Geaendert(), veraendert);
    QCOMPARE(m_dok->RueckgaengigMoeglich(), veraendert);
    m_dok->Rueckgaengig();
    QVERIFY(m_dok->plan().Aufgaben() == davor);
    QVERIFY(!m_dok->Geaendert());
}

QTEST_GUILESS_MAIN(TestPlandokument)
#include "tst_plandokument.moc"
