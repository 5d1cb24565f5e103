#include "dateihilfe.h"
#include "model/ordner.h"
#include "model/plandatei.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// Sets an environment variable (or removes it, for nullopt) while alive.
class Umgebung final
{
public:
    Umgebung(const char* name, const std::optional<QByteArray>& wert)
        : m_name(name),
          m_alt(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                : std::nullopt)
    {
        setzen(wert);
    }
    ~Umgebung() { setzen(m_alt); }
    Umgebung(const Umgebung&) = delete;
    Umgebung& operator=(const Umgebung&) = delete;

private:
    void setzen(const std::optional<QByteArray>& wert)
    {
        if (wert)
            qputenv(m_name, *wert);
        else
            qunsetenv(m_name);
    }
    const char* m_name;
    std::optional<QByteArray> m_alt;
};

} // namespace

class TestOrdner final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void einstellungsPfad_data();
    void einstellungsPfad();
    void einstellungenOhneDatei();
};

void TestOrdner::einstellungsPfad_data()
{
    QTest::addColumn<QString>("heim");   // "-" for unset; HEIM is a folder that exists
    QTest::addColumn<QString>("konfig"); // XDG_CONFIG_HOME, "-" for unset
    QTest::addColumn<QString>("pfad");   // "" for none: the settings stay in memory
    const QString weg = QStringLiteral("-");
    QTest::newRow("HOME unset") << weg << weg << QString();
    QTest::newRow("HOME empty") << QString() << weg << QString();
    QTest::newRow("HOME is /") << QStringLiteral("/") << weg << QString();
    QTest::newRow("HOME is //") << QStringLiteral("//") << weg << QString();
    QTest::newRow("HOME relative") << QStringLiteral("heim") << weg << QString();
    QTest::newRow("HOME missing") << QStringLiteral("HEIM/fehlt") << weg << QString();
    QTest::newRow("HOME unset, XDG_CONFIG_HOME set")
        << weg << QStringLiteral("HEIM/konfig")
        << QStringLiteral("HEIM/konfig/Kistenlotse/kistenlotse.ini");
    QTest::newRow("HOME unset, XDG_CONFIG_HOME relative")
        << weg << QStringLiteral("konfig") << QString();
    QTest::newRow("HOME usable") << QStringLiteral("HEIM") << weg
                                 << QStringLiteral("HEIM/.config/Kistenlotse/kistenlotse.ini");
}

// Without a usable home the settings never go to /.config: there is no settings file.
void TestOrdner::einstellungsPfad()
{
    QFETCH(QString, heim);
    QFETCH(QString, konfig);
    QFETCH(QString, pfad);
    QTemporaryDir ordner;
    auto einsetzen = [&](QString text) {
        return text.replace(QStringLiteral("HEIM"), ordner.path());
    };
    const Umgebung h("HOME", heim == u"-"
                                 ? std::nullopt
                                 : std::optional<QByteArray>(QFile::encodeName(einsetzen(heim))));
    const Umgebung k("XDG_CONFIG_HOME", konfig == u"-" ? std::nullopt
                                                       : std::optional<QByteArray>(
                                                             QFile::encodeName(einsetzen(konfig))));
    QTemporaryDir programm;

    QCOMPARE(EinstellungsPfad(programm.path()), einsetzen(pfad));
    QCOMPARE(EinstellungsordnerVorhanden(), !pfad.isEmpty());
}

// The settings then stay in memory: writing them is no failure and leaves no file anywhere.
void TestOrdner::einstellungenOhneDatei()
{
    QString fehler;
    QVERIFY(LastsavedSchreiben(QString(), QStringLiteral("/tmp/umzug.kvr"), &fehler));
    QVERIFY(FensterSchreiben(QString(), QRect(1, 2, 300, 400), &fehler));
    QVERIFY(fehler.isEmpty());
    QCOMPARE(EinstellungenLesen(QString()).fensteroben, -1);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/.config/Kistenlotse")));
    QCOMPARE(OhneEinstellungsdateiText(),
             QStringLiteral("Es gibt keinen Benutzerordner (HOME ist nicht gesetzt oder nennt "
                            "keinen Ordner). Die Einstellungen gelten deshalb nur, bis Sie "
                            "Kistenlotse beenden."));
}

QTEST_GUILESS_MAIN(TestOrdner)
#include "tst_ordner.moc"
