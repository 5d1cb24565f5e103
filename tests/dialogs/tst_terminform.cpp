#include "dialoghilfe.h"
#include "testfenster.h"

#include "dialogs/terminform.h"
#include "model/zeiten.h"
#include "widgets/datumsfeld.h"
#include "widgets/meldung.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWindow>

#include <memory>

// Receives what the dialog hands to the desktop instead of a browser.
class Browser final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> geoeffnet;

public Q_SLOTS:
    void Oeffnen(const QUrl& url) { geoeffnet << url; }
};

class TestTerminForm final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void fuellen();
    void ueberschrift_data();
    void ueberschrift();
    void zeitenBeimOeffnen_data();
    void zeitenBeimOeffnen();
    void dauerGekuerztGespeichert();
    void listenKopplung_data();
    void listenKopplung();
    void tastaturWahl();
    void links_data();
    void links();
    void linkWartet();
    void vorherListe();
    void druckvorlagen_data();
    void druckvorlagen();
    void loeschenOhneAbhaengige_data();
    void loeschenOhneAbhaengige();
    void loeschenMitAbhaengigen();
    void loeschenPacken_data();
    void loeschenPacken();
    void abbrechenOhneAenderung();
    void abbrechenNachAenderung();
    void schliessenFragtWieAbbrechen_data();
    void schliessenFragtWieAbbrechen();
    void tagUebernehmen();
    void neuAufbau_data();
    void neuAufbau();
    void einJahr_data();
    void einJahr();
    void jahrNach3000_data();
    void jahrNach3000();
    void reihenfolgeVerweigert();
    void aenderungsmarkeJeOeffnung();
    void unbekannteNummer();
    void modalWieImHauptfenster();
    void tabVerlaesstNotizen();
    void jedeOeffnungBeimErstenFeld();
    void felderTragenIhreBeschriftung_data();
    void felderTragenIhreBeschriftung();
    void fensterOhneMaximieren();
    void erledigt_data();
    void erledigt();

private:
    taufgabe& A(qint32 nummer);
    void Oeffnen(qint32 nummer);

    std::unique_ptr<TestFenster> m_f;
    TTerminForm* m_d = nullptr; // child of m_f
};

void TestTerminForm::init()
{
    m_f = std::make_unique<TestFenster>(BerlinerUmzug());
    // Berlin, without moving company, renovations or children: 33 tasks from 16.08.2001
    // to 29.09.2001, cells from 13.08. to 30.09.2001.
    QCOMPARE(m_f->anzdays(), 49);
    m_d = new TTerminForm(m_f.get(), m_f->Fenster());
}

void TestTerminForm::cleanup()
{
    m_d->hide();
    m_f.reset();
    m_d = nullptr;
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

taufgabe& TestTerminForm::A(qint32 nummer)
{
    taufgabe* a = m_f->plan().Aufgabe(nummer);
    if (!a)
        qFatal("task %d missing", nummer);
    return *a;
}

void TestTerminForm::Oeffnen(qint32 nummer)
{
    m_d->AufgabeAnzeigen(nummer);
    m_d->show();
}

void TestTerminForm::fuellen()
{
    Oeffnen(19);
    const taufgabe& a = A(19);
    QCOMPARE(m_d->windowTitle(), QStringLiteral("Möbelstellplan"));
    QCOMPARE(m_d->Bezeichnungslabel->text(), QStringLiteral("Möbelstellplan"));
    QCOMPARE(m_d->Bezeichnungslabel->font().pointSize(), 24);
    QVERIFY(m_d->Bezeichnungslabel->font().bold());
    QCOMPARE(m_d->Bezeichnungslabel->x(), 103);
    QCOMPARE(m_d->Bezeichnungslabel->y() + m_d->Bezeichnungslabel->height(), 102);
    QCOMPARE(m_d->DatumFeld->text(), Tageszahl::Text(a.Tag));
    QCOMPARE(m_d->BeginnBox->currentText(), QStringLiteral("15:00"));
    QCOMPARE(m_d->DauerBox->currentText(), QStringLiteral("03h00"));
    QCOMPARE(m_d->BeginnBox->count(), 48);
    QCOMPARE(m_d->DauerBox->count(), 47);
    QCOMPARE(m_d->NotizFeld->toPlainText(), QString());
    QCOMPARE(m_d->Aufgabenliste->text(), QStringLiteral("Wohnungsübernahme (neue)\n"));
    QCOMPARE(m_d->BeratungsText->text(), a.Beschreibung.join(u'\n'));
    QVERIFY(m_d->LinkLabel->isVisible());
    QCOMPARE(m_d->LinkLabel->text(), QStringLiteral("https://www.sweethome3d.com/de/"));
    QCOMPARE(m_d->LinkLabel->y(),
             13 * a.Beschreibung.indexOf(QStringLiteral("https://www.sweethome3d.com/de/")));
    QCOMPARE(m_d->LinkLabel->x(), 0);
    QCOMPARE(m_d->LinkAdresse(), QUrl(QStringLiteral("https://www.sweethome3d.com/de/")));
    QVERIFY(!m_d->DruckvorlagenButton->isVisible());
    QVERIFY(!m_d->Uebernehmen->isEnabled());
    QVERIFY(m_d->LoeschenButton->isEnabled());
    QVERIFY(!m_d->TerminGeaendert());
    QCOMPARE(m_d->DatumFeld->KalenderFarbe(), QColor(255, 204, 51));
    QCOMPARE(m_d->size(), QSize(632, 453));
}

void TestTerminForm::ueberschrift_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("punkt"); // 0: somewhere between, judged by the rule
    QTest::newRow("short") << QStringLiteral("Möbelstellplan") << 24;
    QTest::newRow("the longest catalogue title")
        << QStringLiteral("Übergabetermin für die alte Wohnung vereinbaren") << 0;
    QTest::newRow("too long even at 10 point")
        << QStringLiteral(
               "Übergabetermin für die alte Wohnung vereinbaren und dabei alle Schlüssel, "
               "Zählerstände und Mängel in einem Protokoll festhalten")
        << 10;
    QTest::newRow("empty") << QString() << 24;
}

void TestTerminForm::ueberschrift()
{
    QFETCH(QString, name);
    QFETCH(int, punkt);
    A(19).Kurzbezeichnung = name;
    Oeffnen(19);
    QLabel* l = m_d->Bezeichnungslabel;
    const int p = l->font().pointSize();
    if (punkt)
        QCOMPARE(p, punkt);
    QCOMPARE(m_d->windowTitle(), name);
    QCOMPARE(l->y() + l->height(), 102);
    // Left of the button column, all of it: a heading too wide at 10 point takes more lines.
    QVERIFY(l->width() < TTerminForm::UeberschriftRaum);
    QCOMPARE(l->wordWrap(), punkt == 10);
    QVERIFY(l->height() >=
            (l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height()));
    if (p < 24) {
        // The next larger size was too wide.
        QLabel probe(name);
        probe.setFont(ArialPunkt(p + 2, true));
        probe.adjustSize();
        QVERIFY(probe.width() >= TTerminForm::UeberschriftRaum);
    }
}

void TestTerminForm::zeitenBeimOeffnen_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("dauer");
    QTest::addColumn<QString>("beginn");
    QTest::addColumn<QString>("laenge");
    QTest::newRow("23:30, shortest")
        << 48 << 0 << QStringLiteral("23:30") << QStringLiteral("00h30");
    QTest::newRow("12:00 with a duration past midnight")
        << 25 << 30 << QStringLiteral("12:00") << QStringLiteral("12h00");
    QTest::newRow("08:00, eight hours")
        << 17 << 15 << QStringLiteral("08:00") << QStringLiteral("08h00");
    QTest::newRow("damaged file values")
        << 0 << -3 << QStringLiteral("00:00") << QStringLiteral("00h30");
}

void TestTerminForm::zeitenBeimOeffnen()
{
    QFETCH(int, start);
    QFETCH(int, dauer);
    QFETCH(QString, beginn);
    QFETCH(QString, laenge);
    A(2).Start = start;
    A(2).Dauer = dauer;
    Oeffnen(2);
    QCOMPARE(m_d->BeginnBox->currentText(), beginn);
    QCOMPARE(m_d->DauerBox->currentText(), laenge);
    QVERIFY(!m_d->Uebernehmen->isEnabled());
}

void TestTerminForm::dauerGekuerztGespeichert()
{
    A(2).Start = 25;
    A(2).Dauer = 30;
    Oeffnen(2);
    QCOMPARE(m_d->DauerBox->currentText(), QStringLiteral("12h00"));
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("Kontonummer mitnehmen"));
    QVERIFY(m_d->Uebernehmen->isEnabled());
    QVERIFY(!m_d->TerminGeaendert());
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    QVERIFY(!m_d->isVisible());
    QCOMPARE(A(2).Start, 25);
    QCOMPARE(A(2).Dauer, 23);
    QCOMPARE(A(2).Notiz, QStringList{QStringLiteral("Kontonummer mitnehmen")});
    QVERIFY(m_f->Geaendert());
}

void TestTerminForm::listenKopplung_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("dauer");
    QTest::addColumn<bool>("beginnWaehlen");
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QString>("beginn");
    QTest::addColumn<QString>("laenge");
    QTest::newRow("23:30 while 02h00")
        << 17 << 3 << true << 47 << QStringLiteral("23:30") << QStringLiteral("00h30");
    QTest::newRow("23h30 while 05:00")
        << 11 << 1 << false << 46 << QStringLiteral("00:30") << QStringLiteral("23h30");
    QTest::newRow("a begin that fits keeps the duration")
        << 17 << 3 << true << 20 << QStringLiteral("10:00") << QStringLiteral("02h00");
    QTest::newRow("a duration that fits keeps the begin")
        << 17 << 3 << false << 30 << QStringLiteral("08:00") << QStringLiteral("15h30");
}

void TestTerminForm::listenKopplung()
{
    QFETCH(int, start);
    QFETCH(int, dauer);
    QFETCH(bool, beginnWaehlen);
    QFETCH(int, wahl);
    QFETCH(QString, beginn);
    QFETCH(QString, laenge);
    A(2).Start = start;
    A(2).Dauer = dauer;
    Oeffnen(2);
    Waehle(beginnWaehlen ? m_d->BeginnBox : m_d->DauerBox, wahl);
    QCOMPARE(m_d->BeginnBox->currentText(), beginn);
    QCOMPARE(m_d->DauerBox->currentText(), laenge);
    QVERIFY(m_d->Uebernehmen->isEnabled());
    QVERIFY(m_d->TerminGeaendert());
}

void TestTerminForm::tastaturWahl()
{
    // Choosing with the keys counts as the user's choice too.
    A(2).Start = 17;
    A(2).Dauer = 3;
    Oeffnen(2);
    m_d->BeginnBox->setFocus();
    QTest::keyClick(m_d->BeginnBox, Qt::Key_End);
    QCOMPARE(m_d->BeginnBox->currentText(), QStringLiteral("23:30"));
    QCOMPARE(m_d->DauerBox->currentText(), QStringLiteral("00h30"));
    QVERIFY(m_d->Uebernehmen->isEnabled());
    QVERIFY(m_d->TerminGeaendert());
}

void TestTerminForm::links_data()
{
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("zeile");

    QTest::newRow("none") << QStringList{QStringLiteral("Rufen Sie Ihre Bank an."), QString()}
                          << QString() << -1;
    QTest::newRow("http") << QStringList{QStringLiteral("Mehr dazu:"),
                                         QStringLiteral("http://www.example.de/umzug")}
                          << QStringLiteral("http://www.example.de/umzug") << 1;
    QTest::newRow("https mid-line") << QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                   QStringLiteral("Siehe https://example.org/x")}
                                    << QStringLiteral("https://example.org/x") << 2;
    QTest::newRow("two link lines: only the later")
        << QStringList{QStringLiteral("http://eins.example.de/"), QStringLiteral("dazwischen"),
                       QStringLiteral("https://zwei.example.de/")}
        << QStringLiteral("https://zwei.example.de/") << 2;
    QTest::newRow("trailing blank included")
        << QStringList{QStringLiteral("Tipps: http://www.example.de/ ")}
        << QStringLiteral("http://www.example.de/ ") << 0;
    QTest::newRow("invalid address stays text")
        << QStringList{QStringLiteral("http://exa<mple>.de/")} << QString() << -1;
}

void TestTerminForm::links()
{
    QFETCH(QStringList, text);
    QFETCH(QString, link);
    QFETCH(int, zeile);
    A(19).Beschreibung = text;
    Oeffnen(19);
    QCOMPARE(m_d->BeratungsText->text(), text.join(u'\n'));
    QCOMPARE(m_d->LinkLabel->isVisible(), zeile >= 0);
    QCOMPARE(m_d->LinkAdresse().isValid(), zeile >= 0);
    if (zeile < 0)
        return;
    QCOMPARE(m_d->LinkLabel->text(), link);
    const QString& z = text.at(zeile);
    const QFontMetrics fm(m_d->BeratungsText->font());
    QCOMPARE(m_d->LinkLabel->geometry(),
             QRect(fm.horizontalAdvance(z.left(z.indexOf(QStringLiteral("http")))), 13 * zeile,
                   fm.horizontalAdvance(link), 13));
    QCOMPARE(m_d->LinkLabel->font().family(), m_d->BeratungsText->font().family());
    QCOMPARE(m_d->LinkLabel->font().pixelSize(), m_d->BeratungsText->font().pixelSize());
    QVERIFY(m_d->LinkLabel->font().underline());
    QCOMPARE(m_d->LinkLabel->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

void TestTerminForm::linkWartet()
{
    Browser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Oeffnen");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Oeffnen");

    Oeffnen(19);
    QVERIFY(!m_d->LinkBereit());
    QCOMPARE(m_d->LinkLabel->cursor().shape(), Qt::ArrowCursor);
    Klick(m_d->LinkLabel);
    QTest::mouseDClick(m_d->LinkLabel, Qt::LeftButton);
    QVERIFY(browser.geoeffnet.isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(m_d->LinkBereit(), 5000);
    QCOMPARE(m_d->LinkLabel->cursor().shape(), Qt::PointingHandCursor);
    Klick(m_d->LinkLabel);
    QCOMPARE(browser.geoeffnet,
             QList<QUrl>{QUrl(QStringLiteral("https://www.sweethome3d.com/de/"))});

    // Each showing waits again.
    m_d->hide();
    Oeffnen(19);
    QVERIFY(!m_d->LinkBereit());
    Klick(m_d->LinkLabel);
    QCOMPARE(browser.geoeffnet.size(), 1);

    // From the keyboard: Tab reaches the link, named for a screen reader; Enter opens it at
    // once and shows nothing else.
    m_d->hide();
    Oeffnen(19);
    QCOMPARE(m_d->LinkLabel->accessibleName(),
             QStringLiteral("Verweis: https://www.sweethome3d.com/de/"));
    QVERIFY(m_d->LinkLabel->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(m_d->LinkLabel, Qt::Key_Return);
    QCOMPARE(browser.geoeffnet.size(), 2);

    // A text without a link opens nothing, even when the link would be ready.
    m_d->hide();
    Oeffnen(2);
    QTRY_VERIFY_WITH_TIMEOUT(m_d->LinkBereit(), 5000);
    Klick(m_d->LinkLabel);
    QCOMPARE(browser.geoeffnet.size(), 2);

    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestTerminForm::vorherListe()
{
    Oeffnen(7);
    const QString alle = QStringLiteral(
        "Packen\nTransporter organisieren\nMöbelstellplan\nUmzugsurlaub beantragen\n"
        "Kühlgeräte abtauen\nKüche demontieren\nHilfsmittel ausleihen\n"
        "Stärkung für Helfer besorgen\nHaustiere unterbringen\n"
        "Werkzeug- und Notfallkiste zusammenstellen\nMöbel abbauen\nKleidung bereitlegen\n"
        "Parkplatz reservieren\n");
    QCOMPARE(m_d->Aufgabenliste->text(), alle);
    QCOMPARE(m_d->Aufgabenliste->pos(), QPoint(2, 0));
    QCOMPARE(m_d->Aufgabenliste->height(), m_d->Aufgabenliste->sizeHint().height());

    // A deleted prerequisite is left out.
    Plan& plan = m_f->plan();
    plan.Aufgaben.erase(plan.Aufgaben.begin() + plan.AufgabeSuchen(9));
    m_d->hide();
    Oeffnen(7);
    QCOMPARE(m_d->Aufgabenliste->text(), alle.mid(QStringLiteral("Packen\n").size()));

    m_d->hide();
    Oeffnen(2);
    QCOMPARE(m_d->Aufgabenliste->text(), QString());
}

void TestTerminForm::druckvorlagen_data()
{
    QTest::addColumn<int>("nummer");
    QTest::addColumn<bool>("sichtbar");
    QTest::newRow("17 Neue Anschrift bekanntgeben") << 17 << true;
    QTest::newRow("4 Wohnungsübergabe (alte)") << 4 << true;
    QTest::newRow("8 Wohnungsübernahme (neue)") << 8 << true;
    QTest::newRow("19 Möbelstellplan") << 19 << false;
    QTest::newRow("2 Bankkonto ummelden") << 2 << false;
}

void TestTerminForm::druckvorlagen()
{
    QFETCH(int, nummer);
    QFETCH(bool, sichtbar);
    int gezeigt = 0;
    m_d->DruckvorlagenZeigen = [&gezeigt] { ++gezeigt; };
    Oeffnen(nummer);
    QCOMPARE(m_d->DruckvorlagenButton->isVisible(), sichtbar);
    if (sichtbar) {
        Klick(m_d->DruckvorlagenButton);
        QCOMPARE(gezeigt, 1);
        QVERIFY(m_d->isVisible());
        QVERIFY(!m_f->Geaendert());
    }
}

void TestTerminForm::loeschenOhneAbhaengige_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::newRow("OK") << QStringLiteral("knopf_ok");
    QTest::newRow("Abbrechen") << QStringLiteral("knopf_abbrechen");
}

void TestTerminForm::loeschenOhneAbhaengige()
{
    QFETCH(QString, antwort);
    const size_t vorher = m_f->plan().Aufgaben.size();
    Oeffnen(2);
    Gesehen box;
    ModalHelfer helfer;
    helfer.Druecke(antwort, Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->LoeschenButton);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Die Aufgabe wird gelöscht"));
    QCOMPARE(box.titel, QStringLiteral("Bestätigung"));
    QCOMPARE(box.knoepfe, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    if (antwort == QLatin1String("knopf_ok")) {
        QCOMPARE(m_f->plan().Aufgaben.size(), vorher - 1);
        QCOMPARE(m_f->plan().AufgabeSuchen(2), -1);
        QVERIFY(m_f->Geaendert());
        QCOMPARE(m_f->plan().Sicherung.size(), vorher); // undo brings it back
        QVERIFY(!m_d->isVisible());
        QCOMPARE(m_d->result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(m_f->plan().Aufgaben.size(), vorher);
        QVERIFY(!m_f->Geaendert());
        QVERIFY(m_d->isVisible());
    }
}

void TestTerminForm::loeschenMitAbhaengigen()
{
    auto aufgabe = [](qint32 n, const char* name, QList<qint32> vorher, double tag) {
        taufgabe a;
        a.Nummer = n;
        a.Kurzbezeichnung = QString::fromUtf8(name);
        a.vorher = std::move(vorher);
        a.Tag = tag;
        a.Start = 17;
        a.Dauer = 1;
        return a;
    };
    m_f->plan().Aufgaben = {
        aufgabe(1, "Eins", {}, T(2001, 9, 3)), aufgabe(2, "Zwei", {1}, T(2001, 9, 4)),
        aufgabe(3, "Drei", {1}, T(2001, 9, 5)), aufgabe(4, "Vier", {2}, T(2001, 9, 6)),
        aufgabe(5, "Fünf", {}, T(2001, 9, 7))};
    m_f->KalenderNeuAufbauen();
    Oeffnen(1);
    Gesehen box;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_ok"), Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->LoeschenButton);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Folgende Aufgaben bezeihen sich hierauf und werden\n"
                                      "ebenfalls gelöscht:\nZwei\nDrei\n"));
    QCOMPARE(box.titel, QStringLiteral("Bestätigung"));
    const Aufgabenliste& rest = m_f->plan().Aufgaben;
    QCOMPARE(rest.size(), size_t(2));
    QCOMPARE(rest[0].Nummer, 4); // only the direct dependants go
    QCOMPARE(rest[0].vorher, QList<qint32>{2});
    QCOMPARE(rest[1].Nummer, 5);
    QCOMPARE(m_f->plan().Sicherung.size(), size_t(5));
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
}

void TestTerminForm::loeschenPacken_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::newRow("OK") << QStringLiteral("knopf_ok");
    QTest::newRow("Abbrechen") << QStringLiteral("knopf_abbrechen");
}

void TestTerminForm::loeschenPacken()
{
    // Packen is named by Möbel abbauen and by Umziehen.
    QFETCH(QString, antwort);
    Oeffnen(9);
    Gesehen box;
    ModalHelfer helfer;
    helfer.Druecke(antwort, Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->LoeschenButton);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Folgende Aufgaben bezeihen sich hierauf und werden\n"
                                      "ebenfalls gelöscht:\nMöbel abbauen\nUmziehen\n"));
    Plan& plan = m_f->plan();
    if (antwort == QLatin1String("knopf_ok")) {
        QCOMPARE(plan.Aufgaben.size(), size_t(30));
        for (qint32 n : {9, 38, 7})
            QCOMPARE(plan.AufgabeSuchen(n), -1);
        QVERIFY(plan.Aufgabe(13)); // Packen's own prerequisite stays
        QVERIFY(plan.Aufgabe(46)); // and so does what depends on Umziehen
        QCOMPARE(plan.Aufgabe(46)->vorher, QList<qint32>{7});
        QCOMPARE(m_d->result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(plan.Aufgaben.size(), size_t(33));
        QVERIFY(m_d->isVisible());
        QVERIFY(!m_f->Geaendert());
    }
}

void TestTerminForm::abbrechenOhneAenderung()
{
    Oeffnen(19);
    ModalHelfer keine(1000);
    keine.Taste(Qt::Key_Escape);
    Klick(m_d->AbbrechenButton);
    QVERIFY(!m_d->isVisible());
    QCOMPARE(m_d->result(), int(QDialog::Rejected));
    QCOMPARE(keine.Beantwortet(), 0);
}

void TestTerminForm::abbrechenNachAenderung()
{
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(19);
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("Zollstock"));
    m_d->DatumFeld->setDate(A(19).Tag + 1);

    Gesehen box;
    ModalHelfer bleiben;
    bleiben.Druecke(QStringLiteral("knopf_abbrechen"), Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->AbbrechenButton);
    QVERIFY2(bleiben.Erledigt(), qPrintable(bleiben.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Die Änderungen werden verworfen"));
    QCOMPARE(box.titel, QStringLiteral("Bestätigung"));
    QCOMPARE(box.knoepfe, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    QVERIFY(m_d->isVisible());
    QCOMPARE(m_d->NotizFeld->toPlainText(), QStringLiteral("Zollstock"));

    ModalHelfer gehen;
    gehen.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    Klick(m_d->AbbrechenButton);
    QVERIFY2(gehen.Erledigt(), qPrintable(gehen.Fehler()));
    QVERIFY(!m_d->isVisible());
    QCOMPARE(m_d->result(), int(QDialog::Rejected));
    QVERIFY(m_f->plan().Aufgaben == vorher);
    QVERIFY(!m_f->Geaendert());
}

void TestTerminForm::schliessenFragtWieAbbrechen_data()
{
    QTest::addColumn<bool>("schliessfeld"); // else Escape
    QTest::newRow("Escape") << false;
    QTest::newRow("Schließfeld des Fensters") << true;
}

void TestTerminForm::schliessenFragtWieAbbrechen()
{
    QFETCH(bool, schliessfeld);
    Oeffnen(19);
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("Zollstock"));
    auto schliessen = [&] {
        if (schliessfeld) { // the window manager's request, sent to the dialog's window
            QCloseEvent anfrage;
            QApplication::sendEvent(m_d->windowHandle(), &anfrage);
        } else {
            QTest::keyClick(m_d->NotizFeld, Qt::Key_Escape);
        }
    };
    Gesehen box;
    ModalHelfer bleiben;
    bleiben.Druecke(QStringLiteral("knopf_abbrechen"), Merken(&box), QStringLiteral("meldung"));
    schliessen();
    QVERIFY2(bleiben.Erledigt(), qPrintable(bleiben.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Die Änderungen werden verworfen"));
    QVERIFY(m_d->isVisible());
    QCOMPARE(m_d->NotizFeld->toPlainText(), QStringLiteral("Zollstock"));

    ModalHelfer gehen;
    gehen.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    schliessen();
    QVERIFY2(gehen.Erledigt(), qPrintable(gehen.Fehler()));
    QVERIFY(!m_d->isVisible());
    QCOMPARE(m_d->result(), int(QDialog::Rejected));
    QVERIFY(A(19).Notiz.isEmpty());
}

void TestTerminForm::tagUebernehmen()
{
    const double alt = A(2).Tag;
    const int zellen = m_f->anzdays();
    Oeffnen(2);
    m_d->DatumFeld->setText(Tageszahl::Text(alt + 1));
    QVERIFY(m_d->TerminGeaendert());
    Waehle(m_d->BeginnBox, 19);
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("Zeile 1"));
    QTest::keyClick(m_d->NotizFeld, Qt::Key_Return);
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("Zeile 2"));
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    QCOMPARE(A(2).Tag, alt + 1);
    QCOMPARE(A(2).Start, 20);
    QCOMPARE(A(2).Notiz, (QStringList{QStringLiteral("Zeile 1"), QStringLiteral("Zeile 2")}));
    QVERIFY(m_f->Geaendert());
    const Plan& plan = m_f->plan();
    QCOMPARE(plan.Sicherung[size_t(plan.AufgabeSuchen(2))].Tag, alt);
    QCOMPARE(m_f->anzdays(), zellen);
    // Title, advice and prerequisites stay as they were.
    QCOMPARE(A(2).Kurzbezeichnung, QStringLiteral("Bankkonto ummelden"));
}

void TestTerminForm::neuAufbau_data()
{
    QTest::addColumn<int>("tageNachEnde");
    QTest::addColumn<double>("letzter");
    // The last cell is Sunday 30.09.2001.
    QTest::newRow("two weeks after the last cell") << 14 << T(2001, 10, 14);
    QTest::newRow("a Wednesday ten days after") << 10 << T(2001, 10, 14);
    QTest::newRow("the day after") << 1 << T(2001, 10, 7);
}

void TestTerminForm::neuAufbau()
{
    QFETCH(int, tageNachEnde);
    QFETCH(double, letzter);
    QCOMPARE(m_f->LetzterTag(), T(2001, 9, 30));
    const double erster = m_f->ErsterTag();
    const double tag = m_f->LetzterTag() + tageNachEnde;
    Oeffnen(45); // Einzugsparty: nothing depends on it
    m_d->DatumFeld->setDate(tag);
    Klick(m_d->Uebernehmen);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    QCOMPARE(A(45).Tag, tag);
    QCOMPARE(m_f->LetzterTag(), letzter);
    QCOMPARE(m_f->ErsterTag(), erster);
    QCOMPARE(Tageszahl::Wochentag(m_f->LetzterTag()), 1);
    QCOMPARE(m_f->plan().Aufgaben.size(), size_t(33));
}

void TestTerminForm::einJahr_data()
{
    QTest::addColumn<QString>("datum"); // empty: computed from the calendar
    QTest::addColumn<int>("nachErstem");
    QTest::addColumn<int>("vorLetztem");
    QTest::addColumn<bool>("erlaubt");
    QTest::newRow("365 days after the first cell") << QString() << 365 << 0 << false;
    QTest::newRow("364 days after the first cell") << QString() << 364 << 0 << true;
    QTest::newRow("365 days before the last cell") << QString() << 0 << 365 << false;
    QTest::newRow("364 days before the last cell") << QString() << 0 << 364 << true;
    QTest::newRow("no date") << QStringLiteral("31.02.2001") << 0 << 0 << false;
}

void TestTerminForm::einJahr()
{
    QFETCH(QString, datum);
    QFETCH(int, nachErstem);
    QFETCH(int, vorLetztem);
    QFETCH(bool, erlaubt);
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(2); // Bankkonto ummelden: no order relation either way
    if (datum.isEmpty()) {
        const double tag =
            nachErstem ? m_f->ErsterTag() + nachErstem : m_f->LetzterTag() - vorLetztem;
        datum = Tageszahl::Text(tag);
    }
    m_d->DatumFeld->setText(datum);

    Gesehen box;
    ModalHelfer helfer(erlaubt ? 1000 : 5000);
    helfer.Druecke(QStringLiteral("knopf_ok"), Merken(&box), QStringLiteral("meldung"));
    Klick(m_d->Uebernehmen);
    if (erlaubt) {
        QCOMPARE(helfer.Beantwortet(), 0);
        QCOMPARE(m_d->result(), int(QDialog::Accepted));
        QCOMPARE(Tageszahl::Text(A(2).Tag), datum);
        return;
    }
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(box.text, QStringLiteral("Der Umzug kann nicht länger als ein Jahr dauern."));
    QCOMPARE(box.titel, QStringLiteral("Bestätigung"));
    QCOMPARE(box.knoepfe, QStringList{QStringLiteral("OK")});
    QVERIFY(m_d->isVisible());
    QVERIFY(m_f->plan().Aufgaben == vorher);
    QVERIFY(!m_f->Geaendert());
}

void TestTerminForm::jahrNach3000_data()
{
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QString>("antwort"); // empty: no question
    QTest::addColumn<bool>("uebernommen");
    QTest::newRow("last year a calendar takes") << "28.12.3000"
                                                << "" << true;
    QTest::newRow("after 3000, cancelled") << "05.01.3001"
                                           << "knopf_abbrechen" << false;
    QTest::newRow("after 3000, confirmed") << "05.01.3001"
                                           << "knopf_ok" << true;
}

// A plan mistyped into the year 3000 takes task days after it only after a question.
void TestTerminForm::jahrNach3000()
{
    QFETCH(QString, datum);
    QFETCH(QString, antwort);
    QFETCH(bool, uebernommen);
    m_f->Erstellen(Jahr3000());
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(2); // Bankkonto ummelden: no order relation either way
    m_d->DatumFeld->setText(datum);

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
        QCOMPARE(box.knoepfe, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    }
    if (uebernommen) {
        QCOMPARE(m_d->result(), int(QDialog::Accepted));
        QCOMPARE(Tageszahl::Text(A(2).Tag), datum);
        return;
    }
    QVERIFY(m_d->isVisible());
    QVERIFY(m_f->plan().Aufgaben == vorher);
}

void TestTerminForm::reihenfolgeVerweigert()
{
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Oeffnen(9); // Packen must come before Umziehen
    m_d->DatumFeld->setDate(A(7).Tag + 1);
    Klick(m_d->Uebernehmen); // the window shows the conflict and refuses
    QVERIFY(m_f->konflikte.contains(QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen.")));
    QVERIFY(m_d->isVisible());
    QVERIFY(m_d->Uebernehmen->isEnabled());
    QVERIFY(m_f->plan().Aufgaben == vorher);
    QVERIFY(!m_f->Geaendert());
}

void TestTerminForm::aenderungsmarkeJeOeffnung()
{
    // A date change in one opening, then cancelled ...
    Oeffnen(9);
    m_d->DatumFeld->setDate(A(9).Tag - 1);
    QVERIFY(m_d->TerminGeaendert());
    ModalHelfer weg;
    weg.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    Klick(m_d->AbbrechenButton);
    QVERIFY2(weg.Erledigt(), qPrintable(weg.Fehler()));

    // ... and a plan that already holds a conflict: Packen after Umziehen.
    A(9).Tag = A(7).Tag + 2;
    QVERIFY(!m_f->plan().ReihenfolgePruefen(-1, 0, 0).isEmpty());

    // A notes-only change elsewhere still applies without an order check.
    Oeffnen(45);
    QVERIFY(!m_d->TerminGeaendert());
    m_d->NotizFeld->insertPlainText(QStringLiteral("Getränke"));
    ModalHelfer keine(1000);
    keine.Taste(Qt::Key_Escape);
    Klick(m_d->Uebernehmen);
    QCOMPARE(keine.Beantwortet(), 0);
    QCOMPARE(m_d->result(), int(QDialog::Accepted));
    QCOMPARE(A(45).Notiz, QStringList{QStringLiteral("Getränke")});
}

void TestTerminForm::unbekannteNummer()
{
    Oeffnen(4711);
    QCOMPARE(m_d->Bezeichnungslabel->text(), QString());
    QVERIFY(!m_d->LoeschenButton->isEnabled());
    QVERIFY(!m_d->Uebernehmen->isEnabled());
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("x"));
    Klick(m_d->Uebernehmen); // nothing to write into
    QCOMPARE(m_f->plan().Aufgaben.size(), size_t(33));
    QVERIFY(!m_f->Geaendert());
}

void TestTerminForm::modalWieImHauptfenster()
{
    // As the main window opens it: fill, then exec().
    m_d->AufgabeAnzeigen(19);
    ModalHelfer helfer;
    helfer.Mache(
        [this](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(m_d));
            m_d->NotizFeld->insertPlainText(QStringLiteral("Maßband"));
        },
        QStringLiteral("TerminForm"));
    helfer.Druecke(QStringLiteral("Uebernehmen"), {}, QStringLiteral("TerminForm"));
    QCOMPARE(m_d->exec(), int(QDialog::Accepted));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(A(19).Notiz, QStringList{QStringLiteral("Maßband")});
}

void TestTerminForm::tabVerlaesstNotizen()
{
    Oeffnen(19);
    m_d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_d));
    m_d->NotizFeld->setFocus();
    QTRY_VERIFY(m_d->NotizFeld->hasFocus());
    QTest::keyClick(m_d->NotizFeld, Qt::Key_Tab);
    QVERIFY(!m_d->NotizFeld->hasFocus());
    QCOMPARE(m_d->NotizFeld->toPlainText(), QString());
    QVERIFY(!m_d->Uebernehmen->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(m_d->NotizFeld->hasFocus());
}

void TestTerminForm::jedeOeffnungBeimErstenFeld()
{
    Oeffnen(19);
    m_d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_d));
    m_d->NotizFeld->setFocus();
    QTRY_VERIFY(m_d->NotizFeld->hasFocus());
    Klick(m_d->AbbrechenButton);
    QVERIFY(!m_d->isVisible());
    Oeffnen(45);
    m_d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_d));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_d->DatumFeld->Zeile()));
}

void TestTerminForm::felderTragenIhreBeschriftung_data()
{
    QTest::addColumn<QString>("feld"); // object name
    QTest::addColumn<QString>("name");
    QTest::newRow("date") << QStringLiteral("datumstext") << QStringLiteral("Datum");
    QTest::newRow("begin") << QStringLiteral("BeginnBox") << QStringLiteral("Beginn");
    QTest::newRow("duration") << QStringLiteral("DauerBox") << QStringLiteral("Dauer");
    QTest::newRow("notes") << QStringLiteral("Memo1") << QStringLiteral("Eigene Notizen");
    QTest::newRow("done") << QStringLiteral("ErledigtBox") << QStringLiteral("Erledigt");
    QTest::newRow("advice box") << QStringLiteral("ScrollBox2")
                                << QStringLiteral("Hinweise zur Aufgabe");
    QTest::newRow("prerequisites")
        << QStringLiteral("ScrollBox1") << QStringLiteral("Vorher erledigen");
}

void TestTerminForm::felderTragenIhreBeschriftung()
{
    QFETCH(QString, feld);
    QFETCH(QString, name);
    Oeffnen(19);
    auto* w = m_d->findChild<QWidget*>(feld);
    QVERIFY(w);
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
    QVERIFY(zugang);
    QCOMPARE(BeschriftungFuerVorleser(zugang), name);
    // The list of tasks to do before is read, not only named.
    if (feld == QLatin1String("ScrollBox1"))
        QCOMPARE(zugang->text(QAccessible::Description),
                 QStringLiteral("Wohnungsübernahme (neue)"));
}

void TestTerminForm::fensterOhneMaximieren()
{
    const Qt::WindowFlags f = m_d->windowFlags();
    QVERIFY(f.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
    Qt::WindowFlags box;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) { box = w->windowFlags(); });
    Meldung(m_d, MeldungsArt::Information, QStringLiteral("x"));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(box.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!box.testFlag(Qt::WindowMaximizeButtonHint));
}

void TestTerminForm::erledigt_data()
{
    QTest::addColumn<bool>("vorher");
    QTest::addColumn<bool>("uebernehmen"); // else "Abbrechen", confirmed
    QTest::newRow("abhaken und übernehmen") << false << true;
    QTest::newRow("wieder öffnen und übernehmen") << true << true;
    QTest::newRow("abhaken und abbrechen") << false << false;
}

// The check box shows the task's state, follows the duration in the tab order, and is applied
// with the other fields as one undo step, or not at all.
void TestTerminForm::erledigt()
{
    QFETCH(bool, vorher);
    QFETCH(bool, uebernehmen);
    A(19).Erledigt = vorher;
    Oeffnen(19);
    QCOMPARE(m_d->ErledigtBox->text(), QStringLiteral("&Erledigt"));
    QCOMPARE(m_d->ErledigtBox->isChecked(), vorher);
    m_d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_d));
    m_d->DauerBox->setFocus();
    QTest::keyClick(m_d->DauerBox, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_d->ErledigtBox->isChecked(), !vorher);
    QVERIFY(m_d->Uebernehmen->isEnabled());
    QTest::keyClicks(m_d->NotizFeld, QStringLiteral("Zollstock"));
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    Klick(uebernehmen ? m_d->Uebernehmen : m_d->AbbrechenButton);
    QCOMPARE(helfer.Beantwortet(), uebernehmen ? 0 : 1);
    QCOMPARE(A(19).Erledigt, uebernehmen != vorher);
    QCOMPARE(m_f->Geaendert(), uebernehmen);
    QCOMPARE(A(19).Notiz.isEmpty(), !uebernehmen);
    if (uebernehmen) {
        m_f->plan().ZustandWiederherstellen(); // the note goes back with the state
        QCOMPARE(A(19).Erledigt, vorher);
        QVERIFY(A(19).Notiz.isEmpty());
    }
}

QTEST_MAIN(TestTerminForm)
#include "tst_terminform.moc"
