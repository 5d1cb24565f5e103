#include "app/plandateibefehle.h"
#include "kalenderexport/kalenderziel.h"
#include "model/plandokument.h"
#include "model/uhr.h"
#include "support/icslesen.h"
#include "support/modalhelfer.h"
#include "support/testdaten.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

// Takes the appointments as a calendar program would and answers at once.
class Sammelziel final : public Kalenderziel
{
public:
    void Oeffnen() override { m_kalender.emplace(QByteArrayLiteral("Europe/Berlin")); }
    void TerminEintragen(const Kalendertermin& termin) override
    {
        m_kalender->TerminHinzufuegen(termin);
    }
    void Schliessen(std::function<void(const Uebergabeergebnis&)> fertig) override
    {
        if (m_kalender)
            exporte << IcsLesen::Lesen(m_kalender->Text());
        m_kalender.reset();
        QTimer::singleShot(0, [fertig = std::move(fertig)] {
            fertig({Uebergabeergebnis::Art::Uebergeben, {}, {}});
        });
    }

    QList<IcsLesen::Kalender> exporte;

private:
    std::optional<TIcsKalender> m_kalender;
};

QByteArray Inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The calendar export as the main window runs it: the plan's ID made once and kept across
// exports, saves and undo, and the reminder offered as last chosen and kept in the settings.
class TestExportbefehl final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void erinnerungGemerkt_data();
    void erinnerungGemerkt();
    void abbrechenAendertNichts();
    void planIdEinmal_data();
    void planIdEinmal();

private:
    QString Pfad(const char* name) const { return m_ordner->filePath(QString::fromLatin1(name)); }
    // Answers the export's question with `antwort`, choosing reminder `wahl` (-1: as offered)
    // and noting what was offered; "OK" also answers the success message.
    bool Exportieren(const QString& antwort, int wahl = -1);

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<Plandokument> m_dok;
    std::unique_ptr<QWidget> m_fenster;
    std::unique_ptr<Plandateibefehle> m_befehle;
    Sammelziel m_ziel;
    int m_angeboten = -1;
};

void TestExportbefehl::init()
{
    Uhr::Festsetzen(QDateTime(QDate(2001, 8, 1), QTime(9, 0)));
    m_ordner = std::make_unique<QTemporaryDir>();
    // The record of the revisions lies where the desktop target keeps its files.
    const QString daten = Pfad("daten");
    QVERIFY(QDir().mkpath(daten + QStringLiteral("/Kistenlotse")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(daten));
    QCoreApplication::setApplicationName(QStringLiteral("Kistenlotse"));
    m_dok = std::make_unique<Plandokument>(Pfad("kistenlotse.ini"));
    m_fenster = std::make_unique<QWidget>();
    m_befehle = std::make_unique<Plandateibefehle>(*m_dok, m_fenster.get());
    m_dok->NeuPlanen(BerlinerUmzug(), nullptr);
    m_ziel.exporte.clear();
    m_angeboten = -1;
}

void TestExportbefehl::cleanup()
{
    m_befehle.reset();
    m_fenster.reset();
    m_dok.reset();
    Uhr::Festsetzen({});
}

bool TestExportbefehl::Exportieren(const QString& antwort, int wahl)
{
    ModalHelfer helfer;
    helfer.Druecke(
        antwort,
        [this, wahl](QWidget* w) {
            auto* box = w->findChild<QComboBox*>(QStringLiteral("erinnerung"));
            m_angeboten = box ? box->currentIndex() : -2;
            if (box && wahl >= 0)
                box->setCurrentIndex(wahl);
        },
        QStringLiteral("meldung"));
    if (antwort == QStringLiteral("OK"))
        helfer.Druecke(QStringLiteral("OK"), {}, QStringLiteral("meldung"));
    const bool versucht = m_befehle->Exportieren(nullptr, m_ziel);
    return helfer.Abwarten() && versucht;
}

void TestExportbefehl::erinnerungGemerkt_data()
{
    QTest::addColumn<QByteArray>("vorher"); // the settings file; empty: none
    QTest::addColumn<int>("angeboten");
    QTest::addColumn<int>("wahl"); // -1: left as offered
    QTest::addColumn<QByteArray>("nachher");
    QTest::addColumn<int>("vorlauf"); // of the appointment at 08:00; -1: no reminder

    const QByteArray andere = QByteArrayLiteral("[files]\r\nlastsaved=C:\\Umz\xfcge\\plan.kvr\r\n");
    QTest::newRow("first export, left at none: nothing written")
        << QByteArray() << 0 << -1 << QByteArray() << -1;
    QTest::newRow("first export, the day before: the key is added to other settings")
        << andere << 0 << 1 << andere + "\r\n[kalender]\r\nErinnerung=1\r\n\r\n"
        << 14 * 60;
    QTest::newRow("kept an hour before, offered and left")
        << QByteArray("[kalender]\r\nErinnerung=2\r\n") << 2 << -1
        << QByteArray("[kalender]\r\nErinnerung=2\r\n") << 60;
    QTest::newRow("value of a later version offers none")
        << QByteArray("[kalender]\r\nErinnerung=7\r\n") << 0 << 2
        << QByteArray("[kalender]\r\nErinnerung=2\r\n\r\n") << 60;
}

void TestExportbefehl::erinnerungGemerkt()
{
    QFETCH(QByteArray, vorher);
    QFETCH(int, angeboten);
    QFETCH(int, wahl);
    QFETCH(QByteArray, nachher);
    QFETCH(int, vorlauf);
    const QString einstellungen = Pfad("kistenlotse.ini");
    QFile datei(einstellungen);
    QVERIFY(vorher.isEmpty() || (datei.open(QIODevice::WriteOnly) && datei.write(vorher) > 0));
    datei.close();

    QVERIFY(Exportieren(QStringLiteral("OK"), wahl));
    QCOMPARE(m_angeboten, angeboten);
    QCOMPARE(QFile::exists(einstellungen), !nachher.isEmpty());
    QCOMPARE(Inhalt(einstellungen), nachher);

    QCOMPARE(m_ziel.exporte.size(), 1);
    const QList<IcsLesen::Ereignis>& termine = m_ziel.exporte[0].ereignisse;
    QCOMPARE(termine.size(), 33);
    for (const IcsLesen::Ereignis& t : termine) {
        QCOMPARE(t.alarme.size(), vorlauf < 0 ? 0 : 1);
        if (vorlauf < 0 || t.start.zeit != QTime(8, 0))
            continue;
        QCOMPARE(t.alarme[0].aktion, QStringLiteral("DISPLAY"));
        QCOMPARE(t.alarme[0].text, t.summary);
        QCOMPARE(t.alarme[0].vorlaufMinuten, vorlauf);
    }
}

void TestExportbefehl::abbrechenAendertNichts()
{
    QVERIFY(!Exportieren(QStringLiteral("Abbrechen"), 2));
    QVERIFY(m_dok->plan().situation.PlanID.isEmpty());
    QVERIFY(!m_dok->Geaendert());
    QVERIFY(!QFile::exists(Pfad("kistenlotse.ini")));
    QVERIFY(m_ziel.exporte.isEmpty());
    // Nor does a save that fails (a folder cannot take the plan).
    QString fehler;
    QVERIFY(!m_dok->Speichern(m_ordner->path(), &fehler, &fehler));
    QVERIFY(m_dok->plan().situation.PlanID.isEmpty());
    QVERIFY(!m_dok->Geaendert());
}

void TestExportbefehl::planIdEinmal_data()
{
    QTest::addColumn<bool>("zuerstGespeichert");
    QTest::newRow("exported, then saved") << false;
    QTest::newRow("saved, then exported") << true;
}

void TestExportbefehl::planIdEinmal()
{
    QFETCH(bool, zuerstGespeichert);
    const QString plandatei = Pfad("umzug.kvr");
    QString fehler;
    QString einstellungsFehler;
    if (zuerstGespeichert) {
        QVERIFY(m_dok->Speichern(plandatei, &fehler, &einstellungsFehler));
        QVERIFY(!m_dok->plan().situation.PlanID.isEmpty());
    }
    m_dok->ZustandSichern(); // a change begun before the export
    QVERIFY(Exportieren(QStringLiteral("OK")));
    const QString id = m_dok->plan().situation.PlanID;
    QVERIFY(!id.isEmpty());
    // Undo takes back the change, not the ID the appointments carry; an ID the file lacks is
    // a change to save, one the file has, none.
    m_dok->Rueckgaengig();
    QCOMPARE(m_dok->plan().situation.PlanID, id);
    QCOMPARE(m_dok->Geaendert(), !zuerstGespeichert);

    // A task moved two days: the next export an hour later updates its appointment only.
    Uhr::Festsetzen(QDateTime(QDate(2001, 8, 1), QTime(10, 0)));
    m_dok->ZustandSichern();
    taufgabe& verschoben = m_dok->plan().Aufgaben.at(5);
    verschoben.Tag += 2;
    QVERIFY(Exportieren(QStringLiteral("OK")));
    QCOMPARE(m_dok->plan().situation.PlanID, id);
    QVERIFY(m_dok->Speichern(plandatei, &fehler, &einstellungsFehler));
    QVERIFY(!m_dok->Geaendert());
    QVERIFY(Inhalt(plandatei).contains(QByteArray("\r\nPlanID=" + id.toLatin1() + "\r\n")));

    // The saved plan, loaded again, exports the same appointments.
    Plandokument geladen(Pfad("kistenlotse.ini"));
    Ladebericht bericht;
    QVERIFY(geladen.Laden(plandatei, &bericht));
    QCOMPARE(geladen.ExportPlanId(), id);

    QCOMPARE(m_ziel.exporte.size(), 2);
    const auto& erst = m_ziel.exporte[0].ereignisse;
    const auto& dann = m_ziel.exporte[1].ereignisse;
    QCOMPARE(erst.size(), 33);
    QCOMPARE(dann.size(), 33);
    for (qsizetype i = 0; i < erst.size(); ++i) {
        const qint32 nummer = m_dok->plan().Aufgaben.at(size_t(i)).Nummer;
        QCOMPARE(erst[i].uid, QStringLiteral("kistenlotse-%1-%2@kistenlotse").arg(id).arg(nummer));
        QCOMPARE(dann[i].uid, erst[i].uid);
        // Only the moved task gets a new revision.
        QCOMPARE(dann[i].sequenz > erst[i].sequenz, i == 5);
    }
}

QTEST_MAIN(TestExportbefehl)
#include "tst_exportbefehl.moc"
