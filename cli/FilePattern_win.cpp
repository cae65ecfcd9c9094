// Patterns are expanded one name of the path at a time, as a Unix shell
// does: a folder name with * or ? stands for every folder it matches, and
// only what exists is kept, so "ex*\*.txt" gives the text files of each
// folder starting with "ex". The matching is the system's (FindFirstFileW).
#include "cli/FilePattern.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "encoding/TextEncoding.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool HasWildcard(std::wstring_view text)
{
    return text.find_first_of(L"*?") != std::wstring_view::npos;
}

// What is never searched: the "\\?\" or "\\.\" of a device path, whose "?"
// is no wildcard, and a drive "C:", after which a relative name follows
// without a separator.
std::size_t RootLength(std::wstring_view path)
{
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.') &&
        IsSeparator(path[3]))
        return 4;
    const wchar_t drive = path.empty() ? L'\0' : static_cast<wchar_t>(path[0] | 0x20);
    if (path.size() >= 2 && path[1] == L':' && drive >= L'a' && drive <= L'z')
        return 2;
    return 0;
}

// A name of the path and the separators after it, kept as typed. A name
// followed by a separator is a folder's; the last one without, a file's.
struct PathComponent {
    std::wstring name;
    std::wstring separators;
};

std::vector<PathComponent> SplitPath(std::wstring_view path)
{
    std::vector<PathComponent> components;
    std::size_t at = 0;
    while (at < path.size()) {
        std::size_t end = at;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        std::size_t next = end;
        while (next < path.size() && IsSeparator(path[next]))
            ++next;
        components.push_back({std::wstring(path.substr(at, end - at)), std::wstring(path.substr(end, next - end))});
        at = next;
    }
    return components;
}

// The folders or the files in `folder` (a root, or a path ending in a
// separator) whose names match `pattern`, each with `folder` before it.
// "." and ".." are no folder of their own.
std::vector<std::wstring> Matches(const std::wstring& folder, const std::wstring& pattern, bool folders)
{
    std::vector<std::wstring> paths;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return paths;
    do {
        const std::wstring_view name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == folders && name != L"." && name != L"..")
            paths.push_back(folder + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return paths;
}

// Each path extended by one component: its name as typed, or every entry
// the name matches.
std::vector<std::wstring> ExtendPaths(const std::vector<std::wstring>& paths, const PathComponent& component)
{
    std::vector<std::wstring> extended;
    for (const std::wstring& path : paths) {
        if (!HasWildcard(component.name)) {
            extended.push_back(path + component.name + component.separators);
            continue;
        }
        for (const std::wstring& match : Matches(path, component.name, !component.separators.empty()))
            extended.push_back(match + component.separators);
    }
    return extended;
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::wstring> ExpandPattern(const std::wstring& pattern)
{
    const std::size_t root = RootLength(pattern);
    const std::vector<PathComponent> components = SplitPath(std::wstring_view(pattern).substr(root));
    std::vector<std::wstring> paths{pattern.substr(0, root)};
    for (const PathComponent& component : components)
        paths = ExtendPaths(paths, component);
    // Names typed after the last wildcard were not searched: a path
    // matches only when its file exists.
    if (!HasWildcard(components.back().name) || !components.back().separators.empty())
        std::erase_if(paths, [](const std::wstring& path) { return !IsFile(path); });
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

std::vector<std::string> ExpandFileArgument(const std::string& argument)
{
    const std::wstring wide = Utf8ToWide(argument);
    if (!HasWildcard(std::wstring_view(wide).substr(RootLength(wide))))
        return {argument};
    std::vector<std::string> files;
    for (const std::wstring& path : ExpandPattern(wide))
        files.push_back(WideToUtf8(path));
    return files;
}
