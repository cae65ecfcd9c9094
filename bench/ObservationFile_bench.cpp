#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "form/MemoryForm.h"
#include "observations/ObservationFile.h"

namespace {

// The whole load of 150,000 short data lines from memory: six fill the
// rows, the rest are read, scanned and reported as beyond the sixth.
void BM_LoadShortLines(benchmark::State& state)
{
    std::string bytes;
    for (int k = 0; k < 150000; ++k)
        bytes += "1 1 5 0 0 0 0\n";
    for (auto _ : state) {
        std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
        MemoryForm form;
        const LoadResult result = LoadObservationsFromStream(form, file);
        std::fclose(file);
        benchmark::DoNotOptimize(result.skippedCount);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadShortLines)->Unit(benchmark::kMillisecond);

} // namespace
