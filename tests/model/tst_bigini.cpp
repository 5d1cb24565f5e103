#include "dateihilfe.h"
#include "model/bigini.h"
#include "model/cp1252.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestBigIni final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void zahl_data();
    void zahl();
    void wahrheitswert_data();
    void wahrheitswert();
    void bereinigt_data();
    void bereinigt();
    void abschnitte();
    void schreibenNeu();
    void schreibenErsetzt_data();
    void schreibenErsetzt();
    void schreibenAbgelehnt_data();
    void schreibenAbgelehnt();
    void vieleSchluessel();
    void kodierungLesen_data();
    void kodierungLesen();
    void kodierungSchreiben_data();
    void kodierungSchreiben();
    void alleBytesUnveraendert();
    void feindlich_data();
    void feindlich();
    void millionAbschnitte();
    void riesigeDatei();
    void fehlendeUndOrdner();
    void speichernErsetztAtomar();
    void speichernScheitertOrdnerNichtBeschreibbar_data();
    void speichernScheitertOrdnerNichtBeschreibbar();
    void speichernScheitertPlattenVoll();
    void unveraendertSchreibtNicht();
    void keineGewoehnlicheDatei_data();
    void keineGewoehnlicheDatei();

private:
    QTemporaryDir m_ordner;
};

void TestBigIni::text_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QString>("abschnitt");
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("erwartet");

    const QString v = QStringLiteral("VORGABE");
    QTest::newRow("einfach") << QByteArray("[a]\r\nk=x\r\n") << "a"
                             << "k"
                             << "x";
    QTest::newRow("Wert ungetrimmt") << QByteArray("[a]\r\nk= x \r\n") << "a"
                                     << "k"
                                     << " x ";
    QTest::newRow("Schlüssel ungetrimmt") << QByteArray("[a]\r\n k=x\r\n") << "a"
                                          << "k" << v;
    QTest::newRow("Schlüssel mit Blank gefunden") << QByteArray("[a]\r\n k=x\r\n") << "a"
                                                  << " k"
                                                  << "x";
    QTest::newRow("Abschnitt ungetrimmt") << QByteArray("[ a ]\r\nk=x\r\n") << "a"
                                          << "k" << v;
    QTest::newRow("Abschnitt mit Blanks") << QByteArray("[ a ]\r\nk=x\r\n") << " a "
                                          << "k"
                                          << "x";
    QTest::newRow("Groß/klein Abschnitt und Schlüssel")
        << QByteArray("[AllGemein]\r\nBundesLandA=3\r\n") << "allgemein"
        << "bundeslanda"
        << "3";
    QTest::newRow("Umlaut ohne Fall") << QByteArray("[\xc4rger]\r\n\xdc=1\r\n") << "ärger"
                                      << "ü"
                                      << "1";
    QTest::newRow("alles nach dem ersten =") << QByteArray("[21]\r\nNotiz=a=b\r\n") << "21"
                                             << "Notiz"
                                             << "a=b";
    QTest::newRow("Anführungszeichen bleiben") << QByteArray("[a]\r\nk=\"x\"\r\n") << "a"
                                               << "k"
                                               << "\"x\"";
    QTest::newRow("leerer Wert ist kein fehlender") << QByteArray("[a]\r\nk=\r\n") << "a"
                                                    << "k"
                                                    << "";
    QTest::newRow("erste Zeile gewinnt") << QByteArray("[a]\r\nk=1\r\nK=2\r\n") << "a"
                                         << "k"
                                         << "1";
    QTest::newRow("erster gleichnamiger Abschnitt")
        << QByteArray("[21]\r\nk=erster\r\n[21]\r\nk=zweiter\r\nz=2\r\n") << "21"
        << "k"
        << "erster";
    QTest::newRow("zweiter Abschnitt ganz verworfen")
        << QByteArray("[21]\r\nk=erster\r\n[21]\r\nz=2\r\n") << "21"
        << "z" << v;
    QTest::newRow("Duplikat in anderer Schreibung")
        << QByteArray("[abc]\r\nk=a\r\n[ABC]\r\nk=b\r\n") << "Abc"
        << "k"
        << "a";
    QTest::newRow("Zeilen vor dem ersten Abschnitt") << QByteArray("k=x\r\n[a]\r\n") << "a"
                                                     << "k" << v;
    QTest::newRow("Semikolon nicht besonders") << QByteArray("[a]\r\n;k=x\r\n") << "a"
                                               << ";k"
                                               << "x";
    QTest::newRow("Zeile ohne = passt nicht") << QByteArray("[a]\r\nk\r\nk=x\r\n") << "a"
                                              << "k"
                                              << "x";
    QTest::newRow("Präfix passt nicht") << QByteArray("[a]\r\nkey=x\r\n") << "a"
                                        << "k" << v;
    QTest::newRow("Schlüssel mit = findet nichts") << QByteArray("[a]\r\nk=b=c\r\n") << "a"
                                                   << "k=b" << v;
    QTest::newRow("leerer Schlüssel") << QByteArray("[a]\r\n=x\r\n") << "a"
                                      << ""
                                      << "x";
    QTest::newRow("Dateiende-Zeichen im Wert") << QByteArray("[a]\r\nk=\x1a\r\n") << "a"
                                               << "k"
                                               << "\x1a";
    QTest::newRow("Dateiende-Zeile übersprungen") << QByteArray("[a]\r\n\x1a\r\nk=x\r\n\x1a") << "a"
                                                  << "k"
                                                  << "x";
    QTest::newRow("nur LF") << QByteArray("[a]\nk=x\nz=y\n") << "a"
                            << "z"
                            << "y";
    QTest::newRow("nur CR") << QByteArray("[a]\rk=x\rz=y") << "a"
                            << "z"
                            << "y";
    QTest::newRow("ohne letztes Zeilenende") << QByteArray("[a]\r\nk=x") << "a"
                                             << "k"
                                             << "x";
    QTest::newRow("Klammer nicht am Ende") << QByteArray("[a]\r\n[b] \r\nk=x\r\n") << "a"
                                           << "k"
                                           << "x";
    QTest::newRow("leerer Abschnittsname") << QByteArray("[]\r\nk=x\r\n") << ""
                                           << "k"
                                           << "x";
    QTest::newRow("Klammern im Namen") << QByteArray("[[x]]\r\nk=y\r\n") << "[x]"
                                       << "k"
                                       << "y";
    QTest::newRow("fehlender Abschnitt") << QByteArray("[a]\r\nk=x\r\n") << "b"
                                         << "k" << v;
    QTest::newRow("leere Datei") << QByteArray() << "a"
                                 << "k" << v;
}

void TestBigIni::text()
{
    QFETCH(QByteArray, datei);
    QFETCH(QString, abschnitt);
    QFETCH(QString, schluessel);
    QFETCH(QString, erwartet);
    const TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QCOMPARE(ini.ReadString(abschnitt, schluessel, QStringLiteral("VORGABE")), erwartet);
}

void TestBigIni::zahl_data()
{
    QTest::addColumn<QString>("wert");
    QTest::addColumn<qint32>("erwartet");
    const qint32 v = 4711;
    QTest::newRow("dezimal") << "17" << 17;
    QTest::newRow("negativ") << "-5" << -5;
    QTest::newRow("plus") << "+7" << 7;
    QTest::newRow("führende Nullen") << "00017" << 17;
    QTest::newRow("hex klein") << "0x11" << 17;
    QTest::newRow("hex groß") << "0X1f" << 31;
    QTest::newRow("hex negativ") << "-0x10" << -16;
    QTest::newRow("hex 32 Bit voll") << "0xFFFFFFFF" << -1;
    QTest::newRow("größte") << "2147483647" << 2147483647;
    QTest::newRow("kleinste") << "-2147483648" << qint32(-2147483647 - 1);
    QTest::newRow("eins zu groß") << "2147483648" << v;
    QTest::newRow("eins zu klein") << "-2147483649" << v;
    QTest::newRow("64 Bit") << "9223372036854775807" << v;
    QTest::newRow("sehr lang") << QString(1000, QLatin1Char('9')) << v;
    QTest::newRow("viele Nullen") << QString(100000, QLatin1Char('0')) + QStringLiteral("5") << 5;
    QTest::newRow("hex zu groß") << "0x100000000" << v;
    QTest::newRow("hex ohne Ziffern") << "0x" << v;
    QTest::newRow("hex falsche Ziffer") << "0x1g" << v;
    QTest::newRow("Blank davor") << " 5" << v;
    QTest::newRow("Blank danach") << "5 " << v;
    QTest::newRow("Wort") << "ja" << v;
    QTest::newRow("leer") << "" << v;
    QTest::newRow("nur Vorzeichen") << "-" << v;
    QTest::newRow("Komma") << "1,5" << v;
    QTest::newRow("Punkt") << "1.5" << v;
    QTest::newRow("Dollar-Hex") << "$10" << v;
    QTest::newRow("arabische Ziffer") << QStringLiteral("\u0661") << v;
}

void TestBigIni::zahl()
{
    QFETCH(QString, wert);
    QFETCH(qint32, erwartet);
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(ini.WriteString(u"a", u"k", wert));
    QCOMPARE(ini.ReadInteger(u"a", u"k", 4711), erwartet);
    QCOMPARE(ini.ReadInteger(u"a", u"fehlt", 4711), 4711);
}

void TestBigIni::wahrheitswert_data()
{
    QTest::addColumn<QString>("wert");
    QTest::addColumn<bool>("vorgabe");
    QTest::addColumn<bool>("erwartet");
    QTest::newRow("1") << "1" << false << true;
    QTest::newRow("0") << "0" << true << false;
    QTest::newRow("2 ist wahr") << "2" << false << true;
    QTest::newRow("-1 ist wahr") << "-1" << false << true;
    QTest::newRow("0x0") << "0x0" << true << false;
    QTest::newRow("ja, Vorgabe wahr") << "ja" << true << true;
    QTest::newRow("ja, Vorgabe falsch") << "ja" << false << false;
    QTest::newRow("true ist keine Zahl") << "true" << false << false;
    QTest::newRow("leer, Vorgabe wahr") << "" << true << true;
}

void TestBigIni::wahrheitswert()
{
    QFETCH(QString, wert);
    QFETCH(bool, vorgabe);
    QFETCH(bool, erwartet);
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(ini.WriteString(u"a", u"k", wert));
    QCOMPARE(ini.ReadBool(u"a", u"k", vorgabe), erwartet);
}

// What the store writes back after reading a file, and whether it counts as changed.
void TestBigIni::bereinigt_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<bool>("geaendert");
    QTest::newRow("wie geschrieben") << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\nz=2\r\n\r\n")
                                     << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\nz=2\r\n\r\n") << false;
    QTest::newRow("Leerzeilen und LF")
        << QByteArray("\n\n[a]\nk=1\n\n\n[b]\nz=2")
        << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\nz=2\r\n\r\n") << false;
    QTest::newRow("Duplikat fällt weg")
        << QByteArray("[a]\r\nk=1\r\n[A]\r\nk=2\r\n[b]\r\nz=3\r\n")
        << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\nz=3\r\n\r\n") << true;
    QTest::newRow("leerer Abschnitt nicht geschrieben")
        << QByteArray("[leer]\r\n[a]\r\nk=1\r\n") << QByteArray("[a]\r\nk=1\r\n\r\n") << false;
    QTest::newRow("Vorspann fällt weg") << QByteArray("; Kopf\r\nx=y\r\n[a]\r\nk=1\r\n")
                                        << QByteArray("[a]\r\nk=1\r\n\r\n") << false;
    QTest::newRow("Dateiende-Zeichen")
        << QByteArray("[a]\r\nk=1\r\n\x1a") << QByteArray("[a]\r\nk=1\r\n\r\n") << false;
    QTest::newRow("Zeilen mit Blanks bleiben")
        << QByteArray("[a]\r\n  \r\n\t\r\n") << QByteArray("[a]\r\n  \r\n\t\r\n\r\n") << false;
}

void TestBigIni::bereinigt()
{
    QFETCH(QByteArray, datei);
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, geaendert);
    const TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QCOMPARE(ini.Inhalt(), inhalt);
    QCOMPARE(ini.Geaendert(), geaendert);
}

void TestBigIni::abschnitte()
{
    TBigIniFile ini = TBigIniFile::ausBytes("[b]\r\n[a]\r\nk=1\r\n[B]\r\n[21]\r\nx=1\r\n");
    QCOMPARE(ini.ReadSections(),
             (QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("21")}));
    QVERIFY(ini.WriteString(u"neu", u"k", u"v"));
    QVERIFY(ini.WriteString(u"A", u"z", u"w"));
    QCOMPARE(ini.ReadSections(), (QStringList{QStringLiteral("b"), QStringLiteral("a"),
                                              QStringLiteral("21"), QStringLiteral("neu")}));
    QCOMPARE(ini.AnzahlAbschnitte(), 4);
    QCOMPARE(ini.AbschnittName(3), QStringLiteral("neu"));
    QCOMPARE(ini.AbschnittName(4), QString());
    QVERIFY(ini.SectionExists(u"NEU"));
    QVERIFY(!ini.SectionExists(u"c"));
    // The empty section b stays listed but is not written.
    QCOMPARE(ini.Inhalt(),
             QByteArray("[a]\r\nk=1\r\nz=w\r\n\r\n[21]\r\nx=1\r\n\r\n[neu]\r\nk=v\r\n\r\n"));
}

void TestBigIni::schreibenNeu()
{
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(!ini.Geaendert());
    QVERIFY(ini.WriteInteger(u"allgemein", u"BundeslandA", 3));
    QVERIFY(ini.WriteInteger(u"allgemein", u"firstday", -12));
    QVERIFY(ini.WriteString(u"21", u"Kurzbezeichnung", u"Möbel"));
    QVERIFY(ini.WriteBool(u"allgemein", u"Spedition", true));
    QVERIFY(ini.WriteBool(u"21", u"auchSonntags", false));
    QVERIFY(ini.Geaendert());
    QCOMPARE(ini.Inhalt(),
             QByteArray("[allgemein]\r\nBundeslandA=3\r\nfirstday=-12\r\nSpedition=1\r\n\r\n"
                        "[21]\r\nKurzbezeichnung=M\xf6"
                        "bel\r\nauchSonntags=0\r\n\r\n"));
    QCOMPARE(ini.ReadBool(u"allgemein", u"spedition", false), true);
}

void TestBigIni::schreibenErsetzt_data()
{
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("wert");
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<bool>("geaendert");
    QTest::newRow("an Ort und Stelle")
        << "x"
        << "3" << QByteArray("[a]\r\nx=3\r\ny=2\r\nX=9\r\n\r\n[b]\r\nz=1\r\n\r\n") << true;
    QTest::newRow("gleicher Text")
        << "x"
        << "1" << QByteArray("[a]\r\nx=1\r\ny=2\r\nX=9\r\n\r\n[b]\r\nz=1\r\n\r\n") << false;
    QTest::newRow("andere Schreibung des Schlüssels")
        << "Y"
        << "2" << QByteArray("[a]\r\nx=1\r\nY=2\r\nX=9\r\n\r\n[b]\r\nz=1\r\n\r\n") << true;
    QTest::newRow("Schlüssel mit [ ohne ] am Ende")
        << "[w"
        << "4" << QByteArray("[a]\r\nx=1\r\ny=2\r\nX=9\r\n[w=4\r\n\r\n[b]\r\nz=1\r\n\r\n") << true;
    QTest::newRow("neuer Schlüssel ans Ende des Abschnitts")
        << "w"
        << "4" << QByteArray("[a]\r\nx=1\r\ny=2\r\nX=9\r\nw=4\r\n\r\n[b]\r\nz=1\r\n\r\n") << true;
}

void TestBigIni::schreibenErsetzt()
{
    QFETCH(QString, schluessel);
    QFETCH(QString, wert);
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, geaendert);
    TBigIniFile ini = TBigIniFile::ausBytes("[a]\r\nx=1\r\ny=2\r\nX=9\r\n\r\n[b]\r\nz=1\r\n\r\n");
    QVERIFY(ini.WriteString(u"A", schluessel, wert));
    QCOMPARE(ini.Inhalt(), inhalt);
    QCOMPARE(ini.Geaendert(), geaendert);
    QCOMPARE(ini.ReadString(u"a", schluessel, {}), wert);
}

void TestBigIni::schreibenAbgelehnt_data()
{
    QTest::addColumn<QString>("abschnitt");
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("wert");
    QTest::newRow("LF im Wert") << "a"
                                << "k"
                                << "x\ny";
    QTest::newRow("CR im Wert") << "a"
                                << "k"
                                << "x\ry";
    QTest::newRow("LF im Schlüssel") << "a"
                                     << "k\n"
                                     << "x";
    QTest::newRow("= im Schlüssel") << "a"
                                    << "k=1"
                                    << "x";
    QTest::newRow("Schlüssel wie Abschnittskopf") << "a"
                                                  << "[b"
                                                  << "]";
    QTest::newRow("LF im Abschnitt") << "a\nb"
                                     << "k"
                                     << "x";
    QTest::newRow("= im Schlüssel, neuer Abschnitt") << "neu"
                                                     << "k=1"
                                                     << "x";
    QTest::newRow("LF im Schlüssel, neuer Abschnitt") << "neu"
                                                      << "k\r"
                                                      << "x";
}

void TestBigIni::schreibenAbgelehnt()
{
    QFETCH(QString, abschnitt);
    QFETCH(QString, schluessel);
    QFETCH(QString, wert);
    const QByteArray datei("[a]\r\nk=1\r\n\r\n");
    TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QVERIFY(!ini.WriteString(abschnitt, schluessel, wert));
    QVERIFY(!ini.Geaendert());
    QCOMPARE(ini.Inhalt(), datei);
    QCOMPARE(ini.ReadSections(), QStringList{QStringLiteral("a")});
}

// Large sections are searched through an index; it must give the same answers as the scan.
void TestBigIni::vieleSchluessel()
{
    QByteArray datei("[a]\r\nohne Gleichheitszeichen\r\n");
    for (int i = 0; i < 1000; ++i)
        datei += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
    datei += "K5=zweiter\r\n=leer\r\n";
    TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QCOMPARE(ini.ReadString(u"a", u"k5", {}), QStringLiteral("5"));
    QCOMPARE(ini.ReadString(u"a", u"K999", {}), QStringLiteral("999"));
    QCOMPARE(ini.ReadString(u"a", u"", {}), QStringLiteral("leer"));
    QCOMPARE(ini.ReadString(u"a", u"k1000", QStringLiteral("-")), QStringLiteral("-"));
    QCOMPARE(ini.ReadString(u"a", u"ohne Gleichheitszeichen", QStringLiteral("-")),
             QStringLiteral("-"));
    QVERIFY(ini.WriteString(u"a", u"neu", u"n"));
    QVERIFY(ini.WriteString(u"a", u"k5", u"fünf"));
    QVERIFY(ini.WriteString(u"a", u"NEU", u"N"));
    QCOMPARE(ini.ReadString(u"a", u"neu", {}), QStringLiteral("N"));
    QCOMPARE(ini.ReadString(u"a", u"k5", {}), QStringLiteral("fünf"));
    const TBigIniFile wieder = TBigIniFile::ausBytes(ini.Inhalt());
    QCOMPARE(wieder.ReadString(u"a", u"k5", {}), QStringLiteral("fünf"));
    QCOMPARE(wieder.ReadString(u"a", u"neu", {}), QStringLiteral("N"));
    QVERIFY(wieder.Inhalt().contains("K5=zweiter\r\n=leer\r\nNEU=N\r\n\r\n"));
}

void TestBigIni::kodierungLesen_data()
{
    QTest::addColumn<QByteArray>("wert");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("Umlaute Windows-1252")
        << QByteArray("\xe4\xf6\xfc\xc4\xd6\xdc\xdf") << "äöüÄÖÜß";
    QTest::newRow("Euro und Anführungen") << QByteArray("\x80\x84\x93\x96") << "€„“–";
    QTest::newRow("undefinierte Bytes")
        << QByteArray("\x81\x8d\x8f\x90\x9d") << QStringLiteral("\u0081\u008d\u008f\u0090\u009d");
    QTest::newRow("UTF-8 ohne BOM ist Windows-1252") << QByteArray("\xc3\xa4") << "Ã¤";
}

void TestBigIni::kodierungLesen()
{
    QFETCH(QByteArray, wert);
    QFETCH(QString, erwartet);
    const TBigIniFile ini = TBigIniFile::ausBytes("[a]\r\nk=" + wert + "\r\n");
    QCOMPARE(ini.ReadString(u"a", u"k", {}), erwartet);
}

void TestBigIni::kodierungSchreiben_data()
{
    QTest::addColumn<QString>("wert");
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("Windows-1252") << "Möbel – 5 €"
                                  << QByteArray("[a]\r\nk=M\xf6"
                                                "bel \x96 5 \x80\r\n\r\n");
    QTest::newRow("polnisches l") << "Łódź"
                                  << QByteArray("\xEF\xBB\xBF[a]\r\nk=\xc5\x81\xc3\xb3"
                                                "d\xc5\xba\r\n\r\n");
    QTest::newRow("Emoji") << "📦" << QByteArray("\xEF\xBB\xBF[a]\r\nk=\xf0\x9f\x93\xa6\r\n\r\n");
    QTest::newRow("C1-Steuerzeichen ohne Byte")
        << QStringLiteral("\u0080") << QByteArray("\xEF\xBB\xBF[a]\r\nk=\xc2\x80\r\n\r\n");
}

void TestBigIni::kodierungSchreiben()
{
    QFETCH(QString, wert);
    QFETCH(QByteArray, inhalt);
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(ini.WriteString(u"a", u"k", wert));
    QCOMPARE(ini.Inhalt(), inhalt);
    const TBigIniFile wieder = TBigIniFile::ausBytes(inhalt);
    QCOMPARE(wieder.ReadString(u"a", u"k", {}), wert);
    QCOMPARE(wieder.Inhalt(), inhalt);

    // A UTF-8 file whose text fits Windows-1252 again is written as Windows-1252.
    TBigIniFile utf8 = TBigIniFile::ausBytes("\xEF\xBB\xBF[a]\r\nk=\xc5\x81\r\n");
    QVERIFY(utf8.WriteString(u"a", u"k", u"L"));
    QCOMPARE(utf8.Inhalt(), QByteArray("[a]\r\nk=L\r\n\r\n"));
}

// Every byte but the line ends survives reading and writing unchanged.
void TestBigIni::alleBytesUnveraendert()
{
    QByteArray wert;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            wert.append(static_cast<char>(b));
    }
    const QByteArray datei = "[a]\r\nk=" + wert + "\r\n\r\n";
    const TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QCOMPARE(ini.Inhalt(), datei);
    QCOMPARE(Cp1252::dekodieren(wert).size(), wert.size());
}

void TestBigIni::feindlich_data()
{
    QTest::addColumn<QByteArray>("datei");
    QRandomGenerator zufall(20010217);
    QByteArray junk(1 << 20, Qt::Uninitialized);
    zufall.fillRange(reinterpret_cast<quint32*>(junk.data()), junk.size() / 4);
    QTest::newRow("Zufallsbytes") << junk;
    QTest::newRow("Zufallsbytes mit BOM") << QByteArray("\xEF\xBB\xBF") + junk;
    QTest::newRow("NUL-Bytes") << QByteArray("[a\0]\r\nk\0=\0\r\n", 13);
    QTest::newRow("Megabyte-Zeile") << "[a]\r\nk=" + QByteArray(4 << 20, 'x') + "\r\n";
    QTest::newRow("Megabyte-Abschnittsname") << "[" + QByteArray(2 << 20, 'a') + "]\r\nk=1\r\n";
    QTest::newRow("Megabyte ohne Zeilenende") << QByteArray(4 << 20, '[');
    QTest::newRow("Megabyte Zeilenenden") << QByteArray(4 << 20, '\r');
    QByteArray zeilen("[a]\r\n");
    for (int i = 0; i < 200000; ++i)
        zeilen += "k=" + QByteArray::number(i) + "\n";
    QTest::newRow("viele gleiche Schlüssel") << zeilen;
    QTest::newRow("ungültiges UTF-8")
        << QByteArray("\xEF\xBB\xBF[a]\r\nk=\xff\xfe\xc3\r\n\xed\xa0\x80");
}

void TestBigIni::feindlich()
{
    QFETCH(QByteArray, datei);
    const TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QVERIFY(ini.Lesefehler().isEmpty());
    for (const QString& name : ini.ReadSections()) {
        ini.ReadString(name, u"k", {});
        ini.ReadInteger(name, u"k", 0);
    }
    // Whatever was read is written in a form that reads back to the same store.
    const QByteArray einmal = ini.Inhalt();
    const TBigIniFile wieder = TBigIniFile::ausBytes(einmal);
    QCOMPARE(wieder.Inhalt(), einmal);
    QVERIFY(!wieder.Geaendert());
}

void TestBigIni::millionAbschnitte()
{
    QByteArray datei;
    datei.reserve(12 << 20);
    for (int i = 0; i < 1000000; ++i)
        datei += "[" + QByteArray::number(i) + "]\r\nk=" + QByteArray::number(i % 10) + "\r\n";
    datei += "[5]\r\nk=doppelt\r\n";
    TBigIniFile ini = TBigIniFile::ausBytes(datei);
    QCOMPARE(ini.AnzahlAbschnitte(), 1000000);
    QVERIFY(ini.Geaendert());
    QCOMPARE(ini.ReadString(u"999999", u"k", {}), QStringLiteral("9"));
    QCOMPARE(ini.ReadString(u"5", u"k", {}), QStringLiteral("5"));
    qint64 summe = 0;
    for (int i = 0; i < 1000000; i += 7)
        summe += ini.ReadInteger(QString::number(i), u"k", 100);
    qint64 erwartet = 0;
    for (int i = 0; i < 1000000; i += 7)
        erwartet += i % 10;
    QCOMPARE(summe, erwartet);
}

void TestBigIni::riesigeDatei()
{
    QVERIFY(m_ordner.isValid());
    const QString pfad = m_ordner.filePath(QStringLiteral("riesig.ini"));
    QByteArray inhalt(TBigIniFile::GroessteDatei + 1, 'x');
    inhalt.prepend("[a]\r\nk=");
    QVERIFY(DateiSchreiben(pfad, inhalt));
    TBigIniFile ini(pfad);
    QVERIFY(ini.Lesefehler().contains(QStringLiteral("zu groß")));
    QCOMPARE(ini.AnzahlAbschnitte(), 0);
    // A file the store could not read is never overwritten by what little it holds.
    QVERIFY(ini.WriteString(u"a", u"k", u"1"));
    QString fehler;
    QVERIFY(!ini.Speichern(&fehler));
    QVERIFY(!fehler.isEmpty());
    QCOMPARE(QFileInfo(pfad).size(), inhalt.size());

    const TBigIniFile bytes = TBigIniFile::ausBytes(inhalt);
    QVERIFY(!bytes.Lesefehler().isEmpty());
}

void TestBigIni::fehlendeUndOrdner()
{
    const TBigIniFile fehlt(m_ordner.filePath(QStringLiteral("gibt-es-nicht.ini")));
    QVERIFY(fehlt.Lesefehler().isEmpty());
    QCOMPARE(fehlt.AnzahlAbschnitte(), 0);
    QVERIFY(!fehlt.Geaendert());

    const TBigIniFile ordner(m_ordner.path());
    QVERIFY(!ordner.Lesefehler().isEmpty());
}

void TestBigIni::speichernErsetztAtomar()
{
    const QString pfad = m_ordner.filePath(QStringLiteral("ersetzt.ini"));
    QVERIFY(DateiSchreiben(pfad, "[alt]\r\nk=1\r\n\r\n"));
    TBigIniFile ini = TBigIniFile::Neu(pfad);
    QVERIFY(ini.Geaendert());
    QVERIFY(ini.WriteString(u"neu", u"k", u"2"));
    QString fehler;
    QVERIFY2(ini.Speichern(&fehler), qPrintable(fehler));
    QCOMPARE(DateiLesen(pfad), QByteArray("[neu]\r\nk=2\r\n\r\n"));
    QVERIFY(!ini.Geaendert());

    TBigIniFile weiter(pfad);
    QVERIFY(weiter.WriteString(u"neu", u"z", u"3"));
    QVERIFY(weiter.Speichern(&fehler));
    QCOMPARE(DateiLesen(pfad), QByteArray("[neu]\r\nk=2\r\nz=3\r\n\r\n"));
    QCOMPARE(Dateinamen(m_ordner.path()).filter(QStringLiteral("ersetzt")),
             QStringList{QStringLiteral("ersetzt.ini")});
}

void TestBigIni::speichernScheitertOrdnerNichtBeschreibbar_data()
{
    QTest::addColumn<QString>("pfad");
    QTest::newRow("Elternpfad ist eine Datei") << QStringLiteral("DATEI/plan.ini");
    QTest::newRow("Ordner gibt es nicht") << QStringLiteral("fehlt/plan.ini");
    QTest::newRow("Ziel ist ein Ordner") << QStringLiteral("ORDNER");
    QTest::newRow("bestehende Datei in /proc") << QStringLiteral("/proc/version");
    QTest::newRow("kein Pfad") << QString();
}

void TestBigIni::speichernScheitertOrdnerNichtBeschreibbar()
{
    QFETCH(QString, pfad);
    const QString datei = m_ordner.filePath(QStringLiteral("eine-datei"));
    QVERIFY(DateiSchreiben(datei, "x"));
    pfad.replace(QStringLiteral("DATEI"), datei);
    pfad.replace(QStringLiteral("ORDNER"), m_ordner.path());
    if (pfad.startsWith(QStringLiteral("fehlt")))
        pfad = m_ordner.filePath(pfad);
    const QByteArray vorher = pfad.isEmpty() ? QByteArray() : DateiLesen(pfad);

    TBigIniFile ini = pfad.isEmpty() ? TBigIniFile::ausBytes({}) : TBigIniFile::Neu(pfad);
    QVERIFY(ini.WriteString(u"a", u"k", u"1"));
    QString fehler;
    QVERIFY(!ini.Speichern(&fehler));
    QVERIFY(!fehler.isEmpty());
    QVERIFY(ini.Geaendert());
    if (!pfad.isEmpty())
        QCOMPARE(DateiLesen(pfad), vorher);
    QCOMPARE(DateiLesen(datei), QByteArray("x"));
}

// A write that breaks off half-way (full disk) leaves the old file byte for byte and no
// temporary file behind.
void TestBigIni::speichernScheitertPlattenVoll()
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("plan.kvr"));
    const QByteArray alt("[allgemein]\r\nBundeslandA=3\r\n\r\n[21]\r\nKurzbezeichnung=Alt\r\n\r\n");
    QVERIFY(DateiSchreiben(pfad, alt));

    TBigIniFile ini = TBigIniFile::Neu(pfad);
    for (int i = 0; i < 2000; ++i)
        QVERIFY(ini.WriteString(QString::number(i), u"Kurzbezeichnung", u"Neue Aufgabe mit Text"));
    QString fehler;
    {
        const Dateigroessengrenze grenze(4096);
        QVERIFY(!ini.Speichern(&fehler));
    }
    // The reason in German, not the system's English.
    QCOMPARE(fehler, QStringLiteral(
                         "Die Datei „%1“ kann nicht geschrieben werden: Die Datei würde zu groß.")
                         .arg(pfad));
    QCOMPARE(DateiLesen(pfad), alt);
    QCOMPARE(Dateinamen(ordner.path()), QStringList{QStringLiteral("plan.kvr")});

    // Once there is room again the same store writes the file.
    QVERIFY(ini.Speichern(&fehler));
    QCOMPARE(DateiLesen(pfad), ini.Inhalt());
}

void TestBigIni::unveraendertSchreibtNicht()
{
    // Nothing changed: not even an unwritable place is touched.
    TBigIniFile gelesen(QStringLiteral("/proc/version"));
    QVERIFY(gelesen.Lesefehler().isEmpty());
    QString fehler;
    QVERIFY(gelesen.Speichern(&fehler));
    QVERIFY(fehler.isEmpty());

    const QString pfad = m_ordner.filePath(QStringLiteral("gleich.ini"));
    const QByteArray inhalt("[a]\nk=1\n"); // not in the form the store writes
    QVERIFY(DateiSchreiben(pfad, inhalt));
    TBigIniFile gleich(pfad);
    QVERIFY(gleich.WriteString(u"a", u"k", u"1"));
    QVERIFY(gleich.Speichern(&fehler));
    QCOMPARE(DateiLesen(pfad), inhalt);
}

// A pipe or a folder at the path is neither read (a pipe would wait for a writer) nor
// replaced by a file.
void TestBigIni::keineGewoehnlicheDatei_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("art");
    QTest::newRow("Pipe") << true << QStringLiteral("eine Pipe (FIFO)");
    QTest::newRow("Ordner") << false << QStringLiteral("ein Ordner");
}

void TestBigIni::keineGewoehnlicheDatei()
{
    QFETCH(bool, pipe);
    QFETCH(QString, art);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("plan.kvr"));
    if (pipe)
        QCOMPARE(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(pfad));
    const QString grund = QStringLiteral("Das ist keine gewöhnliche Datei, sondern %1.").arg(art);

    const TBigIniFile gelesen(pfad);
    QCOMPARE(gelesen.Lesefehler(),
             QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2").arg(pfad, grund));

    TBigIniFile neu = TBigIniFile::Neu(pfad);
    QVERIFY(neu.WriteString(u"a", u"k", u"1"));
    QString fehler;
    QVERIFY(!neu.Speichern(&fehler));
    QCOMPARE(fehler,
             QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2").arg(pfad, grund));
    struct stat st
    {
    };
    QCOMPARE(::stat(QFile::encodeName(pfad).constData(), &st), 0);
    QVERIFY(pipe ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode));
    // No temporary file is left beside it.
    QCOMPARE(Dateinamen(ordner.path()),
             pipe ? QStringList{QStringLiteral("plan.kvr")} : QStringList{});
}

QTEST_APPLESS_MAIN(TestBigIni)
#include "tst_bigini.moc"
