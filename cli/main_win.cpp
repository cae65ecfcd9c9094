// torume.exe: the arguments arrive as UTF-16 and go on as UTF-8. File
// patterns such as *.txt, which Windows shells pass as they are, are
// expanded by `torume estimate` (ExpandFileArgument): only file arguments
// are patterns, and a file whose name starts with "-" stays a file.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "encoding/TextEncoding.h"
#include "cli/WindowsConsole.h"

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdin), _O_BINARY); // "-": the reader handles line ends itself
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(WideToUtf8(argv[i]));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());

    StandardStream out(1), err(2);
    return RunCli(static_cast<int>(pointers.size()), pointers.data(), out.Stream(), err.Stream());
}
