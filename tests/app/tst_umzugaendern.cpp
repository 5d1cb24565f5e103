#include "guihilfe.h"

#include "app/kalenderform.h"
#include "app/reihenfolge.h"
#include "model/plandatei.h"
#include "model/uhr.h"
#include "support/hauptfenster.h"
#include "support/modalhelfer.h"
#include "widgets/datumsfeld.h"
#include "widgets/qvimagebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

class TestUmzugAendern final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void umplanen_data();
    void umplanen();
    void konfliktWieBeimZiehen();

private:
    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<TKalenderForm> m_f;
};

void TestUmzugAendern::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    Uhr::Festsetzen(QDateTime(QDate(2027, 1, 10), QTime(12, 0)));
    m_f = Hauptfenster(*m_ordner);
    QVERIFY(LastsavedSchreiben(m_ordner->filePath(QStringLiteral("kistenlotse.ini")),
                               m_ordner->filePath(QStringLiteral("alt.kvr"))));
    m_f->show();
    // Berlin with children from 3 February 2027: the bank has a note and a begin at 14:00,
    // the school is ticked off, the babysitter has a note, and one own task with a note.
    m_f->KalenderErstellen({.BundeslandA = 3,
                            .BundeslandB = 3,
                            .Kinder = true,
                            .Einzugdatum = QStringLiteral("03.02.2027"),
                            .Auszugdatum = QStringLiteral("17.02.2027")},
                           true);
    Plan& p = m_f->plan();
    p.Aufgabe(2)->Notiz = {QStringLiteral("Konto 1234")};
    p.Aufgabe(2)->Start = 29;
    p.Aufgabe(53)->Erledigt = true;
    p.Aufgabe(18)->Notiz = {QStringLiteral("Oma fragen")};
    taufgabe eigene = Aufgabe(ErsteEigeneAufgabe, "Kisten holen", T(2027, 1, 25), 20);
    eigene.Benutzeraufgabe = true;
    eigene.Notiz = {QStringLiteral("Keller")};
    p.Aufgaben.push_back(eigene);
    m_f->KalenderNeuAufbauen();
}

void TestUmzugAendern::cleanup()
{
    m_f.reset();
    Uhr::Festsetzen({});
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestUmzugAendern::umplanen_data()
{
    QTest::addColumn<int>("tage"); // the dates moved in the start dialog
    QTest::addColumn<bool>("kinder");
    QTest::addColumn<QStringList>("knoepfe"); // pressed in the start dialog, then the boxes
    QTest::addColumn<QStringList>("fragen");
    QTest::addColumn<int>("eigeneTage");
    QTest::addColumn<QString>("status"); // empty: nothing changed

    const auto t = [](const char* text) { return QString::fromUtf8(text); };
    const QString eigene = t(".\nSollen Ihre eigenen Aufgaben mitverschoben werden? Mit „Nein“ "
                             "bleiben sie an ihren Tagen.");
    const QString spaeter =
        t("Der Umzugstag verschiebt sich um 14 Tage nach hinten, vom 10.02.2027 auf den "
          "24.02.2027") +
        eigene;
    const QString ohneKinder =
        t("Diese Aufgaben gehören nicht mehr zu Ihrem Umzug und würden entfernt, obwohl sie eine "
          "Notiz haben oder erledigt sind:\n„Babysitter besorgen“ (mit Notiz)\n„Schule "
          "ummelden“ (erledigt)\nSollen sie trotzdem entfernt werden?");
    const QString feb = t("Der Umzug wurde geändert: Einzug ab dem 17.02.2027, Auszug vor dem "
                          "03.03.2027.");
    const QString weiter = t("WeiterButton");
    const QString ja = t("knopf_ja");
    const QString nein = t("knopf_nein");
    QTest::newRow("start dialog cancelled")
        << 14 << true << QStringList{t("AbbrechenButton")} << QStringList{} << 0 << QString();
    QTest::newRow("own tasks move")
        << 14 << true << QStringList{weiter, ja} << QStringList{spaeter} << 14
        << feb + t(" Ihre eigenen Aufgaben liegen 14 Tage später.");
    QTest::newRow("own tasks stay")
        << 14 << true << QStringList{weiter, nein} << QStringList{spaeter} << 0
        << feb + t(" Ihre eigenen Aufgaben bleiben an ihren Tagen.");
    QTest::newRow("cancelled at own tasks")
        << 14 << true << QStringList{weiter, t("knopf_abbrechen")} << QStringList{spaeter} << 0
        << QString();
    QTest::newRow("earlier, without children, yes")
        << -7 << false << QStringList{weiter, ja, ja}
        << QStringList{t("Der Umzugstag verschiebt sich um 7 Tage nach vorn, vom 10.02.2027 auf "
                         "den 03.02.2027") +
                           eigene,
                       ohneKinder}
        << -7
        << t("Der Umzug wurde geändert: Einzug ab dem 27.01.2027, Auszug vor dem 10.02.2027. "
             "Ihre eigenen Aufgaben liegen 7 Tage früher. 3 Aufgaben sind entfallen.");
    QTest::newRow("without children, no")
        << 0 << false << QStringList{weiter, nein} << QStringList{ohneKinder} << 0 << QString();
}

// "Umzug ändern" as the user does it: the start dialog with the plan's answers, the questions,
// what stays of the user's work, the status line, and one Strg+Z back to the plan before.
void TestUmzugAendern::umplanen()
{
    QFETCH(int, tage);
    QFETCH(bool, kinder);
    QFETCH(QStringList, knoepfe);
    QFETCH(QStringList, fragen);
    QFETCH(int, eigeneTage);
    QFETCH(QString, status);
    const Plan vorher = m_f->plan();
    const double ersterTag = m_f->ErsterTag();
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Umzug ändern"));
            QCOMPARE(Kind<QLabel>(w, "Label7")->text(),
                     QStringLiteral("Ändern Sie die Angaben und klicken Sie auf \"Weiter\":\nder "
                                    "Plan wird für die neuen Daten neu berechnet. Notizen, selbst "
                                    "gesetzte Uhrzeiten, erledigte und eigene Aufgaben bleiben "
                                    "erhalten."));
            QCOMPARE(Kind<QComboBox>(w, "ComboBox2")->currentText(), QStringLiteral("Berlin"));
            QVERIFY(!Kind<TQvImageButton>(w, "WeiterplanenButton")->isVisible());
            for (const char* name : {"DateEdit1", "DateEdit2"})
                Kind<TDateEdit>(w, name)->setDate(Kind<TDateEdit>(w, name)->Date() + tage);
            if (Kind<QCheckBox>(w, "KinderCheckBox")->isChecked() != kinder)
                Kind<QCheckBox>(w, "KinderCheckBox")->click();
            QTest::mouseClick(Kind<TQvImageButton>(w, knoepfe[0].toLatin1().constData()),
                              Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    QStringList gefragt;
    for (const QString& knopf : knoepfe.mid(1))
        helfer.Druecke(
            knopf, [&](QWidget* w) { gefragt << qobject_cast<QMessageBox*>(w)->text(); },
            QStringLiteral("meldung"));
    m_f->Knopf("UmzugAendernButton")->Klicken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(gefragt, fragen);
    QCOMPARE(m_f->StatusText().trimmed(), status);
    Plan& p = m_f->plan();
    if (status.isEmpty()) {
        QVERIFY(p.Aufgaben == vorher.Aufgaben && p.situation == vorher.situation);
        QVERIFY(!m_f->Dokument().RueckgaengigMoeglich());
        return;
    }
    QCOMPARE(p.Aufgabe(ErsteEigeneAufgabe)->Tag, T(2027, 1, 25) + eigeneTage);
    QCOMPARE(p.Aufgabe(ErsteEigeneAufgabe)->Notiz, QStringList{QStringLiteral("Keller")});
    QCOMPARE(p.Aufgabe(2)->Notiz, QStringList{QStringLiteral("Konto 1234")});
    QCOMPARE(p.Aufgabe(2)->Start, 29);
    QCOMPARE(p.Aufgabe(Umzugsaufgabe)->Tag, vorher.Aufgaben[vorher.AufgabeSuchen(7)].Tag + tage);
    QCOMPARE(p.Aufgabe(53) != nullptr, kinder);
    QCOMPARE(m_f->ErsterTag() - ersterTag, tage < 0 ? -7.0 : 14.0);

    m_f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    for (size_t i = 0; i < vorher.Aufgaben.size(); ++i)
        QVERIFY(m_f->plan().Aufgaben.at(i) == vorher.Aufgaben[i].Kopie());
    QCOMPARE(m_f->plan().Aufgaben.size(), vorher.Aufgaben.size());
    QVERIFY(m_f->plan().situation == vorher.situation);
    QCOMPARE(m_f->ErsterTag(), ersterTag);
}

// An own task that must follow the moving day (as a plan file may say) and stays behind it.
void TestUmzugAendern::konfliktWieBeimZiehen()
{
    taufgabe* eigene = m_f->plan().Aufgabe(ErsteEigeneAufgabe);
    eigene->Tag = T(2027, 2, 12);
    eigene->vorher = {Umzugsaufgabe};
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    ModalHelfer helfer;
    helfer.Mache(
        [](QWidget* w) {
            Kind<TDateEdit>(w, "DateEdit1")->setText(QStringLiteral("17.02.2027"));
            Kind<TDateEdit>(w, "DateEdit2")->setText(QStringLiteral("03.03.2027"));
            QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterButton"), Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    helfer.Druecke(QStringLiteral("knopf_nein"), {}, QStringLiteral("meldung"));
    QString konflikt;
    helfer.Druecke(
        QStringLiteral("Abbrechen"),
        [&](QWidget* w) { konflikt = static_cast<TReihenfolge*>(w)->KonfliktText(); },
        QStringLiteral("Reihenfolge"));
    m_f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::ControlModifier);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(konflikt, QStringLiteral("'Umziehen' sollte vor 'Kisten holen' erfolgen."));
    QVERIFY(m_f->plan().Aufgaben == vorher);
}

QTEST_MAIN(TestUmzugAendern)
#include "tst_umzugaendern.moc"
