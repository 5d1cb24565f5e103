#include "kalenderexport/icsdatei.h"
#include "kalenderexport/planexport.h"
#include "model/tageszahl.h"
#include "support/dateigroessengrenze.h"

#include "support/icslesen.h"
#include "support/testdaten.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <limits>

namespace {

QByteArray Lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file export without a plan ID or reminder.
bool TermineSchreiben(const Aufgabenliste& aufgaben, const QString& pfad, QString* fehler)
{
    return PlanTermineSchreiben(aufgaben, pfad, {}, fehler);
}

} // namespace

class TestIcsDatei final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase() { icaltimezone_free_builtin_timezones(); }

    void terminZeiten_data()
    {
        QTest::addColumn<QDate>("tag");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("dauer");
        QTest::addColumn<QDateTime>("beginn");
        QTest::addColumn<QDateTime>("ende");

        const QDate mai(2026, 5, 3);
        QTest::newRow("3 May, 08:00 for two hours")
            << mai << 17 << 3 << QDateTime(mai, QTime(8, 0)) << QDateTime(mai, QTime(10, 0));
        QTest::newRow("23:30, shortest, ends at midnight next day")
            << mai << 48 << 0 << QDateTime(mai, QTime(23, 30))
            << QDateTime(mai.addDays(1), QTime(0, 0));
        QTest::newRow("first slot, shortest")
            << mai << 1 << 0 << QDateTime(mai, QTime(0, 0)) << QDateTime(mai, QTime(0, 30));
        QTest::newRow("whole day, longest from midnight")
            << mai << 1 << 47 << QDateTime(mai, QTime(0, 0))
            << QDateTime(mai.addDays(1), QTime(0, 0));
        QTest::newRow("over the turn of the year")
            << QDate(2026, 12, 31) << 47 << 2 << QDateTime(QDate(2026, 12, 31), QTime(23, 0))
            << QDateTime(QDate(2027, 1, 1), QTime(0, 30));
        QTest::newRow("spring forward day keeps the wall clock")
            << QDate(2026, 3, 29) << 5 << 3 << QDateTime(QDate(2026, 3, 29), QTime(2, 0))
            << QDateTime(QDate(2026, 3, 29), QTime(4, 0));
        QTest::newRow("slot 0 from a damaged file: the evening before")
            << mai << 0 << 0 << QDateTime(mai.addDays(-1), QTime(23, 30))
            << QDateTime(mai, QTime(0, 0));
        QTest::newRow("duration -1: ends as it begins")
            << mai << 17 << -1 << QDateTime(mai, QTime(8, 0)) << QDateTime(mai, QTime(8, 0));
        QTest::newRow("a day before the epoch")
            << QDate(1899, 12, 29) << 17 << 1 << QDateTime(QDate(1899, 12, 29), QTime(8, 0))
            << QDateTime(QDate(1899, 12, 29), QTime(9, 0));
    }

    void terminZeiten()
    {
        QFETCH(QDate, tag);
        QFETCH(int, start);
        QFETCH(int, dauer);
        QFETCH(QDateTime, beginn);
        QFETCH(QDateTime, ende);

        const Terminzeiten z = TerminZeiten(Aufgabe(QStringLiteral("x"), tag, start, dauer));
        const Ortszeit b = OrtszeitAusTageszahl(z.Start);
        const Ortszeit e = OrtszeitAusTageszahl(z.Ende);
        QCOMPARE(b, (Ortszeit{beginn.date(), beginn.time()}));
        QCOMPARE(e, (Ortszeit{ende.date(), ende.time()}));
    }

    void terminZeitenNimmtDenTagOhneUhrzeit()
    {
        taufgabe a = Aufgabe(QStringLiteral("x"), QDate(2026, 5, 3), 17, 3);
        a.Tag += 0.75; // a day saved with a time of day
        const Ortszeit b = OrtszeitAusTageszahl(TerminZeiten(a).Start);
        QCOMPARE(b, (Ortszeit{QDate(2026, 5, 3), QTime(8, 0)}));
    }

    void ungueltigeTage_data()
    {
        QTest::addColumn<double>("tag");
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("year 10000") << Tageszahl::ausDatum(QDate(9999, 12, 31)) + 1.0;
        QTest::newRow("far in the past") << -1.0e9;
        QTest::newRow("far in the future") << 1.0e15;
    }

    void ungueltigeTage()
    {
        QFETCH(double, tag);
        taufgabe a = Aufgabe(QStringLiteral("Kaputt"), QDate(2026, 5, 3), 17, 3);
        a.Tag = tag;

        TIcsKalender kalender;
        const Terminzeiten z = TerminZeiten(a);
        QVERIFY_THROWS_EXCEPTION(
            KalenderFehler, kalender.TerminHinzufuegen(a.Kurzbezeichnung, {}, z.Start, z.Ende));
        QCOMPARE(kalender.Anzahl(), 0);

        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("t.ics"));
        QString fehler;
        QVERIFY(!TermineSchreiben({Aufgabe(QStringLiteral("Gut"), QDate(2026, 5, 2), 17, 1), a},
                                  pfad, &fehler));
        QCOMPARE(fehler, QStringLiteral("Diese Aufgaben liegen nicht in den Jahren 1 bis 3000, "
                                        "die ein Kalender aufnehmen kann:\n„Kaputt“ ohne "
                                        "gültiges Datum\nBitte korrigieren Sie ihr Datum. Es "
                                        "wurden keine Termine übertragen."));
        QVERIFY2(!QFile::exists(pfad), "no half file");
    }

    // libical writes no year after 3000; a task there (a typo: 3027 for 2027) is refused
    // before anything is written, and the first years get a valid zone block.
    void kalenderjahre_data()
    {
        QTest::addColumn<QDate>("tag");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("dauer");
        QTest::addColumn<bool>("geschrieben");
        QTest::addColumn<QString>("genannt"); // the day the refusal names
        QTest::newRow("first day of year 1") << QDate(1, 1, 1) << 17 << 0 << true << QString();
        QTest::newRow("year 2") << QDate(2, 6, 1) << 17 << 3 << true << QString();
        QTest::newRow("last day of year 3000")
            << QDate(3000, 12, 31) << 17 << 3 << true << QString();
        QTest::newRow("ends in year 3001")
            << QDate(3000, 12, 31) << 48 << 0 << false << QStringLiteral("am 01.01.3001");
        QTest::newRow("duration carries it into 3001")
            << QDate(3000, 12, 31) << 40 << 20 << false << QStringLiteral("am 01.01.3001");
        QTest::newRow("year 3001")
            << QDate(3001, 1, 1) << 17 << 3 << false << QStringLiteral("am 01.01.3001");
        QTest::newRow("typo 3027")
            << QDate(3027, 3, 1) << 17 << 3 << false << QStringLiteral("am 01.03.3027");
        QTest::newRow("begins before year 1")
            << QDate(1, 1, 1) << 0 << 3 << false << QStringLiteral("ohne gültiges Datum");
    }

    void kalenderjahre()
    {
        QFETCH(QDate, tag);
        QFETCH(int, start);
        QFETCH(int, dauer);
        QFETCH(bool, geschrieben);
        QFETCH(QString, genannt);
        const taufgabe gut = Aufgabe(QStringLiteral("Gut"), QDate(2027, 3, 1), 17, 1);
        const taufgabe a = Aufgabe(QStringLiteral("Packen"), tag, start, dauer);
        QCOMPARE(Uebertragbar(a), geschrieben);

        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("t.ics"));
        QString fehler;
        QCOMPARE(TermineSchreiben({gut, a}, pfad, &fehler), geschrieben);
        if (!geschrieben) {
            QCOMPARE(fehler,
                     QStringLiteral("Diese Aufgaben liegen nicht in den Jahren 1 bis 3000, die "
                                    "ein Kalender aufnehmen kann:\n„Packen“ %1\nBitte "
                                    "korrigieren Sie ihr Datum. Es wurden keine Termine "
                                    "übertragen.")
                         .arg(genannt));
            QVERIFY2(!QFile::exists(pfad), "nothing written");
            TIcsKalender kalender;
            const Terminzeiten z = TerminZeiten(a);
            QVERIFY_THROWS_EXCEPTION(
                KalenderFehler, kalender.TerminHinzufuegen(a.Kurzbezeichnung, {}, z.Start, z.Ende));
            return;
        }
        const QByteArray text = Lesen(pfad);
        QVERIFY2(!text.contains("00000000T"), text.constData());
        QVERIFY2(!text.contains("DTSTART:-"), text.constData());
        const IcsLesen::Kalender k = IcsLesen::Lesen(text);
        QCOMPARE(k.ereignisse.size(), 2);
        const IcsLesen::Zeit beginn = k.ereignisse.at(1).start;
        QCOMPARE(beginn.datum, tag);
        QCOMPARE(beginn.zeit, QTime(0, 0).addSecs((start - 1) * 1800));
        QVERIFY(beginn.alsUtc.isValid());
    }

    void meldungNenntZehnAufgaben()
    {
        Aufgabenliste aufgaben;
        for (int i = 1; i <= 12; ++i)
            aufgaben.push_back(Aufgabe(QStringLiteral("A%1").arg(i), QDate(3027, 3, i), 17, 1));
        aufgaben.insert(aufgaben.begin() + 1,
                        Aufgabe(QStringLiteral("Gut"), QDate(2027, 3, 1), 17, 1));
        QStringList genannt;
        for (int i = 1; i <= 10; ++i)
            genannt << QStringLiteral("„A%1“ am %2.03.3027").arg(i).arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(NichtUebertragbarMeldung(aufgaben),
                 QStringLiteral("Diese Aufgaben liegen nicht in den Jahren 1 bis 3000, die ein "
                                "Kalender aufnehmen kann:\n%1\n… und 2 weitere\nBitte "
                                "korrigieren Sie ihr Datum. Es wurden keine Termine übertragen.")
                     .arg(genannt.join(QLatin1Char('\n'))));
        QCOMPARE(NichtUebertragbarMeldung({aufgaben.at(1)}), QString());
    }

    void terminText_data()
    {
        QTest::addColumn<QStringList>("beschreibung");
        QTest::addColumn<QStringList>("notiz");
        QTest::addColumn<QString>("text");

        QTest::newRow("advice, then notes")
            << QStringList{QStringLiteral("Rat 1"), QStringLiteral("Rat 2")}
            << QStringList{QStringLiteral("Notiz")}
            << QStringLiteral("Rat 1\r\nRat 2\r\nNotiz\r\n");
        QTest::newRow("advice without notes")
            << QStringList{QStringLiteral("Rat")} << QStringList{} << QStringLiteral("Rat\r\n");
        QTest::newRow("user task with notes")
            << QStringList{} << QStringList{QStringLiteral("a"), QStringLiteral("b")}
            << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("user task without notes") << QStringList{} << QStringList{} << QString();
        QTest::newRow("empty lines are kept")
            << QStringList{QStringLiteral(""), QStringLiteral("x")}
            << QStringList{QStringLiteral("")} << QStringLiteral("\r\nx\r\n\r\n");
    }

    void terminText()
    {
        QFETCH(QStringList, beschreibung);
        QFETCH(QStringList, notiz);
        QFETCH(QString, text);
        QCOMPARE(
            TerminText(Aufgabe(QStringLiteral("x"), QDate(2026, 5, 3), 17, 1, beschreibung, notiz)),
            text);
    }

    void dateiWirdVonLibicalGelesen()
    {
        const QDate mai(2026, 5, 3);
        const Aufgabenliste aufgaben{
            Aufgabe(QStringLiteral("Umziehen"), mai, 17, 3,
                    {QStringLiteral("Heute ist es so weit.")}),
            Aufgabe(QStringLiteral("Nachtruhe, endlich; \\ „fertig“"), mai, 48, 0, {},
                    {QStringLiteral("Notiz mit Ümlaut")}),
            Aufgabe(QStringLiteral("Eigene Aufgabe"), mai.addDays(1), 20, 1),
        };
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("termine.ics"));
        QString fehler;
        QVERIFY2(TermineSchreiben(aufgaben, pfad, &fehler), qPrintable(fehler));

        const QByteArray roh = Lesen(pfad);
        const IcsLesen::Kalender k = IcsLesen::Lesen(roh);
        QVERIFY(k.gelesen);
        QCOMPARE(k.version, QStringLiteral("2.0"));
        QVERIFY(!k.prodid.isEmpty());
        QCOMPARE(k.zonen, QStringList{QString::fromUtf8(KalenderZeitzone())});
        QCOMPARE(k.ereignisse.size(), 3);

        QSet<QString> uids;
        for (qsizetype i = 0; i < k.ereignisse.size(); ++i) {
            const IcsLesen::Ereignis& e = k.ereignisse.at(i);
            QCOMPARE(e.summary, aufgaben.at(size_t(i)).Kurzbezeichnung);
            // Never floating: every time names the zone the file describes.
            QCOMPARE(e.start.tzid, QString::fromUtf8(KalenderZeitzone()));
            QCOMPARE(e.ende.tzid, QString::fromUtf8(KalenderZeitzone()));
            QVERIFY(e.stempel.utc);
            QVERIFY(!e.uid.isEmpty());
            uids.insert(e.uid);
        }
        QCOMPARE(uids.size(), 3);

        const auto& umziehen = k.ereignisse.at(0);
        QCOMPARE(umziehen.start.datum, mai);
        QCOMPARE(umziehen.start.zeit, QTime(8, 0));
        QCOMPARE(umziehen.ende.zeit, QTime(10, 0));
        QCOMPARE(umziehen.description, QStringLiteral("Heute ist es so weit.\n"));

        const auto& nacht = k.ereignisse.at(1);
        QCOMPARE(nacht.ende.datum, mai.addDays(1));
        QCOMPARE(nacht.ende.zeit, QTime(0, 0));
        QCOMPARE(nacht.description, QStringLiteral("Notiz mit Ümlaut\n"));

        QVERIFY2(!k.ereignisse.at(2).hatDescription, "an empty body sets no DESCRIPTION");

        // libical's part: CR LF everywhere, folded lines of at most 75 octets.
        QVERIFY(roh.endsWith("\r\n"));
        QVERIFY(!roh.contains("\n\n"));
        for (const QByteArray& zeile : roh.split('\n')) {
            QVERIFY2(zeile.isEmpty() || zeile.endsWith('\r'), zeile.constData());
            QVERIFY2(zeile.size() <= 76, zeile.constData());
        }
    }

    void langeTexteUeberstehenDieFaltung()
    {
        // No blank at either end: libical's parser drops them from a value.
        const QString lang =
            QStringList(4, QStringLiteral("Übergabeprotokoll für die Wohnung in der "
                                          "Müllerstraße, Zählerstände, Schlüssel; "
                                          "alles mit „Fotos“"))
                .join(QLatin1Char(' '));
        const QString zeilen = QStringLiteral("Zeile eins\r\nZeile zwei mit \\ und ,;\r\n");
        TIcsKalender kalender;
        kalender.TerminHinzufuegen(lang, zeilen + lang,
                                   Tageszahl::ausDatum(QDate(2026, 5, 3)) + 0.5,
                                   Tageszahl::ausDatum(QDate(2026, 5, 3)) + 0.75);
        const IcsLesen::Kalender k = IcsLesen::Lesen(kalender.Text());
        QCOMPARE(k.ereignisse.size(), 1);
        QCOMPARE(k.ereignisse.at(0).summary, lang);
        QCOMPARE(k.ereignisse.at(0).description,
                 QString(zeilen + lang).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void steuerzeichenWerdenWeggelassen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("gelesen");
        QTest::newRow("below 0x20") << QStringLiteral("A\x01"
                                                      "B\x1b")
                                    << QStringLiteral("AB");
        QTest::newRow("DEL") << QStringLiteral("A\x7f"
                                               "B")
                             << QStringLiteral("AB");
        QTest::newRow("C1 controls")
            << QStringLiteral("A\u0080B\u0085C\u009b") << QStringLiteral("ABC");
        QTest::newRow("tab and line feed stay")
            << QStringLiteral("x\ty\nz") << QStringLiteral("x\ty\nz");
    }

    void steuerzeichenWerdenWeggelassen()
    {
        QFETCH(QString, text);
        QFETCH(QString, gelesen);
        TIcsKalender kalender;
        const double tag = Tageszahl::ausDatum(QDate(2026, 5, 3));
        kalender.TerminHinzufuegen(text, text, tag, tag + 0.1);
        const QByteArray ics = kalender.Text();
        for (const char c : ics)
            QVERIFY2(c == '\r' || c == '\n' || c == '\t' ||
                         (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f),
                     qPrintable(QString::number(static_cast<unsigned char>(c), 16)));
        QVERIFY(
            !QString::fromUtf8(ics).contains(QRegularExpression(QStringLiteral("[\\x80-\\x9f]"))));
        const IcsLesen::Kalender k = IcsLesen::Lesen(ics);
        QCOMPARE(k.ereignisse.size(), 1);
        QCOMPARE(k.ereignisse.at(0).summary, gelesen);
        QCOMPARE(k.ereignisse.at(0).description, gelesen);
    }

    // Found by fuzzing: libical folded a 73-character summary between its line's CR and LF.
    void zeilenEndenImmerCrLf()
    {
        TIcsKalender kalender;
        const double tag = Tageszahl::ausDatum(QDate(2026, 5, 3));
        QStringList betreffe;
        for (int n = 1; n <= 200; ++n) {
            betreffe << QString(n, u'a') << QString(n, u'ü');
            kalender.TerminHinzufuegen(betreffe.at(betreffe.size() - 2), betreffe.last(), tag,
                                       tag + 0.1);
            kalender.TerminHinzufuegen(betreffe.last(), {}, tag, tag + 0.1);
        }
        const QByteArray text = kalender.Text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == '\r')
                QVERIFY2(i + 1 < text.size() && text.at(i + 1) == '\n',
                         text.mid(i - 90, 100).constData());
            if (text.at(i) == '\n')
                QVERIFY2(i > 0 && text.at(i - 1) == '\r', text.mid(i - 90, 100).constData());
        }
        const IcsLesen::Kalender k = IcsLesen::Lesen(text);
        QCOMPARE(k.ereignisse.size(), 400);
        for (qsizetype i = 0; i < 200; ++i) {
            QCOMPARE(k.ereignisse.at(2 * i).summary, betreffe.at(2 * i));
            QCOMPARE(k.ereignisse.at(2 * i).description, betreffe.at(2 * i + 1));
            QCOMPARE(k.ereignisse.at(2 * i + 1).summary, betreffe.at(2 * i + 1));
        }
    }

    void endeNichtNachBeginnOhneDtend()
    {
        TIcsKalender kalender;
        const double tag = Tageszahl::ausDatum(QDate(2026, 5, 3));
        kalender.TerminHinzufuegen(QStringLiteral("gleich"), {}, tag + 0.5, tag + 0.5);
        kalender.TerminHinzufuegen(QStringLiteral("rückwärts"), {}, tag + 0.5, tag + 0.25);
        const IcsLesen::Kalender k = IcsLesen::Lesen(kalender.Text());
        QCOMPARE(k.ereignisse.size(), 2);
        for (const auto& e : k.ereignisse) {
            QVERIFY2(!e.hatDtend, qPrintable(e.summary));
            QCOMPARE(e.start.zeit, QTime(12, 0));
        }
    }

    // The VTIMEZONE is built from the machine's zone data; a calendar that knows nothing of
    // the zone must still place every appointment at the right moment.
    void zeitzonen_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("ortszeit");

        const QList<QByteArray> zonen{"Europe/Berlin",    "America/New_York", "Asia/Tokyo",
                                      "Australia/Sydney", "Asia/Kolkata",     "Europe/London"};
        const QList<QDateTime> zeiten{QDateTime(QDate(2026, 1, 15), QTime(8, 0)),
                                      QDateTime(QDate(2026, 7, 15), QTime(8, 0)),
                                      QDateTime(QDate(2026, 3, 29), QTime(3, 30)),
                                      QDateTime(QDate(2026, 10, 25), QTime(3, 30)),
                                      QDateTime(QDate(2031, 12, 31), QTime(23, 30)),
                                      QDateTime(QDate(1999, 6, 1), QTime(12, 0))};
        for (const QByteArray& zone : zonen)
            for (const QDateTime& t : zeiten)
                QTest::addRow("%s %s", zone.constData(), qPrintable(t.toString(Qt::ISODate)))
                    << zone << t;
    }

    void zeitzonen()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, ortszeit);
        if (!QTimeZone(zone).isValid())
            QSKIP("zone data missing on this machine");

        TIcsKalender kalender(zone);
        const Ortszeit o{ortszeit.date(), ortszeit.time()};
        // A second appointment in another year makes the zone span several years.
        kalender.TerminHinzufuegen(QStringLiteral("früher"), {},
                                   Ortszeit{QDate(2024, 2, 1), QTime(9, 0)},
                                   Ortszeit{QDate(2024, 2, 1), QTime(10, 0)});
        kalender.TerminHinzufuegen(QStringLiteral("t"), {}, o,
                                   Ortszeit{o.Datum.addDays(1), o.Zeit});
        const IcsLesen::Kalender k = IcsLesen::Lesen(kalender.Text());
        QCOMPARE(k.zonen, QStringList{QString::fromLatin1(zone)});
        QCOMPARE(k.ereignisse.size(), 2);
        const auto& e = k.ereignisse.at(1);
        QCOMPARE(e.start.tzid, QString::fromLatin1(zone));
        QCOMPARE(e.start.datum, o.Datum);
        QCOMPARE(e.start.zeit, o.Zeit);
        const QDateTime erwartet = QDateTime(o.Datum, o.Zeit, QTimeZone(zone)).toUTC();
        QCOMPARE(e.start.alsUtc, erwartet);
        QCOMPARE(k.ereignisse.at(0).start.alsUtc,
                 QDateTime(QDate(2024, 2, 1), QTime(9, 0), QTimeZone(zone)).toUTC());
    }

    void unbekannteZoneWirdBerlin()
    {
        TIcsKalender kalender(QByteArrayLiteral("Mars/Olympus_Mons"));
        QCOMPARE(kalender.Zeitzone(), QByteArrayLiteral("Europe/Berlin"));
    }

    void kalenderZeitzone_data()
    {
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("named zone")
            << QByteArray("America/New_York") << QByteArray("America/New_York");
        QTest::newRow("UTC") << QByteArray("UTC") << QByteArray("Europe/Berlin");
        QTest::newRow("Etc/UTC") << QByteArray("Etc/UTC") << QByteArray("Europe/Berlin");
        QTest::newRow("unknown") << QByteArray("Mars/Olympus_Mons") << QByteArray("Europe/Berlin");
    }

    void kalenderZeitzone()
    {
        QFETCH(QByteArray, tz);
        QFETCH(QByteArray, zone);
        const QByteArray vorher = qgetenv("TZ");
        const bool hatteTz = qEnvironmentVariableIsSet("TZ");
        qputenv("TZ", tz);
        const QByteArray ergebnis = KalenderZeitzone();
        if (hatteTz)
            qputenv("TZ", vorher);
        else
            qunsetenv("TZ");
        QCOMPARE(ergebnis, zone);
    }

    void keineAufgaben()
    {
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("leer.ics"));
        QString fehler;
        QVERIFY2(TermineSchreiben({}, pfad, &fehler), qPrintable(fehler));
        const IcsLesen::Kalender k = IcsLesen::DateiLesen(pfad);
        QVERIFY(k.gelesen);
        QCOMPARE(k.ereignisse.size(), 0);
        QCOMPARE(k.zonen.size(), 1);
    }

    void schreibfehlerWirdGemeldet()
    {
        QTemporaryDir dir;
        // Tests run as root, who may write anywhere: a folder that is a file stops even root.
        const QString datei = dir.filePath(QStringLiteral("kein-ordner"));
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString pfad = datei + QStringLiteral("/termine.ics");

        QString fehler;
        QVERIFY(!TermineSchreiben({Aufgabe(QStringLiteral("a"), QDate(2026, 5, 3), 17, 1)}, pfad,
                                  &fehler));
        QVERIFY2(
            fehler.startsWith(
                QStringLiteral("Die Termindatei „%1“ konnte nicht geschrieben werden: ").arg(pfad)),
            qPrintable(fehler));
    }

    void fehlschlagBehaeltDieAlteDatei()
    {
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("termine.ics"));
        TIcsKalender kalender;
        const double tag = Tageszahl::ausDatum(QDate(2026, 5, 3));
        kalender.TerminHinzufuegen(QStringLiteral("eins"), {}, tag + 0.25, tag + 0.5);
        kalender.Schreiben(pfad);
        const QByteArray vorher = Lesen(pfad);

        for (int i = 0; i < 20; ++i)
            kalender.TerminHinzufuegen(QStringLiteral("mehr"), QStringLiteral("Text ").repeated(50),
                                       tag, tag + 0.1);
        {
            const Dateigroessengrenze grenze(rlim_t(vorher.size() + 200));
            QVERIFY_THROWS_EXCEPTION(KalenderFehler, kalender.Schreiben(pfad));
        }
        QCOMPARE(Lesen(pfad), vorher);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("termine.ics")});
    }
};

QTEST_GUILESS_MAIN(TestIcsDatei)
#include "tst_icsdatei.moc"
