#include "dateihilfe.h"
#include "model/dateizugriff.h"
#include "model/plandatei.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

const QByteArray kPlan("[allgemein]\r\nBundeslandA=3\r\n\r\n[21]\r\nKurzbezeichnung=Neu\r\n\r\n");
const QByteArray
    kAlterPlan("[allgemein]\r\nBundeslandA=1\r\n\r\n[7]\r\nKurzbezeichnung=Alt\r\n\r\n");

struct stat StatVon(const QString& pfad)
{
    struct stat st
    {
    };
    ::lstat(QFile::encodeName(pfad).constData(), &st);
    return st;
}

QByteArray AttributVon(const QString& pfad, const char* name)
{
    QByteArray wert(4096, Qt::Uninitialized);
    const ssize_t n =
        ::getxattr(QFile::encodeName(pfad).constData(), name, wert.data(), size_t(wert.size()));
    return n < 0 ? QByteArray() : wert.left(n);
}

bool AttributSetzen(const QString& pfad, const char* name, const QByteArray& wert)
{
    return ::setxattr(QFile::encodeName(pfad).constData(), name, wert.constData(),
                      size_t(wert.size()), 0) == 0;
}

// An access ACL in the kernel's form: owner rw, user 4242 r, owning group r, mask r, others -.
QByteArray Zugriffsliste()
{
    QByteArray acl;
    auto anhaengen = [&](quint32 wert, int laenge) {
        acl.append(reinterpret_cast<const char*>(&wert), laenge);
    };
    anhaengen(2, 4); // version
    const quint32 eintraege[][3] = {
        {0x01, 6, ~0u}, {0x02, 4, 4242}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}};
    for (const auto& e : eintraege) {
        anhaengen(e[0], 2);
        anhaengen(e[1], 2);
        anhaengen(e[2], 4);
    }
    return acl;
}

class Umask final
{
public:
    explicit Umask(mode_t maske) : m_alt(::umask(maske)) {}
    ~Umask() { ::umask(m_alt); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t m_alt;
};

QString Zwischenname(const char* zufall)
{
    return QStringLiteral(".kistenlotse-%1.tmp").arg(QLatin1String(zufall));
}

} // namespace

class TestDateizugriff final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keineFremdenZwischendateien();
    void altlastenNebenDemPlan_data();
    void altlastenNebenDemPlan();
    void schreibgeschuetzt_data();
    void schreibgeschuetzt();
    void bleibtWasEsWar_data();
    void bleibtWasEsWar();
    void harteVerknuepfung();
    void verwaisteVerknuepfung_data();
    void verwaisteVerknuepfung();
    void neueDateiNachUmask_data();
    void neueDateiNachUmask();
    void fremdGeaendert_data();
    void fremdGeaendert();
};

// While a save runs, its temporary file has the program's shape and leaves nothing behind.
void TestDateizugriff::keineFremdenZwischendateien()
{
    QTemporaryDir ordner;
    const QString ziel = ordner.filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(Dateizugriff::Ersetzen(ziel, kPlan, nullptr));
    QCOMPARE(Dateinamen(ordner.path()), QStringList{QStringLiteral("umzug.kvr")});
    QCOMPARE(DateiLesen(ziel), kPlan);
}

void TestDateizugriff::altlastenNebenDemPlan_data()
{
    QTest::addColumn<QString>("wie");
    QTest::addColumn<bool>("gesperrt"); // a save in another process is running
    QTest::addColumn<bool>("bleibt");
    QTest::newRow("saved, writer gone") << QStringLiteral("speichern") << false << false;
    QTest::newRow("saved, save running") << QStringLiteral("speichern") << true << true;
    QTest::newRow("opened, writer gone") << QStringLiteral("laden") << false << false;
    QTest::newRow("opened, save running") << QStringLiteral("laden") << true << true;
    QTest::newRow("opened through a link") << QStringLiteral("link") << false << false;
}

// What a killed save left beside a plan goes when the plan is opened or saved again, at once;
// the file of a save still running stays, and so does everything of the user's.
void TestDateizugriff::altlastenNebenDemPlan()
{
    QFETCH(QString, wie);
    QFETCH(bool, gesperrt);
    QFETCH(bool, bleibt);
    QTemporaryDir ordner;
    QTemporaryDir anderer;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(DateiSchreiben(plan, kAlterPlan));
    const QString rest = ordner.filePath(Zwischenname("q1W2e3"));
    QVERIFY(DateiSchreiben(rest, kPlan.left(10)));
    const QStringList nutzerdateien{QStringLiteral("umzug.kvr.backup"),
                                    QStringLiteral("umzug.kvr.sicher"),
                                    QStringLiteral("umzug.kvr.kopie1")};
    for (const QString& n : nutzerdateien)
        QVERIFY(DateiSchreiben(ordner.filePath(n), kAlterPlan));
    QFile sperre(rest);
    if (gesperrt) {
        QVERIFY(sperre.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(sperre.handle(), LOCK_EX | LOCK_NB), 0);
    }

    Aufgabenliste aufgaben;
    Situation situation;
    if (wie == u"speichern") {
        QVERIFY(Dateizugriff::Ersetzen(plan, kPlan, nullptr));
    } else if (wie == u"laden") {
        QVERIFY(PlanLaden(plan, aufgaben, situation));
    } else {
        const QString link = anderer.filePath(QStringLiteral("verweis.kvr"));
        QVERIFY(QFile::link(plan, link));
        QVERIFY(PlanLaden(link, aufgaben, situation));
    }

    QCOMPARE(QFileInfo::exists(rest), bleibt);
    for (const QString& n : nutzerdateien)
        QCOMPARE(DateiLesen(ordner.filePath(n)), kAlterPlan);
}

void TestDateizugriff::schreibgeschuetzt_data()
{
    QTest::addColumn<int>("rechte");
    QTest::addColumn<bool>("ersetzt");
    QTest::newRow("0444") << 0444 << false;
    QTest::newRow("0400") << 0400 << false;
    QTest::newRow("0464 (the group may write)") << 0464 << false;
    QTest::newRow("0644") << 0644 << true;
    QTest::newRow("0600") << 0600 << true;
    QTest::newRow("0200") << 0200 << true;
}

// A plan the user has write-protected is refused with a message, for root too; every other
// one is replaced and keeps its mode.
void TestDateizugriff::schreibgeschuetzt()
{
    QFETCH(int, rechte);
    QFETCH(bool, ersetzt);
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(DateiSchreiben(plan, kAlterPlan));
    QVERIFY(::chmod(QFile::encodeName(plan).constData(), mode_t(rechte)) == 0);

    QString fehler;
    const bool ok = PlanSchreiben(plan, {}, Situation(), 0, 35, &fehler);

    QCOMPARE(ok, ersetzt);
    QCOMPARE(int(StatVon(plan).st_mode & 07777), rechte);
    if (ersetzt) {
        QVERIFY(DateiLesen(plan) != kAlterPlan);
    } else {
        QCOMPARE(fehler, QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: Die Datei "
                                        "ist schreibgeschützt. Heben Sie den Schreibschutz auf "
                                        "oder speichern Sie unter einem anderen Namen.")
                             .arg(plan));
        QCOMPARE(DateiLesen(plan), kAlterPlan);
    }
    QCOMPARE(Dateinamen(ordner.path()), QStringList{QStringLiteral("umzug.kvr")});
}

void TestDateizugriff::bleibtWasEsWar_data()
{
    QTest::addColumn<QString>("was");
    QTest::newRow("owner and group") << QStringLiteral("eigentuemer");
    QTest::newRow("group of the user") << QStringLiteral("gruppe");
    QTest::newRow("extended attribute") << QStringLiteral("attribut");
    QTest::newRow("ACL") << QStringLiteral("acl");
    QTest::newRow("setgid mode") << QStringLiteral("modus");
}

// The replacement carries what the old file had besides its content.
void TestDateizugriff::bleibtWasEsWar()
{
    QFETCH(QString, was);
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    QVERIFY(DateiSchreiben(plan, kAlterPlan));
    const QByteArray name = QFile::encodeName(plan);
    const bool root = ::geteuid() == 0;
    if (was == u"eigentuemer") {
        if (!root)
            QSKIP("only root may give a file to another user");
        QCOMPARE(::chown(name.constData(), 4242, 4343), 0);
    } else if (was == u"gruppe") {
        // One of the user's groups other than the current one, or root's choice.
        gid_t gruppen[64];
        const int anzahl = ::getgroups(64, gruppen);
        gid_t andere = root ? 4343 : ::getegid();
        for (int i = 0; i < anzahl; ++i) {
            if (gruppen[i] != ::getegid())
                andere = gruppen[i];
        }
        if (andere == ::getegid())
            QSKIP("the user is in one group only");
        QCOMPARE(::chown(name.constData(), uid_t(-1), andere), 0);
    } else if (was == u"attribut") {
        if (!AttributSetzen(plan, "user.kistenlotse.test", "Umzug 2026"))
            QSKIP("the file system takes no extended attributes");
    } else if (was == u"acl") {
        if (!AttributSetzen(plan, "system.posix_acl_access", Zugriffsliste()))
            QSKIP("the file system takes no ACLs");
    } else {
        QCOMPARE(::chmod(name.constData(), 02640), 0);
    }
    const struct stat vorher = StatVon(plan);
    const QByteArray attribut = AttributVon(plan, "user.kistenlotse.test");
    const QByteArray acl = AttributVon(plan, "system.posix_acl_access");

    QString fehler;
    QVERIFY2(Dateizugriff::Ersetzen(plan, kPlan, &fehler), qPrintable(fehler));

    const struct stat nachher = StatVon(plan);
    QCOMPARE(DateiLesen(plan), kPlan);
    QVERIFY(nachher.st_ino != vorher.st_ino);
    QCOMPARE(nachher.st_uid, vorher.st_uid);
    QCOMPARE(nachher.st_gid, vorher.st_gid);
    QCOMPARE(nachher.st_mode, vorher.st_mode);
    QCOMPARE(AttributVon(plan, "user.kistenlotse.test"), attribut);
    QCOMPARE(AttributVon(plan, "system.posix_acl_access"), acl);
    if (was == u"acl")
        QCOMPARE(acl, Zugriffsliste());
}

// A plan with two names: replacing one would leave the other with the old plan, so the save is
// refused with a message and both keep the old plan.
void TestDateizugriff::harteVerknuepfung()
{
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    const QString zweiter = ordner.filePath(QStringLiteral("umzug-kopie.kvr"));
    QVERIFY(DateiSchreiben(plan, kAlterPlan));
    QCOMPARE(::link(QFile::encodeName(plan).constData(), QFile::encodeName(zweiter).constData()),
             0);

    QString fehler;
    QVERIFY(!PlanSchreiben(plan, {}, Situation(), 0, 35, &fehler));

    QCOMPARE(fehler, QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: Die Datei hat "
                                    "weitere Namen (harte Verknüpfungen), die den alten Inhalt "
                                    "behielten. Speichern Sie unter einem anderen Namen.")
                         .arg(plan));
    QCOMPARE(DateiLesen(plan), kAlterPlan);
    QCOMPARE(DateiLesen(zweiter), kAlterPlan);
    QCOMPARE(StatVon(plan).st_ino, StatVon(zweiter).st_ino);
    QCOMPARE(Dateinamen(ordner.path()).size(), 2);
}

void TestDateizugriff::verwaisteVerknuepfung_data()
{
    QTest::addColumn<QString>("verweis"); // what the link says
    QTest::addColumn<QString>("ziel");    // where the plan must land, relative to the folder
    QTest::newRow("absolute") << QStringLiteral("ORDNER/plaene/umzug.kvr")
                              << QStringLiteral("plaene/umzug.kvr");
    QTest::newRow("relative") << QStringLiteral("plaene/umzug.kvr")
                              << QStringLiteral("plaene/umzug.kvr");
    QTest::newRow("relative with ..")
        << QStringLiteral("../ORDNERNAME/plaene/neu.kvr") << QStringLiteral("plaene/neu.kvr");
    QTest::newRow("link to a dangling link")
        << QStringLiteral("zweiter-verweis") << QStringLiteral("plaene/ende.kvr");
}

// A link whose target does not exist yet stays a link; the plan is written where it points.
void TestDateizugriff::verwaisteVerknuepfung()
{
    QFETCH(QString, verweis);
    QFETCH(QString, ziel);
    QTemporaryDir ordner;
    QVERIFY(QDir(ordner.path()).mkdir(QStringLiteral("plaene")));
    verweis.replace(QStringLiteral("ORDNERNAME"), QFileInfo(ordner.path()).fileName());
    verweis.replace(QStringLiteral("ORDNER"), ordner.path());
    const QString link = ordner.filePath(QStringLiteral("verweis.kvr"));
    QCOMPARE(::symlink(QFile::encodeName(verweis).constData(), QFile::encodeName(link).constData()),
             0);
    QCOMPARE(::symlink(
                 "plaene/ende.kvr",
                 QFile::encodeName(ordner.filePath(QStringLiteral("zweiter-verweis"))).constData()),
             0);

    QString fehler;
    QVERIFY2(Dateizugriff::Ersetzen(link, kPlan, &fehler), qPrintable(fehler));

    char gelesen[4096] = {};
    QVERIFY(::readlink(QFile::encodeName(link).constData(), gelesen, sizeof gelesen - 1) > 0);
    QCOMPARE(QFile::decodeName(gelesen), verweis);
    QCOMPARE(DateiLesen(ordner.filePath(ziel)), kPlan);
    QVERIFY(!QFileInfo(ordner.filePath(ziel)).isSymLink());
}

void TestDateizugriff::neueDateiNachUmask_data()
{
    QTest::addColumn<int>("maske");
    QTest::addColumn<int>("vorher"); // mode of the file replaced, 0 for none
    QTest::addColumn<bool>("privat");
    QTest::addColumn<int>("rechte");
    QTest::newRow("new, umask 022") << 022 << 0 << false << 0644;
    QTest::newRow("new, umask 077") << 077 << 0 << false << 0600;
    QTest::newRow("new, umask 027") << 027 << 0 << false << 0640;
    QTest::newRow("new, umask 002") << 002 << 0 << false << 0664;
    QTest::newRow("new private, umask 022") << 022 << 0 << true << 0600;
    QTest::newRow("new private, umask 077") << 077 << 0 << true << 0600;
    QTest::newRow("replaced 0600, umask 022") << 022 << 0600 << false << 0600;
    QTest::newRow("replaced 0664, umask 077") << 077 << 0664 << false << 0664;
    QTest::newRow("replaced 0644, private") << 022 << 0644 << true << 0644;
}

// A new file is no more open than the umask allows (a private one only the user's); a
// replaced one keeps its mode.
void TestDateizugriff::neueDateiNachUmask()
{
    QFETCH(int, maske);
    QFETCH(int, vorher);
    QFETCH(bool, privat);
    QFETCH(int, rechte);
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    if (vorher != 0) {
        QVERIFY(DateiSchreiben(plan, kAlterPlan));
        QCOMPARE(::chmod(QFile::encodeName(plan).constData(), mode_t(vorher)), 0);
    }
    {
        const Umask umaskFuerDenTest{mode_t(maske)};
        QVERIFY(Dateizugriff::Ersetzen(plan, kPlan, nullptr, nullptr,
                                       privat ? Dateizugriff::Neu::Privat
                                              : Dateizugriff::Neu::WieUmask));
    }
    QCOMPARE(int(StatVon(plan).st_mode & 07777), rechte);
}

void TestDateizugriff::fremdGeaendert_data()
{
    QTest::addColumn<QByteArray>("neu"); // empty: the file is removed
    QTest::addColumn<bool>("gleicheZeit");
    QTest::addColumn<bool>("geaendert");
    QByteArray gleichLang = kPlan;
    gleichLang.replace("Neu", "Alt");
    QTest::newRow("same size, same time") << gleichLang << true << true;
    QTest::newRow("same size, new time") << gleichLang << false << true;
    QTest::newRow("other size, same time") << QByteArray(kPlan + "x") << true << true;
    QTest::newRow("only touched") << kPlan << false << false;
    QTest::newRow("untouched") << kPlan << true << false;
    QTest::newRow("removed") << QByteArray() << false << true;
}

// The check before a save notices a second writer by the content, also when size and time
// stayed (coarse time stamps, a copied time).
void TestDateizugriff::fremdGeaendert()
{
    QFETCH(QByteArray, neu);
    QFETCH(bool, gleicheZeit);
    QFETCH(bool, geaendert);
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    Dateistand bekannt;
    QVERIFY(Dateizugriff::Ersetzen(plan, kPlan, nullptr, &bekannt));
    const struct stat vorher = StatVon(plan);

    if (neu.isEmpty()) {
        QVERIFY(QFile::remove(plan));
    } else {
        QFile f(plan);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QCOMPARE(f.write(neu), neu.size());
        f.close();
        const struct timespec zeiten[2] = {
            vorher.st_atim, gleicheZeit ? vorher.st_mtim : timespec{vorher.st_mtim.tv_sec + 5, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(plan).constData(), zeiten, 0), 0);
    }

    const Dateistand jetzt = Dateizugriff::StandJetzt(plan, bekannt);
    QCOMPARE(jetzt != bekannt, geaendert);
    QCOMPARE(jetzt.vorhanden, !neu.isEmpty());
}

QTEST_GUILESS_MAIN(TestDateizugriff)
#include "tst_dateizugriff.moc"
