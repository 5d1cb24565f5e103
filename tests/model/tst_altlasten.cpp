#include "dateihilfe.h"
#include "model/altlasten.h"
#include "model/plandatei.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/file.h>

namespace {

// A file `alterSekunden` old, as a program or a user would leave it.
bool Anlegen(const QString& pfad, qint64 alterSekunden)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write("x") == 1 && f.flush() &&
           f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-alterSekunden),
                         QFileDevice::FileModificationTime);
}

constexpr qint64 kMinute = 60;
constexpr qint64 kStunde = 3600;
constexpr qint64 kTag = 24 * kStunde;

} // namespace

class TestAltlasten final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zwischendateien_data();
    void zwischendateien();
    void termine();
};

void TestAltlasten::zwischendateien_data()
{
    QTest::addColumn<QString>("ordner"); // "plaene" beside the plan saved last, "programm"
                                         // beside the settings, "fremd" elsewhere
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("art"); // "datei", "gesperrt" (a save running), "ordner", "link"
    QTest::addColumn<qint64>("alter");
    QTest::addColumn<bool>("bleibt");

    const QString plaene = QStringLiteral("plaene");
    const QString programm = QStringLiteral("programm");
    const QString datei = QStringLiteral("datei");
    // The user's own copies, whatever their age.
    QTest::newRow("umzug.kvr.backup")
        << plaene << QStringLiteral("umzug.kvr.backup") << datei << 30 * kTag << true;
    QTest::newRow("umzug.kvr.sicher")
        << plaene << QStringLiteral("umzug.kvr.sicher") << datei << 30 * kTag << true;
    QTest::newRow("umzug.kvr.kopie1")
        << plaene << QStringLiteral("umzug.kvr.kopie1") << datei << 30 * kTag << true;
    QTest::newRow("umzug.kvr.Ab3dE9")
        << plaene << QStringLiteral("umzug.kvr.Ab3dE9") << datei << 30 * kTag << true;
    QTest::newRow("kistenlotse.ini.backup")
        << programm << QStringLiteral("kistenlotse.ini.backup") << datei << 30 * kTag << true;
    QTest::newRow("kistenlotse.ini.Ab3dE9")
        << programm << QStringLiteral("kistenlotse.ini.Ab3dE9") << datei << 30 * kTag << true;
    // Names close to the program's own.
    QTest::newRow("suffix added") << plaene << QStringLiteral(".kistenlotse-Ab3dE9.tmp.bak")
                                  << datei << 30 * kTag << true;
    QTest::newRow("five characters")
        << plaene << QStringLiteral(".kistenlotse-Ab3dE.tmp") << datei << 30 * kTag << true;
    QTest::newRow("a hyphen inside")
        << plaene << QStringLiteral(".kistenlotse-Ab3-E9.tmp") << datei << 30 * kTag << true;
    QTest::newRow("an umlaut inside")
        << plaene << QStringLiteral(".kistenlotse-Ab3ÄE9.tmp") << datei << 30 * kTag << true;
    QTest::newRow("not hidden") << plaene << QStringLiteral("kistenlotse-Ab3dE9.tmp") << datei
                                << 30 * kTag << true;
    // The program's own shape: what is not a file, and the file of a save still running, stay.
    QTest::newRow("a folder of that name") << plaene << QStringLiteral(".kistenlotse-Ab3dE9.tmp")
                                           << QStringLiteral("ordner") << 30 * kTag << true;
    QTest::newRow("a link of that name") << plaene << QStringLiteral(".kistenlotse-Ab3dE9.tmp")
                                         << QStringLiteral("link") << 30 * kTag << true;
    QTest::newRow("a save running") << plaene << QStringLiteral(".kistenlotse-Xy12zz.tmp")
                                    << QStringLiteral("gesperrt") << kMinute << true;
    QTest::newRow("a slow save running") << programm << QStringLiteral(".kistenlotse-Xy12zz.tmp")
                                         << QStringLiteral("gesperrt") << 2 * kStunde << true;
    QTest::newRow("elsewhere") << QStringLiteral("fremd")
                               << QStringLiteral(".kistenlotse-q1W2e3.tmp") << datei << 2 * kStunde
                               << true;
    // Left by a killed save: gone at any age.
    QTest::newRow("left beside the plan")
        << plaene << QStringLiteral(".kistenlotse-q1W2e3.tmp") << datei << 2 * kStunde << false;
    QTest::newRow("left a minute ago")
        << plaene << QStringLiteral(".kistenlotse-q1W2e3.tmp") << datei << kMinute << false;
    QTest::newRow("left beside the settings")
        << programm << QStringLiteral(".kistenlotse-0a9Z8y.tmp") << datei << qint64{0} << false;
}

// Only what has exactly the shape of the program's temporary files and has no writer goes;
// the user's files beside the plan and the settings stay, whatever their names.
void TestAltlasten::zwischendateien()
{
    QFETCH(QString, ordner);
    QFETCH(QString, name);
    QFETCH(QString, art);
    QFETCH(qint64, alter);
    QFETCH(bool, bleibt);

    QTemporaryDir programm;
    QTemporaryDir plaene;
    QTemporaryDir fremd;
    const QString einstellungen = programm.filePath(QStringLiteral("kistenlotse.ini"));
    const QString plan = plaene.filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(LastsavedSchreiben(einstellungen, plan));
    QVERIFY(Anlegen(plan, 30 * kTag));
    const QString pfad = (ordner == u"plaene"     ? plaene
                          : ordner == u"programm" ? programm
                                                  : fremd)
                             .filePath(name);
    const QString nutzerdatei = plaene.filePath(QStringLiteral("notizen.txt"));
    QVERIFY(Anlegen(nutzerdatei, 30 * kTag));
    std::unique_ptr<QFile> sperre;
    if (art == u"ordner") {
        QVERIFY(QDir().mkdir(pfad));
    } else if (art == u"link") {
        QVERIFY(QFile::link(nutzerdatei, pfad));
    } else {
        QVERIFY(Anlegen(pfad, alter));
    }
    if (art == u"gesperrt") {
        sperre = std::make_unique<QFile>(pfad);
        QVERIFY(sperre->open(QIODevice::ReadWrite));
        QCOMPARE(::flock(sperre->handle(), LOCK_EX | LOCK_NB), 0);
    }

    AltlastenEntfernen(einstellungen, QString());

    QCOMPARE(QFileInfo(pfad).exists() || QFileInfo(pfad).isSymLink(), bleibt);
    QVERIFY(QFileInfo::exists(plan));
    QVERIFY(QFileInfo::exists(einstellungen));
    QVERIFY(QFileInfo::exists(nutzerdatei));
}

// Calendar files of the program's exports go after a week; others stay.
void TestAltlasten::termine()
{
    QTemporaryDir termine;
    QVERIFY(Anlegen(termine.filePath(QStringLiteral("termine-20260101-101010.ics")), 8 * kTag));
    QVERIFY(Anlegen(termine.filePath(QStringLiteral("termine-20260301-101010.ics")), 6 * kTag));
    QVERIFY(Anlegen(termine.filePath(QStringLiteral("eigene.ics")), 30 * kTag));

    AltlastenEntfernen(QString(), termine.path());

    QCOMPARE(
        Dateinamen(termine.path()),
        (QStringList{QStringLiteral("eigene.ics"), QStringLiteral("termine-20260301-101010.ics")}));
}

QTEST_GUILESS_MAIN(TestAltlasten)
#include "tst_altlasten.moc"
