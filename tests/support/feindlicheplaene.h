#pragma once

#include <QByteArray>
#include <QRandomGenerator>

#include <vector>

// Plan files made to hurt: huge values, millions of items, the largest numbers. Each is at
// most 16 MiB, the largest file the loader reads, so every one of them reaches the parser.
// The file tests load them all; the benchmark measures how long the worst take to show and
// how much memory they need.
struct FeindlicherPlan
{
    const char* name;
    QByteArray inhalt;
    bool erfolg;  // whether PlanLaden accepts the file
    int aufgaben; // tasks it yields
    int gekuerzt; // values cut to the limits of a plan
};

inline QByteArray Wiederholt(const QByteArray& stueck, qsizetype anzahl)
{
    QByteArray b;
    b.reserve(stueck.size() * anzahl);
    for (qsizetype i = 0; i < anzahl; ++i)
        b += stueck;
    return b;
}

inline std::vector<FeindlicherPlan> FeindlichePlaene()
{
    std::vector<FeindlicherPlan> p;
    const QByteArray kopf = "[allgemein]\r\nBundeslandA=3\r\nBundeslandB=9\r\n\r\n";
    // A task without a valid day is not loaded: the cases about other values give one.
    const QByteArray tag = "Tag=01.03.2027\r\n";

    QByteArray junk(1 << 20, Qt::Uninitialized);
    QRandomGenerator zufall(4711);
    zufall.fillRange(reinterpret_cast<quint32*>(junk.data()), junk.size() / 4);
    p.push_back({"Zufallsbytes", junk, false, 0, 0});

    p.push_back({"Zahlen und Listen",
                 "[7]\r\nKurzbezeichnung=X\r\nStart=0x7fffffff\r\nDauer=-0x80000000\r\n"
                 "Druckvorlage=0x1ffffffff\r\nvorgabeDauer=" +
                     QByteArray(5000, '9') +
                     "\r\n"
                     "vorher=" +
                     QByteArray(200000, ',') + "\r\nTag=99.99.9999\r\n",
                 true, 0, 1});

    // The largest task number taken: the next user task must not get it again.
    p.push_back({"Aufgabennummer 2147483647",
                 kopf + "[7]\r\nKurzbezeichnung=A\r\n" + tag +
                     "\r\n[2147483647]\r\nKurzbezeichnung=B\r\n" + tag + "\r\n",
                 true, 2, 0});
    p.push_back(
        {"Jahr 3027", kopf + "[7]\r\nKurzbezeichnung=Umzug\r\nTag=01.03.3027\r\n\r\n", true, 1, 0});
    p.push_back({"Beginn und Dauer am Rand",
                 kopf + "[7]\r\nKurzbezeichnung=A\r\nStart=-2147483648\r\nDauer=2147483647\r\n" +
                     tag +
                     "\r\n[8]\r\nKurzbezeichnung=B\r\nStart=2147483647\r\nDauer=-2147483648\r\n" +
                     tag + "\r\n",
                 true, 2, 0});

    // Values of 15 MB: each is cut to what a plan may hold.
    const qsizetype gross = 15000000;
    p.push_back({"Titel von 15 MB",
                 kopf + "[7]\r\n" + tag + "Kurzbezeichnung=" + QByteArray(gross, 'x') + "\r\n",
                 true, 1, 1});
    p.push_back({"Ratschlag von 15 MB",
                 kopf + "[7]\r\n" + tag + "Kurzbezeichnung=A\r\nBeschreibung=" +
                     Wiederholt("Ratschlag ", gross / 10) + "\r\n",
                 true, 1, 1});
    p.push_back(
        {"15 Millionen Zeilenumbrüche",
         kopf + "[7]\r\n" + tag + "Kurzbezeichnung=A\r\nNotiz=" + QByteArray(gross, '|') + "\r\n",
         true, 1, 1});
    p.push_back({"vorher mit 7,5 Millionen Einträgen",
                 kopf + "[7]\r\n" + tag +
                     "Kurzbezeichnung=A\r\nvorher=" + Wiederholt("7,", gross / 2) + "\r\n",
                 true, 1, 1});

    // Many tasks, each within the limits, that add up.
    QByteArray zeilen = kopf;
    for (int i = 0; i < 250; ++i)
        zeilen += "[" + QByteArray::number(i) + "]\r\n" + tag +
                  "Kurzbezeichnung=A\r\nNotiz=" + QByteArray(60000, '|') + "\r\n";
    p.push_back({"250 Notizen aus je 60.000 Zeilen", zeilen, true, 250, 234});

    QByteArray konflikte = kopf;
    QByteArray liste;
    for (int n = 1; n <= 1000; ++n)
        liste += (n > 1 ? "," : "") + QByteArray::number(n);
    for (int i = 1; i <= 2800; ++i)
        konflikte += "[" + QByteArray::number(i) + "]\r\n" + tag +
                     "Kurzbezeichnung=K\r\nvorher=" + liste + "\r\n";
    p.push_back({"2800 Aufgaben mit je 1000 Vorgängern", konflikte, true, 2800, 2700});

    QByteArray hunderttausend = kopf;
    for (int i = 0; i < 100000; ++i)
        hunderttausend += "[" + QByteArray::number(i) +
                          "]\r\nKurzbezeichnung=Aufgabe\r\nTag=" + QByteArray::number(10 + i % 18) +
                          ".03.2027\r\nvorher=" + QByteArray::number(i - 1) + "\r\n";
    p.push_back({"100.000 Aufgaben", hunderttausend, true, 100000, 0});

    QByteArray viele;
    for (int i = 0; i < 1000000; ++i)
        viele += "[" + QByteArray::number(i) + "]\r\n";
    p.push_back({"eine Million Aufgabenabschnitte", viele, false, 0, 0});

    QByteArray fremde;
    for (int i = 0; i < 1000000; ++i)
        fremde += "[a" + QByteArray::number(i) + "]\r\n";
    p.push_back({"eine Million andere Abschnitte", fremde, true, 0, 0});

    // Lines of one letter: each costs the store an index entry, so there is a limit.
    p.push_back({"acht Millionen Zeilen", "[a]\r\n" + Wiederholt("a\n", 8000000), false, 0, 0});
    p.push_back({"vier Millionen Zeilen", "[a]\r\n" + Wiederholt("a=\n", 3999999), true, 0, 0});

    QByteArray fuehrendeNullen;
    for (int i = 0; i < 20000; ++i)
        fuehrendeNullen +=
            "[" + QByteArray(i % 50, '0') + QByteArray::number(i) + "]\r\nKurzbezeichnung=x\r\n";
    // Each names a section of another spelling, so every task misses its keys (and its day, so
    // none is loaded); the search for the missing names must not walk the whole file each time.
    p.push_back({"Nummern mit führenden Nullen", fuehrendeNullen, false, 0, 0});
    return p;
}
