#include "guihilfe.h"

#include "app/kalenderform.h"
#include "app/situationsform.h"
#include "model/plandatei.h"
#include "support/hauptfenster.h"
#include "support/modalhelfer.h"
#include "widgets/datumsfeld.h"
#include "widgets/qvimagebutton.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

class TestPlanbefehle final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void speichernUndLastsaved();
    void speichernAbgebrochen();
    void aendernSpeichernRueckgaengig();
    void speichernInUnbeschreibbarenOrdner();
    void zweiterSchreiber_data();
    void zweiterSchreiber();
    void speichernInFehlendenOrdner();
    void keineVorschlagslisteNachDemDialog();
    void oeffnenIstUngeaendert();
    void oeffnenFehlerhaft_data();
    void oeffnenFehlerhaft();
    void oeffnenOhneAufgaben();
    void oeffnenKuerzt();
    void speichernDannSchliessenFragtNicht();
    void einstellungenNichtBeschreibbar();
    void rueckgaengigLaesstNotizUngespeichert();
    void neuBeginnenAbbrechen();
    void neuBeginnen_data();
    void neuBeginnen();

private:
    void Datei(QFileDialog* dialog, const QString& pfad, ModalHelfer& helfer);
    void Klick(const char* knopf) { QTest::mouseClick(m_f->Knopf(knopf), Qt::LeftButton); }

    QString Einstellungsdatei() const
    {
        return m_ordner->filePath(QStringLiteral("kistenlotse.ini"));
    }

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<TKalenderForm> m_f;
};

namespace {
QByteArray DateiInhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Types the path into the file dialog as a user would: folder, then the name, then Enter.
// `erzwingen` closes the dialog with OK even when it would refuse the path itself.
void Eintippen(QWidget* w, const QString& pfad, bool erzwingen)
{
    auto* d = qobject_cast<QFileDialog*>(w);
    QVERIFY(d);
    const QFileInfo info(pfad);
    d->setDirectory(info.absolutePath());
    auto* zeile = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(zeile);
    zeile->setText(info.fileName());
    if (erzwingen)
        static_cast<QDialog*>(d)->done(QDialog::Accepted);
    else
        static_cast<QDialog*>(d)->accept();
}
} // namespace

void TestPlanbefehle::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    m_f = Hauptfenster(*m_ordner, {.aufgabeOeffnen = [](qint32) {},
                                   .eigeneAufgabeOeffnen = [](qint32, double) {}});
    for (QFileDialog* d : {m_f->Speicherdialog(), m_f->Ladedialog()})
        d->setOption(QFileDialog::DontUseNativeDialog);
    m_f->resize(1000, 800);
    m_f->show();
    m_f->KalenderErstellen(BerlinerUmzug(), true);
}

void TestPlanbefehle::cleanup()
{
    m_f->hide();
    m_f.reset();
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestPlanbefehle::Datei(QFileDialog* dialog, const QString& pfad, ModalHelfer& helfer)
{
    helfer.Mache([pfad](QWidget* w) { Eintippen(w, pfad, false); }, dialog->objectName());
}

void TestPlanbefehle::speichernUndLastsaved()
{
    const QString pfad = m_ordner->filePath(QStringLiteral("umzug"));
    ModalHelfer helfer;
    Datei(m_f->Speicherdialog(), pfad, helfer);
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(QFile::exists(pfad + QStringLiteral(".kvr"))); // default extension
    QCOMPARE(EinstellungenLesen(Einstellungsdatei()).zuletztGespeichert,
             pfad + QStringLiteral(".kvr"));
    Aufgabenliste gelesen;
    Situation s;
    QVERIFY(PlanLaden(pfad + QStringLiteral(".kvr"), gelesen, s));
    QCOMPARE(gelesen.size(), m_f->plan().Aufgaben().size());
}

void TestPlanbefehle::speichernAbgebrochen()
{
    ModalHelfer helfer;
    helfer.Mache([](QWidget* w) { static_cast<QDialog*>(w)->reject(); },
                 QStringLiteral("SaveDialog1"));
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(!QFile::exists(Einstellungsdatei()));
}

// The caption names the plan's file and marks unsaved changes, as the window system shows it.
void TestPlanbefehle::aendernSpeichernRueckgaengig()
{
    const auto titel = [this] { return m_f->windowHandle()->title(); };
    QCOMPARE(titel(), QStringLiteral("Kistenlotse der Quellmark AG"));
    m_f->ZustandSichern();
    m_f->plan().Aufgaben().front().Tag += 1;
    QVERIFY(m_f->Geaendert());
    QCOMPARE(titel(), QStringLiteral("Kistenlotse der Quellmark AG*"));
    ModalHelfer helfer;
    Datei(m_f->Speicherdialog(), m_ordner->filePath(QStringLiteral("a.kvr")), helfer);
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(!m_f->Geaendert());
    QCOMPARE(titel(), QStringLiteral("a.kvr – Kistenlotse der Quellmark AG"));
    m_f->ZustandSichern();
    QCOMPARE(titel(), QStringLiteral("a.kvr* – Kistenlotse der Quellmark AG"));
    m_f->Dokument().Rueckgaengig();
    QCOMPARE(titel(), QStringLiteral("a.kvr – Kistenlotse der Quellmark AG"));
    const double tag = m_f->plan().Aufgaben().front().Tag;
    Klick("RuckgaengigButton"); // disabled: nothing happens
    QCOMPARE(m_f->plan().Aufgaben().front().Tag, tag);
}

void TestPlanbefehle::speichernInUnbeschreibbarenOrdner()
{
    // A "folder" that is a regular file cannot hold the plan (tests run as root, where
    // permissions would not stop the write).
    QFile sperre(m_ordner->filePath(QStringLiteral("keinordner")));
    QVERIFY(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    QVERIFY(LastsavedSchreiben(Einstellungsdatei(), QStringLiteral("/alt/umzug.kvr")));
    m_f->ZustandSichern();
    ModalHelfer helfer;
    QString text;
    const QString ziel = m_ordner->filePath(QStringLiteral("keinordner/umzug.kvr"));
    // As if the folder had vanished after it was chosen.
    helfer.Mache([&](QWidget* w) { Eintippen(w, ziel, true); }, QStringLiteral("SaveDialog1"));
    helfer.Druecke(
        QStringLiteral("knopf_ok"),
        [&](QWidget* w) {
            text = qobject_cast<QMessageBox*>(w)->text();
            QCOMPARE(w->windowTitle(), QStringLiteral("Warnung"));
        },
        QStringLiteral("meldung"));
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text, QStringLiteral("Beim Speichern ist ein Fehler aufgetreten.\n"
                                  "Die Datei „%1“ kann nicht geschrieben werden: Ein Teil des "
                                  "Pfades ist kein Ordner.")
                       .arg(ziel));
    QVERIFY(m_f->Geaendert());
    QCOMPARE(EinstellungenLesen(Einstellungsdatei()).zuletztGespeichert,
             QStringLiteral("/alt/umzug.kvr"));
}

void TestPlanbefehle::zweiterSchreiber_data()
{
    QTest::addColumn<bool>("fremdGeschrieben");
    QTest::addColumn<QString>("antwort"); // the button pressed at the question
    QTest::newRow("unverändert: keine Frage") << false << QString();
    QTest::newRow("überschreiben") << true << QStringLiteral("knopf_ja");
    QTest::newRow("anderer Name") << true << QStringLiteral("knopf_nein");
    QTest::newRow("abbrechen") << true << QStringLiteral("knopf_abbrechen");
}

// A second window saved the same plan file in between: the save asks before it undoes that.
void TestPlanbefehle::zweiterSchreiber()
{
    QFETCH(bool, fremdGeschrieben);
    QFETCH(QString, antwort);
    const QString a = m_ordner->filePath(QStringLiteral("a.kvr"));
    const QString b = m_ordner->filePath(QStringLiteral("b.kvr"));
    {
        ModalHelfer helfer;
        helfer.Mache([&](QWidget* w) { Eintippen(w, a, true); }, QStringLiteral("SaveDialog1"));
        Klick("SpeicherButton");
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    }
    const QByteArray unserer = DateiInhalt(a);
    if (fremdGeschrieben) {
        Aufgabenliste weniger = m_f->plan().Aufgaben();
        weniger.pop_back();
        QVERIFY(PlanSchreiben(a, weniger, m_f->plan().situation(), 0, 35));
    }
    const QByteArray vorher = DateiInhalt(a);
    m_f->ZustandSichern();

    ModalHelfer helfer;
    QString text;
    helfer.Mache([&](QWidget* w) { Eintippen(w, a, true); }, QStringLiteral("SaveDialog1"));
    if (!antwort.isEmpty())
        helfer.Druecke(
            antwort,
            [&](QWidget* w) {
                text = qobject_cast<QMessageBox*>(w)->text();
                QCOMPARE(w->windowTitle(), QStringLiteral("Bestätigung"));
            },
            QStringLiteral("meldung"));
    if (antwort == QStringLiteral("knopf_nein"))
        helfer.Mache([&](QWidget* w) { Eintippen(w, b, true); }, QStringLiteral("SaveDialog1"));
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    if (!antwort.isEmpty())
        QCOMPARE(text, QStringLiteral("Die Datei „%1“ wurde geändert, seit dieser Plan sie "
                                      "geöffnet oder gespeichert hat – vielleicht in einem "
                                      "zweiten Kistenlotse-Fenster.\nSoll sie trotzdem "
                                      "überschrieben werden? Mit „Nein“ wählen Sie einen "
                                      "anderen Namen.")
                           .arg(a));

    const bool ueberschrieben = antwort.isEmpty() || antwort == QStringLiteral("knopf_ja");
    QCOMPARE(DateiInhalt(a), ueberschrieben ? unserer : vorher);
    QCOMPARE(QFile::exists(b), antwort == QStringLiteral("knopf_nein"));
    if (QFile::exists(b))
        QCOMPARE(DateiInhalt(b), unserer);
    QCOMPARE(m_f->Geaendert(), antwort == QStringLiteral("knopf_abbrechen"));
}

void TestPlanbefehle::speichernInFehlendenOrdner()
{
    m_f->ZustandSichern();
    const QString ordner = m_ordner->filePath(QStringLiteral("fehlt"));
    ModalHelfer helfer;
    QString text;
    bool offen = false;
    helfer.Mache(
        [&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(ordner + QStringLiteral("/umzug.kvr"));
            static_cast<QDialog*>(d)
                ->accept(); // the message box opens here; the next step answers it
            offen = d->isVisible();
            d->reject();
        },
        QStringLiteral("SaveDialog1"));
    helfer.Druecke(
        QStringLiteral("knopf_ok"),
        [&](QWidget* w) {
            text = qobject_cast<QMessageBox*>(w)->text();
            QCOMPARE(w->windowTitle(), QStringLiteral("Warnung"));
        },
        QStringLiteral("meldung"));
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text,
             QStringLiteral(
                 "Der Ordner „%1“ existiert nicht.\nBitte wählen Sie einen vorhandenen Ordner.")
                 .arg(QDir::toNativeSeparators(ordner)));
    QVERIFY(offen);
    QVERIFY(!QFile::exists(ordner));
    QVERIFY(!QFile::exists(Einstellungsdatei())); // no lastsaved
    QVERIFY(m_f->Geaendert());
}

void TestPlanbefehle::keineVorschlagslisteNachDemDialog()
{
    // The name is typed faster than the folder is read, so the completion finds nothing yet;
    // the folder's contents arrive only after the dialog closed.
    const QString unter = m_ordner->filePath(QStringLiteral("unter"));
    QVERIFY(QDir().mkdir(unter));
    QFile plan(unter + QStringLiteral("/zzplan.kvr"));
    QVERIFY(plan.open(QIODevice::WriteOnly));
    plan.close();
    QCompleter* vervollstaendigung = nullptr;
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            auto* zeile = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            vervollstaendigung = zeile->completer();
            QTest::keyClicks(zeile, unter + QStringLiteral("/zz"));
            QCOMPARE(vervollstaendigung->completionCount(), 0);
            static_cast<QDialog*>(w)->reject();
        },
        QStringLiteral("OpenDialog1"));
    Klick("LadenButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(vervollstaendigung);
    QTRY_COMPARE(vervollstaendigung->completionCount(), 1);
    // The completer starts again when the folder arrives while its field still has the focus;
    // under X11 the focus may leave the closed dialog's field only after that.
    if (vervollstaendigung->widget())
        vervollstaendigung->complete();
    QVERIFY(!vervollstaendigung->popup()->isVisible());
    QVERIFY(!QApplication::activePopupWidget());
}

// After "Laden" the plan is the file's: nothing is unsaved, closing does not ask; undo
// brings back the plan shown before, which no file holds.
void TestPlanbefehle::oeffnenIstUngeaendert()
{
    Plan anderer;
    anderer.situation().BundeslandA = 13;
    anderer.situation().BundeslandB = 2;
    anderer.situation().Einzugdatum = QStringLiteral("01.03.2027");
    anderer.situation().Auszugdatum = QStringLiteral("10.03.2027");
    anderer.AbfolgeSuchen(T(2027, 3, 1), T(2027, 3, 10), nullptr);
    const QString pfad = m_ordner->filePath(QStringLiteral("anderer.kvr"));
    QVERIFY(PlanSchreiben(pfad, anderer.Aufgaben(), anderer.situation(), 0, 35));
    const Aufgabenliste vorher = m_f->plan().Aufgaben();
    const Situation vorherSituation = m_f->plan().situation();

    ModalHelfer helfer;
    Datei(m_f->Ladedialog(), pfad, helfer);
    Klick("LadenButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(m_f->plan().situation().BundeslandA, 13);
    QCOMPARE(m_f->plan().Aufgaben().size(), anderer.Aufgaben().size());
    QVERIFY(m_f->ErsterTag() > T(2027, 1, 1));
    QVERIFY(!m_f->Geaendert());
    QVERIFY(!QFile::exists(Einstellungsdatei())); // opening does not touch lastsaved

    // Undo returns to the plan shown before the open, with its situation and calendar.
    Klick("RuckgaengigButton");
    QCOMPARE(m_f->plan().Aufgaben().size(), vorher.size());
    QCOMPARE(m_f->plan().Aufgaben().front().Tag, vorher.front().Tag);
    QCOMPARE(m_f->plan().situation(), vorherSituation);
    QVERIFY(m_f->ErsterTag() < T(2027, 1, 1));
    QVERIFY(m_f->Geaendert());

    // Closing now asks; cancelling keeps the window.
    ModalHelfer frage;
    QString text;
    frage.Druecke(
        QStringLiteral("knopf_abbrechen"),
        [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    QVERIFY(!m_f->close());
    QVERIFY2(frage.Erledigt(), qPrintable(frage.Fehler()));
    QCOMPARE(text,
             QStringLiteral("Ihre letzten Änderungen wurden nicht gespeichert. Trotzdem beenden?"));
}

void TestPlanbefehle::oeffnenFehlerhaft_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("grund"); // the second line of the message
    QTest::newRow("leer")
        << QByteArray()
        << QStringLiteral("Die Datei „PFAD“ enthält keinen Plan (keinen einzigen Abschnitt).");
    QTest::newRow("letzter Abschnitt ohne Titel")
        << QByteArray("[7]\r\nTag=01.01.2027\r\n\r\n")
        << QStringLiteral(
               "Der Aufgabe 7 im letzten Abschnitt der Datei fehlt die Kurzbezeichnung.");
    QByteArray schrott(4096, '\0');
    for (int i = 0; i < schrott.size(); ++i)
        schrott[i] = char((i * 7919) % 251);
    QTest::newRow("Binaerschrott")
        << schrott
        << QStringLiteral("Die Datei „PFAD“ enthält keinen Plan (keinen einzigen Abschnitt).");
}

void TestPlanbefehle::oeffnenFehlerhaft()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, grund);
    const QString pfad = m_ordner->filePath(QStringLiteral("kaputt.kvr"));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(inhalt);
    datei.close();
    const Aufgabenliste vorher = m_f->plan().Aufgaben();
    const Situation situation = m_f->plan().situation();

    ModalHelfer helfer;
    QString text;
    Datei(m_f->Ladedialog(), pfad, helfer);
    helfer.Druecke(
        QStringLiteral("knopf_ok"),
        [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    Klick("LadenButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text, QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n") +
                       grund.replace(QStringLiteral("PFAD"), pfad));
    QCOMPARE(m_f->plan().Aufgaben().size(), vorher.size());
    for (size_t i = 0; i < vorher.size(); ++i) {
        QCOMPARE(m_f->plan().Aufgaben()[i].Nummer, vorher[i].Nummer);
        QCOMPARE(m_f->plan().Aufgaben()[i].Tag, vorher[i].Tag);
    }
    QCOMPARE(m_f->plan().situation(), situation);
    QVERIFY(!m_f->Geaendert());
}

void TestPlanbefehle::oeffnenOhneAufgaben()
{
    // A file without task sections is a plan without tasks: five empty weeks from this week.
    const QString pfad = m_ordner->filePath(QStringLiteral("leer.kvr"));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("[allgemein]\r\nBundeslandA=5\r\n\r\n");
    datei.close();
    ModalHelfer helfer;
    Datei(m_f->Ladedialog(), pfad, helfer);
    Klick("LadenButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(m_f->plan().Aufgaben().empty());
    QCOMPARE(m_f->plan().situation().BundeslandA, 5);
    QCOMPARE(m_f->AnzahlTage(), 35);
    QVERIFY(m_f->ErsterTag() <= Tageszahl::heute() && Tageszahl::heute() < m_f->ErsterTag() + 7);
}

// Values beyond a plan's limits are cut, and the status line says so.
void TestPlanbefehle::oeffnenKuerzt()
{
    const QString pfad = m_ordner->filePath(QStringLiteral("lang.kvr"));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(
        "[allgemein]\r\nBundeslandA=5\r\n\r\n[7]\r\nKurzbezeichnung=" + QByteArray(300, 't') +
        "\r\nTag=03.09.2001\r\nvorher=" + QByteArray(3000, '1').replace("1", "1,") + "\r\n");
    datei.close();
    ModalHelfer helfer;
    Datei(m_f->Ladedialog(), pfad, helfer);
    // The task lacks most keys: the window names it before showing the plan.
    QString hinweis;
    helfer.Druecke(
        QStringLiteral("knopf_ok"),
        [&](QWidget* w) { hinweis = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    Klick("LadenButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY2(hinweis.contains(QStringLiteral(
                 "Bei einer Aufgabe fehlten Angaben, für die Vorgaben eingesetzt wurden: 7 „")),
             qPrintable(hinweis));
    QCOMPARE(m_f->plan().Aufgaben().size(), size_t(1));
    QCOMPARE(m_f->plan().Aufgaben()[0].Kurzbezeichnung, QString(255, QLatin1Char('t')));
    QCOMPARE(m_f->plan().Aufgaben()[0].vorher.size(), 1000);
    QCOMPARE(
        m_f->StatusText().trimmed(),
        QStringLiteral("Die Datei enthielt zu lange Angaben; 2 davon wurden beim Laden gekürzt."));

    // A failed load of another file leaves no word of this one's.
    const QString kaputt = m_ordner->filePath(QStringLiteral("kaputt.kvr"));
    QFile leer(kaputt);
    QVERIFY(leer.open(QIODevice::WriteOnly));
    leer.close();
    ModalHelfer nochmal;
    Datei(m_f->Ladedialog(), kaputt, nochmal);
    nochmal.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    Klick("LadenButton");
    QVERIFY2(nochmal.Erledigt(), qPrintable(nochmal.Fehler()));
    QCOMPARE(m_f->StatusText().trimmed(), QString());
}

void TestPlanbefehle::speichernDannSchliessenFragtNicht()
{
    m_f->ZustandSichern();
    ModalHelfer helfer;
    Datei(m_f->Speicherdialog(), m_ordner->filePath(QStringLiteral("b.kvr")), helfer);
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(m_f->close()); // no question: a box would stay unanswered and fail cleanup
    const Einstellungen e = EinstellungenLesen(Einstellungsdatei());
    QVERIFY(e.fensterbreite > 0);
    QCOMPARE(e.zuletztGespeichert, m_ordner->filePath(QStringLiteral("b.kvr")));
}

// A note edited, then a drag undone: the note is still unsaved and closing asks.
void TestPlanbefehle::rueckgaengigLaesstNotizUngespeichert()
{
    m_f->ZustandSichern();
    m_f->plan().Aufgaben().front().Notiz = {QStringLiteral("Zählerstand notieren")};
    const taufgabe& letzte =
        *std::max_element(m_f->plan().Aufgaben().begin(), m_f->plan().Aufgaben().end(),
                          [](const taufgabe& a, const taufgabe& b) { return a.Tag < b.Tag; });
    QVERIFY(m_f->AufgabeZiehen(letzte.Nummer, letzte.Tag + 1));
    Klick("RuckgaengigButton");
    QVERIFY(!m_f->Knopf("RuckgaengigButton")->isEnabled());
    QVERIFY(m_f->Geaendert());

    ModalHelfer frage;
    QString text;
    frage.Druecke(
        QStringLiteral("knopf_abbrechen"),
        [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    QVERIFY(!m_f->close());
    QVERIFY2(frage.Erledigt(), qPrintable(frage.Fehler()));
    QCOMPARE(text,
             QStringLiteral("Ihre letzten Änderungen wurden nicht gespeichert. Trotzdem beenden?"));
    QCOMPARE(m_f->plan().Aufgaben().front().Notiz,
             QStringList{QStringLiteral("Zählerstand notieren")});
}

// The plan is saved but the settings file cannot take lastsaved: the message says both.
void TestPlanbefehle::einstellungenNichtBeschreibbar()
{
    QVERIFY(QDir().mkdir(Einstellungsdatei())); // a folder where the file should be
    const QString pfad = m_ordner->filePath(QStringLiteral("umzug.kvr"));
    ModalHelfer helfer;
    QString text;
    Datei(m_f->Speicherdialog(), pfad, helfer);
    helfer.Druecke(
        QStringLiteral("knopf_ok"),
        [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    Klick("SpeicherButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY2(text.startsWith(QStringLiteral("Der Plan wurde in „%1“ gespeichert.\n").arg(pfad)),
             qPrintable(text));
    QVERIFY(text.section(u'\n', 1).size() > 10); // and why the settings were not
    QVERIFY(QFile::exists(pfad));
    QVERIFY(!m_f->Geaendert());
}

void TestPlanbefehle::neuBeginnenAbbrechen()
{
    const Aufgabenliste vorher = m_f->plan().Aufgaben();
    ModalHelfer helfer;
    helfer.Mache(
        [](QWidget* w) {
            auto* abbrechen = Kind<TQvImageButton>(w, "AbbrechenButton");
            QVERIFY(abbrechen->isVisible());
            QTest::mouseClick(abbrechen, Qt::LeftButton);
        },
        QStringLiteral("SituationsForm"));
    Klick("NeuButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(!Kind<TQvImageButton>(m_f->Startdialog(), "AbbrechenButton")
                 ->isVisibleTo(m_f->Startdialog()));
    QCOMPARE(m_f->plan().Aufgaben().size(), vorher.size());
}

void TestPlanbefehle::neuBeginnen_data()
{
    QTest::addColumn<bool>("geaendert");  // unsaved changes before "Neu beginnen"
    QTest::addColumn<QString>("antwort"); // to the question about them
    QTest::newRow("nichts ungespeichert: keine Frage") << false << QString();
    QTest::newRow("ungespeichert, OK") << true << QStringLiteral("knopf_ok");
    QTest::newRow("ungespeichert, Abbrechen") << true << QStringLiteral("knopf_abbrechen");
}

// "Neu beginnen" asks before unsaved changes go; "Weiter" is one undo step that takes back
// tasks and situation together.
void TestPlanbefehle::neuBeginnen()
{
    QFETCH(bool, geaendert);
    QFETCH(QString, antwort);
    if (geaendert) {
        m_f->ZustandSichern();
        m_f->plan().Aufgaben().front().Notiz = {QStringLiteral("Schlüssel beim Hausmeister")};
    }
    const Aufgabenliste vorher = m_f->plan().Aufgaben();
    const Situation vorherSituation = m_f->plan().situation();
    ModalHelfer helfer;
    QString frage;
    if (!antwort.isEmpty())
        helfer.Druecke(
            antwort, [&](QWidget* w) { frage = qobject_cast<QMessageBox*>(w)->text(); },
            QStringLiteral("meldung"));
    const bool weiter = antwort != QStringLiteral("knopf_abbrechen");
    if (weiter)
        helfer.Mache(
            [](QWidget* w) {
                Kind<QComboBox>(w, "ComboBox1")->setCurrentIndex(12);
                static_cast<TSituationsForm*>(w)->DatenSetzen(Tageszahl::heute() + 3,
                                                              Tageszahl::heute() + 9);
                QTest::mouseClick(Kind<TQvImageButton>(w, "WeiterButton"), Qt::LeftButton);
            },
            QStringLiteral("SituationsForm"));
    Klick("NeuButton");
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    if (!antwort.isEmpty())
        QCOMPARE(frage, QStringLiteral("Ihre letzten Änderungen wurden nicht gespeichert. "
                                       "Trotzdem neu beginnen?"));
    if (!weiter) {
        QVERIFY(m_f->plan().Aufgaben() == vorher);
        QVERIFY(m_f->Geaendert());
        return;
    }
    QCOMPARE(m_f->plan().situation().BundeslandA, 13);
    QVERIFY(m_f->ErsterTag() > T(2020, 1, 1));
    QVERIFY(m_f->Geaendert()); // the new plan is in no file

    Klick("RuckgaengigButton");
    QVERIFY(m_f->plan().Aufgaben() == vorher);
    QCOMPARE(m_f->plan().situation(), vorherSituation);
    QCOMPARE(m_f->Geaendert(), geaendert);
}

QTEST_MAIN(TestPlanbefehle)
#include "tst_planbefehle.moc"
