#include "model/tageszahl.h"
#include "model/uhr.h"
#include "support/modalhelfer.h"
#include "widgets/datumsfeld.h"
#include "widgets/monatskalender.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

double Tag(int j, int m, int t)
{
    return Tageszahl::ausDatum(QDate(j, m, t));
}

// A window like the dialogs: the date field and a second field to move the focus to.
struct Fenster
{
    QWidget fenster;
    TDateEdit* datum = new TDateEdit(&fenster);
    QLineEdit* anderes = new QLineEdit(&fenster);

    Fenster()
    {
        auto* spalte = new QVBoxLayout(&fenster);
        spalte->addWidget(datum);
        spalte->addWidget(anderes);
        fenster.show();
        fenster.activateWindow();
    }
};

} // namespace

class TestDatumsfeld final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
                 qPrintable(ModalHelfer::OffeneFenster().join(u'\n')));
    }

    void eingabeLesen_data()
    {
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<bool>("gueltig");
        QTest::addColumn<double>("tag");
        QTest::addColumn<QString>("gezeigt");

        QTest::newRow("ohne führende Nullen")
            << "5.3.2027" << true << Tag(2027, 3, 5) << "05.03.2027";
        QTest::newRow("mit führenden Nullen")
            << "05.03.2027" << true << Tag(2027, 3, 5) << "05.03.2027";
        QTest::newRow("gemischt") << "5.03.2027" << true << Tag(2027, 3, 5) << "05.03.2027";
        QTest::newRow("Leerzeichen ringsum")
            << " 24.12.2027 " << true << Tag(2027, 12, 24) << "24.12.2027";
        QTest::newRow("Schalttag") << "29.2.2028" << true << Tag(2028, 2, 29) << "29.02.2028";
        QTest::newRow("Jahrtausendwechsel") << "1.1.2000" << true << 36526.0 << "01.01.2000";
        QTest::newRow("Tag null") << "30.12.1899" << true << 0.0 << "30.12.1899";
        QTest::newRow("vor Tag null") << "29.12.1899" << true << -1.0 << "29.12.1899";
        QTest::newRow("letzter Tag") << "31.12.9999" << true << Tag(9999, 12, 31) << "31.12.9999";

        QTest::newRow("kein Schaltjahr") << "29.02.2027" << false << 0.0 << "29.02.2027";
        QTest::newRow("31. April") << "31.04.2027" << false << 0.0 << "31.04.2027";
        QTest::newRow("Monat 13") << "1.13.2027" << false << 0.0 << "1.13.2027";
        QTest::newRow("Tag 0") << "0.3.2027" << false << 0.0 << "0.3.2027";
        QTest::newRow("zweistelliges Jahr") << "5.3.27" << false << 0.0 << "5.3.27";
        QTest::newRow("fünfstelliges Jahr") << "5.3.20271" << false << 0.0 << "5.3.20271";
        QTest::newRow("Jahr 0") << "1.1.0000" << false << 0.0 << "1.1.0000";
        QTest::newRow("Bindestriche") << "05-03-2027" << false << 0.0 << "05-03-2027";
        QTest::newRow("ISO-Form") << "2027-03-05" << false << 0.0 << "2027-03-05";
        QTest::newRow("ohne Jahr") << "5.3." << false << 0.0 << "5.3.";
        QTest::newRow("Buchstaben") << "morgen" << false << 0.0 << "morgen";
        QTest::newRow("leer") << "" << false << 0.0 << "";
    }
    void eingabeLesen()
    {
        QFETCH(QString, eingabe);
        QFETCH(bool, gueltig);
        QFETCH(double, tag);
        QFETCH(QString, gezeigt);
        const DatumsEingabe e = DatumsEingabeLesen(eingabe);
        QCOMPARE(e.gueltig, gueltig);
        QCOMPARE(e.tag, tag);
        QCOMPARE(e.text, gezeigt);
    }

    void setzenUndLesen_data()
    {
        QTest::addColumn<double>("tag");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("gelesen");
        QTest::newRow("ganzer Tag") << Tag(2001, 8, 13) << "13.08.2001" << Tag(2001, 8, 13);
        QTest::newRow("Uhrzeit fällt weg")
            << Tag(2001, 9, 12) + 0.75 << "12.09.2001" << Tag(2001, 9, 12);
        QTest::newRow("vierstelliges Jahr vor 1000")
            << Tag(812, 1, 2) << "02.01.0812" << Tag(812, 1, 2);
        QTest::newRow("außerhalb des Kalenders") << 9.0e9 << "" << 0.0;
    }
    void setzenUndLesen()
    {
        QFETCH(double, tag);
        QFETCH(QString, text);
        QFETCH(double, gelesen);
        TDateEdit feld;
        feld.setDate(tag);
        QCOMPARE(feld.text(), text);
        QCOMPARE(feld.Date(), gelesen);
    }

    void setTextOhneMeldung()
    {
        TDateEdit feld;
        QSignalSpy aenderungen(&feld, &TDateEdit::Change);
        feld.setText(QStringLiteral("5.3.2027"));
        QCOMPARE(feld.text(), QStringLiteral("05.03.2027"));
        feld.setText(QStringLiteral("kein Datum"));
        QCOMPARE(feld.text(), QStringLiteral("kein Datum"));
        QCOMPARE(feld.Date(), 0.0);
        QCOMPARE(aenderungen.count(), 2);
    }

    void ungueltigeEingabeBeimVerlassen()
    {
        Fenster f;
        QVERIFY(QTest::qWaitForWindowActive(&f.fenster));
        f.datum->setDate(Tag(2027, 3, 5));
        QSignalSpy aenderungen(f.datum, &TDateEdit::Change);
        f.datum->setFocus(Qt::TabFocusReason);
        f.datum->Zeile()->selectAll();
        QTest::keyClicks(f.datum->Zeile(), QStringLiteral("31.02.2027"));
        QCOMPARE(aenderungen.count(), 0);

        QString titel, text;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) {
            titel = w->windowTitle();
            text = qobject_cast<QMessageBox*>(w)->text();
        });
        QTest::keyClick(f.datum->Zeile(), Qt::Key_Tab);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(titel, QStringLiteral("Warnung"));
        QCOMPARE(text,
                 QStringLiteral(
                     "„31.02.2027“ ist kein gültiges Datum.\n"
                     "Bitte geben Sie das Datum als Tag.Monat.Jahr ein, zum Beispiel 24.12.2027."));
        QCOMPARE(f.datum->text(), QStringLiteral("31.02.2027"));
        QCOMPARE(f.datum->Date(), 0.0);
        QCOMPARE(aenderungen.count(), 1);
        // The focus went on (offscreen no window is active again after the box).
        QCOMPARE(f.fenster.focusWidget(), f.anderes);

        // Back in and out without typing: the same text is not reported twice.
        f.fenster.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.fenster));
        f.datum->setFocus(Qt::TabFocusReason);
        ModalHelfer keineMeldung;
        keineMeldung.Taste(Qt::Key_Escape);
        QTest::keyClick(f.datum->Zeile(), Qt::Key_Tab);
        QCOMPARE(keineMeldung.Beantwortet(), 0);
        QVERIFY(f.anderes->hasFocus());
        QCOMPARE(aenderungen.count(), 1);
    }

    void verlassenPrueftUndMeldetEinmal_data()
    {
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QString>("danach");
        QTest::addColumn<int>("aenderungen");
        QTest::newRow("neues Datum kurz getippt") << "05.03.2027"
                                                  << "6.3.2027"
                                                  << "06.03.2027" << 1;
        QTest::newRow("gleiches Datum anders getippt") << "05.03.2027"
                                                       << "5.3.2027"
                                                       << "05.03.2027" << 0;
        QTest::newRow("gleiches Datum gleich getippt") << "05.03.2027"
                                                       << "05.03.2027"
                                                       << "05.03.2027" << 0;
        QTest::newRow("erst aus leerem Feld") << ""
                                              << "1.10.2027"
                                              << "01.10.2027" << 1;
        QTest::newRow("geleert, ohne Meldung") << "05.03.2027"
                                               << ""
                                               << "" << 1;
    }
    void verlassenPrueftUndMeldetEinmal()
    {
        QFETCH(QString, vorher);
        QFETCH(QString, getippt);
        QFETCH(QString, danach);
        QFETCH(int, aenderungen);
        Fenster f;
        QVERIFY(QTest::qWaitForWindowActive(&f.fenster));
        f.datum->setText(vorher);
        QSignalSpy spion(f.datum, &TDateEdit::Change);
        f.datum->setFocus(Qt::TabFocusReason);
        f.datum->Zeile()->selectAll();
        if (getippt.isEmpty())
            QTest::keyClick(f.datum->Zeile(), Qt::Key_Delete);
        else
            QTest::keyClicks(f.datum->Zeile(), getippt);
        ModalHelfer keineMeldung;
        keineMeldung.Taste(Qt::Key_Escape);
        QTest::keyClick(f.datum->Zeile(), Qt::Key_Tab);
        QCOMPARE(keineMeldung.Beantwortet(), 0);
        QCOMPARE(f.datum->text(), danach);
        QCOMPARE(spion.count(), aenderungen);
    }

    void fertigesDatumZaehltSchonBeimTippen()
    {
        // A dialog may enable its apply button before the field is left.
        Fenster f;
        QVERIFY(QTest::qWaitForWindowActive(&f.fenster));
        f.datum->setText(QStringLiteral("05.03.2027"));
        QSignalSpy spion(f.datum, &TDateEdit::Change);
        f.datum->setFocus(Qt::TabFocusReason);
        f.datum->Zeile()->selectAll();
        QTest::keyClicks(f.datum->Zeile(), QStringLiteral("07.03.202"));
        QCOMPARE(spion.count(), 0);
        QTest::keyClick(f.datum->Zeile(), Qt::Key_7);
        QCOMPARE(spion.count(), 1);
        QCOMPARE(f.datum->Date(), Tag(2027, 3, 7));
        QTest::keyClick(f.datum->Zeile(), Qt::Key_Tab);
        QCOMPARE(spion.count(), 1);
    }

    void enterPrueftWieVerlassen()
    {
        Fenster f;
        QVERIFY(QTest::qWaitForWindowActive(&f.fenster));
        f.datum->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(f.datum->Zeile(), QStringLiteral("1.2.3"));
        QString text;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("OK"),
                       [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); });
        QTest::keyClick(f.datum->Zeile(), Qt::Key_Return);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(text, QStringLiteral("„1.2.3“ ist kein gültiges Datum.\nBitte geben Sie das Datum "
                                      "als Tag.Monat.Jahr ein, zum Beispiel 24.12.2027."));
        QCOMPARE(f.fenster.focusWidget(), f.datum->Zeile());
    }

    void fensterwechselPrueftNicht()
    {
        TDateEdit feld;
        feld.Zeile()->setText(QStringLiteral("quatsch"));
        feld.Zeile()->setModified(true);
        ModalHelfer keineMeldung;
        keineMeldung.Taste(Qt::Key_Escape);
        QFocusEvent weg(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(feld.Zeile(), &weg);
        QFocusEvent menue(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(feld.Zeile(), &menue);
        QTest::qWait(60);
        QCOMPARE(keineMeldung.Beantwortet(), 0);
        QCOMPARE(feld.text(), QStringLiteral("quatsch"));
    }

    void kalenderHatTitelHinweiseUndFarbe_data()
    {
        QTest::addColumn<QColor>("farbe");
        QTest::newRow("Startdialog") << QColor(102, 204, 255);
        QTest::newRow("Aufgabendialoge") << QColor(255, 204, 51);
    }
    void kalenderHatTitelHinweiseUndFarbe()
    {
        QFETCH(QColor, farbe);
        Fenster f;
        f.datum->setKalenderFarbe(farbe);
        f.datum->setDate(Tag(2027, 3, 5));
        QSignalSpy spion(f.datum, &TDateEdit::Change);

        QString titel, monat;
        QStringList hinweise;
        QColor fensterFarbe;
        double gewaehlt = 0;
        QLocale sprache;
        Qt::DayOfWeek ersterTag = Qt::Sunday;
        ModalHelfer helfer;
        helfer.Taste(
            Qt::Key_Escape,
            [&](QWidget* w) {
                auto* k = qobject_cast<TMonatskalender*>(w);
                QVERIFY(k);
                titel = k->windowTitle();
                monat = k->findChild<QLabel*>(QStringLiteral("monatstitel"))->text();
                for (const char* name :
                     {"vorherigesJahr", "vorherigerMonat", "naechsterMonat", "naechstesJahr"})
                    hinweise << k->findChild<QToolButton*>(QString::fromLatin1(name))->toolTip();
                fensterFarbe = k->palette().color(QPalette::Window);
                gewaehlt = k->Tag();
                auto* kalender = k->findChild<QCalendarWidget*>(QStringLiteral("kalender"));
                sprache = kalender->locale();
                ersterTag = kalender->firstDayOfWeek();
            },
            QStringLiteral("monatskalender"));
        QTest::mouseClick(f.datum->KalenderKnopf(), Qt::LeftButton);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));

        QCOMPARE(titel, QStringLiteral("Wählen Sie ein Datum"));
        QCOMPARE(hinweise,
                 (QStringList{QStringLiteral("vorheriges Jahr"), QStringLiteral("voheriger Monat"),
                              QStringLiteral("nächster Monat"), QStringLiteral("nächstes Jahr")}));
        QCOMPARE(fensterFarbe, farbe);
        QCOMPARE(monat, QStringLiteral("März 2027"));
        QCOMPARE(gewaehlt, Tag(2027, 3, 5));
        QCOMPARE(sprache.language(), QLocale::German);
        QCOMPARE(ersterTag, Qt::Monday);
        // Escape cancelled: nothing changed.
        QCOMPARE(f.datum->text(), QStringLiteral("05.03.2027"));
        QCOMPARE(spion.count(), 0);
    }

    void titelPasstInDieTitelleiste()
    {
        // Beside the bold title the title bar holds an icon and its buttons.
        TDateEdit feld;
        int breite = 0;
        QString titel;
        ModalHelfer helfer;
        helfer.Taste(Qt::Key_Escape, [&](QWidget* w) {
            breite = w->width();
            titel = w->windowTitle();
        });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QFont fett = QApplication::font();
        fett.setBold(true);
        QCOMPARE(titel, QStringLiteral("Wählen Sie ein Datum"));
        QVERIFY2(breite >= QFontMetrics(fett).horizontalAdvance(titel) + 120,
                 qPrintable(QString::number(breite)));
    }

    void eigenerTitel()
    {
        TDateEdit feld;
        feld.setKalenderTitel(QStringLiteral("Einzug ab dem"));
        QString titel;
        ModalHelfer helfer;
        helfer.Taste(Qt::Key_Escape, [&](QWidget* w) { titel = w->windowTitle(); });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(titel, QStringLiteral("Einzug ab dem"));
    }

    void blaettern_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<QStringList>("knoepfe");
        QTest::addColumn<double>("ziel");
        QTest::addColumn<QString>("monat");
        QTest::newRow("nächster Monat")
            << Tag(2027, 3, 5) << QStringList{QStringLiteral("naechsterMonat")} << Tag(2027, 4, 5)
            << "April 2027";
        QTest::newRow("voriger Monat über Jahreswechsel")
            << Tag(2027, 1, 15) << QStringList{QStringLiteral("vorherigerMonat")}
            << Tag(2026, 12, 15) << "Dezember 2026";
        QTest::newRow("nächster Monat über Jahreswechsel")
            << Tag(2026, 12, 31) << QStringList{QStringLiteral("naechsterMonat")}
            << Tag(2027, 1, 31) << "Januar 2027";
        QTest::newRow("31. Januar in den Februar")
            << Tag(2027, 1, 31) << QStringList{QStringLiteral("naechsterMonat")} << Tag(2027, 2, 28)
            << "Februar 2027";
        QTest::newRow("31. Januar in den Schaltfebruar")
            << Tag(2028, 1, 31) << QStringList{QStringLiteral("naechsterMonat")} << Tag(2028, 2, 29)
            << "Februar 2028";
        QTest::newRow("Schalttag ein Jahr vor")
            << Tag(2028, 2, 29) << QStringList{QStringLiteral("naechstesJahr")} << Tag(2029, 2, 28)
            << "Februar 2029";
        QTest::newRow("voriges Jahr")
            << Tag(2027, 3, 5) << QStringList{QStringLiteral("vorherigesJahr")} << Tag(2026, 3, 5)
            << "März 2026";
        QTest::newRow("hin und zurück")
            << Tag(2027, 3, 5)
            << QStringList{QStringLiteral("naechsterMonat"), QStringLiteral("naechstesJahr"),
                           QStringLiteral("vorherigerMonat"), QStringLiteral("vorherigesJahr")}
            << Tag(2027, 3, 5) << "März 2027";
    }
    void blaettern()
    {
        QFETCH(double, start);
        QFETCH(QStringList, knoepfe);
        QFETCH(double, ziel);
        QFETCH(QString, monat);
        TDateEdit feld;
        feld.setDate(start);
        QSignalSpy spion(&feld, &TDateEdit::Change);
        QString gesehen;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) {
            for (const QString& name : knoepfe)
                QTest::mouseClick(w->findChild<QToolButton*>(name), Qt::LeftButton);
            gesehen = w->findChild<QLabel*>(QStringLiteral("monatstitel"))->text();
        });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(gesehen, monat);
        QCOMPARE(feld.Date(), ziel);
        QCOMPARE(spion.count(), ziel == start ? 0 : 1);
    }

    void tagMitTastaturUndEnterWaehlen()
    {
        TDateEdit feld;
        feld.setDate(Tag(2027, 3, 5));
        QSignalSpy spion(&feld, &TDateEdit::Change);
        ModalHelfer helfer;
        helfer.Mache([](QWidget* w) {
            QWidget* raster = QApplication::focusWidget();
            QVERIFY(raster && w->isAncestorOf(raster));
            QTest::keyClick(raster, Qt::Key_Right); // Saturday 06.03.
            QTest::keyClick(raster, Qt::Key_Down);  // a week later
            QTest::keyClick(raster, Qt::Key_Return);
        });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(feld.text(), QStringLiteral("13.03.2027"));
        QCOMPARE(spion.count(), 1);
    }

    void tagMitDoppelklickWaehlen()
    {
        TDateEdit feld;
        feld.setDate(Tag(2027, 3, 5));
        ModalHelfer helfer;
        helfer.Mache([](QWidget* w) {
            auto* ansicht = w->findChild<QAbstractItemView*>();
            QVERIFY(ansicht);
            // One cell to the right of the selected Friday: Saturday 06.03.2027.
            const QModelIndex heute = ansicht->currentIndex();
            const QRect zelle = ansicht->visualRect(heute.sibling(heute.row(), heute.column() + 1));
            // Through the window, so the double click comes as press, release, press, release.
            QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {},
                               ansicht->viewport()->mapTo(w, zelle.center()));
        });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(feld.text(), QStringLiteral("06.03.2027"));
    }

    void abbrechenUndGleicherTagAendernNichts_data()
    {
        QTest::addColumn<QString>("knopf");
        QTest::newRow("Abbrechen nach Blättern") << "knopf_abbrechen";
        QTest::newRow("OK ohne Blättern") << "knopf_ok";
    }
    void abbrechenUndGleicherTagAendernNichts()
    {
        QFETCH(QString, knopf);
        TDateEdit feld;
        feld.setDate(Tag(2027, 3, 5));
        QSignalSpy spion(&feld, &TDateEdit::Change);
        ModalHelfer helfer;
        helfer.Druecke(knopf, [&](QWidget* w) {
            if (knopf == QLatin1String("knopf_abbrechen"))
                qobject_cast<TMonatskalender*>(w)->NaechstesJahr();
        });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(feld.text(), QStringLiteral("05.03.2027"));
        QCOMPARE(spion.count(), 0);
    }

    void kalenderBeiUngueltigemText_data()
    {
        QTest::addColumn<QString>("vorher"); // the last valid date, empty for none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<double>("tag");
        const QString heute = QStringLiteral("Mai 2026");
        const double h = Tag(2026, 5, 3);
        QTest::newRow("Wort") << QString() << QStringLiteral("irgendwann") << heute << h;
        QTest::newRow("leer") << QString() << QString() << heute << h;
        QTest::newRow("Jahr 0") << QString() << QStringLiteral("01.01.0000") << heute << h;
        QTest::newRow("30. Februar") << QString() << QStringLiteral("30.02.2027") << heute << h;
        QTest::newRow("nach gültigem Datum")
            << QStringLiteral("17.11.2027") << QStringLiteral("17.11.20x7")
            << QStringLiteral("November 2027") << Tag(2027, 11, 17);
        QTest::newRow("geleert nach gültigem Datum")
            << QStringLiteral("17.11.2027") << QString() << QStringLiteral("November 2027")
            << Tag(2027, 11, 17);
    }

    void kalenderBeiUngueltigemText()
    {
        QFETCH(QString, vorher);
        QFETCH(QString, text);
        QFETCH(QString, titel);
        QFETCH(double, tag);
        Uhr::Festsetzen(QDateTime(QDate(2026, 5, 3), QTime(10, 0)));
        const auto zurueck = qScopeGuard([] { Uhr::Festsetzen({}); });
        TDateEdit feld;
        if (!vorher.isEmpty())
            feld.setText(vorher);
        feld.setText(text);
        double gezeigt = -1;
        QString seite;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("Abbrechen"), [&](QWidget* w) {
            auto* k = qobject_cast<TMonatskalender*>(w);
            gezeigt = k->Tag();
            seite = k->MonatsTitel();
        });
        feld.KalenderOeffnen();
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(seite, titel);
        QCOMPARE(gezeigt, tag);
        QCOMPARE(feld.text(), text);
    }

    void f4OeffnetDenKalender()
    {
        Fenster f;
        QVERIFY(QTest::qWaitForWindowActive(&f.fenster));
        f.datum->setFocus(Qt::TabFocusReason);
        ModalHelfer helfer;
        helfer.Taste(Qt::Key_Escape, {}, QStringLiteral("monatskalender"));
        QTest::keyClick(f.datum->Zeile(), Qt::Key_F4);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    }
};

QTEST_MAIN(TestDatumsfeld)
#include "tst_datumsfeld.moc"
