// The benchmark program's entry: runs every benchmark, then prints how a
// worst-case estimation compares with its 4,800 bare formula evaluations,
// both measured in this run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto worst = reporter.nanoseconds.find("BM_SelectDefense/worst_case");
    const auto formula = reporter.nanoseconds.find("BM_ComputeDamage4800");
    if (worst != reporter.nanoseconds.end() && formula != reporter.nanoseconds.end())
        std::printf("\nworst-case estimation / 4,800 formula evaluations: %.2f (%.1f us / %.1f us)\n",
                    worst->second / formula->second, worst->second / 1000, formula->second / 1000);
    return 0;
}
