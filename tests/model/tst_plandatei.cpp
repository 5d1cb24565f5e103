#include "dateihilfe.h"
#include "model/kalender.h"
#include "model/katalog.h"
#include "model/plan.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"
#include "support/feindlicheplaene.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(taufgabe)
Q_DECLARE_METATYPE(Aufgabenliste)
Q_DECLARE_METATYPE(Situation)
Q_DECLARE_METATYPE(CalDavStand)

namespace {

double tagVon(int jahr, int monat, int tag)
{
    return Tageszahl::ausDatum(QDate(jahr, monat, tag));
}

Situation beispielSituation()
{
    Situation s;
    s.BundeslandA = 3;
    s.BundeslandB = 17;
    s.Auszugsrenovierung = true;
    s.Einzugsrenovierung = false;
    s.Spedition = true;
    s.Kinder = false;
    s.Einzugdatum = QStringLiteral("15.03.2001");
    s.Auszugdatum = QStringLiteral("31.03.2001");
    return s;
}

Aufgabenliste beispielAufgaben()
{
    taufgabe a;
    a.Nummer = 21;
    a.Kurzbezeichnung = QStringLiteral("Auszugsrenovierung");
    a.Beschreibung = {QStringLiteral("Zeit nehmen."), QString(),
                      QStringLiteral("Tipps: www.example.de")};
    a.Notiz = {QStringLiteral("Farbe: weiß"), QString()};
    a.Druckvorlage = -1;
    a.ausserhalbBuerozeit = true;
    a.auchSonntags = true;
    a.vorher = {7, 11};
    a.beiAuszugsrenovierung = true;
    a.mitKindern = true;
    a.vorgabeDauer = 15;
    a.Tag = tagVon(2001, 3, 10) + 0.5;
    a.Start = 17;
    a.Dauer = 15;

    taufgabe b;
    b.Nummer = 10001;
    b.Kurzbezeichnung = QStringLiteral("Klavier stimmen");
    b.Druckvorlage = 2;
    b.vorgabeDauer = -1;
    b.Tag = tagVon(2001, 3, 12);
    b.Start = 48;
    b.Dauer = 0;
    b.Benutzeraufgabe = true;
    return {a, b};
}

// What a task looks like after a trip through a plan file.
taufgabe nachDerDatei(const taufgabe& a)
{
    taufgabe b = a.Kopie();
    b.Tag = std::trunc(a.Tag);
    return b;
}

// A task as read from a section that holds only its title: the file's defaults.
taufgabe gelesenMitVorgaben()
{
    taufgabe a;
    a.Nummer = 21;
    a.Kurzbezeichnung = QStringLiteral("T");
    a.Druckvorlage = 0;
    a.ausserhalbBuerozeit = true;
    a.auchSonntags = true;
    a.beiAuszugsrenovierung = true;
    a.beiEinzugsrenovierung = true;
    a.mitSpedition = true;
    a.ohneSpedition = true;
    a.vorgabeDauer = 0;
    a.Tag = tagVon(1999, 1, 1); // the rows without a day add this one
    a.Start = 0;
    a.Dauer = 0;
    return a;
}

QList<qint32> nummernVon(const Aufgabenliste& liste)
{
    QList<qint32> n;
    for (const taufgabe& a : liste)
        n.append(a.Nummer);
    return n;
}

} // namespace

class TestPlandatei final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byteGenau();
    void festeBytes_data();
    void festeBytes();
    void grenzeDerDateigroesse();
    void rundreise_data();
    void rundreise();
    void zeilenumbruecheImText();
    void aufgabeLesen_data();
    void aufgabeLesen();
    void ungueltigerTag_data();
    void ungueltigerTag();
    void vorherLesen_data();
    void vorherLesen();
    void aufgabenabschnitt_data();
    void aufgabenabschnitt();
    void planLaden_data();
    void planLaden();
    void situationVorgaben();
    void beschaedigterPlan_data();
    void beschaedigterPlan();
    void erledigt();
    void unbekannterSchluessel();
    void doppelteAbschnitte_data();
    void doppelteAbschnitte();
    void fremdeKodierung_data();
    void fremdeKodierung();
    void feindlichePlaene_data();
    void feindlichePlaene();
    void ueberschreibenErsetztGanz();
    void speichernScheitert_data();
    void speichernScheitert();
    void lastsavedNurNachErfolg();
    void einstellungenFehlen();
    void fensterBehaeltAndere();
    void lastsavedBehaeltAndere();
    void lastsavedAusserhalbWindows1252();
    void lastsavedMitZeilenumbruch();
    void einstellungenUnlesbar();
    void abgleichstand_data();
    void abgleichstand();
    void abgleichstandAlterLeser();

private:
    QString pfad(const QString& name) const { return m_ordner.filePath(name); }
    QTemporaryDir m_ordner;
};

void TestPlandatei::byteGenau()
{
    const QString datei = pfad(QStringLiteral("klein.kvr"));
    QString fehler;
    QVERIFY2(PlanSchreiben(datei, beispielAufgaben(), beispielSituation(),
                           tagVon(2001, 2, 26) + 0.75, 42, &fehler),
             qPrintable(fehler));
    const QByteArray erwartet = "[allgemein]\r\n"
                                "BundeslandA=3\r\n"
                                "BundeslandB=17\r\n"
                                "anzdays=42\r\n"
                                "firstday=36948\r\n"
                                "Auszugsrenovierung=1\r\n"
                                "Einzugsrenovierung=0\r\n"
                                "Spedition=1\r\n"
                                "Kinder=0\r\n"
                                "Einzugdatum=15.03.2001\r\n"
                                "Auszugdatum=31.03.2001\r\n"
                                "\r\n"
                                "[21]\r\n"
                                "Kurzbezeichnung=Auszugsrenovierung\r\n"
                                "Beschreibung=Zeit nehmen.||Tipps: www.example.de|\r\n"
                                "Notiz=Farbe: wei\xdf||\r\n"
                                "Druckvorlage=-1\r\n"
                                "ausserhalbBuerozeit=1\r\n"
                                "auchSonntags=1\r\n"
                                "vorher=7,11\r\n"
                                "beiAuszugsrenovierung=1\r\n"
                                "beiEinzugsrenovierung=0\r\n"
                                "mitSpedition=0\r\n"
                                "ohneSpedition=0\r\n"
                                "vorgabeDauer=15\r\n"
                                "Tag=10.03.2001\r\n"
                                "Start=17\r\n"
                                "Dauer=15\r\n"
                                "Benutzeraufgabe=0\r\n"
                                "\r\n"
                                "[10001]\r\n"
                                "Kurzbezeichnung=Klavier stimmen\r\n"
                                "Beschreibung=\r\n"
                                "Notiz=\r\n"
                                "Druckvorlage=2\r\n"
                                "ausserhalbBuerozeit=0\r\n"
                                "auchSonntags=0\r\n"
                                "vorher=\r\n"
                                "beiAuszugsrenovierung=0\r\n"
                                "beiEinzugsrenovierung=0\r\n"
                                "mitSpedition=0\r\n"
                                "ohneSpedition=0\r\n"
                                "vorgabeDauer=-1\r\n"
                                "Tag=12.03.2001\r\n"
                                "Start=48\r\n"
                                "Dauer=0\r\n"
                                "Benutzeraufgabe=1\r\n"
                                "\r\n";
    QCOMPARE(DateiLesen(datei), erwartet);
}

// The bytes of these plans were written by the program before its writer was rewritten, and
// are kept in plaene/: older copies of the program read them, and users compare files.
void TestPlandatei::festeBytes_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<Aufgabenliste>("aufgaben");
    QTest::addColumn<Situation>("situation");
    const Situation normal = beispielSituation();

    Plan plan;
    plan.KatalogLaden(false);
    plan.AufgabenTerminieren(tagVon(2001, 3, 15));
    QTest::newRow("ganzer Katalog") << QStringLiteral("katalog.kvr") << plan.Aufgaben() << normal;

    taufgabe grenz = beispielAufgaben()[0];
    grenz.Nummer = std::numeric_limits<qint32>::min();
    grenz.Druckvorlage = std::numeric_limits<qint32>::min();
    grenz.vorgabeDauer = std::numeric_limits<qint32>::max();
    grenz.vorher = {-1, 0, 2147483647, -2147483647 - 1};
    grenz.Tag = tagVon(1, 1, 1);
    taufgabe spaet = grenz;
    spaet.Nummer = 2147483647;
    spaet.Tag = tagVon(9999, 12, 31) + 0.99;
    taufgabe unendlich = grenz;
    unendlich.Nummer = 3;
    unendlich.Tag = std::numeric_limits<double>::infinity();
    taufgabe nan = grenz;
    nan.Nummer = 4;
    nan.Tag = std::numeric_limits<double>::quiet_NaN();
    taufgabe fern = grenz;
    fern.Nummer = 5;
    fern.Tag = -1e9;
    QTest::newRow("Grenzwerte") << QStringLiteral("grenzwerte.kvr")
                                << Aufgabenliste{grenz, spaet, unendlich, nan, fern} << normal;

    taufgabe umbrueche = beispielAufgaben()[1];
    umbrueche.Kurzbezeichnung = QStringLiteral("a\r\nb\rc\nd\r\r\n");
    umbrueche.Beschreibung = {QStringLiteral("x\r\ny"), QStringLiteral("\r"),
                              QStringLiteral("\n\r"), QString()};
    umbrueche.Notiz = {QStringLiteral("|a||b|"), QStringLiteral("c\r\r\n\n")};
    Situation umbruchSituation = normal;
    umbruchSituation.Einzugdatum = QStringLiteral("15.03.2001\r\n[21]");
    umbruchSituation.Auszugdatum = QStringLiteral("\n");
    QTest::newRow("Zeilenumbrüche")
        << QStringLiteral("zeilenumbrueche.kvr") << Aufgabenliste{umbrueche} << umbruchSituation;

    taufgabe zeichen = beispielAufgaben()[1];
    zeichen.Kurzbezeichnung =
        QStringLiteral("€ ‚ƒ„…†‡ˆ‰Š‹ŒŽ ‘’“”•–—˜™š›œžŸ ÿ ß") + QChar(0x81) + QChar(0x9D);
    zeichen.Notiz = {QStringLiteral("[x]"), QStringLiteral("a=b"), QString(QChar(26))};
    QTest::newRow("Windows-1252") << QStringLiteral("windows1252.kvr") << Aufgabenliste{zeichen}
                                  << normal;

    taufgabe fremd = zeichen;
    fremd.Notiz = {QStringLiteral("Łódź 📦")};
    QTest::newRow("außerhalb Windows-1252")
        << QStringLiteral("utf8.kvr") << Aufgabenliste{zeichen, fremd} << normal;

    // Equal numbers share the first one's section with the last one's values.
    Aufgabenliste doppelt = beispielAufgaben();
    taufgabe zweite = doppelt[0];
    zweite.Kurzbezeichnung = QStringLiteral("Zweite");
    zweite.vorher = {};
    doppelt.push_back(zweite);
    doppelt.push_back(doppelt[1]);
    QTest::newRow("doppelte Nummern") << QStringLiteral("doppelt.kvr") << doppelt << normal;
    QTest::newRow("keine Aufgaben") << QStringLiteral("leer.kvr") << Aufgabenliste{} << normal;

    // Random texts from the characters that have rules of their own.
    QRandomGenerator zufall(1999);
    const QString vorrat = QStringLiteral("ab |=[]\r\n\"äÄ€\x81ŁŸ");
    auto zufallstext = [&](int laenge) {
        QString t;
        for (int i = 0; i < laenge; ++i)
            t += vorrat[zufall.bounded(int(vorrat.size()) - (zufall.bounded(4) == 0 ? 0 : 2))];
        return t;
    };
    Aufgabenliste gemischt;
    for (int i = 0; i < 300; ++i) {
        taufgabe a;
        a.Nummer = zufall.bounded(400);
        a.Kurzbezeichnung = zufallstext(zufall.bounded(20));
        for (int z = zufall.bounded(4); z > 0; --z)
            a.Notiz.append(zufallstext(zufall.bounded(10)));
        a.Tag = zufall.bounded(-800000, 3000000);
        a.Start = int(zufall.generate());
        a.vorher = {int(zufall.generate()), 7};
        a.auchSonntags = zufall.bounded(2);
        gemischt.push_back(a);
    }
    QTest::newRow("Zufall") << QStringLiteral("zufall.kvr") << gemischt << normal;
}

void TestPlandatei::festeBytes()
{
    QFETCH(QString, datei);
    QFETCH(Aufgabenliste, aufgaben);
    QFETCH(Situation, situation);
    const QString erwartet = QFINDTESTDATA(QStringLiteral("plaene/") + datei);
    QVERIFY(!erwartet.isEmpty());
    const QString geschrieben = pfad(datei);
    QVERIFY(PlanSchreiben(geschrieben, aufgaben, situation, tagVon(2001, 2, 26) + 0.5, 42));
    QCOMPARE(DateiLesen(geschrieben), DateiLesen(erwartet));
}

// Every plan the program writes opens again: the largest file that opens is written, one
// byte more is refused before anything is written.
void TestPlandatei::grenzeDerDateigroesse()
{
    const qint64 grenze = TBigIniFile::GroessteDatei;
    Aufgabenliste aufgaben;
    const Situation s = beispielSituation();
    auto groesse = [&] {
        TBigIniFile ini = TBigIniFile::ausBytes({});
        PlanEintragen(ini, aufgaben, s, 0, 35);
        return qint64(ini.Inhalt().size());
    };
    // Notes of 60,000 to 65,000 characters: long, but within what a note may hold.
    taufgabe a = beispielAufgaben()[1];
    a.Notiz = {QString(60000, QLatin1Char('n'))};
    a.Nummer = 10001;
    const qint64 leer = groesse();
    aufgaben.push_back(a);
    const qint64 jeAufgabe = groesse() - leer;
    while (aufgaben.size() < size_t((grenze - leer) / jeAufgabe)) {
        ++a.Nummer;
        aufgaben.push_back(a);
    }
    qint64 rest = grenze - groesse();
    for (taufgabe& t : aufgaben) {
        const qint64 mehr = std::min<qint64>(rest, 5000);
        t.Notiz[0].append(QString(mehr, QLatin1Char('n')));
        rest -= mehr;
    }
    QCOMPARE(groesse(), grenze);

    const QString datei = pfad(QStringLiteral("grenze.kvr"));
    QString fehler;
    QVERIFY2(PlanSchreiben(datei, aufgaben, s, 0, 35, &fehler), qPrintable(fehler));
    QCOMPARE(QFileInfo(datei).size(), grenze);
    Aufgabenliste geladen;
    Situation gelesen;
    QVERIFY(PlanLaden(datei, geladen, gelesen));
    QCOMPARE(geladen.size(), aufgaben.size());
    QCOMPARE(geladen.back().Notiz, aufgaben.back().Notiz);

    aufgaben.back().Kurzbezeichnung += QLatin1Char('x');
    QVERIFY(!PlanSchreiben(datei, aufgaben, s, 0, 35, &fehler));
    QCOMPARE(fehler, QStringLiteral("Der Plan ist zu groß: Die Plandatei würde 16,0 MB groß, "
                                    "geöffnet werden nur Plandateien bis 16 MB."));
    QCOMPARE(QFileInfo(datei).size(), grenze);
}

void TestPlandatei::rundreise_data()
{
    QTest::addColumn<Aufgabenliste>("aufgaben");

    QTest::newRow("Beispiel") << beispielAufgaben();

    Plan plan;
    plan.KatalogLaden(false);
    plan.AufgabenTerminieren(tagVon(2001, 3, 15));
    QTest::newRow("ganzer Katalog") << plan.Aufgaben();

    taufgabe grenz;
    grenz.Nummer = 0;
    grenz.Kurzbezeichnung = QStringLiteral("[x]");
    grenz.Notiz = {QStringLiteral("a=b"), QStringLiteral("; c"), QStringLiteral("\"zitiert\"")};
    grenz.Druckvorlage = std::numeric_limits<qint32>::min();
    grenz.vorgabeDauer = std::numeric_limits<qint32>::max();
    grenz.vorher = {-1, 0, 2147483647, -2147483647 - 1};
    grenz.Start = 1000;
    grenz.Dauer = -5;
    grenz.Tag = tagVon(1, 1, 1);
    taufgabe spaet = grenz;
    spaet.Nummer = 2147483647;
    spaet.Start = 0;
    spaet.Tag = tagVon(9999, 12, 31);
    QTest::newRow("Grenzwerte") << Aufgabenliste{grenz, spaet};

    taufgabe fremd;
    fremd.Nummer = 10001;
    fremd.Kurzbezeichnung = QStringLiteral("Umzug nach Łódź");
    fremd.Notiz = {QStringLiteral("📦 Kisten"), QString(), QStringLiteral("Nötig: 12 €")};
    fremd.Tag = tagVon(2001, 3, 12);
    QTest::newRow("Text außerhalb Windows-1252") << Aufgabenliste{fremd};

    taufgabe leer;
    leer.Nummer = 5;
    leer.Kurzbezeichnung = QStringLiteral("Leer");
    leer.Notiz = {QString(), QString()};
    leer.Beschreibung = {QStringLiteral("A"), QString()};
    leer.Tag = tagVon(2001, 3, 12);
    QTest::newRow("leere Zeilen") << Aufgabenliste{leer};
    QTest::newRow("keine Aufgaben") << Aufgabenliste{};
}

// Every field comes back except mitKindern and the time of day inside Tag.
void TestPlandatei::rundreise()
{
    QFETCH(Aufgabenliste, aufgaben);
    const QString datei = pfad(QStringLiteral("rundreise.kvr"));
    const Situation situation = beispielSituation();
    QString fehler;
    QVERIFY2(PlanSchreiben(datei, aufgaben, situation, tagVon(2001, 2, 26), 35, &fehler),
             qPrintable(fehler));

    Aufgabenliste geladen;
    Situation gelesen;
    QVERIFY(PlanLaden(datei, geladen, gelesen));
    QCOMPARE(gelesen, situation);
    QCOMPARE(geladen.size(), aufgaben.size());
    for (size_t i = 0; i < aufgaben.size(); ++i) {
        const taufgabe erwartet = nachDerDatei(aufgaben[i]);
        const taufgabe& a = geladen[i];
        QCOMPARE(a.Nummer, erwartet.Nummer);
        QCOMPARE(a.Kurzbezeichnung, erwartet.Kurzbezeichnung);
        QCOMPARE(a.Beschreibung, erwartet.Beschreibung);
        QCOMPARE(a.Notiz, erwartet.Notiz);
        QCOMPARE(a.vorher, erwartet.vorher);
        QCOMPARE(a.Tag, erwartet.Tag);
        QVERIFY(a == erwartet);
    }
}

// A line break can only come from outside the dialogs; it must not break the file.
void TestPlandatei::zeilenumbruecheImText()
{
    taufgabe a;
    a.Nummer = 3;
    a.Kurzbezeichnung = QStringLiteral("Erste\r\nZweite");
    a.Notiz = {QStringLiteral("a\nb"), QStringLiteral("c\rd")};
    a.Tag = tagVon(2001, 3, 12);
    Situation s = beispielSituation();
    s.Einzugdatum = QStringLiteral("15.03.2001\n[21]");
    const QString datei = pfad(QStringLiteral("umbruch.kvr"));
    QVERIFY(PlanSchreiben(datei, {a}, s, 0, 35));
    Aufgabenliste geladen;
    Situation gelesen;
    QVERIFY(PlanLaden(datei, geladen, gelesen));
    QCOMPARE(geladen.size(), size_t(1));
    QCOMPARE(geladen[0].Kurzbezeichnung, QStringLiteral("Erste  Zweite"));
    QCOMPARE(geladen[0].Notiz, (QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                            QStringLiteral("c"), QStringLiteral("d")}));
    QCOMPARE(gelesen.Einzugdatum, QStringLiteral("15.03.2001 [21]"));
}

void TestPlandatei::aufgabeLesen_data()
{
    QTest::addColumn<QByteArray>("zeilen");
    QTest::addColumn<taufgabe>("erwartet");
    QTest::addColumn<bool>("fehlgeschlagen");

    const taufgabe v = gelesenMitVorgaben();
    auto mit = [&](auto aendern) {
        taufgabe a = v;
        aendern(a);
        return a;
    };
    QTest::newRow("nur Titel: Vorgaben der Datei")
        << QByteArray("Kurzbezeichnung=T\r\n") << v << false;
    QTest::newRow("start=0x11") << QByteArray("Kurzbezeichnung=T\r\nstart=0x11\r\n")
                                << mit([](taufgabe& a) { a.Start = 17; }) << false;
    QTest::newRow("START=0X11") << QByteArray("Kurzbezeichnung=T\r\nSTART=0X11\r\n")
                                << mit([](taufgabe& a) { a.Start = 17; }) << false;
    QTest::newRow("auchSonntags=ja bleibt wahr")
        << QByteArray("Kurzbezeichnung=T\r\nauchSonntags=ja\r\n") << v << false;
    QTest::newRow("auchSonntags=2")
        << QByteArray("Kurzbezeichnung=T\r\nauchSonntags=2\r\n") << v << false;
    QTest::newRow("auchSonntags=0") << QByteArray("Kurzbezeichnung=T\r\nauchSonntags=0\r\n")
                                    << mit([](taufgabe& a) { a.auchSonntags = false; }) << false;
    QTest::newRow("Benutzeraufgabe=ja bleibt falsch")
        << QByteArray("Kurzbezeichnung=T\r\nBenutzeraufgabe=ja\r\n") << v << false;
    QTest::newRow("Notiz=a=b") << QByteArray("Kurzbezeichnung=T\r\nNotiz=a=b\r\n")
                               << mit([](taufgabe& a) { a.Notiz = {QStringLiteral("a=b")}; })
                               << false;
    QTest::newRow("Notiz mit leerer letzter Zeile")
        << QByteArray("Kurzbezeichnung=T\r\nNotiz=A||\r\n") << mit([](taufgabe& a) {
               a.Notiz = {QStringLiteral("A"), QString()};
           })
        << false;
    QTest::newRow("vorher=7,x,11")
        << QByteArray("Kurzbezeichnung=T\r\nvorher=7,x,11\r\n") << mit([](taufgabe& a) {
               a.vorher = {7, -1, 11};
           })
        << false;
    QTest::newRow("Start 1000 und Dauer -5 bleiben")
        << QByteArray("Kurzbezeichnung=T\r\nStart=1000\r\nDauer=-5\r\n") << mit([](taufgabe& a) {
               a.Start = 1000;
               a.Dauer = -5;
           })
        << false;
    QTest::newRow("Start 0") << QByteArray("Kurzbezeichnung=T\r\nStart=0\r\n") << v << false;
    QTest::newRow("Überlauf gibt die Vorgabe")
        << QByteArray(
               "Kurzbezeichnung=T\r\nDruckvorlage=99999999999\r\nvorgabeDauer=-2147483649\r\n")
        << v << false;
    QTest::newRow("Tag gelesen") << QByteArray("Kurzbezeichnung=T\r\nTag=29.02.2000\r\n")
                                 << mit([](taufgabe& a) { a.Tag = tagVon(2000, 2, 29); }) << false;
    QTest::newRow("Titel mit Blanks bleibt")
        << QByteArray("Kurzbezeichnung= T \r\n")
        << mit([](taufgabe& a) { a.Kurzbezeichnung = QStringLiteral(" T "); }) << false;
    QTest::newRow("leerer Titel scheitert")
        << QByteArray("Kurzbezeichnung=\r\nStart=5\r\n") << mit([](taufgabe& a) {
               a.Kurzbezeichnung.clear();
               a.Start = 5;
           })
        << true;
    QTest::newRow("fehlender Titel scheitert") << QByteArray("Start=5\r\n") << mit([](taufgabe& a) {
        a.Kurzbezeichnung.clear();
        a.Start = 5;
    }) << true;
    QTest::newRow("zwei Abschnitte 21: der erste gilt")
        << QByteArray("Kurzbezeichnung=T\r\nTag=01.01.1999\r\n[21]\r\nKurzbezeichnung="
                      "Zweiter\r\nStart=9\r\n")
        << v << false;
}

void TestPlandatei::aufgabeLesen()
{
    QFETCH(QByteArray, zeilen);
    QFETCH(taufgabe, erwartet);
    QFETCH(bool, fehlgeschlagen);
    const QByteArray tag = zeilen.contains("Tag=") ? "" : "Tag=01.01.1999\r\n";
    const TBigIniFile ini = TBigIniFile::ausBytes("[21]\r\n" + zeilen + tag);
    taufgabe a;
    a.mitKindern = true;
    a.Notiz = {QStringLiteral("alt")};
    QCOMPARE(AufgabeLesen(a, ini, 21), !fehlgeschlagen);
    QCOMPARE(a.Kurzbezeichnung, erwartet.Kurzbezeichnung);
    QCOMPARE(a.Notiz, erwartet.Notiz);
    QCOMPARE(a.vorher, erwartet.vorher);
    QCOMPARE(a.Tag, erwartet.Tag);
    QCOMPARE(a.Start, erwartet.Start);
    QVERIFY(a == erwartet);
}

void TestPlandatei::ungueltigerTag_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::newRow("31.02.2001") << QByteArray("31.02.2001");
    QTest::newRow("29.02.2001") << QByteArray("29.02.2001");
    QTest::newRow("01.01.99999") << QByteArray("01.01.99999");
    QTest::newRow("Monat 13") << QByteArray("01.13.2001");
    QTest::newRow("Tag 0") << QByteArray("00.01.2001");
    QTest::newRow("Jahr 0") << QByteArray("01.01.0000");
    QTest::newRow("zweistelliges Jahr") << QByteArray("01.01.01");
    QTest::newRow("leer") << QByteArray("");
    QTest::newRow("Wort") << QByteArray("morgen");
    QTest::newRow("lang") << QByteArray(100000, '1');
}

// The task has no day, and says which value was missing; no day is made up for it.
void TestPlandatei::ungueltigerTag()
{
    QFETCH(QByteArray, tag);
    const TBigIniFile ini =
        TBigIniFile::ausBytes("[21]\r\nKurzbezeichnung=T\r\nTag=" + tag + "\r\n");
    taufgabe a;
    QStringList ergaenzt;
    QVERIFY(AufgabeLesen(a, ini, 21, &ergaenzt));
    QVERIFY(std::isnan(a.Tag));
    QVERIFY(ergaenzt.contains(QStringLiteral("Tag")));
}

void TestPlandatei::vorherLesen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qint32>>("nummern");
    QTest::newRow("leer") << "" << QList<qint32>{};
    QTest::newRow("nur Blanks") << "   " << QList<qint32>{};
    QTest::newRow("eine") << "7" << QList<qint32>{7};
    QTest::newRow("Komma") << "7,11" << QList<qint32>{7, 11};
    QTest::newRow("Nicht-Zahl wird -1") << "7,x,11" << QList<qint32>{7, -1, 11};
    QTest::newRow("Blank trennt") << "7 11" << QList<qint32>{7, 11};
    QTest::newRow("Blanks um Komma") << " 7 , 11 " << QList<qint32>{7, 11};
    QTest::newRow("leerer Eintrag") << "7,,11" << QList<qint32>{7, -1, 11};
    QTest::newRow("Komma am Ende") << "7," << QList<qint32>{7, -1};
    QTest::newRow("Anführungszeichen") << "\"7\",\"11\"" << QList<qint32>{7, 11};
    QTest::newRow("Komma in Anführungszeichen") << "\"1,2\",3" << QList<qint32>{-1, 3};
    QTest::newRow("Blank in Anführungszeichen") << "\" 8\"" << QList<qint32>{-1};
    QTest::newRow("leere Anführungszeichen") << "\"\"" << QList<qint32>{-1};
    QTest::newRow("offenes Anführungszeichen") << "5,\"6" << QList<qint32>{5, 6};
    QTest::newRow("hex und negativ") << "0x10,-3" << QList<qint32>{16, -3};
    QTest::newRow("Überlauf") << "99999999999" << QList<qint32>{-1};
    QTest::newRow("Tabulator trennt") << "1\t2" << QList<qint32>{1, 2};
}

void TestPlandatei::vorherLesen()
{
    QFETCH(QString, text);
    QFETCH(QList<qint32>, nummern);
    QCOMPARE(VorherLesen(text), nummern);
}

void TestPlandatei::aufgabenabschnitt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("istAufgabe");
    QTest::addColumn<qint32>("nummer");
    QTest::newRow("21") << "21" << true << 21;
    QTest::newRow("0") << "0" << true << 0;
    QTest::newRow("10001") << "10001" << true << 10001;
    QTest::newRow("größte") << "2147483647" << true << 2147483647;
    QTest::newRow("zu groß") << "2147483648" << false << 0;
    QTest::newRow("allgemein") << "allgemein" << false << 0;
    QTest::newRow("negativ") << "-5" << false << 0;
    QTest::newRow("plus") << "+5" << false << 0;
    QTest::newRow("Blank") << " 21" << false << 0;
    QTest::newRow("hex") << "0x15" << false << 0;
    QTest::newRow("leer") << "" << false << 0;
}

void TestPlandatei::aufgabenabschnitt()
{
    QFETCH(QString, name);
    QFETCH(bool, istAufgabe);
    QFETCH(qint32, nummer);
    qint32 n = 0;
    QCOMPARE(IstAufgabenabschnitt(name, &n), istAufgabe);
    if (istAufgabe)
        QCOMPARE(n, nummer);
}

void TestPlandatei::planLaden_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<bool>("erfolg");
    QTest::addColumn<QList<qint32>>("nummern");
    const QByteArray allgemein("[allgemein]\r\nBundeslandA=3\r\n\r\n");
    const QByteArray gut21("[21]\r\nKurzbezeichnung=A\r\nTag=01.03.2001\r\n\r\n");
    const QByteArray gut22("[22]\r\nKurzbezeichnung=B\r\nTag=02.03.2001\r\n\r\n");
    const QByteArray schlecht21("[21]\r\nKurzbezeichnung=\r\nTag=01.03.2001\r\n\r\n");
    QTest::newRow("leere Datei") << QByteArray() << false << QList<qint32>{};
    QTest::newRow("nur Text ohne Abschnitt") << QByteArray("Hallo\r\n") << false << QList<qint32>{};
    QTest::newRow("nur allgemein") << allgemein << true << QList<qint32>{};
    QTest::newRow("leerer Abschnitt zählt") << QByteArray("[x]\r\n") << true << QList<qint32>{};
    QTest::newRow("zwei Aufgaben") << allgemein + gut21 + gut22 << true << QList<qint32>{21, 22};
    QTest::newRow("letzte Aufgabe gescheitert")
        << allgemein + gut22 + schlecht21 << false << QList<qint32>{22, 21};
    QTest::newRow("frühere Aufgabe gescheitert")
        << allgemein + schlecht21 + gut22 << true << QList<qint32>{21, 22};
    QTest::newRow("gescheitert, dann anderer Abschnitt")
        << schlecht21 + QByteArray("[zzz]\r\nx=1\r\n") << true << QList<qint32>{21};
    QTest::newRow("leerer Aufgabenabschnitt am Ende")
        << allgemein + gut21 + QByteArray("[30]\r\n") << false << QList<qint32>{21};
    QTest::newRow("zwei Abschnitte 21")
        << gut21 + QByteArray("[21]\r\nKurzbezeichnung=Z\r\nTag=01.03.2001\r\n") + gut22 << true
        << QList<qint32>{21, 22};
    QTest::newRow("allgemein am Ende") << gut21 + allgemein << true << QList<qint32>{21};
    QTest::newRow("keine Aufgabennamen")
        << QByteArray(
               "[-5]\r\nKurzbezeichnung=A\r\n[ 21]\r\nKurzbezeichnung=A\r\n[0x15]\r\nk=1\r\n")
        << true << QList<qint32>{};
}

void TestPlandatei::planLaden()
{
    QFETCH(QByteArray, datei);
    QFETCH(bool, erfolg);
    QFETCH(QList<qint32>, nummern);
    const QString p = pfad(QStringLiteral("laden.kvr"));
    QVERIFY(DateiSchreiben(p, datei));
    // The list is appended to; the caller empties it first.
    taufgabe schon;
    schon.Nummer = 99;
    Aufgabenliste aufgaben{schon};
    Situation s;
    QCOMPARE(PlanLaden(p, aufgaben, s), erfolg);
    nummern.prepend(99);
    QCOMPARE(nummernVon(aufgaben), nummern);
}

// A damaged plan: a task without a valid day is not loaded and is named, a task whose values
// were defaulted is named, neither decides the calendar's span, and saving writes no made-up
// day.
void TestPlandatei::beschaedigterPlan_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QList<qint32>>("nummern");
    QTest::addColumn<QString>("hinweis");
    const QByteArray kopf = "[allgemein]\r\nBundeslandA=3\r\nBundeslandB=3\r\n\r\n";
    const QByteArray ganz7 = "[7]\r\nKurzbezeichnung=Umziehen\r\nBeschreibung=\r\nNotiz=\r\n"
                             "Druckvorlage=0\r\nausserhalbBuerozeit=1\r\nauchSonntags=0\r\n"
                             "vorher=9\r\nbeiAuszugsrenovierung=0\r\nbeiEinzugsrenovierung=0\r\n"
                             "mitSpedition=0\r\nohneSpedition=0\r\nvorgabeDauer=15\r\n"
                             "Tag=01.06.2027\r\nStart=17\r\nDauer=15\r\nBenutzeraufgabe=0\r\n\r\n";
    const QString datei = QStringLiteral("Die Datei „%1“ ist beschädigt.\n");
    const QString speichern = QStringLiteral("\nWenn Sie den Plan speichern, fehlen die nicht "
                                             "geladenen Aufgaben darin. Speichern Sie ihn unter "
                                             "einem neuen Namen, um die Datei zu behalten.");

    QTest::newRow("ganz") << kopf + ganz7 << QList<qint32>{7} << QString();
    QTest::newRow("abgeschnitten vor dem Tag")
        << kopf + ganz7 + "[9]\r\nKurzbezeichnung=Packen\r\nBeschreibung=Kisten pa"
        << QList<qint32>{7}
        << datei +
               QStringLiteral("Eine Aufgabe hat keinen gültigen Tag und wurde nicht geladen: "
                              "9 „Packen“.") +
               speichern;
    QTest::newRow("zwei ohne gültigen Tag")
        << kopf + "[9]\r\nKurzbezeichnung=Packen\r\nTag=31.02.2027\r\n" + ganz7 +
               "[13]\r\nKurzbezeichnung=Kisten\r\nTag=\r\n"
        << QList<qint32>{7}
        << datei +
               QStringLiteral("2 Aufgaben haben keinen gültigen Tag und wurden nicht geladen: "
                              "9 „Packen“, 13 „Kisten“.") +
               speichern;
    QTest::newRow("Werte ergänzt")
        << kopf + ganz7 +
               "[10001]\r\nKurzbezeichnung=Klavier\r\nBeschreibung=\r\nNotiz=\r\n"
               "Druckvorlage=0\r\nausserhalbBuerozeit=1\r\nauchSonntags=0\r\nvorher=\r\n"
               "beiAuszugsrenovierung=0\r\nbeiEinzugsrenovierung=0\r\nmitSpedition=0\r\n"
               "ohneSpedition=0\r\nvorgabeDauer=x\r\nTag=02.06.2027\r\nStart=20\r\n"
        << QList<qint32>{7, 10001}
        << datei + QStringLiteral("Bei einer Aufgabe fehlten Angaben, für die Vorgaben eingesetzt "
                                  "wurden: 10001 „Klavier“ (vorgabeDauer, Dauer, "
                                  "Benutzeraufgabe).");
}

void TestPlandatei::beschaedigterPlan()
{
    QFETCH(QByteArray, datei);
    QFETCH(QList<qint32>, nummern);
    QFETCH(QString, hinweis);
    const QString p = pfad(QStringLiteral("beschaedigt.kvr"));
    QVERIFY(DateiSchreiben(p, datei));
    Aufgabenliste aufgaben;
    Situation s;
    Ladebericht bericht;
    QVERIFY(PlanLaden(p, aufgaben, s, &bericht));
    QCOMPARE(nummernVon(aufgaben), nummern);
    QCOMPARE(bericht.hinweis, hinweis.isEmpty() ? hinweis : hinweis.arg(p));
    // The calendar shows the week of the real tasks, not a year before them.
    QCOMPARE(SpanneBerechnen(aufgaben, tagVon(2030, 1, 1)).ersterTag, tagVon(2027, 5, 31));

    const QString wieder = pfad(QStringLiteral("wieder.kvr"));
    QVERIFY(PlanSchreiben(wieder, aufgaben, s, 0, 35));
    const QByteArray geschrieben = DateiLesen(wieder);
    QVERIFY(!geschrieben.contains("Tag=01.01.1999"));
    QVERIFY(!geschrieben.contains("[9]"));
}

// The done state is one more key after the others, written only for a task ticked off.
void TestPlandatei::erledigt()
{
    Aufgabenliste aufgaben = beispielAufgaben();
    aufgaben[1].Erledigt = true;
    const QString datei = pfad(QStringLiteral("erledigt.kvr"));
    QVERIFY(PlanSchreiben(datei, aufgaben, beispielSituation(), 0, 35));
    const QByteArray bytes = DateiLesen(datei);
    QCOMPARE(bytes.count("Erledigt="), 1);
    QVERIFY(bytes.endsWith("[10001]\r\n"
                           "Kurzbezeichnung=Klavier stimmen\r\n"
                           "Beschreibung=\r\n"
                           "Notiz=\r\n"
                           "Druckvorlage=2\r\n"
                           "ausserhalbBuerozeit=0\r\n"
                           "auchSonntags=0\r\n"
                           "vorher=\r\n"
                           "beiAuszugsrenovierung=0\r\n"
                           "beiEinzugsrenovierung=0\r\n"
                           "mitSpedition=0\r\n"
                           "ohneSpedition=0\r\n"
                           "vorgabeDauer=-1\r\n"
                           "Tag=12.03.2001\r\n"
                           "Start=48\r\n"
                           "Dauer=0\r\n"
                           "Benutzeraufgabe=1\r\n"
                           "Erledigt=1\r\n"
                           "\r\n"));
    Aufgabenliste geladen;
    Situation s;
    Ladebericht bericht;
    QVERIFY(PlanLaden(datei, geladen, s, &bericht));
    QCOMPARE(geladen.size(), size_t(2));
    QCOMPARE(geladen[0].Erledigt, false);
    QCOMPARE(geladen[1].Erledigt, true);
    QVERIFY(bericht.hinweis.isEmpty());
}

// A key the reader does not know (from a newer version) is passed over: the task loads with
// everything else, and nothing counts as damaged.
void TestPlandatei::unbekannterSchluessel()
{
    const QString datei = pfad(QStringLiteral("neuer.kvr"));
    QVERIFY(PlanSchreiben(datei, beispielAufgaben(), beispielSituation(), 0, 35));
    QByteArray bytes = DateiLesen(datei);
    bytes.replace("Benutzeraufgabe=1\r\n", "Benutzeraufgabe=1\r\nErinnerung=2\r\nZukunft=ja\r\n");
    bytes.replace("[allgemein]\r\n", "[allgemein]\r\nPlanVersion=9\r\n");
    QVERIFY(DateiSchreiben(datei, bytes));
    Aufgabenliste geladen;
    Situation s;
    Ladebericht bericht;
    QVERIFY(PlanLaden(datei, geladen, s, &bericht));
    QCOMPARE(s, beispielSituation());
    QCOMPARE(geladen.size(), size_t(2));
    QVERIFY(geladen[1] == nachDerDatei(beispielAufgaben()[1]));
    QVERIFY(bericht.hinweis.isEmpty());
    QCOMPARE(bericht.gekuerzt, 0);
}

// A section dropped because an earlier one named the same task counts as cut.
void TestPlandatei::doppelteAbschnitte_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QList<qint32>>("nummern");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<int>("gekuerzt");
    auto aufgabe = [](const QByteArray& name, const QByteArray& titel) -> QByteArray {
        return "[" + name + "]\r\nKurzbezeichnung=" + titel + "\r\nTag=01.06.2027\r\n\r\n";
    };
    const QByteArray kopf = "[allgemein]\r\nBundeslandA=3\r\n\r\n";
    QTest::newRow("einmalig") << kopf + aufgabe("5", "A") + aufgabe("7", "B") << QList<qint32>{5, 7}
                              << QStringLiteral("A,B") << 0;
    QTest::newRow("[5] zweimal") << kopf + aufgabe("5", "A") + aufgabe("7", "B") + aufgabe("5", "C")
                                 << QList<qint32>{5, 7} << QStringLiteral("A,B") << 1;
    QTest::newRow("[5] dreimal") << kopf + aufgabe("5", "A") + aufgabe("5", "B") + aufgabe("5", "C")
                                 << QList<qint32>{5} << QStringLiteral("A") << 2;
    QTest::newRow("[007] nach [7]") << kopf + aufgabe("7", "A") + aufgabe("007", "B")
                                    << QList<qint32>{7} << QStringLiteral("A") << 1;
    QTest::newRow("[7] nach [007]") << kopf + aufgabe("007", "B") + aufgabe("7", "A")
                                    << QList<qint32>{7} << QStringLiteral("A") << 1;
    QTest::newRow("[allgemein] zweimal")
        << kopf + aufgabe("7", "A") + kopf << QList<qint32>{7} << QStringLiteral("A") << 1;
}

void TestPlandatei::doppelteAbschnitte()
{
    QFETCH(QByteArray, datei);
    QFETCH(QList<qint32>, nummern);
    QFETCH(QString, titel);
    QFETCH(int, gekuerzt);
    Aufgabenliste aufgaben;
    Situation s;
    Ladebericht bericht;
    QVERIFY(PlanLaden(TBigIniFile::ausBytes(datei), aufgaben, s, &bericht));
    QCOMPARE(nummernVon(aufgaben), nummern);
    QStringList gelesen;
    for (const taufgabe& a : aufgaben)
        gelesen.append(a.Kurzbezeichnung);
    QCOMPARE(gelesen.join(QLatin1Char(',')), titel);
    QCOMPARE(bericht.gekuerzt, gekuerzt);
}

// A plan in UTF-16 or UTF-32 is refused with the encoding named, not as "no plan".
void TestPlandatei::fremdeKodierung_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QString>("kodierung");
    const QString text = QChar(0xFEFF) + QStringLiteral("[allgemein]\r\nBundeslandA=3\r\n");
    auto utf16 = [&](QSysInfo::Endian reihenfolge) {
        QByteArray b;
        for (const QChar c : text) {
            const char hoch = char(c.unicode() >> 8);
            const char tief = char(c.unicode() & 0xFF);
            b.append(reihenfolge == QSysInfo::BigEndian ? hoch : tief);
            b.append(reihenfolge == QSysInfo::BigEndian ? tief : hoch);
        }
        return b;
    };
    auto utf32 = [&](QSysInfo::Endian reihenfolge) {
        QByteArray b;
        for (const QChar c : text) {
            QByteArray z(2, '\0');
            z.append(char(c.unicode() >> 8));
            z.append(char(c.unicode() & 0xFF));
            if (reihenfolge == QSysInfo::LittleEndian)
                std::reverse(z.begin(), z.end());
            b += z;
        }
        return b;
    };
    QTest::newRow("UTF-16LE") << utf16(QSysInfo::LittleEndian) << QStringLiteral("UTF-16");
    QTest::newRow("UTF-16BE") << utf16(QSysInfo::BigEndian) << QStringLiteral("UTF-16");
    QTest::newRow("UTF-32LE") << utf32(QSysInfo::LittleEndian) << QStringLiteral("UTF-32");
    QTest::newRow("UTF-32BE") << utf32(QSysInfo::BigEndian) << QStringLiteral("UTF-32");
}

void TestPlandatei::fremdeKodierung()
{
    QFETCH(QByteArray, datei);
    QFETCH(QString, kodierung);
    const QString p = pfad(QStringLiteral("kodierung.kvr"));
    QVERIFY(DateiSchreiben(p, datei));
    Aufgabenliste aufgaben;
    Situation s;
    Ladebericht bericht;
    QVERIFY(!PlanLaden(p, aufgaben, s, &bericht));
    QCOMPARE(bericht.grund, QStringLiteral("Die Datei „%1“ ist in %2 gespeichert. Diese Kodierung "
                                           "wird nicht unterstützt; gelesen werden Windows-1252 "
                                           "und UTF-8.")
                                .arg(p, kodierung));
    QVERIFY(!PlanLaden(TBigIniFile::ausBytes(datei), aufgaben, s, &bericht));
    QCOMPARE(bericht.grund, QStringLiteral("Die Daten sind in %1 gespeichert. Diese Kodierung "
                                           "wird nicht unterstützt; gelesen werden Windows-1252 "
                                           "und UTF-8.")
                                .arg(kodierung));
}

void TestPlandatei::situationVorgaben()
{
    Aufgabenliste aufgaben;
    Situation s = beispielSituation();
    QVERIFY(PlanLaden(TBigIniFile::ausBytes("[allgemein]\r\nSpedition=ja\r\nKinder=0x1\r\n"),
                      aufgaben, s));
    QCOMPARE(s.BundeslandA, -1);
    QCOMPARE(s.BundeslandB, -1);
    QCOMPARE(s.Auszugsrenovierung, true);
    QCOMPARE(s.Einzugsrenovierung, true);
    QCOMPARE(s.Spedition, false);
    QCOMPARE(s.Kinder, true);
    QCOMPARE(s.Einzugdatum, QStringLiteral("01.01.2000"));
    QCOMPARE(s.Auszugdatum, QStringLiteral("01.01.2000"));

    QVERIFY(!PlanLaden(pfad(QStringLiteral("fehlt.kvr")), aufgaben, s));
    QVERIFY(!PlanLaden(m_ordner.path(), aufgaben, s));
    QVERIFY(aufgaben.empty());
}

void TestPlandatei::feindlichePlaene_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<bool>("erfolg");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<int>("gekuerzt"); // values cut to Plangrenzen

    for (const FeindlicherPlan& f : FeindlichePlaene())
        QTest::newRow(f.name) << f.inhalt << f.erfolg << f.aufgaben << f.gekuerzt;
}

void TestPlandatei::feindlichePlaene()
{
    QFETCH(QByteArray, datei);
    QFETCH(bool, erfolg);
    QFETCH(int, anzahl);
    QFETCH(int, gekuerzt);
    const QString p = pfad(QStringLiteral("feindlich.kvr"));
    QVERIFY(DateiSchreiben(p, datei));
    Aufgabenliste aufgaben;
    Situation s;
    Ladebericht bericht;
    QCOMPARE(PlanLaden(p, aufgaben, s, &bericht), erfolg);
    QCOMPARE(int(aufgaben.size()), anzahl);
    QCOMPARE(bericht.gekuerzt, gekuerzt);
    // No value beyond the limits reaches the program.
    for (const taufgabe& a : aufgaben) {
        QVERIFY(a.Kurzbezeichnung.size() <= Plangrenzen::Titel);
        QVERIFY(ZeilenZuText(a.Beschreibung).size() <= Plangrenzen::Text + 1);
        QVERIFY(ZeilenZuText(a.Notiz).size() <= Plangrenzen::Text + 1);
        QVERIFY(a.vorher.size() <= Plangrenzen::Vorher);
    }
    QVERIFY(s.Einzugdatum.size() <= Plangrenzen::Titel &&
            s.Auszugdatum.size() <= Plangrenzen::Titel);
    // What was loaded can be saved again, or is refused as too big before anything is written.
    QString fehler;
    const QString wieder = pfad(QStringLiteral("wieder.kvr"));
    QFile::remove(wieder);
    if (!PlanSchreiben(wieder, aufgaben, s, 0, 35, &fehler)) {
        QVERIFY2(fehler.startsWith(QStringLiteral("Der Plan ist zu groß")), qPrintable(fehler));
        QVERIFY(!QFile::exists(wieder));
    }
}

void TestPlandatei::ueberschreibenErsetztGanz()
{
    const QString datei = pfad(QStringLiteral("alt.kvr"));
    QVERIFY(DateiSchreiben(datei, "[99]\r\nKurzbezeichnung=Alt\r\n\r\n[allgemein]\r\nfremd=1\r\n"));
    QVERIFY(PlanSchreiben(datei, beispielAufgaben(), beispielSituation(), 0, 35));
    Aufgabenliste aufgaben;
    Situation s;
    QVERIFY(PlanLaden(datei, aufgaben, s));
    QCOMPARE(nummernVon(aufgaben), (QList<qint32>{21, 10001}));
    QVERIFY(!DateiLesen(datei).contains("fremd"));
}

void TestPlandatei::speichernScheitert_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<bool>("platteVoll");
    QTest::newRow("Ordner ist eine Datei") << QStringLiteral("DATEI/plan.kvr") << false;
    QTest::newRow("Ordner nicht beschreibbar") << QStringLiteral("/proc/version") << false;
    QTest::newRow("Platte voll") << QStringLiteral("ORDNER/plan.kvr") << true;
}

// The old plan file stays byte for byte, no temporary file is left, and lastsaved still names
// the file saved before.
void TestPlandatei::speichernScheitert()
{
    QFETCH(QString, ziel);
    QFETCH(bool, platteVoll);
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("eine-datei"));
    QVERIFY(DateiSchreiben(datei, "x"));
    ziel.replace(QStringLiteral("DATEI"), datei);
    ziel.replace(QStringLiteral("ORDNER"), ordner.path());

    const QByteArray alterPlan(
        "[allgemein]\r\nBundeslandA=3\r\n\r\n[21]\r\nKurzbezeichnung=Alt\r\n\r\n");
    if (platteVoll)
        QVERIFY(DateiSchreiben(ziel, alterPlan));
    const QByteArray planVorher = DateiLesen(ziel);
    const QString einstellungen = ordner.filePath(QStringLiteral("kistenlotse.ini"));
    const QByteArray einstellungenVorher("[files]\r\nlastsaved=/home/a/vorher.kvr\r\n\r\n");
    QVERIFY(DateiSchreiben(einstellungen, einstellungenVorher));
    const QStringList dateienVorher = Dateinamen(ordner.path());

    Plan plan;
    plan.KatalogLaden(false);
    plan.AufgabenTerminieren(tagVon(2001, 3, 15));
    QString fehler;
    QString einstellungsFehler = QStringLiteral("unberührt");
    bool ok = true;
    {
        std::optional<Dateigroessengrenze> grenze;
        if (platteVoll)
            grenze.emplace(alterPlan.size() + einstellungenVorher.size() + 100);
        ok = PlanDateiSpeichern(ziel, einstellungen, plan.Aufgaben(), beispielSituation(), 0, 35,
                                &fehler, &einstellungsFehler);
    }
    QVERIFY(!ok);
    QVERIFY(!fehler.isEmpty());
    QCOMPARE(einstellungsFehler, QStringLiteral("unberührt"));
    QCOMPARE(DateiLesen(ziel), planVorher);
    QCOMPARE(DateiLesen(einstellungen), einstellungenVorher);
    QCOMPARE(Dateinamen(ordner.path()), dateienVorher);
}

void TestPlandatei::lastsavedNurNachErfolg()
{
    QTemporaryDir ordner;
    const QString einstellungen = ordner.filePath(QStringLiteral("kistenlotse.ini"));
    QVERIFY(DateiSchreiben(einstellungen, "[allgemein]\r\nfensteroben=5\r\n\r\n"));
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    QString fehler = QStringLiteral("alt");
    QString einstellungsFehler = QStringLiteral("alt");
    QVERIFY(PlanDateiSpeichern(plan, einstellungen, beispielAufgaben(), beispielSituation(), 0, 35,
                               &fehler, &einstellungsFehler));
    QVERIFY(fehler.isEmpty());
    QVERIFY(einstellungsFehler.isEmpty());
    const Einstellungen e = EinstellungenLesen(einstellungen);
    QCOMPARE(e.zuletztGespeichert, plan);
    QCOMPARE(e.fensteroben, 5);

    // The plan is saved even when the settings file cannot be written; the caller learns why.
    const QString kaputt = plan + QStringLiteral("/kistenlotse.ini");
    QVERIFY(PlanDateiSpeichern(plan, kaputt, beispielAufgaben(), beispielSituation(), 0, 35,
                               &fehler, &einstellungsFehler));
    QVERIFY(fehler.isEmpty());
    QVERIFY(!einstellungsFehler.isEmpty());
}

void TestPlandatei::einstellungenFehlen()
{
    const Einstellungen e = EinstellungenLesen(pfad(QStringLiteral("keine.ini")));
    QCOMPARE(e.fensteroben, -1);
    QCOMPARE(e.fensterlinks, -1);
    QCOMPARE(e.fensterbreite, -1);
    QCOMPARE(e.fensterhoehe, -1);
    QCOMPARE(e.zuletztGespeichert, QString());

    QVERIFY(DateiSchreiben(
        pfad(QStringLiteral("kaputt.ini")),
        "[allgemein]\r\nfensteroben=oben\r\nfensterbreite=0x400\r\n[files]\r\nlastsaved= \r\n"));
    const Einstellungen k = EinstellungenLesen(pfad(QStringLiteral("kaputt.ini")));
    QCOMPARE(k.fensteroben, -1);
    QCOMPARE(k.fensterbreite, 1024);
    QCOMPARE(k.zuletztGespeichert, QStringLiteral(" "));
}

void TestPlandatei::fensterBehaeltAndere()
{
    const QString datei = pfad(QStringLiteral("fenster.ini"));
    QVERIFY(DateiSchreiben(
        datei, "[files]\r\nlastsaved=C:\\Umz\xfcge\\plan.kvr\r\n\r\n[fremd]\r\nx=1\r\n"));
    QString fehler;
    QVERIFY2(FensterSchreiben(datei, QRect(10, 20, 800, 600), &fehler), qPrintable(fehler));
    QCOMPARE(DateiLesen(datei), QByteArray("[files]\r\nlastsaved=C:\\Umz\xfcge\\plan.kvr\r\n\r\n"
                                           "[fremd]\r\nx=1\r\n\r\n"
                                           "[allgemein]\r\nfensteroben=20\r\nfensterlinks=10\r\n"
                                           "fensterbreite=800\r\nfensterhoehe=600\r\n\r\n"));
    // A maximised window reports bounds above the screen; the values are replaced in place.
    QVERIFY(FensterSchreiben(datei, QRect(-8, -8, 1936, 1056), &fehler));
    const Einstellungen e = EinstellungenLesen(datei);
    QCOMPARE(e.fensteroben, -8);
    QCOMPARE(e.fensterlinks, -8);
    QCOMPARE(e.fensterbreite, 1936);
    QCOMPARE(e.fensterhoehe, 1056);
    QCOMPARE(e.zuletztGespeichert, QStringLiteral("C:\\Umzüge\\plan.kvr"));
    QVERIFY(DateiLesen(datei).startsWith(
        "[files]\r\nlastsaved=C:\\Umz\xfcge\\plan.kvr\r\n\r\n[fremd]\r\nx=1\r\n\r\n"
        "[allgemein]\r\nfensteroben=-8\r\n"));
}

void TestPlandatei::lastsavedBehaeltAndere()
{
    const QString datei = pfad(QStringLiteral("zuletzt.ini"));
    QVERIFY(DateiSchreiben(
        datei, "[allgemein]\r\nfensteroben=1\r\nfensterlinks=2\r\nfensterbreite=3\r\n"
               "fensterhoehe=4\r\n\r\n[files]\r\nlastsaved=alt.kvr\r\nanderes=bleibt\r\n\r\n"));
    QVERIFY(LastsavedSchreiben(datei, QStringLiteral("/home/a/neu.kvr")));
    QCOMPARE(DateiLesen(datei),
             QByteArray("[allgemein]\r\nfensteroben=1\r\nfensterlinks=2\r\nfensterbreite=3\r\n"
                        "fensterhoehe=4\r\n\r\n[files]\r\nlastsaved=/home/a/neu.kvr\r\n"
                        "anderes=bleibt\r\n\r\n"));
}

void TestPlandatei::lastsavedAusserhalbWindows1252()
{
    const QString datei = pfad(QStringLiteral("utf8.ini"));
    const QString plan = QStringLiteral("/home/łukasz/Umzug 📦.kvr");
    QVERIFY(LastsavedSchreiben(datei, plan));
    QVERIFY(DateiLesen(datei).startsWith("\xEF\xBB\xBF[files]\r\n"));
    QVERIFY(FensterSchreiben(datei, QRect(1, 2, 3, 4)));
    const Einstellungen e = EinstellungenLesen(datei);
    QCOMPARE(e.zuletztGespeichert, plan);
    QCOMPARE(e.fensterhoehe, 4);
}

void TestPlandatei::lastsavedMitZeilenumbruch()
{
    const QString datei = pfad(QStringLiteral("umbruch.ini"));
    const QByteArray vorher("[files]\r\nlastsaved=a.kvr\r\n\r\n");
    QVERIFY(DateiSchreiben(datei, vorher));
    QString fehler;
    QVERIFY(!LastsavedSchreiben(datei, QStringLiteral("/tmp/a\nb.kvr"), &fehler));
    QVERIFY(!fehler.isEmpty());
    QCOMPARE(DateiLesen(datei), vorher);
}

// A settings file the store could not read is never replaced by the few keys it writes.
void TestPlandatei::einstellungenUnlesbar()
{
    const QString datei = pfad(QStringLiteral("riesig.ini"));
    QVERIFY(DateiSchreiben(datei, QByteArray(TBigIniFile::GroessteDatei + 10, ';')));
    QString fehler;
    QVERIFY(!LastsavedSchreiben(datei, QStringLiteral("a.kvr"), &fehler));
    QVERIFY(!fehler.isEmpty());
    QVERIFY(!FensterSchreiben(datei, QRect(1, 2, 3, 4), &fehler));
    QCOMPARE(QFileInfo(datei).size(), TBigIniFile::GroessteDatei + 10);
    QCOMPARE(EinstellungenLesen(datei).fensteroben, -1);
}

// The calendar sync's keys: in "allgemein" the calendar and the tasks deleted in the plan but
// not yet on the server, each task's entry in its section; none at all for an empty state.
void TestPlandatei::abgleichstand_data()
{
    QTest::addColumn<CalDavStand>("stand");
    QTest::addColumn<QByteArrayList>("zeilen"); // in the file, in this order
    QTest::addColumn<QByteArrayList>("nicht");  // nowhere in the file

    QTest::newRow("leer") << CalDavStand{} << QByteArrayList{}
                          << QByteArrayList{"CalDav", "caldav"};
    CalDavStand voll;
    voll.KalenderUrl = QStringLiteral("https://dav.example.org/cal/anna/umzug/");
    voll.SyncToken = QStringLiteral("http://radicale.org/ns/sync/8f3a");
    voll.Eintraege[21] = {QStringLiteral("\"e21\""), QByteArray(64, 'a')};
    voll.Eintraege[10001] = {QString(), QByteArray("0f1e")};
    voll.Eintraege[5] = {QStringLiteral("W/\"x,|y\""), QByteArray()};
    QTest::newRow("voll")
        << voll
        << QByteArrayList{"[allgemein]\r\n",
                          "Auszugdatum=31.03.2001\r\n"
                          "CalDavUrl=https://dav.example.org/cal/anna/umzug/\r\n"
                          "CalDavSyncToken=http://radicale.org/ns/sync/8f3a\r\n"
                          "CalDavGeloescht.5=W/\"x,|y\"\r\n\r\n[21]\r\n",
                          "Benutzeraufgabe=0\r\nCalDavEtag=\"e21\"\r\nCalDavHash=" +
                              QByteArray(64, 'a') + "\r\n\r\n[10001]\r\n",
                          "Benutzeraufgabe=1\r\nCalDavEtag=\r\nCalDavHash=0f1e\r\n\r\n"}
        << QByteArrayList{};
    CalDavStand nurKalender;
    nurKalender.KalenderUrl = QStringLiteral("http://127.0.0.1:5232/anna/umzug/");
    QTest::newRow("nur der Kalender")
        << nurKalender
        << QByteArrayList{"Auszugdatum=31.03.2001\r\n"
                          "CalDavUrl=http://127.0.0.1:5232/anna/umzug/\r\n\r\n[21]\r\n"}
        << QByteArrayList{"CalDavSyncToken", "CalDavEtag", "CalDavGeloescht"};
}

void TestPlandatei::abgleichstand()
{
    QFETCH(CalDavStand, stand);
    QFETCH(QByteArrayList, zeilen);
    QFETCH(QByteArrayList, nicht);
    const QString datei = pfad(QStringLiteral("abgleich.kvr"));
    const QString ohne = pfad(QStringLiteral("ohne.kvr"));
    QString fehler;
    QVERIFY2(PlanSchreiben(datei, beispielAufgaben(), beispielSituation(), tagVon(2001, 2, 26), 42,
                           &fehler, nullptr, &stand),
             qPrintable(fehler));
    QVERIFY(PlanSchreiben(ohne, beispielAufgaben(), beispielSituation(), tagVon(2001, 2, 26), 42));
    const QByteArray bytes = DateiLesen(datei);
    qsizetype ab = 0;
    for (const QByteArray& zeile : zeilen) {
        const qsizetype i = bytes.indexOf(zeile, ab);
        QVERIFY2(i >= 0, zeile.constData());
        ab = i + zeile.size();
    }
    for (const QByteArray& wort : nicht)
        QVERIFY2(!bytes.contains(wort), wort.constData());
    if (stand.Leer())
        QCOMPARE(bytes, DateiLesen(ohne));

    Aufgabenliste aufgaben;
    Situation situation;
    CalDavStand gelesen;
    gelesen.SyncToken = QStringLiteral("vom letzten Plan");
    Ladebericht bericht;
    QVERIFY(PlanLaden(datei, aufgaben, situation, &bericht, &gelesen));
    QCOMPARE(gelesen, stand);
    QCOMPARE(aufgaben.size(), size_t(2));
    QCOMPARE(bericht.gekuerzt, 0);
    QVERIFY(bericht.hinweis.isEmpty());

    // Saved again unchanged, the file is the same byte for byte.
    const QString wieder = pfad(QStringLiteral("wieder.kvr"));
    QVERIFY(PlanSchreiben(wieder, aufgaben, situation, tagVon(2001, 2, 26), 42, nullptr, nullptr,
                          &gelesen));
    QCOMPARE(DateiLesen(wieder), bytes);
}

// A reader that knows nothing of the sync (the program before it, or a caller that does not
// ask) reads the same plan from a synchronised file as from the plain one, without a word of
// damage; the entry of a task not loaded (no day) is not kept either.
void TestPlandatei::abgleichstandAlterLeser()
{
    CalDavStand stand;
    stand.KalenderUrl = QStringLiteral("https://dav.example.org/cal/");
    stand.Eintraege[21] = {QStringLiteral("\"1\""), "ab"};
    stand.Eintraege[10001] = {QStringLiteral("\"2\""), "cd"};
    stand.Eintraege[77] = {QStringLiteral("\"3\""), {}};
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(PlanEintragen(ini, beispielAufgaben(), beispielSituation(), 0, 35, &stand));
    TBigIniFile schlicht = TBigIniFile::ausBytes({});
    QVERIFY(PlanEintragen(schlicht, beispielAufgaben(), beispielSituation(), 0, 35));

    Aufgabenliste mit, ohne;
    Situation sMit, sOhne;
    Ladebericht bMit, bOhne;
    QVERIFY(PlanLaden(TBigIniFile::ausBytes(ini.Inhalt()), mit, sMit, &bMit));
    QVERIFY(PlanLaden(TBigIniFile::ausBytes(schlicht.Inhalt()), ohne, sOhne, &bOhne));
    QCOMPARE(mit, ohne);
    QCOMPARE(sMit, sOhne);
    QCOMPARE(bMit.gekuerzt, 0);
    QVERIFY(bMit.ergaenzt.isEmpty());
    QVERIFY(bMit.hinweis.isEmpty());

    // Task 10001 loses its day: its entry goes with it, the deleted task's stays.
    QByteArray bytes = ini.Inhalt();
    bytes.replace("Tag=12.03.2001\r\n", "");
    Aufgabenliste aufgaben;
    Situation situation;
    CalDavStand gelesen;
    Ladebericht bericht;
    QVERIFY(PlanLaden(TBigIniFile::ausBytes(bytes), aufgaben, situation, &bericht, &gelesen));
    QCOMPARE(bericht.ohneTag, QStringList{QStringLiteral("10001 „Klavier stimmen“")});
    QCOMPARE(gelesen.Eintraege.size(), size_t(2));
    QCOMPARE(gelesen.Eintraege.at(21).Etag, QStringLiteral("\"1\""));
    QCOMPARE(gelesen.Eintraege.at(77).Etag, QStringLiteral("\"3\""));
}

QTEST_GUILESS_MAIN(TestPlandatei)
#include "tst_plandatei.moc"
