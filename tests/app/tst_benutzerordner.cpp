// Where the program keeps its files when it is installed: settings in the user's configuration
// folder, plans in the documents folder, data beside the program or in share/kistenlotse; and
// the start with a plan file from outside.

#include "guihilfe.h"

#include "app/kalenderform.h"
#include "app/situationsform.h"
#include "app/tday.h"
#include "model/ordner.h"
#include "model/plandatei.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestBenutzerordner final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void einstellungsPfad_data();
    void einstellungsPfad();
    void datendatei_data();
    void datendatei();
    void planOrdnerOhneDokumente();
    void installierterStart();
    void startMitPlandatei_data();
    void startMitPlandatei();

private:
    QString Heim(const QString& name) const { return m_heim.filePath(name); }

    QTemporaryDir m_heim;     // a new user's home
    QTemporaryDir m_programm; // the program's folder, read-only as under /usr/bin
};

namespace {

bool Anlegen(const QString& pfad, const QByteArray& inhalt = QByteArrayLiteral("x"))
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(inhalt) == inhalt.size();
}

void Schreibschutz(const QString& ordner, bool geschuetzt)
{
    QFile::setPermissions(ordner, geschuetzt
                                      ? QFile::ReadOwner | QFile::ExeOwner
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Splash window: a click closes it.
void SplashWeg(ModalHelfer& helfer)
{
    helfer.Mache([](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
                 QStringLiteral("SplashForm"));
}

} // namespace

void TestBenutzerordner::initTestCase()
{
    QVERIFY(m_heim.isValid() && m_programm.isValid());
    qputenv("HOME", m_heim.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Heim(QStringLiteral(".config")).toLocal8Bit());
    // A German desktop names the documents folder in user-dirs.dirs.
    QVERIFY(Anlegen(Heim(QStringLiteral(".config/user-dirs.dirs")),
                    QByteArrayLiteral("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n")));
    QVERIFY(QDir().mkpath(Heim(QStringLiteral("Dokumente"))));
    Schreibschutz(m_programm.path(), true);
}

void TestBenutzerordner::cleanup()
{
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestBenutzerordner::einstellungsPfad_data()
{
    QTest::addColumn<bool>("daneben");      // a kistenlotse.ini beside the program
    QTest::addColumn<bool>("beschreibbar"); // the program's folder
    QTest::addColumn<bool>("tragbar");      // that file is the settings file
    QTest::newRow("installed") << false << false << false;
    QTest::newRow("build folder without settings") << false << true << false;
    QTest::newRow("portable copy") << true << true << true;
    QTest::newRow("old file beside a read-only program") << true << false << false;
}

void TestBenutzerordner::einstellungsPfad()
{
    QFETCH(bool, daneben);
    QFETCH(bool, beschreibbar);
    QFETCH(bool, tragbar);
    if (!beschreibbar && daneben && ::geteuid() == 0)
        QSKIP("root may write into every folder");
    QTemporaryDir programm;
    if (daneben)
        QVERIFY(Anlegen(programm.filePath(QStringLiteral("kistenlotse.ini"))));
    Schreibschutz(programm.path(), !beschreibbar);
    const QString pfad = EinstellungsPfad(programm.path());
    Schreibschutz(programm.path(), false);
    QCOMPARE(pfad, tragbar ? programm.filePath(QStringLiteral("kistenlotse.ini"))
                           : Heim(QStringLiteral(".config/Kistenlotse/kistenlotse.ini")));
}

void TestBenutzerordner::datendatei_data()
{
    QTest::addColumn<QStringList>("vorhanden"); // below the prefix
    QTest::addColumn<QString>("erwartet");
    const QString hlp = QStringLiteral("kistenlotse-hilfe.html");
    QTest::newRow("beside the program")
        << QStringList{QStringLiteral("bin/") + hlp} << QStringLiteral("bin/") + hlp;
    QTest::newRow("installed") << QStringList{QStringLiteral("share/kistenlotse/") + hlp}
                               << QStringLiteral("share/kistenlotse/") + hlp;
    QTest::newRow("both: beside wins")
        << QStringList{QStringLiteral("bin/") + hlp, QStringLiteral("share/kistenlotse/") + hlp}
        << QStringLiteral("bin/") + hlp;
    QTest::newRow("missing from an installation")
        << QStringList{QStringLiteral("share/kistenlotse/Uebergabe.gif")}
        << QStringLiteral("share/kistenlotse/") + hlp;
    QTest::newRow("missing from a build folder")
        << QStringList{QStringLiteral("bin/kistenlotse")} << QStringLiteral("bin/") + hlp;
}

void TestBenutzerordner::datendatei()
{
    QFETCH(QStringList, vorhanden);
    QFETCH(QString, erwartet);
    QTemporaryDir prefix;
    for (const QString& datei : vorhanden)
        QVERIFY(Anlegen(prefix.filePath(datei)));
    QCOMPARE(Datendatei(QStringLiteral("kistenlotse-hilfe.html"),
                        prefix.filePath(QStringLiteral("bin"))),
             prefix.filePath(erwartet));
}

void TestBenutzerordner::planOrdnerOhneDokumente()
{
    QCOMPARE(PlanOrdner(), Heim(QStringLiteral("Dokumente")));
    QVERIFY(QDir(Heim(QStringLiteral("Dokumente"))).removeRecursively());
    QCOMPARE(PlanOrdner(), m_heim.path());
    QVERIFY(QDir().mkpath(Heim(QStringLiteral("Dokumente"))));
}

// A new user starts the installed program, saves, ends, starts again: the settings land in
// ~/.config, "Weiterplanen" is offered, no message appears on the way.
void TestBenutzerordner::installierterStart()
{
    const QString einstellungen = EinstellungsPfad(m_programm.path());
    const QString dokumente = Heim(QStringLiteral("Dokumente"));
    qsizetype aufgaben = 0;
    {
        TKalenderForm f({.einstellungsPfad = einstellungen});
        ModalHelfer helfer(3000);
        SplashWeg(helfer);
        helfer.Mache(
            [](QWidget* w) {
                QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterButton"), Qt::LeftButton);
            },
            QStringLiteral("SituationsForm"));
        QVERIFY(f.Starten());
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        aufgaben = f.plan().Aufgaben().size();

        ModalHelfer speichern(3000);
        QString ordner;
        speichern.Mache(
            [&](QWidget* w) {
                auto* d = static_cast<QFileDialog*>(w);
                ordner = d->directory().absolutePath();
                d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(QStringLiteral("umzug"));
                static_cast<QDialog*>(d)->accept();
            },
            QStringLiteral("SaveDialog1"));
        speichern.Taste(Qt::Key_Escape, {}, QStringLiteral("QMessageBox")); // must not be needed
        QTest::mouseClick(f.Knopf("SpeicherButton"), Qt::LeftButton);
        speichern.Abwarten();
        QCOMPARE(speichern.Beantwortet(), 1);
        QCOMPARE(ordner, dokumente);
        QVERIFY(QFile::exists(dokumente + QStringLiteral("/umzug.kvr")));
        QVERIFY(!f.Geaendert());

        ModalHelfer schliessen(1000);
        schliessen.Taste(Qt::Key_Escape, {}, QStringLiteral("QMessageBox"));
        QVERIFY(f.close());
        schliessen.Abwarten();
        QCOMPARE(schliessen.Beantwortet(), 0);
    }
    QCOMPARE(einstellungen, Heim(QStringLiteral(".config/Kistenlotse/kistenlotse.ini")));
    const Einstellungen e = EinstellungenLesen(einstellungen);
    QCOMPARE(e.zuletztGespeichert, dokumente + QStringLiteral("/umzug.kvr"));
    QVERIFY(e.fensterbreite > 0);

    TKalenderForm f({.einstellungsPfad = einstellungen});
    ModalHelfer helfer(3000);
    SplashWeg(helfer);
    helfer.Mache(
        [](QWidget* w) {
            auto* weiterplanen = Kind<TQvImageButton>(w, "WeiterplanenButton");
            QVERIFY(weiterplanen->isVisible());
            QTest::mouseClick(weiterplanen, Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    QVERIFY(f.Starten());
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(f.plan().Aufgaben().size(), aufgaben);

    ModalHelfer laden;
    QString ordner;
    laden.Mache(
        [&](QWidget* w) {
            ordner = static_cast<QFileDialog*>(w)->directory().absolutePath();
            static_cast<QDialog*>(w)->reject();
        },
        QStringLiteral("OpenDialog1"));
    QTest::mouseClick(f.Knopf("LadenButton"), Qt::LeftButton);
    QVERIFY2(laden.Erledigt(), qPrintable(laden.Fehler()));
    QCOMPARE(ordner, dokumente);
    f.hide();
}

void TestBenutzerordner::startMitPlandatei_data()
{
    QTest::addColumn<bool>("lesbar");
    QTest::newRow("plan file") << true;
    QTest::newRow("damaged file") << false;
}

// `kistenlotse PLAN.kvr`: the plan instead of the start dialog; a file that cannot be loaded
// gets the message of "Laden", then the start dialog.
void TestBenutzerordner::startMitPlandatei()
{
    QFETCH(bool, lesbar);
    const QString pfad = Heim(QStringLiteral("Dokumente/von-aussen.kvr"));
    Aufgabenliste geschrieben;
    if (lesbar) {
        Plan plan;
        plan.situation().BundeslandA = 9;
        plan.situation().BundeslandB = 14;
        plan.AbfolgeSuchen(T(2030, 3, 1), T(2030, 3, 15), nullptr);
        geschrieben = plan.Aufgaben();
        QVERIFY(PlanSchreiben(pfad, plan.Aufgaben(), plan.situation(), T(2030, 1, 7), 35));
    } else {
        QVERIFY(Anlegen(pfad, QByteArrayLiteral("keine Umzugsdatei")));
    }

    TKalenderForm f({.einstellungsPfad = Heim(QStringLiteral("start.ini"))});
    ModalHelfer helfer(lesbar ? 1500 : 5000);
    SplashWeg(helfer);
    QString meldung;
    bool startdialog = false;
    if (!lesbar)
        helfer.Druecke(
            QStringLiteral("knopf_ok"),
            [&](QWidget* w) { meldung = qobject_cast<QMessageBox*>(w)->text(); },
            QStringLiteral("meldung"));
    helfer.Mache(
        [&](QWidget* w) {
            startdialog = true;
            QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterButton"), Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    QVERIFY(f.Starten(pfad));
    helfer.Abwarten();
    QVERIFY(f.isVisible());
    if (lesbar) {
        QVERIFY(!startdialog);
        QCOMPARE(f.plan().situation().BundeslandA, 9);
        QCOMPARE(f.plan().Aufgaben().size(), geschrieben.size());
        QVERIFY(f.AnzahlTage() >= 35);
        QVERIFY(f.Tag(0)->isVisible());
        QVERIFY(!f.Geaendert());
    } else {
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        // The message of "Laden", with the reason in its second line.
        QVERIFY2(
            meldung.startsWith(QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n")),
            qPrintable(meldung));
        QVERIFY(startdialog);
        QVERIFY(!f.plan().Aufgaben().empty()); // the new plan from the start dialog
    }
    f.hide();
}

QTEST_MAIN(TestBenutzerordner)
#include "tst_benutzerordner.moc"
