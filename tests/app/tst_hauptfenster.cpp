#include "guihilfe.h"

#include "app/kalenderform.h"
#include "app/reihenfolge.h"
#include "app/startablauf.h"
#include "app/tday.h"
#include "dialogs/eigenerterminform.h"
#include "dialogs/hilfefenster.h"
#include "dialogs/terminform.h"
#include "model/plandatei.h"
#include "support/hauptfenster.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"
#include "widgets/zellengeometrie.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

int ZellenIndex(const TKalenderForm& f, double tag)
{
    return static_cast<int>(tag - f.ErsterTag());
}

// Height inside the cell of the band of task `nummer`, -1 if the cell does not show it.
int BandMitte(const tday* zelle, qint32 nummer)
{
    const auto& termine = zelle->daten.Termine;
    for (size_t i = 0; i < termine.size(); ++i)
        if (termine[i].Nummer == nummer) {
            const Bandbereich b = Zellengeometrie::Band(zelle->daten, int(i), zelle->width());
            return (b.top + b.bottom) / 2;
        }
    return -1;
}

// What the window shows of the cell: its part of the backing store, after pending repaints.
QImage AufDemSchirm(const TKalenderForm& f, const tday* zelle)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QImage fenster = f.screen()->grabWindow(f.winId()).toImage();
    const QRect r(zelle->mapTo(&f, QPoint(0, 0)) * fenster.devicePixelRatio(),
                  zelle->size() * fenster.devicePixelRatio());
    return fenster.copy(r).convertToFormat(QImage::Format_RGB32);
}

// The cell drawn afresh from its current data.
QImage Frisch(tday* zelle)
{
    return zelle->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Counts the paint events of a widget.
class Malzaehler final : public QObject
{
public:
    explicit Malzaehler(QWidget* w) { w->installEventFilter(this); }
    int anzahl = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        anzahl += e->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestHauptfenster final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void volleRunde();
    void jahreswechselWochen();
    void leererPlan();
    void zellenbreiteFolgtKalender();
    void hinweise();
    void klickAufFreieFlaeche_data();
    void klickAufFreieFlaeche();
    void klickAufAufgabe();
    void ziehenAufGleicheZelleOeffnet();
    void ziehenErlaubtUndRueckgaengig();
    void ziehenVerweigert();
    void ziehenAnDenRandRollt();
    void bildschirmFolgtZiehenUndRueckgaengig();
    void bildschirmFolgtAenderung_data();
    void bildschirmFolgtAenderung();
    void ziehenAufWochenspalte();
    void darstellungNichtLeer();
    void mausrad();
    void statusLeerBeiKlickDaneben();
    void fensterlage_data();
    void fensterlage();
    void fensterlageKommtGenauZurueck_data();
    void fensterlageKommtGenauZurueck();
    void kleinsteGroesseOhneUeberlappung();
    void schliessenFragt();
    void schliessenOhneAenderungSchreibtLage();
    void f1OeffnetHilfe_data();
    void f1OeffnetHilfe();

private:
    void Berlin2001();

    QString Einstellungsdatei() const
    {
        return m_ordner->filePath(QStringLiteral("kistenlotse.ini"));
    }

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<TKalenderForm> m_f;
    QList<qint32> m_geoeffnet;
    QList<QPair<qint32, double>> m_eigene;
};

void TestHauptfenster::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    m_geoeffnet.clear();
    m_eigene.clear();
    m_f = Hauptfenster(*m_ordner, {.aufgabeOeffnen = [this](qint32 n) { m_geoeffnet.append(n); },
                                   .eigeneAufgabeOeffnen =
                                       [this](qint32 n, double tag) {
                                           m_eigene.append({n, tag});
                                       }});
    m_f->resize(1000, 800);
    m_f->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f.get()));
}

void TestHauptfenster::cleanup()
{
    m_f->hide();
    m_f.reset();
    QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
             qPrintable(ModalHelfer::OffeneFenster().join(u',')));
}

void TestHauptfenster::Berlin2001()
{
    m_f->KalenderErstellen(BerlinerUmzug(), true);
}

void TestHauptfenster::volleRunde()
{
    Berlin2001();
    QCOMPARE(m_f->ErsterTag(), T(2001, 8, 13));
    QCOMPARE(m_f->AnzahlTage(), 49);
    QCOMPARE(m_f->Wochennummern().first(), 33);
    QCOMPARE(m_f->plan().situation.Einzugdatum, QStringLiteral("10.09.2001"));
    const tday* umzug = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12)));
    QVERIFY(BandMitte(umzug, 7) > 0);
    int termine = 0;
    for (int i = 0; i < m_f->AnzahlTage(); ++i)
        termine += int(m_f->Tag(i)->daten.Termine.size());
    QCOMPARE(termine, 33);
    for (int i = 0; i < m_f->AnzahlTage(); ++i)
        QVERIFY(!m_f->Tag(i)->daten.Feiertag); // no holiday in Berlin then
    QVERIFY(m_f->gezogeneAufgabe().Ruht());
    QVERIFY(!m_f->Geaendert());
}

void TestHauptfenster::jahreswechselWochen()
{
    taufgabe a;
    a.Nummer = 10001;
    a.Kurzbezeichnung = QStringLiteral("Silvester");
    a.Tag = T(2026, 12, 31);
    a.Start = 17;
    a.Dauer = 3;
    m_f->plan().Aufgaben = {a};
    m_f->KalenderNeuAufbauen();
    QCOMPARE(m_f->ErsterTag(), T(2026, 12, 28));
    QCOMPARE(m_f->Wochennummern().mid(0, 3), (QList<int>{53, 1, 2}));
    QVERIFY(m_f->Tag(ZellenIndex(*m_f, T(2027, 1, 1)))->daten.Feiertag);
    QVERIFY(!m_f->Tag(ZellenIndex(*m_f, T(2027, 1, 2)))->daten.Feiertag);
}

void TestHauptfenster::leererPlan()
{
    m_f->plan().Aufgaben.clear();
    m_f->KalenderNeuAufbauen();
    QCOMPARE(m_f->AnzahlTage(), 35);
    QCOMPARE(Tageszahl::Wochentag(m_f->ErsterTag()), 2);
    QVERIFY(m_f->ErsterTag() <= Tageszahl::heute() && Tageszahl::heute() < m_f->ErsterTag() + 7);
    m_f->KalenderAktualisieren();
}

void TestHauptfenster::zellenbreiteFolgtKalender()
{
    Berlin2001();
    QScrollArea* k = m_f->Kalenderflaeche();
    QCOMPARE(m_f->Tag(0)->width(), (k->width() - 36) / 7);
    QCOMPARE(m_f->Tag(8)->geometry().topLeft(), QPoint(20 + (k->width() - 36) / 7, 164));
    m_f->resize(900, 700);
    QCOMPARE(m_f->Tag(0)->width(), (k->width() - 36) / 7);
}

void TestHauptfenster::hinweise()
{
    Berlin2001();
    tday* z = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12)));
    Maus(z, QEvent::MouseMove, QPoint(10, BandMitte(z, 7)), Qt::NoButton);
    QCOMPARE(
        m_f->StatusText(),
        QStringLiteral("   Mit einem Klick auf die Aufgabe erhalten Sie weitere Informationen."));
    Maus(z, QEvent::MouseMove, QPoint(10, 5), Qt::NoButton);
    QCOMPARE(m_f->StatusText(),
             QStringLiteral("   Mit einem Klick auf freie Kalenderfläche können Sie eine neue "
                            "Aufgabe hinzufügen."));
    Maus(z, QEvent::MouseButtonPress, QPoint(10, BandMitte(z, 7)));
    Maus(z, QEvent::MouseMove, QPoint(12, BandMitte(z, 7)));
    QCOMPARE(m_f->StatusText(),
             QStringLiteral("   Sie können die Aufgabe bei gedückter Maustaste an einen anderen "
                            "Tag verschieben."));
    QCOMPARE(m_f->gezogeneAufgabe().Aufgabe(), 7);
    Maus(z, QEvent::MouseMove, QPoint(200, 5));
    QCOMPARE(m_f->StatusText(),
             QStringLiteral("   Sie können die Aufgabe bei gedückter Maustaste an einen anderen "
                            "Tag verschieben."));
    Maus(z, QEvent::MouseButtonRelease, QPoint(12, BandMitte(z, 7)));
    QVERIFY(m_f->gezogeneAufgabe().Ruht());
}

void TestHauptfenster::klickAufFreieFlaeche_data()
{
    QTest::addColumn<Qt::MouseButton>("knopf");
    QTest::addColumn<bool>("oeffnet");
    QTest::newRow("links") << Qt::LeftButton << true;
    // The right button is the context menu's (tests/app/tst_kalendertastatur.cpp).
    QTest::newRow("rechts") << Qt::RightButton << false;
}

void TestHauptfenster::klickAufFreieFlaeche()
{
    QFETCH(Qt::MouseButton, knopf);
    QFETCH(bool, oeffnet);
    Berlin2001();
    tday* z = m_f->Tag(0); // Monday 13.08.2001: no task
    Maus(z, QEvent::MouseButtonPress, QPoint(30, 80), knopf);
    Maus(z, QEvent::MouseButtonRelease, QPoint(30, 80), knopf);
    QList<QPair<qint32, double>> erwartet;
    if (oeffnet)
        erwartet.append({-1, T(2001, 8, 13)});
    QCOMPARE(m_eigene, erwartet);
    QVERIFY(m_geoeffnet.isEmpty());
    QVERIFY(m_f->gezogeneAufgabe().Ruht());
}

void TestHauptfenster::klickAufAufgabe()
{
    Berlin2001();
    taufgabe eigene;
    eigene.Nummer = 10001;
    eigene.Kurzbezeichnung = QStringLiteral("Eigene");
    eigene.Tag = T(2001, 8, 14);
    eigene.Start = 17;
    eigene.Dauer = 0; // 30 minutes
    eigene.Benutzeraufgabe = true;
    m_f->plan().Aufgaben.push_back(eigene);
    m_f->KalenderAktualisieren();

    tday* umzug = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12)));
    Maus(umzug, QEvent::MouseButtonPress, QPoint(10, BandMitte(umzug, 7)));
    Maus(umzug, QEvent::MouseButtonRelease, QPoint(10, BandMitte(umzug, 7)));
    QCOMPARE(m_geoeffnet, QList<qint32>{7});

    tday* dienstag = m_f->Tag(1);
    const int band = BandMitte(dienstag, 10001);
    QVERIFY(band > 20 && band < 60);
    Maus(dienstag, QEvent::MouseButtonPress, QPoint(10, band));
    Maus(dienstag, QEvent::MouseButtonRelease, QPoint(10, band));
    QCOMPARE(m_eigene, (QList<QPair<qint32, double>>{{10001, T(2001, 8, 14)}}));
    // Below the task's band the day is free: a click there adds a task.
    Maus(dienstag, QEvent::MouseButtonPress, QPoint(10, 140));
    Maus(dienstag, QEvent::MouseButtonRelease, QPoint(10, 140));
    QCOMPARE(m_eigene,
             (QList<QPair<qint32, double>>{{10001, T(2001, 8, 14)}, {-1, T(2001, 8, 14)}}));
    // The task of 30 minutes shows its title.
    const QImage zelle = AufDemSchirm(*m_f, dienstag);
    int tinte = 0;
    for (int y = band - 6; y <= band + 6; ++y)
        for (int x = 5; x < 50; ++x)
            tinte += zelle.pixelColor(x, y).lightness() < 100;
    QVERIFY2(tinte > 10, "der Titel fehlt");
}

void TestHauptfenster::ziehenAufGleicheZelleOeffnet()
{
    Berlin2001();
    tday* z = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12)));
    const int y = BandMitte(z, 7);
    Maus(z, QEvent::MouseButtonPress, QPoint(10, y));
    // The first move may leave the task's one-line band: the task pressed is still the one.
    Maus(z, QEvent::MouseMove, QPoint(15, 150));
    QCOMPARE(m_f->gezogeneAufgabe().Aufgabe(), 7);
    Maus(z, QEvent::MouseButtonRelease, QPoint(20, y));
    QCOMPARE(m_geoeffnet, QList<qint32>{7});
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(7))].Tag, T(2001, 9, 12));
}

void TestHauptfenster::ziehenErlaubtUndRueckgaengig()
{
    Berlin2001();
    // "Bankkonto ummelden" (2) has no predecessor and is nobody's predecessor.
    const double von = T(2001, 9, 1);
    const double nach = T(2001, 8, 15);
    tday* quelle = m_f->Tag(ZellenIndex(*m_f, von));
    tday* ziel = m_f->Tag(ZellenIndex(*m_f, nach));
    const int y = BandMitte(quelle, 2);
    QVERIFY(y > 0);
    Maus(quelle, QEvent::MouseButtonPress, QPoint(10, y));
    Maus(quelle, QEvent::MouseMove, QPoint(12, y));
    const QPoint ueberZiel = quelle->mapFrom(quelle->parentWidget(), ziel->pos() + QPoint(30, 50));
    Maus(quelle, QEvent::MouseMove, ueberZiel);
    Maus(quelle, QEvent::MouseButtonRelease, ueberZiel);
    const taufgabe& bank = m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(2))];
    QCOMPARE(bank.Tag, nach);
    QCOMPARE(bank.Start, 17);
    QVERIFY(BandMitte(ziel, 2) > 0);
    QVERIFY(m_f->Geaendert());
    QVERIFY(m_geoeffnet.isEmpty());

    TQvImageButton* undo = m_f->Knopf("RuckgaengigButton");
    QTest::mouseClick(undo, Qt::LeftButton);
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(2))].Tag, von);
    QVERIFY(!m_f->Geaendert());
    QVERIFY(BandMitte(quelle, 2) > 0);
    // A second undo does nothing: the button is disabled.
    QTest::mouseClick(undo, Qt::LeftButton);
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(2))].Tag, von);
}

// A task dragged to the calendar's lower edge scrolls it, so a week out of view is reached;
// back from the edge the scrolling stops.
void TestHauptfenster::ziehenAnDenRandRollt()
{
    Berlin2001();
    QScrollArea* k = m_f->Kalenderflaeche();
    QScrollBar* leiste = k->verticalScrollBar();
    leiste->setValue(0);
    QVERIFY(leiste->maximum() > 0);
    tday* quelle = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 1)));
    const int y = BandMitte(quelle, 2); // "Bankkonto ummelden", free to move
    QVERIFY(y > 0);
    Maus(quelle, QEvent::MouseButtonPress, QPoint(10, y));
    Maus(quelle, QEvent::MouseMove, QPoint(12, y));
    QWidget* sicht = k->viewport();
    Maus(quelle, QEvent::MouseMove, quelle->mapFrom(sicht, QPoint(100, sicht->height() - 5)));
    QTRY_COMPARE(leiste->value(), leiste->maximum());

    tday* ziel = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 29)));
    const QPoint ueberZiel = quelle->mapFromGlobal(ziel->mapToGlobal(QPoint(30, 50)));
    Maus(quelle, QEvent::MouseMove, ueberZiel);
    leiste->setValue(leiste->value() - 10);
    QSignalSpy gerollt(leiste, &QScrollBar::valueChanged);
    QVERIFY(!gerollt.wait(120)); // three ticks of the scrolling, which must not come
    Maus(quelle, QEvent::MouseButtonRelease, ueberZiel);
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(2))].Tag, T(2001, 9, 29));
}

void TestHauptfenster::bildschirmFolgtZiehenUndRueckgaengig()
{
    Berlin2001();
    tday* quelle = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 1)));
    tday* ziel = m_f->Tag(ZellenIndex(*m_f, T(2001, 8, 15)));
    tday* unbeteiligt = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12)));
    const QImage quelleVorher = AufDemSchirm(*m_f, quelle);
    const QImage zielVorher = AufDemSchirm(*m_f, ziel);
    QCOMPARE(zielVorher, Frisch(ziel));
    Malzaehler gemalt(unbeteiligt);

    const int y = BandMitte(quelle, 2);
    Maus(quelle, QEvent::MouseButtonPress, QPoint(10, y));
    Maus(quelle, QEvent::MouseMove, QPoint(12, y));
    const QPoint ueberZiel = quelle->mapFrom(quelle->parentWidget(), ziel->pos() + QPoint(30, 50));
    Maus(quelle, QEvent::MouseButtonRelease, ueberZiel);
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(2))].Tag, T(2001, 8, 15));
    const QImage zielNachher = AufDemSchirm(*m_f, ziel);
    QVERIFY(zielNachher != zielVorher);
    QCOMPARE(zielNachher, Frisch(ziel));
    QVERIFY(AufDemSchirm(*m_f, quelle) != quelleVorher);
    QCOMPARE(AufDemSchirm(*m_f, quelle), Frisch(quelle));

    QTest::mouseClick(m_f->Knopf("RuckgaengigButton"), Qt::LeftButton);
    QCOMPARE(AufDemSchirm(*m_f, ziel), zielVorher);
    QCOMPARE(AufDemSchirm(*m_f, quelle), quelleVorher);
    QCOMPARE(gemalt.anzahl, 0); // a cell whose content stayed is not painted again
}

void TestHauptfenster::bildschirmFolgtAenderung_data()
{
    // What the task dialogs do to the list before they refresh the calendar.
    QTest::addColumn<int>("art"); // 0 new user task, 1 task deleted, 2 notes applied
    QTest::newRow("neue Aufgabe") << 0;
    QTest::newRow("Aufgabe gelöscht") << 1;
    QTest::newRow("Notiz übernommen") << 2;
}

void TestHauptfenster::bildschirmFolgtAenderung()
{
    QFETCH(int, art);
    Berlin2001();
    tday* zelle = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 1)));
    const QImage vorher = AufDemSchirm(*m_f, zelle);
    Malzaehler gemalt(m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12))));
    Aufgabenliste& liste = m_f->plan().Aufgaben;
    m_f->ZustandSichern();
    if (art == 0) {
        taufgabe a;
        a.Nummer = 10001;
        a.Kurzbezeichnung = QStringLiteral("Keller räumen");
        a.Tag = T(2001, 9, 1);
        a.Start = 20;
        a.Dauer = 3;
        a.Benutzeraufgabe = true;
        liste.push_back(a);
    } else if (art == 1) {
        liste.erase(liste.begin() + m_f->plan().AufgabeSuchen(2));
    } else {
        liste[size_t(m_f->plan().AufgabeSuchen(2))].Notiz =
            QStringList{QStringLiteral("Kontoauszug")};
    }
    m_f->KalenderAktualisieren();
    const QImage nachher = AufDemSchirm(*m_f, zelle);
    QVERIFY(nachher != vorher);
    QCOMPARE(nachher, Frisch(zelle));
    QCOMPARE(gemalt.anzahl, 0);
}

void TestHauptfenster::ziehenVerweigert()
{
    Berlin2001();
    tday* quelle = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 12)));
    tday* packen = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 9)));
    const int y = BandMitte(quelle, 7);
    Maus(quelle, QEvent::MouseButtonPress, QPoint(10, y));
    Maus(quelle, QEvent::MouseMove, QPoint(12, y));
    const QPoint ueberZiel =
        quelle->mapFrom(quelle->parentWidget(), packen->pos() + QPoint(30, 50));

    ModalHelfer helfer;
    QString text;
    QString titel;
    helfer.Druecke(QStringLiteral("Button3"), [&](QWidget* w) {
        titel = w->windowTitle();
        text = m_f->Reihenfolgedialog()->KonfliktText();
    });
    Maus(quelle, QEvent::MouseButtonRelease, ueberZiel);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(titel, QStringLiteral("Verschiebung der Aufgabe"));
    QVERIFY(text.split(QLatin1Char('\n'))
                .contains(QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen.")));
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(7))].Tag, T(2001, 9, 12));
    QVERIFY(!m_f->Geaendert());
    QVERIFY(m_f->gezogeneAufgabe().Ruht());
}

void TestHauptfenster::ziehenAufWochenspalte()
{
    Berlin2001();
    tday* quelle = m_f->Tag(ZellenIndex(*m_f, T(2001, 9, 1)));
    const int y = BandMitte(quelle, 2);
    Maus(quelle, QEvent::MouseButtonPress, QPoint(10, y));
    Maus(quelle, QEvent::MouseMove, QPoint(12, y));
    const QPoint wochenspalte = quelle->mapFrom(quelle->parentWidget(), QPoint(5, 170));
    Maus(quelle, QEvent::MouseButtonRelease, wochenspalte);
    QCOMPARE(m_f->plan().Aufgaben[size_t(m_f->plan().AufgabeSuchen(2))].Tag, T(2001, 9, 1));
    QVERIFY(m_geoeffnet.isEmpty() && m_eigene.isEmpty());
    QVERIFY(!m_f->Geaendert());
    QVERIFY(m_f->gezogeneAufgabe().Ruht());
}

void TestHauptfenster::darstellungNichtLeer()
{
    Berlin2001();
    const QImage bild = m_f->grab().toImage();
    QSet<QRgb> farben;
    for (int y = 0; y < bild.height(); y += 3)
        for (int x = 0; x < bild.width(); x += 3)
            farben.insert(bild.pixel(x, y));
    QVERIFY2(farben.size() > 20, qPrintable(QString::number(farben.size())));
    // The weekday header in dark blue, the week column's first square in blue.
    const QPoint kopf =
        m_f->findChild<QWidget*>(QStringLiteral("WeekdaysPanel"))->geometry().center();
    QCOMPARE(bild.pixelColor(kopf.x() - 60, kopf.y() + 6), QColor(0, 0, 102));
    const QPoint kw = m_f->Kalenderflaeche()->mapTo(m_f.get(), QPoint(3, 3));
    QCOMPARE(bild.pixelColor(kw), QColor(51, 102, 204));
}

void TestHauptfenster::mausrad()
{
    Berlin2001();
    QScrollArea* k = m_f->Kalenderflaeche();
    QScrollBar* leiste = k->verticalScrollBar();
    QVERIFY(leiste->maximum() > 240);
    leiste->setValue(0);
    QWheelEvent zuMir(QPointF(50, 50), k->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(k->viewport(), &zuMir);
    QCOMPARE(leiste->value(), 120);
    QWheelEvent weg(QPointF(50, 50), k->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                    QPoint(0, 60), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(k->viewport(), &weg);
    QCOMPARE(leiste->value(), 60);
}

void TestHauptfenster::statusLeerBeiKlickDaneben()
{
    Berlin2001();
    m_f->StatusAnzeigen(QStringLiteral("x"));
    QWidget* inhalt = m_f->Kalenderflaeche()->widget();
    QTest::mouseClick(inhalt, Qt::LeftButton, {}, QPoint(inhalt->width() - 3, 5));
    QCOMPARE(m_f->StatusText(), QStringLiteral("   "));
}

void TestHauptfenster::fensterlage_data()
{
    QTest::addColumn<QList<int>>("werte"); // oben, links, breite, hoehe
    QTest::addColumn<bool>("maximiert");
    QTest::newRow("nichts gespeichert") << QList<int>{-1, -1, -1, -1} << true;
    QTest::newRow("Breite -1") << QList<int>{10, 10, -1, 500} << true;
    QTest::newRow("oben -4") << QList<int>{-4, 10, 800, 600} << true;
    QTest::newRow("gespeichert") << QList<int>{30, 40, 800, 600} << false;
}

void TestHauptfenster::fensterlage()
{
    QFETCH(QList<int>, werte);
    QFETCH(bool, maximiert);
    FensterLageSetzen(*m_f, werte[0], werte[1], werte[2], werte[3]);
    QCOMPARE(m_f->isMaximized(), maximiert);
    if (!maximiert)
        QCOMPARE(m_f->size(), QSize(800, 600));
}

void TestHauptfenster::fensterlageKommtGenauZurueck_data()
{
    QTest::addColumn<bool>("maximiert");
    QTest::newRow("normal") << false;
    QTest::newRow("maximiert") << true;
}

void TestHauptfenster::fensterlageKommtGenauZurueck()
{
    // Three starts and closes through the settings file. The offscreen windows have a frame
    // (2 pixels), as windows under a window manager do.
    QFETCH(bool, maximiert);
    QRect erste;
    for (int runde = 0; runde < 3; ++runde) {
        TKalenderForm f({.einstellungsPfad = Einstellungsdatei()});
        const Einstellungen e = EinstellungenLesen(Einstellungsdatei());
        if (runde > 0)
            FensterLageSetzen(f, e.fensteroben, e.fensterlinks, e.fensterbreite, e.fensterhoehe);
        else if (maximiert)
            FensterLageSetzen(f, -1, -1, -1, -1);
        else
            FensterLageSetzen(f, 30, 10, f.minimumWidth() + 2, 500);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.isMaximized(), maximiert);
        if (runde == 0) {
            erste = f.geometry();
            if (!maximiert)
                QCOMPARE(erste, QRect(10, 30, f.minimumWidth() + 2, 500));
        }
        QCOMPARE(f.geometry(), erste);
        QVERIFY(f.close());
    }
}

// At the smallest window size nothing overlaps: each weekday head holds its name, the plan's
// span beside the title holds its months and stops before the logo.
void TestHauptfenster::kleinsteGroesseOhneUeberlappung()
{
    Plan& plan = m_f->plan();
    plan.Aufgaben = {Aufgabe(1, "Packen", T(2026, 9, 28), 17),
                     Aufgabe(2, "Umziehen", T(2027, 9, 20), 17)};
    m_f->KalenderNeuAufbauen();
    m_f->resize(m_f->minimumSize());
    QTRY_COMPARE(m_f->size(), m_f->minimumSize());
    const auto text = [](const QLabel* l) {
        return QFontMetrics(l->font()).horizontalAdvance(l->text());
    };
    QRect vorher;
    for (const char* tag :
         {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"}) {
        auto* kopf = m_f->findChild<QLabel*>(QString::fromLatin1(tag) + QStringLiteral("Label"));
        QVERIFY2(text(kopf) <= kopf->width(), tag);
        QVERIFY(!kopf->geometry().intersects(vorher));
        vorher = kopf->geometry();
    }
    auto* spanne = m_f->findChild<QLabel*>(QStringLiteral("SpanneLabel"));
    QCOMPARE(spanne->text(), QStringLiteral("September 2026 – September 2027"));
    QVERIFY2(text(spanne) <= spanne->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(text(spanne)).arg(spanne->width())));
    QVERIFY(!spanne->geometry().intersects(
        m_f->findChild<QWidget*>(QStringLiteral("Image2"))->geometry()));
    QVERIFY(!spanne->geometry().intersects(
        m_f->findChild<QLabel*>(QStringLiteral("Label2"))->geometry()));
    for (const char* knopf : {"RuckgaengigButton", "EndeButton"})
        QVERIFY(m_f->Knopf(knopf)->geometry().top() >= 32);
}

void TestHauptfenster::schliessenFragt()
{
    Berlin2001();
    m_f->ZustandSichern(); // an edit
    ModalHelfer helfer;
    QString text;
    helfer.Druecke(QStringLiteral("knopf_abbrechen"),
                   [&](QWidget* w) { text = qobject_cast<QMessageBox*>(w)->text(); });
    QVERIFY(!m_f->close());
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(text,
             QStringLiteral("Ihre letzten Änderungen wurden nicht gespeichert. Trotzdem beenden?"));
    QVERIFY(m_f->isVisible());

    ModalHelfer ok;
    ok.Druecke(QStringLiteral("knopf_ok"));
    QVERIFY(m_f->close());
    QVERIFY2(ok.Erledigt(), qPrintable(ok.Fehler()));
    QVERIFY(!QFile::exists(Einstellungsdatei())); // no geometry written
}

void TestHauptfenster::schliessenOhneAenderungSchreibtLage()
{
    Berlin2001();
    FensterLageSetzen(*m_f, 30, 40, 800, 600);
    QVERIFY(m_f->close());
    const Einstellungen e = EinstellungenLesen(Einstellungsdatei());
    QCOMPARE(e.fensterbreite, 800);
    QCOMPARE(e.fensterhoehe, 600);
    QVERIFY(e.fensteroben >= 0);
}

void TestHauptfenster::f1OeffnetHilfe_data()
{
    QTest::addColumn<int>("wo"); // 0 the calendar, 1 a catalogue task, 2 a new user task
    QTest::newRow("Kalender") << 0;
    QTest::newRow("Aufgabe") << 1;
    QTest::newRow("Neue Aufgabe") << 2;
}

void TestHauptfenster::f1OeffnetHilfe()
{
    QFETCH(int, wo);
    Berlin2001();
    // The help window belongs to the window where F1 was pressed.
    auto hilfeOffen = [](QWidget* fenster) {
        auto* h = fenster->findChild<THilfeFenster*>(QString(), Qt::FindDirectChildrenOnly);
        const bool offen = h && h->isVisible();
        if (h)
            h->close();
        return offen;
    };
    if (wo == 0) {
        QTest::keyClick(m_f->Kalenderflaeche(), Qt::Key_F1);
        QVERIFY(hilfeOffen(m_f.get()));
        return;
    }
    QDialog* d = wo == 1 ? static_cast<QDialog*>(m_f->Termindialog()) : m_f->EigenerTermindialog();
    if (wo == 1)
        m_f->Termindialog()->AufgabeAnzeigen(7);
    else
        m_f->EigenerTermindialog()->AufgabeAnzeigen(-1, T(2001, 9, 5));
    bool offen = false;
    ModalHelfer helfer;
    helfer.Mache(
        [&](QWidget* w) {
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F1);
            offen = hilfeOffen(w);
            static_cast<QDialog*>(w)->reject();
        },
        d->objectName());
    d->exec();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(offen);
}

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"
