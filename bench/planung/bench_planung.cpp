#include "model/plan.h"
#include "model/tageszahl.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// The catalogue with an order cycle added, so no attempt ever succeeds.
std::vector<Taufgdata> KatalogMitZyklus()
{
    const auto original = Aufgabenkatalog();
    std::vector<Taufgdata> k(original.begin(), original.end());
    for (auto& e : k) {
        if (e.Nummer == 9)
            e.vorher = "13,7"; // "Packen" after "Umziehen", which needs "Packen" first
    }
    return k;
}

void BM_AbfolgeSuchenSchlimmsterFall(benchmark::State& state)
{
    const auto katalog = KatalogMitZyklus();
    const double einzug = Tageszahl::ausDatum(QDate(2027, 1, 4));
    const double auszug = einzug + 365;
    for (auto _ : state) {
        Plan plan;
        plan.situation.BundeslandA = 13;
        plan.situation.BundeslandB = 2;
        plan.AbfolgeSuchen(einzug, auszug, nullptr, katalog);
        benchmark::DoNotOptimize(plan.Aufgaben.data());
        if (!plan.keineAbfolge)
            state.SkipWithError("the search should have given up");
    }
}
BENCHMARK(BM_AbfolgeSuchenSchlimmsterFall)->Unit(benchmark::kMillisecond);

void BM_ReihenfolgePruefen10000(benchmark::State& state)
{
    Plan plan;
    plan.KatalogLaden(false);
    plan.AufgabenTerminieren(Tageszahl::ausDatum(QDate(2027, 6, 1)));
    // 10,000 tasks: the catalogue tasks and user tasks that each name a few others.
    for (qint32 i = 0; static_cast<int>(plan.Aufgaben.size()) < 10000; ++i) {
        taufgabe a;
        a.Nummer = 10001 + i;
        a.Kurzbezeichnung = QStringLiteral("Eigene Aufgabe %1").arg(i);
        a.Tag = 46000 + i % 300;
        a.Start = 1 + i % 48;
        a.vorher = {10001 + (i * 7) % 9000, 7, 4711};
        plan.Aufgaben.push_back(std::move(a));
    }
    for (auto _ : state) {
        auto zeilen = plan.ReihenfolgePruefen(10500, 20, 46100);
        benchmark::DoNotOptimize(zeilen);
    }
}
BENCHMARK(BM_ReihenfolgePruefen10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
