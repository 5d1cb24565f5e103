#include "dialoghilfe.h"
#include "testfenster.h"

#include "dialogs/eigenerterminform.h"
#include "widgets/datumsfeld.h"
#include "widgets/qvimagebutton.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>

class TestEigenerTerminForm final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void neueAufgabe_data();
    void neueAufgabe();
    void sofortUebernehmen();
    void nummern();
    void platzhalter_data();
    void platzhalter();
    void notizenBestehenderAufgabeBleiben();
    void bestehendeAufgabe();
    void zeitenBeimOeffnen();
    void listenKopplung_data();
    void listenKopplung();
    void nameImTitel();
    void titelBegrenzt();
    void abbrechen_data();
    void abbrechen();
    void neueAufgabeOhneEingabe();
    void loeschen_data();
    void loeschen();
    void vorDemErstenTag();
    void einJahr_data();
    void einJahr();
    void jahrNach3000_data();
    void jahrNach3000();
    void keineReihenfolgePruefung();
    void modalWieImHauptfenster();
    void tabVerlaesstBeschreibung();
    void jedeOeffnungBeimErstenFeld();
    void felderTragenIhreBeschriftung_data();
    void felderTragenIhreBeschriftung();
    void erledigt();

private:
    void Oeffnen(qint32 nummer, double tag);
    // Makes a user task through the dialog, as the user would, and returns its number.
    qint32 Anlegen(const QString& name, double tag);

    std::unique_ptr<TestFenster> m_f;
    TEigenerTerminForm* m_d = nullptr; // child of m_f
};

void TestEigenerTerminForm::init()
{
    m_f = std::make_unique<TestFenster>(BerlinerUmzug());
    // Cells from Monday 13.08. to Sunday 30.09.2001.
    m_d = new TEigenerTerminForm(m_f.get(), m_f->Fenster());
}

void TestEigenerTerminForm::cleanup()
{
    m_d->hide();
    m_f.reset();
    m_d = nullptr;
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestEigenerTerminForm::Oeffnen(qint32 nummer, double tag)
{
    m_d->AufgabeAnzeigen(nummer, tag);
    m_d->show();
    m_d->activateWindow();
    if (!QTest::qWaitForWindowActive(m_d))
        qWarning("the dialog did not become the active window");
}

qint32 TestEigenerTerminForm::Anlegen(const QString& name, double tag)
{
    Oeffnen(-1, tag);
    m_d->BezeichnungsFeld->setText(name);
    Klick(m_d->Uebernehmen);
    if (m_d->result() != QDialog::Accepted)
        return -1;
    return m_f->plan().Aufgaben.back().Nummer;
}

void TestEigenerTerminForm::neueAufgabe_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<QString>("datum");
    QTest::newRow("from the button: now, with the time of day")
        << Tageszahl::ausDatumZeit(QDateTime(QDate(2001, 9, 5), QTime(14, 47)))
        << QStringLiteral("05.09.2001");
    QTest::newRow("from free space in a cell") << T(2001, 8, 20) << QStringLiteral("20.08.2001");
}

void TestEigenerTerminForm::neueAufgabe()
{
    QFETCH(double, tag);
    QFETCH(QString, datum);
    Oeffnen(-1, tag);
    QCOMPARE(m_d->aktuelleNummer(), -1);
    QCOMPARE(m_d->BezeichnungsFeld->text(),
             QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein"));
    QCOMPARE(m_d->windowTitle(), QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein"));
    QCOMPARE(m_d->DatumFeld->text(), datum);
    QCOMPARE(m_d->BeginnBox->currentText(), QStringLiteral("08:30"));
    QCOMPARE(m_d->DauerBox->currentText(), QStringLiteral("08h30"));
    QCOMPARE(m_d->NotizFeld->toPlainText(), QStringLiteral("Weitere Notizen zur Aufgabe..."));
    QVERIFY(m_d->NotizVorgabe());
    QVERIFY(!m_d->LoeschenButton->isEnabled());
    QVERIFY(m_d->Uebernehmen->isEnabled());
    QCOMPARE(m_d->Ueberschrift->text(), QStringLiteral("Neue Aufgabe"));
    QCOMPARE(m_d->DatumFeld->KalenderFarbe(), QColor(254, 207, 93));
    QCOMPARE(m_d->size(), QSize(632, 453));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_d->BezeichnungsFeld));
    QVERIFY(m_d->NotizVorgabe()); // the focus never passed through the notes
}

void TestEigenerTerminForm::sofortUebernehmen()
{
    const size_t vorher = m_f->plan().Aufgaben.size();
    Oeffnen(-1, T(2001, 9, 5));
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    QCOMPARE(m_f->plan().Aufgaben.size(), vorher + 1);
    const taufgabe& a = m_f->plan().Aufgaben.back();
    QCOMPARE(a.Nummer, 10001);
    QVERIFY(a.Benutzeraufgabe);
    QCOMPARE(a.Kurzbezeichnung, QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein"));
    QCOMPARE(a.Notiz, QStringList{});
    QCOMPARE(a.Tag, T(2001, 9, 5));
    QCOMPARE(a.Start, 18);
    QCOMPARE(a.Dauer, 16);
    QVERIFY(a.Beschreibung.isEmpty());
    QVERIFY(a.vorher.isEmpty());
    QVERIFY(m_f->Geaendert());
    QCOMPARE(m_f->plan().Sicherung.size(), vorher);
}

void TestEigenerTerminForm::nummern()
{
    QCOMPARE(Anlegen(QStringLiteral("Erste"), T(2001, 9, 3)), 10001);
    QCOMPARE(Anlegen(QStringLiteral("Zweite"), T(2001, 9, 4)), 10002);

    // Deleting the highest frees its number again.
    Oeffnen(10002, T(2001, 9, 4));
    ModalHelfer ok;
    ok.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    Klick(m_d->LoeschenButton);
    QVERIFY2(ok.Erledigt(), qPrintable(ok.Fehler()));
    QVERIFY(!m_f->plan().Aufgabe(10002));
    QCOMPARE(Anlegen(QStringLiteral("Dritte"), T(2001, 9, 5)), 10002);
    QCOMPARE(m_f->plan().Aufgabe(10002)->Kurzbezeichnung, QStringLiteral("Dritte"));
}

void TestEigenerTerminForm::platzhalter_data()
{
    QTest::addColumn<bool>("betreten");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QStringList>("notiz");
    QTest::newRow("never entered") << false << QString() << QStringList{};
    QTest::newRow("entered, nothing typed") << true << QString() << QStringList{};
    QTest::newRow("entered and typed")
        << true << QStringLiteral("Bohrer") << QStringList{QStringLiteral("Bohrer")};
}

void TestEigenerTerminForm::platzhalter()
{
    QFETCH(bool, betreten);
    QFETCH(QString, getippt);
    QFETCH(QStringList, notiz);
    Oeffnen(-1, T(2001, 9, 5));
    if (betreten) {
        m_d->NotizFeld->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!m_d->NotizVorgabe());
        QCOMPARE(m_d->NotizFeld->toPlainText(), QString());
        QTest::keyClicks(m_d->NotizFeld, getippt);
    }
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_f->plan().Aufgaben.back().Notiz, notiz);
}

void TestEigenerTerminForm::notizenBestehenderAufgabeBleiben()
{
    const qint32 n = Anlegen(QStringLiteral("Schrank"), T(2001, 9, 5));
    m_f->plan().Aufgabe(n)->Notiz = {QStringLiteral("Weitere Notizen zur Aufgabe...")};

    // A new task begun and cancelled, then the existing one: its notes stay on entering.
    Oeffnen(-1, T(2001, 9, 6));
    Klick(m_d->AbbrechenButton);
    Oeffnen(n, T(2001, 9, 5));
    QVERIFY(!m_d->NotizVorgabe());
    m_d->NotizFeld->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_d->NotizFeld));
    QCOMPARE(m_d->NotizFeld->toPlainText(), QStringLiteral("Weitere Notizen zur Aufgabe..."));
}

void TestEigenerTerminForm::bestehendeAufgabe()
{
    const qint32 n = Anlegen(QStringLiteral("Schrank abholen"), T(2001, 9, 5));
    taufgabe& a = *m_f->plan().Aufgabe(n);
    a.Notiz = {QStringLiteral("Gurte"), QString(), QStringLiteral("Decken")};

    Oeffnen(n, T(2001, 8, 30)); // the day passed is not used
    QCOMPARE(m_d->aktuelleNummer(), n);
    QCOMPARE(m_d->BezeichnungsFeld->text(), QStringLiteral("Schrank abholen"));
    QCOMPARE(m_d->windowTitle(), QStringLiteral("Schrank abholen"));
    QCOMPARE(m_d->DatumFeld->text(), QStringLiteral("05.09.2001"));
    QCOMPARE(m_d->NotizFeld->toPlainText(), QStringLiteral("Gurte\n\nDecken"));
    QVERIFY(m_d->LoeschenButton->isEnabled());
    QVERIFY(!m_d->Uebernehmen->isEnabled());
    QCOMPARE(m_d->Ueberschrift->text(), QStringLiteral("Neue Aufgabe"));

    m_d->BezeichnungsFeld->setText(QStringLiteral("Schrank und Regal abholen"));
    QVERIFY(m_d->Uebernehmen->isEnabled());
    m_d->DatumFeld->setDate(T(2001, 9, 7));
    Waehle(m_d->BeginnBox, 30);
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    const taufgabe& b = *m_f->plan().Aufgabe(n);
    QCOMPARE(b.Kurzbezeichnung, QStringLiteral("Schrank und Regal abholen"));
    QCOMPARE(b.Tag, T(2001, 9, 7));
    QCOMPARE(b.Start, 31);
    QCOMPARE(b.Notiz, (QStringList{QStringLiteral("Gurte"), QString(), QStringLiteral("Decken")}));
    QVERIFY(b.Benutzeraufgabe);
    QCOMPARE(m_f->plan().Aufgaben.back().Nummer, n); // changed in place, not appended
}

void TestEigenerTerminForm::zeitenBeimOeffnen()
{
    const qint32 n = Anlegen(QStringLiteral("Spät"), T(2001, 9, 5));
    m_f->plan().Aufgabe(n)->Start = 48;
    m_f->plan().Aufgabe(n)->Dauer = 0;
    Oeffnen(n, 0);
    QCOMPARE(m_d->BeginnBox->currentText(), QStringLiteral("23:30"));
    QCOMPARE(m_d->DauerBox->currentText(), QStringLiteral("00h30"));
    m_d->hide();
    m_f->plan().Aufgabe(n)->Start = 25;
    m_f->plan().Aufgabe(n)->Dauer = 30;
    Oeffnen(n, 0);
    QCOMPARE(m_d->DauerBox->currentText(), QStringLiteral("12h00"));
}

void TestEigenerTerminForm::listenKopplung_data()
{
    QTest::addColumn<bool>("beginnWaehlen");
    QTest::addColumn<int>("vorBeginn");
    QTest::addColumn<int>("vorDauer");
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QString>("beginn");
    QTest::addColumn<QString>("laenge");
    QTest::newRow("23:30 while 02h00")
        << true << 16 << 3 << 47 << QStringLiteral("23:30") << QStringLiteral("00h30");
    QTest::newRow("23h30 while 05:00")
        << false << 10 << 1 << 46 << QStringLiteral("00:30") << QStringLiteral("23h30");
}

void TestEigenerTerminForm::listenKopplung()
{
    QFETCH(bool, beginnWaehlen);
    QFETCH(int, vorBeginn);
    QFETCH(int, vorDauer);
    QFETCH(int, wahl);
    QFETCH(QString, beginn);
    QFETCH(QString, laenge);
    const qint32 n = Anlegen(QStringLiteral("X"), T(2001, 9, 5));
    m_f->plan().Aufgabe(n)->Start = vorBeginn + 1;
    m_f->plan().Aufgabe(n)->Dauer = vorDauer;
    Oeffnen(n, 0);
    Waehle(beginnWaehlen ? m_d->BeginnBox : m_d->DauerBox, wahl);
    QCOMPARE(m_d->BeginnBox->currentText(), beginn);
    QCOMPARE(m_d->DauerBox->currentText(), laenge);
    QVERIFY(m_d->Uebernehmen->isEnabled());
}

void TestEigenerTerminForm::nameImTitel()
{
    Oeffnen(-1, T(2001, 9, 5));
    m_d->BezeichnungsFeld->selectAll();
    QTest::keyClicks(m_d->BezeichnungsFeld, QStringLiteral("Keller"));
    QCOMPARE(m_d->windowTitle(), QStringLiteral("Keller"));
    m_d->BezeichnungsFeld->clear();
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_f->plan().Aufgaben.back().Kurzbezeichnung, QString()); // an empty name is kept
}

// A pasted page of text becomes a title of the length a plan keeps.
void TestEigenerTerminForm::titelBegrenzt()
{
    Oeffnen(-1, T(2001, 9, 5));
    m_d->BezeichnungsFeld->selectAll();
    m_d->BezeichnungsFeld->insert(QString(40000, QLatin1Char('x')));
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_f->plan().Aufgaben.back().Kurzbezeichnung, QString(255, QLatin1Char('x')));
}

void TestEigenerTerminForm::abbrechen_data()
{
    QTest::addColumn<bool>("bearbeiten");
    QTest::addColumn<QString>("wie"); // "knopf", "escape" or "schliessen"
    QTest::addColumn<QString>("antwort");
    QTest::newRow("unchanged: no question") << false << QStringLiteral("knopf") << QString();
    QTest::newRow("changed, OK drops")
        << true << QStringLiteral("knopf") << QStringLiteral("knopf_ok");
    QTest::newRow("changed, Abbrechen stays")
        << true << QStringLiteral("knopf") << QStringLiteral("knopf_abbrechen");
    QTest::newRow("Escape asks too")
        << true << QStringLiteral("escape") << QStringLiteral("knopf_abbrechen");
    QTest::newRow("close button asks too")
        << true << QStringLiteral("schliessen") << QStringLiteral("knopf_ok");
}

void TestEigenerTerminForm::abbrechen()
{
    QFETCH(bool, bearbeiten);
    QFETCH(QString, wie);
    QFETCH(QString, antwort);
    const qint32 n = Anlegen(QStringLiteral("Keller"), T(2001, 9, 5));
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(n, 0);
    if (bearbeiten) {
        m_d->BezeichnungsFeld->setText(QStringLiteral("Dachboden"));
        QTest::keyClicks(m_d->NotizFeld, QStringLiteral("x"));
    }
    Gesehen box;
    ModalHelfer helfer(antwort.isEmpty() ? 1000 : 5000);
    if (antwort.isEmpty())
        helfer.Taste(Qt::Key_Escape);
    else
        helfer.Druecke(antwort, Merken(&box), QStringLiteral("meldung"));
    if (wie == QLatin1String("escape"))
        QTest::keyClick(m_d, Qt::Key_Escape);
    else if (wie == QLatin1String("schliessen"))
        m_d->close();
    else
        Klick(m_d->AbbrechenButton);
    if (antwort.isEmpty()) {
        QCOMPARE(helfer.Beantwortet(), 0);
    } else {
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(box.text, QStringLiteral("Die Änderungen werden verworfen"));
        QCOMPARE(box.knoepfe, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    }
    if (antwort == QLatin1String("knopf_abbrechen")) {
        QVERIFY(m_d->isVisible());
        QCOMPARE(m_d->BezeichnungsFeld->text(), QStringLiteral("Dachboden"));
        QCOMPARE(m_d->NotizFeld->toPlainText(), QStringLiteral("x"));
    } else {
        QVERIFY(!m_d->isVisible());
        QCOMPARE(m_d->result(), int(QDialog::Rejected));
    }
    QVERIFY(m_f->plan().Aufgaben == vorher);
}

void TestEigenerTerminForm::neueAufgabeOhneEingabe()
{
    // The prompts and the placeholder, and entering the notes, are no edits of the user's.
    Oeffnen(-1, T(2001, 9, 5));
    QTest::keyClick(m_d->BezeichnungsFeld, Qt::Key_Tab);
    m_d->NotizFeld->setFocus();
    QVERIFY(!m_d->NotizVorgabe());
    ModalHelfer keine(1000);
    keine.Taste(Qt::Key_Escape);
    Klick(m_d->AbbrechenButton);
    QCOMPARE(keine.Beantwortet(), 0);
    QVERIFY(!m_d->isVisible());
}

void TestEigenerTerminForm::loeschen_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::newRow("OK deletes") << QStringLiteral("knopf_ok");
    QTest::newRow("Abbrechen keeps the dialog and its edits") << QStringLiteral("knopf_abbrechen");
}

void TestEigenerTerminForm::loeschen()
{
    QFETCH(QString, antwort);
    const qint32 n = Anlegen(QStringLiteral("Keller"), T(2001, 9, 5));
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    const bool warGeaendert = m_f->Geaendert();
    Oeffnen(n, 0);
    m_d->BezeichnungsFeld->setText(QStringLiteral("Dachboden")); // never applied
    Gesehen box;
    ModalHelfer helfer;
    helfer.Druecke(antwort, Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->LoeschenButton);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Die Aufgabe wird gelöscht"));
    QCOMPARE(box.titel, QStringLiteral("Bestätigung"));
    QCOMPARE(box.knoepfe, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    QCOMPARE(m_d->isVisible(), antwort != QLatin1String("knopf_ok"));
    if (antwort == QLatin1String("knopf_ok")) {
        QCOMPARE(m_d->result(), int(QDialog::Accepted));
        QVERIFY(!m_f->plan().Aufgabe(n));
        QCOMPARE(m_f->plan().Aufgaben.size(), vorher.size() - 1);
        QVERIFY(m_f->plan().Sicherung == vorher);
    } else {
        QCOMPARE(m_d->BezeichnungsFeld->text(), QStringLiteral("Dachboden"));
        QVERIFY(m_f->plan().Aufgaben == vorher);
        QCOMPARE(m_f->Geaendert(), warGeaendert);
    }
}

void TestEigenerTerminForm::tabVerlaesstBeschreibung()
{
    Oeffnen(Anlegen(QStringLiteral("Keller"), T(2001, 9, 5)), 0);
    m_d->NotizFeld->setFocus();
    QTRY_VERIFY(m_d->NotizFeld->hasFocus());
    QTest::keyClick(m_d->NotizFeld, Qt::Key_Tab);
    QVERIFY(!m_d->NotizFeld->hasFocus());
    QCOMPARE(m_d->NotizFeld->toPlainText(), QString());
    QVERIFY(!m_d->Uebernehmen->isEnabled());
}

void TestEigenerTerminForm::jedeOeffnungBeimErstenFeld()
{
    const qint32 n = Anlegen(QStringLiteral("Keller"), T(2001, 9, 5));
    Oeffnen(n, 0);
    m_d->BeginnBox->setFocus();
    QTRY_VERIFY(m_d->BeginnBox->hasFocus());
    Klick(m_d->AbbrechenButton);
    Oeffnen(n, 0);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_d->BezeichnungsFeld));
}

void TestEigenerTerminForm::felderTragenIhreBeschriftung_data()
{
    QTest::addColumn<QString>("feld"); // object name
    QTest::addColumn<QString>("name");
    QTest::newRow("name") << QStringLiteral("Edit1") << QStringLiteral("Bezeichnung");
    QTest::newRow("date") << QStringLiteral("datumstext") << QStringLiteral("Datum");
    QTest::newRow("begin") << QStringLiteral("BeginnBox") << QStringLiteral("Beginn");
    QTest::newRow("duration") << QStringLiteral("DauerBox") << QStringLiteral("Dauer");
    QTest::newRow("notes") << QStringLiteral("Memo1") << QStringLiteral("Beschreibung");
    QTest::newRow("done") << QStringLiteral("ErledigtBox") << QStringLiteral("Erledigt");
}

void TestEigenerTerminForm::felderTragenIhreBeschriftung()
{
    QFETCH(QString, feld);
    QFETCH(QString, name);
    auto* w = m_d->findChild<QWidget*>(feld);
    QVERIFY(w);
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
    QVERIFY(zugang);
    QCOMPARE(BeschriftungFuerVorleser(zugang), name);
}

void TestEigenerTerminForm::vorDemErstenTag()
{
    QCOMPARE(m_f->ErsterTag(), T(2001, 8, 13));
    Oeffnen(-1, T(2001, 8, 8)); // a Wednesday before the first cell
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    QCOMPARE(m_f->ErsterTag(), T(2001, 8, 6));
    QCOMPARE(m_f->LetzterTag(), T(2001, 9, 30));
    QCOMPARE(m_f->plan().Aufgaben.size(), size_t(34)); // the rebuild keeps every task
}

void TestEigenerTerminForm::einJahr_data()
{
    QTest::addColumn<QString>("datum");
    QTest::addColumn<bool>("erlaubt");
    // Cells from 13.08.2001 to 30.09.2001.
    QTest::newRow("364 days after the first cell") << QStringLiteral("12.08.2002") << true;
    QTest::newRow("365 days after the first cell") << QStringLiteral("13.08.2002") << false;
    QTest::newRow("365 days before the last cell") << QStringLiteral("30.09.2000") << false;
    QTest::newRow("364 days before the last cell") << QStringLiteral("01.10.2000") << true;
    QTest::newRow("no date") << QStringLiteral("gestern") << false;
}

void TestEigenerTerminForm::einJahr()
{
    QFETCH(QString, datum);
    QFETCH(bool, erlaubt);
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(-1, T(2001, 9, 5));
    m_d->DatumFeld->setText(datum);
    Gesehen box;
    ModalHelfer helfer(erlaubt ? 1000 : 5000);
    helfer.Druecke(QStringLiteral("knopf_ok"), Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->Uebernehmen);
    if (erlaubt) {
        QCOMPARE(helfer.Beantwortet(), 0);
        QCOMPARE(Tageszahl::Text(m_f->plan().Aufgaben.back().Tag), datum);
        return;
    }
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Der Umzug kann nicht länger als ein Jahr dauern."));
    QCOMPARE(box.knoepfe, QStringList{QStringLiteral("OK")});
    QVERIFY(m_d->isVisible());
    QVERIFY(m_f->plan().Aufgaben == vorher);
    QVERIFY(!m_f->Geaendert());
}

void TestEigenerTerminForm::jahrNach3000_data()
{
    QTest::addColumn<QString>("datum");
    QTest::addColumn<int>("beginn");
    QTest::addColumn<QString>("antwort"); // empty: no question
    QTest::addColumn<bool>("uebernommen");
    QTest::newRow("last year a calendar takes")
        << QStringLiteral("28.12.3000") << 17 << QStringLiteral("") << true;
    QTest::newRow("ends in 3001") << QStringLiteral("31.12.3000") << 47
                                  << QStringLiteral("knopf_abbrechen") << false;
    QTest::newRow("after 3000, cancelled")
        << QStringLiteral("05.01.3001") << 17 << QStringLiteral("knopf_abbrechen") << false;
    QTest::newRow("after 3000, confirmed")
        << QStringLiteral("05.01.3001") << 17 << QStringLiteral("knopf_ok") << true;
}

// A plan mistyped into the year 3000 takes task days after it only after a question.
void TestEigenerTerminForm::jahrNach3000()
{
    QFETCH(QString, datum);
    QFETCH(int, beginn);
    QFETCH(QString, antwort);
    QFETCH(bool, uebernommen);
    m_f->Erstellen(Jahr3000());
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(-1, T(3000, 12, 12));
    m_d->DatumFeld->setText(datum);
    Waehle(m_d->BeginnBox, beginn);

    Gesehen box;
    ModalHelfer helfer(antwort.isEmpty() ? 1000 : 5000);
    helfer.Druecke(antwort.isEmpty() ? QStringLiteral("knopf_ok") : antwort, Merken(&box),
                   QStringLiteral("meldung"));
    Klick(m_d->Uebernehmen);
    if (antwort.isEmpty()) {
        QCOMPARE(helfer.Beantwortet(), 0);
    } else {
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(box.titel, QStringLiteral("Warnung"));
        QCOMPARE(box.text, JahrFrageText(datum, m_d->BeginnBox->currentText()));
    }
    if (uebernommen) {
        QCOMPARE(m_d->result(), int(QDialog::Accepted));
        QCOMPARE(Tageszahl::Text(m_f->plan().Aufgaben.back().Tag), datum);
        return;
    }
    QVERIFY(m_d->isVisible());
    QVERIFY(m_f->plan().Aufgaben == vorher);
}

void TestEigenerTerminForm::keineReihenfolgePruefung()
{
    // Even in a plan that holds a conflict, a user task is applied without an order check.
    taufgabe* packen = m_f->plan().Aufgabe(9);
    packen->Tag = m_f->plan().Aufgabe(7)->Tag + 2;
    QVERIFY(!m_f->plan().ReihenfolgePruefen(-1, 0, 0).isEmpty());
    ModalHelfer keine(1000);
    keine.Taste(Qt::Key_Escape);
    QCOMPARE(Anlegen(QStringLiteral("Keller"), T(2001, 9, 12)), 10001);
    QCOMPARE(keine.Beantwortet(), 0);
}

void TestEigenerTerminForm::modalWieImHauptfenster()
{
    // As the main window opens it for "Neue Aufgabe": fill with now, then exec().
    const double heute = Tageszahl::heute();
    taufgabe umziehen;
    umziehen.Nummer = 7;
    umziehen.Kurzbezeichnung = QStringLiteral("Umziehen");
    umziehen.Tag = heute + 30;
    umziehen.Start = 17;
    umziehen.Dauer = 15;
    m_f->plan().Aufgaben = {umziehen};
    m_f->KalenderNeuAufbauen();
    m_d->AufgabeAnzeigen(-1, Tageszahl::jetzt());
    ModalHelfer helfer;
    helfer.Mache(
        [this](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(m_d));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_d->BezeichnungsFeld));
            QCOMPARE(m_d->BezeichnungsFeld->selectedText(),
                     QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein"));
            QTest::keyClicks(m_d->BezeichnungsFeld, QStringLiteral("Zaehler ablesen"));
        },
        QStringLiteral("EigenerTerminForm"));
    helfer.Druecke(QStringLiteral("Uebernehmen"), {}, QStringLiteral("EigenerTerminForm"));
    QCOMPARE(m_d->exec(), int(QDialog::Accepted));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    const taufgabe& a = m_f->plan().Aufgaben.back();
    QCOMPARE(a.Kurzbezeichnung, QStringLiteral("Zaehler ablesen"));
    QCOMPARE(a.Tag, Tageszahl::heute());
    QCOMPARE(a.Notiz, QStringList{});
}

// A new task starts open, whatever the box showed before; Alt+E ticks it.
void TestEigenerTerminForm::erledigt()
{
    m_d->ErledigtBox->setChecked(true);
    Oeffnen(-1, T(2001, 9, 20));
    QVERIFY(!m_d->ErledigtBox->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(m_d->ErledigtBox->isChecked()); // a mnemonic clicks a moment later
    m_d->BezeichnungsFeld->setText(QStringLiteral("Blumen gießen"));
    Klick(m_d->Uebernehmen);
    QVERIFY(m_f->plan().Aufgaben.back().Erledigt);
    Oeffnen(m_f->plan().Aufgaben.back().Nummer, 0);
    QVERIFY(m_d->ErledigtBox->isChecked());
}

QTEST_MAIN(TestEigenerTerminForm)
#include "tst_eigenerterminform.moc"
