#include "cli/FileEstimate.h"

#include <cerrno>
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
        if (file == "-") {
            result.load = LoadObservationsFromStream(result.form, stdin, *state);
        } else if (std::FILE* stream = OpenInputFile(file)) {
            result.load = LoadObservationsFromStream(result.form, stream, *state);
            std::fclose(stream);
        } else {
            result.load.failure = LoadFailure::CannotOpen;
            result.load.error = errno != 0 ? errno : ENOENT;
        }
    }
    if (result.load.failure == LoadFailure::None)
        result.analysis =
            AnalyseEstimate(ReadObservationSet(result.form), result.load.estimate, *state, {allCandidates, false});
    return result;
}
