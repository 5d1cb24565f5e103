// Sync rounds against CalDAV servers on loopback, each started here and stopped at the end.
// Figures are wall-clock time (the round waits for the server), each as a ratio to one plain
// request to the same server in the same run. The last argument "Server" picks the server:
//
// 0: Radicale as installed. It syncs every written event to the disk (fsync of the file and its
//    folder) under its storage lock, and each PUT also scans the whole collection (UID check,
//    item cache and history cleanup), so n new events cost it O(n²): a first round of 500
//    events measures Radicale far more than the program.
// 1: the same Radicale with the storage option _filesystem_fsync = False
//    (radicale_ohne_fsync.py; Radicale takes it only from code, for its own tests), which a real
//    server never gets: without the disk, the per-PUT scans remain.
// 2: referenzserver.py, calendars in memory at a constant cost per request. It exists to
//    separate what the program and the protocol cost from Radicale's per-write cost: a round
//    against it is the program's own time. A benchmark helper only, never shipped.

#include "kalenderexport/caldavverbindung.h"
#include "kalenderexport/caldavxml.h"
#include "tests/caldav/testpartner.h"
#include "tests/support/testdaten.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

const QString kBenutzer = QStringLiteral("anna");
const QString kPasswort = QStringLiteral("messung");

// A CalDAV server on loopback that the benchmark started and stops at its end.
class Testserver
{
public:
    Testserver() = default;
    virtual ~Testserver() = default;
    Testserver(const Testserver&) = delete;
    Testserver& operator=(const Testserver&) = delete;

    bool Laeuft() const { return m_bereit; }
    QUrl Url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }

protected:
    QProcess m_prozess;
    quint16 m_port = 0;
    bool m_bereit = false;
};

class Radicale final : public Testserver
{
public:
    explicit Radicale(bool ohneFsync)
    {
        QTcpServer frei;
        frei.listen(QHostAddress::LocalHost);
        m_port = frei.serverPort();
        frei.close();
        const QString ordner = m_ordner.path();
        QFile benutzer(ordner + QStringLiteral("/benutzer"));
        benutzer.open(QIODevice::WriteOnly);
        benutzer.write((kBenutzer + QLatin1Char(':') + kPasswort + QLatin1Char('\n')).toUtf8());
        benutzer.close();
        QFile konfiguration(ordner + QStringLiteral("/radicale.conf"));
        konfiguration.open(QIODevice::WriteOnly);
        konfiguration.write(
            QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n"
                           "[auth]\ntype = htpasswd\nhtpasswd_filename = %2/benutzer\n"
                           "htpasswd_encryption = plain\ndelay = 0\n"
                           "[storage]\nfilesystem_folder = %2/kalender\n"
                           "[web]\ntype = none\n[logging]\nlevel = warning\n")
                .arg(m_port)
                .arg(ordner)
                .toUtf8());
        konfiguration.close();
        m_prozess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QString konf = ordner + QStringLiteral("/radicale.conf");
        m_prozess.start(QStringLiteral("/usr/bin/python3"),
                        ohneFsync ? QStringList{QStringLiteral(KL_RADICALE_OHNE_FSYNC), konf}
                                  : QStringList{QStringLiteral("-m"), QStringLiteral("radicale"),
                                                QStringLiteral("--config"), konf});
        for (int i = 0; i < 100; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, m_port);
            if (s.waitForConnected(100)) {
                m_bereit = true;
                return;
            }
            QThread::msleep(100);
        }
    }
    ~Radicale() override
    {
        m_prozess.terminate();
        m_prozess.waitForFinished(5000);
    }
    Radicale(const Radicale&) = delete;
    Radicale& operator=(const Radicale&) = delete;

private:
    QTemporaryDir m_ordner;
};

// The in-memory server of referenzserver.py: it binds a free port itself and names it on its
// first line; it also ends when its standard input closes, so a benchmark that dies takes it along.
class Referenzserver final : public Testserver
{
public:
    Referenzserver()
    {
        m_prozess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_prozess.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral(KL_REFERENZSERVER), kBenutzer, kPasswort});
        while (!m_prozess.canReadLine() && m_prozess.waitForReadyRead(10000)) {
        }
        bool ok = false;
        m_port = static_cast<quint16>(m_prozess.readLine().trimmed().toUInt(&ok));
        m_bereit = ok && m_port != 0;
    }
    ~Referenzserver() override
    {
        m_prozess.closeWriteChannel();
        if (!m_prozess.waitForFinished(2000)) {
            m_prozess.terminate();
            m_prozess.waitForFinished(5000);
        }
    }
    Referenzserver(const Referenzserver&) = delete;
    Referenzserver& operator=(const Referenzserver&) = delete;
};

// The benchmarks' last argument: which server they talk to.
enum Serverart : int64_t
{
    kRadicale = 0,
    kRadicaleOhneFsync = 1,
    kReferenz = 2
};

// Each started on its first use only.
Testserver& Server(int64_t art)
{
    if (art == kRadicaleOhneFsync) {
        static Radicale schnell(true);
        return schnell;
    }
    if (art == kReferenz) {
        static Referenzserver referenz;
        return referenz;
    }
    static Radicale wieInstalliert(false);
    return wieInstalliert;
}

CalDavZugang Zugang()
{
    CalDavZugang z;
    z.Benutzer = kBenutzer;
    z.Passwort = kPasswort;
    return z;
}

QUrl NeuerKalender(CalDavVerbindung& v, int64_t art)
{
    QUrl heimat = Server(art).Url().resolved(QUrl(kBenutzer + QLatin1Char('/')));
    QUrl url;
    QEventLoop schleife;
    v.KalenderAnlegen(heimat, QStringLiteral("Umzug"),
                      [&](const CalDavKalender& k, const CalDavFehler&) {
                          url = k.Url;
                          schleife.quit();
                      });
    schleife.exec();
    return url;
}

Aufgabenliste Plan(int anzahl)
{
    Aufgabenliste a;
    for (int i = 0; i < anzahl; ++i) {
        taufgabe t = Aufgabe(i + 1, "Aufgabe", T(2027, 5, 3) + i % 60, 17 + i % 20, {}, 1);
        t.Kurzbezeichnung = QStringLiteral("Umzugsaufgabe %1").arg(i + 1);
        t.Beschreibung = {QStringLiteral("Ein Rat zu dieser Aufgabe, wie ihn der Katalog gibt."),
                          QStringLiteral("Eine zweite Zeile.")};
        a.push_back(t);
    }
    return a;
}

QString NeuePlanId()
{
    return QUuid::createUuid().toString(QUuid::Id128).left(16);
}

bool Bereit(benchmark::State& state, int64_t art)
{
    if (!Server(art).Laeuft()) {
        state.SkipWithError(art == kReferenz ? "referenzserver.py startet nicht (python3)"
                                             : "radicale startet nicht (Paket radicale)");
        return false;
    }
    return true;
}

// Reference: one PROPFIND of a calendar's properties, answered by the same server.
void BM_EineAnfrage(benchmark::State& state)
{
    const int64_t art = state.range(0);
    if (!Bereit(state, art))
        return;
    CalDavVerbindung v(Zugang());
    const QUrl kalender = NeuerKalender(v, art);
    for (auto _ : state) {
        QEventLoop schleife;
        v.Anfrage("PROPFIND", kalender, DavAnfrage::KalenderListe(),
                  {{"Depth", "0"}, {"Content-Type", "application/xml"}},
                  [&](const CalDavAntwort&) { schleife.quit(); });
        schleife.exec();
    }
}
BENCHMARK(BM_EineAnfrage)
    ->ArgName("Server")
    ->Arg(kRadicale)
    ->Arg(kRadicaleOhneFsync)
    ->Arg(kReferenz)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first round of a plan: every task a new event.
void BM_ErsteRunde(benchmark::State& state)
{
    const int64_t art = state.range(1);
    if (!Bereit(state, art))
        return;
    const auto anzahl = static_cast<int>(state.range(0));
    CalDavVerbindung v(Zugang());
    for (auto _ : state) {
        state.PauseTiming();
        TestPartner p;
        p.aufgaben = Plan(anzahl);
        CalDavStand stand{NeuerKalender(v, art).toString(), {}, {}};
        state.ResumeTiming();
        const CalDavBericht r = RundeDurchlaufen(v, p, stand, NeuePlanId());
        if (!r.Erfolg() || r.Angelegt != anzahl)
            state.SkipWithError(qPrintable(r.Fehler.Text));
    }
}
BENCHMARK(BM_ErsteRunde)
    ->ArgNames({"Aufgaben", "Server"})
    ->ArgsProduct({{44, 500}, {kRadicale, kRadicaleOhneFsync, kReferenz}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// A round with nothing changed on either side.
void BM_RundeUnveraendert(benchmark::State& state)
{
    const int64_t art = state.range(1);
    if (!Bereit(state, art))
        return;
    CalDavVerbindung v(Zugang());
    TestPartner p;
    p.aufgaben = Plan(static_cast<int>(state.range(0)));
    CalDavStand stand{NeuerKalender(v, art).toString(), {}, {}};
    const QString id = NeuePlanId();
    RundeDurchlaufen(v, p, stand, id);
    RundeDurchlaufen(v, p, stand, id); // takes the token past the round's own changes
    int anfragen = 0;
    for (auto _ : state) {
        const int vorher = v.Gesendet();
        const CalDavBericht r = RundeDurchlaufen(v, p, stand, id);
        anfragen = v.Gesendet() - vorher;
        if (!r.Erfolg())
            state.SkipWithError(qPrintable(r.Fehler.Text));
    }
    state.counters["Anfragen"] = anfragen;
}
BENCHMARK(BM_RundeUnveraendert)
    ->ArgNames({"Aufgaben", "Server"})
    ->ArgsProduct({{44}, {kRadicale, kReferenz}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same table as bench/support/verhaeltnis.h, in wall-clock time, each run against the single
// request to its own server.
class Bericht final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && r.run_type == Run::RT_Iteration)
                m_ms[r.run_name.str()] =
                    r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-56s %10s %8s %10s\n", "Messung", "ms", "Faktor", "Grenze ms");
        const std::map<std::string, double> grenzen{{"BM_ErsteRunde/Aufgaben:44/", 2000},
                                                    {"BM_ErsteRunde/Aufgaben:500/", 10000},
                                                    {"BM_RundeUnveraendert/Aufgaben:44/", 300}};
        for (const auto& [name, ms] : m_ms) {
            std::string grenze;
            for (const auto& [anfang, g] : grenzen)
                if (name.rfind(anfang, 0) == 0)
                    grenze = std::to_string(static_cast<int>(g));
            const auto r = m_ms.find("BM_EineAnfrage/Server:" + ServerIn(name) + "/real_time");
            std::printf("%-56s %10.2f %8.1f %10s\n", name.c_str(), ms,
                        r != m_ms.end() && r->second > 0 ? ms / r->second : 0.0, grenze.c_str());
        }
    }

private:
    static std::string ServerIn(const std::string& name)
    {
        const auto stelle = name.find("Server:");
        return stelle == std::string::npos ? std::string() : name.substr(stelle + 7, 1);
    }

    std::map<std::string, double> m_ms;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Bericht bericht;
    benchmark::RunSpecifiedBenchmarks(&bericht);
    benchmark::Shutdown();
    return 0;
}
