#include "observations/DiskFile.h"

#include <windows.h>

#include <cerrno>
#include <memory>

#include "estimator/EstimatorState.h"

namespace {

constexpr DWORD ReadPieceSize = 65536;

// The system's error as the loader's cause: the errno the C library would
// set, or the loader's own code where the C library has none.
int LoadError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return LoadErrorInUse;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    default: return EIO;
    }
}

bool IsFolder(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Shared as the C library's fopen shares a file: others may read, write,
// rename and delete it meanwhile. Null, with the cause, when it cannot be read.
HANDLE OpenDiskFile(const wchar_t* path, int& error)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD cause = GetLastError();
        // A folder opens only with backup semantics; without, it is "access denied".
        error = cause == ERROR_ACCESS_DENIED && IsFolder(path) ? EISDIR : LoadError(cause);
        return nullptr;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        error = LoadErrorNotAFile;
        return nullptr;
    }
    return file;
}

} // namespace

LoadResult LoadObservationsFromDiskFile(Form& form, const wchar_t* path)
{
    return LoadObservationsFromDiskFile(form, path, Estimator);
}

// Read through the handle, so a read error keeps the system's cause: a
// part locked by another program is in use, not forbidden.
LoadResult LoadObservationsFromDiskFile(Form& form, const wchar_t* path, EstimatorState& state)
{
    int error = 0;
    HANDLE file = OpenDiskFile(path, error);
    if (!file) {
        LoadResult result{};
        result.failure = LoadFailure::CannotOpen;
        result.error = error;
        return result;
    }
    ObservationReader reader;
    StartObservationRead(reader);
    const auto buffer = std::make_unique<char[]>(ReadPieceSize); // not on the stack
    while (!reader.ended) {
        DWORD size = 0;
        if (!ReadFile(file, buffer.get(), ReadPieceSize, &size, nullptr)) {
            error = LoadError(GetLastError());
            break;
        }
        if (size == 0)
            break; // the end of the file
        ReadObservationBytes(reader, buffer.get(), size);
    }
    CloseHandle(file);
    return FinishObservationRead(form, reader, error, state);
}
