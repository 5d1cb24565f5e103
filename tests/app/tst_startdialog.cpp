#include "guihilfe.h"

#include "app/anwendung.h"
#include "app/kalenderform.h"
#include "app/situationsform.h"
#include "app/splashform.h"
#include "model/plandatei.h"
#include "model/uhr.h"
#include "support/hauptfenster.h"
#include "support/modalhelfer.h"
#include "widgets/datumsfeld.h"
#include "widgets/qvimagebutton.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

class TestStartdialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void deutscheQtTexte();
    void splashKlickSchliesst();
    void splashSchliessfeldBeendet();
    void splashZeitAbgelaufen();
    void startFolge();
    void startAbgebrochen();
    void datumspruefung_data();
    void datumspruefung();
    void ohneLetztenPlan();
    void mitLetztemPlan();
    void weiterplanenOhneDatei_data();
    void weiterplanenOhneDatei();
    void weiterplanenMitDatei();
    void zeitraumFrage_data();
    void zeitraumFrage();
    void felderNachBeschriftung_data();
    void felderNachBeschriftung();
    void inDerBildschirmmitte();
    void knopfNachSchliessenNormal_data();
    void knopfNachSchliessenNormal();

private:
    // "Neu beginnen" in the window: the start dialog, and what its answer does.
    void NeuBeginnen() { m_f->Knopf("NeuButton")->Klicken(); }
    QString Einstellungsdatei() const
    {
        return m_ordner->filePath(QStringLiteral("kistenlotse.ini"));
    }

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<TKalenderForm> m_f;
};

void TestStartdialog::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    m_f = Hauptfenster(*m_ordner);
}

void TestStartdialog::cleanup()
{
    m_f->hide();
    m_f.reset();
    Uhr::Festsetzen({});
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestStartdialog::deutscheQtTexte()
{
    // Qt's own dialogs (file dialogs, print setup) speak German.
    QVERIFY(Anwendung::DeutschLaden(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"),
             QStringLiteral("Datei&name:"));
}

void TestStartdialog::splashKlickSchliesst()
{
    ModalHelfer helfer;
    QString titel;
    helfer.Mache(
        [&](QWidget* w) {
            titel = w->windowTitle();
            QVERIFY(static_cast<TSplashForm*>(w)->Timer1().isActive());
            QTest::mouseClick(w->findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
        },
        QStringLiteral("SplashForm"));
    QCOMPARE(m_f->Begruessung()->exec(), int(QDialog::Accepted));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(titel, QStringLiteral("Willkommen beim Kistenlotse der Quellmark AG"));
    QVERIFY(!m_f->Begruessung()->Timer1().isActive());
}

void TestStartdialog::splashSchliessfeldBeendet()
{
    ModalHelfer helfer;
    helfer.Mache([](QWidget* w) { w->close(); }, QStringLiteral("SplashForm"));
    QVERIFY(!m_f->Starten());
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(!m_f->isVisible());
}

void TestStartdialog::splashZeitAbgelaufen()
{
    ModalHelfer helfer;
    helfer.Mache(
        [](QWidget* w) {
            auto* s = static_cast<TSplashForm*>(w);
            QCOMPARE(s->Timer1().interval(), 8000);
            s->Timer1().setInterval(10); // let the timer run out now
            s->Timer1().start();
        },
        QStringLiteral("SplashForm"));
    QCOMPARE(m_f->Begruessung()->exec(), int(QDialog::Accepted));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
}

void TestStartdialog::startFolge()
{
    ModalHelfer helfer;
    double einzug = 0;
    double auszug = 0;
    helfer.Mache([](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
                 QStringLiteral("SplashForm"));
    helfer.Mache(
        [&](QWidget* w) {
            einzug = Kind<TDateEdit>(w, "DateEdit1")->Date();
            auszug = Kind<TDateEdit>(w, "DateEdit2")->Date();
            Kind<QComboBox>(w, "ComboBox1")->setCurrentIndex(2);
            Kind<QComboBox>(w, "ComboBox2")->setCurrentIndex(12);
            QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterButton"), Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    QVERIFY(m_f->Starten());
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(einzug, Tageszahl::heute() + 15);
    QCOMPARE(auszug, Tageszahl::heute() + 30);
    QVERIFY(m_f->isVisible());
    QVERIFY(m_f->isMaximized()); // no settings file
    QCOMPARE(m_f->plan().situation().BundeslandA, 3);
    QCOMPARE(m_f->plan().situation().BundeslandB, 13);
    QVERIFY(m_f->plan().Aufgaben().size() >= 30);
    QVERIFY(m_f->AnzahlTage() >= 35);
}

void TestStartdialog::startAbgebrochen()
{
    // The cancel button is hidden at start; the close box cancels.
    ModalHelfer helfer;
    helfer.Mache([](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
                 QStringLiteral("SplashForm"));
    helfer.Mache(
        [](QWidget* w) {
            QVERIFY(!Kind<TQvImageButton>(w, "AbbrechenButton")->isVisible());
            w->close();
        },
        QStringLiteral("SituationsForm"));
    QVERIFY(!m_f->Starten());
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
}

void TestStartdialog::datumspruefung_data()
{
    QTest::addColumn<QString>("einzug");
    QTest::addColumn<QString>("auszug");
    QTest::addColumn<bool>("angenommen");
    const QString heute = Tageszahl::Text(Tageszahl::heute());
    const QString morgen = Tageszahl::Text(Tageszahl::heute() + 1);
    const QString spaeter = Tageszahl::Text(Tageszahl::heute() + 20);
    QTest::newRow("heute abgelehnt") << heute << spaeter << false;
    QTest::newRow("morgen angenommen") << morgen << spaeter << true;
    QTest::newRow("gleiche Daten angenommen") << spaeter << spaeter << true;
    QTest::newRow("Auszug vor Einzug abgelehnt") << spaeter << morgen << false;
    QTest::newRow("ungueltiger Text abgelehnt") << QStringLiteral("31.02.2030") << spaeter << false;
    QTest::newRow("leerer Text abgelehnt") << QString() << spaeter << false;
    QTest::newRow("leerer Auszug abgelehnt") << morgen << QString() << false;
}

void TestStartdialog::datumspruefung()
{
    QFETCH(QString, einzug);
    QFETCH(QString, auszug);
    QFETCH(bool, angenommen);
    TSituationsForm* s = m_f->Startdialog();
    Kind<TDateEdit>(s, "DateEdit1")->setText(einzug);
    Kind<TDateEdit>(s, "DateEdit2")->setText(auszug);
    ModalHelfer helfer;
    QString text;
    QString titel;
    helfer.Mache(
        [&](QWidget* w) {
            QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterButton"), Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    if (!angenommen) {
        // The click shows the message; the dialog stays open and is closed by hand.
        helfer.Druecke(
            QStringLiteral("knopf_ok"),
            [&](QWidget* w) {
                text = qobject_cast<QMessageBox*>(w)->text();
                titel = w->windowTitle();
            },
            QStringLiteral("meldung"));
        helfer.Mache([](QWidget* w) { w->close(); }, QStringLiteral("SituationsForm"));
    }
    NeuBeginnen();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(s->result() == QDialog::Accepted, angenommen);
    if (!angenommen) {
        QCOMPARE(text, QStringLiteral("Die gewählten Daten für Aus- bzw. Einzug sind "
                                      "unzulässig.\nBitte korrigieren Sie die Eingaben."));
        QCOMPARE(titel, QStringLiteral("Bestätigung"));
        QVERIFY(m_f->plan().Aufgaben().empty());
    } else {
        QVERIFY(!m_f->plan().Aufgaben().empty());
    }
}

void TestStartdialog::ohneLetztenPlan()
{
    TSituationsForm* s = m_f->Startdialog();
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            QVERIFY(!Kind<TQvImageButton>(w, "WeiterplanenButton")->isVisible());
            QCOMPARE(Kind<QLabel>(w, "Label7")->text(),
                     QStringLiteral("Durch beantworten der Fragen und klick auf "
                                    "\"Weiter\"\nbeginnen Sie die Planung eines neuen Umzugs"));
            auto* abbrechen = Kind<TQvImageButton>(w, "AbbrechenButton");
            QCOMPARE(abbrechen->geometry().bottom() + 1,
                     Kind<TQvImageButton>(w, "WeiterButton")->y());
            QTest::mouseClick(abbrechen, Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    QCOMPARE(s->Zeigen(true), int(QDialog::Rejected)); // as from "Neu beginnen"
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
}

void TestStartdialog::mitLetztemPlan()
{
    const QString plan = m_ordner->filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(LastsavedSchreiben(Einstellungsdatei(), plan));
    TSituationsForm* s = m_f->Startdialog();
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            auto* weiterplanen = Kind<TQvImageButton>(w, "WeiterplanenButton");
            QVERIFY(weiterplanen->isVisible());
            QCOMPARE(
                Kind<QLabel>(w, "Label7")->text(),
                QStringLiteral(
                    "Durch beantworten der Fragen und klick auf \"Weiter\"\nbeginnen Sie die "
                    "Planung eines neuen Umzugs. \nMit Klick auf \"Weiterplanen\" laden Sie den "
                    "letzten Umzug.\n (") +
                    plan + QStringLiteral(")"));
            QCOMPARE(Kind<TQvImageButton>(w, "AbbrechenButton")->geometry().bottom() + 1,
                     weiterplanen->y());
            w->close();
        },
        QStringLiteral("SituationsForm"));
    QCOMPARE(s->Zeigen(true), int(QDialog::Rejected));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
}

void TestStartdialog::weiterplanenOhneDatei_data()
{
    QTest::addColumn<bool>("beimStart"); // else from "Neu beginnen" with a plan shown
    QTest::newRow("beim Start: leerer Kalender") << true;
    QTest::newRow("Neu beginnen: der Plan bleibt") << false;
}

// "Weiterplanen" with a plan file that is gone: the message, then at the start an empty
// calendar of five weeks; from "Neu beginnen" the plan shown stays.
void TestStartdialog::weiterplanenOhneDatei()
{
    QFETCH(bool, beimStart);
    QVERIFY(
        LastsavedSchreiben(Einstellungsdatei(), m_ordner->filePath(QStringLiteral("fehlt.kvr"))));
    if (!beimStart)
        m_f->KalenderErstellen(BerlinerUmzug(), true);
    const Aufgabenliste vorher = m_f->plan().Aufgaben();
    ModalHelfer helfer;
    QString text;
    if (beimStart)
        helfer.Mache([](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
                     QStringLiteral("SplashForm"));
    helfer.Mache(
        [&](QWidget* w) {
            QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterplanenButton"), Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    helfer.Druecke(
        QStringLiteral("knopf_ok"),
        [&](QWidget* w) {
            text = qobject_cast<QMessageBox*>(w)->text();
            QCOMPARE(w->windowTitle(), QStringLiteral("Warnung"));
        },
        QStringLiteral("meldung"));
    if (beimStart)
        QVERIFY(m_f->Starten());
    else
        NeuBeginnen();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text, QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n"
                                  "Die Datei „%1“ gibt es nicht.")
                       .arg(m_ordner->filePath(QStringLiteral("fehlt.kvr"))));
    QVERIFY(m_f->plan().Aufgaben() == vorher);
    if (beimStart)
        QCOMPARE(m_f->AnzahlTage(), 35);
    QVERIFY(!m_f->Geaendert());
}

void TestStartdialog::weiterplanenMitDatei()
{
    Plan plan;
    plan.situation().BundeslandA = 2;
    plan.situation().BundeslandB = 13;
    plan.situation().Einzugdatum = QStringLiteral("10.09.2001");
    plan.situation().Auszugdatum = QStringLiteral("14.09.2001");
    plan.AbfolgeSuchen(T(2001, 9, 10), T(2001, 9, 14), nullptr);
    const QString pfad = m_ordner->filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(PlanSchreiben(pfad, plan.Aufgaben(), plan.situation(), T(2001, 8, 13), 49));
    QVERIFY(LastsavedSchreiben(Einstellungsdatei(), pfad));
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterplanenButton"), Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    NeuBeginnen();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(m_f->plan().Aufgaben().size(), plan.Aufgaben().size());
    QCOMPARE(m_f->plan().situation().BundeslandB, 13);
    QVERIFY(!m_f->Geaendert());
    QVERIFY(m_f->AnzahlTage() >= 35);
}

void TestStartdialog::zeitraumFrage_data()
{
    QTest::addColumn<int>("bisEinzug"); // days from today
    QTest::addColumn<int>("monate");    // the window's length in months …
    QTest::addColumn<int>("tageMehr");  // … plus days
    QTest::addColumn<QString>("frage"); // empty: planned without a question
    QTest::addColumn<bool>("ja");

    const QString fern = QStringLiteral("Der Umzug beginnt erst in mehr als einem Jahr.");
    const QString lang = QStringLiteral("Der Zeitraum für den Umzug ist länger als sechs Monate.");
    const QString trotzdem =
        QStringLiteral("\nSoll der Umzug trotzdem mit diesen Daten geplant werden?");
    QTest::newRow("six months exactly") << 10 << 6 << 0 << QString() << true;
    QTest::newRow("six months and a day, no") << 10 << 6 << 1 << lang + trotzdem << false;
    QTest::newRow("six months and a day, yes") << 10 << 6 << 1 << lang + trotzdem << true;
    QTest::newRow("a year from today exactly") << 365 << 0 << 5 << QString() << true;
    QTest::newRow("a year and a day from today") << 366 << 0 << 5 << fern + trotzdem << true;
    QTest::newRow("both") << 400 << 7 << 0 << fern + QStringLiteral("\n") + lang + trotzdem
                          << false;
}

void TestStartdialog::zeitraumFrage()
{
    QFETCH(int, bisEinzug);
    QFETCH(int, monate);
    QFETCH(int, tageMehr);
    QFETCH(QString, frage);
    QFETCH(bool, ja);
    // Today is 10 January 2027 (2028 is no leap year before March), noon.
    TSituationsForm* s = m_f->Startdialog();
    Uhr::Festsetzen(QDateTime(QDate(2027, 1, 10), QTime(12, 0)));
    const QDate einzug = QDate(2027, 1, 10).addDays(bisEinzug);
    s->DatenSetzen(Tageszahl::ausDatum(einzug),
                   Tageszahl::ausDatum(einzug.addMonths(monate).addDays(tageMehr)));

    ModalHelfer helfer;
    QString text;
    // Enter in the first drop-down list presses "Weiter", the default button.
    helfer.Mache(
        [](QWidget* w) {
            auto* liste = Kind<QComboBox>(w, "ComboBox1");
            liste->setFocus();
            QTest::keyClick(liste, Qt::Key_Return);
        },
        QStringLiteral("SituationsForm"));
    if (!frage.isEmpty()) {
        helfer.Druecke(
            ja ? QStringLiteral("knopf_ja") : QStringLiteral("knopf_nein"),
            [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); },
            QStringLiteral("meldung"));
        if (!ja)
            helfer.Mache([](QWidget* w) { w->close(); }, QStringLiteral("SituationsForm"));
    }
    NeuBeginnen();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text, frage);
    QCOMPARE(s->result() == QDialog::Accepted, ja);
    QCOMPARE(m_f->plan().Aufgaben().empty(), !ja);
}

void TestStartdialog::felderNachBeschriftung_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("name"); // what a screen reader announces
    QTest::newRow("von") << QStringLiteral("ComboBox1") << QStringLiteral("Ich ziehe von");
    QTest::newRow("nach") << QStringLiteral("ComboBox2") << QStringLiteral("nach");
    QTest::newRow("Einzug") << QStringLiteral("DateEdit1") << QStringLiteral("Einzug ab dem");
    QTest::newRow("Auszug") << QStringLiteral("DateEdit2") << QStringLiteral("Auszug vor dem");
}

// The state lists and the dates are tied to their visible labels, so a screen reader names
// them, where the keyboard focus lands.
void TestStartdialog::felderNachBeschriftung()
{
    QFETCH(QString, feld);
    QFETCH(QString, name);
    TSituationsForm* s = m_f->Startdialog();
    auto* w = s->findChild<QWidget*>(feld);
    QVERIFY(w);
    QWidget* fokus = w->focusProxy() ? w->focusProxy() : w;
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(fokus);
    QVERIFY(zugang);
    // A list is named by its current entry; the label reaches the reader as its "labelled by".
    QStringList namen{zugang->text(QAccessible::Name)};
    for (const auto& [andere, art] : zugang->relations(QAccessible::Label))
        namen.append(andere->text(QAccessible::Name));
    QVERIFY2(namen.contains(name), qPrintable(namen.join(u'|')));
    bool beschriftet = false;
    for (const QLabel* l : s->findChildren<QLabel*>())
        beschriftet = beschriftet || (l->buddy() == w && l->text() == name);
    QVERIFY(beschriftet);
}

void TestStartdialog::inDerBildschirmmitte()
{
    // Both windows appear in the middle of the screen that holds the mouse, whatever the
    // main window (not shown yet) says.
    QScreen* bildschirm = QGuiApplication::primaryScreen();
    QCursor::setPos(bildschirm, bildschirm->geometry().center() + QPoint(100, 50));
    const QPoint mitte = bildschirm->availableGeometry().center();
    QPoint splash;
    QPoint start;
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            splash = w->frameGeometry().center();
            QTest::mouseClick(w, Qt::LeftButton);
        },
        QStringLiteral("SplashForm"));
    helfer.Mache(
        [&](QWidget* w) {
            start = w->frameGeometry().center();
            static_cast<QDialog*>(w)->reject();
        },
        QStringLiteral("SituationsForm"));
    QVERIFY(!m_f->Starten());
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY2((splash - mitte).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(splash.x()).arg(splash.y())));
    QVERIFY2((start - mitte).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(start.x()).arg(start.y())));
}

void TestStartdialog::knopfNachSchliessenNormal_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::newRow("Weiter") << QStringLiteral("WeiterButton");
    QTest::newRow("Abbrechen") << QStringLiteral("AbbrechenButton");
}

void TestStartdialog::knopfNachSchliessenNormal()
{
    // The button's own click closes the dialog, so the button hears no leave; it must not look
    // hovered when the dialog comes back with the pointer elsewhere.
    QFETCH(QString, knopf);
    TSituationsForm* s = m_f->Startdialog();
    s->DatenSetzen(Tageszahl::heute() + 15, Tageszahl::heute() + 30);
    auto* k = s->findChild<TQvImageButton*>(knopf);
    QVERIFY(k);
    for (int runde = 0; runde < 2; ++runde) {
        int beimAnfang = 0;
        int darueber = 0;
        ModalHelfer helfer;
        helfer.Mache(
            [&](QWidget*) {
                beimAnfang = k->CurrentButton();
                const QPointF innen(5, 5);
                QEnterEvent rein(innen, k->mapTo(k->window(), innen), k->mapToGlobal(innen));
                QApplication::sendEvent(k, &rein);
                darueber = k->CurrentButton();
                QTest::mouseClick(k, Qt::LeftButton, {}, innen.toPoint());
            },
            QStringLiteral("SituationsForm"));
        NeuBeginnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(beimAnfang, TQvImageButton::NormalFrame);
        QCOMPARE(darueber, TQvImageButton::MouseOverFrame);
        QVERIFY(!s->isVisible());
        QCOMPARE(k->CurrentButton(), TQvImageButton::NormalFrame);
    }
}

QTEST_MAIN(TestStartdialog)
#include "tst_startdialog.moc"
