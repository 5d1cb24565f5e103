// "Mit Kalender abgleichen" as a user drives it. Without a server (scripts/test.d/caldav
// starts Radicale) only what needs none runs.

#include "caldav/testpartner.h"
#include "dialogs/abgleichdialog.h"
#include "support/modalhelfer.h"
#include "support/testdaten.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

namespace {

QString Umgebung(const char* name)
{
    return qEnvironmentVariable(name);
}

template <typename T> T* Teil(QWidget& w, const char* name)
{
    T* t = w.findChild<T*>(QString::fromLatin1(name));
    if (!t)
        qFatal("kein %s", name);
    return t;
}

void Eintippen(QWidget& w, const char* feld, const QString& text)
{
    QLineEdit* e = Teil<QLineEdit>(w, feld);
    e->clear();
    QTest::keyClicks(e, text);
}

bool WartenBis(const std::function<bool()>& bedingung)
{
    return QTest::qWaitFor(bedingung, 20000);
}

} // namespace

class TestAbgleichDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // No keyring in the tests: the dialog says so and asks each time.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kistenlotse-bus");
    }

    void unverschluesseltAbgelehnt()
    {
        TestPartner p;
        CalDavStand stand;
        TAbgleichDialog d(p, stand, QStringLiteral("p1"));
        d.show();
        Eintippen(d, "adresse", QStringLiteral("http://192.0.2.7/dav/"));
        Eintippen(d, "benutzer", QStringLiteral("anna"));
        Eintippen(d, "passwort", QStringLiteral("geheim"));
        ModalHelfer helfer;
        QString text;
        helfer.Druecke(QStringLiteral("knopf_ok"),
                       [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); });
        QTest::mouseClick(Teil<QPushButton>(d, "suchen"), Qt::LeftButton);
        QVERIFY(WartenBis([&] { return helfer.Beantwortet() == 1; }));
        QCOMPARE(text, QStringLiteral("Die Adresse „http://192.0.2.7/dav/“ kann nicht verwendet "
                                      "werden: Kalender werden nur verschlüsselt über https "
                                      "abgeglichen (unverschlüsselt nur mit einem Server auf "
                                      "diesem Rechner)."));
        QVERIFY(!Teil<QPushButton>(d, "abgleichen")->isEnabled());
    }

    void suchenAnlegenAbgleichen()
    {
        if (Umgebung("KL_CALDAV_URL").isEmpty())
            QSKIP("Kein CalDAV-Server (scripts/test.d/caldav startet ihn).");
        TestPartner p;
        for (int i = 1; i <= 5; ++i)
            p.aufgaben.push_back(Aufgabe(i, "Packen", T(2027, 5, 3) + i, 17, {}, 1));
        CalDavStand stand;
        TAbgleichDialog d(p, stand, QUuid::createUuid().toString(QUuid::Id128).left(16));
        QSignalSpy beendet(&d, &TAbgleichDialog::RundeBeendet);
        d.show();
        Eintippen(d, "adresse", Umgebung("KL_CALDAV_URL"));
        Eintippen(d, "benutzer", Umgebung("KL_CALDAV_BENUTZER"));
        Eintippen(d, "passwort", QStringLiteral("falsch"));
        QTest::mouseClick(Teil<QPushButton>(d, "suchen"), Qt::LeftButton);
        QLabel* status = Teil<QLabel>(d, "status");
        QVERIFY(WartenBis([&] { return status->text().contains(QLatin1String("erneut")); }));
        QCOMPARE(status->text(), QStringLiteral("Der Server „127.0.0.1“ hat den Benutzernamen "
                                                "oder das Passwort nicht angenommen. Bitte geben "
                                                "Sie das Passwort erneut ein."));
        QCOMPARE(QApplication::focusWidget(), Teil<QLineEdit>(d, "passwort"));

        Eintippen(d, "passwort", Umgebung("KL_CALDAV_PASSWORT"));
        QTest::mouseClick(Teil<QPushButton>(d, "suchen"), Qt::LeftButton);
        QPushButton* anlegen = Teil<QPushButton>(d, "anlegen");
        QVERIFY(WartenBis([&] { return anlegen->isEnabled(); }));
        QLabel* hinweis = Teil<QLabel>(d, "schluesselbundhinweis");
        QVERIFY(WartenBis([&] { return !hinweis->text().isEmpty(); }));
        // Without a session bus QtKeychain reports no backend or a failed call.
        QVERIFY2(hinweis->text().endsWith(QStringLiteral("Das Passwort wird deshalb nicht "
                                                         "gespeichert; Sie werden bei jedem "
                                                         "Abgleich danach gefragt.")),
                 qPrintable(hinweis->text()));
        QTest::mouseClick(anlegen, Qt::LeftButton);
        QComboBox* kalender = Teil<QComboBox>(d, "kalender");
        QVERIFY(WartenBis([&] { return status->text().endsWith(QLatin1String("angelegt.")); }));
        QCOMPARE(kalender->currentText(), QStringLiteral("Umzug"));

        QTest::mouseClick(Teil<QPushButton>(d, "abgleichen"), Qt::LeftButton);
        // While the round runs the window answers and offers to cancel it.
        QVERIFY(Teil<QPushButton>(d, "abbrechen")->isEnabled());
        QVERIFY(!Teil<QPushButton>(d, "schliessen")->isEnabled());
        QVERIFY(beendet.wait(20000));
        QCOMPARE(status->text(), QStringLiteral("Abgleich abgeschlossen: 5 neu, 0 geändert, 0 "
                                                "gelöscht, 0 aus dem Kalender übernommen."));
        QCOMPARE(stand.KalenderUrl, kalender->currentData().toUrl().toString());
        QCOMPARE(int(stand.Eintraege.size()), 5);
        QCOMPARE(Teil<QProgressBar>(d, "fortschritt")->value(),
                 Teil<QProgressBar>(d, "fortschritt")->maximum());
        if (!Umgebung("KL_ABGLEICH_FOTO").isEmpty())
            d.grab().save(Umgebung("KL_ABGLEICH_FOTO"));
    }

    void zertifikatVertrauen()
    {
        if (Umgebung("KL_CALDAV_TLS_URL").isEmpty())
            QSKIP("Kein CalDAV-Server mit TLS (scripts/test.d/caldav startet ihn).");
        TestPartner p;
        CalDavStand stand;
        TAbgleichDialog d(p, stand, QStringLiteral("p1"));
        d.show();
        Eintippen(d, "adresse", Umgebung("KL_CALDAV_TLS_URL"));
        Eintippen(d, "benutzer", Umgebung("KL_CALDAV_BENUTZER"));
        Eintippen(d, "passwort", Umgebung("KL_CALDAV_PASSWORT"));
        ModalHelfer helfer(20000);
        QString text;
        helfer.Druecke(QStringLiteral("knopf_ja"),
                       [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); });
        QTest::mouseClick(Teil<QPushButton>(d, "suchen"), Qt::LeftButton);
        QPushButton* anlegen = Teil<QPushButton>(d, "anlegen");
        QVERIFY(WartenBis([&] { return anlegen->isEnabled(); }));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QVERIFY(text.contains(Umgebung("KL_CALDAV_FINGERABDRUCK")));
        QVERIFY(text.endsWith(QStringLiteral("Wenn beide gleich sind, können Sie diesem "
                                             "Zertifikat vertrauen. Dem Zertifikat vertrauen?")));
        QCOMPARE(d.VertrauteZertifikate(), QStringList{Umgebung("KL_CALDAV_FINGERABDRUCK")});
    }
};

QTEST_MAIN(TestAbgleichDialog)
#include "tst_abgleichdialog.moc"
