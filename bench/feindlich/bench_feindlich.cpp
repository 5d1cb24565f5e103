// The hostile plan files of the file tests, opened and shown as the window does it: how long
// each takes and how much memory it needs at its peak, next to the same for the plan the
// catalogue makes (44 tasks) in the same run.

#include "app/kalenderform.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"
#include "tests/support/feindlicheplaene.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QScrollArea>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Datei
{
    std::string name;
    QString pfad;
};

QTemporaryDir& Ordner()
{
    static QTemporaryDir ordner;
    return ordner;
}

// What the open command does, up to the first picture of the calendar.
void Zeigen(TKalenderForm& f, const QString& pfad)
{
    f.Dokument().Laden(pfad, nullptr);
    f.KalenderNeuAufbauen();
    f.KalenderAktualisieren();
    QWidget* sicht = f.Kalenderflaeche()->viewport();
    QImage bild(sicht->size(), QImage::Format_ARGB32_Premultiplied);
    sicht->render(&bild);
}

std::unique_ptr<TKalenderForm> Fenster()
{
    auto f = std::make_unique<TKalenderForm>(
        Fensterumgebung{.einstellungsPfad = Ordner().filePath(QStringLiteral("kistenlotse.ini"))});
    f->resize(1280, 900);
    f->show();
    return f;
}

double ResidentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> teile = statm.readAll().split(' ');
    return teile.size() > 1
               ? teile[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
               : 0;
}

struct Spitze
{
    double gesamt = 0;  // peak resident memory of a process that opens and shows the file
    double zuwachs = 0; // what opening and showing added to it
};

// Measured in a child process, whose peak is its own: it starts as a copy of this process
// with a window of its own and then opens the file once.
Spitze SpitzeMessen(const QString& pfad)
{
    int rohr[2];
    if (pipe(rohr) != 0)
        return {};
    const pid_t kind = fork();
    if (kind == 0) {
        auto f = Fenster();
        const double anfang = ResidentMiB();
        Zeigen(*f, pfad);
        rusage r{};
        getrusage(RUSAGE_SELF, &r);
        const double werte[2] = {double(r.ru_maxrss) / 1024.0,
                                 double(r.ru_maxrss) / 1024.0 - anfang};
        (void)!write(rohr[1], werte, sizeof werte);
        _exit(0);
    }
    close(rohr[1]);
    double werte[2] = {0, 0};
    (void)!read(rohr[0], werte, sizeof werte);
    close(rohr[0]);
    int status = 0;
    waitpid(kind, &status, 0);
    return {werte[0], werte[1]};
}

void Oeffnen(benchmark::State& state, const QString& pfad)
{
    // First the memory, while this process holds no plan: what the runs before freed is
    // given back, so the child starts from the size of a program with an empty window.
    malloc_trim(0);
    const Spitze spitze = SpitzeMessen(pfad);
    auto f = Fenster();
    for (auto _ : state)
        Zeigen(*f, pfad);
    state.counters["Aufgaben"] = double(f->plan().Aufgaben().size());
    state.counters["SpitzeMiB"] = spitze.gesamt;
    state.counters["ZuwachsMiB"] = spitze.zuwachs;
    state.counters["DateiMiB"] = double(QFileInfo(pfad).size()) / (1024.0 * 1024.0);
}

QString KatalogPlan()
{
    Plan plan;
    plan.situation().BundeslandA = 3;
    plan.situation().BundeslandB = 9;
    plan.situation().Einzugdatum = QStringLiteral("01.06.2027");
    plan.situation().Auszugdatum = QStringLiteral("15.06.2027");
    plan.AbfolgeSuchen(Tageszahl::ausDatum(QDate(2027, 6, 1)),
                       Tageszahl::ausDatum(QDate(2027, 6, 15)), nullptr);
    QString pfad = Ordner().filePath(QStringLiteral("katalog.kvr"));
    PlanSchreiben(pfad, plan.Aufgaben(), plan.situation(), 0, 35);
    return pfad;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString katalog = KatalogPlan();
    benchmark::RegisterBenchmark("Oeffnen/Katalogplan (Bezug)", [katalog](benchmark::State& s) {
        Oeffnen(s, katalog);
    })->Unit(benchmark::kMillisecond);
    int i = 0;
    for (const FeindlicherPlan& p : FeindlichePlaene()) {
        const QString pfad = Ordner().filePath(QStringLiteral("feindlich%1.kvr").arg(i++));
        QFile datei(pfad);
        if (!datei.open(QIODevice::WriteOnly) || datei.write(p.inhalt) != p.inhalt.size())
            return 1;
        datei.close();
        benchmark::RegisterBenchmark((std::string("Oeffnen/") + p.name).c_str(),
                                     [pfad](benchmark::State& s) { Oeffnen(s, pfad); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
