#include "guihilfe.h"

#include "app/kalenderform.h"
#include "app/kalendertastatur.h"
#include "app/reihenfolge.h"
#include "app/tday.h"
#include "dialogs/hilfefenster.h"
#include "dialogs/terminform.h"
#include "model/uhr.h"
#include "support/hauptfenster.h"
#include "support/modalhelfer.h"
#include "widgets/farben.h"
#include "widgets/qvimagebutton.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellenzeichnung.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The calendar from the keyboard and for screen readers, and where in time it is.
class TestKalenderTastatur final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void tastenziele_data();
    void tastenziele();
    void kuerzel_data();
    void kuerzel();
    void kalenderWandern();
    void entfFragt();
    void altPfeilMitOrdnungUndMitverschieben();
    void nichtPlatzierbarBleibtImDialog();
    void bildschirmleser();
    void heuteUndVergangenes();
    void jahreswechsel();
    void leertasteHaktAb();
    void kontextmenue_data();
    void kontextmenue();

private:
    // Berlin, March 2027: Telefon (Wed 3rd) before Kisten (Thu 4th) before Laden (Fri 5th);
    // Nachbarn (Thu 4th, afternoon) and Schlüssel (Mon 1st) on their own. Today is the 3rd.
    void MaerzPlan();
    tday* Zelle(double tag) const { return m_f->Tag(static_cast<int>(tag - m_f->ErsterTag())); }
    // The cell with the window's keyboard focus (it has it again once the window is active).
    tday* Fokus() const { return qobject_cast<tday*>(m_f->focusWidget()); }
    void ZelleAufgabeFokussieren(qint32 nummer)
    {
        const taufgabe& a = m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(nummer))];
        tday* z = Zelle(a.Tag);
        for (size_t i = 0; i < z->daten.Termine.size(); ++i)
            if (z->daten.Termine[i].Nummer == nummer)
                m_f->ZelleFokussieren(static_cast<int>(a.Tag - m_f->ErsterTag()),
                                      static_cast<int>(i));
    }
    void Taste(Qt::Key taste, Qt::KeyboardModifiers mit = Qt::NoModifier)
    {
        // After a dialog the window gets its focus back when it is active again (the headless
        // platform leaves the activation to the test).
        if (!QApplication::activeWindow()) {
            m_f->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_f.get()));
        }
        QWidget* ziel = QApplication::focusWidget();
        QVERIFY(ziel);
        QTest::keyClick(ziel, taste, mit);
    }

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<TKalenderForm> m_f;
    QList<qint32> m_geoeffnet;
    QList<QPair<qint32, double>> m_eigene;
};

void TestKalenderTastatur::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    Uhr::Festsetzen(QDateTime(QDate(2027, 3, 3), QTime(10, 0)));
    m_geoeffnet.clear();
    m_eigene.clear();
    m_f = Hauptfenster(*m_ordner, {.aufgabeOeffnen = [this](qint32 n) { m_geoeffnet.append(n); },
                                   .eigeneAufgabeOeffnen =
                                       [this](qint32 n, double tag) {
                                           m_eigene.append({n, tag});
                                       }});
    m_f->resize(1000, 800);
    m_f->show();
    m_f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f.get()));
}

void TestKalenderTastatur::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<THilfeFenster*>(w))
            w->close();
    m_f->hide();
    m_f.reset();
    Uhr::Festsetzen({});
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestKalenderTastatur::MaerzPlan()
{
    Plan& plan = m_f->plan();
    plan.situation.BundeslandA = 3;
    plan.situation.BundeslandB = 3;
    plan.Aufgaben = {Aufgabe(1, "Telefon ummelden", T(2027, 3, 3), 18, {}, 3),
                     Aufgabe(2, "Kisten packen", T(2027, 3, 4), 17, {1}, 1),
                     Aufgabe(3, "Umzugswagen laden", T(2027, 3, 5), 17, {2}, 1),
                     Aufgabe(4, "Nachbarn grüßen", T(2027, 3, 4), 30, {}, 1),
                     Aufgabe(5, "Schlüssel abgeben", T(2027, 3, 1), 17, {}, 1)};
    m_f->KalenderNeuAufbauen();
    QCOMPARE(m_f->ErsterTag(), T(2027, 3, 1));
    m_f->ZelleFokussieren(m_f->FokusZelle());
    QTRY_VERIFY(Fokus());
}

void TestKalenderTastatur::tastenziele_data()
{
    using B = Kalendertastatur::Befehl;
    QTest::addColumn<int>("zelle");
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("mit");
    QTest::addColumn<int>("befehl");
    QTest::addColumn<int>("zielZelle");
    QTest::addColumn<int>("zielAufgabe");
    // Two weeks of 14 cells; cell 3 holds two tasks, cell 10 one, the others none.
    const int alt = int(Qt::AltModifier);
    QTest::newRow("links am Anfang")
        << 0 << -1 << int(Qt::Key_Left) << 0 << int(B::Nichts) << -1 << -1;
    QTest::newRow("rechts") << 3 << 1 << int(Qt::Key_Right) << 0 << int(B::Fokus) << 4 << -1;
    QTest::newRow("ab durch die Aufgaben")
        << 3 << -1 << int(Qt::Key_Down) << 0 << int(B::Fokus) << 3 << 0;
    QTest::newRow("ab in die nächste Woche")
        << 3 << 1 << int(Qt::Key_Down) << 0 << int(B::Fokus) << 10 << -1;
    QTest::newRow("auf zur letzten Aufgabe darüber")
        << 10 << -1 << int(Qt::Key_Up) << 0 << int(B::Fokus) << 3 << 1;
    QTest::newRow("Entf ohne Aufgabe")
        << 4 << -1 << int(Qt::Key_Delete) << 0 << int(B::Nichts) << -1 << -1;
    QTest::newRow("Entf") << 3 << 1 << int(Qt::Key_Delete) << 0 << int(B::Loeschen) << 3 << 1;
    QTest::newRow("Enter auf dem Tag")
        << 4 << -1 << int(Qt::Key_Return) << 0 << int(B::Oeffnen) << 4 << -1;
    QTest::newRow("Alt+ab eine Woche")
        << 3 << 0 << int(Qt::Key_Down) << alt << int(B::Verschieben) << 10 << 0;
    QTest::newRow("Alt+ab hinter dem Ende")
        << 10 << 0 << int(Qt::Key_Down) << alt << int(B::Nichts) << -1 << -1;
    QTest::newRow("Alt ohne Aufgabe")
        << 4 << -1 << int(Qt::Key_Left) << alt << int(B::Nichts) << -1 << -1;
    QTest::newRow("Strg+Pfeil gehört nicht dem Kalender")
        << 3 << 0 << int(Qt::Key_Left) << int(Qt::ControlModifier) << int(B::Fremd) << -1 << -1;
    QTest::newRow("Buchstabe") << 3 << 0 << int(Qt::Key_A) << 0 << int(B::Fremd) << -1 << -1;
    QTest::newRow("Leertaste") << 3 << 1 << int(Qt::Key_Space) << 0 << int(B::Erledigt) << 3 << 1;
    QTest::newRow("Leertaste auf dem Tag")
        << 3 << -1 << int(Qt::Key_Space) << 0 << int(B::Nichts) << -1 << -1;
    QTest::newRow("Umschalt+F10 auf dem Tag")
        << 10 << -1 << int(Qt::Key_F10) << int(Qt::ShiftModifier) << int(B::Menue) << 10 << -1;
}

void TestKalenderTastatur::tastenziele()
{
    QFETCH(int, zelle);
    QFETCH(int, aufgabe);
    QFETCH(int, taste);
    QFETCH(int, mit);
    QFETCH(int, befehl);
    QFETCH(int, zielZelle);
    QFETCH(int, zielAufgabe);
    const Kalendertastatur::Stelle stelle{zelle, aufgabe, 14, [](int z) {
                                              return z == 3 ? 2 : z == 10 ? 1 : 0;
                                          }};
    const Kalendertastatur::Ziel ziel =
        Kalendertastatur::Taste(stelle, taste, Qt::KeyboardModifiers(mit));
    QCOMPARE(int(ziel.befehl), befehl);
    if (ziel.befehl != Kalendertastatur::Befehl::Nichts &&
        ziel.befehl != Kalendertastatur::Befehl::Fremd) {
        QCOMPARE(ziel.zelle, zielZelle);
        QCOMPARE(ziel.aufgabe, zielAufgabe);
    }
}

void TestKalenderTastatur::kuerzel_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("mit");
    QTest::addColumn<QString>("fenster"); // the modal window the command opens, if any
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("Strg+Z") << "RuckgaengigButton" << int(Qt::Key_Z) << int(Qt::ControlModifier)
                            << QString() << QStringLiteral("Rückgängig (Strg+Z)");
    QTest::newRow("F1") << "HilfeButton" << int(Qt::Key_F1) << int(Qt::NoModifier) << QString()
                        << QStringLiteral("Hilfe (F1)");
    QTest::newRow("Strg+N") << "EigenerTerminButton" << int(Qt::Key_N) << int(Qt::ControlModifier)
                            << QString() << QStringLiteral("Neue Aufgabe (Strg+N)");
    QTest::newRow("Strg+S") << "SpeicherButton" << int(Qt::Key_S) << int(Qt::ControlModifier)
                            << QStringLiteral("SaveDialog1")
                            << QStringLiteral("Speichern (Strg+S)");
    QTest::newRow("Strg+O") << "LadenButton" << int(Qt::Key_O) << int(Qt::ControlModifier)
                            << QStringLiteral("OpenDialog1") << QStringLiteral("Laden (Strg+O)");
    QTest::newRow("Strg+P") << "DruckenButton" << int(Qt::Key_P) << int(Qt::ControlModifier)
                            << QStringLiteral("AusdruckForm") << QStringLiteral("Drucken (Strg+P)");
    QTest::newRow("Strg+Q") << "EndeButton" << int(Qt::Key_Q) << int(Qt::ControlModifier)
                            << QString() << QStringLiteral("Ende (Strg+Q)");
}

void TestKalenderTastatur::kuerzel()
{
    QFETCH(QString, knopf);
    QFETCH(int, taste);
    QFETCH(int, mit);
    QFETCH(QString, fenster);
    QFETCH(QString, tooltip);
    MaerzPlan();
    TQvImageButton* k = m_f->Knopf(knopf.toLatin1().constData());
    QCOMPARE(k->toolTip(), tooltip);
    if (knopf == QLatin1String("RuckgaengigButton"))
        m_f->ZustandSichern();

    QSignalSpy spy(k, &TQvImageButton::OnClick);
    ModalHelfer helfer;
    if (!fenster.isEmpty())
        helfer.Mache([](QWidget* w) { w->close(); }, fenster);
    // From the calendar, where the user works.
    QTest::keyClick(Fokus(), Qt::Key(taste), Qt::KeyboardModifiers(mit));
    if (!fenster.isEmpty())
        QVERIFY2(helfer.Abwarten(), qPrintable(helfer.Fehler()));
    QCOMPARE(spy.count(), 1);
    if (knopf == QLatin1String("RuckgaengigButton"))
        QVERIFY(!m_f->Geaendert());
    if (knopf == QLatin1String("EigenerTerminButton"))
        QCOMPARE(m_eigene, (QList<QPair<qint32, double>>{{-1, T(2027, 3, 3)}}));
    if (knopf == QLatin1String("EndeButton"))
        QVERIFY(!m_f->isVisible());
}

void TestKalenderTastatur::kalenderWandern()
{
    MaerzPlan();
    // The calendar starts on today's day; Down walks its tasks, then the week below.
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 3)));
    QCOMPARE(Fokus()->FokussierteAufgabe(), -1);
    Taste(Qt::Key_Down);
    QCOMPARE(Fokus()->FokussierteAufgabe(), 0);
    Taste(Qt::Key_Down);
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 10)));
    Taste(Qt::Key_Up);
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 3)));
    QCOMPARE(Fokus()->FokussierteAufgabe(), 0);
    Taste(Qt::Key_Right);
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 4)));
    QCOMPARE(Fokus()->FokussierteAufgabe(), -1);
    Taste(Qt::Key_Down);
    Taste(Qt::Key_Down); // the afternoon task
    Taste(Qt::Key_Return);
    QCOMPARE(m_geoeffnet, QList<qint32>{4});
    Taste(Qt::Key_Up);
    Taste(Qt::Key_Up);
    Taste(Qt::Key_Return); // the day itself: a new task on it
    QCOMPARE(m_eigene, (QList<QPair<qint32, double>>{{-1, T(2027, 3, 4)}}));
    Taste(Qt::Key_Left);
    Taste(Qt::Key_Left);
    Taste(Qt::Key_Left);
    Taste(Qt::Key_Left); // the first cell: the walk ends there
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 1)));

    // Tab leaves the calendar for the buttons; Shift+Tab comes back to the same day.
    Taste(Qt::Key_Tab);
    QVERIFY(qobject_cast<TQvImageButton*>(QApplication::focusWidget()));
    Taste(Qt::Key_Backtab);
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 1)));
}

void TestKalenderTastatur::entfFragt()
{
    MaerzPlan();
    Taste(Qt::Key_Down); // Telefon ummelden, which Kisten packen depends on
    ModalHelfer helfer;
    QString frage;
    helfer.Druecke(
        QStringLiteral("knopf_abbrechen"),
        [&](QWidget* w) { frage = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    Taste(Qt::Key_Delete);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(frage, QStringLiteral("Die Aufgabe „Telefon ummelden“ wird gelöscht.\n"
                                   "Folgende Aufgaben bezeihen sich hierauf und werden\n"
                                   "ebenfalls gelöscht:\nKisten packen\n"));
    QCOMPARE(m_f->plan().Aufgaben.size(), size_t(5));

    helfer.Druecke(QStringLiteral("knopf_ok"), {}, QStringLiteral("meldung"));
    Taste(Qt::Key_Delete);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(m_f->plan().Aufgaben.size(), size_t(3));
    QVERIFY(Zelle(T(2027, 3, 3))->daten.Termine.empty());
    Taste(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_f->plan().Aufgaben.size(), size_t(5));

    // A task nobody depends on: the short question, naming it.
    ZelleAufgabeFokussieren(5);
    helfer.Druecke(
        QStringLiteral("knopf_abbrechen"),
        [&](QWidget* w) { frage = qobject_cast<QMessageBox*>(w)->text(); },
        QStringLiteral("meldung"));
    Taste(Qt::Key_Delete);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(frage, QStringLiteral("Die Aufgabe „Schlüssel abgeben“ wird gelöscht."));
}

void TestKalenderTastatur::altPfeilMitOrdnungUndMitverschieben()
{
    MaerzPlan();
    const Aufgabenliste vorher = m_f->plan().Aufgaben;
    Taste(Qt::Key_Right);
    Taste(Qt::Key_Down); // Kisten packen, Thursday 08:00
    QCOMPARE(Fokus()->FokussierteAufgabe(), 0);

    // A day earlier is before Telefon ummelden: the order check refuses, nothing changes.
    ModalHelfer helfer;
    QString text;
    helfer.Druecke(
        QStringLiteral("Button3"),
        [&](QWidget*) { text = m_f->Reihenfolgedialog()->KonfliktText(); },
        QStringLiteral("Reihenfolge"));
    Taste(Qt::Key_Left, Qt::AltModifier);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text, QStringLiteral("'Telefon ummelden' sollte vor 'Kisten packen' erfolgen."));
    QCOMPARE(m_f->plan().Aufgaben, vorher);
    QVERIFY(!m_f->Geaendert());

    // A day later meets Umzugswagen laden: moved along to Saturday, one step to undo.
    helfer.Druecke(QStringLiteral("MitverschiebenButton"), {}, QStringLiteral("Reihenfolge"));
    Taste(Qt::Key_Right, Qt::AltModifier);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    const Plan& plan = m_f->plan();
    QCOMPARE(plan.Aufgaben[size_t(plan.AufgabeSuchen(2))].Tag, T(2027, 3, 5));
    QCOMPARE(plan.Aufgaben[size_t(plan.AufgabeSuchen(3))].Tag, T(2027, 3, 6));
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 5)));
    QCOMPARE(Fokus()->daten.Termine[size_t(Fokus()->FokussierteAufgabe())].Nummer, 2);
    QVERIFY(Zelle(T(2027, 3, 6))->daten.Termine.size() == 1);

    // The move along is one step for "Rückgängig".
    Taste(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_f->plan().Aufgaben, vorher);

    // Without a conflict Alt+arrow moves at once; Alt+Down a week.
    ZelleAufgabeFokussieren(4);
    Taste(Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(plan.Aufgaben[size_t(plan.AufgabeSuchen(4))].Tag, T(2027, 3, 11));
    QCOMPARE(Fokus(), Zelle(T(2027, 3, 11)));
    QVERIFY(m_f->Geaendert());
}

void TestKalenderTastatur::nichtPlatzierbarBleibtImDialog()
{
    TReihenfolge* d = m_f->Reihenfolgedialog();
    d->KonflikteZeigen({QStringLiteral("'A' sollte vor 'B' erfolgen.")});
    d->MitverschiebenAnbieten({QStringLiteral("B"), QStringLiteral("C")});
    ModalHelfer helfer;
    QString text;
    bool gesperrt = false;
    helfer.Druecke(QStringLiteral("MitverschiebenButton"), {}, QStringLiteral("Reihenfolge"));
    helfer.Druecke(
        QStringLiteral("Button3"),
        [&](QWidget*) {
            text = d->KonfliktText();
            gesperrt =
                !d->findChild<TQvImageButton*>(QStringLiteral("MitverschiebenButton"))->isEnabled();
        },
        QStringLiteral("Reihenfolge"));
    QCOMPARE(d->exec(), int(QDialog::Rejected));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text, QStringLiteral("'A' sollte vor 'B' erfolgen.\n\n") +
                       QStringLiteral("Diese Aufgaben lassen sich nicht innerhalb eines Jahres "
                                      "unterbringen:\n'B'\n'C'"));
    QVERIFY(gesperrt);
    // The advice under the list shows all its lines and keeps off the buttons below it.
    const auto* hinweis = d->findChild<QLabel*>(QStringLiteral("Label3"));
    QVERIFY(hinweis);
    QVERIFY2(hinweis->height() >= hinweis->heightForWidth(hinweis->width()),
             qPrintable(QStringLiteral("%1 < %2")
                            .arg(hinweis->height())
                            .arg(hinweis->heightForWidth(hinweis->width()))));
    QVERIFY(
        hinweis->geometry().bottom() <
        d->findChild<TQvImageButton*>(QStringLiteral("MitverschiebenButton"))->geometry().top());
    QVERIFY(hinweis->geometry().bottom() <
            d->findChild<QPushButton*>(QStringLiteral("Button3"))->geometry().top());
}

void TestKalenderTastatur::bildschirmleser()
{
    MaerzPlan();
    QAccessibleInterface* knopf =
        QAccessible::queryAccessibleInterface(m_f->Knopf("SpeicherButton"));
    QCOMPARE(knopf->role(), QAccessible::Button);
    QCOMPARE(knopf->text(QAccessible::Name), QStringLiteral("Speichern"));
    QVERIFY(!knopf->text(QAccessible::Description).isEmpty());

    QAccessibleInterface* tag = QAccessible::queryAccessibleInterface(Zelle(T(2027, 3, 3)));
    QCOMPARE(tag->text(QAccessible::Name), QStringLiteral("Mittwoch, 3. März 2027"));
    QCOMPARE(tag->text(QAccessible::Description),
             QStringLiteral("heute, 1 Aufgabe, Eingabetaste: neue Aufgabe"));
    QCOMPARE(tag->childCount(), 1); // the list of the day's tasks
    QAccessibleInterface* aufgabe = tag->child(0)->child(0);
    QCOMPARE(aufgabe->text(QAccessible::Name),
             QStringLiteral("Mittwoch, 3. März 2027: Telefon ummelden, 08:30, 2 Stunden"));
    QCOMPARE(aufgabe->parent()->parent(), tag);
    Taste(Qt::Key_Down);
    QCOMPARE(tag->focusChild(), aufgabe);
    QVERIFY(aufgabe->state().focused);
}

void TestKalenderTastatur::heuteUndVergangenes()
{
    MaerzPlan();
    Taste(Qt::Key_Tab); // the focus marks away from the cells
    auto bild = [](tday* z) { return z->grab().toImage(); };
    const QColor blau = Farben::Dunkelblau;
    // Today framed in dark blue, tomorrow not.
    QCOMPARE(bild(Zelle(T(2027, 3, 3))).pixelColor(1, 80), blau);
    QVERIFY(bild(Zelle(T(2027, 3, 4))).pixelColor(1, 80) != blau);
    // Past days are dimmed, a task on one is not; days to come are not either.
    auto koerper = [](tday* z) {
        return Zellenzeichnung::KoerperFarbe(z->daten, Zellenzeichnung::Bildschirm());
    };
    tday* dienstag = Zelle(T(2027, 3, 2));
    QVERIFY(bild(dienstag).pixelColor(60, 160) != koerper(dienstag));
    QVERIFY(bild(dienstag).pixelColor(60, 5) != Zellenzeichnung::Bildschirm().kopf);
    tday* montag = Zelle(T(2027, 3, 1));
    const Bandbereich band = Zellengeometrie::Band(montag->daten, 0, montag->width());
    QCOMPARE(bild(montag).pixelColor(montag->width() - 3, band.top + 1),
             Zellenzeichnung::Bildschirm().band);
    tday* naechsterDienstag = Zelle(T(2027, 3, 9));
    QCOMPARE(bild(naechsterDienstag).pixelColor(60, 160), koerper(naechsterDienstag));
    // Another day: the marks follow the clock.
    Uhr::Festsetzen(QDateTime(QDate(2027, 3, 4), QTime(10, 0)));
    QVERIFY(bild(Zelle(T(2027, 3, 3))).pixelColor(1, 80) != blau);
    QCOMPARE(bild(Zelle(T(2027, 3, 4))).pixelColor(1, 80), blau);
}

void TestKalenderTastatur::jahreswechsel()
{
    // 2026 has 53 weeks: the calendar begins in week 53 and ends in January.
    Plan& plan = m_f->plan();
    plan.Aufgaben = {Aufgabe(1, "Packen", T(2026, 12, 29), 17, {}, 1),
                     Aufgabe(2, "Umziehen", T(2027, 1, 14), 17, {}, 1)};
    m_f->KalenderNeuAufbauen();
    QCOMPARE(m_f->Wochennummern().mid(0, 3), (QList<int>{53, 1, 2}));
    QCOMPARE(m_f->findChild<QLabel*>(QStringLiteral("SpanneLabel"))->text(),
             QStringLiteral("Dezember 2026 – Januar 2027"));
    QCOMPARE(Zellenzeichnung::KopfText(m_f->ErsterTag(), true), QStringLiteral("28. Dezember"));
    QCOMPARE(Zellenzeichnung::KopfText(T(2027, 1, 1)), QStringLiteral("1. Januar"));
    QCOMPARE(Zellenzeichnung::KopfText(T(2027, 1, 2)), QStringLiteral("2.1."));
    // Only January left: the heading follows the plan.
    plan.Aufgaben.erase(plan.Aufgaben.begin());
    m_f->KalenderAktualisieren();
    QCOMPARE(m_f->SpannenText(), QStringLiteral("Januar 2027"));
}

// Leertaste ticks the focused task off and on again; each is one step of undo, told in the
// status line and counted beside the title.
void TestKalenderTastatur::leertasteHaktAb()
{
    MaerzPlan();
    auto* fortschritt = m_f->findChild<QLabel*>(QStringLiteral("FortschrittLabel"));
    QCOMPARE(fortschritt->text(), QStringLiteral("0 von 5 erledigt"));
    Taste(Qt::Key_Down); // Telefon ummelden
    Taste(Qt::Key_Space);
    QVERIFY(m_f->plan().Aufgabe(1)->Erledigt);
    QCOMPARE(Fokus()->FokussierteAufgabe(), 0);
    QCOMPARE(m_f->StatusText(), QStringLiteral("   „Telefon ummelden“ als erledigt markiert."));
    QCOMPARE(fortschritt->text(), QStringLiteral("1 von 5 erledigt"));
    Taste(Qt::Key_Space);
    QCOMPARE(m_f->StatusText(), QStringLiteral("   „Telefon ummelden“ wieder als offen markiert."));
    QCOMPARE(fortschritt->text(), QStringLiteral("0 von 5 erledigt"));
    // On the screen, green only where the task is done.
    tday* z = Zelle(T(2027, 3, 3));
    const Bandbereich b = Zellengeometrie::Band(z->daten, 0, z->width());
    const QRect haken = Zellenzeichnung::Hakenfeld(QRect(b.left, b.top, z->width(), 20),
                                                   QFontMetrics(z->font()).height())
                            .translated(z->mapTo(m_f.get(), QPoint()));
    const auto gruen = [&] {
        Taste(Qt::Key_Tab);                // the focus marks away from the cells
        QCoreApplication::processEvents(); // the cells paint
        const QImage bild = m_f->screen()->grabWindow(m_f->winId()).toImage();
        // The past Monday's open task is overdue: a red stripe at its left edge.
        tday* montag = Zelle(T(2027, 3, 1));
        const QPoint streifen = montag->mapTo(
            m_f.get(), QPoint(2, Zellengeometrie::Band(montag->daten, 0, montag->width()).top + 2));
        if (bild.pixelColor(streifen) != Farben::Ueberfaelligrot)
            return -1;
        int n = 0;
        for (int x = haken.left(); x <= haken.right(); ++x)
            for (int y = haken.top(); y <= haken.bottom(); ++y)
                n += bild.pixelColor(x, y).green() > bild.pixelColor(x, y).red() + 60;
        return n;
    };
    QCOMPARE(gruen(), 0);
    Taste(Qt::Key_Z, Qt::ControlModifier); // back to the first press only
    QVERIFY(m_f->plan().Aufgabe(1)->Erledigt);
    QCOMPARE(fortschritt->text(), QStringLiteral("1 von 5 erledigt"));
    QVERIFY(gruen() > 4);
}

void TestKalenderTastatur::kontextmenue_data()
{
    QTest::addColumn<bool>("maus"); // else the context-menu key
    QTest::addColumn<int>("eintrag");
    QTest::addColumn<bool>("frei"); // on free space of the day
    QTest::newRow("Rechtsklick, Erledigt") << true << 0 << false;
    QTest::newRow("Menütaste, Öffnen") << false << 1 << false;
    QTest::newRow("Rechtsklick auf freie Fläche") << true << 0 << true;
}

// The menu of a task or day from the mouse and the keyboard; a right click opens nothing.
void TestKalenderTastatur::kontextmenue()
{
    QFETCH(bool, maus);
    QFETCH(int, eintrag);
    QFETCH(bool, frei);
    MaerzPlan();
    tday* donnerstag = Zelle(T(2027, 3, 4)); // Kisten packen, Nachbarn grüßen
    if (maus) {
        const Bandbereich band = Zellengeometrie::Band(donnerstag->daten, 1, donnerstag->width());
        const QPoint pos(40, frei ? donnerstag->height() - 10 : band.top + 2);
        QTest::mousePress(donnerstag, Qt::RightButton, {}, pos);
        QContextMenuEvent ereignis(QContextMenuEvent::Mouse, pos, donnerstag->mapToGlobal(pos));
        QApplication::sendEvent(donnerstag, &ereignis);
        QTest::mouseRelease(donnerstag, Qt::RightButton, {}, pos);
        QCOMPARE(Fokus()->FokussierteAufgabe(), frei ? -1 : 1);
    } else {
        ZelleAufgabeFokussieren(4);
        Taste(Qt::Key_Menu);
    }
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QStringList texte;
    for (QAction* a : menue->actions())
        texte << a->text();
    QCOMPARE(texte, frei ? QStringList{QStringLiteral("&Neue Aufgabe …")}
                         : (QStringList{QStringLiteral("&Erledigt\tLeertaste"),
                                        QStringLiteral("Ö&ffnen …\tEingabe"),
                                        QStringLiteral("&Löschen …\tEntf")}));
    QVERIFY(frei || (menue->actions()[0]->isCheckable() && !menue->actions()[0]->isChecked()));
    QVERIFY(m_geoeffnet.isEmpty() && m_eigene.isEmpty());
    menue->actions()[eintrag]->trigger();
    menue->close();
    if (frei)
        QTRY_COMPARE(m_eigene, (QList<QPair<qint32, double>>{{-1, T(2027, 3, 4)}}));
    else if (eintrag == 1)
        QTRY_COMPARE(m_geoeffnet, QList<qint32>{4});
    else
        QTRY_COMPARE(m_f->StatusText(),
                     QStringLiteral("   „Nachbarn grüßen“ als erledigt markiert."));
}

QTEST_MAIN(TestKalenderTastatur)
#include "tst_kalendertastatur.moc"
