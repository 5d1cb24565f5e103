// The real hand-over: run by uebergabe_echt.sh under a virtual X server, where a test handler
// is registered for text/calendar in temporary XDG folders and xdg-open does the rest.

#include "dialogs/terminexport.h"
#include "kalenderexport/desktopkalender.h"
#include "model/tageszahl.h"

#include "support/icslesen.h"
#include "support/modalhelfer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

class TestUebergabe final : public QObject
{
    Q_OBJECT

private:
    QString m_empfang;

private Q_SLOTS:
    void initTestCase()
    {
        m_empfang = qEnvironmentVariable("KL_EMPFANG");
        if (m_empfang.isEmpty())
            QSKIP("runs through uebergabe_echt.sh only");
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(QStringLiteral("Kistenlotse"));
    }

    void cleanupTestCase() { icaltimezone_free_builtin_timezones(); }

    void kalenderprogrammIstVerfuegbar() { QVERIFY(DesktopkalenderVorhanden()); }

    void termineErreichenDasKalenderprogramm()
    {
        Aufgabenliste aufgaben;
        for (int i = 0; i < 3; ++i) {
            taufgabe a;
            a.Kurzbezeichnung = QStringLiteral("Termin %1").arg(i + 1);
            a.Tag = Tageszahl::ausDatum(QDate(2026, 5, 3).addDays(i));
            a.Start = 17;
            a.Dauer = 3;
            aufgaben.push_back(a);
        }

        Desktopkalender anwendung;
        QWidget fenster;
        QPushButton knopf(&fenster);
        QStringList texte;
        ModalHelfer helfer;
        for (int i = 0; i < 2; ++i)
            helfer.Druecke(
                QStringLiteral("OK"),
                [&](QWidget* w) { texte << qobject_cast<QMessageBox*>(w)->text(); },
                QStringLiteral("meldung"));
        QVERIFY(TermineExportieren(&fenster, &knopf, aufgaben, anwendung));
        QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        QCOMPARE(texte.size(), 2);
        QCOMPARE(texte.at(1),
                 QStringLiteral("Die Daten wurden erfolgreich an Ihr Kalenderprogramm übergeben."));

        // xdg-open starts the handler on its own time.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_empfang), 30000);
        QFile empfangen(m_empfang);
        QVERIFY(empfangen.open(QIODevice::ReadOnly));
        const QByteArray inhalt = empfangen.readAll();
        QFile geschrieben(anwendung.Dateipfad());
        QVERIFY(geschrieben.open(QIODevice::ReadOnly));
        QCOMPARE(inhalt, geschrieben.readAll());

        const IcsLesen::Kalender k = IcsLesen::Lesen(inhalt);
        QCOMPARE(k.ereignisse.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(k.ereignisse.at(i).summary, aufgaben.at(size_t(i)).Kurzbezeichnung);
    }

    // A handler registered whose program is missing: xdg-open fails, and so does the export.
    void fehlendesKalenderprogramm()
    {
        const QString anwendungen =
            qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
        QFile eintrag(anwendungen + QStringLiteral("/kl-fehlt.desktop"));
        QVERIFY(eintrag.open(QIODevice::WriteOnly));
        eintrag.write("[Desktop Entry]\nType=Application\nName=Fehlt\n"
                      "Exec=/nicht/vorhanden/kalender %f\nMimeType=text/calendar;\n");
        eintrag.close();
        QCOMPARE(QProcess::execute(QStringLiteral("xdg-mime"),
                                   {QStringLiteral("default"), QStringLiteral("kl-fehlt.desktop"),
                                    QStringLiteral("text/calendar")}),
                 0);

        taufgabe a;
        a.Kurzbezeichnung = QStringLiteral("Termin");
        a.Tag = Tageszahl::ausDatum(QDate(2026, 5, 3));
        a.Start = 17;
        Desktopkalender anwendung;
        QWidget fenster;
        QStringList texte;
        ModalHelfer helfer;
        for (int i = 0; i < 3; ++i)
            helfer.Druecke(
                QStringLiteral("OK"),
                [&](QWidget* w) { texte << qobject_cast<QMessageBox*>(w)->text(); },
                QStringLiteral("meldung"));
        QVERIFY(TermineExportieren(&fenster, nullptr, {a}, anwendung));
        QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
        QCOMPARE(texte.size(), 3);
        QCOMPARE(texte.at(1), QStringLiteral("Bei der Übergabe der Daten an Ihr "
                                             "Kalenderprogramm ist ein Fehler aufgetreten."));
        QVERIFY2(texte.at(2).contains(QDir::toNativeSeparators(anwendung.Dateipfad())),
                 qPrintable(texte.at(2)));
        QVERIFY(QFileInfo::exists(anwendung.Dateipfad()));
    }
};

QTEST_MAIN(TestUebergabe)
#include "tst_uebergabe.moc"
