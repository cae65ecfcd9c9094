// Loading an observation file on Windows by its UTF-16 name, which may hold
// any character: the window and torume.exe load through here alike. Only a
// file on disk is read. A device or a pipe (COM1, NUL, a named pipe) may
// never end or never send a byte, and would hold the reader, and a window
// reading on its own thread, for good.
#pragma once

#include "observations/ObservationFile.h"

// As LoadObservationsFromFile; a path that names no file on disk fails as
// CannotOpen with LoadErrorNotAFile, a folder with EISDIR, a file another
// program holds with LoadErrorInUse.
LoadResult LoadObservationsFromDiskFile(Form& form, const wchar_t* path);
LoadResult LoadObservationsFromDiskFile(Form& form, const wchar_t* path, EstimatorState& state);
