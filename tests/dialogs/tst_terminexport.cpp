#include "dialogs/terminexport.h"
#include "kalenderexport/desktopkalender.h"
#include "model/plan.h"
#include "model/tageszahl.h"
#include "model/uhr.h"
#include "support/dateigroessengrenze.h"

#include "support/icslesen.h"
#include "support/modalhelfer.h"
#include "support/testdaten.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <limits>
#include <optional>

namespace {

// Stands in for the desktop's handler of text/calendar, which xdg-open finds in the test's
// XDG folders: a script that keeps a copy of every file it is handed, at the moment it was
// handed, stays open for KL_KALENDER_SCHLAF seconds and ends with the status in
// KL_KALENDER_STATUS (0 unless set).
class Kalenderprogramm final
{
public:
    void Einrichten(const QString& ordner)
    {
        m_ordner = ordner;
        QDir(m_ordner).removeRecursively();
        QVERIFY(QDir().mkpath(m_ordner + QStringLiteral("/empfangen")));
        QFile skript(m_ordner + QStringLiteral("/kalender.sh"));
        QVERIFY(skript.open(QIODevice::WriteOnly));
        skript.write("#!/bin/sh\n"
                     "ziel=\"$(dirname \"$0\")/empfangen\"\n"
                     "n=$(ls \"$ziel\" | grep -c pfad)\n"
                     "cp \"$1\" \"$ziel/$n.ics\" && printf '%s' \"$1\" > \"$ziel/$n.pfad\"\n"
                     "if [ -n \"$KL_KALENDER_SCHLAF\" ]; then sleep \"$KL_KALENDER_SCHLAF\"; fi\n"
                     "exit \"${KL_KALENDER_STATUS:-0}\"\n");
        skript.close();
        QVERIFY(skript.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    QString Skript() const { return m_ordner + QStringLiteral("/kalender.sh"); }

    // The files handed over, in order.
    QStringList Pfade() const
    {
        QStringList pfade;
        for (int i = 0;; ++i) {
            QFile f(QStringLiteral("%1/empfangen/%2.pfad").arg(m_ordner).arg(i));
            if (!f.open(QIODevice::ReadOnly))
                return pfade;
            pfade << QString::fromUtf8(f.readAll());
        }
    }
    QList<QByteArray> Inhalte() const
    {
        QList<QByteArray> inhalte;
        for (int i = 0;; ++i) {
            QFile f(QStringLiteral("%1/empfangen/%2.ics").arg(m_ordner).arg(i));
            if (!f.open(QIODevice::ReadOnly))
                return inhalte;
            inhalte << f.readAll();
        }
    }

private:
    QString m_ordner;
};

struct Box
{
    QString titel;
    QString text;
    QStringList knoepfe;
};

Aufgabenliste Aufgaben(int anzahl)
{
    Aufgabenliste liste;
    for (int i = 0; i < anzahl; ++i)
        liste.push_back(Aufgabe(QStringLiteral("Aufgabe %1").arg(i + 1),
                                QDate(2026, 5, 4).addDays(i), 17 + i, 1,
                                {QStringLiteral("Rat zu %1").arg(i + 1)}));
    return liste;
}

QString Frage(int n)
{
    return QStringLiteral(
               "Der Kistenlotse versucht nun, die Termine Ihres Umzugs in den\n"
               "Terminkalender Ihres Kalenderprogramms einzutragen. Es werden %1 Termine "
               "eingetragen.\n"
               "Dies kann nicht rückgängig gemacht werden,\n"
               "Sie können die Termine aber in Ihrem Kalenderprogramm weiter bearbeiten.\n"
               "Bereits in Ihrem Kalenderprogramm eingetragene Termine werden nicht verändert.\n"
               "Möchten Sie fortfahren?")
        .arg(n);
}

const QString kErfolg =
    QStringLiteral("Die Daten wurden erfolgreich an Ihr Kalenderprogramm übergeben.");
const QString kFehler = QStringLiteral(
    "Bei der Übergabe der Daten an Ihr Kalenderprogramm ist ein Fehler aufgetreten.");

// Sets an environment variable for the lifetime of the object.
class Umgebung final
{
public:
    Umgebung(const char* name, const QString& wert)
        : m_name(name), m_gesetzt(qEnvironmentVariableIsSet(name)), m_vorher(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(wert));
    }
    ~Umgebung()
    {
        if (m_gesetzt)
            qputenv(m_name, m_vorher);
        else
            qunsetenv(m_name);
    }
    Umgebung(const Umgebung&) = delete;
    Umgebung& operator=(const Umgebung&) = delete;

private:
    const char* m_name;
    bool m_gesetzt;
    QByteArray m_vorher;
};

} // namespace

class TestTerminExport final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_xdg;
    QString m_ordner;
    Kalenderprogramm m_kalender;
    QList<Box> m_boxen;
    QString m_helferFehler;

    // Queues one answer per expected box and records every box answered.
    void Antworten(ModalHelfer& helfer, const QStringList& knoepfe)
    {
        for (const QString& k : knoepfe)
            helfer.Druecke(
                k,
                [this](QWidget* w) {
                    auto* box = qobject_cast<QMessageBox*>(w);
                    QVERIFY(box);
                    Box b{box->windowTitle(), box->text(), {}};
                    const auto liste = box->buttons();
                    for (const QAbstractButton* k : liste)
                        b.knoepfe << k->text();
                    m_boxen << b;
                },
                QStringLiteral("meldung"));
    }

    // Registers a desktop entry running `programm` as the handler of text/calendar.
    void KalenderprogrammEintragen(const QString& programm)
    {
        const QString anwendungen = m_xdg.filePath(QStringLiteral("daten/applications"));
        QVERIFY(QDir().mkpath(anwendungen));
        QFile eintrag(anwendungen + QStringLiteral("/kl-testkalender.desktop"));
        QVERIFY(eintrag.open(QIODevice::WriteOnly));
        eintrag.write("[Desktop Entry]\nType=Application\nName=Testkalender\nExec=" +
                      QFile::encodeName(programm) + " %f\nMimeType=text/calendar;\n");
        eintrag.close();
        QVERIFY(QDir().mkpath(m_xdg.filePath(QStringLiteral("config"))));
        QFile liste(m_xdg.filePath(QStringLiteral("config/mimeapps.list")));
        QVERIFY(liste.open(QIODevice::WriteOnly));
        liste.write("[Default Applications]\ntext/calendar=kl-testkalender.desktop\n");
    }

    // Exports and waits for every box expected, the report of the result included, which
    // comes when the calendar program has answered.
    bool Exportieren(const Aufgabenliste& aufgaben, const QStringList& antworten,
                     QPushButton* knopf, Desktopkalender& ziel)
    {
        ModalHelfer helfer;
        Antworten(helfer, antworten);
        QWidget fenster;
        const bool ergebnis = TermineExportieren(&fenster, knopf, aufgaben, ziel);
        if (!helfer.Abwarten())
            m_helferFehler = helfer.Fehler();
        return ergebnis;
    }

    // Closes the target and waits for its answer.
    static Uebergabeergebnis Schliessen(Desktopkalender& ziel)
    {
        std::optional<Uebergabeergebnis> ergebnis;
        ziel.Schliessen([&](const Uebergabeergebnis& e) { ergebnis = e; });
        QDeadlineTimer frist(10000);
        while (!ergebnis && !frist.hasExpired())
            QTest::qWait(10);
        return ergebnis.value_or(Uebergabeergebnis{});
    }

    QStringList Termindateien() const
    {
        return QDir(m_ordner).entryList({QStringLiteral("termine-*.ics")}, QDir::Files);
    }

    void ZeitenPruefen(const IcsLesen::Ereignis& e, const taufgabe& a)
    {
        const Terminzeiten z = TerminZeiten(a);
        const Ortszeit s = OrtszeitAusTageszahl(z.Start);
        const Ortszeit n = OrtszeitAusTageszahl(z.Ende);
        QCOMPARE(e.start.datum, s.Datum);
        QCOMPARE(e.start.zeit, s.Zeit);
        QCOMPARE(e.ende.datum, n.Datum);
        QCOMPARE(e.ende.zeit, n.Zeit);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_xdg.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.filePath(QStringLiteral("daten"))));
        // xdg-open in its generic mode, with the handler of the test's folders only; it looks
        // for a display in the environment alone.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_xdg.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg.filePath(QStringLiteral("leer"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_xdg.filePath(QStringLiteral("leer"))));
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP", "BROWSER"})
            qunsetenv(name);
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("DISPLAY", ":0");
        // The file types, for xdg-mime's helpers (mimetype reads the shared database).
        QVERIFY(QDir().mkpath(m_xdg.filePath(QStringLiteral("daten"))));
        QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"),
                            m_xdg.filePath(QStringLiteral("daten/mime"))));
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
            QSKIP("xdg-open is not installed");
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(QStringLiteral("Kistenlotse"));
        m_ordner = m_xdg.filePath(QStringLiteral("daten/Kistenlotse"));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), m_ordner);
    }

    void init()
    {
        QDir(m_ordner).removeRecursively();
        QFile::remove(m_ordner);
        m_kalender.Einrichten(m_xdg.filePath(QStringLiteral("kalender")));
        KalenderprogrammEintragen(m_kalender.Skript());
        m_boxen.clear();
        m_helferFehler.clear();
    }

    void cleanup()
    {
        QVERIFY2(m_helferFehler.isEmpty(), qPrintable(m_helferFehler));
        QCOMPARE(ModalHelfer::OffeneFenster(), QStringList());
        QVERIFY2(!QApplication::overrideCursor(), "the hourglass must be gone");
    }

    void cleanupTestCase() { icaltimezone_free_builtin_timezones(); }

    void frageNenntDieAnzahl_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("whole catalogue") << 44;
    }

    void frageNenntDieAnzahl()
    {
        QFETCH(int, anzahl);
        Desktopkalender anwendung;
        QPushButton knopf;
        QVERIFY(!Exportieren(Aufgaben(anzahl), {QStringLiteral("Abbrechen")}, &knopf, anwendung));

        QCOMPARE(m_boxen.size(), 1);
        QCOMPARE(m_boxen.at(0).titel, QStringLiteral("Bestätigung"));
        QCOMPARE(m_boxen.at(0).text, Frage(anzahl));
        QCOMPARE(m_boxen.at(0).knoepfe,
                 (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
        // "Abbrechen": nothing happened and the export may be tried again.
        QVERIFY(knopf.isEnabled());
        QVERIFY(!anwendung.Offen());
        QVERIFY(anwendung.Dateipfad().isEmpty());
        QVERIFY(!QFileInfo::exists(m_ordner));
        QVERIFY(m_kalender.Pfade().isEmpty());
    }

    void ganzerPlanInListenreihenfolge()
    {
        Plan plan;
        plan.KatalogLaden(false);
        plan.AufgabenTerminieren(Tageszahl::ausDatum(QDate(2026, 5, 13)));
        const Aufgabenliste& aufgaben = plan.Aufgaben;
        QCOMPARE(aufgaben.size(), size_t(44));

        Desktopkalender anwendung;
        QPushButton knopf;
        QVERIFY(
            Exportieren(aufgaben, {QStringLiteral("OK"), QStringLiteral("OK")}, &knopf, anwendung));

        QCOMPARE(m_boxen.size(), 2);
        QCOMPARE(m_boxen.at(0).text, Frage(44));
        QCOMPARE(m_boxen.at(1).titel, QStringLiteral("Bestätigung"));
        QCOMPARE(m_boxen.at(1).text, kErfolg);
        QCOMPARE(m_boxen.at(1).knoepfe, QStringList{QStringLiteral("OK")});
        QVERIFY(!knopf.isEnabled());
        QVERIFY(!anwendung.Offen());

        const QStringList pfade = m_kalender.Pfade();
        QCOMPARE(pfade.size(), 1);
        QCOMPARE(QFileInfo(pfade.at(0)).absolutePath(), m_ordner);
        QVERIFY(QFileInfo(pfade.at(0)).fileName().startsWith(QStringLiteral("termine-")));

        const IcsLesen::Kalender k = IcsLesen::Lesen(m_kalender.Inhalte().at(0));
        QVERIFY(k.gelesen);
        QCOMPARE(k.ereignisse.size(), 44);
        for (int i = 0; i < 44; ++i) {
            QCOMPARE(k.ereignisse.at(i).summary, aufgaben.at(size_t(i)).Kurzbezeichnung);
            ZeitenPruefen(k.ereignisse.at(i), aufgaben.at(size_t(i)));
        }
    }

    void terminTabelle()
    {
        const QDate mai(2026, 5, 3);
        const Aufgabenliste aufgaben{
            Aufgabe(QStringLiteral("Küche demontieren"), mai, 17, 3,
                    {QStringLiteral("Erste Zeile des Rats"), QStringLiteral("Zweite Zeile")},
                    {QStringLiteral("Schrauben in die Tüte")}),
            Aufgabe(QStringLiteral("Spät noch"), mai, 48, 0, {QStringLiteral("Nur Rat")}),
            Aufgabe(QStringLiteral("Eigene Aufgabe"), mai.addDays(2), 18, 16, {}, {}, true),
        };
        Desktopkalender anwendung;
        QVERIFY(Exportieren(aufgaben, {QStringLiteral("OK"), QStringLiteral("OK")}, nullptr,
                            anwendung));
        QCOMPARE(m_kalender.Inhalte().size(), 1);

        const IcsLesen::Kalender k = IcsLesen::Lesen(m_kalender.Inhalte().at(0));
        QCOMPARE(k.ereignisse.size(), 3);
        const auto& kueche = k.ereignisse.at(0);
        QCOMPARE(kueche.summary, QStringLiteral("Küche demontieren"));
        QCOMPARE(kueche.start.datum, mai);
        QCOMPARE(kueche.start.zeit, QTime(8, 0));
        QCOMPARE(kueche.ende.datum, mai);
        QCOMPARE(kueche.ende.zeit, QTime(10, 0));
        // iCalendar writes line breaks as \n; the CR LF of the body is the calendar's to add.
        QCOMPARE(kueche.description,
                 QStringLiteral("Erste Zeile des Rats\nZweite Zeile\nSchrauben in die Tüte\n"));

        const auto& spaet = k.ereignisse.at(1);
        QCOMPARE(spaet.start.zeit, QTime(23, 30));
        QCOMPARE(spaet.ende.datum, mai.addDays(1));
        QCOMPARE(spaet.ende.zeit, QTime(0, 0));
        QCOMPARE(spaet.description, QStringLiteral("Nur Rat\n"));

        const auto& eigen = k.ereignisse.at(2);
        QVERIFY2(!eigen.hatDescription, "a user task without notes has an empty body");
        QCOMPARE(eigen.start.zeit, QTime(8, 30));
        QCOMPARE(eigen.ende.zeit, QTime(17, 0));

        for (const auto& e : k.ereignisse) {
            QCOMPARE(e.start.tzid, QString::fromLatin1(KalenderZeitzone()));
            QVERIFY(e.start.alsUtc.isValid());
        }
    }

    void keineAufgaben()
    {
        Desktopkalender anwendung;
        QPushButton knopf;
        QVERIFY(Exportieren({}, {QStringLiteral("OK"), QStringLiteral("OK")}, &knopf, anwendung));
        QCOMPARE(m_boxen.size(), 2);
        QCOMPARE(m_boxen.at(0).text, Frage(0));
        QCOMPARE(m_boxen.at(1).text, kErfolg);
        // Connected and disconnected again; with nothing to import the calendar is left alone.
        QVERIFY(!anwendung.Dateipfad().isEmpty());
        QVERIFY(!anwendung.Offen());
        QVERIFY(m_kalender.Pfade().isEmpty());
        QVERIFY(!knopf.isEnabled());
    }

    void ordnerNichtAnlegbar()
    {
        // Root may write anywhere; a data folder that is a file stops even root.
        QVERIFY(QDir().mkpath(QFileInfo(m_ordner).absolutePath()));
        QFile datei(m_ordner);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.close();

        Desktopkalender anwendung;
        QPushButton knopf;
        QVERIFY(Exportieren(Aufgaben(3),
                            {QStringLiteral("OK"), QStringLiteral("OK"), QStringLiteral("OK")},
                            &knopf, anwendung));
        QCOMPARE(m_boxen.size(), 3);
        QCOMPARE(m_boxen.at(1).titel, QStringLiteral("Warnung"));
        QCOMPARE(m_boxen.at(1).text, kFehler);
        QCOMPARE(m_boxen.at(1).knoepfe, QStringList{QStringLiteral("OK")});
        QCOMPARE(m_boxen.at(2).titel, QStringLiteral("Fehler"));
        QCOMPARE(m_boxen.at(2).text,
                 QStringLiteral("Der Ordner „%1“ für die Termindatei konnte nicht angelegt werden.")
                     .arg(QDir::toNativeSeparators(m_ordner)));
        QVERIFY(!knopf.isEnabled());
        QVERIFY(m_kalender.Pfade().isEmpty());
    }

    void fehlerInDerMitte_data()
    {
        QTest::addColumn<bool>("platteVoll");
        QTest::addColumn<QString>("meldungsanfang");
        QTest::newRow("disk full at the third appointment")
            << true << QStringLiteral("konnte nicht geschrieben werden");
    }

    void fehlerInDerMitte()
    {
        QFETCH(bool, platteVoll);
        QFETCH(QString, meldungsanfang);
        Aufgabenliste aufgaben = Aufgaben(5);
        if (!platteVoll)
            aufgaben[2].Tag = std::numeric_limits<double>::quiet_NaN();

        // Sizes of the files with two and three appointments: UIDs and stamps have fixed length.
        rlim_t grenze = RLIM_INFINITY;
        if (platteVoll) {
            TIcsKalender probe;
            for (int i = 0; i < 3; ++i) {
                const Terminzeiten z = TerminZeiten(aufgaben.at(size_t(i)));
                probe.TerminHinzufuegen(aufgaben.at(size_t(i)).Kurzbezeichnung,
                                        TerminText(aufgaben.at(size_t(i))), z.Start, z.Ende);
                if (i == 1)
                    grenze = rlim_t(probe.Text().size());
            }
            grenze = (grenze + rlim_t(probe.Text().size())) / 2;
        }

        Desktopkalender anwendung;
        QPushButton knopf;
        bool ergebnis = false;
        {
            const Dateigroessengrenze g(grenze);
            ergebnis = Exportieren(
                aufgaben, {QStringLiteral("OK"), QStringLiteral("OK"), QStringLiteral("OK")},
                &knopf, anwendung);
        }
        QVERIFY(ergebnis);
        QCOMPARE(m_boxen.size(), 3);
        QCOMPARE(m_boxen.at(1).titel, QStringLiteral("Warnung"));
        QCOMPARE(m_boxen.at(1).text, kFehler);
        QCOMPARE(m_boxen.at(2).titel, QStringLiteral("Fehler"));
        QVERIFY2(m_boxen.at(2).text.contains(meldungsanfang), qPrintable(m_boxen.at(2).text));
        QVERIFY(!knopf.isEnabled());

        // The two appointments saved before the failure still reach the calendar.
        QCOMPARE(m_kalender.Inhalte().size(), 1);
        const IcsLesen::Kalender k = IcsLesen::Lesen(m_kalender.Inhalte().at(0));
        QCOMPARE(k.ereignisse.size(), 2);
        QCOMPARE(k.ereignisse.at(0).summary, QStringLiteral("Aufgabe 1"));
        QCOMPARE(k.ereignisse.at(1).summary, QStringLiteral("Aufgabe 2"));
        QCOMPARE(Termindateien().size(), 1);
    }

    // A year the calendar file cannot carry stops the export before anything is written,
    // naming the tasks; the export can be run once they are corrected.
    void jahreDieKeinKalenderKennt()
    {
        Aufgabenliste aufgaben = Aufgaben(5);
        aufgaben[2].Tag = Tageszahl::ausDatum(QDate(3026, 5, 6));
        aufgaben[4].Tag = std::numeric_limits<double>::quiet_NaN();
        Desktopkalender anwendung;
        QPushButton knopf;
        QVERIFY(!Exportieren(aufgaben, {QStringLiteral("OK")}, &knopf, anwendung));
        QCOMPARE(m_boxen.size(), 1);
        QCOMPARE(m_boxen.at(0).titel, QStringLiteral("Warnung"));
        QCOMPARE(m_boxen.at(0).text,
                 QStringLiteral("Diese Aufgaben liegen nicht in den Jahren 1 bis 3000, die ein "
                                "Kalender aufnehmen kann:\n„Aufgabe 3“ am 06.05.3026\n„Aufgabe "
                                "5“ ohne gültiges Datum\nBitte korrigieren Sie ihr Datum. Es "
                                "wurden keine Termine übertragen."));
        QCOMPARE(m_boxen.at(0).knoepfe, QStringList{QStringLiteral("OK")});
        QVERIFY(knopf.isEnabled());
        QVERIFY(!anwendung.Offen());
        QVERIFY(!QFileInfo::exists(m_ordner));
        QVERIFY(m_kalender.Pfade().isEmpty());

        // Even when driven appointment by appointment, none after the year 3000 is entered.
        anwendung.Oeffnen();
        QVERIFY_THROWS_EXCEPTION(KalenderFehler,
                                 anwendung.TerminEintragen(TerminDerAufgabe(aufgaben.at(2))));
        QCOMPARE(anwendung.Anzahl(), 0);
        QCOMPARE(int(Schliessen(anwendung).art), int(Uebergabeergebnis::Art::Uebergeben));
        QVERIFY(m_kalender.Pfade().isEmpty());
    }

    void uebergabeScheitert_data()
    {
        QTest::addColumn<bool>("programmFehlt");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("grund");
        // xdg-open ends with status 4 when the registered program is missing.
        QTest::newRow("handler's program missing")
            << true << 0 << QStringLiteral("xdg-open endete mit dem Status 4");
        QTest::newRow("handler fails") << false << 1 << QStringLiteral("Status 4");
    }

    void uebergabeScheitert()
    {
        QFETCH(bool, programmFehlt);
        QFETCH(int, status);
        QFETCH(QString, grund);
        if (programmFehlt)
            KalenderprogrammEintragen(m_xdg.filePath(QStringLiteral("fehlt/kalender")));
        const Umgebung ende("KL_KALENDER_STATUS", QString::number(status));
        Desktopkalender anwendung;
        QPushButton knopf;
        QVERIFY(Exportieren(Aufgaben(2),
                            {QStringLiteral("OK"), QStringLiteral("OK"), QStringLiteral("OK")},
                            &knopf, anwendung));
        QCOMPARE(m_boxen.size(), 3);
        QCOMPARE(m_boxen.at(1).titel, QStringLiteral("Warnung"));
        QCOMPARE(m_boxen.at(1).text, kFehler);
        QCOMPARE(m_boxen.at(2).titel, QStringLiteral("Fehler"));
        const QStringList zeilen = m_boxen.at(2).text.split(QLatin1Char('\n'));
        QCOMPARE(zeilen.size(), 3);
        QCOMPARE(zeilen.at(0),
                 QStringLiteral(
                     "Die Termindatei „%1“ konnte nicht an das Kalenderprogramm übergeben werden.")
                     .arg(QDir::toNativeSeparators(anwendung.Dateipfad())));
        QVERIFY2(zeilen.at(1).contains(grund), qPrintable(zeilen.at(1)));
        // The file stays for the user to import by hand.
        QCOMPARE(IcsLesen::DateiLesen(anwendung.Dateipfad()).ereignisse.size(), 2);
        QVERIFY(!knopf.isEnabled());
    }

    void kalenderprogrammBleibtOffen()
    {
        // A calendar program that opens the file and stays open: xdg-open waits for it. The
        // window goes on meanwhile, and after the time limit it is told what is known.
        const Umgebung offen("KL_KALENDER_SCHLAF", QStringLiteral("10"));
        Desktopkalender anwendung;
        anwendung.setUebergabeFrist(3000);
        ModalHelfer helfer;
        Antworten(helfer, {QStringLiteral("OK"), QStringLiteral("OK")});
        QWidget fenster;
        QElapsedTimer uhr;
        uhr.start();
        QVERIFY(TermineExportieren(&fenster, nullptr, Aufgaben(1), anwendung));
        QCOMPARE(helfer.Beantwortet(), 1); // the question; the result is not known yet
        QVERIFY2(uhr.elapsed() < 2000, "the window must not wait for the calendar program");
        QTRY_COMPARE_WITH_TIMEOUT(m_kalender.Pfade().size(), 1, 2500); // handed over ...
        QCOMPARE(helfer.Beantwortet(), 1);                             // ... and still open
        QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        QCOMPARE(m_boxen.size(), 2);
        QCOMPARE(m_boxen.at(1).titel, QStringLiteral("Information"));
        QCOMPARE(m_boxen.at(1).text,
                 QStringLiteral("Die Termindatei „%1“ wurde an Ihr Kalenderprogramm übergeben. "
                                "Ob es die Termine aufgenommen hat, hat es noch nicht gemeldet; "
                                "die Datei bleibt dort erhalten.")
                     .arg(QDir::toNativeSeparators(anwendung.Dateipfad())));
        QVERIFY(!m_boxen.at(1).text.contains(QStringLiteral("erfolgreich")));
    }

    void einExportProLauf_data()
    {
        QTest::addColumn<QString>("planId");
        QTest::addColumn<bool>("wieder"); // the button stays for a second export
        QTest::newRow("without the plan's ID a second export would double") << QString() << false;
        QTest::newRow("with it a second export updates") << QStringLiteral("3f2a9c") << true;
    }

    void einExportProLauf()
    {
        QFETCH(QString, planId);
        QFETCH(bool, wieder);
        Desktopkalender anwendung;
        QWidget fenster;
        QPushButton knopf(&fenster);
        const Aufgabenliste aufgaben = Aufgaben(2);
        Exportangaben angaben{planId, {}};
        QObject::connect(&knopf, &QPushButton::clicked, &fenster, [&] {
            TermineExportieren(&fenster, &knopf, aufgaben, anwendung, &angaben);
        });

        {
            ModalHelfer helfer;
            Antworten(helfer, {QStringLiteral("Abbrechen")});
            knopf.click();
            QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        }
        QVERIFY(knopf.isEnabled());
        {
            ModalHelfer helfer;
            Antworten(helfer, {QStringLiteral("OK"), QStringLiteral("OK")});
            knopf.click();
            QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        }
        QCOMPARE(knopf.isEnabled(), wieder);
        QCOMPARE(m_kalender.Pfade().size(), 1);

        if (!wieder) {
            // A further click does nothing: no question, no second file.
            knopf.click();
            QTest::qWait(50);
            QCOMPARE(m_boxen.size(), 3);
            QCOMPARE(m_kalender.Pfade().size(), 1);
            QCOMPARE(Termindateien().size(), 1);
            return;
        }
        {
            ModalHelfer helfer;
            Antworten(helfer, {QStringLiteral("OK"), QStringLiteral("OK")});
            knopf.click();
            QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        }
        QCOMPARE(m_boxen.size(), 5);
        QCOMPARE(m_boxen.at(4).text,
                 QStringLiteral("Die Daten wurden erfolgreich an Ihr Kalenderprogramm übergeben.\n"
                                "Termine, die Sie schon einmal übertragen haben, werden dort "
                                "aktualisiert statt doppelt eingetragen."));
        QCOMPARE(m_kalender.Pfade().size(), 2);
        QVERIFY(knopf.isEnabled());
    }

    void privateDateien_data()
    {
        QTest::addColumn<bool>("ordnerVorhanden");
        QTest::newRow("new folder") << false;
        QTest::newRow("folder of an older version, 0755") << true;
    }

    // Notes may hold a card's PIN: the copy is the user's alone, whatever the umask.
    void privateDateien()
    {
        QFETCH(bool, ordnerVorhanden);
        if (ordnerVorhanden) {
            QVERIFY(QDir().mkpath(m_ordner));
            QVERIFY(QFile::setPermissions(m_ordner, QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner | QFile::ReadGroup |
                                                        QFile::ExeGroup | QFile::ReadOther |
                                                        QFile::ExeOther));
        }
        const mode_t vorher = umask(022);
        Desktopkalender anwendung;
        const bool ergebnis = Exportieren(Aufgaben(2), {QStringLiteral("OK"), QStringLiteral("OK")},
                                          nullptr, anwendung);
        umask(vorher);
        QVERIFY(ergebnis);
        struct stat ordner
        {
        };
        QCOMPARE(stat(QFile::encodeName(m_ordner).constData(), &ordner), 0);
        QCOMPARE(ordner.st_mode & 07777, mode_t(0700));
        struct stat datei
        {
        };
        QCOMPARE(stat(QFile::encodeName(anwendung.Dateipfad()).constData(), &datei), 0);
        QCOMPARE(datei.st_mode & 07777, mode_t(0600));
        QCOMPARE(IcsLesen::DateiLesen(anwendung.Dateipfad()).ereignisse.size(), 2);
    }

    // With the plan's ID an appointment is the same one in every export: a calendar that
    // imports again updates it, and only a changed task gets a new revision.
    void erneuterExportAktualisiert()
    {
        Aufgabenliste aufgaben = Aufgaben(3);
        for (size_t i = 0; i < aufgaben.size(); ++i)
            aufgaben[i].Nummer = qint32(10001 + i);
        const auto uhrZurueck = qScopeGuard([] { Uhr::Festsetzen({}); });
        QList<IcsLesen::Kalender> exporte;
        for (int lauf = 0; lauf < 2; ++lauf) {
            Uhr::Festsetzen(QDateTime(QDate(2026, 5, 3), QTime(9 + lauf, 0)));
            if (lauf == 1)
                aufgaben[1].Notiz = {QStringLiteral("Schlüssel beim Hausmeister")};
            Desktopkalender anwendung;
            ModalHelfer helfer;
            Antworten(helfer, {QStringLiteral("OK"), QStringLiteral("OK")});
            QWidget fenster;
            Exportangaben angaben{QStringLiteral("3f2a9c"), {}};
            QVERIFY(TermineExportieren(&fenster, nullptr, aufgaben, anwendung, &angaben));
            QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
            exporte << IcsLesen::DateiLesen(anwendung.Dateipfad());
        }
        QCOMPARE(m_boxen.at(0).text,
                 QStringLiteral("Der Kistenlotse versucht nun, die Termine Ihres Umzugs in den\n"
                                "Terminkalender Ihres Kalenderprogramms einzutragen. Es werden 3 "
                                "Termine eingetragen.\n"
                                "Dies kann nicht rückgängig gemacht werden,\n"
                                "Sie können die Termine aber in Ihrem Kalenderprogramm weiter "
                                "bearbeiten.\n"
                                "Termine, die Sie schon einmal übertragen haben, werden dort "
                                "aktualisiert statt doppelt eingetragen.\n"
                                "Möchten Sie fortfahren?"));
        QCOMPARE(exporte.size(), 2);
        for (int i = 0; i < 3; ++i) {
            const IcsLesen::Ereignis& erst = exporte[0].ereignisse.at(i);
            const IcsLesen::Ereignis& dann = exporte[1].ereignisse.at(i);
            QCOMPARE(erst.uid, QStringLiteral("kistenlotse-3f2a9c-%1@kistenlotse").arg(10001 + i));
            QCOMPARE(dann.uid, erst.uid);
            QVERIFY(erst.sequenz > 0);
            QVERIFY(erst.geaendert.utc);
            if (i == 1) {
                QVERIFY(dann.sequenz > erst.sequenz);
                QCOMPARE(dann.geaendert.alsUtc.isValid()
                             ? dann.geaendert.alsUtc
                             : QDateTime(dann.geaendert.datum, dann.geaendert.zeit, Qt::UTC),
                         QDateTime(QDate(2026, 5, 3), QTime(10, 0)).toUTC());
            } else {
                QCOMPARE(dann.sequenz, erst.sequenz);
                QCOMPARE(dann.geaendert.datum, erst.geaendert.datum);
                QCOMPARE(dann.geaendert.zeit, erst.geaendert.zeit);
            }
        }
        // The record of the revisions is the user's alone, like the exported files.
        const QFileInfo stand(QDir(m_ordner).filePath(QStringLiteral("export-3f2a9c.txt")));
        QVERIFY(stand.isFile());
        QCOMPARE(stand.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    // The reminder is chosen with the question, given back for the settings, and every
    // appointment carries it as a VALARM showing its title.
    void erinnerungGewaehlt()
    {
        Desktopkalender anwendung;
        ModalHelfer helfer;
        QStringList angeboten;
        helfer.Druecke(
            QStringLiteral("OK"),
            [&](QWidget* w) {
                auto* wahl = w->findChild<QComboBox*>(QStringLiteral("erinnerung"));
                QVERIFY(wahl);
                // Labelled, and reached from the keyboard with Alt+E.
                const auto beschriftungen = w->findChildren<QLabel*>();
                const auto beschriftung =
                    std::find_if(beschriftungen.begin(), beschriftungen.end(),
                                 [wahl](const QLabel* l) { return l->buddy() == wahl; });
                QVERIFY(beschriftung != beschriftungen.end());
                QCOMPARE((*beschriftung)->text(), QStringLiteral("&Erinnerung:"));
                for (int i = 0; i < wahl->count(); ++i)
                    angeboten << wahl->itemText(i);
                QCOMPARE(wahl->currentIndex(), 2); // as kept in the settings
                wahl->setCurrentIndex(1);
            },
            QStringLiteral("meldung"));
        helfer.Druecke(QStringLiteral("OK"), {}, QStringLiteral("meldung"));
        QWidget fenster;
        Exportangaben angaben{QString(), Erinnerung::EineStundeVorher};
        QVERIFY(TermineExportieren(&fenster, nullptr, Aufgaben(2), anwendung, &angaben));
        QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        QCOMPARE(angeboten,
                 (QStringList{QStringLiteral("keine"), QStringLiteral("am Vortag um 18 Uhr"),
                              QStringLiteral("eine Stunde vorher")}));
        QCOMPARE(angaben.erinnerung, std::optional<Erinnerung>(Erinnerung::VortagAchtzehnUhr));
        QFile datei(anwendung.Dateipfad());
        QVERIFY(datei.open(QIODevice::ReadOnly));
        const QByteArray text = datei.readAll();
        QVERIFY(IcsLesen::Lesen(text).gelesen);
        QCOMPARE(text.count("BEGIN:VALARM"), 2);
        QCOMPARE(text.count("ACTION:DISPLAY"), 2);
        // 08:00 and 08:30: reminded at 18:00 the day before.
        QVERIFY2(text.contains("TRIGGER:-PT14H\r\n"), text.constData());
        QVERIFY2(text.contains("TRIGGER:-PT14H30M\r\n"), text.constData());
        QVERIFY(text.contains("DESCRIPTION:Aufgabe 1\r\n"));
    }

    void zweiterLaufExportiertErneut()
    {
        // Each run exports all tasks again into a file of its own.
        for (int lauf = 0; lauf < 2; ++lauf) {
            Desktopkalender anwendung;
            QVERIFY(Exportieren(Aufgaben(2), {QStringLiteral("OK"), QStringLiteral("OK")}, nullptr,
                                anwendung));
        }
        QCOMPARE(m_kalender.Pfade().size(), 2);
        QVERIFY(m_kalender.Pfade().at(0) != m_kalender.Pfade().at(1));
        QCOMPARE(Termindateien().size(), 2);
    }

    void eintragenOhneExport()
    {
        Desktopkalender anwendung;
        const Kalendertermin termin{QStringLiteral("Termin"),
                                    {},
                                    Ortszeit{QDate(2026, 5, 3), QTime(8, 0)},
                                    Ortszeit{QDate(2026, 5, 3), QTime(9, 0)},
                                    {},
                                    -1};
        QVERIFY_THROWS_EXCEPTION(KalenderFehler, anwendung.TerminEintragen(termin));
        taufgabe ohneDatum = Aufgaben(1).front();
        ohneDatum.Tag = std::numeric_limits<double>::quiet_NaN();
        QVERIFY_THROWS_EXCEPTION(KalenderFehler, TerminDerAufgabe(ohneDatum));
        anwendung.Oeffnen();
        anwendung.TerminEintragen(termin);
        QCOMPARE(anwendung.Anzahl(), 1);
        const Uebergabeergebnis e = Schliessen(anwendung);
        QCOMPARE(int(e.art), int(Uebergabeergebnis::Art::Uebergeben));
        QCOMPARE(e.datei, anwendung.Dateipfad());
        QCOMPARE(m_kalender.Pfade().size(), 1);
        QVERIFY(!anwendung.Offen());
    }

    void verfuegbar_data()
    {
        QTest::addColumn<QString>("eintrag"); // mimeapps.list entry for text/calendar
        QTest::addColumn<QString>("datei");   // desktop file installed, relative to applications/
        QTest::addColumn<QString>("typ");     // MimeType of the installed entry
        QTest::addColumn<bool>("erwartet");
        const QString kalender = QStringLiteral("text/calendar");
        QTest::newRow("nothing registered") << QString() << QString() << kalender << false;
        QTest::newRow("registered and installed")
            << QStringLiteral("kl-kalender.desktop") << QStringLiteral("kl-kalender.desktop")
            << kalender << true;
        QTest::newRow("registered, entry missing")
            << QStringLiteral("kl-fehlt.desktop") << QStringLiteral("kl-text.desktop")
            << QStringLiteral("text/plain") << false;
        // xdg-mime falls back to any installed entry that declares the type.
        QTest::newRow("not registered, entry declares the type")
            << QString() << QStringLiteral("kl-kalender.desktop") << kalender << true;
        QTest::newRow("entry in a subfolder")
            << QStringLiteral("kde4-kalender.desktop") << QStringLiteral("kde4/kalender.desktop")
            << kalender << true;
    }

    void verfuegbar()
    {
        QFETCH(QString, eintrag);
        QFETCH(QString, datei);
        QFETCH(QString, typ);
        QFETCH(bool, erwartet);
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-mime is not installed");

        QTemporaryDir dir;
        // Only the temporary folders count, not what the machine has installed.
        const Umgebung configHome("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")));
        const Umgebung configDirs("XDG_CONFIG_DIRS", dir.filePath(QStringLiteral("leer")));
        const Umgebung dataDirs("XDG_DATA_DIRS", dir.filePath(QStringLiteral("leer")));
        const QString anwendungen = m_xdg.filePath(QStringLiteral("daten/applications"));
        QDir(anwendungen).removeRecursively();

        if (!eintrag.isEmpty()) {
            QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("config"))));
            QFile liste(dir.filePath(QStringLiteral("config/mimeapps.list")));
            QVERIFY(liste.open(QIODevice::WriteOnly));
            liste.write("[Default Applications]\ntext/calendar=" + eintrag.toUtf8() + "\n");
        }
        if (!datei.isEmpty()) {
            const QString pfad = QDir(anwendungen).filePath(datei);
            QVERIFY(QDir().mkpath(QFileInfo(pfad).absolutePath()));
            QFile f(pfad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Desktop Entry]\nType=Application\nName=Kalender\nExec=true %f\nMimeType=" +
                    typ.toUtf8() + ";\n");
        }

        const bool ergebnis = DesktopkalenderVorhanden();
        // The question asked without waiting gets the same answer, once.
        QObject kontext;
        QList<bool> antworten;
        DesktopkalenderFragen(&kontext, [&](bool ja) { antworten.append(ja); });
        QTRY_COMPARE_WITH_TIMEOUT(antworten.size(), 1, 10000);
        QTest::qWait(50);
        QDir(anwendungen).removeRecursively();
        QCOMPARE(ergebnis, erwartet);
        QCOMPARE(antworten, QList<bool>{erwartet});
    }
};

QTEST_MAIN(TestTerminExport)
#include "tst_terminexport.moc"
