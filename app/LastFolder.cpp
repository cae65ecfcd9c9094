#include "app/LastFolder.h"

#include <windows.h>

void RememberFolderOf(std::wstring& folder, const wchar_t* path)
{
    // Of any length: the buffer is sized by asking first.
    std::wstring full(GetFullPathNameW(path, 0, nullptr, nullptr), L'\0');
    wchar_t* name = nullptr;
    const DWORD length = GetFullPathNameW(path, static_cast<DWORD>(full.size()), full.data(), &name);
    if (length == 0 || length >= full.size() || !name)
        return;
    // Up to the separator before the name: "C:\" keeps its own.
    std::size_t end = static_cast<std::size_t>(name - full.data());
    if (end > 1 && full[end - 2] != L':')
        --end;
    folder.assign(full, 0, end);
}
