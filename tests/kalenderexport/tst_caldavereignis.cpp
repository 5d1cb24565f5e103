#include "kalenderexport/caldavereignis.h"

#include "support/testdaten.h"

#include <QTest>

#include <libical/ical.h>

Q_DECLARE_METATYPE(Ortszeit)
Q_DECLARE_METATYPE(taufgabe)

namespace {

const QByteArray kBerlin = QByteArrayLiteral("Europe/Berlin");

QByteArray Kalender(const QByteArray& ereignis, const QByteArray& vorher = {})
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Telefon//DE\r\n" + vorher +
           "BEGIN:VEVENT\r\n" + ereignis + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

const QByteArray kNewYork = QByteArrayLiteral(
    "BEGIN:VTIMEZONE\r\nTZID:Ost\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
    "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
    "END:DAYLIGHT\r\nEND:VTIMEZONE\r\n");

Ortszeit Am(int jahr, int monat, int tag, int stunde, int minute)
{
    return {QDate(jahr, monat, tag), QTime(stunde, minute)};
}

} // namespace

class TestCalDavEreignis final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase() { icaltimezone_free_builtin_timezones(); }

    void hinUndZurueck_data()
    {
        QTest::addColumn<taufgabe>("aufgabe");
        QTest::newRow("two hours in the morning")
            << Aufgabe(QStringLiteral("Umzugskartons besorgen"), QDate(2027, 5, 3), 17, 3);
        QTest::newRow("advice and notes, umlauts")
            << Aufgabe(QStringLiteral("Nachsendeauftrag stellen"), QDate(2027, 5, 4), 20, 1,
                       {QStringLiteral("Bei der Post"), QStringLiteral("online möglich")},
                       {QStringLiteral("Kundennummer 12345")});
        QTest::newRow("over midnight, summer time ends that night")
            << Aufgabe(QStringLiteral("Nachtfahrt"), QDate(2027, 10, 30), 47, 5);
        QTest::newRow("a line with a comma; and a semicolon")
            << Aufgabe(QStringLiteral("Schlüssel, Zähler; Übergabe"), QDate(2027, 6, 1), 1, 47);
    }

    void hinUndZurueck()
    {
        QFETCH(taufgabe, aufgabe);
        const QString uid = QStringLiteral("kistenlotse-abc-7@kistenlotse");
        const QByteArray text = EreignisText(uid, aufgabe, kBerlin);
        Servertermin gelesen;
        QString fehler;
        QVERIFY2(EreignisLesen(text, kBerlin, &gelesen, &fehler), qPrintable(fehler));
        QCOMPARE(gelesen.Uid, uid);
        QCOMPARE(gelesen.Inhalt, TermininhaltAus(aufgabe));
        QCOMPARE(TerminHash(gelesen.Inhalt), TerminHash(TermininhaltAus(aufgabe)));
        QCOMPARE(text.count("BEGIN:VEVENT"), 1);
        QVERIFY(text.contains("TZID:Europe/Berlin"));
    }

    void lesen_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Ortszeit>("start");
        QTest::addColumn<Ortszeit>("ende");
        QTest::addColumn<QString>("beschreibung");

        QTest::newRow("phone wrote UTC: summer time is two hours ahead")
            << Kalender("UID:u\r\nDTSTART:20270503T060000Z\r\nDTEND:20270503T070000Z\r\n"
                        "SUMMARY:x\r\n")
            << Am(2027, 5, 3, 8, 0) << Am(2027, 5, 3, 9, 0) << QString();
        QTest::newRow("zone of the resource itself")
            << Kalender("UID:u\r\nDTSTART;TZID=Ost:20270503T080000\r\n"
                        "DTEND;TZID=Ost:20270503T083000\r\nSUMMARY:x\r\n",
                        kNewYork)
            << Am(2027, 5, 3, 14, 0) << Am(2027, 5, 3, 14, 30) << QString();
        QTest::newRow("a known zone name without VTIMEZONE")
            << Kalender("UID:u\r\nDTSTART;TZID=Europe/London:20270503T080000\r\n"
                        "DURATION:PT90M\r\nSUMMARY:x\r\n")
            << Am(2027, 5, 3, 9, 0) << Am(2027, 5, 3, 10, 30) << QString();
        QTest::newRow("floating time is the user's own clock")
            << Kalender("UID:u\r\nDTSTART:20270503T080000\r\nSUMMARY:x\r\n") << Am(2027, 5, 3, 8, 0)
            << Am(2027, 5, 3, 8, 0) << QString();
        QTest::newRow("whole day without end")
            << Kalender("UID:u\r\nDTSTART;VALUE=DATE:20270503\r\nSUMMARY:x\r\n")
            << Am(2027, 5, 3, 0, 0) << Am(2027, 5, 4, 0, 0) << QString();
        QTest::newRow("text with LF and a final line break")
            << Kalender("UID:u\r\nDTSTART:20270503T080000\r\nSUMMARY:x\r\n"
                        "DESCRIPTION:eins\\ndrei\\n\r\n")
            << Am(2027, 5, 3, 8, 0) << Am(2027, 5, 3, 8, 0) << QStringLiteral("eins\ndrei");
        QTest::newRow("an exception of a series is not the event")
            << Kalender("UID:u\r\nRECURRENCE-ID:20270510T080000\r\nDTSTART:20270511T080000\r\n"
                        "SUMMARY:x\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:u\r\n"
                        "DTSTART:20270503T100000\r\nSUMMARY:x\r\n")
            << Am(2027, 5, 3, 10, 0) << Am(2027, 5, 3, 10, 0) << QString();
    }

    void lesen()
    {
        QFETCH(QByteArray, text);
        QFETCH(Ortszeit, start);
        QFETCH(Ortszeit, ende);
        QFETCH(QString, beschreibung);
        Servertermin t;
        QString fehler;
        QVERIFY2(EreignisLesen(text, kBerlin, &t, &fehler), qPrintable(fehler));
        QCOMPARE(t.Uid, QStringLiteral("u"));
        QCOMPARE(t.Inhalt.Start, start);
        QCOMPARE(t.Inhalt.Ende, ende);
        QCOMPARE(t.Inhalt.Text, beschreibung);
    }

    void kaputt_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("meldung");
        const QString keinIcal = QStringLiteral(
            "Der Server lieferte einen Termin, der kein gültiger iCalendar-Eintrag ist.");
        const QString ohne = QStringLiteral("Der Server lieferte einen Termin ohne Kennung oder "
                                            "Beginn; er ist kein gültiger iCalendar-Eintrag.");
        QTest::newRow("HTML error page") << QByteArray("<html>Fehler</html>") << keinIcal;
        QTest::newRow("empty") << QByteArray() << keinIcal;
        QTest::newRow("a vCard") << QByteArray("BEGIN:VCARD\r\nEND:VCARD\r\n") << keinIcal;
        QTest::newRow("no UID") << Kalender("DTSTART:20270503T080000\r\n") << ohne;
        QTest::newRow("no begin") << Kalender("UID:u\r\nSUMMARY:x\r\n") << ohne;
        QTest::newRow("only a to-do")
            << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:u\r\nEND:VTODO\r\n"
                          "END:VCALENDAR\r\n")
            << ohne;
        QTest::newRow("impossible date")
            << Kalender("UID:u\r\nDTSTART:20271345T080000\r\nSUMMARY:Packen\r\n")
            << QStringLiteral("Der Termin „Packen“ auf dem Server hat keinen gültigen Beginn.");
    }

    void kaputt()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, meldung);
        QString fehler;
        Servertermin t;
        QVERIFY(!EreignisLesen(text, kBerlin, &t, &fehler));
        QCOMPARE(fehler, meldung);
    }

    void aufgabenzeit_data()
    {
        QTest::addColumn<Ortszeit>("start");
        QTest::addColumn<Ortszeit>("ende");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("dauer");
        QTest::newRow("08:00 to 10:00") << Am(2027, 5, 3, 8, 0) << Am(2027, 5, 3, 10, 0) << 17 << 3;
        QTest::newRow("08:10 to 08:40 rounds to the slot, half an hour")
            << Am(2027, 5, 3, 8, 10) << Am(2027, 5, 3, 8, 40) << 17 << 0;
        QTest::newRow("ends as it begins: the shortest")
            << Am(2027, 5, 3, 23, 30) << Am(2027, 5, 3, 23, 30) << 48 << 0;
        QTest::newRow("50 minutes take two half hours")
            << Am(2027, 5, 3, 9, 0) << Am(2027, 5, 3, 9, 50) << 19 << 1;
        QTest::newRow("three days are one day at most")
            << Am(2027, 5, 3, 0, 0) << Am(2027, 5, 6, 0, 0) << 1 << 47;
        QTest::newRow("end before begin")
            << Am(2027, 5, 3, 9, 0) << Am(2027, 5, 3, 8, 0) << 19 << 0;
    }

    void aufgabenzeit()
    {
        QFETCH(Ortszeit, start);
        QFETCH(Ortszeit, ende);
        QFETCH(int, slot);
        QFETCH(int, dauer);
        const Aufgabenzeit z = AufgabenzeitAus({QStringLiteral("x"), {}, start, ende});
        QCOMPARE(z.Tag, T(2027, 5, 3));
        QCOMPARE(z.Start, slot);
        QCOMPARE(z.Dauer, dauer);
    }

    void notiz_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("notiz");
        const QStringList leer;
        QTest::newRow("advice untouched, a note added")
            << QStringLiteral("Rat eins\nRat zwei\nmeine Notiz")
            << QStringList{QStringLiteral("meine Notiz")};
        QTest::newRow("only the advice") << QStringLiteral("Rat eins\nRat zwei") << leer;
        QTest::newRow("phone rewrote everything: all of it becomes the note")
            << QStringLiteral("neu\nganz anders")
            << QStringList{QStringLiteral("neu"), QStringLiteral("ganz anders")};
        QTest::newRow("text deleted") << QString() << leer;
    }

    void notiz()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, notiz);
        const Termininhalt inhalt{QStringLiteral("x"), text, {}, {}};
        QCOMPARE(NotizAus(inhalt, {QStringLiteral("Rat eins"), QStringLiteral("Rat zwei")}), notiz);
    }

    void hashUnterscheidet()
    {
        const taufgabe a = Aufgabe(QStringLiteral("Packen"), QDate(2027, 5, 3), 17, 3);
        const QByteArray h = TerminHash(TermininhaltAus(a));
        taufgabe spaeter = a;
        spaeter.Start = 18;
        taufgabe laenger = a;
        laenger.Dauer = 4;
        taufgabe notiert = a;
        notiert.Notiz = {QStringLiteral("x")};
        taufgabe umbenannt = a;
        umbenannt.Kurzbezeichnung = QStringLiteral("Packen ");
        for (const taufgabe& anders : {spaeter, laenger, notiert, umbenannt})
            QVERIFY(TerminHash(TermininhaltAus(anders)) != h);
        // Fields that do not reach the event change nothing.
        taufgabe vorlage = a;
        vorlage.Druckvorlage = 3;
        vorlage.vorher = {1, 2};
        QCOMPARE(TerminHash(TermininhaltAus(vorlage)), h);
        // A title that ends where the text begins is no other content.
        QVERIFY(TerminHash({QStringLiteral("a\n"), QStringLiteral("b"), {}, {}}) !=
                TerminHash({QStringLiteral("a"), QStringLiteral("\nb"), {}, {}}));
    }
};

QTEST_GUILESS_MAIN(TestCalDavEreignis)
#include "tst_caldavereignis.moc"
