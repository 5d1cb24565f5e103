#include "bench/support/verhaeltnis.h"
#include "model/bigini.h"
#include "model/cp1252.h"
#include "model/dateizugriff.h"
#include "model/katalog.h"
#include "model/plan.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A plan of `anzahl` tasks: the catalogue over and over, with notes and renumbered, dated
// over a year.
Aufgabenliste grosserPlan(int anzahl)
{
    const Aufgabenliste katalog = KatalogAufgaben(Aufgabenkatalog());
    Aufgabenliste plan;
    plan.reserve(static_cast<size_t>(anzahl));
    const double anfang = Tageszahl::ausDatum(QDate(2001, 3, 1));
    for (int i = 0; i < anzahl; ++i) {
        taufgabe a = katalog[static_cast<size_t>(i) % katalog.size()];
        a.Nummer = 10001 + i;
        a.Notiz = {QStringLiteral("Notiz zur Aufgabe %1").arg(i), QString(),
                   QStringLiteral("Schlüssel bei Frau Müller")};
        a.Tag = anfang + i % 365;
        plan.push_back(std::move(a));
    }
    return plan;
}

Situation situation()
{
    Situation s;
    s.BundeslandA = 3;
    s.BundeslandB = 9;
    s.Einzugdatum = QStringLiteral("15.03.2001");
    s.Auszugdatum = QStringLiteral("31.03.2001");
    return s;
}

// Every figure stands next to a reference of the same run: the floor (the same bytes read and
// decoded, or saved atomically and synced).

void PlanSchreibenBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    const Situation s = situation();
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    for (auto _ : state) {
        QString fehler;
        if (!PlanSchreiben(pfad, plan, s, 36948, 364, &fehler))
            state.SkipWithError(qPrintable(fehler));
    }
    state.counters["Bytes"] = static_cast<double>(QFileInfo(pfad).size());
}

// Reference: an atomic, synced save of the same bytes.
void GleicheBytesSpeichernBench(benchmark::State& state)
{
    TBigIniFile ini = TBigIniFile::ausBytes({});
    PlanEintragen(ini, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    const QByteArray bytes = ini.Inhalt();
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    for (auto _ : state) {
        QString fehler;
        if (!Dateizugriff::Ersetzen(pfad, bytes, &fehler))
            state.SkipWithError(qPrintable(fehler));
    }
}

void PlanLadenBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    PlanSchreiben(pfad, plan, situation(), 36948, 364);
    for (auto _ : state) {
        Aufgabenliste aufgaben;
        Situation s;
        if (!PlanLaden(pfad, aufgaben, s) || aufgaben.size() != plan.size())
            state.SkipWithError("Laden gescheitert");
        benchmark::DoNotOptimize(aufgaben.data());
        // Freeing the plan is not part of reading it.
        state.PauseTiming();
        Aufgabenliste().swap(aufgaben);
        state.ResumeTiming();
    }
    state.counters["Bytes"] = static_cast<double>(QFileInfo(pfad).size());
}

// Reference: reading and decoding the same bytes.
void GleicheBytesLesenBench(benchmark::State& state)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    PlanSchreiben(pfad, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    for (auto _ : state) {
        QByteArray bytes;
        QString fehler;
        Dateizugriff::Lesen(pfad, TBigIniFile::GroessteDatei, &bytes, &fehler);
        benchmark::DoNotOptimize(Cp1252::dekodieren(bytes).size());
    }
}

// The parts without the disk: filling a store and turning it into bytes.
void PlanEintragenBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    const Situation s = situation();
    for (auto _ : state) {
        TBigIniFile ini = TBigIniFile::ausBytes({});
        PlanEintragen(ini, plan, s, 36948, 364);
        benchmark::DoNotOptimize(ini.AnzahlAbschnitte());
    }
}

void InhaltBench(benchmark::State& state)
{
    TBigIniFile ini = TBigIniFile::ausBytes({});
    PlanEintragen(ini, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.Inhalt().size());
}

void PlanLesenOhnePlatteBench(benchmark::State& state)
{
    TBigIniFile quelle = TBigIniFile::ausBytes({});
    PlanEintragen(quelle, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    const QByteArray bytes = quelle.Inhalt();
    for (auto _ : state) {
        Aufgabenliste aufgaben;
        Situation s;
        PlanLaden(TBigIniFile::ausBytes(bytes), aufgaben, s);
        benchmark::DoNotOptimize(aufgaben.data());
        state.PauseTiming();
        Aufgabenliste().swap(aufgaben);
        state.ResumeTiming();
    }
}

} // namespace

// A plan of 500 tasks (the catalogue eleven times over) is what a user with many own tasks
// may reach; it must open and save within 50 ms.
BENCHMARK(PlanSchreibenBench)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(GleicheBytesSpeichernBench)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLadenBench)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(GleicheBytesLesenBench)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanEintragenBench)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(InhaltBench)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLesenOhnePlatteBench)->Arg(500)->Unit(benchmark::kMillisecond);

namespace {
const bool schreiben =
    Verhaeltnis::Referenz("PlanSchreibenBench/500", "GleicheBytesSpeichernBench/500");
const bool laden = Verhaeltnis::Referenz("PlanLadenBench/500", "GleicheBytesLesenBench/500");
} // namespace

int main(int argc, char** argv)
{
    return Verhaeltnis::Ausfuehren(argc, argv);
}
