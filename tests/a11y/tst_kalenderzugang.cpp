#include "app/ansage.h"
#include "app/kalenderfeld.h"
#include "app/tagzugang.h"
#include "app/tday.h"
#include "app/ziehzustand.h"
#include "model/katalog.h"
#include "model/plan.h"
#include "model/uhr.h"
#include "support/testdaten.h"
#include "widgets/planfenster.h"
#include "widgets/zellengeometrie.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// The calendar around the cells, as far as they ask it.
class Kalender final : public Kalenderfeld
{
public:
    double ErsterTag() const override { return 0; }
    double HeutigerTag() const override { return 0; }
    const Ziehzustand& gezogeneAufgabe() const override { return m_zug; }
    void ZiehzustandSetzen(Ziehzustand zustand) override { m_zug = zustand; }
    void StatusAnzeigen(const QString&) override {}
    void ZellenFreigabe(tday*, QPoint) override {}
    void ZiehenBei(tday*, QPoint) override {}
    bool ZellenTaste(tday*, QKeyEvent*) override { return false; }
    void ZellenBefehl(tday*, const Kalendertastatur::Ziel&) override {}
    void ZelleHatFokus(tday*) override {}

private:
    Ziehzustand m_zug;
};

// The window around the calendar, with the plan whose tasks the cells show.
class Kalenderfenster final : public QWidget, public PlanFenster
{
public:
    Plan& plan() override { return m_plan; }
    bool AufgabeVerschieben(qint32, qint32, double) override { return false; }
    void ZustandSichern() override {}
    void KalenderNeuAufbauen() override {}
    void KalenderAktualisieren() override {}
    double ErsterTag() const override { return 0; }
    double LetzterTag() const override { return 0; }
    std::vector<const TagDaten*> TagDatenListe() const override { return {}; }
    QWidget* Fenster() override { return this; }

private:
    Plan m_plan;
};

} // namespace

// What screen readers learn of the calendar's weeks, days and tasks.
class TestKalenderZugang final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void tabelle();
    void beschreibung_data();
    void beschreibung();
    void aufgabenAlsListe();
    void fokusAufDerAufgabe();
    void aufgabenstand_data();
    void aufgabenstand();
    void ansagen_data();
    void ansagen();
    void statuszeile();

private:
    // Two weeks from Monday, 1 March 2027, in a window.
    void Anlegen();
    tday* Zelle(double tag) const { return m_zellen.at(static_cast<size_t>(tag - T(2027, 3, 1))); }
    QAccessibleInterface* Tabelle() const
    {
        return QAccessible::queryAccessibleInterface(m_inhalt);
    }

    Kalender m_kalender;
    std::unique_ptr<Kalenderfenster> m_fenster;
    QWidget* m_inhalt = nullptr;
    std::vector<tday*> m_zellen;
};

void TestKalenderZugang::init()
{
    TagZugangEinrichten();
    Uhr::Festsetzen(QDateTime(QDate(2027, 3, 3), QTime(9, 0)));
    Anlegen();
}

void TestKalenderZugang::cleanup()
{
    m_zellen.clear();
    m_fenster.reset();
    Uhr::Festsetzen(QDateTime());
}

void TestKalenderZugang::Anlegen()
{
    m_fenster = std::make_unique<Kalenderfenster>();
    m_inhalt = new QWidget(m_fenster.get());
    m_inhalt->setObjectName(QString::fromLatin1(KalenderinhaltName));
    // Made in another order than the dates: the table orders by date.
    for (int i = 13; i >= 0; --i) {
        auto* zelle = new tday(&m_kalender, T(2027, 3, 1) + i, m_inhalt);
        zelle->setGeometry(20 + (i % 7) * 100, (i / 7) * Zellengeometrie::Zellenhoehe, 100,
                           Zellengeometrie::Zellenhoehe);
        m_zellen.insert(m_zellen.begin(), zelle);
    }
    m_inhalt->resize(720, 2 * Zellengeometrie::Zellenhoehe);
    m_fenster->resize(720, 2 * Zellengeometrie::Zellenhoehe);
}

void TestKalenderZugang::tabelle()
{
    QAccessibleInterface* tabelle = Tabelle();
    QVERIFY(tabelle);
    QCOMPARE(tabelle->role(), QAccessible::Table);
    QCOMPARE(tabelle->text(QAccessible::Name), QStringLiteral("Umzugskalender"));
    QAccessibleTableInterface* t = tabelle->tableInterface();
    QVERIFY(t);
    QCOMPARE(t->rowCount(), 2);
    QCOMPARE(t->columnCount(), 7);
    QCOMPARE(t->rowDescription(0), QStringLiteral("Kalenderwoche 9"));
    QCOMPARE(t->rowDescription(1), QStringLiteral("Kalenderwoche 10"));
    QCOMPARE(t->columnDescription(6), QStringLiteral("Sonntag"));

    QAccessibleInterface* mittwoch = t->cellAt(1, 2);
    QVERIFY(mittwoch);
    QCOMPARE(mittwoch->text(QAccessible::Name), QStringLiteral("Mittwoch, 10. März 2027"));
    QCOMPARE(mittwoch->role(), QAccessible::Cell);
    QAccessibleTableCellInterface* zelle = mittwoch->tableCellInterface();
    QVERIFY(zelle);
    QCOMPARE(zelle->rowIndex(), 1);
    QCOMPARE(zelle->columnIndex(), 2);
    QCOMPARE(zelle->table(), tabelle);
    const QList<QAccessibleInterface*> koepfe = zelle->rowHeaderCells();
    QCOMPARE(koepfe.size(), 1);
    QCOMPARE(koepfe.first()->role(), QAccessible::RowHeader);
    QCOMPARE(koepfe.first()->text(QAccessible::Name), QStringLiteral("Kalenderwoche 10"));
    QCOMPARE(t->cellAt(2, 0), nullptr);
    QCOMPARE(t->cellAt(0, 7), nullptr);

    // Row by row, each a head and seven days; the tree runs both ways.
    QCOMPARE(tabelle->childCount(), 16);
    QCOMPARE(tabelle->child(8), koepfe.first());
    QCOMPARE(tabelle->child(11), mittwoch);
    QCOMPARE(tabelle->indexOfChild(mittwoch), 11);
    QCOMPARE(tabelle->indexOfChild(koepfe.first()), 8);
    QCOMPARE(mittwoch->parent(), tabelle);
    QCOMPARE(koepfe.first()->parent(), tabelle);

    // A calendar of other weeks: the same objects read the new days.
    delete m_zellen.back();
    m_zellen.pop_back();
    QCOMPARE(t->rowCount(), 1);
    QCOMPARE(tabelle->childCount(), 8);
}

void TestKalenderZugang::beschreibung_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<QList<qint32>>("aufgaben");
    QTest::addColumn<bool>("feiertag");
    QTest::addColumn<QString>("text");
    QTest::newRow("a day") << T(2027, 3, 2) << QList<qint32>{} << false
                           << QStringLiteral("Keine Aufgabe");
    QTest::newRow("today") << T(2027, 3, 3) << QList<qint32>{13, 27} << false
                           << QStringLiteral("heute, 2 Aufgaben, Eingabetaste: neue Aufgabe");
    QTest::newRow("moving day on a holiday")
        << T(2027, 3, 8) << QList<qint32>{Umzugsaufgabe} << true
        << QStringLiteral("Umzugstag, Feiertag, 1 Aufgabe, Eingabetaste: neue Aufgabe");
    QTest::newRow("moving today")
        << T(2027, 3, 3) << QList<qint32>{27, Umzugsaufgabe} << false
        << QStringLiteral("heute, Umzugstag, 2 Aufgaben, Eingabetaste: neue Aufgabe");
}

void TestKalenderZugang::beschreibung()
{
    QFETCH(double, tag);
    QFETCH(QList<qint32>, aufgaben);
    QFETCH(bool, feiertag);
    QFETCH(QString, text);
    tday* zelle = Zelle(tag);
    for (qint32 nummer : aufgaben)
        zelle->daten.TerminHinzufuegen(nummer, 17, {}, QStringLiteral("Aufgabe"), 2);
    zelle->daten.Feiertag = feiertag;
    QCOMPARE(QAccessible::queryAccessibleInterface(zelle)->text(QAccessible::Description), text);
}

void TestKalenderZugang::aufgabenAlsListe()
{
    tday* zelle = Zelle(T(2027, 3, 9));
    QAccessibleInterface* tag = QAccessible::queryAccessibleInterface(zelle);
    QCOMPARE(tag->childCount(), 0); // a day without tasks has no list
    // Added later in the day first: the list follows the clock.
    zelle->daten.TerminHinzufuegen(2, 21, {QStringLiteral("Ablesen")},
                                   QStringLiteral("Zählerstand notieren"), 2);
    zelle->daten.TerminHinzufuegen(1, 17, {}, QStringLiteral("Kartons packen"), 4);
    QCOMPARE(tag->childCount(), 1);
    QAccessibleInterface* liste = tag->child(0);
    QCOMPARE(liste->role(), QAccessible::List);
    QCOMPARE(liste->text(QAccessible::Name), QString()); // a reader says the cell's date
    QCOMPARE(liste->parent(), tag);
    QCOMPARE(tag->indexOfChild(liste), 0);
    QCOMPARE(liste->childCount(), 2);
    QCOMPARE(liste->child(0)->text(QAccessible::Name),
             QStringLiteral("Dienstag, 9. März 2027: Kartons packen, 08:00, 2,5 Stunden"));
    QCOMPARE(liste->child(1)->text(QAccessible::Name),
             QStringLiteral("Dienstag, 9. März 2027: Zählerstand notieren, 10:00, 1,5 Stunden"));
    QCOMPARE(liste->child(1)->text(QAccessible::Description), QStringLiteral("Ablesen"));
    QCOMPARE(liste->child(1)->role(), QAccessible::ListItem);
    QCOMPARE(liste->child(1)->parent(), liste);
    QCOMPARE(liste->indexOfChild(liste->child(1)), 1);
    QCOMPARE(AufgabeZugang(zelle, 1), liste->child(1));
    QCOMPARE(AufgabeZugang(zelle, 2), nullptr);
    QCOMPARE(AufgabeZugang(zelle, -1), nullptr);

    // Emptied by a refresh: no list, and the items held by a reader report themselves gone.
    QAccessibleInterface* alt = liste->child(1);
    zelle->daten.TermineLeeren();
    QCOMPARE(tag->childCount(), 0);
    QVERIFY(!alt->isValid());
    QCOMPARE(alt->text(QAccessible::Name), QString());
}

void TestKalenderZugang::fokusAufDerAufgabe()
{
    tday* zelle = Zelle(T(2027, 3, 4));
    zelle->daten.TerminHinzufuegen(1, 17, {}, QStringLiteral("Kartons packen"), 4);
    zelle->setFocusPolicy(Qt::StrongFocus);
    m_fenster->show();
    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
    zelle->setFocus();
    QAccessibleInterface* tag = QAccessible::queryAccessibleInterface(zelle);
    QAccessibleInterface* aufgabe = AufgabeZugang(zelle, 0);
    // The day holds the focus ...
    QVERIFY(tag->state().focused);
    QVERIFY(!aufgabe->state().focused);
    QCOMPARE(tag->focusChild(), nullptr);
    // ... until a task is current: then only the task, which a reader finds from the table.
    zelle->FokusSetzen(0);
    QVERIFY(!tag->state().focused);
    QVERIFY(aufgabe->state().focused);
    QCOMPARE(tag->focusChild(), aufgabe);
    QCOMPARE(tag->child(0)->focusChild(), aufgabe);
    QVERIFY(Tabelle()->tableInterface()->selectedCells().contains(tag));
}

void TestKalenderZugang::aufgabenstand_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<bool>("erledigt");
    QTest::addColumn<QString>("name");
    // Today is Wednesday, 3 March 2027, 9:00.
    QTest::newRow("yesterday, open") << T(2027, 3, 2) << false
                                     << QStringLiteral("Dienstag, 2. März 2027: Kartons packen, "
                                                       "08:00, 2,5 Stunden, überfällig");
    QTest::newRow("yesterday, done") << T(2027, 3, 2) << true
                                     << QStringLiteral("Dienstag, 2. März 2027: Kartons packen, "
                                                       "08:00, 2,5 Stunden, erledigt");
    QTest::newRow("today, its hour past") << T(2027, 3, 3) << false
                                          << QStringLiteral("Mittwoch, 3. März 2027: Kartons "
                                                            "packen, 08:00, 2,5 Stunden");
    QTest::newRow("tomorrow, done early")
        << T(2027, 3, 4) << true
        << QStringLiteral("Donnerstag, 4. März 2027: Kartons packen, 08:00, 2,5 Stunden, erledigt");
    QTest::newRow("tomorrow, open")
        << T(2027, 3, 4) << false
        << QStringLiteral("Donnerstag, 4. März 2027: Kartons packen, 08:00, 2,5 Stunden");
}

void TestKalenderZugang::aufgabenstand()
{
    QFETCH(double, tag);
    QFETCH(bool, erledigt);
    QFETCH(QString, name);
    taufgabe aufgabe;
    aufgabe.Nummer = 10001;
    aufgabe.Kurzbezeichnung = QStringLiteral("Kartons packen");
    aufgabe.Tag = tag;
    aufgabe.Start = 17;
    aufgabe.Dauer = 4;
    aufgabe.Erledigt = erledigt;
    m_fenster->plan().Aufgaben.push_back(aufgabe);
    tday* zelle = Zelle(tag);
    zelle->daten.TerminHinzufuegen(10001, 17, {}, QStringLiteral("Kartons packen"), 4);
    QCOMPARE(AufgabeZugang(zelle, 0)->text(QAccessible::Name), name);
    // Ticked off later: the same interface says so.
    m_fenster->plan().Aufgaben.back().Erledigt = true;
    QVERIFY(AufgabeZugang(zelle, 0)->text(QAccessible::Name).endsWith(u", erledigt"));
}

void TestKalenderZugang::ansagen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("moved") << Ansage::Verschoben(QStringLiteral("Kartons packen"), T(2027, 3, 10),
                                                 0)
                           << QStringLiteral("„Kartons packen“ liegt jetzt am Mittwoch, 10. März "
                                             "2027.");
    QTest::newRow("one moved along")
        << Ansage::Verschoben(QStringLiteral("Umziehen"), T(2027, 3, 1), 1)
        << QStringLiteral("„Umziehen“ liegt jetzt am Montag, 1. März 2027. 1 abhängige Aufgabe "
                          "wurde mitverschoben.");
    QTest::newRow("three moved along")
        << Ansage::Verschoben(QStringLiteral("Umziehen"), T(2027, 3, 1), 3)
        << QStringLiteral("„Umziehen“ liegt jetzt am Montag, 1. März 2027. 3 abhängige Aufgaben "
                          "wurden mitverschoben.");
    QTest::newRow("undo") << Ansage::Zurueckgenommen()
                          << QStringLiteral("Die letzte Änderung wurde zurückgenommen.");
    QTest::newRow("saved") << Ansage::Gespeichert(QStringLiteral("/home/anna/Umzug 2027.kvr"))
                           << QStringLiteral("Der Plan wurde in „Umzug 2027.kvr“ gespeichert.");
    QTest::newRow("new task") << Ansage::NeueAufgabe(T(2027, 3, 9))
                              << QStringLiteral("Neue Aufgabe am Dienstag, 9. März 2027");
}

void TestKalenderZugang::ansagen()
{
    QFETCH(QString, text);
    QFETCH(QString, erwartet);
    QCOMPARE(text, erwartet);
}

void TestKalenderZugang::statuszeile()
{
    auto* zeile = new QLabel(m_fenster.get());
    zeile->setObjectName(QString::fromLatin1(StatuszeileName));
    zeile->setText(QStringLiteral("   ") + Ansage::Zurueckgenommen());
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(zeile);
    QCOMPARE(zugang->role(), QAccessible::StatusBar);
    QCOMPARE(zugang->text(QAccessible::Name),
             QStringLiteral("Die letzte Änderung wurde zurückgenommen."));
    // Another label is what it was.
    auto* andere = new QLabel(QStringLiteral("KW"), m_fenster.get());
    QCOMPARE(QAccessible::queryAccessibleInterface(andere)->role(), QAccessible::StaticText);
}

QTEST_MAIN(TestKalenderZugang)
#include "tst_kalenderzugang.moc"
