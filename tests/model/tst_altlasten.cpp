#include "dateihilfe.h"
#include "model/altlasten.h"
#include "model/plandatei.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

class TestAltlasten final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void altlastenEntfernen();
};

// Leftovers of interrupted saves and old calendar exports go; everything else stays.
void TestAltlasten::altlastenEntfernen()
{
    QTemporaryDir programm;
    QTemporaryDir plaene;
    QTemporaryDir termine;
    const QString einstellungen = programm.filePath(QStringLiteral("kistenlotse.ini"));
    const QString plan = plaene.filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(LastsavedSchreiben(einstellungen, plan));
    const QDateTime jetzt = QDateTime::currentDateTimeUtc();
    auto anlegen = [&](const QString& pfad, qint64 alterSekunden) {
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush();
        QVERIFY(f.setFileTime(jetzt.addSecs(-alterSekunden), QFileDevice::FileModificationTime));
    };
    const qint64 stunde = 3600;
    const qint64 tag = 24 * stunde;
    anlegen(programm.filePath(QStringLiteral("kistenlotse.ini.Ab3dE9")), 2 * stunde);
    anlegen(programm.filePath(QStringLiteral("kistenlotse.ini.Xy12zz")), 60); // a save running now
    anlegen(programm.filePath(QStringLiteral("kistenlotse.ini.bak")), 30 * tag);
    anlegen(programm.filePath(QStringLiteral("kistenlotse.ini.Ab3dE9x")), 30 * tag);
    anlegen(plan, 30 * tag);
    anlegen(plan + QStringLiteral(".q1W2e3"), 2 * stunde);
    anlegen(plaene.filePath(QStringLiteral("anderer.kvr.q1W2e3")), 2 * stunde);
    anlegen(termine.filePath(QStringLiteral("termine-20260101-101010.ics")), 8 * tag);
    anlegen(termine.filePath(QStringLiteral("termine-20260301-101010.ics")), 6 * tag);
    anlegen(termine.filePath(QStringLiteral("eigene.ics")), 30 * tag);

    AltlastenEntfernen(einstellungen, termine.path());

    QCOMPARE(Dateinamen(programm.path()), (QStringList{QStringLiteral("kistenlotse.ini"),
                                                       QStringLiteral("kistenlotse.ini.Ab3dE9x"),
                                                       QStringLiteral("kistenlotse.ini.Xy12zz"),
                                                       QStringLiteral("kistenlotse.ini.bak")}));
    QCOMPARE(Dateinamen(plaene.path()),
             (QStringList{QStringLiteral("anderer.kvr.q1W2e3"), QStringLiteral("umzug.kvr")}));
    QCOMPARE(
        Dateinamen(termine.path()),
        (QStringList{QStringLiteral("eigene.ics"), QStringLiteral("termine-20260301-101010.ics")}));
}

QTEST_GUILESS_MAIN(TestAltlasten)
#include "tst_altlasten.moc"
