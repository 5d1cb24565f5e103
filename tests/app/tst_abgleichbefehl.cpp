// "Abgleichen" in the main window against a real server (scripts/test.d/caldav starts
// Radicale; without it the rounds are skipped): the questions of a round, the order check as
// for a drag, one undo step, the sync state kept in the document, the login remembered.

#include "app/abgleichbefehl.h"
#include "app/fensterdialoge.h"
#include "kalenderexport/terminuid.h"
#include "model/abgleicheinstellungen.h"
#include "model/plandokument.h"
#include "support/modalhelfer.h"
#include "support/testdaten.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

QString Umgebung(const char* name)
{
    return qEnvironmentVariable(name);
}

QString Telefon(const QString& kalender, const QStringList& befehl)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{Umgebung("KL_CALDAV_TELEFON"), kalender, Umgebung("KL_CALDAV_BENUTZER"),
                        Umgebung("KL_CALDAV_PASSWORT")} +
                befehl);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning("%s", p.readAllStandardError().constData());
        return QStringLiteral("FEHLER");
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

template <typename T> T* Teil(QWidget* w, const char* name)
{
    T* t = w->findChild<T*>(QString::fromLatin1(name));
    if (!t)
        qFatal("kein %s", name);
    return t;
}

void Eintippen(QWidget* w, const char* feld, const QString& text)
{
    QLineEdit* e = Teil<QLineEdit>(w, feld);
    e->clear();
    QTest::keyClicks(e, text);
}

void RundeAbwarten(QWidget* d)
{
    QLabel* status = Teil<QLabel>(d, "status");
    QPushButton* schliessen = Teil<QPushButton>(d, "schliessen");
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     return schliessen->isEnabled() &&
                            !status->text().startsWith(QLatin1String("Abgleich läuft"));
                 },
                 30000),
             qPrintable(status->text()));
}

const taufgabe& Aufgabe(const Plandokument& d, qint32 nummer)
{
    for (const taufgabe& a : d.plan().Aufgaben())
        if (a.Nummer == nummer)
            return a;
    qFatal("keine Aufgabe %d", nummer);
}

} // namespace

class TestAbgleichbefehl final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kistenlotse-bus");
        m_ordner = std::make_unique<QTemporaryDir>();
        m_einstellungen = m_ordner->filePath(QStringLiteral("kistenlotse.ini"));
    }

    void zweiRundenMitTelefon()
    {
        if (Umgebung("KL_CALDAV_URL").isEmpty())
            QSKIP("Kein CalDAV-Server (scripts/test.d/caldav startet ihn).");
        const QString kalender = Umgebung("KL_CALDAV_URL") + Umgebung("KL_CALDAV_BENUTZER") +
                                 QStringLiteral("/fenster-") +
                                 QUuid::createUuid().toString(QUuid::Id128).left(8) +
                                 QLatin1Char('/');
        QCOMPARE(Telefon(kalender, {QStringLiteral("kalender-anlegen")}), QString());

        QWidget fenster;
        Plandokument dok(m_einstellungen);
        Fensterdialoge dialoge(&fenster, nullptr, m_einstellungen);
        const double montag = T(2027, 5, 3);
        dok.plan().Aufgaben() = {::Aufgabe(1, "Kartons packen", montag, 17),
                                 ::Aufgabe(2, "Umzugswagen fahren", montag + 2, 17, {1}),
                                 ::Aufgabe(3, "Zähler ablesen", montag + 8, 17),
                                 ::Aufgabe(4, "Schlüssel abgeben", montag + 9, 17)};
        Abgleichbefehl befehl(dok, dialoge, &fenster);

        // First round: the user connects to the calendar; every task is sent. (The helper
        // runs the next step while one waits, so each step waits for its own end.)
        ModalHelfer helfer(60000);
        helfer.Mache(
            [&](QWidget* d) {
                Eintippen(d, "adresse", kalender);
                Eintippen(d, "benutzer", Umgebung("KL_CALDAV_BENUTZER"));
                Eintippen(d, "passwort", Umgebung("KL_CALDAV_PASSWORT"));
                QTest::mouseClick(Teil<QPushButton>(d, "suchen"), Qt::LeftButton);
                QPushButton* abgleichen = Teil<QPushButton>(d, "abgleichen");
                QVERIFY(QTest::qWaitFor([&] { return abgleichen->isEnabled(); }, 20000));
                QTest::mouseClick(abgleichen, Qt::LeftButton);
                RundeAbwarten(d);
                QCOMPARE(Teil<QLabel>(d, "status")->text(),
                         QStringLiteral("Abgleich abgeschlossen: 4 neu, 0 geändert, 0 gelöscht, "
                                        "0 aus dem Kalender übernommen."));
                QTest::mouseClick(Teil<QPushButton>(d, "schliessen"), Qt::LeftButton);
            },
            QStringLiteral("abgleichdialog"));
        QVERIFY(!befehl.Ausfuehren());
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(dok.plan().Abgleich().KalenderUrl, kalender);
        QCOMPARE(dok.plan().Abgleich().Eintraege.size(), size_t(4));
        QVERIFY(dok.Geaendert()); // the state is saved with the plan
        QVERIFY(!dok.RueckgaengigMoeglich());
        const Abgleicheinstellungen gemerkt = AbgleicheinstellungenLesen(m_einstellungen);
        QCOMPARE(gemerkt.Adresse, kalender);
        QCOMPARE(gemerkt.Benutzer, Umgebung("KL_CALDAV_BENUTZER"));
        QFile datei(m_einstellungen);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QVERIFY(!datei.readAll().contains(Umgebung("KL_CALDAV_PASSWORT").toUtf8()));

        // Between the rounds: the phone moves task 1 past task 2, which must follow it, renames
        // task 3 (which the plan renames too) and deletes task 4.
        const QString id = dok.plan().situation().PlanID;
        QCOMPARE(Telefon(kalender, {QStringLiteral("verschieben"), TerminUid(id, 1),
                                    QString::number(3 * 24 * 60)}),
                 QString());
        QCOMPARE(Telefon(kalender, {QStringLiteral("umbenennen"), TerminUid(id, 3),
                                    QStringLiteral("Zähler ablesen lassen")}),
                 QString());
        QCOMPARE(Telefon(kalender, {QStringLiteral("loeschen"), TerminUid(id, 4)}), QString());
        dok.ZustandSichern();
        dok.plan().Aufgabe(3)->Kurzbezeichnung = QStringLiteral("Zähler fotografieren");

        ModalHelfer zweite(60000);
        zweite.Mache(
            [&](QWidget* d) {
                // The plan's calendar is there already; the password is asked each time.
                QCOMPARE(Teil<QComboBox>(d, "kalender")->currentText(), kalender);
                Eintippen(d, "benutzer", Umgebung("KL_CALDAV_BENUTZER"));
                Eintippen(d, "passwort", Umgebung("KL_CALDAV_PASSWORT"));
                QTest::mouseClick(Teil<QPushButton>(d, "abgleichen"), Qt::LeftButton);
                RundeAbwarten(d);
                QTest::mouseClick(Teil<QPushButton>(d, "schliessen"), Qt::LeftButton);
            },
            QStringLiteral("abgleichdialog"));
        QString konflikt;
        zweite.Druecke(
            QStringLiteral("MitverschiebenButton"),
            [&](QWidget* w) { konflikt = Teil<QLabel>(w, "Label1")->text(); },
            QStringLiteral("Reihenfolge"));
        QString beide;
        zweite.Druecke(
            QStringLiteral("knopf_ja"),
            [&](QWidget* w) { beide = qobject_cast<QMessageBox*>(w)->text(); },
            QStringLiteral("meldung"));
        QString geloescht;
        zweite.Druecke(
            QStringLiteral("knopf_nein"),
            [&](QWidget* w) { geloescht = qobject_cast<QMessageBox*>(w)->text(); },
            QStringLiteral("meldung"));
        QVERIFY(befehl.Ausfuehren());
        QVERIFY2(zweite.Erledigt(), qPrintable(zweite.Fehler()));
        QVERIFY2(konflikt.contains(QStringLiteral("'Kartons packen' sollte vor 'Umzugswagen "
                                                  "fahren' erfolgen.")),
                 qPrintable(konflikt));
        QCOMPARE(beide, QStringLiteral("„Zähler fotografieren“ wurde seit dem letzten Abgleich "
                                       "im Plan und im Kalender geändert.\n\nIm Plan: „Zähler "
                                       "fotografieren“ am 11.05.2027 um 08:00 Uhr\nIm Kalender: "
                                       "„Zähler ablesen lassen“ am 11.05.2027 um 08:00 Uhr\n\n"
                                       "Soll die Fassung aus dem Kalender gelten? Mit „Nein“ "
                                       "gilt die Fassung des Plans und wird in den Kalender "
                                       "gesendet."));
        QCOMPARE(geloescht, QStringLiteral("Der Termin „Schlüssel abgeben“ wurde im Kalender "
                                           "gelöscht.\n\nSoll die Aufgabe auch aus dem Plan "
                                           "gelöscht werden? Mit „Nein“ bleibt sie im Plan und "
                                           "wird wieder in den Kalender gesendet."));
        QCOMPARE(Aufgabe(dok, 1).Tag, montag + 3);
        QVERIFY(Aufgabe(dok, 2).Tag > montag + 3); // moved along
        QCOMPARE(Aufgabe(dok, 3).Kurzbezeichnung, QStringLiteral("Zähler ablesen lassen"));
        QCOMPARE(dok.plan().Aufgaben().size(), size_t(4));
        QCOMPARE(Telefon(kalender, {QStringLiteral("zaehlen"), TerminUidPraefix(id)}),
                 QStringLiteral("4"));
        // The dependant's new day went to the calendar in the same round.
        QVERIFY(Telefon(kalender, {QStringLiteral("zeigen"), TerminUid(id, 2)})
                    .endsWith(QStringLiteral("2027-05-0%1T08:00:00+02:00")
                                  .arg(QDate(2027, 5, 3)
                                           .addDays(qint64(Aufgabe(dok, 2).Tag - montag))
                                           .day())));

        // The whole round is one undo step; the sync state stays (the server keeps what was
        // sent, the next round sends the plan as undo left it).
        const CalDavStand stand = dok.plan().Abgleich();
        dok.Rueckgaengig();
        QCOMPARE(Aufgabe(dok, 1).Tag, montag);
        QCOMPARE(Aufgabe(dok, 3).Kurzbezeichnung, QStringLiteral("Zähler fotografieren"));
        QCOMPARE(dok.plan().Abgleich(), stand);
    }

    void einstellungen_data()
    {
        QTest::addColumn<QByteArray>("vorher");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QStringList>("zertifikate");
        QTest::addColumn<QByteArray>("nachher");

        const QByteArray fremd = "[files]\r\nlastsaved=a.kvr\r\n\r\n";
        QTest::newRow("first time, no certificate")
            << fremd << QStringLiteral("https://dav.example.org/cal/") << QStringList{}
            << fremd + "[abgleich]\r\nAdresse=https://dav.example.org/cal/\r\nBenutzer=anna\r\n"
                       "\r\n";
        QTest::newRow("a trusted certificate, per server with its port")
            << fremd << QStringLiteral("https://127.0.0.1:8443/anna/")
            << QStringList{QStringLiteral("AB:CD")}
            << fremd + "[abgleich]\r\nAdresse=https://127.0.0.1:8443/anna/\r\nBenutzer=anna\r\n"
                       "\r\n[zertifikate]\r\nhttps://127.0.0.1:8443=AB:CD\r\n\r\n";
        const QByteArray zwei = fremd + "[abgleich]\r\nAdresse=https://a.example/\r\nBenutzer="
                                        "anna\r\n\r\n[zertifikate]\r\nhttps://a.example:443=01:"
                                        "02\r\n\r\n";
        QTest::newRow("another server keeps the first one's")
            << zwei << QStringLiteral("dav.example.org")
            << QStringList{QStringLiteral("EF:12"), QStringLiteral("34:56")}
            << fremd + "[abgleich]\r\nAdresse=dav.example.org\r\nBenutzer=anna\r\n\r\n"
                       "[zertifikate]\r\nhttps://a.example:443=01:02\r\n"
                       "https://dav.example.org:443=EF:12,34:56\r\n\r\n";
        QTest::newRow("nothing changed, nothing written")
            << zwei << QStringLiteral("https://a.example/") << QStringList{QStringLiteral("01:02")}
            << zwei;
    }

    void einstellungen()
    {
        QFETCH(QByteArray, vorher);
        QFETCH(QString, adresse);
        QFETCH(QStringList, zertifikate);
        QFETCH(QByteArray, nachher);
        QFile datei(m_einstellungen);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write(vorher);
        datei.close();
        const Abgleicheinstellungen e{adresse, QStringLiteral("anna"), zertifikate};
        QString fehler;
        QVERIFY2(AbgleicheinstellungenSchreiben(m_einstellungen, e, &fehler), qPrintable(fehler));
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(datei.readAll(), nachher);
        QCOMPARE(AbgleicheinstellungenLesen(m_einstellungen), e);
    }

private:
    std::unique_ptr<QTemporaryDir> m_ordner;
    QString m_einstellungen;
};

QTEST_MAIN(TestAbgleichbefehl)
#include "tst_abgleichbefehl.moc"
