#include "kalenderexport/erinnerung.h"
#include "kalenderexport/exportstand.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The record that keeps an appointment's identity from export to export.
class TestExportstand final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void revisionen_data();
    void revisionen();
    void beschaedigterStand_data();
    void beschaedigterStand();
    void erinnerung_data();
    void erinnerung();
};

namespace {

Kalendertermin Termin(const QString& betreff)
{
    return {betreff,
            QStringLiteral("Rat"),
            Ortszeit{QDate(2026, 5, 4), QTime(8, 0)},
            Ortszeit{QDate(2026, 5, 4), QTime(9, 0)},
            {},
            -1};
}

const QDateTime kErst(QDate(2026, 5, 3), QTime(9, 0), Qt::UTC);
const QDateTime kDann(QDate(2026, 5, 10), QTime(9, 0), Qt::UTC);

} // namespace

void TestExportstand::revisionen_data()
{
    QTest::addColumn<QString>("zweiterBetreff");
    QTest::addColumn<bool>("neueRevision");
    QTest::newRow("unchanged") << QStringLiteral("Packen") << false;
    QTest::newRow("title changed") << QStringLiteral("Kisten packen") << true;
}

void TestExportstand::revisionen()
{
    QFETCH(QString, zweiterBetreff);
    QFETCH(bool, neueRevision);
    QTemporaryDir ordner;
    Terminkennung erst;
    {
        Exportstand stand(ordner.path(), QStringLiteral("abc"));
        erst = stand.Kennung(7, Termin(QStringLiteral("Packen")), kErst);
        QVERIFY(stand.Speichern(nullptr));
    }
    QCOMPARE(erst.Uid, QStringLiteral("kistenlotse-abc-7@kistenlotse"));
    QCOMPARE(erst.Sequenz, Exportstand::Zeitfolge(kErst));
    QCOMPARE(erst.GeaendertAm, kErst);

    Exportstand stand(ordner.path(), QStringLiteral("abc"));
    const Terminkennung dann = stand.Kennung(7, Termin(zweiterBetreff), kDann);
    QCOMPARE(dann.Uid, erst.Uid);
    QCOMPARE(dann.Sequenz > erst.Sequenz, neueRevision);
    QCOMPARE(dann.GeaendertAm, neueRevision ? kDann : kErst);
    // Another plan's appointments are other ones.
    QCOMPARE(Exportstand(ordner.path(), QStringLiteral("xyz"))
                 .Kennung(7, Termin(QStringLiteral("Packen")), kErst)
                 .Uid,
             QStringLiteral("kistenlotse-xyz-7@kistenlotse"));
    // Without a plan ID nothing is kept and nothing is promised.
    QVERIFY(Exportstand(ordner.path(), {})
                .Kennung(7, Termin(QStringLiteral("x")), kErst)
                .Uid.isEmpty());
}

void TestExportstand::beschaedigterStand_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\x01\xff kaputt\n7 x y z\n");
    QTest::newRow("negative sequence") << QByteArray("7 -5 2026-05-03T09:00:00Z abc\n");
    QTest::newRow("sequence above int") << QByteArray("7 99999999999 2026-05-03T09:00:00Z a\n");
}

// A damaged record counts as no export yet: the appointment keeps its UID and the revision
// starts from the clock, above any earlier one.
void TestExportstand::beschaedigterStand()
{
    QFETCH(QByteArray, inhalt);
    QTemporaryDir ordner;
    QFile datei(ordner.filePath(QStringLiteral("export-abc.txt")));
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(inhalt);
    datei.close();
    Exportstand stand(ordner.path(), QStringLiteral("abc"));
    const Terminkennung k = stand.Kennung(7, Termin(QStringLiteral("Packen")), kDann);
    QCOMPARE(k.Uid, QStringLiteral("kistenlotse-abc-7@kistenlotse"));
    QCOMPARE(k.Sequenz, Exportstand::Zeitfolge(kDann));
    QVERIFY(stand.Speichern(nullptr));
}

void TestExportstand::erinnerung_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<QDate>("tag");
    QTest::addColumn<QTime>("beginn");
    QTest::addColumn<int>("minuten");
    QTest::addColumn<QString>("text");
    const int keine = int(Erinnerung::Keine);
    const int vortag = int(Erinnerung::VortagAchtzehnUhr);
    const int stunde = int(Erinnerung::EineStundeVorher);
    QTest::newRow("none") << keine << QDate(2026, 5, 4) << QTime(8, 0) << -1
                          << QStringLiteral("keine");
    QTest::newRow("day before, 08:00") << vortag << QDate(2026, 5, 4) << QTime(8, 0) << 14 * 60
                                       << QStringLiteral("am Vortag um 18 Uhr");
    QTest::newRow("day before, 23:30") << vortag << QDate(2026, 5, 4) << QTime(23, 30)
                                       << 29 * 60 + 30 << QStringLiteral("am Vortag um 18 Uhr");
    // Summer time begins in the night before 29 March 2026: 18:00 stays 18:00.
    QTest::newRow("day before, across the clock change")
        << vortag << QDate(2026, 3, 29) << QTime(8, 0) << 13 * 60
        << QStringLiteral("am Vortag um 18 Uhr");
    QTest::newRow("an hour before") << stunde << QDate(2026, 5, 4) << QTime(0, 30) << 60
                                    << QStringLiteral("eine Stunde vorher");
}

void TestExportstand::erinnerung()
{
    QFETCH(int, art);
    QFETCH(QDate, tag);
    QFETCH(QTime, beginn);
    QFETCH(int, minuten);
    QFETCH(QString, text);
    QCOMPARE(ErinnerungAusWert(art), Erinnerung(art));
    QCOMPARE(ErinnerungVorlauf(Erinnerung(art), {tag, beginn}, "Europe/Berlin"), minuten);
    QCOMPARE(ErinnerungsTexte().at(art), text);
    QCOMPARE(ErinnerungAusWert(7), Erinnerung::Keine); // a damaged setting
}

QTEST_MAIN(TestExportstand)
#include "tst_exportstand.moc"
