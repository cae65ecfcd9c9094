#include "cli/InputFile.h"

#include "encoding/TextEncoding.h"
#include "observations/DiskFile.h"

// By its UTF-16 name: the ANSI fopen could not reach a name outside the
// ANSI code page. The window's own loader: a device or a pipe, a folder
// and a file in use fail as they fail there.
LoadResult LoadInputFile(Form& form, const std::string& path, EstimatorState& state)
{
    return LoadObservationsFromDiskFile(form, Utf8ToWide(path).c_str(), state);
}
