#include "cli/InputFile.h"

#include "cli/TextConversion.h"

// By its UTF-16 name: the ANSI fopen could not reach a name outside the
// ANSI code page. _wfopen, like fopen, lets others read and write meanwhile.
std::FILE* OpenInputFile(const std::string& path)
{
    return _wfopen(Utf8ToWide(path).c_str(), L"rb");
}
