#include "bench/support/verhaeltnis.h"
#include "model/plan.h"
#include "model/tageszahl.h"

#include <algorithm>
#include <cmath>
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
        plan.situation().BundeslandA = 13;
        plan.situation().BundeslandB = 2;
        plan.AbfolgeSuchen(einzug, auszug, nullptr, katalog);
        benchmark::DoNotOptimize(plan.Aufgaben().data());
        if (!plan.keineAbfolge())
            state.SkipWithError("the search should have given up");
    }
}
BENCHMARK(BM_AbfolgeSuchenSchlimmsterFall)->Unit(benchmark::kMillisecond);

// Reference: the same 367 attempts on flat arrays made before the loop, every day checked
// directly, the order relations as index pairs.
void BM_AbfolgeFlacheFelder(benchmark::State& state)
{
    Plan vorlage;
    vorlage.situation().BundeslandA = 13;
    vorlage.situation().BundeslandB = 2;
    vorlage.KatalogLaden(false, KatalogMitZyklus());
    vorlage.AufgabenAuswaehlen(false, false, false, false);
    std::vector<double> versatz;
    std::vector<double> beginn;
    std::vector<char> sonntags;
    std::vector<std::pair<int, int>> paare;
    for (const taufgabe& a : vorlage.Aufgaben()) {
        versatz.push_back(a.Tag);
        beginn.push_back(a.Start < 1 ? 17 : a.Start);
        sonntags.push_back(a.auchSonntags);
        for (qint32 n : a.vorher)
            if (const int f = vorlage.AufgabeSuchen(n); f >= 0)
                paare.emplace_back(f, static_cast<int>(versatz.size()) - 1);
    }
    const double einzug = Tageszahl::ausDatum(QDate(2027, 1, 4));
    const double auszug = einzug + 365;
    std::vector<double> zeit(versatz.size());
    for (auto _ : state) {
        int versuche = 0;
        for (double stichtag = std::trunc((einzug + auszug) / 2), naechster = auszug;
             stichtag >= einzug - 1; stichtag = --naechster) {
            ++versuche;
            for (size_t i = 0; i < versatz.size(); ++i) {
                double tag = versatz[i] + stichtag;
                while (!sonntags[i] && Plan::TagGesperrt(tag, 13, 2))
                    tag -= 1;
                zeit[i] = taufgabe::Zeitpunkt(tag, static_cast<qint32>(beginn[i]));
            }
            if (std::none_of(paare.begin(), paare.end(), [&](const auto& p) {
                    return zeit[size_t(p.first)] >= zeit[size_t(p.second)];
                }))
                state.SkipWithError("an attempt should have failed");
        }
        benchmark::DoNotOptimize(versuche);
    }
}
BENCHMARK(BM_AbfolgeFlacheFelder)->Unit(benchmark::kMillisecond);
const bool abfolge =
    Verhaeltnis::Referenz("BM_AbfolgeSuchenSchlimmsterFall", "BM_AbfolgeFlacheFelder");

// Re-planning a plan of the whole catalogue with notes, done tasks and own tasks for a moving
// day two weeks later, against the plan search alone for the same window.
Plan KatalogPlan()
{
    Plan plan;
    plan.situation().BundeslandA = 3;
    plan.situation().BundeslandB = 9;
    plan.situation().Auszugsrenovierung = true;
    plan.situation().Einzugsrenovierung = true;
    plan.situation().Kinder = true;
    const double einzug = Tageszahl::ausDatum(QDate(2027, 6, 1));
    plan.AbfolgeSuchen(einzug, einzug + 14, nullptr);
    for (taufgabe& a : plan.Aufgaben()) {
        a.Notiz = {QStringLiteral("Notiz zu %1").arg(a.Nummer)};
        a.Erledigt = a.Nummer % 3 == 0;
    }
    for (int i = 0; i < 5; ++i) {
        taufgabe eigene;
        eigene.Nummer = ErsteEigeneAufgabe + i;
        eigene.Kurzbezeichnung = QStringLiteral("Eigene Aufgabe %1").arg(i);
        eigene.Tag = einzug + i;
        eigene.Benutzeraufgabe = true;
        plan.Aufgaben().push_back(eigene);
    }
    return plan;
}

void BM_Umplanen(benchmark::State& state)
{
    const Plan plan = KatalogPlan();
    Situation neu = plan.situation();
    neu.Kinder = false;
    const double einzug = Tageszahl::ausDatum(QDate(2027, 6, 15));
    for (auto _ : state) {
        Umplanung u = plan.Umplanen(neu, einzug, einzug + 14, true);
        benchmark::DoNotOptimize(u.aufgaben.data());
    }
    state.counters["Aufgaben"] = double(plan.Aufgaben().size());
}
BENCHMARK(BM_Umplanen)->Unit(benchmark::kMillisecond);

void BM_AbfolgeSuchenGleichesFenster(benchmark::State& state)
{
    const double einzug = Tageszahl::ausDatum(QDate(2027, 6, 15));
    for (auto _ : state) {
        Plan plan;
        plan.situation().BundeslandA = 3;
        plan.situation().BundeslandB = 9;
        plan.situation().Auszugsrenovierung = true;
        plan.situation().Einzugsrenovierung = true;
        plan.AbfolgeSuchen(einzug, einzug + 14, nullptr);
        benchmark::DoNotOptimize(plan.Aufgaben().data());
    }
}
BENCHMARK(BM_AbfolgeSuchenGleichesFenster)->Unit(benchmark::kMillisecond);
const bool umplanen = Verhaeltnis::Referenz("BM_Umplanen", "BM_AbfolgeSuchenGleichesFenster");

Plan ZehntausendAufgaben()
{
    Plan plan;
    plan.KatalogLaden(false);
    plan.AufgabenTerminieren(Tageszahl::ausDatum(QDate(2027, 6, 1)));
    // 10,000 tasks: the catalogue tasks and user tasks that each name a few others.
    for (qint32 i = 0; static_cast<int>(plan.Aufgaben().size()) < 10000; ++i) {
        taufgabe a;
        a.Nummer = 10001 + i;
        a.Kurzbezeichnung = QStringLiteral("Eigene Aufgabe %1").arg(i);
        a.Tag = 46000 + i % 300;
        a.Start = 1 + i % 48;
        a.vorher = {10001 + (i * 7) % 9000, 7, 4711};
        plan.Aufgaben().push_back(std::move(a));
    }
    return plan;
}

void BM_ReihenfolgePruefen10000(benchmark::State& state)
{
    const Plan plan = ZehntausendAufgaben();
    for (auto _ : state) {
        auto zeilen = plan.ReihenfolgePruefen(10500, 20, 46100);
        benchmark::DoNotOptimize(zeilen);
    }
}
BENCHMARK(BM_ReihenfolgePruefen10000)->Unit(benchmark::kMillisecond);

// Reference: the same check on a sorted index of numbers, counting conflicts without texts.
void BM_ReihenfolgeSortierterIndex(benchmark::State& state)
{
    const Plan plan = ZehntausendAufgaben();
    const Aufgabenliste& a = plan.Aufgaben();
    for (auto _ : state) {
        std::vector<std::pair<qint32, int>> index;
        index.reserve(a.size());
        for (size_t i = 0; i < a.size(); ++i)
            index.emplace_back(a[i].Nummer, static_cast<int>(i));
        std::sort(index.begin(), index.end());
        auto zeit = [&](size_t i) {
            return a[i].Nummer == 10500 ? taufgabe::Zeitpunkt(46100, 20) : a[i].Zeitpunkt();
        };
        int konflikte = 0;
        for (size_t s = 0; s < a.size(); ++s) {
            for (qint32 n : a[s].vorher) {
                const auto f = std::lower_bound(index.begin(), index.end(), std::pair(n, 0));
                if (f != index.end() && f->first == n && zeit(size_t(f->second)) >= zeit(s))
                    ++konflikte;
            }
        }
        benchmark::DoNotOptimize(konflikte);
    }
}
BENCHMARK(BM_ReihenfolgeSortierterIndex)->Unit(benchmark::kMillisecond);
const bool reihenfolge =
    Verhaeltnis::Referenz("BM_ReihenfolgePruefen10000", "BM_ReihenfolgeSortierterIndex");

} // namespace

int main(int argc, char** argv)
{
    return Verhaeltnis::Ausfuehren(argc, argv);
}
