// torume.exe: the arguments arrive as UTF-16 and go on as UTF-8. Windows
// shells pass file patterns such as *.txt as they are; they are expanded
// here, as a Unix shell would.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/TextConversion.h"
#include "cli/WindowsConsole.h"

namespace {

bool IsFilePattern(const std::wstring& argument)
{
    return !argument.empty() && argument[0] != L'-' && argument.find_first_of(L"*?") != std::wstring::npos;
}

// The files a pattern matches, in name order and with the pattern's folder;
// a pattern that matches none stays as it is, so its error names it.
void AddExpanded(const std::wstring& pattern, std::vector<std::string>& arguments)
{
    const std::size_t separator = pattern.find_last_of(L"\\/:");
    const std::wstring folder = separator == std::wstring::npos ? L"" : pattern.substr(0, separator + 1);
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(folder + found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (files.empty())
        files.push_back(pattern);
    std::sort(files.begin(), files.end());
    for (const std::wstring& file : files)
        arguments.push_back(WideToUtf8(file));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdin), _O_BINARY); // "-": the reader handles line ends itself
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && IsFilePattern(argv[i]))
            AddExpanded(argv[i], arguments);
        else
            arguments.push_back(WideToUtf8(argv[i]));
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());

    StandardStream out(1), err(2);
    return RunCli(static_cast<int>(pointers.size()), pointers.data(), out.Stream(), err.Stream());
}
