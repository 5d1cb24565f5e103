// Sync rounds against a real CalDAV server on loopback: Radicale, started here with a password
// file and a calendar folder of its own, stopped at the end. Figures are wall-clock time (the
// round waits for the server), each next to one plain request to the same server as reference.
//
// Radicale as installed syncs every written event to the disk (fsync of the file and its folder)
// under its storage lock, so a first round of 500 events spends most of its time waiting for
// the disk, not in the program. The runs marked "ohneFsync" use a second Radicale with the
// storage option _filesystem_fsync = False (radicale_ohne_fsync.py; Radicale takes it only
// from code, for its own tests), which a real server never gets:
// they show what the program and the protocol cost on loopback. Both are reported.

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

class Radicale final
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
    ~Radicale()
    {
        m_prozess.terminate();
        m_prozess.waitForFinished(5000);
    }
    Radicale(const Radicale&) = delete;
    Radicale& operator=(const Radicale&) = delete;

    bool Laeuft() const { return m_bereit; }
    QUrl Url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }

private:
    QTemporaryDir m_ordner;
    QProcess m_prozess;
    quint16 m_port = 0;
    bool m_bereit = false;
};

// The server as installed, or the one without fsync.
Radicale& Server(bool ohneFsync = false)
{
    static Radicale wieInstalliert(false);
    static Radicale schnell(true);
    return ohneFsync ? schnell : wieInstalliert;
}

CalDavZugang Zugang()
{
    CalDavZugang z;
    z.Benutzer = kBenutzer;
    z.Passwort = kPasswort;
    return z;
}

QUrl NeuerKalender(CalDavVerbindung& v, bool ohneFsync = false)
{
    QUrl heimat = Server(ohneFsync).Url().resolved(QUrl(kBenutzer + QLatin1Char('/')));
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

bool Bereit(benchmark::State& state, bool ohneFsync = false)
{
    if (!Server(ohneFsync).Laeuft()) {
        state.SkipWithError("radicale startet nicht (Paket radicale)");
        return false;
    }
    return true;
}

// Reference: one PROPFIND of a calendar's properties, answered by the same server.
void BM_EineAnfrage(benchmark::State& state)
{
    if (!Bereit(state))
        return;
    CalDavVerbindung v(Zugang());
    const QUrl kalender = NeuerKalender(v);
    for (auto _ : state) {
        QEventLoop schleife;
        v.Anfrage("PROPFIND", kalender, DavAnfrage::KalenderListe(),
                  {{"Depth", "0"}, {"Content-Type", "application/xml"}},
                  [&](const CalDavAntwort&) { schleife.quit(); });
        schleife.exec();
    }
}
BENCHMARK(BM_EineAnfrage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first round of a plan: every task a new event. Second argument 1: the server without
// fsync.
void BM_ErsteRunde(benchmark::State& state)
{
    const bool ohneFsync = state.range(1) != 0;
    if (!Bereit(state, ohneFsync))
        return;
    const auto anzahl = static_cast<int>(state.range(0));
    CalDavVerbindung v(Zugang());
    for (auto _ : state) {
        state.PauseTiming();
        TestPartner p;
        p.aufgaben = Plan(anzahl);
        CalDavStand stand{NeuerKalender(v, ohneFsync).toString(), {}, {}};
        state.ResumeTiming();
        const CalDavBericht r = RundeDurchlaufen(v, p, stand, NeuePlanId());
        if (!r.Erfolg() || r.Angelegt != anzahl)
            state.SkipWithError(qPrintable(r.Fehler.Text));
    }
}
BENCHMARK(BM_ErsteRunde)
    ->ArgNames({"Aufgaben", "ohneFsync"})
    ->Args({44, 0})
    ->Args({500, 0})
    ->Args({44, 1})
    ->Args({500, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// Reference for the runs without fsync: one PROPFIND to that server.
void BM_EineAnfrageOhneFsync(benchmark::State& state)
{
    if (!Bereit(state, true))
        return;
    CalDavVerbindung v(Zugang());
    const QUrl kalender = NeuerKalender(v, true);
    for (auto _ : state) {
        QEventLoop schleife;
        v.Anfrage("PROPFIND", kalender, DavAnfrage::KalenderListe(),
                  {{"Depth", "0"}, {"Content-Type", "application/xml"}},
                  [&](const CalDavAntwort&) { schleife.quit(); });
        schleife.exec();
    }
}
BENCHMARK(BM_EineAnfrageOhneFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

// A round with nothing changed on either side.
void BM_RundeUnveraendert(benchmark::State& state)
{
    if (!Bereit(state))
        return;
    CalDavVerbindung v(Zugang());
    TestPartner p;
    p.aufgaben = Plan(static_cast<int>(state.range(0)));
    CalDavStand stand{NeuerKalender(v).toString(), {}, {}};
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
BENCHMARK(BM_RundeUnveraendert)->Arg(44)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same table as bench/support/verhaeltnis.h, in wall-clock time.
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
        const auto referenz = m_ms.find("BM_EineAnfrage/real_time");
        const auto referenzOhne = m_ms.find("BM_EineAnfrageOhneFsync/real_time");
        std::printf("\n%-62s %10s %8s %10s\n", "Messung", "ms", "Faktor", "Grenze ms");
        const std::map<std::string, double> grenzen{
            {"BM_ErsteRunde/Aufgaben:44/ohneFsync:0/iterations:3/real_time", 2000},
            {"BM_ErsteRunde/Aufgaben:500/ohneFsync:0/iterations:3/real_time", 10000},
            {"BM_ErsteRunde/Aufgaben:44/ohneFsync:1/iterations:3/real_time", 2000},
            {"BM_ErsteRunde/Aufgaben:500/ohneFsync:1/iterations:3/real_time", 10000},
            {"BM_RundeUnveraendert/44/real_time", 300}};
        for (const auto& [name, ms] : m_ms) {
            const auto g = grenzen.find(name);
            // Each against the single request to its own server.
            const auto r = name.find("ohneFsync:1") != std::string::npos ||
                                   name.find("OhneFsync") != std::string::npos
                               ? referenzOhne
                               : referenz;
            std::printf("%-62s %10.2f %8.1f %10s\n", name.c_str(), ms,
                        r != m_ms.end() && r->second > 0 ? ms / r->second : 0.0,
                        g == grenzen.end() ? ""
                                           : std::to_string(static_cast<int>(g->second)).c_str());
        }
    }

private:
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
