#include "cli/InputFile.h"

LoadResult LoadInputFile(Form& form, const std::string& path, EstimatorState& state)
{
    return LoadObservationsFromFile(form, path.c_str(), state);
}
