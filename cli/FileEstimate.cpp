#include "cli/FileEstimate.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "estimator/DebugTrace.h"
#include "estimator/EstimatorState.h"
#include "observations/ObservationFile.h"

namespace {

void TraceToStream(void* stream, const char* text)
{
    *static_cast<std::ostream*>(stream) << text;
}

// Routes the trace for one scope and always takes it down again.
class TraceScope {
public:
    explicit TraceScope(std::ostream* stream) { SetTraceSink(stream ? TraceToStream : nullptr, stream); }
    ~TraceScope() { SetTraceSink(nullptr); }
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;
};

} // namespace

EstimateResult EstimateFile(const std::string& file, bool allCandidates, std::ostream* trace)
{
    EstimateResult result;
    result.file = file;
    // About 130 KB: on the heap, one per estimation.
    const auto state = std::make_unique<EstimatorState>();
    {
        TraceScope scope(trace);
        result.load = file == "-" ? LoadObservationsFromStream(result.form, stdin, *state)
                                  : LoadObservationsFromFile(result.form, file.c_str(), *state);
    }
    if (result.load.failure == LoadFailure::None)
        result.analysis = AnalyseEstimate(result.form, *state, allCandidates);
    return result;
}
