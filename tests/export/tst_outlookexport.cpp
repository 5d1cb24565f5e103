#include "dialogs/ics/icsdatei.h"
#include "support/dateigroessengrenze.h"
#include "dialogs/outlookapplication.h"
#include "dialogs/outlookexport.h"
#include "model/plan.h"
#include "model/tageszahl.h"

#include "icslesen.h"
#include "support/modalhelfer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <limits>

namespace {

// Stands in for the desktop's handler of text/calendar: keeps what it was handed, at the
// moment it was handed.
class Kalenderprogramm final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;
    QList<QByteArray> inhalte;
    QList<bool> sanduhr;

public Q_SLOTS:
    void oeffnen(const QUrl& url)
    {
        urls << url;
        QFile f(url.toLocalFile());
        inhalte << (f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
        const QCursor* c = QApplication::overrideCursor();
        sanduhr << (c && c->shape() == Qt::WaitCursor);
    }
};

struct Box
{
    QString titel;
    QString text;
    QStringList knoepfe;
};

taufgabe Aufgabe(const QString& name, QDate tag, qint32 start, qint32 dauer,
                 const QStringList& beschreibung = {}, const QStringList& notiz = {},
                 bool benutzer = false)
{
    taufgabe a;
    a.Kurzbezeichnung = name;
    a.Tag = Tageszahl::ausDatum(tag);
    a.Start = start;
    a.Dauer = dauer;
    a.Beschreibung = beschreibung;
    a.Notiz = notiz;
    a.Benutzeraufgabe = benutzer;
    return a;
}

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
               "Terminkalender von MS Outlook einzutragen. Es werden %1 Termine eingetragen.\n"
               "Dies kann nicht rückgängig gemacht werden,\n"
               "Sie können die Termine aber in MS Outlook weiter bearbeiten.\n"
               "Bereits in MS Outlook eingetragene Termine werden nicht verändert.\n"
               "Möchten Sie fortfahren?")
        .arg(n);
}

const QString kErfolg =
    QStringLiteral("Die Daten wurden erfolgreich in den Kalender von MS Outlook eingetragen.");
const QString kFehler =
    QStringLiteral("Bei der Übergabe der Daten an MS Outlook ist ein Fehler aufgetreten.");

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

class TestOutlookExport final : public QObject
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

    bool Exportieren(const Aufgabenliste& aufgaben, const QStringList& antworten,
                     QPushButton* knopf, TOutlookApplication& anwendung)
    {
        ModalHelfer helfer;
        Antworten(helfer, antworten);
        QWidget fenster;
        const bool ergebnis = OutlookButtonClick(&fenster, knopf, aufgaben, anwendung);
        if (!helfer.Erledigt())
            m_helferFehler = helfer.Fehler();
        return ergebnis;
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
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(QStringLiteral("Kistenlotse"));
        m_ordner = m_xdg.filePath(QStringLiteral("daten/Kistenlotse"));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), m_ordner);
    }

    void init()
    {
        QDir(m_ordner).removeRecursively();
        QFile::remove(m_ordner);
        m_kalender.urls.clear();
        m_kalender.inhalte.clear();
        m_kalender.sanduhr.clear();
        m_boxen.clear();
        m_helferFehler.clear();
        // The offscreen platform opens nothing; the handler takes the place of xdg-open.
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_kalender, "oeffnen");
    }

    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
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
        TOutlookApplication anwendung;
        QPushButton knopf;
        QVERIFY(!Exportieren(Aufgaben(anzahl), {QStringLiteral("Abbrechen")}, &knopf, anwendung));

        QCOMPARE(m_boxen.size(), 1);
        QCOMPARE(m_boxen.at(0).titel, QStringLiteral("Bestätigung"));
        QCOMPARE(m_boxen.at(0).text, Frage(anzahl));
        QCOMPARE(m_boxen.at(0).knoepfe,
                 (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
        // "Abbrechen": nothing happened and the export may be tried again.
        QVERIFY(knopf.isEnabled());
        QVERIFY(!anwendung.Verbunden());
        QVERIFY(anwendung.Dateipfad().isEmpty());
        QVERIFY(!QFileInfo::exists(m_ordner));
        QVERIFY(m_kalender.urls.isEmpty());
    }

    void ganzerPlanInListenreihenfolge()
    {
        Plan plan;
        plan.KatalogLaden(false);
        plan.AufgabenTerminieren(Tageszahl::ausDatum(QDate(2026, 5, 13)));
        const Aufgabenliste& aufgaben = plan.Aufgaben;
        QCOMPARE(aufgaben.size(), size_t(44));

        TOutlookApplication anwendung;
        QPushButton knopf;
        QVERIFY(
            Exportieren(aufgaben, {QStringLiteral("OK"), QStringLiteral("OK")}, &knopf, anwendung));

        QCOMPARE(m_boxen.size(), 2);
        QCOMPARE(m_boxen.at(0).text, Frage(44));
        QCOMPARE(m_boxen.at(1).titel, QStringLiteral("Bestätigung"));
        QCOMPARE(m_boxen.at(1).text, kErfolg);
        QCOMPARE(m_boxen.at(1).knoepfe, QStringList{QStringLiteral("OK")});
        QVERIFY(!knopf.isEnabled());
        QVERIFY(!anwendung.Verbunden());

        QCOMPARE(m_kalender.urls.size(), 1);
        QVERIFY(m_kalender.urls.at(0).isLocalFile());
        QCOMPARE(QFileInfo(m_kalender.urls.at(0).toLocalFile()).absolutePath(), m_ordner);
        QVERIFY(m_kalender.urls.at(0).fileName().startsWith(QStringLiteral("termine-")));
        QVERIFY2(m_kalender.sanduhr.at(0), "the hourglass shows while the calendar is filled");

        const IcsLesen::Kalender k = IcsLesen::Lesen(m_kalender.inhalte.at(0));
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
        TOutlookApplication anwendung;
        QVERIFY(Exportieren(aufgaben, {QStringLiteral("OK"), QStringLiteral("OK")}, nullptr,
                            anwendung));
        QCOMPARE(m_kalender.inhalte.size(), 1);

        const IcsLesen::Kalender k = IcsLesen::Lesen(m_kalender.inhalte.at(0));
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
        TOutlookApplication anwendung;
        QPushButton knopf;
        QVERIFY(Exportieren({}, {QStringLiteral("OK"), QStringLiteral("OK")}, &knopf, anwendung));
        QCOMPARE(m_boxen.size(), 2);
        QCOMPARE(m_boxen.at(0).text, Frage(0));
        QCOMPARE(m_boxen.at(1).text, kErfolg);
        // Connected and disconnected again; with nothing to import the calendar is left alone.
        QVERIFY(!anwendung.Dateipfad().isEmpty());
        QVERIFY(!anwendung.Verbunden());
        QVERIFY(m_kalender.urls.isEmpty());
        QVERIFY(!knopf.isEnabled());
    }

    void ordnerNichtAnlegbar()
    {
        // Root may write anywhere; a data folder that is a file stops even root.
        QVERIFY(QDir().mkpath(QFileInfo(m_ordner).absolutePath()));
        QFile datei(m_ordner);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.close();

        TOutlookApplication anwendung;
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
        QVERIFY(m_kalender.urls.isEmpty());
    }

    void fehlerInDerMitte_data()
    {
        QTest::addColumn<bool>("platteVoll");
        QTest::addColumn<QString>("meldungsanfang");
        QTest::newRow("disk full at the third appointment")
            << true << QStringLiteral("konnte nicht geschrieben werden");
        QTest::newRow("impossible date in the third task")
            << false << QStringLiteral("Der Termin „Aufgabe 3“ hat kein gültiges Datum.");
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

        TOutlookApplication anwendung;
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
        QCOMPARE(m_kalender.inhalte.size(), 1);
        const IcsLesen::Kalender k = IcsLesen::Lesen(m_kalender.inhalte.at(0));
        QCOMPARE(k.ereignisse.size(), 2);
        QCOMPARE(k.ereignisse.at(0).summary, QStringLiteral("Aufgabe 1"));
        QCOMPARE(k.ereignisse.at(1).summary, QStringLiteral("Aufgabe 2"));
        QCOMPARE(Termindateien().size(), 1);
    }

    void keinKalenderprogramm()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("does not support")));
        TOutlookApplication anwendung;
        QPushButton knopf;
        QVERIFY(Exportieren(Aufgaben(2),
                            {QStringLiteral("OK"), QStringLiteral("OK"), QStringLiteral("OK")},
                            &knopf, anwendung));
        QCOMPARE(m_boxen.size(), 3);
        QCOMPARE(m_boxen.at(1).text, kFehler);
        QCOMPARE(m_boxen.at(2).titel, QStringLiteral("Fehler"));
        QCOMPARE(m_boxen.at(2).text,
                 QStringLiteral(
                     "Die Termindatei „%1“ konnte nicht an das Kalenderprogramm übergeben werden.")
                     .arg(QDir::toNativeSeparators(anwendung.Dateipfad())));
        // The file stays for the user to import by hand.
        QCOMPARE(IcsLesen::DateiLesen(anwendung.Dateipfad()).ereignisse.size(), 2);
    }

    void einExportProLauf()
    {
        TOutlookApplication anwendung;
        QWidget fenster;
        QPushButton knopf(&fenster);
        const Aufgabenliste aufgaben = Aufgaben(2);
        QObject::connect(&knopf, &QPushButton::clicked, &fenster,
                         [&] { OutlookButtonClick(&fenster, &knopf, aufgaben, anwendung); });

        {
            ModalHelfer helfer;
            Antworten(helfer, {QStringLiteral("Abbrechen")});
            knopf.click();
            QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        }
        QVERIFY(knopf.isEnabled());
        {
            ModalHelfer helfer;
            Antworten(helfer, {QStringLiteral("OK"), QStringLiteral("OK")});
            knopf.click();
            QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        }
        QVERIFY(!knopf.isEnabled());
        QCOMPARE(m_kalender.urls.size(), 1);

        // A further click does nothing: no question, no second file.
        knopf.click();
        QTest::qWait(50);
        QCOMPARE(m_boxen.size(), 3);
        QCOMPARE(m_kalender.urls.size(), 1);
        QCOMPARE(Termindateien().size(), 1);
    }

    void zweiterLaufExportiertErneut()
    {
        // Each run exports all tasks again into a file of its own.
        for (int lauf = 0; lauf < 2; ++lauf) {
            TOutlookApplication anwendung;
            QVERIFY(Exportieren(Aufgaben(2), {QStringLiteral("OK"), QStringLiteral("OK")}, nullptr,
                                anwendung));
        }
        QCOMPARE(m_kalender.urls.size(), 2);
        QVERIFY(m_kalender.urls.at(0) != m_kalender.urls.at(1));
        QCOMPARE(Termindateien().size(), 2);
    }

    void eintragstypUndVerbindung()
    {
        TOutlookApplication anwendung;
        QVERIFY_THROWS_EXCEPTION(KalenderFehler, anwendung.CreateItem(1));
        anwendung.Connect();
        QVERIFY_THROWS_EXCEPTION(KalenderFehler, anwendung.CreateItem(0));
        auto item = anwendung.CreateItem(TOutlookApplication::olAppointmentItem);
        QVERIFY(item);
        item->setSubject(QStringLiteral("Termin"));
        // Moments are placed in the calendar's zone.
        const QByteArray zone = anwendung.Zeitzone();
        item->setStart(QDateTime(QDate(2026, 5, 3), QTime(8, 0), QTimeZone(zone)));
        item->setEnd(QDateTime(QDate(2026, 5, 3), QTime(7, 0), Qt::UTC));
        QCOMPARE(item->Start(), (Ortszeit{QDate(2026, 5, 3), QTime(8, 0)}));
        QCOMPARE(item->End(),
                 OrtszeitAusMoment(QDateTime(QDate(2026, 5, 3), QTime(7, 0), Qt::UTC), zone));
        QVERIFY_THROWS_EXCEPTION(KalenderFehler, item->setStart(1.0e12));
        item->Save();
        QCOMPARE(anwendung.Anzahl(), 1);
        anwendung.Disconnect();
        QCOMPARE(m_kalender.urls.size(), 1);
        QVERIFY(!anwendung.Verbunden());
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

        const bool ergebnis = OutlookVerfuegbar();
        // The question asked without waiting gets the same answer, once.
        QObject kontext;
        QList<bool> antworten;
        OutlookVerfuegbarFragen(&kontext, [&](bool ja) { antworten.append(ja); });
        QTRY_COMPARE_WITH_TIMEOUT(antworten.size(), 1, 10000);
        QTest::qWait(50);
        QDir(anwendungen).removeRecursively();
        QCOMPARE(ergebnis, erwartet);
        QCOMPARE(antworten, QList<bool>{erwartet});
    }
};

QTEST_MAIN(TestOutlookExport)
#include "tst_outlookexport.moc"
