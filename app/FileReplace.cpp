#include "app/FileReplace.h"

#include <algorithm>
#include <cwchar>

#include "encoding/TextEncoding.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"

namespace {

constexpr int TemporaryNameAttempts = 100;

// Up to and including the last separator; empty for a bare name, whose
// folder is the current one.
std::wstring FolderOf(const wchar_t* path)
{
    const std::wstring_view whole(path);
    const std::size_t separator = whole.find_last_of(L"\\/:");
    return std::wstring(separator == std::wstring_view::npos ? std::wstring_view() : whole.substr(0, separator + 1));
}

// "~torume-<process id>-<attempt>.tmp" in the folder.
std::wstring TemporaryName(const std::wstring& folder, DWORD process, int attempt)
{
    return folder + L"~torume-" + std::to_wstring(process) + L"-" + std::to_wstring(attempt) + L".tmp";
}

// A short name of its own beside the target: the target's name may be as
// long as a name can be, and another process may be saving there too.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& name)
{
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        name = TemporaryName(folder, GetCurrentProcessId(), attempt);
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// The process that made a temporary file of that name, or 0 when the name
// is not one CreateTemporary makes.
DWORD MakerOf(const wchar_t* name)
{
    unsigned long process = 0;
    int attempt = 0;
    if (std::swscanf(name, L"~torume-%lu-%d.tmp", &process, &attempt) != 2 || attempt < 0 ||
        attempt >= TemporaryNameAttempts)
        return 0;
    // Written back, it must be the very name: no sign, no leading zero, nothing after.
    return TemporaryName(L"", process, attempt) == name ? process : 0;
}

// Any process with that id counts as alive, even one that took the id over
// since the maker ended: its file then waits for a later save. One denied
// to us is alive too.
bool ProcessEnded(DWORD id)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Temporary files of saves cut short (the program killed before its file
// took the target's place) in the folder, each by a process that has
// ended. One that anybody still holds open stays: the delete needs the
// file to itself.
void RemoveLeftovers(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW((folder + L"~torume-*.tmp").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const DWORD maker = MakerOf(found.cFileName);
        if (maker == 0 || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !ProcessEnded(maker))
            continue;
        HANDLE file = CreateFileW((folder + found.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Whether another program holds the file open without letting it be
// deleted, which taking its place needs: Windows then refuses the replace
// with "access denied" or "unable to remove", and the player reads that it
// is in use. Asked before the replace too, as Wine's ReplaceFileW leaves a
// file of its own beside a target it cannot move.
bool HeldByAnotherProgram(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

// The file a symbolic link leads to, so that the link stays a link and its
// file gets the bytes; the path itself when it names no file, or the
// system cannot say.
std::wstring FinalPathOf(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::wstring final(GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED), L'\0');
    final.resize(GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED));
    CloseHandle(file);
    return final.empty() ? std::wstring(path) : final;
}

// A new file's bytes take the name; nothing was there to keep.
DWORD MoveIntoPlace(const std::wstring& temporary, const wchar_t* path)
{
    if (MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED && HeldByAnotherProgram(path) ? ERROR_SHARING_VIOLATION : error;
}

// The attributes a player or another program gave the file (hidden,
// system, not indexed) carried to the new bytes, which the next backup is
// to archive. Windows' ReplaceFileW carries them too; Wine's does not.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// An existing file keeps what the directory entry alone does not hold:
// its attributes, its permissions, its other streams, its creation time.
// A read-only file is not replaced: ReplaceFileW refuses it with "access
// denied", and the player's protection stands. A folder is never replaced.
DWORD ReplaceExisting(const std::wstring& temporary, const wchar_t* path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ERROR_ACCESS_DENIED;
    if (HeldByAnotherProgram(path))
        return ERROR_SHARING_VIOLATION;
    SetFileAttributesW(temporary.c_str(), (attributes & KeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    // What cannot be carried over (permissions on another file system)
    // does not stop the save: the rows matter more.
    if (ReplaceFileW(path, temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                     nullptr, nullptr))
        return 0;
    const DWORD error = GetLastError();
    // Windows documents that this error may leave the old file gone and the
    // new one under its own name (Wine's ReplaceFileW removes the old file
    // before it moves the new one): only moving it into place leaves the
    // player a file.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT && GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return MoveIntoPlace(temporary, path);
    const bool refused = error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    return refused && HeldByAnotherProgram(path) ? ERROR_SHARING_VIOLATION : error;
}

DWORD PutInPlace(const std::wstring& temporary, const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveIntoPlace(temporary, path);
    return ReplaceExisting(temporary, path, attributes);
}

// Written and on the disk before the file takes the target's place.
DWORD WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(file, bytes.data(), size, &written, nullptr))
            return GetLastError();
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

} // namespace

DWORD ReplaceFileBytes(const wchar_t* path, std::string_view bytes)
{
    // Through a symbolic link, the file it leads to, in whose folder the
    // new file is written: a file takes another's place on its own volume only.
    const std::wstring target = FinalPathOf(path);
    const std::wstring folder = FolderOf(target.c_str());
    RemoveLeftovers(folder);
    std::wstring temporary;
    HANDLE file = CreateTemporary(folder, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD error = WriteAll(file, bytes);
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    if (error == 0)
        error = PutInPlace(temporary, target.c_str());
    if (error != 0)
        DeleteFileW(temporary.c_str());
    return error;
}

std::wstring SystemErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    // The system ends its messages with a line end.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = Utf8ToWide(FormatText(MessageText(MessageId::SystemErrorNumber), error));
    return text;
}
