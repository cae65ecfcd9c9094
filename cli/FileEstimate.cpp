#include "cli/FileEstimate.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/InputFile.h"
#include "estimator/DebugTrace.h"
#include "estimator/EstimatorState.h"
#include "observations/ObservationFile.h"

namespace {

void TraceToStream(void* stream, const char* text)
{
    *static_cast<std::ostream*>(stream) << text;
}

} // namespace

EstimateResult EstimateFile(const std::string& file, bool allCandidates, std::ostream* trace)
{
    EstimateResult result;
    result.file = file;
    // About 130 KB: on the heap, one per estimation.
    const auto state = std::make_unique<EstimatorState>();
    {
        const TraceScope scope(trace ? TraceToStream : nullptr, trace);
        result.load = file == "-" ? LoadObservationsFromStream(result.form, stdin, *state)
                                  : LoadInputFile(result.form, file, *state);
    }
    if (result.load.failure == LoadFailure::None)
        result.analysis =
            AnalyseEstimate(ReadObservationSet(result.form), result.load.estimate, *state, {allCandidates, false});
    return result;
}
