#pragma once

// Every figure next to a reference measured in the same run: a benchmark names its reference
// with Verhaeltnis::Referenz, and the run ends with a table of each figure as a multiple of
// its reference (CPU time; the median when repetitions were asked for).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Verhaeltnis {

inline std::vector<std::pair<std::string, std::string>>& Paare()
{
    static std::vector<std::pair<std::string, std::string>> paare;
    return paare;
}

// `name` and `referenz` are full benchmark names with their arguments ("BM_X/10000").
inline bool Referenz(const std::string& name, const std::string& referenz)
{
    Paare().emplace_back(name, referenz);
    return true;
}

class Bericht final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred)
                continue;
            const std::string name = r.run_name.str();
            const double ms =
                r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
            if (r.run_type == Run::RT_Aggregate) {
                if (r.aggregate_name == "median") {
                    m_ms[name] = ms;
                    m_median[name] = true;
                }
            } else if (!m_median[name]) {
                m_ms[name] = ms; // without repetitions the single run counts
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-44s %10s   %-40s %10s %8s\n", "Messung", "CPU ms", "Referenz", "CPU ms",
                    "Faktor");
        for (const auto& [name, referenz] : Paare()) {
            const auto a = m_ms.find(name);
            const auto b = m_ms.find(referenz);
            if (a == m_ms.end() || b == m_ms.end() || b->second <= 0)
                continue;
            std::printf("%-44s %10.3f   %-40s %10.3f %8.2f\n", name.c_str(), a->second,
                        referenz.c_str(), b->second, a->second / b->second);
        }
    }

private:
    std::map<std::string, double> m_ms;
    std::map<std::string, bool> m_median;
};

inline int Ausfuehren(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Bericht bericht;
    benchmark::RunSpecifiedBenchmarks(&bericht);
    benchmark::Shutdown();
    return 0;
}

} // namespace Verhaeltnis
