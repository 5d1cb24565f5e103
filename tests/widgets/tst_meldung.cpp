#include "support/modalhelfer.h"
#include "widgets/meldung.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(MeldungsArt)
Q_DECLARE_METATYPE(Knoepfe)
Q_DECLARE_METATYPE(Knopf)

namespace {

struct Gesehen
{
    QString titel;
    QString text;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QStringList beschriftungen; // left to right as laid out
    QStringList namen;
    QString vorgabe;
};

Gesehen Ansehen(QWidget* w)
{
    Gesehen g;
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box)
        return g;
    g.titel = box->windowTitle();
    g.text = box->text();
    g.symbol = box->icon();
    g.format = box->textFormat();
    auto knoepfe = box->buttons();
    std::sort(knoepfe.begin(), knoepfe.end(),
              [](const QAbstractButton* a, const QAbstractButton* b) { return a->x() < b->x(); });
    for (const auto* k : knoepfe) {
        g.beschriftungen << k->text();
        g.namen << k->objectName();
    }
    if (box->defaultButton())
        g.vorgabe = box->defaultButton()->objectName();
    return g;
}

} // namespace

class TestMeldung final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
                 qPrintable(ModalHelfer::OffeneFenster().join(u'\n')));
    }

    void artenHabenTitelUndSymbol_data()
    {
        QTest::addColumn<MeldungsArt>("art");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<int>("symbol");
        QTest::newRow("Warnung") << MeldungsArt::Warnung << QStringLiteral("Warnung")
                                 << int(QMessageBox::Warning);
        QTest::newRow("Fehler") << MeldungsArt::Fehler << QStringLiteral("Fehler")
                                << int(QMessageBox::Critical);
        QTest::newRow("Information") << MeldungsArt::Information << QStringLiteral("Information")
                                     << int(QMessageBox::Information);
        QTest::newRow("Bestätigung, Fragezeichen")
            << MeldungsArt::Bestaetigung << QStringLiteral("Bestätigung")
            << int(QMessageBox::Question);
    }
    void artenHabenTitelUndSymbol()
    {
        QFETCH(MeldungsArt, art);
        QFETCH(QString, titel);
        QFETCH(int, symbol);
        Gesehen g;
        ModalHelfer helfer;
        helfer.Druecke(
            QStringLiteral("knopf_ok"), [&](QWidget* w) { g = Ansehen(w); },
            QStringLiteral("meldung"));
        QCOMPARE(Meldung(nullptr, art, QStringLiteral("Zeile eins\nZeile zwei")), OK);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(g.titel, titel);
        QCOMPARE(int(g.symbol), symbol);
        QCOMPARE(g.text, QStringLiteral("Zeile eins\nZeile zwei"));
    }

    void textWirdNichtAlsMarkupGelesen()
    {
        Gesehen g;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("OK"), [&](QWidget* w) { g = Ansehen(w); });
        Meldung(nullptr, MeldungsArt::Information, QStringLiteral("<b>Kiste</b> & Co"));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(g.format, Qt::PlainText);
        QCOMPARE(g.text, QStringLiteral("<b>Kiste</b> & Co"));
    }

    void knoepfeHabenDeutscheBeschriftungen_data()
    {
        QTest::addColumn<Knoepfe>("knoepfe");
        QTest::addColumn<QStringList>("beschriftungen");
        QTest::addColumn<QStringList>("namen");
        QTest::addColumn<QString>("vorgabe");
        QTest::newRow("OK") << Knoepfe(OK) << QStringList{QStringLiteral("OK")}
                            << QStringList{QStringLiteral("knopf_ok")} << "knopf_ok";
        QTest::newRow("OK, Abbrechen")
            << (OK | Abbrechen) << QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}
            << QStringList{QStringLiteral("knopf_ok"), QStringLiteral("knopf_abbrechen")}
            << "knopf_ok";
        QTest::newRow("Ja, Nein") << (Ja | Nein)
                                  << QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}
                                  << QStringList{QStringLiteral("knopf_ja"),
                                                 QStringLiteral("knopf_nein")}
                                  << "knopf_ja";
        QTest::newRow("alle fünf")
            << (OK | Abbrechen | Ja | Nein | Hilfe)
            << QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein"), QStringLiteral("OK"),
                           QStringLiteral("Abbrechen"), QStringLiteral("&Hilfe")}
            << QStringList{QStringLiteral("knopf_ja"), QStringLiteral("knopf_nein"),
                           QStringLiteral("knopf_ok"), QStringLiteral("knopf_abbrechen"),
                           QStringLiteral("knopf_hilfe")}
            << "knopf_ok";
        QTest::newRow("Abbrechen allein")
            << Knoepfe(Abbrechen) << QStringList{QStringLiteral("Abbrechen")}
            << QStringList{QStringLiteral("knopf_abbrechen")} << "knopf_abbrechen";
        QTest::newRow("keiner gibt OK") << Knoepfe() << QStringList{QStringLiteral("OK")}
                                        << QStringList{QStringLiteral("knopf_ok")} << "knopf_ok";
    }
    void knoepfeHabenDeutscheBeschriftungen()
    {
        QFETCH(Knoepfe, knoepfe);
        QFETCH(QStringList, beschriftungen);
        QFETCH(QStringList, namen);
        QFETCH(QString, vorgabe);
        Gesehen g;
        ModalHelfer helfer;
        helfer.Druecke(namen.first(), [&](QWidget* w) { g = Ansehen(w); });
        Meldung(nullptr, MeldungsArt::Bestaetigung, QStringLiteral("Frage"), knoepfe);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        // The layout may order the roles per platform; the set of labels is what counts.
        QStringList gesehen = g.beschriftungen;
        gesehen.sort();
        beschriftungen.sort();
        QCOMPARE(gesehen, beschriftungen);
        QStringList gesehenNamen = g.namen;
        gesehenNamen.sort();
        namen.sort();
        QCOMPARE(gesehenNamen, namen);
        QCOMPARE(g.vorgabe, vorgabe);
    }

    void gibtDenGedruecktenKnopfZurueck_data()
    {
        QTest::addColumn<Knoepfe>("knoepfe");
        QTest::addColumn<QString>("drueckt");
        QTest::addColumn<Knopf>("antwort");
        const Knoepfe alle = OK | Abbrechen | Ja | Nein | Hilfe;
        QTest::newRow("OK") << alle << "knopf_ok" << OK;
        QTest::newRow("Abbrechen") << alle << "knopf_abbrechen" << Abbrechen;
        QTest::newRow("Ja") << alle << "knopf_ja" << Ja;
        QTest::newRow("Nein") << alle << "knopf_nein" << Nein;
        QTest::newRow("Hilfe") << alle << "knopf_hilfe" << Hilfe;
        QTest::newRow("OK von OK/Abbrechen") << (OK | Abbrechen) << "OK" << OK;
        QTest::newRow("Abbrechen von OK/Abbrechen") << (OK | Abbrechen) << "Abbrechen" << Abbrechen;
    }
    void gibtDenGedruecktenKnopfZurueck()
    {
        QFETCH(Knoepfe, knoepfe);
        QFETCH(QString, drueckt);
        QFETCH(Knopf, antwort);
        ModalHelfer helfer;
        helfer.Druecke(drueckt);
        QCOMPARE(Meldung(nullptr, MeldungsArt::Bestaetigung, QStringLiteral("Frage"), knoepfe),
                 antwort);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    }

    void enterNimmtDieVorgabe()
    {
        ModalHelfer helfer;
        helfer.Taste(Qt::Key_Return);
        QCOMPARE(
            Meldung(nullptr, MeldungsArt::Bestaetigung, QStringLiteral("Frage"), OK | Abbrechen),
            OK);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    }

    void escapeUndSchliessfeld_data()
    {
        QTest::addColumn<Knoepfe>("knoepfe");
        QTest::addColumn<Knopf>("antwort");
        QTest::newRow("nur OK") << Knoepfe(OK) << OK;
        QTest::newRow("OK, Abbrechen") << (OK | Abbrechen) << Abbrechen;
        QTest::newRow("Ja, Nein") << (Ja | Nein) << Nein;
        QTest::newRow("Ja, Nein, Abbrechen") << (Ja | Nein | Abbrechen) << Abbrechen;
        QTest::newRow("OK, Hilfe") << (OK | Hilfe) << OK;
        QTest::newRow("nur Hilfe") << Knoepfe(Hilfe) << Hilfe;
    }
    void escapeUndSchliessfeld()
    {
        QFETCH(Knoepfe, knoepfe);
        QFETCH(Knopf, antwort);
        {
            ModalHelfer helfer;
            helfer.Taste(Qt::Key_Escape);
            QCOMPARE(Meldung(nullptr, MeldungsArt::Warnung, QStringLiteral("Escape"), knoepfe),
                     antwort);
            QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        }
        {
            ModalHelfer helfer;
            helfer.Mache([](QWidget* w) { w->close(); });
            QCOMPARE(Meldung(nullptr, MeldungsArt::Warnung, QStringLiteral("Schließfeld"), knoepfe),
                     antwort);
            QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        }
    }

    void ohneFluchtKnopfBleibtDieBoxOffen()
    {
        // Ja and Hilfe only: Escape and the close box must not invent an answer.
        bool nochOffen = false;
        ModalHelfer helfer;
        helfer.Taste(Qt::Key_Escape)
            .Mache([](QWidget* w) { w->close(); })
            .Druecke(QStringLiteral("&Ja"), [&](QWidget* w) { nochOffen = w->isVisible(); });
        QCOMPARE(Meldung(nullptr, MeldungsArt::Bestaetigung, QStringLiteral("Weiter?"), Ja | Hilfe),
                 Ja);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QVERIFY(nochOffen);
        QCOMPARE(FluchtKnopf(Ja | Hilfe), Knopf{});
    }

    void fehlerberichtZeigtDenEigenenText()
    {
        Gesehen g;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) { g = Ansehen(w); });
        FehlerBericht(nullptr, QStringLiteral("Zugriff verweigert: C:\\Umzug\\plan.kvr"));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(g.titel, QStringLiteral("Fehler"));
        QCOMPARE(g.symbol, QMessageBox::Critical);
        QCOMPARE(g.text, QStringLiteral("Zugriff verweigert: C:\\Umzug\\plan.kvr"));
        QCOMPARE(g.beschriftungen, QStringList{QStringLiteral("OK")});
    }

    void zusatzUnterDemText_data()
    {
        QTest::addColumn<MeldungsArt>("art");
        QTest::newRow("question") << MeldungsArt::Bestaetigung;
        QTest::newRow("warning") << MeldungsArt::Warnung;
    }

    // An extra choice (the reminder of the calendar export) lines up with the text, between it
    // and the buttons, and leaves the text its width.
    void zusatzUnterDemText()
    {
        QFETCH(MeldungsArt, art);
        QRect text;
        QRect zusatz;
        QRect knoepfe;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) {
            text = w->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->geometry();
            zusatz = w->findChild<QComboBox*>()->geometry();
            knoepfe = w->findChild<QDialogButtonBox*>()->geometry();
        });
        auto* wahl = new QComboBox;
        wahl->addItem(QStringLiteral("am Vortag um 18 Uhr"));
        Meldung(nullptr, art,
                QStringLiteral("Der Kistenlotse versucht nun, die Termine Ihres Umzugs in den"),
                OK | Abbrechen, wahl);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(zusatz.left(), text.left());
        QVERIFY(zusatz.top() > text.bottom());
        QVERIFY(zusatz.bottom() < knoepfe.top());
        QVERIFY(text.width() >= QFontMetrics(QApplication::font())
                                    .horizontalAdvance(QStringLiteral(
                                        "Der Kistenlotse versucht nun, die Termine")));
    }

    void boxIstModalUeberDemFenster()
    {
        QWidget fenster;
        fenster.show();
        QWidget* eltern = nullptr;
        bool modal = false;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) {
            eltern = w->parentWidget();
            modal = w->isModal();
        });
        Meldung(&fenster, MeldungsArt::Information, QStringLiteral("Hallo"));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(eltern, &fenster);
        QVERIFY(modal);
    }
};

QTEST_MAIN(TestMeldung)
#include "tst_meldung.moc"
