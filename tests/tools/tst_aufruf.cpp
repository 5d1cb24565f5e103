// The command lines of both programs as a user types them: --help, --version, wrong calls and a
// start without a display.

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>

namespace {

struct Lauf
{
    int code = -1;
    QString aus;
    QString fehler;
};

// Runs `programm` without a display unless `plattform` names one.
Lauf Starten(const QString& programm, const QStringList& args, const QString& plattform = {})
{
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove(QStringLiteral("DISPLAY"));
    umgebung.remove(QStringLiteral("WAYLAND_DISPLAY"));
    umgebung.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!plattform.isEmpty())
        umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), plattform);
    p.setProcessEnvironment(umgebung);
    p.start(programm, args);
    if (!p.waitForFinished(60000))
        p.kill();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

const QString Programm = QStringLiteral(KL_PROGRAMM);
const QString Werkzeug = QStringLiteral(KL_WERKZEUG);

} // namespace

class TestAufruf final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void version_data();
    void version();
    void programmHilfe();
    void werkzeugHilfe_data();
    void werkzeugHilfe();
    void ohneBildschirm();
    void falscherAufruf_data();
    void falscherAufruf();
};

void TestAufruf::version_data()
{
    QTest::addColumn<QString>("programm");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("name");
    QTest::newRow("kistenlotse --version")
        << Programm << QStringList{QStringLiteral("--version")} << "Kistenlotse";
    QTest::newRow("kistenlotse -v")
        << Programm << QStringList{QStringLiteral("-v")} << "Kistenlotse";
    QTest::newRow("kistenlotse-plan --version")
        << Werkzeug << QStringList{QStringLiteral("--version")} << "kistenlotse-plan";
    // Anywhere on the line, even after a command.
    QTest::newRow("kistenlotse-plan neu --version")
        << Werkzeug << QStringList{QStringLiteral("neu"), QStringLiteral("--version")}
        << "kistenlotse-plan";
}

void TestAufruf::version()
{
    QFETCH(QString, programm);
    QFETCH(QStringList, args);
    QFETCH(QString, name);
    const Lauf l = Starten(programm, args);
    QCOMPARE(l.code, 0);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^%1 \\d+\\.\\d+\\n$").arg(name)).match(l.aus).hasMatch(),
        qPrintable(l.aus));
}

void TestAufruf::programmHilfe()
{
    const Lauf l = Starten(Programm, {QStringLiteral("--help")});
    QCOMPARE(l.code, 0);
    QVERIFY2(l.aus.contains(QStringLiteral("[PLAN.kvr]")), qPrintable(l.aus));
    QVERIFY(l.aus.contains(QStringLiteral("--version")));
    QVERIFY(l.aus.contains(
        QStringLiteral("Ein gespeicherter Plan, mit dem das Programm statt mit dem")));
    QVERIFY(l.fehler.isEmpty());
}

void TestAufruf::werkzeugHilfe_data()
{
    QTest::addColumn<QString>("wort");
    for (const char* wort :
         {"neu --von LAND --nach LAND --einzug TT.MM.JJJJ --auszug TT.MM.JJJJ", "zeigen PLAN.kvr",
          "ics PLAN.kvr --ausgabe TERMINE.ics",
          "umplanen PLAN.kvr --einzug TT.MM.JJJJ --auszug TT.MM.JJJJ", "feiertage JAHR LAND",
          "--spedition", "--kinder", "--auszugsrenovierung", "--einzugsrenovierung",
          "--speichern <PLAN.kvr>", "--json", "--help", "--version",
          "4 wenn eine Datei nicht geschrieben werden kann"})
        QTest::newRow(wort) << QString::fromUtf8(wort);
}

void TestAufruf::werkzeugHilfe()
{
    QFETCH(QString, wort);
    const Lauf l = Starten(Werkzeug, {QStringLiteral("--help")});
    QCOMPARE(l.code, 0);
    QVERIFY2(l.aus.contains(wort), qPrintable(l.aus));
}

void TestAufruf::ohneBildschirm()
{
    const Lauf l = Starten(Programm, {});
    QCOMPARE(l.code, 1);
    QCOMPARE(l.fehler,
             QStringLiteral(
                 "Kistenlotse braucht eine grafische Oberfläche, findet aber keine Anzeige "
                 "(DISPLAY oder WAYLAND_DISPLAY ist nicht gesetzt).\n"
                 "Starten Sie es in Ihrer Desktop-Sitzung aus dem Menü „Büro“ oder im Terminal "
                 "mit: kistenlotse [PLAN.kvr]\n"
                 "Von einem anderen Rechner aus: ssh -X RECHNER kistenlotse\n"));
    QVERIFY(l.aus.isEmpty());
}

void TestAufruf::falscherAufruf_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("plattform");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("zwei Plandateien")
        << QStringList{QStringLiteral("a.kvr"), QStringLiteral("b.kvr")}
        << QStringLiteral("offscreen")
        << QStringLiteral("Kistenlotse öffnet nur eine Plandatei, nicht 2.\n");
    QTest::newRow("unbekannte Option ohne Anzeige")
        << QStringList{QStringLiteral("--hilfe")} << QString()
        << QStringLiteral("Kistenlotse: Unbekannte Option 'hilfe'.\n");
}

void TestAufruf::falscherAufruf()
{
    QFETCH(QStringList, args);
    QFETCH(QString, plattform);
    QFETCH(QString, meldung);
    const Lauf l = Starten(Programm, args, plattform);
    QCOMPARE(l.code, plattform.isEmpty() ? 1 : 2);
    // The platform plugin may warn first (no XDG_RUNTIME_DIR); the message is the last line.
    QVERIFY2(l.fehler.endsWith(meldung), qPrintable(l.fehler));
}

QTEST_GUILESS_MAIN(TestAufruf)
#include "tst_aufruf.moc"
