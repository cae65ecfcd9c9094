// Loading a file named in UTF-8, as the window's menu command loads one: in
// binary mode, the observation reader applying the text rules alike on
// every platform.
#pragma once

#include <string>

#include "observations/ObservationFile.h"

LoadResult LoadInputFile(Form& form, const std::string& path, EstimatorState& state);
