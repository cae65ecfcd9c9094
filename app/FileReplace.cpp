#include "app/FileReplace.h"

#include <algorithm>

#include "app/WideText.h"
#include "form/TextFormat.h"

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

// A short name of its own beside the target: the target's name may be as
// long as a name can be, and another process may be saving there too.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& name)
{
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        name = folder + L"~torume-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) +
               L".tmp";
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
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
    std::wstring temporary;
    HANDLE file = CreateTemporary(FolderOf(path), temporary);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD error = WriteAll(file, bytes);
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    if (error == 0 && !MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
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
        text = WideFromCp932(FormatText("エラー %lu", error));
    return text;
}
