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
        a.Notiz = {QStringLiteral("Notiz zur Aufgabe %1").arg(i), QString(), QStringLiteral("Schlüssel bei Frau Müller")};
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

// The store alone: a hostile file of a million tiny sections.
void MillionAbschnitteBench(benchmark::State& state)
{
    QByteArray datei;
    for (int i = 0; i < 1000000; ++i)
        datei += "[" + QByteArray::number(i) + "]\r\nk=1\r\n";
    for (auto _ : state) {
        const TBigIniFile ini = TBigIniFile::ausBytes(datei);
        benchmark::DoNotOptimize(ini.AnzahlAbschnitte());
    }
}

} // namespace

BENCHMARK(PlanSchreibenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLadenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanEintragenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(InhaltBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLesenOhnePlatteBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(MillionAbschnitteBench)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
